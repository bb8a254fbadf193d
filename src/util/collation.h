// Locale-aware ordering and letter-case folding of texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glyphgrab {

enum class CollationStrength {
  Secondary,  // letter case ignored (the sorted extraction list, the memo sort)
  Tertiary,   // letter case counts (folder names in the tree)
};

// Sorts by ICU's collator for Japanese at the given strength; texts that compare equal
// keep their order, and at tertiary strength remaining ties go by code units.
void SortCollated(std::vector<std::u16string>& texts, CollationStrength strength);

// The part of SortCollated that both text services share: orders `texts` by their sort
// keys (compared as unsigned bytes), stably; at tertiary strength equal keys fall back to
// code-unit order.
void SortByCollationKeys(std::vector<std::u16string>& texts, const std::vector<std::string>& keys,
                         CollationStrength strength);

// Compares two texts by the same collator: negative, 0 or positive. Ties at tertiary
// strength are broken by code units.
int CompareCollated(std::u16string_view a, std::u16string_view b, CollationStrength strength);

// Simple case folding per code point, length-preserving: two texts that differ only in
// letter case (ASCII, full-width Latin, Greek...) fold to the same key. Full- and
// half-width forms and kana stay distinct.
std::u16string CaseFoldKey(std::u16string_view s);

// The same folding without building the key: a hash of CaseFoldKey(s), and whether two
// texts have equal keys.
std::size_t CaseFoldHash(std::u16string_view s);
bool CaseFoldEqual(std::u16string_view a, std::u16string_view b);

}  // namespace glyphgrab
