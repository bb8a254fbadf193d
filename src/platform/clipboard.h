// The system clipboard, as far as sending texts needs it. The desktop tool implements
// it with its toolkit's clipboard: on X11 the clipboard's contents live in the process
// that owns them, so only the running tool can hold them.
#pragma once

#include <string_view>

namespace glyphgrab {

class Clipboard {
 public:
  virtual ~Clipboard() = default;
  // Replaces the clipboard's contents with the text. False when the clipboard could not
  // be taken (another program holds it); nothing changed then.
  virtual bool SetText(std::u16string_view text) = 0;
};

}  // namespace glyphgrab
