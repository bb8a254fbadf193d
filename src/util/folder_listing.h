// The plain files of one folder with their size and last-write time.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

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

// The listing row of one plain file given by its path (symbolic links followed); false
// when no plain file is there.
bool FileFieldOf(std::u16string_view path, TFileField& out);

}  // namespace glyphgrab
