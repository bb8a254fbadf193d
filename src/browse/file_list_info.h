// The per-file details of the file list: the "Ver." and "図面メモ" columns, read from
// the header of a Jw_cad file or the first line (title) of a text (HTML) file.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "browse/file_list.h"
#include "util/folder_listing.h"
#include "documents/document_set.h"

namespace glyphgrab {

// What reading the details found, for diagnostics; the columns are the interface.
enum class FileInfoRead {
  kNoReader,    // a type without details (empty columns)
  kOk,          // the columns come from the file
  kNotFormat,   // the file is not of its extension's format (FileCheck failed)
  kStopped,     // the header could not be read completely
  kCannotRead,  // a text file that could not be loaded, or a drawing that could not be
                // opened after its check
};

struct FileInfoResult {
  FileInfoRead read = FileInfoRead::kNoReader;
  std::size_t stopPos = 0;  // kStopped: the byte offset where reading stopped
  std::size_t undecodable = 0;  // bytes of stored texts that became U+FFFD
  int error = 0;  // why FileListRowOf found no readable file (an errno value)
};

// ".jww", ".bak", ".jw$" and every extension from ".bk1" to ".bk9" in code-unit order
// (".bk10" too): read as a JWW drawing.
bool IsJwwListExtension(std::u16string_view extLower);

// The "Ver." and "図面メモ" columns of one file; both empty when the header cannot be
// read. Here and below, `docs` receives the header data of each file read; the owner
// reuses it (it is emptied before every read). Not shared between threads.
FileInfoResult FileListInfo(std::u16string_view path, TDocumentSet& docs, std::u16string& ver,
                            std::u16string& memo);

// The memo column reads no more than this of a text, CSV or HTML file: a file of any
// size is listed at once.
inline constexpr std::size_t kMemoPrefixBytes = std::size_t{64} << 10;

// The first line of a text or CSV file, without control characters, as far as it lies
// within the first kMemoPrefixBytes; empty for an empty file or a failed load (then
// false).
bool FileMemoTxt(std::u16string_view path, std::u16string& memo);
// The text after the first "<TITLE>" (in upper case exactly) up to the next "<", found
// within the first kMemoPrefixBytes.
bool FileMemoHtml(std::u16string_view path, std::u16string& memo);

// The rows of the file list for the files of `folder` (with or without its trailing
// delimiter) that match `mask`, in listing order, with their details. `error`, when
// given, is set (an errno value) when the folder could not be read, and 0 otherwise.
std::vector<FileListRow> FileListMake(std::u16string_view folder, std::u16string_view mask,
                                      TDocumentSet& docs, int* error = nullptr);

// A whole file-list row for one file given by its path (the CLI's `info`): name, type,
// memo, date and time, size, version. False when it is not a readable file.
bool FileListRowOf(std::u16string_view path, TDocumentSet& docs, FileListRow& row,
                   FileInfoResult* result = nullptr);

}  // namespace glyphgrab
