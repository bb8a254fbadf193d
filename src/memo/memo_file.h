// The memo file "Memo.txt": UTF-8 with a byte-order mark and the memo text exactly as
// held. Reading detects a byte-order mark, then UTF-8 without one, and otherwise takes
// code page 932, so files written by other editors load too.
#pragma once

#include <string>
#include <string_view>

#include "util/codepage.h"

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
};

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
// untouched memo is not written at all; a file that could not be read, or not without
// loss, is first kept beside itself under a backup name. Not thread-safe.
class TMemoStore {
 public:
  explicit TMemoStore(std::u16string path) : path_(std::move(path)) {}

  // Reads the file (and removes temporary files a killed save left beside it).
  MemoLoaded Load();

  struct SaveResult {
    bool ok = true;
    int error = 0;           // errno of a failed save
    std::u16string backup;   // set once: where the old file was kept
  };
  // Writes `text` when it differs from what the file holds as far as this run knows, or
  // when there is no file yet.
  SaveResult Save(std::u16string_view text);
  bool Unsaved(std::u16string_view text) const { return text != saved_; }

  const std::u16string& path() const { return path_; }
  MemoFileState state() const { return state_; }

 private:
  std::u16string path_;
  std::u16string saved_;  // the text the file holds
  MemoFileState state_ = MemoFileState::kMissing;
};

// The notice shown once when the old memo file was kept under `backup`.
std::u16string MemoBackupNotice(std::u16string_view path, std::u16string_view backup);
// The message of a failed save: the file and the reason.
std::u16string MemoSaveFailedMessage(std::u16string_view path, int error);

}  // namespace glyphgrab
