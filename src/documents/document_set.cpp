#include "documents/document_set.h"

namespace glyphgrab {

TDocumentSet::TDocumentSet(const std::u16string& imageFolder) {
  std::apply(
      [&imageFolder](auto&... doc) {
        const auto bind = [&imageFolder](auto& d) {
          if constexpr (std::is_base_of_v<TJwDocument, std::remove_reference_t<decltype(d)>>) {
            d.BindImageFolder = imageFolder;
            d.BindImageExp = false;
            d.BindImageExr = false;
          }
        };
        (bind(doc), ...);
      },
      docs_);
}

void TDocumentSet::FreeAll() {
  [this]<typename... E>(DocEntryList<E...>) { (E::Release(Of<typename E::Doc>()), ...); }(DocEntries{});
}

void TDocumentSet::Free(DocKind kind) {
  WithDocEntry(kind, 0, [this](auto entry) {
    using E = decltype(entry);
    E::Release(Of<typename E::Doc>());
    return 0;
  });
}

void TDocumentSet::Empty(DocKind kind, std::size_t fileSize) {
  WithDocEntry(kind, 0, [this, fileSize](auto entry) {
    using E = decltype(entry);
    auto& doc = Of<typename E::Doc>();
    if constexpr (E::kKeepsRoom) {
      if (fileSize <= kKeepRoomLimit) {
        doc.BindImageDeleteGzFile();
        doc.BindImageDeleteNonGzFile();
        doc.DataInit();
        return 0;
      }
    }
    E::Release(doc);
    return 0;
  });
}

HeaderColumns HeaderColumnsOf(const TDocumentSet& docs, DocKind kind) {
  return WithDocEntry(kind, HeaderColumns{}, [&docs](auto entry) {
    using E = decltype(entry);
    return E::Columns(docs.Of<typename E::Doc>());
  });
}

const TReadInfo& ReadInfoOf(const TDocumentSet& docs, DocKind kind) {
  static const TReadInfo kNothingRead;
  return *WithDocument(docs, kind, &kNothingRead, [](const auto& doc) { return &doc.readInfo; });
}

void JwwDataFree(TJwwData& jww) {
  jww.BindImageDeleteGzFile();
  jww.BindImageDeleteNonGzFile();
  jww.DataFree();
  jww.BindImageInit();
}

}  // namespace glyphgrab
