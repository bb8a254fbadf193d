// One document object of each Jw_cad kind, reused for every file and emptied after each.
// The main window owns one set, and the search walk owns its own. The set holds one
// document per entry of DocEntries (document_kinds.h), where each kind is tied to its
// class; the calls here reach the document of a kind through that list.
#pragma once

#include <cstddef>
#include <string>
#include <tuple>
#include <type_traits>

#include "documents/document_kinds.h"

namespace glyphgrab {

namespace document_set {
template <typename List>
struct Documents;
template <typename... E>
struct Documents<DocEntryList<E...>> {
  using type = std::tuple<typename E::Doc...>;
};
}  // namespace document_set

class TDocumentSet {
 public:
  // Embedded images would be unpacked into `imageFolder`; unpacking stays off, so the
  // folder stays empty.
  explicit TDocumentSet(const std::u16string& imageFolder = {});

  // The document of class Doc.
  template <typename Doc>
  Doc& Of() {
    return std::get<Doc>(docs_);
  }
  template <typename Doc>
  const Doc& Of() const {
    return std::get<Doc>(docs_);
  }

  // Releases every document.
  void FreeAll();
  // Releases the one document of `kind` (JwwDataFree for JWW).
  void Free(DocKind kind);
  // Empties the document of `kind` after a file of `fileSize` bytes for the next one. A
  // document whose entry keeps room keeps the room its arrays grew to, which saves
  // allocating them again, unless the file was over kKeepRoomLimit: then, as always for
  // the others, its memory goes back (Free).
  static constexpr std::size_t kKeepRoomLimit = std::size_t{4} << 20;
  void Empty(DocKind kind, std::size_t fileSize);

 private:
  document_set::Documents<DocEntries>::type docs_;
};

// Calls f(Entry{}) with the document entry of `kind` and answers what it answers;
// `none` for kNone.
template <typename R, typename F>
R WithDocEntry(DocKind kind, R none, F&& f) {
  return [&]<typename... E>(DocEntryList<E...>) -> R {
    R answer = none;
    (void)((kind == E::kKind && (static_cast<void>(answer = f(E{})), true)) || ...);
    return answer;
  }(DocEntries{});
}

// Calls f(doc) with the document of `kind` in `docs` (const when `docs` is) and answers
// what it answers; `none` for kNone.
template <typename R, typename Set, typename F>
R WithDocument(Set& docs, DocKind kind, R none, F&& f) {
  return WithDocEntry(kind, none, [&](auto entry) -> R {
    return f(docs.template Of<typename decltype(entry)::Doc>());
  });
}

// The file list's columns from the header of the document of `kind`; empty for kNone.
HeaderColumns HeaderColumnsOf(const TDocumentSet& docs, DocKind kind);

// How the last read of the document of `kind` ended; a status of kNotRead for kNone.
const TReadInfo& ReadInfoOf(const TDocumentSet& docs, DocKind kind);

}  // namespace glyphgrab
