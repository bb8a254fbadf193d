// The file list of the main window: the filter entries, the rows of one folder and the
// column sort.
#pragma once

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "documents/file_kind.h"

namespace glyphgrab {

struct FileFilterEntry {
  std::u16string_view text;  // as the drop-down list shows it
  std::u16string_view mask;  // passed to the folder listing
  FileKind kind;             // the kind it lists alone; kOther for the wider entries
};

// Labels in Japanese, the program's name always spelt "Jw_cad"; the settings file stores
// the entry's place, so the order never changes.
inline constexpr std::array<FileFilterEntry, 9> kFileFilters = {{
    {u"すべてのファイル (*.*)", u"*", FileKind::kOther},
    {u"Jw_cad ファイル (*.jw?)", u"*.jw?", FileKind::kOther},
    {u"Jw_cad 図面ファイル (*.jww)", u"*.jww", FileKind::kJww},
    {u"Jw_cad 図形ファイル (*.jws)", u"*.jws", FileKind::kJws},
    {u"Jw_cad DOS版図面ファイル (*.jwc)", u"*.jwc", FileKind::kJwc},
    {u"Jw_cad DOS版図形ファイル (*.jwk)", u"*.jwk", FileKind::kJwk},
    {u"テキストファイル (*.txt)", u"*.txt", FileKind::kTxt},
    {u"CSVファイル (*.csv)", u"*.csv", FileKind::kCsv},
    {u"HTMLファイル (*.htm*)", u"*.htm*", FileKind::kHtml},
}};

// The mask of a filter entry; "*" when none (or no valid one) is selected.
std::u16string_view FilterMask(int entry);
// The entry that lists files of this name's type alone (letter case ignored); 0, all
// files, for a type without an entry of its own.
int FilterEntryFor(std::u16string_view fileName);

// One row of the file list: the caption and the five columns.
struct FileListRow {
  std::u16string name;      // "ファイル名"
  std::u16string type;      // "種類": the lower-case extension with its dot
  std::u16string memo;      // "図面メモ"
  std::u16string modified;  // "更新日時": "yyyy/mm/dd hh:nn:ss"
  std::u16string size;      // "サイズ": bytes in decimal
  std::u16string version;   // "Ver."

  const std::u16string& Column(int column) const;
};

inline constexpr int kFileListColumns = 6;
inline constexpr int kSizeColumn = 4;

// The column sort: every click, on the same or another column, reverses the direction,
// so the first click sorts descending.
class FileListSort {
 public:
  int sortColumn() const { return sort1_; }   // -1 before the first click
  int direction() const { return sort2_; }    // 0 ascending, 1 descending

  void ColumnClick(int column, std::vector<FileListRow>& rows);
  // Negative, 0 or positive as the rows order by the last clicked column and direction.
  int Compare(const FileListRow& a, const FileListRow& b) const;

 private:
  int sort1_ = -1;
  int sort2_ = 0;
};

// Code units compared after mapping a-z to A-Z only; a prefix sorts first.
int CompareAsciiCaseInsensitive(std::u16string_view a, std::u16string_view b);

// Status texts of the file list.
std::u16string FileListDoneText(std::size_t files);  // "ファイル検索しました（ファイル数：N）"
inline constexpr std::u16string_view kFileListBusyText = u"ファイル検索中です";

}  // namespace glyphgrab
