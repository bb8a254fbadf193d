#include "documents/identification.h"

#include <algorithm>
#include <string>

namespace glyphgrab {

bool IdentMatches(ByteSpan head, std::string_view ident) {
  if (head.size() < ident.size()) return false;
  const std::u16string text = AnsiBytesToStr(head.first(ident.size()));
  return text.size() == ident.size() && std::equal(text.begin(), text.end(), ident.begin());
}

}  // namespace glyphgrab
