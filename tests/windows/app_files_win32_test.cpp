#include <gtest/gtest.h>

#include "browse/app_files.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

TFileProbe Probe(bool folderWritable, bool fileBeside, bool fileWritable) {
  return TFileProbe{
      [=](std::u16string_view p) { return fileBeside && p.starts_with(u"C:\\Program Files\\"); },
      [=](std::u16string_view) { return fileWritable; },
      [=](std::u16string_view) { return folderWritable; },
  };
}

TEST(AppFilesWin32, BesideTheExecutableWhenWritableElseAppData) {
  TAppEnvironment env;
  env.appData = u"C:\\Users\\u\\AppData\\Roaming";
  const std::u16string exe = u"C:\\Program Files\\Glyphgrab\\glyphgrab.exe";
  const TAppFiles portable = LocateAppFiles(exe, env, Probe(true, false, false));
  EXPECT_TRUE(portable.portable);
  EXPECT_EQ(portable.settingsFile, u"C:\\Program Files\\Glyphgrab\\glyphgrab.dat");
  EXPECT_EQ(portable.tempFolder, u"C:\\Program Files\\Glyphgrab\\TEMP\\");

  const TAppFiles perUser = LocateAppFiles(exe, env, Probe(false, true, false));
  EXPECT_FALSE(perUser.portable);
  EXPECT_EQ(perUser.folder, u"C:\\Users\\u\\AppData\\Roaming\\Glyphgrab\\");
  EXPECT_EQ(perUser.memoFile, u"C:\\Users\\u\\AppData\\Roaming\\Glyphgrab\\Memo.txt");
  // The read-only file beside the executable is where the settings start from.
  EXPECT_EQ(perUser.settingsSource, u"C:\\Program Files\\Glyphgrab\\glyphgrab.dat");
}

TEST(AppFilesWin32, ThisProgramsFolderIsWritable) {
  const std::u16string exe = CurrentExecutablePath();
  ASSERT_FALSE(exe.empty());
  EXPECT_TRUE(IsFile(exe));
  EXPECT_FALSE(CurrentAppEnvironment().appData.empty());
  const TAppFiles f = LocateAppFiles();
  EXPECT_TRUE(f.portable) << "a build folder is writable";
  EXPECT_TRUE(IsFolder(f.folder));
}

}  // namespace
}  // namespace glyphgrab
