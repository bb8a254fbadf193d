#include "util/collation.h"

#include <algorithm>
#include <cstdint>
#include <numeric>

#include "util/case_map.h"

namespace glyphgrab {

namespace {

// Calls emit(unit) for each unit of CaseFoldKey(s), in order.
template <typename Emit>
void EachFoldedUnit(std::u16string_view s, Emit emit) {
  const std::size_t n = s.size();
  std::size_t i = 0;
  // ASCII folds here, and the letters of CJK punctuation, kana and the ideographs have
  // no case; the first other unit hands the rest to the text service.
  for (; i < n; ++i) {
    const char16_t c = s[i];
    if (c < 0x80) {
      emit(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c);
    } else if (c >= 0x3000 && c < 0xA000) {
      emit(c);
    } else {
      break;
    }
  }
  if (i == n) return;
  std::u16string rest(s.substr(i));
  MapCaseInPlace(rest.data(), rest.size(), CaseMap::Fold);
  for (char16_t c : rest) emit(c);
}

}  // namespace

std::size_t CaseFoldHash(std::u16string_view s) {
  std::uint64_t h = 14695981039346656037ull;  // FNV-1a over the folded units
  EachFoldedUnit(s, [&](char16_t c) {
    h ^= c;
    h *= 1099511628211ull;
  });
  return static_cast<std::size_t>(h ^ (h >> 29));
}

bool CaseFoldEqual(std::u16string_view a, std::u16string_view b) {
  // Folding keeps the length, so texts of different lengths never fold alike; equal
  // texts fold alike without folding.
  if (a.size() != b.size()) return false;
  if (a == b) return true;
  bool equal = true;
  std::size_t k = 0;
  const std::u16string fb = CaseFoldKey(b);
  EachFoldedUnit(a, [&](char16_t c) { equal = equal && fb[k++] == c; });
  return equal;
}

std::u16string CaseFoldKey(std::u16string_view s) {
  std::u16string out;
  out.reserve(s.size());
  EachFoldedUnit(s, [&](char16_t c) { out.push_back(c); });
  return out;
}

void SortByCollationKeys(std::vector<std::u16string>& texts, const std::vector<std::string>& keys,
                         CollationStrength strength) {
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (keys[a] != keys[b]) return keys[a] < keys[b];  // std::string compares bytes unsigned
    return strength == CollationStrength::Tertiary && texts[a] < texts[b];
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(texts.size());
  for (std::size_t i : order) sorted.push_back(std::move(texts[i]));
  texts = std::move(sorted);
}

}  // namespace glyphgrab
