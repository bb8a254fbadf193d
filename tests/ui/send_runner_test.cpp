// The send worker shared by the windows: its ending reaches the window that started it
// unless that window's logic went, and only that send's ending ends Busy().
#include <gtest/gtest.h>

#include <atomic>
#include <thread>

#include "fake_views.h"
#include "platform/fake/fake_desktop.h"
#include "ui/send_runner.h"

namespace glyphgrab {
namespace {

using View = testing::FakeWindow<ui::WindowView>;

TEST(SendRunner, OnlyItsOwnEndingEndsASend) {
  FakeJournal journal;
  FakeKeySender keys(journal);
  FakeWindowSystem windows(journal);
  windows.windows.push_back(TopLevelWindow{7, u"jw_win", false, true});
  std::atomic<bool> hold{false};
  ui::SendRunner runner(keys, windows, nullptr, [&](double) {
    while (hold) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  });
  const TSend_jww profile = DefaultActiveProfile();
  const SendPlan plan = PrepareSend(u"x", profile);
  View memoView, mainView;
  ui::Poster memo(memoView), main(mainView);
  int memoDone = 0, mainDone = 0;

  // The memo window's send ends, but its ending waits in the memo window's queue when
  // that window's logic goes: the send is abandoned, and the ending never arrives.
  runner.Start(plan, 7, profile, memo, [&](SendResult, const std::u16string&) { ++memoDone; });
  ASSERT_TRUE(memoView.WaitForPosts());
  runner.Release(memo);
  EXPECT_FALSE(runner.Busy());

  hold = true;
  runner.Start(plan, 7, profile, main, [&](SendResult, const std::u16string&) { ++mainDone; });
  runner.Release(memo);  // not the memo window's send: it runs on
  memoView.RunPosted();
  EXPECT_EQ(memoDone, 0);
  EXPECT_TRUE(runner.Busy());

  hold = false;
  EXPECT_TRUE(mainView.RunUntil([&] { return !runner.Busy(); }));
  EXPECT_EQ(mainDone, 1);
}

}  // namespace
}  // namespace glyphgrab
