#include "memo/memo_file.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <unordered_map>
#include <vector>

#include "memo/memo_text.h"
#include "util/file_bytes.h"
#include "util/file_version.h"
#include "util/file_write.h"
#include "util/paths.h"
#include "util/text_decoder.h"
#include "util/text_file.h"
#include "util/utf.h"
#include "util/values.h"

namespace glyphgrab {

namespace {

// Without a mark, a text whose non-ASCII bytes mostly form valid UTF-8 sequences is
// UTF-8 that lost a byte or two; code page 932 text read as UTF-8 is mostly invalid (its
// lead bytes 81-9F are continuation bytes).
bool MostlyUtf8(ByteSpan bytes) {
  std::size_t valid = 0, invalid = 0;
  for (std::size_t i = 0; i < bytes.size();) {
    if (bytes[i] < 0x80) {
      ++i;
      continue;
    }
    if (NextUtf8(bytes.data(), i, bytes.size()) == kUtf8Invalid) {
      ++invalid;
    } else {
      ++valid;
    }
  }
  return valid > 0 && valid >= 2 * invalid;
}

}  // namespace

std::u16string DecodeMemoBytes(ByteSpan bytes, bool* clean) {
  const ByteOrderMark mark = DetectByteOrderMark(bytes);
  TextEncoding encoding = mark.encoding;
  if (mark.length == 0) encoding = MostlyUtf8(bytes) ? TextEncoding::Utf8 : TextEncoding::Cp932;
  TextDecoder decoder(encoding);
  std::u16string text;
  text.reserve(bytes.size());
  decoder.Decode(bytes.subspan(mark.length), true, text);
  if (clean) *clean = decoder.undecodable() == 0;
  return text;
}

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
  bool clean = true;
  loaded.text = ToCrLfText(DecodeMemoBytes(bytes, &clean));
  loaded.state = clean ? MemoFileState::kClean : MemoFileState::kUndecodable;
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



}  // namespace

void TMemoStore::Remember(ByteSpan bytes) {
  stamp_ = FileVersionOf(path_);
  hash_ = HashBytes(bytes);
}

MemoLoaded TMemoStore::Load() {
  RemoveStaleTemporaries(path_);
  MemoLoaded loaded;
  Bytes bytes;
  int error = 0;
  if (!ReadWholeFile(source_, bytes, &error)) {
    if (error != ENOENT) {
      loaded.state = MemoFileState::kUnreadable;
      loaded.error = error;
    }
    state_ = loaded.state;
    saved_.clear();
    stamp_ = source_ == path_ ? FileVersionOf(path_) : FileVersion{};
    return loaded;
  }
  bool clean = true;
  loaded.text = ToCrLfText(DecodeMemoBytes(bytes, &clean));
  loaded.state = clean ? MemoFileState::kClean : MemoFileState::kUndecodable;
  saved_ = loaded.text;
  state_ = loaded.state;
  if (!clean) {
    // Kept now, before any save could write the damaged reading over it.
    const std::u16string backup = FreeBackupName(path_);
    if (WriteFileAtomic(backup, bytes)) {
      loaded.backup = backup;
      state_ = MemoFileState::kClean;
    }
  }
  if (source_ != path_) {
    // Read elsewhere: the file to save is made at the first save.
    state_ = MemoFileState::kMissing;
    stamp_ = {};
    hash_ = 0;
  } else {
    Remember(bytes);
  }
  return loaded;
}

namespace {

// The lines another program added to the memo file since `base` was read or written,
// as far as `ours` does not hold them already; `removed` tells whether it also took
// lines away (those stay in ours).
std::vector<std::u16string> OtherSidesNewLines(const std::u16string& base, const std::u16string& theirs,
                                              std::u16string_view ours, bool& removed) {
  std::unordered_map<std::u16string, int> inBase, inTheirs, inOurs;
  for (std::u16string& l : SplitLines(base)) ++inBase[std::move(l)];
  const std::vector<std::u16string> theirLines = SplitLines(theirs);
  for (const std::u16string& l : theirLines) ++inTheirs[l];
  for (std::u16string& l : SplitLines(ours)) ++inOurs[std::move(l)];
  removed = false;
  for (const auto& [line, n] : inBase) {
    if (inTheirs[line] < n) removed = true;
  }
  std::vector<std::u16string> added;
  std::unordered_map<std::u16string, int> taken;
  for (const std::u16string& l : theirLines) {
    if (l.empty()) continue;
    const int want = inTheirs[l] - std::max(inBase[l], inOurs[l]);
    if (taken[l] < want) {
      ++taken[l];
      added.push_back(l);
    }
  }
  return added;
}

}  // namespace

TMemoStore::SaveResult TMemoStore::Save(std::u16string_view text) {
  SaveResult result;
  // An untouched file is left as its editor wrote it; a missing one is made, as always.
  if (!Unsaved(text) && state_ != MemoFileState::kMissing) return result;
  std::u16string_view out = text;
  if (state_ != MemoFileState::kUnreadable) {
    // Another program (an editor) may have changed the file since: its lines are kept.
    const FileVersion now = FileVersionOf(path_);
    Bytes theirs;
    if (now.exists && !(now == stamp_) && ReadWholeFile(path_, theirs) &&
        (!stamp_.exists || HashBytes(theirs) != hash_)) {
      bool clean = true;
      const std::u16string theirText = ToCrLfText(DecodeMemoBytes(theirs, &clean));
      bool removed = false;
      const std::vector<std::u16string> added = OtherSidesNewLines(saved_, theirText, text, removed);
      if (removed || !clean) {
        // What the merge cannot carry stays in a file of its own.
        const std::u16string kept = StampedBackupName(path_);
        if (WriteFileAtomic(kept, theirs)) result.otherKept = kept;
      }
      if (!added.empty()) {
        TMemoText merged{std::u16string(text)};
        merged.AppendLines(added);
        result.merged = merged.Text();
        result.mergedLines = static_cast<int>(added.size());
        out = result.merged;
      }
      if (state_ == MemoFileState::kMissing) state_ = MemoFileState::kClean;
      saved_ = theirText;
      Remember(theirs);
    }
  }
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
  const Bytes bytes = MemoFileBytes(out);
  if (bytes.size() == 3 && !out.empty()) {  // the encoder refused the text
    result.ok = false;
    result.error = EILSEQ;
    return result;
  }
  if (!WriteFileAtomic(path_, bytes, &result.error)) {
    result.ok = false;
    return result;
  }
  saved_ = std::u16string(out);
  state_ = MemoFileState::kClean;
  Remember(bytes);
  return result;
}

std::u16string MemoMergedNotice(std::u16string_view path, int lines, std::u16string_view otherKept) {
  std::u16string text = u"メモファイル「" + std::u16string(path) + u"」が他のプログラムで変更されていたため、追加された" +
                        IntToText(lines) + u"行をメモに取り込みました。";
  if (!otherKept.empty()) text += u"変更前の内容と異なる部分があるため、そのファイルを「" + std::u16string(otherKept) + u"」として残しました。";
  return text;
}

std::u16string MemoUnreadableNotice(std::u16string_view path, int error) {
  return u"メモファイル「" + std::u16string(path) + u"」を読み込めません。\n" + Utf8ToStr(std::strerror(error)) +
         u"\nメモは空で始まります。保存するときは元のファイルを別名で残します。";
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
