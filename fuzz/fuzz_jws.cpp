// Arbitrary bytes through the JWS reader; inputs that do not start like a symbol get a
// valid 452-byte header in front.
#include <cstddef>
#include <cstdint>

#include "documents/jws_data.h"
#include "fixtures/jww_builder.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace glyphgrab;
  static TJwsData doc;
  std::vector<std::uint8_t> built;
  ByteSpan bytes(data, size);
  if (size < 7 || std::memcmp(data, "JwsData", 7) != 0) {
    const std::int32_t versions[] = {230, 300, 350, 351, 419, 420, 600, 700};
    testing::JwsHeaderFields spec;
    spec.version = versions[(size > 0 ? data[0] : 0) % std::size(versions)];
    testing::JwArchiveWriter w(spec.version);
    WriteJwsHeader(w, spec);
    built = w.bytes();
    if (size > 1) built.insert(built.end(), data + 1, data + size);
    bytes = built;
  }
  TJwsData::FileCheckBytes(bytes);
  doc.FileHeaderInBytes(bytes);
  doc.FileInBytes(bytes);
  std::size_t units = 0;
  for (std::int32_t i = 0; i < doc.EntMojiN; ++i) units += doc.EntMoji[static_cast<std::size_t>(i)].str.size();
  for (std::int32_t d = 0; d < doc.EntBlockDefN; ++d) units += doc.EntBlockDef[static_cast<std::size_t>(d)].strName.size();
  for (std::int32_t i = 0; i < doc.EntBlockTreeN; ++i) units += doc.EntBlockTree[static_cast<std::size_t>(i)].name.size();
  doc.DataFree();
  return units == static_cast<std::size_t>(-1);
}
