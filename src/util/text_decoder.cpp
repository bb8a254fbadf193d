#include "util/text_decoder.h"

#include <unicode/utf16.h>

namespace glyphgrab {
namespace {

// UTF-16 units in either byte order; lone surrogates and an odd last byte are invalid
// in a text file and become U+FFFD.
void DecodeUtf16(ByteSpan bytes, bool bigEndian, std::u16string& out, std::size_t& bad) {
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
}

void DecodeUtf8(ByteSpan bytes, std::u16string& out, std::size_t& bad) {
  // Utf8BytesToStr stops at U+0000; a text file keeps everything, so decode in pieces
  // between zero bytes.
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
}

constexpr bool IsCp932Lead(std::uint8_t b) { return (b >= 0x81 && b <= 0x9F) || (b >= 0xE0 && b <= 0xFC); }

}  // namespace

ByteOrderMark DetectByteOrderMark(ByteSpan bytes) {
  if (bytes.size() >= 3 && bytes[0] == 0xEF && bytes[1] == 0xBB && bytes[2] == 0xBF)
    return {TextEncoding::Utf8, 3};
  if (bytes.size() >= 2 && bytes[0] == 0xFF && bytes[1] == 0xFE) return {TextEncoding::Utf16LE, 2};
  if (bytes.size() >= 2 && bytes[0] == 0xFE && bytes[1] == 0xFF) return {TextEncoding::Utf16BE, 2};
  return {};
}

std::size_t TextDecoder::CompletePrefix(ByteSpan b) const {
  const std::size_t n = b.size();
  switch (encoding_) {
    case TextEncoding::Cp932: {
      // A byte below 0x40 never trails, so a character starts right after it. From
      // there a lead byte takes the next byte with it.
      std::size_t p = n;
      while (p > 0 && b[p - 1] >= 0x40) --p;
      while (p < n) p += IsCp932Lead(b[p]) ? 2u : 1u;
      return p > n ? n - 1 : n;
    }
    case TextEncoding::Utf8: {
      for (std::size_t k = n; k-- > 0 && n - k <= 4;) {
        const std::uint8_t c = b[k];
        if ((c & 0xC0) == 0x80) continue;  // a continuation byte
        const std::size_t need = c >= 0xF0 ? 4 : c >= 0xE0 ? 3 : c >= 0xC0 ? 2 : 1;
        return k + need > n ? k : n;
      }
      return n;
    }
    case TextEncoding::Utf16LE:
    case TextEncoding::Utf16BE: {
      std::size_t p = n - n % 2;
      if (p >= 2) {
        const bool big = encoding_ == TextEncoding::Utf16BE;
        const auto unit = static_cast<char16_t>(big ? (b[p - 2] << 8) | b[p - 1] : (b[p - 1] << 8) | b[p - 2]);
        if (U16_IS_LEAD(unit)) p -= 2;  // its trail is in the next piece
      }
      return p;
    }
  }
  return n;
}

void TextDecoder::DecodeComplete(ByteSpan bytes, std::u16string& out) {
  switch (encoding_) {
    case TextEncoding::Cp932: {
      std::size_t bad = 0;
      out += Cp932BytesToStr(bytes, &bad);
      undecodable_ += bad;
      return;
    }
    case TextEncoding::Utf8: DecodeUtf8(bytes, out, undecodable_); return;
    case TextEncoding::Utf16LE: DecodeUtf16(bytes, false, out, undecodable_); return;
    case TextEncoding::Utf16BE: DecodeUtf16(bytes, true, out, undecodable_); return;
  }
}

void TextDecoder::Decode(ByteSpan bytes, bool last, std::u16string& out) {
  Bytes joined;
  if (!pending_.empty()) {
    joined.swap(pending_);
    joined.insert(joined.end(), bytes.begin(), bytes.end());
    bytes = joined;
  }
  const std::size_t complete = last ? bytes.size() : CompletePrefix(bytes);
  DecodeComplete(bytes.first(complete), out);
  pending_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(complete), bytes.end());
}

}  // namespace glyphgrab
