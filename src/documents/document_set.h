// One document object of each Jw_cad kind, reused for every file and emptied after each.
// The main window owns one set, and the search walk owns its own. This file is the one
// place that ties each document kind to its class; what differs between the classes
// beyond their readers is here too (see also file_kind.h for the kinds of file).
#pragma once

#include <cstddef>
#include <string>
#include <type_traits>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"

namespace glyphgrab {

// Which document of a set holds a file: a drawing or symbol of either generation.
enum class DocKind { kNone, kJww, kJws, kJwc, kJwk };

struct TDocumentSet {
  TJwwData JWW;
  TJwsData JWS;
  TJwcData JWC;
  TJwkData JWK;

  // Embedded images would be unpacked into `imageFolder`; unpacking stays off, so the
  // folder stays empty.
  explicit TDocumentSet(const std::u16string& imageFolder = {});

  // Releases all four, JWC, JWK, JWW, JWS in this order.
  void FreeAll();
  // Releases the one document of `kind` (JwwDataFree for JWW).
  void Free(DocKind kind);
  // Empties the document of `kind` after a file of `fileSize` bytes for the next one. A
  // drawing or symbol keeps the room its arrays grew to, which saves allocating them
  // again, unless the file was over kKeepRoomLimit: then, as always for the DOS
  // kinds, its memory goes back (Free).
  static constexpr std::size_t kKeepRoomLimit = std::size_t{4} << 20;
  void Empty(DocKind kind, std::size_t fileSize);
};

// Calls f(std::type_identity<Doc>{}) with the document class of `kind` and answers what
// it answers; `none` for kNone.
template <typename R, typename F>
R WithDocumentClass(DocKind kind, R none, F&& f) {
  switch (kind) {
    case DocKind::kJww: return f(std::type_identity<TJwwData>{});
    case DocKind::kJws: return f(std::type_identity<TJwsData>{});
    case DocKind::kJwc: return f(std::type_identity<TJwcData>{});
    case DocKind::kJwk: return f(std::type_identity<TJwkData>{});
    case DocKind::kNone: break;
  }
  return none;
}

// The object of class Doc in a set.
constexpr auto MemberOf(std::type_identity<TJwwData>) { return &TDocumentSet::JWW; }
constexpr auto MemberOf(std::type_identity<TJwsData>) { return &TDocumentSet::JWS; }
constexpr auto MemberOf(std::type_identity<TJwcData>) { return &TDocumentSet::JWC; }
constexpr auto MemberOf(std::type_identity<TJwkData>) { return &TDocumentSet::JWK; }

// Calls f(doc) with the document of `kind` in `docs` (const when `docs` is) and answers
// what it answers; `none` for kNone.
template <typename R, typename Set, typename F>
R WithDocument(Set& docs, DocKind kind, R none, F&& f) {
  return WithDocumentClass(kind, none, [&](auto type) -> R { return f(docs.*MemberOf(type)); });
}

// Whether emptying a document of this class may keep the room of its arrays: the
// archive-based classes grow large arrays worth keeping; the DOS ones do not.
template <typename Doc>
inline constexpr bool kKeepsRoom = std::is_base_of_v<TJwDocument, Doc>;

// The file list's "Ver." and "図面メモ" columns from a document's header.
struct HeaderColumns {
  std::u16string version;
  std::u16string memo;
};
HeaderColumns HeaderColumnsOf(const TJwwData& doc);  // version, the memo on one line
HeaderColumns HeaderColumnsOf(const TJwsData& doc);  // version; a symbol has no memo
HeaderColumns HeaderColumnsOf(const TJwcData& doc);  // "DOS", both comments on one line
HeaderColumns HeaderColumnsOf(const TJwkData& doc);  // the same

// How the last read of the document of `kind` ended; a status of kNotRead for kNone.
const TReadInfo& ReadInfoOf(const TDocumentSet& docs, DocKind kind);

// Releases a JWW document and deletes the image files its read unpacked.
void JwwDataFree(TJwwData& jww);

}  // namespace glyphgrab
