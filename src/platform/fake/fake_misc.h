// Records what would have been opened, for tests, and answers as told.
#pragma once

#include <string>
#include <vector>

#include "platform/misc.h"

namespace glyphgrab {

class FakeMisc final : public TMisc {
 public:
  void Open(std::u16string_view sCommand, OpenDone done = {}) override {
    opened.emplace_back(sCommand);
    if (done) done(outcome);
  }
  std::vector<std::u16string> opened;
  OpenOutcome outcome = OpenOutcome::kHandedOver;
};

}  // namespace glyphgrab
