#include "browse/preview_settings.h"

#include <charconv>
#include <string>

#include "util/codepage.h"
#include "util/file_bytes.h"
#include "util/file_write.h"

namespace glyphgrab {

std::u16string PreviewSettingsFile(std::u16string_view settingsFile) {
  std::u16string base(settingsFile);
  if (base.size() >= 4 && base.ends_with(u".dat")) base.resize(base.size() - 4);
  return base + u"-preview.dat";
}

TPreviewSettings PreviewSettingsLoad(std::u16string_view path) {
  TPreviewSettings s;
  Bytes bytes;
  if (!ReadFilePrefix(path, 4096, bytes)) return s;
  const std::string text(bytes.begin(), bytes.end());
  std::size_t start = 0;
  while (start < text.size()) {
    std::size_t end = text.find('\n', start);
    if (end == std::string::npos) end = text.size();
    const std::string line = text.substr(start, end - start);
    start = end + 1;
    const std::size_t eq = line.find('=');
    if (eq == std::string::npos) continue;
    const std::string key = line.substr(0, eq);
    int value = 0;
    const char* first = line.data() + eq + 1;
    const char* last = line.data() + line.size();
    if (std::from_chars(first, last, value).ec != std::errc{}) continue;
    if (key == "visible" && (value == 0 || value == 1)) s.visible = value == 1;
    if (key == "height" && value >= 40 && value <= 10000) s.height = value;
  }
  return s;
}

bool PreviewSettingsSave(std::u16string_view path, const TPreviewSettings& settings) {
  const std::string text =
      "visible=" + std::to_string(settings.visible ? 1 : 0) + "\nheight=" + std::to_string(settings.height) + "\n";
  return WriteFileAtomic(path, ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

}  // namespace glyphgrab
