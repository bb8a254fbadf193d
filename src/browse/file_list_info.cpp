#include "browse/file_list_info.h"

#include <cerrno>

#include "documents/file_kind.h"
#include "util/file_bytes.h"
#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_stream.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

std::size_t StopPos(const TJwDocument& doc) { return doc.ReadStopPos; }
std::size_t Undecodable(const TJwDocument& doc) { return doc.ReadUndecodable; }
template <typename Doc>
std::size_t StopPos(const TDosDocument<Doc>& doc) { return doc.readInfo.stopPos; }
template <typename Doc>
std::size_t Undecodable(const TDosDocument<Doc>& doc) { return doc.readInfo.badBytes; }

FileInfoResult HeaderResult(HeaderRead h, const auto& doc) {
  if (!h.checked) return {FileInfoRead::kNotFormat, 0, 0};
  if (!h.read) return {FileInfoRead::kStopped, StopPos(doc), Undecodable(doc)};
  return {FileInfoRead::kOk, 0, Undecodable(doc)};
}

// The DOS generation keeps no version number: the column says "DOS"; the memo is the two
// header comments run together.
template <typename Doc>
void DosColumns(const Doc& doc, std::u16string& ver, std::u16string& memo) {
  ver = u"DOS";
  memo = RemoveBlanks(RemoveLineMarks(doc.Enthd.comment1 + u" " + doc.Enthd.comment2));
}

}  // namespace

bool IsJwwListExtension(std::u16string_view ext) {
  return ListHeaderDocument(ext) == DocKind::kJww;
}

FileInfoResult FileListInfo(std::u16string_view path, TFileListDocs& docs, std::u16string& ver,
                            std::u16string& memo) {
  ver.clear();
  memo.clear();
  const std::u16string ext = FileExtLower(path);
  const DocKind doc = ListHeaderDocument(ext);
  const HeaderRead h = ReadHeader(doc, path, docs);
  switch (doc) {
    case DocKind::kJww:
      if (h.read) {
        ver = IntToText(docs.JWW.Enthd.jwVer);
        memo = RemoveBlanks(RemoveLineMarks(docs.JWW.Enthd.strMemo));
      }
      return HeaderResult(h, docs.JWW);
    case DocKind::kJws:
      if (h.read) ver = IntToText(docs.JWS.Enthd.jwVer);  // a symbol has no memo
      return HeaderResult(h, docs.JWS);
    case DocKind::kJwc:
      if (h.read) DosColumns(docs.JWC, ver, memo);
      return HeaderResult(h, docs.JWC);
    case DocKind::kJwk:
      if (h.read) DosColumns(docs.JWK, ver, memo);
      return HeaderResult(h, docs.JWK);
    case DocKind::kNone:
      break;
  }
  switch (FileKindOf(ext)) {
    case FileKind::kTxt:
    case FileKind::kCsv:
      return {FileMemoTxt(path, memo) ? FileInfoRead::kOk : FileInfoRead::kCannotRead, 0, 0};
    case FileKind::kHtml:
      return {FileMemoHtml(path, memo) ? FileInfoRead::kOk : FileInfoRead::kCannotRead, 0, 0};
    default:
      return {};
  }
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
  return StreamTextFile(
      path,
      [&](const TextPiece& line) {
        const std::u16string s = RemoveControlChars(line.text);
        const int q = StrIndexOf(u"<TITLE>", s);
        if (q < 0) return true;
        const std::u16string rest = StrFrom(s, q + 7);
        const int end = StrIndexOf(u"<", rest);
        memo = end < 0 ? rest : StrMid(rest, 0, end);
        return false;
      },
      nullptr, kMemoPrefixBytes);
}

namespace {

FileListRow RowOf(std::u16string_view path, const TFileField& field, TFileListDocs& docs,
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
                                      TFileListDocs& docs, int* error) {
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

bool FileListRowOf(std::u16string_view path, TFileListDocs& docs, FileListRow& row,
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
