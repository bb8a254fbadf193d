#include "memo/memo_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "memo/memo_text.h"
#include "util/file_bytes.h"
#include "util/file_write.h"
#include "util/paths.h"
#include "util/text_file.h"
#include "util/values.h"

namespace glyphgrab {

MemoLoaded MemoLoadFile(std::u16string_view path) {
  MemoLoaded loaded;
  Bytes bytes;
  int error = 0;
  if (!ReadWholeFile(path, bytes, &error)) {
    if (error != ENOENT) {
      loaded.state = MemoFileState::kUnreadable;
      loaded.error = error;
    }
    return loaded;
  }
  std::size_t undecodable = 0;
  loaded.text = ToCrLfText(DecodeText(bytes, nullptr, &undecodable));
  loaded.state = undecodable > 0 ? MemoFileState::kUndecodable : MemoFileState::kClean;
  return loaded;
}

std::u16string MemoLoad(std::u16string_view path) { return MemoLoadFile(path).text; }

Bytes MemoFileBytes(std::u16string_view text) {
  Bytes out{0xEF, 0xBB, 0xBF};
  const Bytes body = StrToUtf8Bytes(text);
  out.insert(out.end(), body.begin(), body.end());
  return out;
}

bool MemoSave(std::u16string_view path, std::u16string_view text, int* error) {
  const Bytes bytes = MemoFileBytes(text);
  // A text the encoder refused must not replace the memo with an empty one.
  if (bytes.size() == 3 && !text.empty()) {
    if (error) *error = EILSEQ;
    return false;
  }
  return WriteFileAtomic(path, bytes, error);
}

namespace {

bool Exists(const std::u16string& path) { return PathExists(path); }

// "Memo.txt.bak", or the first of "Memo.txt.bak2", "Memo.txt.bak3"... that is free, so an
// earlier backup is never replaced.
std::u16string FreeBackupName(const std::u16string& path) {
  std::u16string name = path + u".bak";
  for (int k = 2; Exists(name) && k < 1000; ++k) name = path + u".bak" + IntToText(k);
  return name;
}

}  // namespace

MemoLoaded TMemoStore::Load() {
  RemoveStaleTemporaries(path_);
  MemoLoaded loaded = MemoLoadFile(path_);
  saved_ = loaded.text;
  state_ = loaded.state;
  return loaded;
}

TMemoStore::SaveResult TMemoStore::Save(std::u16string_view text) {
  SaveResult result;
  // An untouched file is left as its editor wrote it; a missing one is made, as always.
  if (!Unsaved(text) && state_ != MemoFileState::kMissing) return result;
  if (state_ == MemoFileState::kUndecodable || state_ == MemoFileState::kUnreadable) {
    // What the file held is not all in `text`: keep the file itself.
    const std::u16string backup = FreeBackupName(path_);
    if (const int error = RenamePath(path_, backup); error == 0) {
      result.backup = backup;
    } else if (error != ENOENT) {  // a file gone meanwhile has nothing left to keep
      result.ok = false;
      result.error = error;
      return result;
    }
    state_ = MemoFileState::kMissing;
  }
  if (!MemoSave(path_, text, &result.error)) {
    result.ok = false;
    return result;
  }
  saved_ = std::u16string(text);
  state_ = MemoFileState::kClean;
  return result;
}

std::u16string MemoBackupNotice(std::u16string_view path, std::u16string_view backup) {
  return u"メモファイル「" + std::u16string(path) + u"」は正しく読み込めなかったため、元のファイルを「" +
         std::u16string(backup) + u"」として残しました。";
}

std::u16string MemoSaveFailedMessage(std::u16string_view path, int error) {
  return u"メモファイル「" + std::u16string(path) + u"」を保存できませんでした。\n" +
         Utf8ToStr(std::strerror(error));
}

}  // namespace glyphgrab
