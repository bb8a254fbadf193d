#include "extract/extraction_list.h"

#include <algorithm>

#include "util/collation.h"
#include "util/strings.h"

namespace glyphgrab {

void ExtractionList::Clear() {
  lines_.clear();
  hashes_.clear();
  std::fill(slots_.begin(), slots_.end(), 0u);
}

bool ExtractionList::Insert(std::u16string_view line, std::size_t hash) {
  // Keep the table at most half full.
  if ((lines_.size() + 1) * 2 > slots_.size()) Rehash(std::max<std::size_t>(64, slots_.size() * 2));
  const std::size_t mask = slots_.size() - 1;
  std::size_t at = hash & mask;
  for (; slots_[at] != 0; at = (at + 1) & mask) {
    const std::size_t i = slots_[at] - 1;
    if (hashes_[i] == hash && CaseFoldEqual(lines_[i], line)) return false;
  }
  slots_[at] = static_cast<std::uint32_t>(lines_.size() + 1);
  return true;
}

bool ExtractionList::ExtractAdd(std::u16string_view s) {
  if (IsBlankText(s)) return false;
  // Most texts hold no control character: they are tested as they are, and copied
  // only when they join the list.
  std::u16string cleaned;
  const bool clean = removeBlanks_ || std::any_of(s.begin(), s.end(), [](char16_t c) { return c < 0x20; });
  if (clean) cleaned = removeBlanks_ ? RemoveBlanks(s) : RemoveControlChars(s);
  const std::u16string_view line = clean ? std::u16string_view(cleaned) : s;
  const std::size_t hash = CaseFoldHash(line);
  if (!Insert(line, hash)) return false;
  lines_.push_back(clean ? std::move(cleaned) : std::u16string(s));
  hashes_.push_back(hash);
  return true;
}

void ExtractionList::Sort() {
  SortCollated(lines_, CollationStrength::Secondary);
  // The slots and hashes follow the lines by index.
  for (std::size_t i = 0; i < lines_.size(); ++i) hashes_[i] = CaseFoldHash(lines_[i]);
  Rehash(slots_.size());
}

void ExtractionList::Rehash(std::size_t slotCount) {
  slots_.assign(slotCount, 0u);
  const std::size_t mask = slotCount - 1;
  for (std::uint32_t i = 0; i < lines_.size(); ++i) {
    std::size_t at = hashes_[i] & mask;
    while (slots_[at] != 0) at = (at + 1) & mask;
    slots_[at] = i + 1;
  }
}

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
