#include "extract/extraction_list.h"

#include "util/collation.h"
#include "util/strings.h"

namespace glyphgrab {

void ExtractionList::Clear() {
  lines_.clear();
  keys_.clear();
}

bool ExtractionList::ExtractAdd(std::u16string_view s) {
  if (RemoveBlanks(s).empty()) return false;
  std::u16string line = removeBlanks_ ? RemoveBlanks(s) : RemoveControlChars(s);
  if (!keys_.insert(CaseFoldKey(line)).second) return false;
  lines_.push_back(std::move(line));
  return true;
}

void ExtractionList::Sort() { SortCollated(lines_, CollationStrength::Secondary); }

std::u16string FileHeaderLine(std::u16string_view fileName) {
  std::u16string line = u"【";
  line.append(fileName);
  line.append(u"】");
  return line;
}

bool IsSectionHeader(std::u16string_view line) {
  return line.find(u"-----【") != std::u16string_view::npos &&
         line.find(u"】-----") != std::u16string_view::npos;
}

}  // namespace glyphgrab
