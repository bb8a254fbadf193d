#include "util/text_decoder.h"

#include "util/utf.h"

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
    if (IsLeadSurrogate(c) && k + 1 < units && IsTrailSurrogate(unitAt(k + 1))) {
      out.push_back(c);
      out.push_back(unitAt(++k));
    } else if (IsSurrogate(c)) {
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

// The length of the well-formed UTF-8 sequence at the start of `bytes` (no overlong
// forms, no surrogates, nothing above U+10FFFF); 0 when it is malformed, and the
// negative of the bytes present when they are a valid but unfinished start.
std::ptrdiff_t Utf8SequenceLength(ByteSpan bytes) {
  const std::uint8_t b0 = bytes[0];
  std::size_t n = 0;
  std::uint8_t lo = 0x80, hi = 0xBF;  // range of the second byte
  if (b0 < 0x80) return 1;
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    n = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    n = 3;
    if (b0 == 0xE0) lo = 0xA0;
    if (b0 == 0xED) hi = 0x9F;
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    n = 4;
    if (b0 == 0xF0) lo = 0x90;
    if (b0 == 0xF4) hi = 0x8F;
  } else {
    return 0;
  }
  for (std::size_t k = 1; k < n; ++k) {
    if (k >= bytes.size()) return -static_cast<std::ptrdiff_t>(k);
    const std::uint8_t b = bytes[k];
    if (k == 1 ? (b < lo || b > hi) : (b < 0x80 || b > 0xBF)) return 0;
  }
  return static_cast<std::ptrdiff_t>(n);
}

}  // namespace

ByteOrderMark DetectTextEncoding(ByteSpan bytes, bool complete) {
  const ByteOrderMark mark = DetectByteOrderMark(bytes);
  if (mark.length > 0) return mark;
  bool nonAscii = false;
  for (std::size_t p = 0; p < bytes.size();) {
    if (bytes[p] < 0x80) {
      ++p;
      continue;
    }
    const std::ptrdiff_t n = Utf8SequenceLength(bytes.subspan(p));
    if (n < 0 && !complete) {
      // Cut by the prefix's end: a lead byte alone says nothing, a lead with its
      // continuation bytes so far is UTF-8 enough.
      nonAscii = nonAscii || n <= -2;
      break;
    }
    if (n <= 0) return {};
    nonAscii = true;
    p += static_cast<std::size_t>(n);
  }
  return nonAscii ? ByteOrderMark{TextEncoding::Utf8, 0} : ByteOrderMark{};
}

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
        if (IsLeadSurrogate(unit)) p -= 2;  // its trail is in the next piece
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

TextDecoder TextDecoder::ForUnmarkedText() {
  TextDecoder decoder(TextEncoding::Cp932);
  decoder.undecided_ = true;
  return decoder;
}

void TextDecoder::Decode(ByteSpan bytes, bool last, std::u16string& out) {
  Bytes joined;
  if (!pending_.empty()) {
    joined.swap(pending_);
    joined.insert(joined.end(), bytes.begin(), bytes.end());
    bytes = joined;
  }
  if (undecided_) {
    // ASCII reads the same either way; the text from the first other byte decides.
    std::size_t ascii = 0;
    while (ascii < bytes.size() && bytes[ascii] < 0x80) ++ascii;
    for (std::size_t k = 0; k < ascii; ++k) out.push_back(static_cast<char16_t>(bytes[k]));
    bytes = bytes.subspan(ascii);
    if (bytes.empty()) return;
    if (bytes.size() == 1 && !last) {  // a lone lead byte says nothing yet
      pending_.assign(bytes.begin(), bytes.end());
      return;
    }
    encoding_ = DetectTextEncoding(bytes, last).encoding;
    undecided_ = false;
  }
  const std::size_t complete = last ? bytes.size() : CompletePrefix(bytes);
  DecodeComplete(bytes.first(complete), out);
  pending_.assign(bytes.begin() + static_cast<std::ptrdiff_t>(complete), bytes.end());
}

}  // namespace glyphgrab
