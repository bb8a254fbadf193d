#include "util/collation.h"

#include <memory>

#include <unicode/coll.h>

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
  SortByCollationKeys(texts, keys, strength);
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

}  // namespace glyphgrab
