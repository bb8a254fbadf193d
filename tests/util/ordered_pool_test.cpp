#include "util/ordered_pool.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace glyphgrab {
namespace {

struct PoolRun {
  std::vector<int> taken;
  std::size_t asked = 0;         // items given by next
  std::size_t mostAhead = 0;     // items given but not yet taken, at most
  std::atomic<int> worked{0};
};

// Items 0..count-1; every seventh item takes longer, so that later items finish first.
void RunItems(unsigned workers, std::size_t window, int count, int stopAfter, PoolRun& run) {
  int given = 0;
  RunOrdered<int, int>(
      workers, window,
      [&](int& item) {
        if (given == count) return false;
        item = given++;
        ++run.asked;
        run.mostAhead = std::max(run.mostAhead, run.asked - run.taken.size());
        return true;
      },
      [&](const int& item, unsigned thread) {
        EXPECT_LE(thread, workers);
        if (item % 7 == 0) std::this_thread::sleep_for(std::chrono::microseconds(300));
        ++run.worked;
        return item * 2;
      },
      [&](int& item, int& result) {
        EXPECT_EQ(result, item * 2);
        run.taken.push_back(item);
        return static_cast<int>(run.taken.size()) != stopAfter;
      });
}

TEST(RunOrdered, ResultsTakenInOrderWithBoundedLookahead) {
  struct Case {
    unsigned workers;
    std::size_t window;
    int count;
  };
  for (const Case c : {Case{0, 4, 300}, Case{1, 1, 300}, Case{1, 8, 300}, Case{3, 16, 1000},
                       Case{3, 2, 50}, Case{2, 8, 0}}) {
    const std::string name = std::to_string(c.workers) + " workers, window " + std::to_string(c.window);
    PoolRun run;
    RunItems(c.workers, c.window, c.count, -1, run);
    ASSERT_EQ(run.taken.size(), static_cast<std::size_t>(c.count)) << name;
    for (int k = 0; k < c.count; ++k) ASSERT_EQ(run.taken[static_cast<std::size_t>(k)], k) << name;
    EXPECT_EQ(run.worked, c.count) << name;
    EXPECT_LE(run.mostAhead, std::max<std::size_t>(c.window, 1)) << name;
  }
}

// After take says stop, nothing more is taken or asked beyond the window.
TEST(RunOrdered, StopEndsTheTaking) {
  for (unsigned workers : {0u, 1u, 3u}) {
    for (int stopAfter : {1, 2, 7, 100}) {
      const std::string name = std::to_string(workers) + " workers, stop after " + std::to_string(stopAfter);
      PoolRun run;
      RunItems(workers, 8, 500, stopAfter, run);
      ASSERT_EQ(run.taken.size(), static_cast<std::size_t>(stopAfter)) << name;
      for (int k = 0; k < stopAfter; ++k) EXPECT_EQ(run.taken[static_cast<std::size_t>(k)], k) << name;
      EXPECT_LE(run.asked, static_cast<std::size_t>(stopAfter) - 1 + 8) << name;
      EXPECT_LE(run.worked, static_cast<int>(run.asked)) << name;
    }
  }
}

// A failure in the work reaches the caller in its item's turn, after the items before it.
TEST(RunOrdered, WorkFailureSurfacesInItsTurn) {
  for (unsigned workers : {0u, 1u, 3u}) {
    int given = 0;
    std::vector<int> taken;
    EXPECT_THROW(
        (RunOrdered<int, int>(
            workers, 8,
            [&](int& item) {
              item = given++;
              return given <= 100;
            },
            [](const int& item, unsigned) {
              if (item == 5) throw std::runtime_error("no memory");
              return item;
            },
            [&](int& item, int&) {
              taken.push_back(item);
              return true;
            })),
        std::runtime_error)
        << workers << " workers";
    EXPECT_EQ(taken, (std::vector<int>{0, 1, 2, 3, 4})) << workers << " workers";
  }
}

TEST(RunOrdered, DefaultWorkersBetweenOneAndThree) {
  const unsigned n = DefaultWorkerCount();
  EXPECT_GE(n, 1u);
  EXPECT_LE(n, 3u);
}

}  // namespace
}  // namespace glyphgrab
