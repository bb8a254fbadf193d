// UTF-16 and UTF-8 code points, by the Unicode standard's rules; no locale involved.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace glyphgrab {

constexpr bool IsLeadSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
constexpr bool IsTrailSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }
constexpr bool IsSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDFFF; }

// Units a code point takes in UTF-16.
constexpr std::size_t Utf16Length(char32_t cp) { return cp > 0xFFFF ? 2 : 1; }

// The code point at s[i] (a lone surrogate stands for itself); i moves past it.
inline char32_t NextCodePoint(const char16_t* s, std::size_t& i, std::size_t n) {
  const char16_t c = s[i++];
  if (IsLeadSurrogate(c) && i < n && IsTrailSurrogate(s[i])) {
    const char16_t t = s[i++];
    return 0x10000 + ((static_cast<char32_t>(c) - 0xD800) << 10) + (static_cast<char32_t>(t) - 0xDC00);
  }
  return c;
}

// Writes cp at d[0] (and d[1] for a pair).
inline void PutUtf16(char16_t* d, char32_t cp) {
  if (cp > 0xFFFF) {
    d[0] = static_cast<char16_t>(0xD7C0 + (cp >> 10));
    d[1] = static_cast<char16_t>(0xDC00 + (cp & 0x3FF));
  } else {
    d[0] = static_cast<char16_t>(cp);
  }
}

inline void AppendUtf16(std::u16string& out, char32_t cp) {
  char16_t d[2];
  PutUtf16(d, cp);
  out.append(d, Utf16Length(cp));
}

inline constexpr char32_t kUtf8Invalid = 0xFFFFFFFF;

// Decodes the UTF-8 sequence at s[i] and moves i past it. An ill-formed sequence gives
// kUtf8Invalid and i moves past its maximal subpart (the longest prefix that could start
// a well-formed sequence, at least one byte), so a caller substituting one U+FFFD per
// failure follows the standard's recommended practice.
inline char32_t NextUtf8(const std::uint8_t* s, std::size_t& i, std::size_t n) {
  const std::uint8_t b = s[i++];
  if (b < 0x80) return b;
  std::size_t need;
  char32_t cp;
  std::uint8_t lo = 0x80, hi = 0xBF;  // the range of the second byte
  if (b >= 0xC2 && b <= 0xDF) {
    need = 1;
    cp = b & 0x1Fu;
  } else if (b >= 0xE0 && b <= 0xEF) {
    need = 2;
    cp = b & 0x0Fu;
    if (b == 0xE0) lo = 0xA0;
    if (b == 0xED) hi = 0x9F;  // no surrogates
  } else if (b >= 0xF0 && b <= 0xF4) {
    need = 3;
    cp = b & 0x07u;
    if (b == 0xF0) lo = 0x90;
    if (b == 0xF4) hi = 0x8F;  // nothing beyond U+10FFFF
  } else {
    return kUtf8Invalid;
  }
  for (std::size_t k = 0; k < need; ++k) {
    if (i >= n) return kUtf8Invalid;
    const std::uint8_t t = s[i];
    if (t < (k == 0 ? lo : 0x80) || t > (k == 0 ? hi : 0xBF)) return kUtf8Invalid;
    cp = (cp << 6) | (t & 0x3Fu);
    ++i;
  }
  return cp;
}

// Appends the UTF-8 form of a scalar value (no surrogates).
template <typename Out>
void AppendUtf8(Out& out, char32_t cp) {
  using T = typename Out::value_type;
  if (cp < 0x80) {
    out.push_back(static_cast<T>(cp));
  } else if (cp < 0x800) {
    out.push_back(static_cast<T>(0xC0 | (cp >> 6)));
    out.push_back(static_cast<T>(0x80 | (cp & 0x3F)));
  } else if (cp < 0x10000) {
    out.push_back(static_cast<T>(0xE0 | (cp >> 12)));
    out.push_back(static_cast<T>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<T>(0x80 | (cp & 0x3F)));
  } else {
    out.push_back(static_cast<T>(0xF0 | (cp >> 18)));
    out.push_back(static_cast<T>(0x80 | ((cp >> 12) & 0x3F)));
    out.push_back(static_cast<T>(0x80 | ((cp >> 6) & 0x3F)));
    out.push_back(static_cast<T>(0x80 | (cp & 0x3F)));
  }
}

}  // namespace glyphgrab
