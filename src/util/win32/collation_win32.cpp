#include <windows.h>

#include <string>

#include "util/collation.h"

namespace glyphgrab {
namespace {

constexpr const wchar_t* kJapanese = L"ja-JP";

// Punctuation sorts as a symbol (string sort), not ignored as in word sort. Secondary
// strength ignores what ICU's secondary strength ignores: case, width and kana type.
DWORD Flags(CollationStrength strength) {
  DWORD flags = SORT_STRINGSORT;
  if (strength == CollationStrength::Secondary) {
    flags |= NORM_IGNORECASE | NORM_IGNOREWIDTH | NORM_IGNOREKANATYPE;
  }
  return flags;
}

const wchar_t* Wide(std::u16string_view s) { return reinterpret_cast<const wchar_t*>(s.data()); }

std::string SortKey(std::u16string_view s, DWORD flags) {
  if (s.empty()) return {};
  const int n = static_cast<int>(s.size());
  const int need = LCMapStringEx(kJapanese, LCMAP_SORTKEY | flags, Wide(s), n, nullptr, 0,
                                 nullptr, nullptr, 0);
  if (need <= 0) return std::string(reinterpret_cast<const char*>(s.data()), s.size() * 2);
  std::string key(static_cast<std::size_t>(need), '\0');
  const int got = LCMapStringEx(kJapanese, LCMAP_SORTKEY | flags, Wide(s), n,
                                reinterpret_cast<wchar_t*>(key.data()), need, nullptr, nullptr, 0);
  key.resize(got > 0 ? static_cast<std::size_t>(got) : 0);
  // The key ends with a zero byte, which would make a prefix compare as greater.
  while (!key.empty() && key.back() == '\0') key.pop_back();
  return key;
}

}  // namespace

void SortCollated(std::vector<std::u16string>& texts, CollationStrength strength) {
  const DWORD flags = Flags(strength);
  std::vector<std::string> keys;
  keys.reserve(texts.size());
  for (const auto& t : texts) keys.push_back(SortKey(t, flags));
  SortByCollationKeys(texts, keys, strength);
}

int CompareCollated(std::u16string_view a, std::u16string_view b, CollationStrength strength) {
  const int r = CompareStringEx(kJapanese, Flags(strength), Wide(a), static_cast<int>(a.size()),
                                Wide(b), static_cast<int>(b.size()), nullptr, nullptr, 0);
  if (r == CSTR_LESS_THAN) return -1;
  if (r == CSTR_GREATER_THAN) return 1;
  if (strength == CollationStrength::Secondary) return 0;
  return a == b ? 0 : (a < b ? -1 : 1);
}

}  // namespace glyphgrab
