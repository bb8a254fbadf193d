#include "util/wait.h"

#include <algorithm>
#include <chrono>
#include <cmath>
#include <thread>

namespace glyphgrab {

void WaitSeconds(double seconds) {
  if (!(seconds > 0)) return;  // also NaN
  using Clock = std::chrono::steady_clock;
  // A monotonic clock: a wait across midnight or a clock change lasts what it says.
  const double capped = std::min(seconds, 1e6);
  const auto deadline = Clock::now() + std::chrono::duration_cast<Clock::duration>(
                                           std::chrono::duration<double>(capped));
  constexpr auto kStep = std::chrono::milliseconds(5);
  for (auto now = Clock::now(); now < deadline; now = Clock::now()) {
    std::this_thread::sleep_for(std::min<Clock::duration>(deadline - now, kStep));
  }
}

}  // namespace glyphgrab
