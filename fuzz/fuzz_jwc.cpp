// libFuzzer target: any bytes through the JWC reader. Besides the sanitizers' findings,
// a document that breaks its own invariants aborts.
#include <cstdint>

#include "documents/jwc_data.h"
#include "dos_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace glyphgrab;
  using fuzz::Require;
  const ByteSpan bytes(data, size);
  // One document for every input, as the tool reuses its own: nothing may survive a read.
  static TJwcData d;
  (void)TJwcData::FileCheckBytes(bytes);
  (void)d.FileHeaderInBytes(bytes);
  Require(d.EntLine.empty() && d.EntLay.empty());

  const bool ok = d.FileInBytes(bytes);
  fuzz::RequireDosInvariants(d, size, ok);
  if (ok) {
    Require(d.EntVten.size() == 101 && d.EntMjtp.size() == 12 && d.EntLgrp.size() == 16 &&
            d.EntLay.size() == 256);
    Require(d.EntLine.size() == static_cast<std::size_t>(d.lineN));
  }
  return 0;
}
