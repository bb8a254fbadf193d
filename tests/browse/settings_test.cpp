#include "browse/settings.h"
#include "browse/preview_settings.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <map>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

Bytes B(std::string_view s) { return Bytes(s.begin(), s.end()); }
std::string S(const Bytes& b) { return std::string(b.begin(), b.end()); }
std::u16string P(const fs::path& p) { return NativeToPath(p.string()); }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The file's lines, split at CR LF only, so a stray LF shows up inside a line.
std::vector<std::string> CrLfLines(const std::string& text) {
  std::vector<std::string> lines;
  std::size_t start = 0;
  for (std::size_t p; (p = text.find("\r\n", start)) != std::string::npos; start = p + 2)
    lines.push_back(text.substr(start, p - start));
  EXPECT_EQ(start, text.size()) << "the file does not end in CR LF";
  return lines;
}

// A file of `count` lines: line k (1-based) from `at`, "" for the rest.
std::string FileOfLines(int count, const std::map<int, std::string>& at = {}) {
  std::string text;
  for (int k = 1; k <= count; ++k) {
    const auto it = at.find(k);
    text += (it == at.end() ? "" : it->second) + "\r\n";
  }
  return text;
}

TSettings Varied() {
  TSettings s;
  s.mainWindow = {-10, 20, 1024, 768};
  s.treePaneWidth = 250;
  s.listWidth = 333;
  s.rootFolder = u"/home/利用者/図面 集/";
  s.preFolder = u"/home/利用者/図面 集/平面図";
  s.filterIndex = 3;
  s.columnWidths = {101, 102, 103, 104, 105, 106};
  s.settingsDialogLeft = 7;
  s.settingsDialogTop = 8;
  s.memoWindow = {1, 2, 3, 4};
  s.searchWindow = {5, 6, 7, 8};
  s.optFlags[kOptHeaderInfo] = true;
  s.optFlags[kOptSort] = true;
  s.optFlags[kOptSearchJwk] = true;
  s.optFlags[kOptSearchContents] = true;
  s.sendProfileNo = 9;
  s.activeProfile = {0.5, 1, u"jw_win", u"{X文字}@DA^V", false};
  for (int p = 0; p < kSendProfileCount; ++p)
    s.sendProfiles[static_cast<std::size_t>(p)] = {p * 1.25, p % 2, u"title" + std::u16string(1, static_cast<char16_t>(u'0' + p)),
                                                   u"^C", p % 3 == 0};
  s.keywordHistory = {u"通り芯", u"", u"GL+100"};
  return s;
}

TEST(SettingsDefaults, NoFileGivesTheTableDefaults) {
  testing::TempDir dir;
  const TSettings s = SettingsLoad(P(dir.path() / "absent.dat"));
  EXPECT_EQ(s, TSettings{});
  EXPECT_EQ(s.mainWindow, (TWindowGeometry{64, 64, 600, 520}));
  EXPECT_EQ(s.memoWindow, (TWindowGeometry{64, 64, 700, 420}));
  EXPECT_EQ(s.searchWindow, (TWindowGeometry{64, 64, 428, 345}));
  EXPECT_EQ(s.treePaneWidth, 200);
  EXPECT_EQ(s.listWidth, 100);
  EXPECT_TRUE(s.rootFolder.empty());
  EXPECT_EQ(s.columnWidths, (std::array<std::int32_t, 6>{80, 80, 80, 80, 80, 80}));
  EXPECT_EQ(s.optFlags, OptFlags{});
  EXPECT_EQ(s.activeProfile, (TSend_jww{0.1, 0, u"jw_win", u"@DA^V", true}));
  // Profile 0 holds the active profile's defaults, so committing the settings dialog on
  // a first start keeps a working send; the others are empty.
  EXPECT_EQ(s.sendProfiles[0], s.activeProfile);
  for (std::size_t k = 1; k < s.sendProfiles.size(); ++k) EXPECT_EQ(s.sendProfiles[k], TSend_jww{});
  EXPECT_TRUE(s.keywordHistory.empty());
}

