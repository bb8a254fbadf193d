// Decoding of stored byte strings (code page 932, UTF-16LE, UTF-8) and the hexadecimal
// UTF-8 form of the settings file. Thread-safe: each thread keeps its own converter.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace glyphgrab {

using ByteSpan = std::span<const std::uint8_t>;
using Bytes = std::vector<std::uint8_t>;

// Code page 932 as Windows decodes it (NEC and IBM extensions, 5C is the backslash).
// Undecodable bytes become U+FFFD, except the five single bytes Windows maps and ICU's
// table lacks: 80 -> U+0080, A0 -> U+F8F0, FD/FE/FF -> U+F8F1..U+F8F3. On Windows the
// system's own code page decodes. The whole span is decoded, NUL characters included;
// `bad` (when given) receives the number of undecodable bytes.
std::u16string Cp932BytesToStr(ByteSpan bytes, std::size_t* bad = nullptr);
// The same appended to `out`, so that one buffer kept from text to text serves many
// decodings; answers the units appended.
std::size_t Cp932AppendTo(ByteSpan bytes, std::u16string& out, std::size_t* bad = nullptr);

namespace detail {
// The same decoding through ICU alone, without the table derived from it; for tests.
// Linux only.
std::u16string Cp932BytesToStrIcuOnly(ByteSpan bytes, std::size_t* bad = nullptr);
}  // namespace detail

// Cp932BytesToStr up to, not including, the first U+0000: a NUL-filled fixed field
// yields its text without the fill.
std::u16string AnsiBytesToStr(ByteSpan bytes, std::size_t* bad = nullptr);

// Little-endian pairs as UTF-16 units up to the first U+0000; an odd last byte is
// ignored and lone surrogates pass through unchanged.
std::u16string Utf16BytesToStr(ByteSpan bytes);

// UTF-8 up to the first U+0000; malformed sequences become U+FFFD (counted in `bad`).
std::u16string Utf8BytesToStr(ByteSpan bytes, std::size_t* bad = nullptr);
// UTF-8 without a byte-order mark or terminating zero; a lone surrogate is written as
// U+FFFD.
Bytes StrToUtf8Bytes(std::u16string_view s);

// Conveniences for the program's edges (command line, file names, Qt-free output).
std::u16string Utf8ToStr(std::string_view s, std::size_t* bad = nullptr);
std::string StrToUtf8(std::u16string_view s);

// Two upper-case digits per byte, stopping before the first zero byte.
std::u16string BytesToHex(ByteSpan bytes);
// One byte per pair of characters (an invalid pair gives 0, a lone last character a byte
// of its own), then one zero byte.
Bytes HexToBytes(std::u16string_view h);
std::u16string StrToUtf8Hex(std::u16string_view s);
std::u16string Utf8HexToStr(std::u16string_view h);

}  // namespace glyphgrab
