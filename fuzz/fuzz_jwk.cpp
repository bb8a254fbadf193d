// libFuzzer target: any bytes through the JWK reader. Besides the sanitizers' findings,
// a document that breaks its own invariants aborts.
#include <cstdint>

#include "documents/jwk_data.h"
#include "dos_invariants.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace glyphgrab;
  using fuzz::Require;
  const ByteSpan bytes(data, size);
  // One document for every input, as the tool reuses its own: nothing may survive a read.
  static TJwkData d;
  (void)TJwkData::FileCheckBytes(bytes);
  (void)d.FileHeaderInBytes(bytes);
  Require(d.EntLine.empty() && d.EntMoji.empty() && d.EntMjtp.size() == 12);

  const bool ok = d.FileInBytes(bytes);
  fuzz::RequireDosInvariants(d, size, ok);
  d.DataFree();
  Require(d.EntMjtp.empty());
  return 0;
}
