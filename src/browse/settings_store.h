// The settings file over a run: read at start-up, written at closing (and when the
// session ends). A damaged file is kept beside itself as soon as it is read; a file that
// another program changed since this run read or wrote it is merged, not overwritten.
#pragma once

#include <cstdint>
#include <string>

#include "browse/settings.h"
#include "util/file_version.h"

namespace glyphgrab {

class TSettingsStore {
 public:
  // `source`: where the settings are read when that differs from where they are saved
  // (a tool folder that cannot be written).
  explicit TSettingsStore(std::u16string path, std::u16string source = {})
      : path_(std::move(path)), source_(source.empty() ? path_ : std::move(source)) {}

  struct Loaded {
    TSettings settings;
    bool damaged = false;   // not empty, and some fields kept their defaults (SettingsParse)
    std::u16string backup;  // where the damaged file was kept; empty when it could not be
  };
  Loaded Load();

  struct SaveResult {
    bool ok = true;
    int error = 0;  // errno of a failed save
    // The file changed since this run read or wrote it: the fields the other program
    // changed and this run did not were taken over (`saved` holds the result). Where
    // both changed one field differently this run's value was saved and the other
    // version kept under `otherKept`.
    bool merged = false;
    std::u16string otherKept;
    TSettings saved;
  };
  SaveResult Save(const TSettings& settings);

  const std::u16string& path() const { return path_; }

 private:
  void Remember(const Bytes& written);

  std::u16string path_;
  std::u16string source_;
  Bytes base_;             // the settings as this run last read or wrote them, formatted
  FileVersion version_;    // the file then
  std::uint64_t hash_ = 0;  // of its bytes
};

// The notice of a merge (and of the other version kept under `otherKept` when not empty).
std::u16string SettingsMergedNotice(std::u16string_view path, std::u16string_view otherKept);

}  // namespace glyphgrab
