#include "documents/document_set.h"

namespace glyphgrab {

TDocumentSet::TDocumentSet(const std::u16string& imageFolder) {
  for (TJwDocument* doc : {static_cast<TJwDocument*>(&JWW), static_cast<TJwDocument*>(&JWS)}) {
    doc->BindImageFolder = imageFolder;
    doc->BindImageExp = false;
    doc->BindImageExr = false;
  }
}

void TDocumentSet::FreeAll() {
  JWC.DataFree();
  JWK.DataFree();
  JwwDataFree(JWW);
  JWS.DataFree();
}

void TDocumentSet::Free(DocKind kind) {
  switch (kind) {
    case DocKind::kJww: JwwDataFree(JWW); break;
    case DocKind::kJws: JWS.DataFree(); break;
    case DocKind::kJwc: JWC.DataFree(); break;
    case DocKind::kJwk: JWK.DataFree(); break;
    case DocKind::kNone: break;
  }
}

const TReadInfo& ReadInfoOf(const TDocumentSet& docs, DocKind kind) {
  static const TReadInfo kNothingRead;
  switch (kind) {
    case DocKind::kJww: return docs.JWW.readInfo;
    case DocKind::kJws: return docs.JWS.readInfo;
    case DocKind::kJwc: return docs.JWC.readInfo;
    case DocKind::kJwk: return docs.JWK.readInfo;
    case DocKind::kNone: break;
  }
  return kNothingRead;
}

void TDocumentSet::Empty(DocKind kind, std::size_t fileSize) {
  if (fileSize > kKeepRoomLimit) {
    Free(kind);
  } else if (kind == DocKind::kJww) {
    JWW.BindImageDeleteGzFile();
    JWW.BindImageDeleteNonGzFile();
    JWW.DataInit();
  } else if (kind == DocKind::kJws) {
    JWS.DataInit();
  } else {
    Free(kind);
  }
}

void JwwDataFree(TJwwData& jww) {
  jww.BindImageDeleteGzFile();
  jww.BindImageDeleteNonGzFile();
  jww.DataFree();
  jww.BindImageInit();
}

}  // namespace glyphgrab
