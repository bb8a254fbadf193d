// One send profile: how a text is typed into the target application.
#pragma once

#include <cstdint>
#include <string>

namespace glyphgrab {

struct TSend_jww {
  double Wtim = 0;          // command-key send wait time in seconds (0 to 60 in the dialog)
  std::int32_t Smax = 0;    // 1: maximise the target window when sending; else its size stays
  std::u16string Tcap;      // text the target window's title must contain (case-sensitive)
  std::u16string Comm;      // command-key string
  bool Moj1 = false;        // one-line option of the memo window's copy and send

  bool operator==(const TSend_jww&) const = default;
};

inline constexpr int kSendProfileCount = 10;

// The active profile before any settings file is read: Jw_cad's text command, then paste.
inline TSend_jww DefaultActiveProfile() {
  return TSend_jww{0.1, 0, u"jw_win", u"@DA^V", true};
}

}  // namespace glyphgrab
