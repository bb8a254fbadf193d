#include "documents/file_kind.h"

#include <array>

namespace glyphgrab {
namespace {

// Every document a row names has an entry: one without would be read as nothing.
constexpr bool HasEntry(DocKind kind) {
  return kind == DocKind::kNone ||
         []<typename... E>(DocKind k, DocEntryList<E...>) { return ((E::kKind == k) || ...); }(kind, DocEntries{});
}
static_assert([] {
  for (const FileKindRow& row : kFileKinds) {
    if (!HasEntry(row.listHeader)) return false;
    for (const DocKind doc : row.readers)
      if (!HasEntry(doc)) return false;
  }
  return true;
}());

const FileKindRow* RowOf(FileKind kind) {
  for (const FileKindRow& row : kFileKinds)
    if (row.kind == kind) return &row;
  return nullptr;
}

}  // namespace

std::u16string_view FileKindName(FileKind kind) {
  const FileKindRow* row = RowOf(kind);
  return row ? row->name : std::u16string_view();
}

FileKind FileKindNamed(std::u16string_view name) {
  for (const FileKindRow& row : kFileKinds)
    if (!name.empty() && row.name == name) return row.kind;
  return FileKind::kOther;
}

FileKind FileKindOf(std::u16string_view extLower) {
  for (const FileKindRow& row : kFileKinds) {
    for (std::u16string_view ext : row.exts)
      if (!ext.empty() && ext == extLower) return row.kind;
  }
  for (const FileKindRow& row : kFileKinds)
    if (!row.extPrefix.empty() && extLower.starts_with(row.extPrefix)) return row.kind;
  return FileKind::kOther;
}

TextForm TextFormOf(FileKind kind) {
  const FileKindRow* row = RowOf(kind);
  return row ? row->text : TextForm::kNone;
}

bool IsTextKind(FileKind kind) { return TextFormOf(kind) != TextForm::kNone; }

DocReaders ReadersOf(FileKind kind) {
  const FileKindRow* row = RowOf(kind);
  return row ? row->readers : DocReaders{};
}

DocKind DocumentOf(FileKind kind) {
  const DocReaders readers = ReadersOf(kind);
  return readers.count == 1 ? readers.kinds[0] : DocKind::kNone;
}

DocKind ListHeaderDocument(std::u16string_view extLower) {
  const FileKindRow* row = RowOf(FileKindOf(extLower));
  if (!row || (row->listsHeader && !row->listsHeader(extLower))) return DocKind::kNone;
  return row->listHeader;
}

bool CheckBytes(DocKind kind, ByteSpan bytes) {
  return WithDocEntry(kind, false, [bytes](auto entry) { return decltype(entry)::Doc::FileCheckBytes(bytes); });
}

bool ReadWhole(DocKind kind, ByteSpan bytes, TDocumentSet& docs) {
  return WithDocument(docs, kind, false, [bytes](auto& doc) { return doc.FileInBytes(bytes); });
}

HeaderRead ReadHeader(DocKind kind, std::u16string_view path, TDocumentSet& docs) {
  return WithDocument(docs, kind, HeaderRead{}, [path](auto& doc) {
    HeaderRead r;
    r.checked = doc.FileCheck(path);
    r.read = r.checked && doc.FileHeaderIn(path);
    return r;
  });
}

DocKind CheckedReader(FileKind kind, ByteSpan bytes) {
  for (const DocKind doc : ReadersOf(kind))
    if (CheckBytes(doc, bytes)) return doc;
  return DocKind::kNone;
}

DocKind ReadDocument(FileKind kind, ByteSpan bytes, TDocumentSet& docs) {
  const DocKind doc = CheckedReader(kind, bytes);
  if (doc != DocKind::kNone) ReadWhole(doc, bytes, docs);
  return doc;
}

void FreeReaders(FileKind kind, TDocumentSet& docs) {
  for (const DocKind doc : ReadersOf(kind)) docs.Free(doc);
}

void EmptyReaders(FileKind kind, TDocumentSet& docs, std::size_t fileSize) {
  for (const DocKind doc : ReadersOf(kind)) docs.Empty(doc, fileSize);
}

}  // namespace glyphgrab
