// The settings file over a run: a damaged file kept when read, another program's changes
// merged at the save, a clash kept beside the file.
#include "browse/settings_store.h"

#include <filesystem>
#include <chrono>
#include <functional>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

std::u16string P(const fs::path& p) { return NativeToPath(p.string()); }

std::string Contents(const fs::path& p) {
  Bytes bytes;
  ReadWholeFile(P(p), bytes);
  return std::string(bytes.begin(), bytes.end());
}

TSettings Base() {
  TSettings s;
  s.rootFolder = u"/drawings/";
  s.sendProfiles[2].Tcap = u"cad";
  s.keywordHistory = {u"通り芯"};
  return s;
}

// Another program's save, with a time that differs from the one this run remembered.
void OtherProgramSaves(const fs::path& file, const TSettings& s) {
  ASSERT_TRUE(SettingsSave(P(file), s));
  fs::last_write_time(file, fs::last_write_time(file) + std::chrono::seconds(5));
}

TEST(SettingsStore, AnotherProgramsChangesAreMergedOrKept) {
  struct Case {
    const char* what;
    std::function<void(TSettings&)> theirs, ours;
    std::function<void(const TSettings&)> check;
    bool merged, kept;
  } cases[] = {
      {"untouched by others", nullptr, [](TSettings& s) { s.mainWindow.left = 5; },
       [](const TSettings& s) { EXPECT_EQ(s.mainWindow.left, 5); }, false, false},
      {"different fields", [](TSettings& s) { s.sendProfiles[2].Tcap = u"other"; s.keywordHistory = {u"new", u"通り芯"}; },
       [](TSettings& s) { s.mainWindow.left = 5; },
       [](const TSettings& s) {
         EXPECT_EQ(s.mainWindow.left, 5);
         EXPECT_EQ(s.sendProfiles[2].Tcap, u"other");
         EXPECT_EQ(s.keywordHistory.front(), u"new");
         EXPECT_EQ(s.rootFolder, u"/drawings/");
       },
       true, false},
      {"the same field", [](TSettings& s) { s.sendProfiles[2].Tcap = u"other"; },
       [](TSettings& s) { s.sendProfiles[2].Tcap = u"mine"; },
       [](const TSettings& s) { EXPECT_EQ(s.sendProfiles[2].Tcap, u"mine"); }, true, true},
      {"the same change", [](TSettings& s) { s.sendProfileNo = 4; }, [](TSettings& s) { s.sendProfileNo = 4; },
       [](const TSettings& s) { EXPECT_EQ(s.sendProfileNo, 4); }, false, false},
  };
  for (const Case& c : cases) {
    testing::TempDir dir;
    const fs::path file = dir.path() / "glyphgrab.dat";
    ASSERT_TRUE(SettingsSave(P(file), Base()));
    TSettingsStore store(P(file));
    TSettings ours = store.Load().settings;
    TSettings theirs = SettingsLoad(P(file));
    if (c.theirs) {
      c.theirs(theirs);
      OtherProgramSaves(file, theirs);
    }
    const std::string theirBytes = Contents(file);
    c.ours(ours);
    const TSettingsStore::SaveResult r = store.Save(ours);
    ASSERT_TRUE(r.ok) << c.what;
    EXPECT_EQ(r.merged, c.merged) << c.what;
    EXPECT_EQ(!r.otherKept.empty(), c.kept) << c.what;
    if (c.kept) {
      EXPECT_EQ(Contents(PathToNative(r.otherKept)), theirBytes) << c.what;
    }
    const TSettings saved = SettingsLoad(P(file));
    c.check(saved);
    if (r.merged) {
      EXPECT_EQ(SettingsFormat(r.saved), SettingsFormat(saved)) << c.what;
    }
    // A second save with nothing new from the other side merges nothing.
    EXPECT_FALSE(store.Save(r.merged ? r.saved : ours).merged) << c.what;
  }
}

TEST(SettingsStore, ADamagedFileIsKeptWhenRead) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "glyphgrab.dat";
  const std::string cut = "10\r\n20\r\n3";
  dir.Write("glyphgrab.dat", cut);
  dir.Write("glyphgrab.dat.bak", "an older backup");
  TSettingsStore store(P(file));
  const TSettingsStore::Loaded loaded = store.Load();
  EXPECT_TRUE(loaded.damaged);
  EXPECT_EQ(loaded.backup, P(file) + u".bak2");
  EXPECT_EQ(Contents(dir.path() / "glyphgrab.dat.bak2"), cut);
  EXPECT_EQ(Contents(dir.path() / "glyphgrab.dat.bak"), "an older backup");
  EXPECT_EQ(loaded.settings.mainWindow, (TWindowGeometry{10, 20, 600, 520}));
  ASSERT_TRUE(store.Save(loaded.settings).ok);
  EXPECT_FALSE(TSettingsStore(P(file)).Load().damaged);

  // Neither an empty file nor a missing one is damage worth a word.
  dir.Write("empty.dat", "");
  EXPECT_FALSE(TSettingsStore(P(dir.path() / "empty.dat")).Load().damaged);
  EXPECT_FALSE(TSettingsStore(P(dir.path() / "absent.dat")).Load().damaged);
}

}  // namespace
}  // namespace glyphgrab
