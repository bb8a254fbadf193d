#include "util/codepage.h"

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace glyphgrab
