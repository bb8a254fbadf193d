// A start claims the folder of settings and memo before reading them: one writer only.
#include <gtest/gtest.h>

#include <chrono>

#include "fixtures/temp_dir.h"
#include "ui/single_writer.h"
#include "util/codepage.h"

namespace glyphgrab::ui {
namespace {

std::u16string Folder(const testing::TempDir& dir) { return Utf8ToStr(dir.folder()); }

TEST(SingleWriterTest, TheHolderKeepsTheFolderUntilItEnds) {
  testing::TempDir dir;
  auto running = std::make_unique<TInstanceLock>();
  ASSERT_EQ(ClaimAppFolder(*running, Folder(dir), nullptr), StartClaim::kRun);
  ASSERT_TRUE(running->Held());
  // The note for later starts stays readable while the folder is locked.
  ASSERT_TRUE(running->Publish("12345"));
  EXPECT_EQ(TInstanceLock::ReadPublished(Folder(dir) + kInstanceLockName), "12345");

  struct Case {
    bool answers;
    StartClaim expected;
  };
  for (const Case c : {Case{true, StartClaim::kHandedOver}, Case{false, StartClaim::kNotAnswering}}) {
    TInstanceLock later;
    int asked = 0;
    const StartClaim claim = ClaimAppFolder(
        later, Folder(dir), [&] { return ++asked, c.answers; }, std::chrono::milliseconds(300));
    EXPECT_EQ(claim, c.expected) << c.answers;
    EXPECT_FALSE(later.Held());
    EXPECT_GE(asked, 1);
  }

  // Once the holder is gone (however it ended) the next start is the writer.
  running.reset();
  TInstanceLock next;
  EXPECT_EQ(ClaimAppFolder(next, Folder(dir), [] { return false; }, std::chrono::milliseconds(0)),
            StartClaim::kRun);
  EXPECT_TRUE(next.Held());
}

TEST(SingleWriterTest, AFolderMadeOnTheWay) {
  testing::TempDir dir;
  TInstanceLock lock;
  const std::u16string folder = Folder(dir) + u"config/glyphgrab/";
  EXPECT_EQ(ClaimAppFolder(lock, folder, nullptr), StartClaim::kRun);
  EXPECT_TRUE(lock.Held());
}

}  // namespace
}  // namespace glyphgrab::ui
