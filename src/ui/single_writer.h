// A start of the desktop tool claims its folder of settings and memo before it reads
// them. Only the holder of the folder's lock may write there; a later start hands its
// file over to the holder, and when the holder does not answer (frozen, or still busy
// starting) it says so and ends rather than become a second writer.
#pragma once

#include <chrono>
#include <functional>
#include <string>
#include <string_view>

#include "util/instance_lock.h"

namespace glyphgrab::ui {

enum class StartClaim {
  kRun,           // this start is the folder's writer (or no lock can be had there at all)
  kHandedOver,    // the running copy took the file: this start ends
  kNotAnswering,  // the running copy holds the folder but did not answer: this start ends
};

// `handOver` asks the running copy to open the start's file; it answers true once that
// copy confirmed. It is tried until `patience` ran out, since a copy that is still
// loading answers only when its window is up.
StartClaim ClaimAppFolder(TInstanceLock& lock, std::u16string_view folder, const std::function<bool()>& handOver,
                          std::chrono::milliseconds patience = std::chrono::seconds(10));

// The notice of kNotAnswering.
std::u16string NotAnsweringText(std::u16string_view folder);

}  // namespace glyphgrab::ui
