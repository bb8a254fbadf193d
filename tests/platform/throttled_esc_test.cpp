#include "platform/throttled_esc_key_state.h"

#include <gtest/gtest.h>

namespace glyphgrab {
namespace {

class CountingEsc final : public EscKeyState {
 public:
  bool IsEscDown() override {
    ++asks;
    return down;
  }
  int asks = 0;
  bool down = false;
};

// However often a loop asks, the desktop hears of it once per interval, and an Esc that
// went down is seen within that interval.
TEST(ThrottledEscKeyState, AsksTheDesktopOncePerInterval) {
  using namespace std::chrono_literals;
  auto inner = std::make_unique<CountingEsc>();
  CountingEsc* desktop = inner.get();
  ThrottledEscKeyState::Clock::time_point now{};
  ThrottledEscKeyState esc(std::move(inner), [&now] { return now; });

  for (int i = 0; i < 1000; ++i) EXPECT_FALSE(esc.IsEscDown());
  EXPECT_EQ(desktop->asks, 1);
  desktop->down = true;
  now += 24ms;
  EXPECT_FALSE(esc.IsEscDown());  // the answer of 24 ms ago still stands
  now += 1ms;
  EXPECT_TRUE(esc.IsEscDown());
  EXPECT_EQ(desktop->asks, 2);
  now += 1h;
  desktop->down = false;
  EXPECT_FALSE(esc.IsEscDown());
  EXPECT_EQ(desktop->asks, 3);
}

TEST(ThrottledEscKeyState, NoDesktopNeverDown) {
  ThrottledEscKeyState esc(nullptr);
  EXPECT_FALSE(esc.IsEscDown());
}

}  // namespace
}  // namespace glyphgrab
