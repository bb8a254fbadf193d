#include "search/file_find.h"

#include <algorithm>
#include <cerrno>
#include <memory>

#include "documents/document_set.h"
#include "documents/file_kind.h"
#include "documents/text_walk.h"
#include "util/file_bytes.h"
#include "util/folder_listing.h"
#include "util/full_width.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/piece_matcher.h"
#include "util/text_stream.h"
#include "util/values.h"

namespace glyphgrab {

namespace {

constexpr std::u16string_view kResultMarker = u"　　:";

// The field test: a field matches when the keyword occurs in its normalised form. One
// buffer serves every field of a walk.
class FieldMatcher {
 public:
  explicit FieldMatcher(std::u16string_view keyword) : keyword_(keyword) {}

  bool operator()(std::u16string_view field) {
    NormalizeForMatchInto(field, buffer_);
    // Normalising removes the blanks: a field of blanks alone never matches.
    return !buffer_.empty() && StrIndexOf(keyword_, buffer_) >= 0;
  }

 private:
  std::u16string keyword_;
  std::u16string buffer_;
};

// Tests a document's texts in the walk's order; the first match ends the walk, since a
// test has no effect beyond its answer.
class FieldSearch final : public TextVisitor {
 public:
  explicit FieldSearch(FieldMatcher& match) : match_(match) {}

  bool Enter(TextSection) override { return true; }
  bool Visit(TextField, std::u16string_view text) override {
    found_ = match_(text);
    return !found_;
  }
  bool found() const { return found_; }

 private:
  FieldMatcher& match_;
  bool found_ = false;
};

// Every line of a text, CSV or HTML file as it is stored, markup included, read through
// a bounded buffer; a keyword across the pieces of a long line is found too. Matching
// ignores control characters.
bool TextFileMatches(std::u16string_view path, std::u16string_view keyword, int& error) {
  PieceMatcher match(keyword);
  bool found = false;
  TextStreamInfo info;
  const auto feed = [&](const TextPiece& piece) {
    found = match.Feed(piece.text, piece.lineEnds);
    return !found;
  };
  if (!StreamTextFile(path, feed, &info)) error = info.error;
  return found;
}

// The kinds the search window's check boxes take; .jw$ files and backups are not searched.
bool Selected(FileKind kind, const SearchOptions& o) {
  switch (kind) {
    case FileKind::kJww: return o.jww;
    case FileKind::kJws: return o.jws;
    case FileKind::kJwc: return o.jwc;
    case FileKind::kJwk: return o.jwk;
    case FileKind::kTxt: return o.txt;
    case FileKind::kCsv: return o.csv;
    case FileKind::kHtml: return o.html;
    default: return false;
  }
}

// One file: the name first; the contents only when the name did not match. The
// document is released after each file whatever its read answered.
// `error` is set (an errno value) when the contents could not be read.
bool FileFinds(const std::u16string& path, std::u16string_view name, FileKind kind,
               const SearchOptions& options, TDocumentSet& docs, FieldMatcher& match,
               std::u16string_view keyword, int& error) {
  if (!IsFile(path)) return false;
  if (options.names && match(name)) return true;
  if (!options.contents) return false;
  if (IsTextKind(kind)) return TextFileMatches(path, keyword, error);
  const DocKind doc = DocumentOf(kind);
  if (doc == DocKind::kNone) return false;
  // A drawing that cannot be read is said to be so rather than searched as an empty
  // document. The reader's answer is not consulted, and there is no identification
  // check: whatever a read leaves in the document is searched.
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, &error)) return false;
  ReadWhole(doc, bytes, docs);
  FieldSearch search(match);
  WalkTexts(docs, doc, search);
  docs.Free(doc);
  return search.found();
}

}  // namespace

bool FileContentsMatch(const std::u16string& path, std::u16string_view keyword) {
  SearchOptions options;
  options.names = false;
  options.contents = true;
  TDocumentSet docs;
  FieldMatcher match(keyword);
  int error = 0;
  return FileFinds(path, FileBaseName(path), FileKindOf(FileExtLower(path)), options, docs, match, keyword, error);
}

std::u16string SearchResult::Line() const {
  return folder + name + std::u16string(kResultMarker) + IntToText(node);
}

bool ParseResultLine(std::u16string_view line, std::u16string& path, int& node) {
  const int a = StrIndexOf(kResultMarker, line);
  if (a < 0) return false;
  node = TextToInt(StrFrom(line, a + 3));
  path = StrMid(line, 0, a);
  return true;
}

std::u16string SearchSummary::StatusText() const {
  if (stopped) return u"《ESC:中断しました》";
  std::u16string text =
      u"検索終了：対象" + IntToText(examined) + u"ファイル中、" + IntToText(matched) + u"ファイル";
  if (unreadable > 0) text += u"（読み込めないファイル：" + IntToText(unreadable) + u"）";
  return text;
}

std::u16string SearchProgressText(std::u16string_view path) {
  return u"検索中：" + std::u16string(path);
}

SearchSummary FileFind(const FolderTree& tree, std::u16string_view keyword,
                       const SearchOptions& options, const SearchCallbacks& callbacks) {
  SearchSummary summary;
  auto docs = std::make_unique<TDocumentSet>();
  FieldMatcher match(keyword);
  const int nodes = static_cast<int>(tree.size());
  for (int i = 0; i < nodes; ++i) {
    const std::u16string folder = tree.FolderTreePath(i);
    FolderListing rows;
    if (int error = 0; !ListFolderFiles(folder, u"*", rows, &error)) {
      // A folder whose files cannot be listed counts as one thing not read.
      ++summary.unreadable;
      if (callbacks.unreadable) callbacks.unreadable(folder, error);
    }
    for (const TFileField& row : rows) {
      if (Stopped(callbacks.stop)) {
        summary.stopped = true;
        return summary;
      }
      const FileKind kind = FileKindOf(FileExtLower(row.name));
      if (!Selected(kind, options)) continue;
      const std::u16string path = folder + row.name;
      if (callbacks.progress) callbacks.progress(path);
      ++summary.examined;
      int error = 0;
      if (FileFinds(path, row.name, kind, options, *docs, match, keyword, error)) {
        ++summary.matched;
        if (callbacks.found) callbacks.found({folder, row.name, i});
      }
      if (error != 0) {
        ++summary.unreadable;
        if (callbacks.unreadable) callbacks.unreadable(path, error);
      }
    }
  }
  return summary;
}

}  // namespace glyphgrab
