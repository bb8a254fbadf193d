// Arbitrary bytes through the JWW reader. An input that does not start like a drawing
// gets a valid header in front (its version from the first two bytes), so that most runs
// reach the entity reader, the definitions and the image table.
#include <cstddef>
#include <cstdint>

#include "documents/jww_data.h"
#include "fixtures/jww_builder.h"

namespace {

std::vector<std::uint8_t> WithHeader(const std::uint8_t* data, std::size_t size) {
  const std::int32_t versions[] = {220, 230, 231, 300, 350, 351, 419, 420, 600, 700};
  glyphgrab::testing::JwwHeaderFields spec;
  spec.version = versions[(size > 0 ? data[0] : 0) % std::size(versions)];
  spec.memo = "memo";
  glyphgrab::testing::JwArchiveWriter w(spec.version);
  WriteJwwHeader(w, spec);
  std::vector<std::uint8_t> bytes = w.bytes();
  if (size > 1) bytes.insert(bytes.end(), data + 1, data + size);
  return bytes;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace glyphgrab;
  static TJwwData doc;  // reused for every input, as the tool reuses its documents
  const ByteSpan raw(data, size);
  std::vector<std::uint8_t> built;
  ByteSpan bytes = raw;
  if (size < 8 || std::memcmp(data, "JwwData.", 8) != 0) {
    built = WithHeader(data, size);
    bytes = built;
  }
  TJwwData::FileCheckBytes(bytes);
  doc.FileHeaderInBytes(bytes);
  doc.BindImageExr = (size & 1) != 0;
  doc.FileInBytes(bytes);
  // Walk the texts and the order table as extraction does.
  std::size_t units = doc.Enthd.strMemo.size();
  for (std::int32_t i = 0; i < doc.EntMojiN; ++i) units += doc.EntMoji[static_cast<std::size_t>(i)].str.size();
  for (const TEntJwwNo& no : doc.EntNo) {
    if (no.EntType == kEntSunpo && no.EntNo < doc.EntSunpoN) units += doc.EntSunpo[static_cast<std::size_t>(no.EntNo)].Moji.str.size();
  }
  for (std::int32_t d = 0; d < doc.EntBlockDefN; ++d) {
    const TEntJwwBlockDef& def = doc.EntBlockDef[static_cast<std::size_t>(d)];
    for (std::int32_t i = 0; i < def.mMojiN; ++i) units += def.mMoji[static_cast<std::size_t>(i)].str.size();
  }
  for (std::int32_t i = 0; i < doc.EntBlockTreeN; ++i) units += doc.EntBlockTree[static_cast<std::size_t>(i)].name.size();
  doc.DataFree();
  return units == static_cast<std::size_t>(-1);
}
