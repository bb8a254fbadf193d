#include "browse/settings.h"

#include <cstring>

#include "util/codepage.h"
#include "util/file_bytes.h"
#include "util/file_write.h"
#include "util/paths.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

// Hands out the file's lines in order and the empty line once the file has ended. Lines
// end at CR LF, a lone CR or a lone LF; code page 932 never uses those bytes inside a
// character, so splitting before decoding is safe.
class LineReader {
 public:
  explicit LineReader(ByteSpan bytes) : bytes_(bytes) {}

  std::u16string Next() {
    if (pos_ >= bytes_.size()) return {};
    std::size_t end = pos_;
    while (end < bytes_.size() && bytes_[end] != '\r' && bytes_[end] != '\n') ++end;
    std::u16string line = Cp932BytesToStr(bytes_.subspan(pos_, end - pos_));
    if (end < bytes_.size() && bytes_[end] == '\r') ++end;
    if (end < bytes_.size() && bytes_[end] == '\n') ++end;
    pos_ = end;
    return line;
  }
  std::int32_t Int() { return TextToInt(Next()); }
  bool Bool() { return TextToBool(Next()); }
  double Float() { return TextToFloat(Next()); }
  std::u16string Text() { return Utf8HexToStr(Next()); }
  // A folder's bytes as the file system holds them, valid UTF-8 or not.
  std::u16string Folder() {
    const Bytes bytes = HexToBytes(Next());
    std::size_t end = 0;
    while (end < bytes.size() && bytes[end] != 0) ++end;
    return NativeToPath(std::string_view(reinterpret_cast<const char*>(bytes.data()), end));
  }

 private:
  ByteSpan bytes_;
  std::size_t pos_ = 0;
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

void ReadGeometry(LineReader& in, TWindowGeometry& g) {
  g.left = in.Int();
  g.top = in.Int();
  g.width = in.Int();
  g.height = in.Int();
}

void WriteGeometry(LineWriter& out, const TWindowGeometry& g) {
  out.Int(g.left);
  out.Int(g.top);
  out.Int(g.width);
  out.Int(g.height);
}

void ReadProfile(LineReader& in, TSend_jww& p) {
  p.Wtim = in.Float();
  p.Smax = in.Int();
  p.Tcap = in.Text();
  p.Comm = in.Text();
  p.Moj1 = in.Bool();
}

void WriteProfile(LineWriter& out, const TSend_jww& p) {
  out.Float(p.Wtim);
  out.Int(p.Smax);
  out.Text(p.Tcap);
  out.Text(p.Comm);
  out.Bool(p.Moj1);
}

}  // namespace

TSettings SettingsParse(ByteSpan bytes) {
  TSettings s;
  LineReader in(bytes);
  ReadGeometry(in, s.mainWindow);                       // lines 1-4
  s.treePaneWidth = in.Int();                           // 5
  s.listWidth = in.Int();                               // 6
  s.rootFolder = in.Folder();                           // 7
  s.preFolder = in.Folder();                            // 8
  s.filterIndex = in.Int();                             // 9
  for (auto& w : s.columnWidths) w = in.Int();          // 10-15
  s.settingsDialogLeft = in.Int();                      // 16
  s.settingsDialogTop = in.Int();                       // 17
  ReadGeometry(in, s.memoWindow);                       // 18-21
  ReadGeometry(in, s.searchWindow);                     // 22-25
  for (auto& f : s.optFlags) f = in.Bool();             // 26-39
  s.sendProfileNo = in.Int();                           // 40
  ReadProfile(in, s.activeProfile);                     // 41-45
  for (auto& p : s.sendProfiles) ReadProfile(in, p);    // 46-95
  // The history is always 30 lines long on reading; missing ones are empty entries.
  s.keywordHistory.clear();
  for (int i = 0; i < kKeywordHistoryLines; ++i) s.keywordHistory.push_back(in.Text());
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

TSettings SettingsLoad(std::u16string_view path) {
  Bytes bytes;
  if (!ReadWholeFile(path, bytes)) return TSettings{};
  return SettingsParse(bytes);
}

bool SettingsSave(std::u16string_view path, const TSettings& settings, int* error) {
  return WriteFileAtomic(path, SettingsFormat(settings), error);
}

std::u16string SettingsSaveFailedMessage(std::u16string_view path, int error) {
  return u"設定ファイル「" + std::u16string(path) + u"」を保存できませんでした。\n" + Utf8ToStr(std::strerror(error));
}

}  // namespace glyphgrab
