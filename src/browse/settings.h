// The settings file: window geometry, folders, options, send profiles and the keyword
// history, one value per CR LF line at a fixed position. Texts are stored as the
// upper-case hexadecimal digits of their UTF-8 bytes so every line stays ASCII.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "sendkeys/send_profile.h"
#include "extract/opt_flags.h"
#include "util/codepage.h"

namespace glyphgrab {

struct TWindowGeometry {
  std::int32_t left = 64;
  std::int32_t top = 64;
  std::int32_t width = 0;
  std::int32_t height = 0;

  bool operator==(const TWindowGeometry&) const = default;
};

inline constexpr int kFileListColumnCount = 6;
inline constexpr int kSettingsFixedLines = 95;   // everything before the keyword history
inline constexpr int kKeywordHistoryLines = 30;  // history lines read, and written at most

// Every value of the settings file. A default-constructed value is the state before any
// file is read.
struct TSettings {
  TWindowGeometry mainWindow{64, 64, 600, 520};
  std::int32_t treePaneWidth = 200;  // the folder-tree pane
  std::int32_t listWidth = 100;      // the extraction list
  std::u16string rootFolder;         // with trailing delimiter
  std::u16string preFolder;          // current folder, without trailing delimiter
  std::int32_t filterIndex = 0;      // file-type filter entry; outside 0..8 selects none
  std::array<std::int32_t, kFileListColumnCount> columnWidths{80, 80, 80, 80, 80, 80};
  std::int32_t settingsDialogLeft = 64;  // the settings dialog keeps no size
  std::int32_t settingsDialogTop = 64;
  TWindowGeometry memoWindow{64, 64, 700, 420};
  TWindowGeometry searchWindow{64, 64, 428, 345};
  OptFlags optFlags{};
  std::int32_t sendProfileNo = 0;
  TSend_jww activeProfile = DefaultActiveProfile();
  // Without a settings file, profile 0 is the active profile's defaults: committing the
  // settings dialog on a first start must keep a working send.
  std::array<TSend_jww, kSendProfileCount> sendProfiles{DefaultActiveProfile()};
  std::vector<std::u16string> keywordHistory;  // the search window's keyword box, first first

  bool operator==(const TSettings&) const = default;
};

// Reads the content of a settings file line by line. Never fails; exactly
// kKeywordHistoryLines history entries follow the fixed lines (empty ones where the file
// ends early). A field whose line is missing, holds a NUL or cannot be parsed keeps its
// default. The lines are matched to the fields by their kinds, so a lost line break or
// a stray line costs the fields around it, not every later one. `damaged`, when given,
// tells whether the file was not as the writer writes it (cut, a NUL, lines missing,
// joined or of the wrong kind).
TSettings SettingsParse(ByteSpan bytes, bool* damaged = nullptr);

// The file content: the 95 fixed lines, then at most 30 history entries, each line
// ending in CR LF.
Bytes SettingsFormat(const TSettings& settings);

// The defaults when the file is absent or cannot be read; otherwise SettingsParse.
// `damagedBytes`, when given, receives the file's bytes when it was damaged, so they can
// be kept before the first save writes over them.
TSettings SettingsLoad(std::u16string_view path, Bytes* damagedBytes = nullptr);

// Replaces the file atomically. False when it could not be written (`error`, when
// given, says why as an errno value); the file that was there before is then left
// unchanged.
bool SettingsSave(std::u16string_view path, const TSettings& settings, int* error = nullptr);
// The start-up notice of a damaged settings file, kept under `backup` (empty: it could
// not be kept).
std::u16string SettingsDamagedNotice(std::u16string_view path, std::u16string_view backup);
// The message of a failed save: the file and the reason.
std::u16string SettingsSaveFailedMessage(std::u16string_view path, int error);

}  // namespace glyphgrab
