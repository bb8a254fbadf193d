#include "browse/file_list_info.h"

#include <cerrno>

#include "util/file_bytes.h"
#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_stream.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

FileInfoResult HeaderResult(bool checked, bool read, const TJwDocument& doc) {
  if (!checked) return {FileInfoRead::kNotFormat, 0, 0};
  if (!read) return {FileInfoRead::kStopped, doc.ReadStopPos, doc.ReadUndecodable};
  return {FileInfoRead::kOk, 0, doc.ReadUndecodable};
}

// The DOS generation keeps no version number: the column says "DOS"; the memo is the two
// header comments run together.
template <typename Doc>
FileInfoResult DosInfo(Doc& doc, std::u16string_view path, std::u16string& ver,
                       std::u16string& memo) {
  if (!Doc::FileCheck(path)) return {FileInfoRead::kNotFormat, 0, 0};
  if (!doc.FileHeaderIn(path)) return {FileInfoRead::kStopped, doc.readInfo.stopPos, doc.readInfo.badBytes};
  ver = u"DOS";
  memo = RemoveBlanks(RemoveLineMarks(doc.Enthd.comment1 + u" " + doc.Enthd.comment2));
  return {FileInfoRead::kOk, 0, doc.readInfo.badBytes};
}

}  // namespace

bool IsJwwListExtension(std::u16string_view ext) {
  return ext == u".jww" || ext == u".bak" || ext == u".jw$" || (ext >= u".bk1" && ext <= u".bk9");
}

FileInfoResult FileListInfo(std::u16string_view path, TFileListDocs& docs, std::u16string& ver,
                            std::u16string& memo) {
  ver.clear();
  memo.clear();
  const std::u16string ext = FileExtLower(path);
  if (IsJwwListExtension(ext)) {
    TJwwData& jw = docs.Jww;
    const bool checked = jw.FileCheck(path);
    const bool read = checked && jw.FileHeaderIn(path);
    if (read) {
      ver = IntToText(jw.Enthd.jwVer);
      memo = RemoveBlanks(RemoveLineMarks(jw.Enthd.strMemo));
    }
    return HeaderResult(checked, read, jw);
  }
  if (ext == u".jws") {
    TJwsData& js = docs.Jws;
    const bool checked = js.FileCheck(path);
    const bool read = checked && js.FileHeaderIn(path);
    if (read) ver = IntToText(js.Enthd.jwVer);  // a symbol has no memo
    return HeaderResult(checked, read, js);
  }
  if (ext == u".jwc") return DosInfo(docs.Jwc, path, ver, memo);
  if (ext == u".jwk") return DosInfo(docs.Jwk, path, ver, memo);
  if (ext == u".txt" || ext == u".csv") {
    return {FileMemoTxt(path, memo) ? FileInfoRead::kOk : FileInfoRead::kCannotRead, 0, 0};
  }
  if (ext == u".htm" || ext == u".html") {
    return {FileMemoHtml(path, memo) ? FileInfoRead::kOk : FileInfoRead::kCannotRead, 0, 0};
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
