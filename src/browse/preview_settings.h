// Whether the drawing preview is shown and how tall it is, kept in a small file of its
// own beside the settings file, so the settings file keeps its established layout.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace glyphgrab {

struct TPreviewSettings {
  bool visible = true;
  std::int32_t height = 240;  // pixels

  bool operator==(const TPreviewSettings&) const = default;
};

// "<settings file without .dat>-preview.dat".
std::u16string PreviewSettingsFile(std::u16string_view settingsFile);

// The defaults for a missing or unreadable file; lines "visible=0|1", "height=N" (other
// lines and out-of-range values are ignored).
TPreviewSettings PreviewSettingsLoad(std::u16string_view path);
// Replaces the file atomically; false when it could not be written.
bool PreviewSettingsSave(std::u16string_view path, const TPreviewSettings& settings);

}  // namespace glyphgrab
