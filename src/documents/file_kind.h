// The kinds of file the tool reads, told apart by extension, and how each is read:
// which documents may hold it, in which order they are tried, and which document the
// file list reads a header from. Extraction, the file list, search and the preview all
// choose their reader here, from the rows of kFileKinds (document_kinds.h).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>

#include "documents/document_set.h"
#include "util/file_bytes.h"

namespace glyphgrab {

// A set of file kinds: the types a search takes, the kinds a file-list filter lists.
class FileKindSet {
 public:
  constexpr FileKindSet() = default;
  constexpr FileKindSet(std::initializer_list<FileKind> kinds) {
    for (const FileKind k : kinds) Set(k, true);
  }
  constexpr bool Has(FileKind k) const { return (bits_ & Bit(k)) != 0; }
  constexpr void Set(FileKind k, bool on) { bits_ = on ? bits_ | Bit(k) : bits_ & ~Bit(k); }
  constexpr bool Empty() const { return bits_ == 0; }
  friend constexpr bool operator==(FileKindSet, FileKindSet) = default;

 private:
  static constexpr std::uint32_t Bit(FileKind k) { return std::uint32_t{1} << static_cast<unsigned>(k); }
  std::uint32_t bits_ = 0;
};

// The kinds a search may take, in the order the search window offers them: those with a
// name in kFileKinds (backups, .jw$ and .bak, .bk*, are never searched).
inline constexpr std::size_t kSearchKindCount = [] {
  std::size_t n = 0;
  for (const FileKindRow& row : kFileKinds)
    if (!row.name.empty()) ++n;
  return n;
}();
inline constexpr std::array<FileKind, kSearchKindCount> kSearchKinds = [] {
  std::array<FileKind, kSearchKindCount> kinds{};
  std::size_t n = 0;
  for (const FileKindRow& row : kFileKinds)
    if (!row.name.empty()) kinds[n++] = row.kind;
  return kinds;
}();
inline constexpr FileKindSet kAllSearchKinds = [] {
  FileKindSet all;
  for (const FileKind k : kSearchKinds) all.Set(k, true);
  return all;
}();

// The short name of a search kind ("jww", ..., "html"), as the CLI's --types takes it;
// empty for the other kinds.
std::u16string_view FileKindName(FileKind kind);
// The search kind of that name; kOther for none.
FileKind FileKindNamed(std::u16string_view name);

// The kind of a file by its extension, lower case with its dot (FileExtLower).
FileKind FileKindOf(std::u16string_view extLower);

// How a text kind is taken (kNone for the others).
TextForm TextFormOf(FileKind kind);

// Whether the kind is a plain text, CSV or HTML file.
bool IsTextKind(FileKind kind);

// The documents that may hold a file of `kind`, in the order they are tried: a backup is
// first tried as a JWC drawing, then as a JWW one. Empty for the text kinds and kOther.
DocReaders ReadersOf(FileKind kind);

// The one document a file of `kind` is read into without a check (search reads this
// way); kNone for a backup, which needs the check to tell its generation.
DocKind DocumentOf(FileKind kind);

// The document whose header the file list reads for its "Ver." and memo columns. The file
// list reads backups only as JWW drawings, and only ".bak" and the extensions from ".bk1"
// to ".bk9" in code-unit order (".bk10" too, ".bkx" not); kNone for the other
// extensions, the text kinds included.
DocKind ListHeaderDocument(std::u16string_view extLower);

// The identification check of one document kind on the first bytes of a file.
bool CheckBytes(DocKind kind, ByteSpan bytes);

// Reads `bytes` whole into the document of `kind`, without the check; true when all was
// read. A read that stops part way leaves what it read in the document.
bool ReadWhole(DocKind kind, ByteSpan bytes, TDocumentSet& docs);

// The check and the header read of the file list, on the file at `path`.
struct HeaderRead {
  bool checked = false;  // the file passed its identification check
  bool read = false;     // and its header was read whole
};
HeaderRead ReadHeader(DocKind kind, std::u16string_view path, TDocumentSet& docs);

// The first of ReadersOf(kind) whose identification check passes on `bytes`; kNone when
// none does.
DocKind CheckedReader(FileKind kind, ByteSpan bytes);

// The check, then the whole read: the first of ReadersOf(kind) whose check passes reads
// `bytes`, and is returned (ReadInfoOf says how its read ended); kNone when no check
// passed.
DocKind ReadDocument(FileKind kind, ByteSpan bytes, TDocumentSet& docs);

// Releases every document a file of `kind` may have been read into.
void FreeReaders(FileKind kind, TDocumentSet& docs);
// The same with TDocumentSet::Empty: room kept after a file of `fileSize` bytes.
void EmptyReaders(FileKind kind, TDocumentSet& docs, std::size_t fileSize);

}  // namespace glyphgrab
