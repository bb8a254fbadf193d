// Every kind of file the tool reads, one entry each, and everything that differs
// between two kinds. A Jw_cad document class has a document entry: its reader, what
// the file list shows of its header, how it is emptied between files, whether the text
// reader takes it. A kind of file has a row of kFileKinds: how it is recognised, which
// documents may hold it, which one the file list reads a header from, how a text kind
// is taken. Adding a kind is adding its entry (and row) here and writing its reader;
// the compiler then asks for its text walk and its drawing, the only other code that
// is written per class.
#pragma once

#include <array>
#include <cstddef>
#include <string>
#include <string_view>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"
#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab {

// ---- The documents ------------------------------------------------------------------

// Which document of a set holds a file: a drawing or symbol of either generation.
enum class DocKind { kNone, kJww, kJws, kJwc, kJwk };

// The file list's "Ver." and "図面メモ" columns from a document's header.
struct HeaderColumns {
  std::u16string version;
  std::u16string memo;
};

// Releases a JWW document and deletes the image files its read unpacked.
void JwwDataFree(TJwwData& jww);

// A document entry names its kind and its class `Doc`, the reader: FileCheckBytes on
// the first bytes of a file, FileCheck/FileHeaderIn for the file list, FileInBytes for
// extraction, search and the preview, readInfo for how a read ended. Besides, each says
//   kKeepsRoom   whether emptying it keeps the room of its arrays (they grow large in
//                the archive-based classes; TDocumentSet::Empty),
//   kTextReader  whether extraction and search read its texts through TJwTexts,
//                without building the entities that carry none,
//   Columns      the file list's columns from its header,
//   Release      how its memory goes back.
// Its texts are walked by WalkTexts(const Doc&, TextVisitor&) (text_walk.cpp) and it is
// drawn by RenderDocument(const Doc&) (render_model.h).
template <typename D>
struct DocEntryBase {
  using Doc = D;
  static void Release(Doc& doc) { doc.DataFree(); }
};

struct JwwEntry : DocEntryBase<TJwwData> {
  static constexpr DocKind kKind = DocKind::kJww;
  static constexpr bool kKeepsRoom = true;
  static constexpr bool kTextReader = true;
  // The version number; the memo on one line.
  static HeaderColumns Columns(const Doc& d) {
    return {IntToText(d.Enthd.jwVer), RemoveBlanks(RemoveLineMarks(d.Enthd.strMemo))};
  }
  static void Release(Doc& doc) { JwwDataFree(doc); }
};

struct JwsEntry : DocEntryBase<TJwsData> {
  static constexpr DocKind kKind = DocKind::kJws;
  static constexpr bool kKeepsRoom = true;
  static constexpr bool kTextReader = true;
  // The version number; a symbol has no memo.
  static HeaderColumns Columns(const Doc& d) { return {IntToText(d.Enthd.jwVer), {}}; }
};

// The DOS generation keeps no version number: the column says "DOS"; the memo is the
// two header comments run together.
template <typename D>
struct DosEntryBase : DocEntryBase<D> {
  static constexpr bool kKeepsRoom = false;
  static constexpr bool kTextReader = false;
  static HeaderColumns Columns(const D& d) {
    return {u"DOS", RemoveBlanks(RemoveLineMarks(d.Enthd.comment1 + u" " + d.Enthd.comment2))};
  }
};

struct JwcEntry : DosEntryBase<TJwcData> {
  static constexpr DocKind kKind = DocKind::kJwc;
};

struct JwkEntry : DosEntryBase<TJwkData> {
  static constexpr DocKind kKind = DocKind::kJwk;
};

template <typename... E>
struct DocEntryList {};
// Every document entry; a TDocumentSet holds one document of each.
using DocEntries = DocEntryList<JwwEntry, JwsEntry, JwcEntry, JwkEntry>;

// ---- The kinds of file --------------------------------------------------------------

enum class FileKind {
  kOther,      // carries no texts the tool reads
  kJww,        // .jww
  kJwwBackup,  // .jw$: a JWW drawing kept aside
  kJws,        // .jws
  kJwc,        // .jwc
  kJwk,        // .jwk
  kBackup,     // .bak and every extension that starts with ".bk": a drawing of either
               // generation
  kTxt,        // .txt
  kCsv,        // .csv
  kHtml,       // .htm, .html
};

// How a text kind is taken: extraction lists each line, each CSV field, or an HTML
// file's title and the texts between the tags of its body; the file list's memo column
// shows the first line, or the HTML title. A search tests every line of each alike.
enum class TextForm { kNone, kLines, kCsvFields, kHtml };

// The documents that may hold a file, in the order they are tried.
struct DocReaders {
  DocKind kinds[2] = {DocKind::kNone, DocKind::kNone};
  std::size_t count = 0;
  constexpr const DocKind* begin() const { return kinds; }
  constexpr const DocKind* end() const { return kinds + count; }
};

struct FileKindRow {
  FileKind kind;
  std::u16string_view name;                 // the search kind's short name; none: never searched
  std::array<std::u16string_view, 2> exts;  // exact extensions (lower case); empty entries unused
  std::u16string_view extPrefix;            // and every extension that starts so
  DocReaders readers;                       // tried in this order, each by its check
  DocKind listHeader;                       // what the file list reads a header from
  // The extensions of the kind whose header the file list reads; all when null.
  bool (*listsHeader)(std::u16string_view extLower) = nullptr;
  TextForm text = TextForm::kNone;
};

namespace file_kinds {
constexpr DocReaders kNoReaders{};
constexpr DocReaders One(DocKind k) { return {{k, DocKind::kNone}, 1}; }
// The file list reads a backup's header (as a JWW drawing) only for ".bak" and the
// extensions from ".bk1" to ".bk9" in code-unit order (".bk10" too, ".bkx" not).
constexpr bool ListedBackup(std::u16string_view ext) {
  return ext == u".bak" || (ext >= u".bk1" && ext <= u".bk9");
}
}  // namespace file_kinds

// In the order the search window offers the searched kinds.
inline constexpr FileKindRow kFileKinds[] = {
    {FileKind::kJww, u"jww", {u".jww"}, {}, file_kinds::One(DocKind::kJww), DocKind::kJww},
    {FileKind::kJwwBackup, {}, {u".jw$"}, {}, file_kinds::One(DocKind::kJww), DocKind::kJww},
    {FileKind::kJws, u"jws", {u".jws"}, {}, file_kinds::One(DocKind::kJws), DocKind::kJws},
    {FileKind::kJwc, u"jwc", {u".jwc"}, {}, file_kinds::One(DocKind::kJwc), DocKind::kJwc},
    {FileKind::kJwk, u"jwk", {u".jwk"}, {}, file_kinds::One(DocKind::kJwk), DocKind::kJwk},
    // A backup of either generation: first tried as a JWC drawing, then as a JWW one.
    {FileKind::kBackup, {}, {u".bak"}, u".bk", {{DocKind::kJwc, DocKind::kJww}, 2}, DocKind::kJww,
     file_kinds::ListedBackup},
    {FileKind::kTxt, u"txt", {u".txt"}, {}, file_kinds::kNoReaders, DocKind::kNone, nullptr, TextForm::kLines},
    {FileKind::kCsv, u"csv", {u".csv"}, {}, file_kinds::kNoReaders, DocKind::kNone, nullptr,
     TextForm::kCsvFields},
    {FileKind::kHtml, u"html", {u".htm", u".html"}, {}, file_kinds::kNoReaders, DocKind::kNone, nullptr,
     TextForm::kHtml},
};

}  // namespace glyphgrab
