#include "documents/file_kind.h"

#include <array>

namespace glyphgrab {
namespace {

struct KindRow {
  FileKind kind;
  std::u16string_view name;                 // the search kind's short name
  std::array<std::u16string_view, 2> exts;  // exact extensions; empty entries unused
  DocReaders readers;
  DocKind listHeader;  // what the file list reads a header from
  TextForm text = TextForm::kNone;
};

constexpr DocReaders kNoReaders{};
constexpr DocReaders One(DocKind k) { return {{k, DocKind::kNone}, 1}; }

// kBackup's extensions are a rule, not a list: see FileKindOf.
constexpr KindRow kKinds[] = {
    {FileKind::kJww, u"jww", {u".jww"}, One(DocKind::kJww), DocKind::kJww},
    {FileKind::kJwwBackup, {}, {u".jw$"}, One(DocKind::kJww), DocKind::kJww},
    {FileKind::kJws, u"jws", {u".jws"}, One(DocKind::kJws), DocKind::kJws},
    {FileKind::kJwc, u"jwc", {u".jwc"}, One(DocKind::kJwc), DocKind::kJwc},
    {FileKind::kJwk, u"jwk", {u".jwk"}, One(DocKind::kJwk), DocKind::kJwk},
    {FileKind::kBackup, {}, {u".bak"}, {{DocKind::kJwc, DocKind::kJww}, 2}, DocKind::kJww},
    {FileKind::kTxt, u"txt", {u".txt"}, kNoReaders, DocKind::kNone, TextForm::kLines},
    {FileKind::kCsv, u"csv", {u".csv"}, kNoReaders, DocKind::kNone, TextForm::kCsvFields},
    {FileKind::kHtml, u"html", {u".htm", u".html"}, kNoReaders, DocKind::kNone, TextForm::kHtml},
};

const KindRow* RowOf(FileKind kind) {
  for (const KindRow& row : kKinds)
    if (row.kind == kind) return &row;
  return nullptr;
}

}  // namespace

std::u16string_view FileKindName(FileKind kind) {
  const KindRow* row = RowOf(kind);
  return row ? row->name : std::u16string_view();
}

FileKind FileKindNamed(std::u16string_view name) {
  for (const KindRow& row : kKinds)
    if (!name.empty() && row.name == name) return row.kind;
  return FileKind::kOther;
}

FileKind FileKindOf(std::u16string_view extLower) {
  for (const KindRow& row : kKinds) {
    for (std::u16string_view ext : row.exts)
      if (!ext.empty() && ext == extLower) return row.kind;
  }
  if (extLower.starts_with(u".bk")) return FileKind::kBackup;
  return FileKind::kOther;
}

TextForm TextFormOf(FileKind kind) {
  const KindRow* row = RowOf(kind);
  return row ? row->text : TextForm::kNone;
}

bool IsTextKind(FileKind kind) { return TextFormOf(kind) != TextForm::kNone; }

DocReaders ReadersOf(FileKind kind) {
  const KindRow* row = RowOf(kind);
  return row ? row->readers : kNoReaders;
}

DocKind DocumentOf(FileKind kind) {
  const DocReaders readers = ReadersOf(kind);
  return readers.count == 1 ? readers.kinds[0] : DocKind::kNone;
}

DocKind ListHeaderDocument(std::u16string_view extLower) {
  const FileKind kind = FileKindOf(extLower);
  if (kind == FileKind::kBackup && extLower != u".bak" &&
      !(extLower >= u".bk1" && extLower <= u".bk9")) {
    return DocKind::kNone;
  }
  const KindRow* row = RowOf(kind);
  return row ? row->listHeader : DocKind::kNone;
}

bool CheckBytes(DocKind kind, ByteSpan bytes) {
  return WithDocumentClass(kind, false, [bytes](auto type) {
    return decltype(type)::type::FileCheckBytes(bytes);
  });
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
