#include <windows.h>

#include <string>

#include "util/case_map.h"
#include "util/utf.h"

namespace glyphgrab {
namespace {

DWORD Flags(CaseMap how) {
  // Simple folding is lower-casing without the locale's special cases.
  switch (how) {
    case CaseMap::Upper: return LCMAP_UPPERCASE | LCMAP_LINGUISTIC_CASING;
    case CaseMap::Lower: return LCMAP_LOWERCASE | LCMAP_LINGUISTIC_CASING;
    case CaseMap::Fold: return LCMAP_LOWERCASE;
  }
  return LCMAP_LOWERCASE;
}

const wchar_t* Locale(CaseMap how) {
  return how == CaseMap::Fold ? LOCALE_NAME_INVARIANT : LOCALE_NAME_USER_DEFAULT;
}

// Maps s into out; the number of units written, 0 on failure.
int Map(const char16_t* s, int n, char16_t* out, int capacity, CaseMap how) {
  return LCMapStringEx(Locale(how), Flags(how), reinterpret_cast<const wchar_t*>(s), n,
                       reinterpret_cast<wchar_t*>(out), capacity, nullptr, nullptr, 0);
}

}  // namespace

void MapCaseInPlace(char16_t* d, std::size_t n, CaseMap how) {
  if (n == 0) return;
  const int len = static_cast<int>(n);
  std::u16string mapped(n, u'\0');
  if (Map(d, len, mapped.data(), len, how) == len) {
    mapped.copy(d, n);
    return;
  }
  // Some character changed its length: map code point by code point and keep those.
  std::size_t i = 0;
  while (i < n) {
    const std::size_t start = i;
    NextCodePoint(d, i, n);
    const int units = static_cast<int>(i - start);
    char16_t one[4];
    if (Map(d + start, units, one, 4, how) == units) {
      for (int k = 0; k < units; ++k) d[start + static_cast<std::size_t>(k)] = one[k];
    }
  }
}

}  // namespace glyphgrab
