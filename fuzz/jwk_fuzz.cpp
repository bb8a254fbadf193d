// libFuzzer target: any bytes through the JWK reader. Besides the sanitizers' findings,
// a document that breaks its own invariants aborts.
#include <cstdint>
#include <cstdlib>

#include "documents/jwk_data.h"

namespace {

void Require(bool ok) {
  if (!ok) std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace glyphgrab;
  const ByteSpan bytes(data, size);
  // One document for every input, as the tool reuses its own: nothing may survive a read.
  static TJwkData d;
  (void)TJwkData::FileCheckBytes(bytes);
  (void)d.FileHeaderInBytes(bytes);
  Require(d.EntLine.empty() && d.EntMoji.empty() && d.EntMjtp.size() == 12);

  const bool ok = d.FileInBytes(bytes);
  Require(d.EntLine.size() <= size / kJwcLineBytes + 1);
  Require(d.EntArc.size() <= size / kJwcArcBytes + 1);
  Require(d.EntTen.size() <= size / kJwcTenBytes + 1);
  Require(d.EntMoji.size() <= size / kJwcMojiBytes + 1);
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
  d.DataFree();
  Require(d.EntMjtp.empty());
  return 0;
}
