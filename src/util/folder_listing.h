// The plain files of one folder with their size and last-write time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "util/stop.h"

namespace glyphgrab {

struct TFileField {
  std::u16string name;  // without its folder
  std::int64_t size = 0;  // the true size; a 32-bit field would wrap at 2 GiB
  std::u16string date;  // local time, "yyyy/mm/dd"
  std::u16string time;  // local time, "hh:nn:ss"
  bool dirf = false;    // always false for listed files
};

using FolderListing = std::vector<TFileField>;

// Wildcard match as the Windows file search does it: "*" any run, "?" one character,
// letter case ignored.
bool MaskMatches(std::u16string_view mask, std::u16string_view name);

// Lists the plain files (symbolic links followed, hidden files included) of `folder`
// whose names match `mask`, in the order NTFS gives them: by the code units of the
// upper-cased names. Returns false, with an empty listing, when the folder cannot be
// read (`error`, when given, then says why: an errno value). Returned by value so that
// several threads may list at once.
bool ListFolderFiles(std::u16string_view folder, std::u16string_view mask, FolderListing& out,
                     int* error = nullptr);
FolderListing ListFolderFiles(std::u16string_view folder, std::u16string_view mask);

// The names alone of the plain files of `folder` (symbolic links followed, hidden files
// included), in the order of ListFolderFiles. The kind of each entry comes from the
// folder itself where the system says it, so a plain file costs no status query.
bool ListFolderFileNames(std::u16string_view folder, std::vector<std::u16string>& out,
                         int* error = nullptr);

// The listing row of one plain file given by its path (symbolic links followed); false
// when no plain file is there.
bool FileFieldOf(std::u16string_view path, TFileField& out);

// Whether a folder lies at `path` (symbolic links followed) and can be listed. 0 when it
// can; otherwise an errno value, with `missing` saying whether no folder is there at all
// (or it cannot be reached) rather than one that cannot be read.
int FolderReadError(std::u16string_view path, bool& missing);

// The names of the visible sub-folders of `folder` in the order the system gives them:
// names starting with "." and symbolic links are left out (on Windows also hidden and
// system folders and junctions). `stop` is asked before each
// entry after the first; false when it stopped the enumeration (the names found until
// then are kept). A folder that cannot be read has no sub-folders.
// `notes`, when given, says what was left out that a caller may want to report.
struct SubFolderNotes {
  int error = 0;                      // the folder could not be read: an errno value
  std::vector<std::u16string> links;  // names of symbolic links (junctions) to folders
};
bool ListSubFolders(std::u16string_view folder, std::vector<std::u16string>& names,
                    const StopRequested& stop, SubFolderNotes* notes = nullptr);

namespace detail {
// The date and time columns from local calendar fields.
void SetRowTime(TFileField& row, int year, int month, int day, int hour, int minute, int second);
// NTFS's order: by the code units of the upper-cased names.
void SortAsNtfs(FolderListing& rows);
void SortAsNtfs(std::vector<std::u16string>& names);
}  // namespace detail

}  // namespace glyphgrab
