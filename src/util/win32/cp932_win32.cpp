#include <windows.h>

#include "util/codepage.h"

namespace glyphgrab {
namespace {

constexpr UINT kCp932 = 932;

// One character's bytes through the system's code page; 0 when it refuses them.
int DecodeOne(const std::uint8_t* p, int n, char16_t* out) {
  return MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(p), n,
                             reinterpret_cast<wchar_t*>(out), 2);
}

constexpr bool IsTrailByte(std::uint8_t b) { return (b >= 0x40 && b <= 0x7E) || (b >= 0x80 && b <= 0xFC); }

}  // namespace

std::size_t Cp932AppendTo(ByteSpan bytes, std::u16string& s, std::size_t* bad) {
  if (bad) *bad = 0;
  if (bytes.empty()) return 0;
  const std::size_t at = s.size();
  s.resize(at + bytes.size());  // every byte yields at most one unit
  char16_t* const out = s.data() + at;
  // The whole span at once when the system accepts every byte: the common case.
  const int whole = MultiByteToWideChar(kCp932, MB_ERR_INVALID_CHARS,
                                        reinterpret_cast<const char*>(bytes.data()),
                                        static_cast<int>(bytes.size()), reinterpret_cast<wchar_t*>(out),
                                        static_cast<int>(bytes.size()));
  if (whole > 0) {
    s.resize(at + static_cast<std::size_t>(whole));
    return static_cast<std::size_t>(whole);
  }
  // Some bytes are refused: decode character by character to find them. A lead byte
  // with a trail byte forms one refused character (one U+FFFD for both bytes); a lead
  // byte without one is refused alone and the next byte starts afresh.
  std::size_t w = 0;
  std::size_t p = 0;
  const std::size_t n = bytes.size();
  while (p < n) {
    const std::uint8_t b = bytes[p];
    const bool lead = IsDBCSLeadByteEx(kCp932, b) != FALSE;
    char16_t unit[2];
    if (lead && p + 1 < n && IsTrailByte(bytes[p + 1])) {
      if (DecodeOne(&bytes[p], 2, unit) == 1) {
        out[w++] = unit[0];
      } else {
        out[w++] = u'\uFFFD';
        if (bad) *bad += 2;
      }
      p += 2;
      continue;
    }
    if (!lead && DecodeOne(&bytes[p], 1, unit) == 1) {
      out[w++] = unit[0];
    } else {
      out[w++] = u'\uFFFD';
      if (bad) ++*bad;
    }
    ++p;
  }
  s.resize(at + w);
  return w;
}

std::u16string Cp932BytesToStr(ByteSpan bytes, std::size_t* bad) {
  std::u16string out;
  Cp932AppendTo(bytes, out, bad);
  return out;
}

}  // namespace glyphgrab
