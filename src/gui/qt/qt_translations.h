// Qt's own dialogs (the folder dialog, the buttons of message boxes) in Japanese, the
// language of the rest of the interface, whatever the user's locale says.
#pragma once

class QCoreApplication;

namespace glyphgrab::gui {

// Installs Qt's Japanese translations on the application; false when they are not
// installed on this system (the standard dialogs then stay in English).
bool InstallQtJapanese(QCoreApplication& app);

}  // namespace glyphgrab::gui