TEST(SettingsFormat, LinesSitAtTheirFixedPositions) {
  TSettings s = Varied();
  const auto lines = CrLfLines(S(SettingsFormat(s)));
  ASSERT_EQ(lines.size(), 95u + 3u);
  const struct {
    int line;
    std::string text;
  } expected[] = {
      {1, "-10"}, {3, "1024"}, {5, "250"}, {6, "333"},
      // The root folder is one line of upper-case hexadecimal UTF-8.
      {7, "2F686F6D652FE588A9E794A8E880852FE59BB3E99DA220E99B862F"},
      {9, "3"}, {10, "101"}, {15, "106"}, {16, "7"}, {17, "8"}, {18, "1"}, {21, "4"},
      {22, "5"}, {25, "8"}, {26, "1"}, {27, "0"}, {30, "1"}, {34, "1"}, {39, "1"},
      {40, "9"}, {41, "0.5"}, {42, "1"}, {43, "6A775F77696E"},
      {44, "7B58E69687E5AD977D404441 5E56"}, {45, "0"},
      {46, "0"}, {47, "0"}, {48, "7469746C6530"}, {49, "5E43"}, {50, "1"},
      {51, "1.25"}, {52, "1"}, {91, "11.25"}, {92, "1"}, {95, "1"},
      {96, "E9809AE3828AE88AAF"}, {97, ""}, {98, "474C2B313030"},
  };
  for (const auto& e : expected) {
    std::string want = e.text;
    std::erase(want, ' ');
    EXPECT_EQ(lines[static_cast<std::size_t>(e.line - 1)], want) << "line " << e.line;
  }
}

TEST(SettingsFormat, RoundTripsThroughTheFile) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "glyphgrab.dat";
  TSettings s = Varied();
  ASSERT_TRUE(SettingsSave(P(file), s));
  // Reading always yields 30 history entries.
  s.keywordHistory.resize(kKeywordHistoryLines);
  EXPECT_EQ(SettingsLoad(P(file)), s);

  const TSettings defaults;
  ASSERT_TRUE(SettingsSave(P(file), defaults));
  EXPECT_EQ(CrLfLines(Slurp(file)).size(), 95u);
  const TSettings back = SettingsLoad(P(file));
  EXPECT_EQ(back.activeProfile, DefaultActiveProfile());
  EXPECT_EQ(back.keywordHistory, std::vector<std::u16string>(30));
}

TEST(SettingsFormat, FolderNamesKeepBytesThatAreNotUtf8) {
  TSettings s;
  // "/d/" + the bytes FF FE + "図" + "/", as a folder read from the file system holds them.
  s.rootFolder = NativeToPath("/d/\xff\xfe\xe5\x9b\xb3/");
  s.preFolder = s.rootFolder + u"sub";
  const Bytes bytes = SettingsFormat(s);
  const std::vector<std::string> lines = CrLfLines(std::string(bytes.begin(), bytes.end()));
  EXPECT_EQ(lines[6], "2F642FFFFEE59BB32F");
  const TSettings back = SettingsParse(bytes);
  EXPECT_EQ(back.rootFolder, s.rootFolder);
  EXPECT_EQ(back.preFolder, s.preFolder);
  EXPECT_EQ(PathToNative(back.preFolder), "/d/\xff\xfe\xe5\x9b\xb3/sub");
}

TEST(SettingsFormat, KeywordHistoryIsCutAtThirty) {
  TSettings s;
  for (int i = 0; i < 40; ++i) s.keywordHistory.push_back(u"k" + std::u16string(1, static_cast<char16_t>(u'A' + i)));
  const Bytes file = SettingsFormat(s);
  EXPECT_EQ(CrLfLines(S(file)).size(), 125u);
  const TSettings back = SettingsParse(file);
  ASSERT_EQ(back.keywordHistory.size(), 30u);
  EXPECT_EQ(back.keywordHistory.front(), u"kA");
  EXPECT_EQ(back.keywordHistory.back(), u"k^");  // the 30th entry
}

