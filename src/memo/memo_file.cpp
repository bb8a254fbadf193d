#include "memo/memo_file.h"

#include "memo/memo_text.h"
#include "util/file_bytes.h"
#include "util/file_write.h"
#include "util/paths.h"
#include "util/text_file.h"

namespace glyphgrab {

std::u16string MemoLoad(std::u16string_view path) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes)) return {};
  return ToCrLfText(DecodeText(bytes));
}

Bytes MemoFileBytes(std::u16string_view text) {
  Bytes out{0xEF, 0xBB, 0xBF};
  const Bytes body = StrToUtf8Bytes(text);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

bool MemoSave(std::u16string_view path, std::u16string_view text) {
  const Bytes bytes = MemoFileBytes(text);
  // A text the encoder refused must not replace the memo with an empty one.
  if (bytes.size() == 3 && !text.empty()) return false;
  return WriteFileAtomic(path, bytes);
}

}  // namespace glyphgrab
