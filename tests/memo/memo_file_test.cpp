#include "memo/memo_file.h"

#include <filesystem>
#include <fstream>
#include <iterator>

#include <gtest/gtest.h>

#include "fixtures/temp_dir.h"
#include "fixtures/unprivileged.h"
#include "memo/memo_text.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

namespace fs = std::filesystem;

std::u16string P(const fs::path& p) { return NativeToPath(p.string()); }

std::string Slurp(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

TEST(MemoFile, WrittenAsUtf8WithByteOrderMarkExactlyAsHeld) {
  testing::TempDir dir;
  const fs::path file = dir.path() / "Memo.txt";
  const struct {
    std::u16string text;
    std::string bytes;
  } cases[] = {
      {u"", "\xEF\xBB\xBF"},
      {u"あ\r\nb", "\xEF\xBB\xBF\xE3\x81\x82\r\nb"},
      {u"a\r\n\r\n", "\xEF\xBB\xBF" "a\r\n\r\n"},
      {u"𠮷", "\xEF\xBB\xBF\xF0\xA0\xAE\xB7"},
  };
  for (const auto& c : cases) {
    ASSERT_TRUE(MemoSave(P(file), c.text));
    EXPECT_EQ(Slurp(file), c.bytes);
    EXPECT_EQ(MemoLoad(P(file)), c.text);
  }
}

TEST(MemoFile, ReadsWhatOtherEditorsWrite) {
  testing::TempDir dir;
  const struct {
    const char* what;
    std::string bytes;
    std::u16string text;
  } cases[] = {
      {"code page 932 without a mark", "\x82\xa0\x82\xa2\r\n\x8c\x8a\x8d\x9e", u"あい\r\n穴込"},
      {"UTF-16LE with a mark", std::string("\xFF\xFE\x42\x30\n\0x\0", 8), u"あ\r\nx"},
      {"UTF-8 with LF line ends", "\xEF\xBB\xBF" "a\nb\n", u"a\r\nb\r\n"},
      {"empty file", "", u""},
  };
  for (const auto& c : cases) {
    const fs::path file = dir.Write("Memo.txt", c.bytes);
    EXPECT_EQ(MemoLoad(P(file)), c.text) << c.what;
  }
  EXPECT_EQ(MemoLoad(P(dir.path() / "absent.txt")), u"");
  EXPECT_EQ(MemoLoad(P(dir.path())), u"");  // a folder is no memo

  // A code page 932 memo is stored as UTF-8 at the next save.
  const fs::path file = dir.Write("Memo.txt", std::string_view("\x82\xa0\r\n"));
  TMemoText memo(MemoLoad(P(file)));
  ASSERT_TRUE(MemoSave(P(file), memo.Text()));
  EXPECT_EQ(Slurp(file), "\xEF\xBB\xBF\xE3\x81\x82\r\n");
}

TEST(MemoFile, SaveWithoutPermissionKeepsTheOldMemo) {
  testing::TempDir dir;
  const fs::path folder = dir.MakeDir("app");
  const fs::path file = folder / "Memo.txt";
  ASSERT_TRUE(MemoSave(P(file), u"kept line"));
  fs::permissions(file, fs::perms(0666));
  const testing::ReadOnlyFolder locked(dir.path(), folder);
  const int result = testing::RunUnprivileged([&] { return MemoSave(P(file), u"") ? 1 : 0; });
  EXPECT_EQ(result, 0) << "the save reported success";
  EXPECT_EQ(MemoLoad(P(file)), u"kept line");
}

}  // namespace
}  // namespace glyphgrab