TEST(SettingsParse, ShortAndOddFiles) {
  // 95 lines: no history lines at all, still 30 (empty) entries.
  TSettings s = SettingsParse(B(FileOfLines(95, {{43, "6A775F77696E"}})));
  EXPECT_EQ(s.keywordHistory, std::vector<std::u16string>(30));
  EXPECT_EQ(s.activeProfile.Tcap, u"jw_win");

  // A file that ends early keeps the defaults of every later field.
  bool damaged = false;
  s = SettingsParse(B("10\r\n20\r\n30\r\n"), &damaged);
  EXPECT_TRUE(damaged);
  EXPECT_EQ(s.mainWindow, (TWindowGeometry{10, 20, 30, 520}));
  EXPECT_EQ(s.treePaneWidth, 200);
  EXPECT_EQ(s.columnWidths[5], 80);
  EXPECT_EQ(s.activeProfile, DefaultActiveProfile());
  EXPECT_EQ(s.sendProfiles, TSettings{}.sendProfiles);
  EXPECT_EQ(s.keywordHistory.size(), 30u);

  // An existing empty file is such a file too.
  EXPECT_EQ(SettingsParse({}).memoWindow, TSettings{}.memoWindow);

  // A line the forgiving parsers take is read where it stands; one they cannot read
  // keeps the field's default.
  struct Case {
    const char* what;
    int line;
    std::string text;
    std::function<bool(const TSettings&)> check;
  } cases[] = {
      {"filter beyond the list", 9, "12", [](const TSettings& t) { return t.filterIndex == 12; }},
      {"decimal point", 41, "0.5", [](const TSettings& t) { return t.activeProfile.Wtim == 0.5; }},
      {"comma is no decimal point", 41, "0,5", [](const TSettings& t) { return t.activeProfile.Wtim == 0.1; }},
      {"trailing blank", 1, "42 ", [](const TSettings& t) { return t.mainWindow.left == 64; }},
      {"hexadecimal integer", 3, "$1F", [](const TSettings& t) { return t.mainWindow.width == 31; }},
      {"Boolean word", 26, "true", [](const TSettings& t) { return t.optFlags[0]; }},
      {"Boolean nonsense", 45, "yes", [](const TSettings& t) { return t.activeProfile.Moj1; }},
      {"Boolean false word", 45, "False", [](const TSettings& t) { return !t.activeProfile.Moj1; }},
      {"bad hex pair ends the text", 7, "41424G43", [](const TSettings& t) { return t.rootFolder == u"AB"; }},
      {"lower-case hex", 8, "e38182", [](const TSettings& t) { return t.preFolder == u"あ"; }},
      {"odd hex digit count", 43, "41424", [](const TSettings& t) { return t.activeProfile.Tcap == u"AB\u0004"; }},
      {"stored profile field", 46 + 5 * 9 + 2, "6A77",
       [](const TSettings& t) { return t.sendProfiles[9].Tcap == u"jw"; }},
      {"first history line", 96, "E38182", [](const TSettings& t) { return t.keywordHistory[0] == u"あ"; }},
  };
  for (const auto& c : cases) {
    const TSettings t = SettingsParse(B(FileOfLines(std::max(95, c.line), {{c.line, c.text}})));
    EXPECT_TRUE(c.check(t)) << c.what;
  }
}

TEST(SettingsParse, AnyLineBreakEndsALine) {
  const TSettings s = SettingsParse(B("1\n2\r3\r\n4\n\n6\n"));
  EXPECT_EQ(s.mainWindow, (TWindowGeometry{1, 2, 3, 4}));
  EXPECT_EQ(s.treePaneWidth, 200);  // an empty line is no number
  EXPECT_EQ(s.listWidth, 6);
}

