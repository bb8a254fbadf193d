// The sheet sizes Jw_cad numbers in its drawings: A0 to A4, then the long sheets 2A to
// 5A and the survey sheets of 10 m, 50 m and 100 m.
#pragma once

#include <cstdint>
#include <optional>

namespace glyphgrab {

struct PaperSize {
  const char16_t* name;
  double width, height;  // millimetres, landscape
};

inline std::optional<PaperSize> PaperSizeOf(std::int32_t code) {
  switch (code) {
    case 0: return PaperSize{u"A0", 1189, 841};
    case 1: return PaperSize{u"A1", 841, 594};
    case 2: return PaperSize{u"A2", 594, 420};
    case 3: return PaperSize{u"A3", 420, 297};
    case 4: return PaperSize{u"A4", 297, 210};
    case 8: return PaperSize{u"2A", 1682, 1189};
    case 9: return PaperSize{u"3A", 2378, 1682};
    case 10: return PaperSize{u"4A", 3364, 2378};
    case 11: return PaperSize{u"5A", 4756, 3364};
    case 12: return PaperSize{u"10m", 10000, 7071};
    case 13: return PaperSize{u"50m", 50000, 35355};
    case 14: return PaperSize{u"100m", 100000, 70711};
    default: return std::nullopt;
  }
}

}  // namespace glyphgrab
