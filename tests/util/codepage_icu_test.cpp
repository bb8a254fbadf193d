#include "util/codepage.h"

#include <gtest/gtest.h>

#include <thread>
#include <vector>

namespace glyphgrab {
namespace {

// The fast table is derived from ICU's converter; every byte and every pair, alone and
// before another byte, must decode exactly as ICU does.
TEST(Cp932, FastPathAgreesWithIcuOnEveryPair) {
  int mismatches = 0;
  for (int a = 0; a < 256 && mismatches < 5; ++a) {
    for (int b = -1; b < 256 && mismatches < 5; ++b) {
      Bytes in = {static_cast<std::uint8_t>(a)};
      if (b >= 0) in.push_back(static_cast<std::uint8_t>(b));
      for (int tail : {-1, 0x41, 0x82}) {
        Bytes t = in;
        if (tail >= 0) t.push_back(static_cast<std::uint8_t>(tail));
        std::size_t badFast = 0, badIcu = 0;
        if (Cp932BytesToStr(t, &badFast) != detail::Cp932BytesToStrIcuOnly(t, &badIcu) ||
            badFast != badIcu) {
          ADD_FAILURE() << "bytes " << a << " " << b << " " << tail;
          ++mismatches;
        }
      }
    }
  }
}

// The table fills a lead byte's row on first use. Threads that start on a fresh table at
// once, each walking the lead bytes from a different place, all decode as ICU does.
TEST(Cp932, TableFilledFromSeveralThreadsAtOnce) {
  std::vector<Bytes> pairs;
  for (int lead = 0x81; lead <= 0xFC; ++lead)
    for (int trail = 0x40; trail <= 0xFC; ++trail)
      pairs.push_back({static_cast<std::uint8_t>(lead), static_cast<std::uint8_t>(trail), 0x41});
  std::vector<std::u16string> expected;
  for (const Bytes& b : pairs) expected.push_back(detail::Cp932BytesToStrIcuOnly(b));

  constexpr std::size_t kThreads = 4;
  std::vector<std::size_t> wrong(kThreads, 0);
  std::vector<std::thread> threads;
  for (std::size_t t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      for (std::size_t k = 0; k < pairs.size(); ++k) {
        const std::size_t i = (k + t * pairs.size() / kThreads) % pairs.size();
        if (Cp932BytesToStr(pairs[i]) != expected[i]) ++wrong[t];
      }
    });
  }
  for (auto& th : threads) th.join();
  for (std::size_t t = 0; t < kThreads; ++t) EXPECT_EQ(wrong[t], 0u) << "thread " << t;
}

}  // namespace
}  // namespace glyphgrab
