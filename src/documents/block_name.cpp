#include "documents/block_name.h"

#include "util/strings.h"

namespace glyphgrab {

std::u16string VisibleBlockName(std::u16string_view name) {
  const int p = StrIndexOf(u"@@SFIGORGFLAG@@", StrUpper(name));
  return p >= 0 ? StrMid(name, 0, p) : std::u16string(name);
}

}  // namespace glyphgrab
