#include "browse/settings.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <optional>
#include <string_view>
#include <vector>

#include "util/codepage.h"
#include "util/file_bytes.h"
#include "util/file_write.h"
#include "util/paths.h"
#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

enum class Kind { kInt, kBool, kFloat, kText };

// The kinds of the fixed lines, in file order.
constexpr std::array<Kind, kSettingsFixedLines> FixedKinds() {
  std::array<Kind, kSettingsFixedLines> k{};
  std::size_t n = 0;
  const auto add = [&](int count, Kind kind) {
    for (int i = 0; i < count; ++i) k[n++] = kind;
  };
  add(6, Kind::kInt);           // geometry and panes
  add(2, Kind::kText);          // root and current folder
  add(1 + 6 + 2 + 8, Kind::kInt);  // filter, columns, dialog, memo and search windows
  add(static_cast<int>(kOptFlagCount), Kind::kBool);
  add(1, Kind::kInt);           // profile number
  for (int p = 0; p < 1 + kSendProfileCount; ++p) {
    add(1, Kind::kFloat);
    add(1, Kind::kInt);
    add(2, Kind::kText);
    add(1, Kind::kBool);
  }
  if (n != k.size()) throw "the kinds do not cover the fixed lines";  // fails the constant evaluation
  return k;
}
constexpr std::array<Kind, kSettingsFixedLines> kFixedKinds = FixedKinds();

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsHexDigit(char c) { return IsDigit(c) || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f'); }

std::u16string Ascii(std::string_view l) { return std::u16string(l.begin(), l.end()); }

// Whether a line holds a value of its kind in the form the writer gives it. Lines that
// do not are still read where the forgiving parsers take them, but they do not count
// when the lines are matched to the fields.
bool AsWritten(std::string_view l, Kind kind) {
  switch (kind) {
    case Kind::kBool:
      return l == "0" || l == "1";
    case Kind::kInt: {
      const std::string_view digits = !l.empty() && l[0] == '-' ? l.substr(1) : l;
      return !digits.empty() && digits.size() <= 10 && std::all_of(digits.begin(), digits.end(), IsDigit) &&
             ReadInt(Ascii(l)).has_value();
    }
    case Kind::kFloat:
      return !l.empty() && std::all_of(l.begin(), l.end(), [](char c) {
               return IsDigit(c) || c == '.' || c == '-' || c == 'E';
             }) && ReadFloat(Ascii(l)).has_value();
    case Kind::kText:
      return l.size() % 2 == 0 && std::all_of(l.begin(), l.end(), IsHexDigit);
  }
  return false;
}

// The file's lines given to the fields. A damaged file (cut short, a NUL, a lost line
// break that joined two lines, a stray line) is matched to the fields by the kinds of
// its lines, so a lost or stray line does not shift every later field: the matching
// that leaves the fewest fields without a line of their kind wins, and among those the
// one closest to the lines' positions. A field without a readable line keeps its
// default.
class FieldSource {
 public:
  explicit FieldSource(ByteSpan bytes) {
    // Room for every line the writer writes and some stray ones; more is damage.
    constexpr std::size_t kMaxLines = kSettingsFixedLines + kKeywordHistoryLines + 40;
    std::size_t pos = 0;
    while (pos < bytes.size()) {
      if (lines_.size() == kMaxLines) {
        damaged_ = true;
        break;
      }
      std::size_t end = pos;
      while (end < bytes.size() && bytes[end] != '\r' && bytes[end] != '\n') ++end;
      if (end == bytes.size()) {
        // Every line written ends in a line break: this one was cut, and its value
        // may be cut with it.
        damaged_ = true;
        break;
      }
      const std::string_view line(reinterpret_cast<const char*>(bytes.data()) + pos, end - pos);
      if (line.find('\0') != std::string_view::npos) damaged_ = true;
      lines_.push_back(line);
      if (bytes[end] == '\r') ++end;
      if (end < bytes.size() && bytes[end] == '\n') ++end;
      pos = end;
    }
    Match();
  }

  bool damaged() const { return damaged_; }

  void Int(std::int32_t& v) {
    if (const auto l = Next()) {
      if (const auto read = ReadInt(*l)) v = *read;
    }
  }
  void Bool(bool& v) {
    if (const auto l = Next()) {
      if (TextToBool(*l)) {
        v = true;
      } else if (IsFalseWord(*l)) {
        v = false;
      }
    }
  }
  void Float(double& v) {
    if (const auto l = Next()) {
      if (const auto read = ReadFloat(*l)) v = *read;
    }
  }
  void Text(std::u16string& v) {
    if (const auto l = Next()) v = Utf8HexToStr(*l);
  }
  // A folder's bytes as the file system holds them, valid UTF-8 or not.
  void Folder(std::u16string& v) {
    const auto l = Next();
    if (!l) return;
    const Bytes bytes = HexToBytes(*l);
    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != 0) ++end;
    v = NativeToPath(std::string_view(reinterpret_cast<const char*>(bytes.data()), end));
  }
  // The next history entry: empty once the file has ended or where the line is damaged.
  std::u16string History() {
    if (history_ >= lines_.size()) return {};
    const std::string_view l = lines_[history_++];
    return HasNul(l) ? std::u16string() : Utf8HexToStr(Ascii(l));
  }

 private:
  static bool HasNul(std::string_view l) { return l.find('\0') != std::string_view::npos; }
  static bool IsFalseWord(std::u16string_view l) {
    return l == u"0" || l == u"０" || StrUpper(l) == u"F" || StrUpper(l) == u"FALSE" || StrUpper(l) == u"OFF";
  }

  // The next fixed field's line; none when the file gave it none or a damaged one.
  std::optional<std::u16string> Next() {
    const int line = assigned_[field_++];
    if (line < 0 || HasNul(lines_[static_cast<std::size_t>(line)])) return std::nullopt;
    // The writer writes ASCII only; other bytes are read as code page 932 as ever.
    const std::string_view l = lines_[static_cast<std::size_t>(line)];
    return Cp932BytesToStr(ByteSpan(reinterpret_cast<const std::uint8_t*>(l.data()), l.size()));
  }

  // cost[j][i]: the least cost of the fields j.. from the lines i.. A line of another
  // kind costs 1; a field without a line and a stray line cost 2, so a line stays at its
  // own position unless moving it saves more than one wrong kind; the fields after the
  // end of a file cut short cost 1 each, so the lines before the cut are not moved down
  // to fields they fit better. After the fixed fields, each of the following history
  // lines that is no text and each line beyond them costs 1.
  void Match() {
    constexpr int kWrongKind = 1, kStray = 2;
    const std::size_t f = kFixedKinds.size(), n = lines_.size();
    const auto noLine = [n](std::size_t i) { return i < n ? 2 : 1; };
    const auto take = [&](std::size_t j, std::size_t i) {
      return AsWritten(lines_[i], kFixedKinds[j]) ? 0 : kWrongKind;
    };
    std::vector<std::vector<int>> cost(f + 1, std::vector<int>(n + 1, 0));
    for (std::size_t i = 0; i <= n; ++i) {
      const std::size_t historyEnd = std::min(n, i + kKeywordHistoryLines);
      int bad = static_cast<int>(n - historyEnd);
      for (std::size_t k = i; k < historyEnd; ++k) bad += AsWritten(lines_[k], Kind::kText) ? 0 : 1;
      cost[f][i] = bad;
    }
    for (std::size_t j = f; j-- > 0;) {
      for (std::size_t i = n + 1; i-- > 0;) {
        int best = cost[j + 1][i] + noLine(i);
        if (i < n) {
          best = std::min(best, cost[j + 1][i + 1] + take(j, i));
          best = std::min(best, cost[j][i + 1] + kStray);
        }
        cost[j][i] = best;
      }
    }
    if (cost[0][0] > 0) damaged_ = true;
    // The cheapest way, preferring the line at the field's own position: a line of
    // another kind is still read there when the forgiving parsers take it.
    assigned_.assign(f, -1);
    std::size_t i = 0;
    for (std::size_t j = 0; j < f; ++j) {
      for (;;) {
        if (i < n && cost[j][i] == cost[j + 1][i + 1] + take(j, i)) {
          assigned_[j] = static_cast<int>(i++);
          break;
        }
        if (cost[j][i] == cost[j + 1][i] + noLine(i)) break;
        ++i;  // a stray line
      }
    }
    history_ = i;
  }

  std::vector<std::string_view> lines_;
  std::vector<int> assigned_;
  std::size_t field_ = 0;
  std::size_t history_ = 0;
  bool damaged_ = false;
};

