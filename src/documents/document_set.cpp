#include "documents/document_set.h"

#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

void Release(TJwwData& jww) { JwwDataFree(jww); }
template <typename Doc>
void Release(Doc& doc) {
  doc.DataFree();
}

// The DOS generation keeps no version number: the column says "DOS"; the memo is the two
// header comments run together.
template <typename Doc>
HeaderColumns DosColumns(const Doc& doc) {
  return {u"DOS", RemoveBlanks(RemoveLineMarks(doc.Enthd.comment1 + u" " + doc.Enthd.comment2))};
}

}  // namespace

TDocumentSet::TDocumentSet(const std::u16string& imageFolder) {
  for (TJwDocument* doc : {static_cast<TJwDocument*>(&JWW), static_cast<TJwDocument*>(&JWS)}) {
    doc->BindImageFolder = imageFolder;
    doc->BindImageExp = false;
    doc->BindImageExr = false;
  }
}

void TDocumentSet::FreeAll() {
  for (const DocKind kind : {DocKind::kJwc, DocKind::kJwk, DocKind::kJww, DocKind::kJws}) Free(kind);
}

void TDocumentSet::Free(DocKind kind) {
  WithDocument(*this, kind, 0, [](auto& doc) {
    Release(doc);
    return 0;
  });
}

void TDocumentSet::Empty(DocKind kind, std::size_t fileSize) {
  WithDocument(*this, kind, 0, [fileSize](auto& doc) {
    using Doc = std::remove_reference_t<decltype(doc)>;
    if constexpr (kKeepsRoom<Doc>) {
      if (fileSize <= kKeepRoomLimit) {
        doc.BindImageDeleteGzFile();
        doc.BindImageDeleteNonGzFile();
        doc.DataInit();
        return 0;
      }
    }
    Release(doc);
    return 0;
  });
}

const TReadInfo& ReadInfoOf(const TDocumentSet& docs, DocKind kind) {
  static const TReadInfo kNothingRead;
  return *WithDocument(docs, kind, &kNothingRead, [](const auto& doc) { return &doc.readInfo; });
}

HeaderColumns HeaderColumnsOf(const TJwwData& doc) {
  return {IntToText(doc.Enthd.jwVer), RemoveBlanks(RemoveLineMarks(doc.Enthd.strMemo))};
}
HeaderColumns HeaderColumnsOf(const TJwsData& doc) { return {IntToText(doc.Enthd.jwVer), {}}; }
HeaderColumns HeaderColumnsOf(const TJwcData& doc) { return DosColumns(doc); }
HeaderColumns HeaderColumnsOf(const TJwkData& doc) { return DosColumns(doc); }

void JwwDataFree(TJwwData& jww) {
  jww.BindImageDeleteGzFile();
  jww.BindImageDeleteNonGzFile();
  jww.DataFree();
  jww.BindImageInit();
}

}  // namespace glyphgrab
