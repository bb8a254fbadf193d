#include "util/values.h"

#include <array>
#include <charconv>
#include <cmath>
#include <optional>
#include <string>

#include "util/strings.h"

namespace glyphgrab {
namespace {

// The text up to its first U+0000.
std::u16string_view UpToNul(std::u16string_view s) {
  const auto nul = s.find(u'\0');
  return nul == std::u16string_view::npos ? s : s.substr(0, nul);
}

bool IsDigit(char16_t c) { return c >= u'0' && c <= u'9'; }

int HexValue(char16_t c) {
  if (IsDigit(c)) return c - u'0';
  if (c >= u'A' && c <= u'F') return c - u'A' + 10;
  if (c >= u'a' && c <= u'f') return c - u'a' + 10;
  return -1;
}

}  // namespace

bool TextToBool(std::u16string_view s) {
  static constexpr std::array<std::u16string_view, 10> kTrue = {
      u"T", u"TR", u"TRU", u"TRUE", u"1", u"１", u"○", u"ON", u"真", u"正"};
  const std::u16string upper = StrUpper(s);
  for (auto word : kTrue) {
    if (upper == word) return true;
  }
  return false;
}

std::u16string BoolToText(bool b) { return b ? u"1" : u"0"; }

std::optional<std::int32_t> ReadInt(std::u16string_view text) {
  std::u16string_view s = UpToNul(text);
  std::size_t p = 0;
  while (p < s.size() && s[p] == u' ') ++p;
  bool negative = false;
  if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) {
    negative = s[p] == u'-';
    ++p;
  }
  if (p >= s.size()) return std::nullopt;

  bool hex = false;
  if (s[p] == u'$' || s[p] == u'x' || s[p] == u'X') {
    hex = true;
    p += 1;
  } else if (s[p] == u'0' && p + 1 < s.size() && (s[p + 1] == u'x' || s[p + 1] == u'X')) {
    hex = true;
    p += 2;
  }
  const std::size_t digits = s.size() - p;
  if (digits == 0) return std::nullopt;

  if (hex) {
    if (digits > 8) return std::nullopt;
    std::uint32_t v = 0;
    for (; p < s.size(); ++p) {
      const int d = HexValue(s[p]);
      if (d < 0) return std::nullopt;
      v = v * 16 + static_cast<std::uint32_t>(d);
    }
    // Unsigned negation keeps the two's-complement pattern ("-$80000000" included).
    if (negative) v = 0u - v;
    return static_cast<std::int32_t>(v);
  }

  std::int64_t v = 0;
  for (; p < s.size(); ++p) {
    if (!IsDigit(s[p])) return std::nullopt;
    v = v * 10 + (s[p] - u'0');
    if (v > 2147483648LL) return std::nullopt;
  }
  if (negative) v = -v;
  if (v > 2147483647LL) return std::nullopt;
  return static_cast<std::int32_t>(v);
}

std::int32_t TextToInt(std::u16string_view s) { return ReadInt(s).value_or(0); }

std::u16string IntToText(std::int64_t v) {
  const std::string digits = std::to_string(v);
  return std::u16string(digits.begin(), digits.end());
}

std::optional<double> ReadFloat(std::u16string_view text) {
  std::u16string_view s = UpToNul(text);
  std::size_t p = 0;
  while (p < s.size() && s[p] == u' ') ++p;

  // Validate the grammar and rebuild it as ASCII for from_chars, which is locale-free.
  std::string ascii;
  ascii.reserve(s.size() + 2);
  if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) {
    if (s[p] == u'-') ascii.push_back('-');
    ++p;
  }
  std::size_t mantissaDigits = 0;
  while (p < s.size() && IsDigit(s[p])) {
    ascii.push_back(static_cast<char>(s[p++]));
    ++mantissaDigits;
  }
  if (p < s.size() && s[p] == u'.') {
    ++p;
    ascii.push_back('.');
    while (p < s.size() && IsDigit(s[p])) {
      ascii.push_back(static_cast<char>(s[p++]));
      ++mantissaDigits;
    }
  }
  if (mantissaDigits == 0) return std::nullopt;
  if (p < s.size() && (s[p] == u'E' || s[p] == u'e')) {
    ++p;
    ascii.push_back('e');
    if (p < s.size() && (s[p] == u'+' || s[p] == u'-')) {
      if (s[p] == u'-') ascii.push_back('-');
      ++p;
    }
    std::size_t expDigits = 0;
    while (p < s.size() && IsDigit(s[p])) {
      ascii.push_back(static_cast<char>(s[p++]));
      ++expDigits;
    }
    if (expDigits == 0) return std::nullopt;
  }
  if (p != s.size()) return std::nullopt;

  // from_chars does not take "5." or ".5" in every library version: pad both sides.
  const auto dot = ascii.find('.');
  if (dot != std::string::npos) {
    if (dot + 1 >= ascii.size() || ascii[dot + 1] == 'e') ascii.insert(dot + 1, "0");
    if (dot == 0 || ascii[dot - 1] == '-') ascii.insert(dot, "0");
  }
  double v = 0.0;
  const auto [end, ec] = std::from_chars(ascii.data(), ascii.data() + ascii.size(), v);
  if (ec != std::errc() || end != ascii.data() + ascii.size()) return std::nullopt;
  return v;
}

double TextToFloat(std::u16string_view s) { return ReadFloat(s).value_or(0.0); }

std::u16string FloatToText(double v) {
  if (std::isnan(v)) return u"NAN";
  if (std::isinf(v)) return v > 0 ? u"INF" : u"-INF";
  std::array<char, 64> buf{};
  const auto [end, ec] = std::to_chars(buf.data(), buf.data() + buf.size(), v,
                                       std::chars_format::general, 15);
  if (ec != std::errc()) return u"0";
  std::string text(buf.data(), end);
  if (text == "-0") text = "0";
  // "1e+20" -> "1E20", "1e-05" -> "1E-5".
  const auto e = text.find('e');
  if (e != std::string::npos) {
    std::string mantissa = text.substr(0, e);
    std::string exponent = text.substr(e + 1);
    std::string sign;
    if (!exponent.empty() && (exponent[0] == '+' || exponent[0] == '-')) {
      if (exponent[0] == '-') sign = "-";
      exponent.erase(0, 1);
    }
    const auto nz = exponent.find_first_not_of('0');
    exponent = nz == std::string::npos ? "0" : exponent.substr(nz);
    text = mantissa + "E" + sign + exponent;
  }
  return std::u16string(text.begin(), text.end());
}

bool IsFiniteValue(double v) { return std::isfinite(v); }

}  // namespace glyphgrab