// What a damaged file keeps: each damage costs the fields it touched, never the ones
// far from it, and the file is said to be damaged only when it is.
TEST(SettingsParse, DamagedFilesKeepWhatCanBeRead) {
  TSettings full = Varied();
  full.keywordHistory.resize(kKeywordHistoryLines);
  const std::string file = S(SettingsFormat(Varied()));
  const auto lineStart = [&](int line) {  // offset of a 1-based line
    std::size_t pos = 0;
    for (int k = 1; k < line; ++k) pos = file.find("\r\n", pos) + 2;
    return pos;
  };
  const auto joined = [&](int line) {  // the line break after `line` lost
    std::string t = file;
    return t.erase(lineStart(line + 1) - 2, 2);
  };
  const auto withNul = [&](int line) {
    std::string t = file;
    t[lineStart(line)] = '\0';
    return t;
  };
  std::string strayLine = file;
  strayLine.insert(lineStart(31), "garbage\r\n");
  using Check = std::function<void(const TSettings&, const char*)>;
  const Check profilesAndHistory = [&](const TSettings& t, const char* what) {
    EXPECT_EQ(t.sendProfiles, full.sendProfiles) << what;
    EXPECT_EQ(t.keywordHistory, full.keywordHistory) << what;
  };
  struct Case {
    const char* what;
    std::string bytes;
    bool damaged;
    Check check;
  } cases[] = {
      {"intact", file, false, [&](const TSettings& t, const char* what) { EXPECT_EQ(t, full) << what; }},
      {"cut in the middle of a line", file.substr(0, lineStart(58) + 4), true,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.activeProfile, full.activeProfile) << what;
         EXPECT_EQ(t.sendProfiles[1], full.sendProfiles[1]) << what;
         EXPECT_EQ(t.sendProfiles[2].Smax, full.sendProfiles[2].Smax) << what;
         EXPECT_EQ(t.sendProfiles[2].Tcap, u"") << what;  // line 58, cut: not half a title
         EXPECT_EQ(t.sendProfiles[3], TSend_jww{}) << what;
         EXPECT_EQ(t.keywordHistory, std::vector<std::u16string>(30)) << what;
       }},
      {"cut in the history", file.substr(0, lineStart(97)), false,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.sendProfiles, full.sendProfiles) << what;
         EXPECT_EQ(t.keywordHistory[0], full.keywordHistory[0]) << what;
         EXPECT_EQ(t.keywordHistory[2], u"") << what;
       }},
      {"NUL in a number", withNul(41), true,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.activeProfile.Wtim, 0.1) << what;  // the default, not 0
         EXPECT_EQ(t.activeProfile.Tcap, full.activeProfile.Tcap) << what;
         profilesAndHistory(t, what);
       }},
      {"NUL in a text", withNul(7), true,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.rootFolder, u"") << what;
         EXPECT_EQ(t.preFolder, full.preFolder) << what;
         EXPECT_EQ(t.mainWindow, full.mainWindow) << what;
         profilesAndHistory(t, what);
       }},
      {"nothing but NULs", std::string(file.size(), '\0'), true,
       [&](const TSettings& t, const char* what) { EXPECT_EQ(t, SettingsParse({})) << what; }},
      {"lost line break among the windows", joined(20), true,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.rootFolder, full.rootFolder) << what;
         EXPECT_EQ(t.sendProfileNo, full.sendProfileNo) << what;
         EXPECT_EQ(t.activeProfile, full.activeProfile) << what;
         profilesAndHistory(t, what);
       }},
      {"lost line break among the profiles", joined(62), true,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.optFlags, full.optFlags) << what;
         EXPECT_EQ(t.activeProfile, full.activeProfile) << what;
         for (std::size_t p : {0u, 1u, 2u, 5u, 9u}) EXPECT_EQ(t.sendProfiles[p], full.sendProfiles[p]) << what << p;
         EXPECT_EQ(t.keywordHistory, full.keywordHistory) << what;
       }},
      {"a stray line", strayLine, true,
       [&](const TSettings& t, const char* what) {
         EXPECT_EQ(t.optFlags, full.optFlags) << what;
         profilesAndHistory(t, what);
       }},
  };
  for (const Case& c : cases) {
    bool damaged = !c.damaged;
    const TSettings t = SettingsParse(B(c.bytes), &damaged);
    EXPECT_EQ(damaged, c.damaged) << c.what;
    c.check(t, c.what);
  }
}

