// Paths and files as the Windows edition handles them (built for Windows only).
#include <windows.h>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "util/file_bytes.h"
#include "util/file_write.h"
#include "util/folder_listing.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

std::u16string U(const wchar_t* w) { return std::u16string(w, w + wcslen(w)); }

// A fresh folder under the user's temporary folder, removed afterwards.
class WindowsFiles : public ::testing::Test {
 protected:
  void SetUp() override {
    wchar_t buf[MAX_PATH + 1];
    ASSERT_GT(GetTempPathW(MAX_PATH + 1, buf), 0u);
    root_ = U(buf) + u"glyphgrab-test-" + std::u16string(1, static_cast<char16_t>(u'a' + GetCurrentProcessId() % 26)) +
            u"図面\\";
    ASSERT_TRUE(MakeFolder(root_));
  }
  void TearDown() override {
    std::wstring from(root_.begin(), root_.end() - 1);
    RemoveTree(from);
  }
  static void RemoveTree(const std::wstring& folder) {
    WIN32_FIND_DATAW d{};
    HANDLE h = FindFirstFileW((L"\\\\?\\" + folder + L"\\*").c_str(), &d);
    if (h != INVALID_HANDLE_VALUE) {
      do {
        const std::wstring name = d.cFileName;
        if (name == L"." || name == L"..") continue;
        const std::wstring p = folder + L"\\" + name;
        if (d.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
          RemoveTree(p);
        } else {
          SetFileAttributesW((L"\\\\?\\" + p).c_str(), FILE_ATTRIBUTE_NORMAL);
          DeleteFileW((L"\\\\?\\" + p).c_str());
        }
      } while (FindNextFileW(h, &d));
      FindClose(h);
    }
    RemoveDirectoryW((L"\\\\?\\" + folder).c_str());
  }
  bool Write(const std::u16string& path, std::string_view text) {
    return WriteFileAtomic(path, ByteSpan(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
  }
  std::string Read(const std::u16string& path) {
    Bytes b;
    if (!ReadWholeFile(path, b)) return "<unreadable>";
    return std::string(b.begin(), b.end());
  }
  std::u16string root_;
};

TEST(WindowsPaths, DelimitersDrivesAndExtensions) {
  EXPECT_EQ(PathDelimChar(), u'\\');
  EXPECT_EQ(AddTrailingDelim(u"C:\\data"), u"C:\\data\\");
  EXPECT_EQ(AddTrailingDelim(u"C:\\data\\"), u"C:\\data\\");
  EXPECT_EQ(AddTrailingDelim(u"C:/data/"), u"C:/data/");
  EXPECT_EQ(AddTrailingDelim(u""), u"\\");
  EXPECT_EQ(RemoveTrailingDelim(u"C:\\data\\"), u"C:\\data");
  EXPECT_EQ(RemoveTrailingDelim(u"C:\\"), u"C:\\");  // "C:" would be the drive's working folder
  EXPECT_EQ(RemoveTrailingDelim(u"\\\\server\\share\\"), u"\\\\server\\share");
  EXPECT_EQ(FileExtLower(u"C:\\a.b\\name"), u"");
  EXPECT_EQ(FileExtLower(u"C:\\x\\PLAN.JWW"), u".jww");
  EXPECT_EQ(FileExtLower(u"C:/x/plan.Jws"), u".jws");
  EXPECT_EQ(ReplaceFileExt(u"C:\\tool\\run.exe", u".dat"), u"C:\\tool\\run.dat");
  EXPECT_EQ(FileBaseName(u"C:\\x/y\\z.jww"), u"z.jww");
  EXPECT_TRUE(IsFolder(u"C:\\"));
  EXPECT_TRUE(IsFolder(u"C:/"));
}

TEST_F(WindowsFiles, ListsJapaneseNamesInNtfsOrderWithoutFolders) {
  ASSERT_TRUE(Write(root_ + u"b.JWW", "1"));
  ASSERT_TRUE(Write(root_ + u"図面.jww", "22"));
  ASSERT_TRUE(Write(root_ + u"A.jww", "333"));
  ASSERT_TRUE(Write(root_ + u"note.txt", "x"));
  ASSERT_TRUE(MakeFolder(root_ + u"sub.jww\\deeper"));
  FolderListing rows;
  int error = -1;
  ASSERT_TRUE(ListFolderFiles(root_, u"*.jw?", rows, &error));
  std::vector<std::u16string> names;
  for (const auto& r : rows) names.push_back(r.name);
  EXPECT_EQ(names, (std::vector<std::u16string>{u"A.jww", u"b.JWW", u"図面.jww"}));
  EXPECT_EQ(rows[0].size, 3);
  EXPECT_EQ(rows[0].date.size(), 10u);
  std::vector<std::u16string> folders;
  EXPECT_TRUE(ListSubFolders(root_, folders, {}));
  EXPECT_EQ(folders, (std::vector<std::u16string>{u"sub.jww"}));
  EXPECT_FALSE(ListFolderFiles(root_ + u"missing\\", u"*", rows, &error));
  EXPECT_EQ(error, ENOENT);
}

TEST_F(WindowsFiles, AtomicSaveReplacesAndRefusesReadOnly) {
  const std::u16string path = root_ + u"new\\メモ.txt";  // the missing folder is made
  ASSERT_TRUE(Write(path, "one"));
  ASSERT_TRUE(Write(path, "two"));
  EXPECT_EQ(Read(path), "two");
  SetFileAttributesW(reinterpret_cast<const wchar_t*>(path.c_str()), FILE_ATTRIBUTE_READONLY);
  int error = 0;
  EXPECT_FALSE(WriteFileAtomic(path, ByteSpan(), &error));
  EXPECT_EQ(error, EACCES);
  EXPECT_EQ(Read(path), "two");
  FolderListing rows;
  ListFolderFiles(root_ + u"new\\", u"*", rows);
  EXPECT_EQ(rows.size(), 1u) << "no temporary file is left";
  EXPECT_EQ(RenamePath(path, root_ + u"moved.txt"), 0);
  EXPECT_TRUE(IsFile(root_ + u"moved.txt"));
}

TEST_F(WindowsFiles, PathsBeyondTheClassicLimit) {
  std::u16string deep = root_;
  while (deep.size() < 300) deep += u"長いフォルダの名前\\";
  ASSERT_TRUE(MakeFolder(deep));
  const std::u16string file = deep + u"plan.jww";
  ASSERT_TRUE(Write(file, "deep"));
  EXPECT_TRUE(IsFile(file));
  EXPECT_EQ(Read(file), "deep");
  TFileField row;
  EXPECT_TRUE(FileFieldOf(file, row));
  EXPECT_EQ(row.size, 4);
  EXPECT_EQ(ListFolderFiles(deep, u"*.jww").size(), 1u);
  EXPECT_TRUE(RemoveFile(file));
  EXPECT_FALSE(IsFile(file));
}

TEST_F(WindowsFiles, ReadingTellsWhyNot) {
  ReadableFile missing(root_ + u"none.jww");
  EXPECT_FALSE(missing.ok());
  EXPECT_EQ(missing.error(), ENOENT);
  ReadableFile folder(root_);
  EXPECT_FALSE(folder.ok());
  EXPECT_EQ(folder.error(), EISDIR);
  bool gone = false;
  EXPECT_EQ(FolderReadError(root_ + u"none", gone), ENOENT);
  EXPECT_TRUE(gone);
  EXPECT_EQ(FolderReadError(root_, gone), 0);
  EXPECT_TRUE(RemoveEmptyFolder(root_ + u"x") == false);
}

}  // namespace
}  // namespace glyphgrab
