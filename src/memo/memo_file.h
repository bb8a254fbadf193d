// The memo file "Memo.txt": UTF-8 with a byte-order mark and the memo text exactly as
// held. Reading detects a byte-order mark, then UTF-8 without one, and otherwise takes
// code page 932, so files written by other editors load too.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "util/codepage.h"
#include "util/file_version.h"

namespace glyphgrab {

inline constexpr char16_t kMemoFileName[] = u"Memo.txt";

enum class MemoFileState {
  kMissing,      // no file yet: nothing to keep
  kClean,        // read and decoded without a loss
  kUndecodable,  // read, but some bytes became U+FFFD: writing it back would lose them
  kUnreadable,   // there, but it could not be read (permission, I/O error)
};

struct MemoLoaded {
  std::u16string text;  // line breaks made CR LF; empty unless read
  MemoFileState state = MemoFileState::kMissing;
  int error = 0;        // errno of the failed read, for kUnreadable
  std::u16string backup;  // TMemoStore::Load: where a file not read cleanly was kept
};

// Decodes the bytes of a memo file. A byte-order mark says the encoding; without one
// the text is UTF-8 when it is valid UTF-8, or when it is UTF-8 with a few damaged
// bytes (cut mid-character, a stray byte), and code page 932 otherwise. `clean` is false
// when any byte had to become U+FFFD: writing the text back would lose it.
std::u16string DecodeMemoBytes(ByteSpan bytes, bool* clean = nullptr);

MemoLoaded MemoLoadFile(std::u16string_view path);

// The memo text of the file with its line breaks made CR LF; empty when the file is
// missing or cannot be read.
std::u16string MemoLoad(std::u16string_view path);

// The file's bytes for a memo text: the byte-order mark, then the text in UTF-8.
Bytes MemoFileBytes(std::u16string_view text);

// Replaces the file atomically, also for an empty memo (the file then holds the mark
// alone). False when it could not be written (`error` gets the errno value); the old
// file then stays as it was.
bool MemoSave(std::u16string_view path, std::u16string_view text, int* error = nullptr);

// The memo file over a run: it is never written over with less than it held. An
// untouched memo is not written at all; a file that could not be read without loss is
// kept beside itself under a backup name as soon as it is read, one that could not be
// read at all before it is first written over. Another program's change to the file
// since this run read or wrote it is merged, not overwritten. Not thread-safe.
class TMemoStore {
 public:
  // `source`: where the memo is read when it differs from where it is saved (a tool
  // folder that cannot be written).
  explicit TMemoStore(std::u16string path, std::u16string source = {})
      : path_(std::move(path)), source_(source.empty() ? path_ : std::move(source)) {}

  // Reads the file (and removes temporary files a killed save left beside it).
  MemoLoaded Load();

  struct SaveResult {
    bool ok = true;
    int error = 0;           // errno of a failed save
    std::u16string backup;   // set once: where the old file was kept
    // The file changed since this run read or wrote it: the lines the other program
    // added were appended to the memo (`merged` is the memo as saved). When it also
    // removed or changed lines, its version is kept under `otherKept` as well.
    int mergedLines = 0;
    std::u16string merged;
    std::u16string otherKept;
  };
  // Writes `text` when it differs from what the file holds as far as this run knows, or
  // when there is no file yet.
  SaveResult Save(std::u16string_view text);
  bool Unsaved(std::u16string_view text) const { return text != saved_; }

  const std::u16string& path() const { return path_; }
  MemoFileState state() const { return state_; }

 private:
  void Remember(ByteSpan bytes);

  std::u16string path_;
  std::u16string source_;
  std::u16string saved_;  // the text the file holds
  MemoFileState state_ = MemoFileState::kMissing;
  FileVersion stamp_;       // the file as this run last read or wrote it
  std::uint64_t hash_ = 0;  // of its bytes
};

// The notice shown once when the old memo file was kept under `backup`.
std::u16string MemoBackupNotice(std::u16string_view path, std::u16string_view backup);
// The notice of a merge: the other program's lines were taken over (and its version
// kept under `otherKept` when not empty).
std::u16string MemoMergedNotice(std::u16string_view path, int lines, std::u16string_view otherKept);
// The notice at start-up of a memo file that exists but cannot be read.
std::u16string MemoUnreadableNotice(std::u16string_view path, int error);
// The message of a failed save: the file and the reason.
std::u16string MemoSaveFailedMessage(std::u16string_view path, int error);

}  // namespace glyphgrab
