#include "browse/app_files.h"

#include <filesystem>
#include <set>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

// A file system described by three sets of paths.
struct FakeFs {
  std::set<std::u16string> files, writableFiles, writableFolders;
  TFileProbe Probe() const {
    return TFileProbe{
        [this](std::u16string_view p) { return files.count(std::u16string(p)) > 0; },
        [this](std::u16string_view p) { return writableFiles.count(std::u16string(p)) > 0; },
        [this](std::u16string_view p) { return writableFolders.count(std::u16string(p)) > 0; },
    };
  }
};

TEST(LocateAppFiles, PortableOrPerUser) {
  const TAppEnvironment env{u"/xdg", u"/home/u"};
  struct Case {
    const char* what;
    std::u16string exe;
    FakeFs fs;
    TAppEnvironment env;
    std::u16string folder, settingsName, source;
    bool portable;
  } cases[] = {
      {"build tree", u"/home/u/build/glyphgrab", {{}, {}, {u"/home/u/build/"}}, env,
       u"/home/u/build/", u"glyphgrab.dat", u"/home/u/build/glyphgrab.dat", true},
      {"installed", u"/usr/bin/glyphgrab", {}, env,
       u"/xdg/glyphgrab/", u"glyphgrab.dat", u"/xdg/glyphgrab/glyphgrab.dat", false},
      {"installed, folder writable (root)", u"/usr/bin/glyphgrab", {{}, {}, {u"/usr/bin/"}}, env,
       u"/xdg/glyphgrab/", u"glyphgrab.dat", u"/xdg/glyphgrab/glyphgrab.dat", false},
      {"/usr lookalike is not /usr", u"/usrdata/glyphgrab", {{}, {}, {u"/usrdata/"}}, env,
       u"/usrdata/", u"glyphgrab.dat", u"/usrdata/glyphgrab.dat", true},
      {"writable settings file under /usr",
       u"/usr/bin/glyphgrab",
       {{u"/usr/bin/glyphgrab.dat"}, {u"/usr/bin/glyphgrab.dat"}, {u"/usr/bin/"}}, env,
       u"/usr/bin/", u"glyphgrab.dat", u"/usr/bin/glyphgrab.dat", true},
      {"administrator's read-only file is the starting point",
       u"/opt/gg/glyphgrab", {{u"/opt/gg/glyphgrab.dat"}, {}, {}}, env,
       u"/xdg/glyphgrab/", u"glyphgrab.dat", u"/opt/gg/glyphgrab.dat", false},
      {"the user's own file wins over the administrator's",
       u"/opt/gg/glyphgrab", {{u"/opt/gg/glyphgrab.dat", u"/xdg/glyphgrab/glyphgrab.dat"}, {}, {}}, env,
       u"/xdg/glyphgrab/", u"glyphgrab.dat", u"/xdg/glyphgrab/glyphgrab.dat", false},
      {"read-only file in a writable folder is a template too",
       u"/home/u/apps/glyphgrab", {{u"/home/u/apps/glyphgrab.dat"}, {}, {u"/home/u/apps/"}}, env,
       u"/xdg/glyphgrab/", u"glyphgrab.dat", u"/home/u/apps/glyphgrab.dat", false},
      {"writable file in a read-only folder cannot be replaced there",
       u"/srv/glyphgrab", {{u"/srv/glyphgrab.dat"}, {u"/srv/glyphgrab.dat"}, {}}, env,
       u"/xdg/glyphgrab/", u"glyphgrab.dat", u"/srv/glyphgrab.dat", false},
      {"no XDG_CONFIG_HOME", u"/usr/bin/glyphgrab", {}, {u"", u"/home/u/"},
       u"/home/u/.config/glyphgrab/", u"glyphgrab.dat", u"/home/u/.config/glyphgrab/glyphgrab.dat", false},
      {"relative XDG_CONFIG_HOME is ignored", u"/usr/bin/glyphgrab", {}, {u"cfg", u"/home/u"},
       u"/home/u/.config/glyphgrab/", u"glyphgrab.dat", u"/home/u/.config/glyphgrab/glyphgrab.dat", false},
      {"no home at all", u"/usr/bin/glyphgrab", {}, {u"", u""},
       u"/usr/bin/", u"glyphgrab.dat", u"/usr/bin/glyphgrab.dat", true},
      {"extension replaced", u"/home/u/gg/tool.bin", {{}, {}, {u"/home/u/gg/"}}, env,
       u"/home/u/gg/", u"tool.dat", u"/home/u/gg/tool.dat", true},
  };
  for (const auto& c : cases) {
    const TAppFiles f = LocateAppFiles(c.exe, c.env, c.fs.Probe());
    SCOPED_TRACE(c.what);
    EXPECT_EQ(f.folder, c.folder);
    EXPECT_EQ(f.settingsFile, c.folder + c.settingsName);
    EXPECT_EQ(f.settingsSource, c.source);
    EXPECT_EQ(f.memoFile, c.folder + u"Memo.txt");
    EXPECT_EQ(f.tempFolder, c.folder + u"TEMP/");
    EXPECT_EQ(f.portable, c.portable);
  }
}

// A portable copy in a folder that cannot be written: its memo is read there until the
// per-user folder has one, and the start is told that the folder is read-only.
TEST(LocateAppFiles, AReadOnlyToolFolderIsReadNotIgnored) {
  const TAppEnvironment env{u"/xdg", u"/home/u"};
  FakeFs fs{{u"/media/usb/gg/glyphgrab.dat", u"/media/usb/gg/Memo.txt"}, {}, {}};
  TAppFiles f = LocateAppFiles(u"/media/usb/gg/glyphgrab", env, fs.Probe());
  EXPECT_EQ(f.memoFile, u"/xdg/glyphgrab/Memo.txt");
  EXPECT_EQ(f.memoSource, u"/media/usb/gg/Memo.txt");
  EXPECT_EQ(f.settingsSource, u"/media/usb/gg/glyphgrab.dat");
  EXPECT_EQ(f.readOnlyFolder, u"/media/usb/gg/");
  fs.files.insert(u"/xdg/glyphgrab/Memo.txt");
  fs.files.insert(u"/xdg/glyphgrab/glyphgrab.dat");
  f = LocateAppFiles(u"/media/usb/gg/glyphgrab", env, fs.Probe());
  EXPECT_EQ(f.memoSource, u"");
  EXPECT_EQ(f.settingsSource, u"/xdg/glyphgrab/glyphgrab.dat");
  EXPECT_EQ(f.readOnlyFolder, u"");
}

TEST(LocateAppFiles, RealFileSystem) {
  testing::TempDir dir;
  const std::u16string folder = NativeToPath(dir.folder());
  const TFileProbe probe = RealFileProbe();
  EXPECT_TRUE(probe.isWritableFolder(folder));
  EXPECT_FALSE(probe.isFile(folder));
  const TAppFiles f = LocateAppFiles(folder + u"glyphgrab", {u"/xdg", u"/home/u"}, probe);
  EXPECT_TRUE(f.portable);
  EXPECT_EQ(f.settingsFile, folder + u"glyphgrab.dat");

  const std::u16string exe = CurrentExecutablePath();
  EXPECT_EQ(FileBaseName(exe), u"glyphgrab_settings_tests");
}

}  // namespace
}  // namespace glyphgrab
