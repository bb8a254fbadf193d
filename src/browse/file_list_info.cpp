#include "browse/file_list_info.h"

#include <fstream>

#include "util/folder_listing.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/text_file.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

FileInfoResult HeaderResult(bool checked, bool read, const TJwDocument& doc) {
  if (!checked) return {FileInfoRead::kNotFormat, 0, 0};
  if (!read) return {FileInfoRead::kStopped, doc.ReadStopPos, doc.ReadUndecodable};
  return {FileInfoRead::kOk, 0, doc.ReadUndecodable};
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
  // ".jwc" and ".jwk": version "DOS" and the two header comments, once their documents
  // join TFileListDocs.
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
  TextLines text;
  if (!LoadTextFileLines(path, text)) return false;
  if (!text.lines.empty()) memo = RemoveControlChars(text.lines.front());
  return true;
}

bool FileMemoHtml(std::u16string_view path, std::u16string& memo) {
  memo.clear();
  TextLines text;
  if (!LoadTextFileLines(path, text)) return false;
  for (const std::u16string& line : text.lines) {
    const std::u16string s = RemoveControlChars(line);
    const int q = StrIndexOf(u"<TITLE>", s);
    if (q < 0) continue;
    const std::u16string rest = StrFrom(s, q + 7);
    const int end = StrIndexOf(u"<", rest);
    memo = end < 0 ? rest : StrMid(rest, 0, end);
    break;
  }
  return true;
}

bool FileListRowOf(std::u16string_view path, TFileListDocs& docs, FileListRow& row,
                   FileInfoResult* result) {
  row = FileListRow{};
  if (!IsFile(path)) return false;
  if (!std::ifstream(PathToNative(path), std::ios::binary)) return false;
  const std::u16string name = FileBaseName(path);
  const std::u16string_view dir = path.substr(0, path.size() - name.size());
  const std::u16string folder(dir.empty() ? std::u16string_view(u".") : dir);
  // The listing gives the size and the local date and time exactly as the file list
  // shows them.
  FolderListing listing;
  ListFolderFiles(folder, name, listing);
  bool found = false;
  for (const TFileField& f : listing) {
    if (f.name != name) continue;
    row.modified = f.date;
    row.modified += u' ';
    row.modified += f.time;
    row.size = IntToText(f.size);
    found = true;
    break;
  }
  if (!found) return false;
  row.name = name;
  row.type = FileExtLower(name);
  const FileInfoResult r = FileListInfo(path, docs, row.version, row.memo);
  if (result) *result = r;
  return true;
}

}  // namespace glyphgrab
