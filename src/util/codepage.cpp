#include "util/codepage.h"

#include <cstring>
#include <memory>

#include <unicode/ucnv.h>
#include <unicode/ucnv_cb.h>
#include <unicode/ustring.h>
#include <unicode/utf16.h>

namespace glyphgrab {
namespace {

struct DecodeCounter {
  std::size_t bad = 0;
};

// ICU substitutes U+001A by default, a control character the readers would strip
// without a trace. Windows maps five single bytes that ICU's windows-31j table lacks.
void Cp932ToUnicodeCallback(const void* context, UConverterToUnicodeArgs* args,
                            const char* codeUnits, int32_t length,
                            UConverterCallbackReason reason, UErrorCode* err) {
  if (reason != UCNV_UNASSIGNED && reason != UCNV_ILLEGAL && reason != UCNV_IRREGULAR) return;
  auto* counter = static_cast<DecodeCounter*>(const_cast<void*>(context));
  UChar sub = 0xFFFD;
  if (length == 1) {
    switch (static_cast<std::uint8_t>(codeUnits[0])) {
      case 0x80: sub = 0x0080; break;
      case 0xA0: sub = 0xF8F0; break;
      case 0xFD: sub = 0xF8F1; break;
      case 0xFE: sub = 0xF8F2; break;
      case 0xFF: sub = 0xF8F3; break;
      default: break;
    }
  }
  if (sub == 0xFFFD) counter->bad += static_cast<std::size_t>(length);
  *err = U_ZERO_ERROR;
  ucnv_cbToUWriteUChars(args, &sub, 1, 0, err);
}

struct ConverterCloser {
  void operator()(UConverter* c) const { ucnv_close(c); }
};

struct Cp932Converter {
  std::unique_ptr<UConverter, ConverterCloser> conv;
  DecodeCounter counter;

  Cp932Converter() {
    UErrorCode err = U_ZERO_ERROR;
    conv.reset(ucnv_open("windows-31j", &err));
    if (U_FAILURE(err) || !conv) {
      conv.reset();
      return;
    }
    ucnv_setToUCallBack(conv.get(), Cp932ToUnicodeCallback, &counter, nullptr, nullptr, &err);
  }
};

Cp932Converter& ThreadConverter() {
  thread_local Cp932Converter converter;
  return converter;
}

}  // namespace

std::u16string Cp932BytesToStr(ByteSpan bytes, std::size_t* bad) {
  std::u16string out;
  if (bad) *bad = 0;
  if (bytes.empty()) return out;
  out.resize(bytes.size());

  // Plain ASCII needs no converter (code page 932 keeps 00..7F, 5C included).
  std::size_t ascii = 0;
  while (ascii < bytes.size() && bytes[ascii] < 0x80) {
    out[ascii] = bytes[ascii];
    ++ascii;
  }
  if (ascii == bytes.size()) return out;

  // Every byte yields at most one unit, so the output never outgrows the input.
  Cp932Converter& c = ThreadConverter();
  if (!c.conv) {
    // Without ICU's table nothing beyond ASCII can be decoded honestly.
    for (std::size_t k = ascii; k < bytes.size(); ++k) out[k] = bytes[k] < 0x80 ? bytes[k] : 0xFFFD;
    if (bad) *bad = bytes.size() - ascii;
    return out;
  }
  ucnv_resetToUnicode(c.conv.get());
  c.counter.bad = 0;
  UErrorCode err = U_ZERO_ERROR;
  UChar* target = reinterpret_cast<UChar*>(out.data()) + ascii;
  UChar* const targetLimit = reinterpret_cast<UChar*>(out.data()) + out.size();
  const char* source = reinterpret_cast<const char*>(bytes.data()) + ascii;
  const char* const sourceLimit = reinterpret_cast<const char*>(bytes.data()) + bytes.size();
  ucnv_toUnicode(c.conv.get(), &target, targetLimit, &source, sourceLimit, nullptr, true, &err);
  out.resize(static_cast<std::size_t>(target - reinterpret_cast<UChar*>(out.data())));
  if (bad) *bad = c.counter.bad;
  return out;
}

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
  if (bad) *bad = 0;
  const void* zero = std::memchr(bytes.data(), 0, bytes.size());
  if (zero) bytes = bytes.first(static_cast<std::size_t>(static_cast<const std::uint8_t*>(zero) - bytes.data()));
  std::u16string out;
  if (bytes.empty()) return out;
  out.resize(bytes.size());  // UTF-8 never needs more units than bytes
  int32_t length = 0;
  int32_t substitutions = 0;
  UErrorCode err = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                       &length, reinterpret_cast<const char*>(bytes.data()),
                       static_cast<int32_t>(bytes.size()), 0xFFFD, &substitutions, &err);
  if (U_FAILURE(err)) return u"?";
  out.resize(static_cast<std::size_t>(length));
  if (bad) *bad = static_cast<std::size_t>(substitutions);
  return out;
}

Bytes StrToUtf8Bytes(std::u16string_view s) {
  Bytes out;
  if (s.empty()) return out;
  out.resize(s.size() * 3);  // a unit never takes more than three bytes
  int32_t length = 0;
  UErrorCode err = U_ZERO_ERROR;
  u_strToUTF8WithSub(reinterpret_cast<char*>(out.data()), static_cast<int32_t>(out.size()),
                     &length, reinterpret_cast<const UChar*>(s.data()),
                     static_cast<int32_t>(s.size()), 0xFFFD, nullptr, &err);
  if (U_FAILURE(err)) return {};
  out.resize(static_cast<std::size_t>(length));
  return out;
}

std::u16string Utf8ToStr(std::string_view s) {
  std::u16string out;
  if (s.empty()) return out;
  out.resize(s.size());
  int32_t length = 0;
  UErrorCode err = U_ZERO_ERROR;
  u_strFromUTF8WithSub(reinterpret_cast<UChar*>(out.data()), static_cast<int32_t>(out.size()),
                       &length, s.data(), static_cast<int32_t>(s.size()), 0xFFFD, nullptr, &err);
  if (U_FAILURE(err)) return {};
  out.resize(static_cast<std::size_t>(length));
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
