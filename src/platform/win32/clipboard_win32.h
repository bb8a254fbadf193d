// The Windows clipboard, Unicode text format. Any thread may set it; the system keeps
// the contents, so nothing has to answer for them afterwards.
#pragma once

#include "platform/clipboard.h"

namespace glyphgrab {

class Win32Clipboard final : public Clipboard {
 public:
  bool SetText(std::u16string_view text) override;
};

}  // namespace glyphgrab
