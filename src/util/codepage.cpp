#include "util/codepage.h"

#include <cstring>

#include "util/utf.h"

namespace glyphgrab {

std::u16string AnsiBytesToStr(ByteSpan bytes, std::size_t* bad) {
  // A zero byte is never a trail byte in code page 932, so the first zero byte is where
  // the first U+0000 would be: decoding stops there.
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  if (zero) bytes = bytes.first(static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes.data()));
  return Cp932BytesToStr(bytes, bad);
}

std::u16string Utf16BytesToStr(ByteSpan bytes) {
  std::u16string out;
  out.reserve(bytes.size() / 2);
  for (std::size_t k = 0; k + 1 < bytes.size(); k += 2) {
    const auto unit = static_cast<char16_t>(bytes[k] | (bytes[k + 1] << 8));
    if (unit == 0) break;
    out.push_back(unit);
  }
  return out;
}

std::u16string Utf8BytesToStr(ByteSpan bytes, std::size_t* bad) {
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  if (zero) bytes = bytes.first(static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes.data()));
  return Utf8ToStr(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), bad);
}

Bytes StrToUtf8Bytes(std::u16string_view s) {
  Bytes out;
  out.reserve(s.size());
  for (std::size_t i = 0; i < s.size();) {
    char32_t cp = NextCodePoint(s.data(), i, s.size());
    if (IsSurrogate(cp)) cp = 0xFFFD;
    AppendUtf8(out, cp);
  }
  return out;
}

std::u16string Utf8ToStr(std::string_view s, std::size_t* bad) {
  if (bad) *bad = 0;
  std::u16string out;
  out.reserve(s.size());  // UTF-8 never needs more units than bytes
  const auto* b = reinterpret_cast<const std::uint8_t*>(s.data());
  for (std::size_t i = 0; i < s.size();) {
    const char32_t cp = NextUtf8(b, i, s.size());
    if (cp == kUtf8Invalid) {
      out.push_back(u'\uFFFD');
      if (bad) ++*bad;
    } else {
      AppendUtf16(out, cp);
    }
  }
  return out;
}

std::string StrToUtf8(std::u16string_view s) {
  const Bytes b = StrToUtf8Bytes(s);
  return std::string(b.begin(), b.end());
}

std::u16string BytesToHex(ByteSpan bytes) {
  static constexpr char16_t kDigits[] = u"0123456789ABCDEF";
  std::u16string out;
  out.reserve(bytes.size() * 2);
  for (std::uint8_t b : bytes) {
    if (b == 0) break;
    out.push_back(kDigits[b >> 4]);
    out.push_back(kDigits[b & 0x0F]);
  }
  return out;
}

namespace {
int HexDigit(char16_t c) {
  if (c >= u'0' && c <= u'9') return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}
}  // namespace

Bytes HexToBytes(std::u16string_view h) {
  Bytes out;
  out.reserve(h.size() / 2 + 2);
  std::size_t p = 0;
  for (; p + 1 < h.size(); p += 2) {
    const int hi = HexDigit(h[p]);
    const int lo = HexDigit(h[p + 1]);
    out.push_back(hi < 0 || lo < 0 ? 0 : static_cast<std::uint8_t>(hi * 16 + lo));
  }
  if (p < h.size()) {
    const int d = HexDigit(h[p]);
    out.push_back(d < 0 ? 0 : static_cast<std::uint8_t>(d));
  }
  out.push_back(0);
  return out;
}

std::u16string StrToUtf8Hex(std::u16string_view s) { return BytesToHex(StrToUtf8Bytes(s)); }

std::u16string Utf8HexToStr(std::u16string_view h) { return Utf8BytesToStr(HexToBytes(h)); }

}  // namespace glyphgrab
