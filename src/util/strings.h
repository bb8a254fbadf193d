// Text operations on UTF-16 strings. Every index and length counts UTF-16 code units
// from 0. All functions are pure and thread-safe.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace glyphgrab {

// 0-based index of the first occurrence of sub in s, unit by unit; -1 when sub does not
// occur or either text is empty.
int StrIndexOf(std::u16string_view sub, std::u16string_view s);

// The units from index i to the end; i <= -1 gives the whole text, i >= length nothing.
std::u16string StrFrom(std::u16string_view s, int i);

// At most n units from index i; i < 0 starts at 0 without shortening n.
std::u16string StrMid(std::u16string_view s, int i, int n);

std::u16string StrRepeat(std::u16string_view s, int n);

struct TakenWidth {
  std::u16string text;
  int next = 0;  // index where taking stopped
};
// Takes units from index i while their display width (half-width 1, others 2) fits the
// budget. A surrogate pair counts 4 and may be split at the limit.
TakenWidth StrTakeWidth(std::u16string_view s, int i, int budget);

// -1 outside s; 1 for the high half and 2 for the low half of a valid pair; 0 otherwise.
int SurrogateRole(std::u16string_view s, int i);

// Simple (one-to-one) case mapping per code point; the result has the input's length.
std::u16string StrUpper(std::u16string_view s);
std::u16string StrLower(std::u16string_view s);

// U+0020..U+007E and the half-width katakana block U+FF61..U+FF9F.
constexpr bool IsHalfWidth(char16_t c) {
  return (c >= 0x20 && c <= 0x7E) || (c >= 0xFF61 && c <= 0xFF9F);
}

// A blank in every sense the tool uses: U+0020, the full-width blank U+3000 and every
// unit below U+0020 (control characters, U+0000 included).
constexpr bool IsBlankChar(char16_t c) { return c <= 0x20 || c == 0x3000; }

// Drops every IsBlankChar unit.
std::u16string RemoveBlanks(std::u16string_view s);
// Drops the marks "^m" and "\n" and every unit below U+0020; a non-empty input that
// leaves nothing gives " ".
std::u16string RemoveLineMarks(std::u16string_view s);
// Drops every unit below U+0020.
std::u16string RemoveControlChars(std::u16string_view s);
// The same on a string of the caller's, without a copy.
void RemoveControlCharsInPlace(std::u16string& s);
// True for a text of half-width blanks, full-width blanks and control characters only:
// the extraction list takes no such line.
bool IsBlankText(std::u16string_view s);

}  // namespace glyphgrab
