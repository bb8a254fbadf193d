#include "ui/window_job.h"

#include <gtest/gtest.h>

#include <atomic>
#include <mutex>
#include <vector>

#include "fake_views.h"

namespace glyphgrab::ui {
namespace {

using testing::FakeSettingsView;
using Ending = CancelToken::Ending;

struct Record {
  WindowJob::Event event;
  unsigned generation;
  Ending ending;
  bool operator==(const Record&) const = default;
};

// Collects the job's events from its threads.
struct Journal {
  std::mutex mutex;
  std::vector<Record> records;
  WindowJob::EventHook Hook() {
    return [this](WindowJob::Event e, unsigned g, Ending ending) {
      std::lock_guard<std::mutex> lock(mutex);
      records.push_back({e, g, ending});
    };
  }
  std::vector<Record> Take() {
    std::lock_guard<std::mutex> lock(mutex);
    return records;
  }
};

// Work that waits until its run is stopped or abandoned, then posts and finishes.
void WaitForEnding(WindowJob::Context& job, std::vector<std::string>* shown, const char* name) {
  while (!job.StopRequested()) std::this_thread::yield();
  job.Post([shown, name] { shown->push_back(std::string(name) + " found"); });
  job.Finish([shown, name] { shown->push_back(std::string(name) + " done"); });
}

TEST(WindowJob, ANewRunBeginsOnlyAfterTheAbandonedOneEndedAndShowsAlone) {
  FakeSettingsView view;
  WindowJob job(view);
  Journal journal;
  job.SetEventHook(journal.Hook());
  std::vector<std::string> shown;
  EXPECT_EQ(job.Start([&](WindowJob::Context& c) { WaitForEnding(c, &shown, "first"); }), 1u);
  EXPECT_TRUE(job.Running());
  EXPECT_EQ(job.Start([&](WindowJob::Context& c) {
    c.Post([&] { shown.push_back("second found"); });
    c.Finish([&] { shown.push_back("second done"); });
  }), 2u);
  EXPECT_TRUE(view.RunUntil([&] { return !job.Running(); }));
  EXPECT_EQ(shown, (std::vector<std::string>{"second found", "second done"}));
  using E = WindowJob::Event;
  const std::vector<Record> expected = {{E::kBegins, 1, Ending::kNone},
                                        {E::kEnds, 1, Ending::kAbandon},
                                        {E::kBegins, 2, Ending::kNone},
                                        {E::kEnds, 2, Ending::kNone}};
  // The first may have been abandoned before its work began: it then ends at once.
  std::vector<Record> records = journal.Take();
  if (!records.empty() && records[0].ending == Ending::kAbandon) records[0].ending = Ending::kNone;
  EXPECT_EQ(records, expected);
}

TEST(WindowJob, AStopKeepsWhatWasFoundAndAnAbandonDropsIt) {
  FakeSettingsView view;
  WindowJob job(view);
  std::vector<std::string> shown;
  job.Start([&](WindowJob::Context& c) { WaitForEnding(c, &shown, "stopped"); });
  job.Stop();
  EXPECT_TRUE(view.RunUntil([&] { return !job.Running(); }));
  EXPECT_EQ(shown, (std::vector<std::string>{"stopped found", "stopped done"}));

  shown.clear();
  std::atomic<bool> ended{false};
  job.SetEventHook([&](WindowJob::Event e, unsigned, Ending) { ended = e == WindowJob::Event::kEnds; });
  job.Start([&](WindowJob::Context& c) { WaitForEnding(c, &shown, "abandoned"); });
  job.Abandon();
  EXPECT_FALSE(job.Running());
  while (!ended) std::this_thread::yield();
  view.RunPosted();
  EXPECT_TRUE(shown.empty());
}

// Closing never waits for work that does not look at its token: the thread is left to
// end on its own and reaches nothing of the window.
TEST(WindowJob, CloseLeavesAThreadThatIgnoresItsToken) {
  FakeSettingsView view;
  std::atomic<bool> release{false}, ended{false};
  bool ran = false;
  {
    WindowJob job(view);
    job.SetEventHook([&](WindowJob::Event e, unsigned, Ending) { ended = e == WindowJob::Event::kEnds; });
    job.Start([&](WindowJob::Context& c) {
      while (!release) std::this_thread::yield();
      c.Finish([&] { ran = true; });
    });
  }  // closes
  release = true;
  while (!ended) std::this_thread::yield();
  EXPECT_EQ(view.Queued(), 0u);
  view.RunPosted();
  EXPECT_FALSE(ran);
}

}  // namespace
}  // namespace glyphgrab::ui
