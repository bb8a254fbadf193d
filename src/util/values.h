// Forgiving parsing and formatting of Booleans, integers and floating-point values, as
// the settings file and the send profiles store them. Locale-independent.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace glyphgrab {

// True for "T", "TR", "TRU", "TRUE", "1", "１", "○", "ON", "真", "正" after upper-casing;
// no blanks are trimmed.
bool TextToBool(std::u16string_view s);
std::u16string BoolToText(bool b);

// Optional leading blanks, optional sign, then decimal digits (must fit 32 bits) or a
// hexadecimal number after "$", "x", "X", "0x", "0X" (at most eight digits, a 32-bit
// two's-complement pattern). U+0000 ends the text. Anything else gives 0.
std::int32_t TextToInt(std::u16string_view s);
// The same, without a value where TextToInt gives 0 for a text it cannot read.
std::optional<std::int32_t> ReadInt(std::u16string_view s);
std::u16string IntToText(std::int64_t v);

// Optional leading blanks, optional sign, digits with an optional "." (either side may
// be empty, not both), an optional exponent. "." is the only decimal point. U+0000 ends
// the text. Anything else, and a value out of range, gives 0.
double TextToFloat(std::u16string_view s);
std::optional<double> ReadFloat(std::u16string_view s);
// Shortest general form with up to 15 significant digits ("1.5", "1500", "1E20",
// "1E-5"); TextToFloat reads it back.
std::u16string FloatToText(double v);

bool IsFiniteValue(double v);

}  // namespace glyphgrab
