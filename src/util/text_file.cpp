#include "util/text_file.h"

#include "util/file_bytes.h"

namespace glyphgrab {

std::u16string DecodeText(ByteSpan bytes, TextEncoding* encoding, std::size_t* undecodable) {
  const ByteOrderMark mark = DetectTextEncoding(bytes, true);
  TextDecoder decoder(mark.encoding);
  std::u16string text;
  text.reserve(bytes.size());
  decoder.Decode(bytes.subspan(mark.length), true, text);
  if (encoding) *encoding = mark.encoding;
  if (undecodable) *undecodable = decoder.undecodable();
  return text;
}

std::vector<std::u16string> SplitLines(std::u16string_view text) {
  std::vector<std::u16string> lines;
  std::size_t start = 0;
  const std::size_t n = text.size();
  std::size_t p = 0;
  while (p < n) {
    const char16_t c = text[p];
    if (c == u'\r' || c == u'\n') {
      lines.emplace_back(text.substr(start, p - start));
      p += (c == u'\r' && p + 1 < n && text[p + 1] == u'\n') ? 2u : 1u;
      start = p;
    } else {
      ++p;
    }
  }
  if (start < n) lines.emplace_back(text.substr(start));
  return lines;
}

TextLines DecodeTextLines(ByteSpan bytes) {
  TextLines out;
  const std::u16string text = DecodeText(bytes, &out.encoding, &out.undecodable);
  out.lines = SplitLines(text);
  return out;
}

bool LoadTextFileLines(std::u16string_view path, TextLines& out) {
  out = TextLines{};
  Bytes bytes;
  if (!ReadWholeFile(path, bytes)) return false;
  out = DecodeTextLines(bytes);
  return true;
}

}  // namespace glyphgrab