TEST(SettingsLoad, ADamagedFileHandsOverItsBytes) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "glyphgrab.dat";
  Bytes kept;
  ASSERT_TRUE(SettingsSave(P(file), Varied()));
  SettingsLoad(P(file), &kept);
  EXPECT_TRUE(kept.empty());
  const std::string cut = Slurp(file).substr(0, 100);
  dir.Write("glyphgrab.dat", cut);
  SettingsLoad(P(file), &kept);
  EXPECT_EQ(S(kept), cut);
}

// A save that cannot write keeps the file that was there; checked as an unprivileged
// user since root ignores permissions.
TEST(SettingsSave, FolderWithoutWritePermissionKeepsTheOldFile) {
  testing::TempDir dir;
  const fs::path folder = dir.MakeDir("app");
  const fs::path file = folder / "glyphgrab.dat";
  TSettings old = Varied();
  ASSERT_TRUE(SettingsSave(P(file), old));
  const std::string before = Slurp(file);
  fs::permissions(file, fs::perms(0666));
  const testing::ReadOnlyFolder locked(dir.path(), folder);

  const int result = testing::RunUnprivileged([&] {
    TSettings changed = Varied();
    changed.rootFolder = u"/elsewhere/";
    return SettingsSave(P(file), changed) ? 1 : 0;
  });
  EXPECT_EQ(result, 0) << "the save reported success";
  EXPECT_EQ(Slurp(file), before);
  old.keywordHistory.resize(kKeywordHistoryLines);
  EXPECT_EQ(SettingsLoad(P(file)), old);
}

TEST(SettingsLoad, UnreadableFileGivesTheDefaults) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "glyphgrab.dat";
  ASSERT_TRUE(SettingsSave(P(file), Varied()));
  fs::permissions(dir.path(), fs::perms(0755));
  fs::permissions(file, fs::perms(0200));
  const int result = testing::RunUnprivileged([&] {
    if (::geteuid() == 0) return 2;  // could not drop privileges
    return SettingsLoad(P(file)) == TSettings{} ? 0 : 1;
  });
  EXPECT_EQ(result, 0);
}

}  // namespace
}  // namespace glyphgrab

namespace glyphgrab {
namespace {

// The preview's own small file: defaults when absent, its two values kept, anything odd
// ignored rather than trusted.
TEST(PreviewSettings, RoundTripAndDefaults) {
  testing::TempDir dir;
  EXPECT_EQ(PreviewSettingsFile(u"/x/glyphgrab.dat"), u"/x/glyphgrab-preview.dat");
  const std::u16string path = NativeToPath((dir.path() / "p.dat").string());
  EXPECT_EQ(PreviewSettingsLoad(path), TPreviewSettings{});
  ASSERT_TRUE(PreviewSettingsSave(path, TPreviewSettings{false, 321}));
  EXPECT_EQ(PreviewSettingsLoad(path), (TPreviewSettings{false, 321}));
  dir.Write("p.dat", "visible=7\nheight=99999999\ngarbage\nheight=12\n");
  EXPECT_EQ(PreviewSettingsLoad(path), TPreviewSettings{});
}

}  // namespace
}  // namespace glyphgrab
