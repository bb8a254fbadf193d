// Records what would have been opened, for tests.
#pragma once

#include <string>
#include <vector>

#include "platform/misc.h"

namespace glyphgrab {

class FakeMisc final : public TMisc {
 public:
  void Open(std::u16string_view sCommand) override { opened.emplace_back(sCommand); }
  std::vector<std::u16string> opened;
};

}  // namespace glyphgrab
