// Half-width to full-width conversion and the normalised form in which the search
// compares a keyword with the texts of a file.
#pragma once

#include <string>
#include <string_view>

namespace glyphgrab {

// ASCII to its full-width form (" to ”, ' to ’, \ to ￥, blank to U+3000), half-width
// katakana to full-width katakana, a base with a voiced or semi-voiced mark to the one
// voiced character. Everything else passes unchanged.
std::u16string ToFullWidth(std::u16string_view s);

// RemoveBlanks, StrUpper, ToFullWidth, then look-alike characters folded (× to Ｘ,
// ー to －, the apostrophe and quote look-alikes to ’ and ”).
std::u16string NormalizeForMatch(std::u16string_view s);
// The same into a caller's buffer, which is reused without a new allocation when it is
// large enough: the search normalises every text of every file this way.
void NormalizeForMatchInto(std::u16string_view s, std::u16string& out);

}  // namespace glyphgrab
