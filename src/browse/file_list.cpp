#include "browse/file_list.h"

#include <algorithm>

#include "util/paths.h"
#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab {

std::u16string_view FilterMask(int entry) {
  if (entry < 0 || entry >= static_cast<int>(kFileFilters.size())) return u"*";
  return kFileFilters[static_cast<std::size_t>(entry)].mask;
}

int FilterEntryFor(std::u16string_view fileName) {
  const FileKind kind = FileKindOf(FileExtLower(fileName));
  for (std::size_t i = 0; i < kFileFilters.size(); ++i) {
    if (kFileFilters[i].kind != FileKind::kOther && kFileFilters[i].kind == kind) return static_cast<int>(i);
  }
  return 0;
}

const std::u16string& FileListRow::Column(int column) const {
  switch (column) {
    case 1: return type;
    case 2: return memo;
    case 3: return modified;
    case 4: return size;
    case 5: return version;
    default: return name;
  }
}

int CompareAsciiCaseInsensitive(std::u16string_view a, std::u16string_view b) {
  auto fold = [](char16_t c) -> char16_t { return c >= u'a' && c <= u'z' ? c - 0x20 : c; };
  const std::size_t n = std::min(a.size(), b.size());
  for (std::size_t i = 0; i < n; ++i) {
    const char16_t x = fold(a[i]), y = fold(b[i]);
    if (x != y) return x < y ? -1 : 1;
  }
  if (a.size() == b.size()) return 0;
  return a.size() < b.size() ? -1 : 1;
}

int FileListSort::Compare(const FileListRow& a, const FileListRow& b) const {
  if (sort1_ < 0) return 0;
  std::u16string k1 = a.Column(sort1_);
  std::u16string k2 = b.Column(sort1_);
  if (sort1_ == kSizeColumn) {
    // Left-padded with blanks, sizes compare by value.
    const std::size_t width = std::max(k1.size(), k2.size());
    k1.insert(0, width - k1.size(), u' ');
    k2.insert(0, width - k2.size(), u' ');
  }
  return sort2_ == 0 ? CompareAsciiCaseInsensitive(k1, k2) : CompareAsciiCaseInsensitive(k2, k1);
}

void FileListSort::ColumnClick(int column, std::vector<FileListRow>& rows) {
  sort1_ = std::clamp(column, 0, kFileListColumns - 1);
  sort2_ = 1 - sort2_;
  std::stable_sort(rows.begin(), rows.end(),
                   [&](const FileListRow& a, const FileListRow& b) { return Compare(a, b) < 0; });
}

std::u16string FileListDoneText(std::size_t files) {
  return u"ファイル検索しました（ファイル数：" + IntToText(static_cast<std::int64_t>(files)) + u"）";
}

}  // namespace glyphgrab
