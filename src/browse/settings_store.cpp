#include "browse/settings_store.h"

#include <string_view>
#include <vector>

#include "util/file_bytes.h"
#include "util/file_write.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

// The CR LF lines of a formatted settings file.
std::vector<std::string_view> Lines(const Bytes& formatted) {
  const std::string_view text(reinterpret_cast<const char*>(formatted.data()), formatted.size());
  std::vector<std::string_view> lines;
  for (std::size_t start = 0, end; (end = text.find("\r\n", start)) != std::string_view::npos; start = end + 2)
    lines.push_back(text.substr(start, end - start));
  return lines;
}

// Three-way merge of formatted settings, line by line for the fixed fields and as one
// piece for the keyword history: each side's change wins over the base; where both
// changed a line differently, ours wins and `conflict` is set.
Bytes Merge(const Bytes& baseBytes, const Bytes& oursBytes, const Bytes& theirsBytes, bool& conflict) {
  const auto base = Lines(baseBytes), ours = Lines(oursBytes), theirs = Lines(theirsBytes);
  const auto pick = [&](std::string_view b, std::string_view o, std::string_view t) {
    if (o != b && t != b && o != t) conflict = true;
    return o != b ? o : t;
  };
  Bytes out;
  const auto put = [&out](std::string_view line) {
    out.insert(out.end(), line.begin(), line.end());
    out.push_back('\r');
    out.push_back('\n');
  };
  const std::size_t fixed = static_cast<std::size_t>(kSettingsFixedLines);
  for (std::size_t k = 0; k < fixed; ++k) put(pick(base[k], ours[k], theirs[k]));
  const auto history = [fixed](const std::vector<std::string_view>& l) {
    return std::vector<std::string_view>(l.begin() + static_cast<std::ptrdiff_t>(fixed), l.end());
  };
  const auto baseHistory = history(base), ourHistory = history(ours), theirHistory = history(theirs);
  const bool oursChanged = ourHistory != baseHistory, theirsChanged = theirHistory != baseHistory;
  if (oursChanged && theirsChanged && ourHistory != theirHistory) conflict = true;
  for (std::string_view line : oursChanged ? ourHistory : theirHistory) put(line);
  return out;
}

}  // namespace

void TSettingsStore::Remember(const Bytes& written) {
  version_ = FileVersionOf(path_);
  hash_ = HashBytes(written);
}

TSettingsStore::Loaded TSettingsStore::Load() {
  Loaded loaded;
  Bytes bytes;
  if (ReadWholeFile(source_, bytes)) {
    loaded.settings = SettingsParse(bytes, &loaded.damaged);
    loaded.damaged = loaded.damaged && !bytes.empty();  // an empty file holds nothing to lose
    if (loaded.damaged) {
      // Kept now: the first save writes the repaired values over the file.
      const std::u16string backup = FreeBackupName(path_);
      if (WriteFileAtomic(backup, bytes)) loaded.backup = backup;
    }
  }
  base_ = SettingsFormat(loaded.settings);
  if (source_ == path_) {
    Remember(bytes);
  } else {
    version_ = {};  // read elsewhere: a file that appears here is another program's
    hash_ = 0;
  }
  return loaded;
}

TSettingsStore::SaveResult TSettingsStore::Save(const TSettings& settings) {
  SaveResult result;
  result.saved = settings;
  Bytes out = SettingsFormat(settings);
  const FileVersion now = FileVersionOf(path_);
  Bytes theirs;
  if (now.exists && !(now == version_) && ReadWholeFile(path_, theirs) &&
      (!version_.exists || HashBytes(theirs) != hash_)) {
    bool conflict = false;
    const Bytes merged = Merge(base_, out, SettingsFormat(SettingsParse(theirs)), conflict);
    if (merged != out) {
      result.merged = true;
      result.saved = SettingsParse(merged);
      out = SettingsFormat(result.saved);
    }
    if (conflict) {
      const std::u16string kept = StampedBackupName(path_);
      if (WriteFileAtomic(kept, theirs)) result.otherKept = kept;
      result.merged = true;
    }
  }
  if (!WriteFileAtomic(path_, out, &result.error)) {
    result.ok = false;
    return result;
  }
  base_ = out;
  Remember(out);
  return result;
}

std::u16string SettingsMergedNotice(std::u16string_view path, std::u16string_view otherKept) {
  std::u16string text =
      u"設定ファイル「" + std::u16string(path) + u"」が他のプログラムで変更されていたため、その変更を取り込みました。";
  if (!otherKept.empty()) {
    text += u"同じ項目が両方で変更されていた所はこちらの値で保存し、他のプログラムの内容を「" + std::u16string(otherKept) +
            u"」として残しました。";
  }
  return text;
}

}  // namespace glyphgrab
