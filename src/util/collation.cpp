#include "util/collation.h"

#include <algorithm>
#include <memory>
#include <numeric>

#include <unicode/coll.h>
#include <unicode/uchar.h>
#include <unicode/utf16.h>

namespace glyphgrab {
namespace {

// One collator per thread and strength: ICU collators are not thread-safe for use, and
// opening one costs far more than a comparison.
icu::Collator* ThreadCollator(CollationStrength strength) {
  thread_local std::unique_ptr<icu::Collator> collators[2];
  auto& slot = collators[strength == CollationStrength::Secondary ? 0 : 1];
  if (!slot) {
    UErrorCode err = U_ZERO_ERROR;
    slot.reset(icu::Collator::createInstance(icu::Locale::getJapanese(), err));
    if (U_FAILURE(err)) {
      slot.reset();
      return nullptr;
    }
    slot->setStrength(strength == CollationStrength::Secondary ? icu::Collator::SECONDARY
                                                               : icu::Collator::TERTIARY);
  }
  return slot.get();
}

std::string SortKey(icu::Collator& collator, std::u16string_view s) {
  const icu::UnicodeString u(false, reinterpret_cast<const UChar*>(s.data()),
                             static_cast<int32_t>(s.size()));
  std::string key(32, '\0');
  int32_t n = collator.getSortKey(u, reinterpret_cast<uint8_t*>(key.data()),
                                  static_cast<int32_t>(key.size()));
  if (n > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(n));
    n = collator.getSortKey(u, reinterpret_cast<uint8_t*>(key.data()), n);
  }
  key.resize(n > 0 ? static_cast<std::size_t>(n) : 0);
  return key;
}

}  // namespace

void SortCollated(std::vector<std::u16string>& texts, CollationStrength strength) {
  icu::Collator* collator = ThreadCollator(strength);
  std::vector<std::string> keys;
  keys.reserve(texts.size());
  for (const auto& t : texts) {
    // Without a collator, code-unit order is the honest fallback.
    keys.push_back(collator ? SortKey(*collator, t)
                            : std::string(reinterpret_cast<const char*>(t.data()), t.size() * 2));
  }
  std::vector<std::size_t> order(texts.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
    if (keys[a] != keys[b]) return keys[a] < keys[b];
    return strength == CollationStrength::Tertiary && texts[a] < texts[b];
  });
  std::vector<std::u16string> sorted;
  sorted.reserve(texts.size());
  for (std::size_t i : order) sorted.push_back(std::move(texts[i]));
  texts = std::move(sorted);
}

int CompareCollated(std::u16string_view a, std::u16string_view b, CollationStrength strength) {
  if (icu::Collator* collator = ThreadCollator(strength)) {
    UErrorCode err = U_ZERO_ERROR;
    const UCollationResult r = collator->compare(
        reinterpret_cast<const UChar*>(a.data()), static_cast<int32_t>(a.size()),
        reinterpret_cast<const UChar*>(b.data()), static_cast<int32_t>(b.size()), err);
    if (U_SUCCESS(err) && r != UCOL_EQUAL) return r == UCOL_LESS ? -1 : 1;
  }
  if (strength == CollationStrength::Secondary) return 0;
  return a == b ? 0 : (a < b ? -1 : 1);
}

namespace {

// Calls emit(unit) for each unit of CaseFoldKey(s), in order.
template <typename Emit>
void EachFoldedUnit(std::u16string_view s, Emit emit) {
  const std::size_t n = s.size();
  std::size_t i = 0;
  while (i < n) {
    const char16_t c = s[i];
    if (c < 0x80) {
      emit(c >= u'A' && c <= u'Z' ? static_cast<char16_t>(c + 0x20) : c);
      ++i;
      continue;
    }
    const std::size_t start = i;
    UChar32 cp;
    U16_NEXT(s.data(), i, n, cp);
    const UChar32 folded = u_foldCase(cp, U_FOLD_CASE_DEFAULT);
    if (U16_LENGTH(folded) != static_cast<int>(i - start)) {
      for (std::size_t k = start; k < i; ++k) emit(s[k]);
    } else if (U16_LENGTH(folded) == 1) {
      emit(static_cast<char16_t>(folded));
    } else {
      emit(U16_LEAD(folded));
      emit(U16_TRAIL(folded));
    }
  }
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
  // Folding keeps the length, so texts of different lengths never fold alike.
  if (a.size() != b.size()) return false;
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

}  // namespace glyphgrab