class LineWriter {
 public:
  void Line(std::u16string_view text) {
    // Every value is ASCII by construction, so each unit is one byte.
    for (char16_t c : text) out_.push_back(static_cast<std::uint8_t>(c));
    out_.push_back('\r');
    out_.push_back('\n');
  }
  void Int(std::int32_t v) { Line(IntToText(v)); }
  void Bool(bool v) { Line(BoolToText(v)); }
  void Float(double v) { Line(FloatToText(v)); }
  void Text(std::u16string_view s) { Line(StrToUtf8Hex(s)); }
  // The same hexadecimal form; a name that is not UTF-8 keeps its bytes instead of
  // becoming U+FFFD and a folder that is forgotten at the next start.
  void Folder(std::u16string_view path) {
    const std::string native = PathToNative(path);
    Line(BytesToHex(ByteSpan(reinterpret_cast<const std::uint8_t*>(native.data()), native.size())));
  }
  Bytes Take() { return std::move(out_); }

 private:
  Bytes out_;
};

void ReadGeometry(FieldSource& in, TWindowGeometry& g) {
  in.Int(g.left);
  in.Int(g.top);
  in.Int(g.width);
  in.Int(g.height);
}

void WriteGeometry(LineWriter& out, const TWindowGeometry& g) {
  out.Int(g.left);
  out.Int(g.top);
  out.Int(g.width);
  out.Int(g.height);
}

