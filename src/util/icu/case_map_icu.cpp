#include "util/case_map.h"

#include <unicode/uchar.h>

#include "util/utf.h"

namespace glyphgrab {

void MapCaseInPlace(char16_t* d, std::size_t n, CaseMap how) {
  std::size_t i = 0;
  while (i < n) {
    const std::size_t start = i;
    const char32_t cp = NextCodePoint(d, i, n);
    const auto c = static_cast<UChar32>(cp);
    const UChar32 mapped = how == CaseMap::Upper   ? u_toupper(c)
                           : how == CaseMap::Lower ? u_tolower(c)
                                                   : u_foldCase(c, U_FOLD_CASE_DEFAULT);
    if (Utf16Length(static_cast<char32_t>(mapped)) == i - start) PutUtf16(d + start, static_cast<char32_t>(mapped));
  }
}

}  // namespace glyphgrab
