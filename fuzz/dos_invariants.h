// What every document of the DOS generation must hold after any input, whatever the
// reader: the fuzz targets abort when it does not.
#pragma once

#include <cstddef>
#include <cstdlib>

#include "documents/dos_records.h"

namespace glyphgrab::fuzz {

inline void Require(bool ok) {
  if (!ok) std::abort();
}

// After FileInBytes of `size` bytes that answered `ok`.
template <typename Doc>
void RequireDosInvariants(const Doc& d, std::size_t size, bool ok) {
  // No array holds more records than the bytes could.
  Require(d.EntLine.size() <= size / kJwcLineBytes + 1);
  Require(d.EntArc.size() <= size / kJwcArcBytes + 1);
  Require(d.EntTen.size() <= size / kJwcTenBytes + 1);
  Require(d.EntMoji.size() <= size / kJwcMojiBytes + 1);
  // Counters count entries that exist.
  Require(d.lineN >= 0 && static_cast<std::size_t>(d.lineN) <= d.EntLine.size());
  Require(d.arcN >= 0 && static_cast<std::size_t>(d.arcN) <= d.EntArc.size());
  Require(d.tenN >= 0 && static_cast<std::size_t>(d.tenN) <= d.EntTen.size());
  Require(d.mojiN >= 0 && static_cast<std::size_t>(d.mojiN) <= d.EntMoji.size());
  Require(d.readInfo.stopPos <= size);
  if (ok) {
    Require(d.lineN == d.Enthd.lineCount && d.arcN == d.Enthd.arcCount &&
            d.tenN == d.Enthd.tenCount && d.mojiN == d.Enthd.mojiCount);
    Require(d.EntMoji.size() == static_cast<std::size_t>(d.mojiN));
  }
  for (const auto& m : d.EntMoji)
    for (char16_t c : m.s) Require(c >= 0x20);
}

}  // namespace glyphgrab::fuzz