void ReadProfile(FieldSource& in, TSend_jww& p) {
  in.Float(p.Wtim);
  in.Int(p.Smax);
  in.Text(p.Tcap);
  in.Text(p.Comm);
  in.Bool(p.Moj1);
}

void WriteProfile(LineWriter& out, const TSend_jww& p) {
  out.Float(p.Wtim);
  out.Int(p.Smax);
  out.Text(p.Tcap);
  out.Text(p.Comm);
  out.Bool(p.Moj1);
}

}  // namespace

TSettings SettingsParse(ByteSpan bytes, bool* damaged) {
  TSettings s;
  FieldSource in(bytes);
  ReadGeometry(in, s.mainWindow);                       // lines 1-4
  in.Int(s.treePaneWidth);                              // 5
  in.Int(s.listWidth);                                  // 6
  in.Folder(s.rootFolder);                              // 7
  in.Folder(s.preFolder);                               // 8
  in.Int(s.filterIndex);                                // 9
  for (auto& w : s.columnWidths) in.Int(w);             // 10-15
  in.Int(s.settingsDialogLeft);                         // 16
  in.Int(s.settingsDialogTop);                          // 17
  ReadGeometry(in, s.memoWindow);                       // 18-21
  ReadGeometry(in, s.searchWindow);                     // 22-25
  for (auto& f : s.optFlags) in.Bool(f);                // 26-39
  in.Int(s.sendProfileNo);                              // 40
  ReadProfile(in, s.activeProfile);                     // 41-45
  for (auto& p : s.sendProfiles) ReadProfile(in, p);    // 46-95
  // The history is always 30 entries long on reading; missing ones are empty.
  s.keywordHistory.clear();
  for (int i = 0; i < kKeywordHistoryLines; ++i) s.keywordHistory.push_back(in.History());
  if (damaged) *damaged = in.damaged();
  return s;
}

Bytes SettingsFormat(const TSettings& s) {
  LineWriter out;
  WriteGeometry(out, s.mainWindow);
  out.Int(s.treePaneWidth);
  out.Int(s.listWidth);
  out.Folder(s.rootFolder);
  out.Folder(s.preFolder);
  out.Int(s.filterIndex);
  for (auto w : s.columnWidths) out.Int(w);
  out.Int(s.settingsDialogLeft);
  out.Int(s.settingsDialogTop);
  WriteGeometry(out, s.memoWindow);
  WriteGeometry(out, s.searchWindow);
  for (bool f : s.optFlags) out.Bool(f);
  out.Int(s.sendProfileNo);
  WriteProfile(out, s.activeProfile);
  for (const auto& p : s.sendProfiles) WriteProfile(out, p);
  const std::size_t history = std::min<std::size_t>(s.keywordHistory.size(), kKeywordHistoryLines);
  for (std::size_t i = 0; i < history; ++i) out.Text(s.keywordHistory[i]);
  return out.Take();
}

TSettings SettingsLoad(std::u16string_view path, Bytes* damagedBytes) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes)) return TSettings{};
  bool damaged = false;
  TSettings s = SettingsParse(bytes, &damaged);
  if (damaged && damagedBytes) *damagedBytes = std::move(bytes);
  return s;
}

bool SettingsSave(std::u16string_view path, const TSettings& settings, int* error) {
  return WriteFileAtomic(path, SettingsFormat(settings), error);
}

std::u16string SettingsDamagedNotice(std::u16string_view path, std::u16string_view backup) {
  std::u16string text = u"設定ファイル「" + std::u16string(path) + u"」の一部が読み込めなかったため、その項目は既定値にしました。";
  if (backup.empty()) return text + u"元のファイルを別名で残せませんでした。";
  return text + u"元のファイルを「" + std::u16string(backup) + u"」として残しました。";
}

std::u16string SettingsSaveFailedMessage(std::u16string_view path, int error) {
  return u"設定ファイル「" + std::u16string(path) + u"」を保存できませんでした。\n" + Utf8ToStr(std::strerror(error));
}

}  // namespace glyphgrab
