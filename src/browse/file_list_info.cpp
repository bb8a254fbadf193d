#include "browse/file_list_info.h"

#include <cerrno>

#include "documents/file_kind.h"
#include "extract/html_text.h"
#include "util/file_bytes.h"
#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_stream.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

FileInfoResult HeaderResult(HeaderRead h, const TReadInfo& info) {
  if (!h.checked) return {FileInfoRead::kNotFormat, 0, 0};
  switch (info.status) {
    case TReadStatus::kComplete: return {FileInfoRead::kOk, 0, info.undecodable};
    // Gone or locked between the check and the read.
    case TReadStatus::kCannotOpen: return {FileInfoRead::kCannotRead, 0, 0};
    default: return {FileInfoRead::kStopped, info.stopPos, info.undecodable};
  }
}

}  // namespace

bool IsJwwListExtension(std::u16string_view ext) {
  return ListHeaderDocument(ext) == DocKind::kJww;
}

FileInfoResult FileListInfo(std::u16string_view path, TDocumentSet& docs, std::u16string& ver,
                            std::u16string& memo) {
  ver.clear();
  memo.clear();
  const std::u16string ext = FileExtLower(path);
  const DocKind doc = ListHeaderDocument(ext);
  const HeaderRead h = ReadHeader(doc, path, docs);
  if (h.read) {
    HeaderColumns columns = HeaderColumnsOf(docs, doc);
    ver = std::move(columns.version);
    memo = std::move(columns.memo);
  }
  if (doc != DocKind::kNone) return HeaderResult(h, ReadInfoOf(docs, doc));
  switch (TextFormOf(FileKindOf(ext))) {
    case TextForm::kLines:
    case TextForm::kCsvFields:
      return {FileMemoTxt(path, memo) ? FileInfoRead::kOk : FileInfoRead::kCannotRead, 0, 0};
    case TextForm::kHtml:
      return {FileMemoHtml(path, memo) ? FileInfoRead::kOk : FileInfoRead::kCannotRead, 0, 0};
    case TextForm::kNone:
      break;
  }
  return {};
}

bool FileMemoTxt(std::u16string_view path, std::u16string& memo) {
  memo.clear();
  return StreamTextFile(
      path,
      [&](const TextPiece& first) {
        memo = RemoveControlChars(first.text);
        return false;
      },
      nullptr, kMemoPrefixBytes);
}

bool FileMemoHtml(std::u16string_view path, std::u16string& memo) {
  memo.clear();
  HtmlTitleStep title(HtmlTitleRule::kListMemo);
  const bool read = StreamTextFile(
      path, [&](const TextPiece& piece) { return title.Feed(piece.text, piece.lineEnds); }, nullptr,
      kMemoPrefixBytes);
  if (title.found()) memo = title.title();
  return read;
}

namespace {

FileListRow RowOf(std::u16string_view path, const TFileField& field, TDocumentSet& docs,
                  FileInfoResult* result) {
  FileListRow row;
  row.name = field.name;
  row.type = FileExtLower(field.name);
  row.modified = field.date + u' ' + field.time;
  row.size = IntToText(field.size);
  const FileInfoResult r = FileListInfo(path, docs, row.version, row.memo);
  if (result) *result = r;
  return row;
}

}  // namespace

std::vector<FileListRow> FileListMake(std::u16string_view folder, std::u16string_view mask,
                                      TDocumentSet& docs, int* error) {
  const std::u16string base = AddTrailingDelim(folder);
  std::vector<FileListRow> rows;
  FolderListing listing;
  int why = 0;
  ListFolderFiles(base, mask, listing, &why);
  if (error) *error = why;
  rows.reserve(listing.size());
  for (const TFileField& f : listing) rows.push_back(RowOf(base + f.name, f, docs, nullptr));
  return rows;
}

bool FileListRowOf(std::u16string_view path, TDocumentSet& docs, FileListRow& row,
                   FileInfoResult* result) {
  row = FileListRow{};
  if (const ReadableFile file(path); !file.ok()) {
    if (result) *result = FileInfoResult{.error = file.error()};
    return false;
  }
  TFileField field;
  if (!FileFieldOf(path, field)) {
    if (result) *result = FileInfoResult{.error = ENOENT};  // gone since it was opened
    return false;
  }
  row = RowOf(path, field, docs, result);
  return true;
}

}  // namespace glyphgrab
