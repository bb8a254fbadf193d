#include "util/text_file.h"

#include <unicode/utf16.h>

#include "util/file_bytes.h"

namespace glyphgrab {
namespace {

// UTF-16 units in either byte order; lone surrogates and an odd last byte are invalid
// in a text file and become U+FFFD.
std::u16string DecodeUtf16(ByteSpan bytes, bool bigEndian, std::size_t& bad) {
  std::u16string out;
  out.reserve(bytes.size() / 2 + 1);
  const std::size_t units = bytes.size() / 2;
  auto unitAt = [&](std::size_t k) -> char16_t {
    const std::uint8_t a = bytes[2 * k], b = bytes[2 * k + 1];
    return static_cast<char16_t>(bigEndian ? (a << 8) | b : (b << 8) | a);
  };
  for (std::size_t k = 0; k < units; ++k) {
    const char16_t c = unitAt(k);
    if (U16_IS_LEAD(c) && k + 1 < units && U16_IS_TRAIL(unitAt(k + 1))) {
      out.push_back(c);
      out.push_back(unitAt(++k));
    } else if (U16_IS_SURROGATE(c)) {
      out.push_back(0xFFFD);
      ++bad;
    } else {
      out.push_back(c);
    }
  }
  if (bytes.size() % 2 != 0) {
    out.push_back(0xFFFD);
    ++bad;
  }
  return out;
}

std::u16string DecodeUtf8Whole(ByteSpan bytes, std::size_t& bad) {
  // Utf8BytesToStr stops at U+0000; a text file keeps everything, so decode in pieces
  // between zero bytes.
  std::u16string out;
  out.reserve(bytes.size());
  std::size_t start = 0;
  while (start <= bytes.size()) {
    std::size_t end = start;
    while (end < bytes.size() && bytes[end] != 0) ++end;
    std::size_t pieceBad = 0;
    out += Utf8BytesToStr(bytes.subspan(start, end - start), &pieceBad);
    bad += pieceBad;
    if (end >= bytes.size()) break;
    out.push_back(u'\0');
    start = end + 1;
  }
  return out;
}

}  // namespace

std::u16string DecodeText(ByteSpan bytes, TextEncoding* encoding, std::size_t* undecodable) {
  std::size_t bad = 0;
  TextEncoding enc = TextEncoding::Cp932;
  std::u16string text;
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF) {
    enc = TextEncoding::Utf8;
    text = DecodeUtf8Whole(bytes.subspan(3), bad);
  } else if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) {
    enc = TextEncoding::Utf16LE;
    text = DecodeUtf16(bytes.subspan(2), false, bad);
  } else if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) {
    enc = TextEncoding::Utf16BE;
    text = DecodeUtf16(bytes.subspan(2), true, bad);
  } else {
    text = Cp932BytesToStr(bytes, &bad);
  }
  if (encoding) *encoding = enc;
  if (undecodable) *undecodable = bad;
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
      p += (c == u'\r' && p + 1 < n && text[p + 1] == u'\n') ? 2 : 1;
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
