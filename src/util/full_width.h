// Half-width to full-width conversion and the normalised form in which the search
// compares a keyword with the texts of a file.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// A quick test before normalising a text to look for a normalised keyword in it: the
// units whose normalised form can give the keyword's first unit, found once by
// normalising every unit (and every half-width kana with each voicing mark). A text
// holding none of them cannot match, and most texts of a search hold none.
class MatchPrefilter {
 public:
  explicit MatchPrefilter(std::u16string_view normalizedKeyword);
  // False only when NormalizeForMatch(text) cannot hold the keyword.
  bool MayMatch(std::u16string_view text) const {
    if (always_) return true;
    for (const char16_t c : text) {
      if ((bits_[c >> 6] >> (c & 63)) & 1) return true;
    }
    return false;
  }

 private:
  bool always_ = false;
  std::vector<std::uint64_t> bits_;  // one bit per UTF-16 unit
};

}  // namespace glyphgrab
