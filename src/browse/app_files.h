// Where the settings file, the memo file and the temporary folder live.
//
// They share one folder: the executable's own (portable use) or, for an installed
// program, $XDG_CONFIG_HOME/glyphgrab/. An administrator may leave a read-only settings
// file next to an installed executable; it is read as the starting point until the user
// has a settings file of their own.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace glyphgrab {

struct TAppFiles {
  std::u16string folder;          // with trailing delimiter
  std::u16string settingsFile;    // where the settings are saved
  std::u16string settingsSource;  // where they are read at start-up (may be the admin's file)
  std::u16string memoFile;        // folder + "Memo.txt"
  std::u16string memoSource;      // where the memo is read when not memoFile (else empty)
  // The executable's folder when its settings or memo are read there but saved in
  // `folder`, since it cannot be written; empty otherwise.
  std::u16string readOnlyFolder;
  std::u16string tempFolder;      // folder + "TEMP/"
  bool portable = false;          // true when folder is the executable's folder
};

struct TAppEnvironment {
  std::u16string xdgConfigHome;  // $XDG_CONFIG_HOME; empty when unset
  std::u16string home;           // the user's home folder
  std::u16string appData = {};   // %APPDATA% (Windows); empty when unset
};

// The questions asked of the file system, so tests can answer them without permissions.
struct TFileProbe {
  std::function<bool(std::u16string_view)> isFile;
  std::function<bool(std::u16string_view)> isWritableFile;
  std::function<bool(std::u16string_view)> isWritableFolder;
};

// Probes that ask the real file system for the effective user.
TFileProbe RealFileProbe();

// The rule, for an absolute executable path:
// - a settings file next to the executable: portable when both it and its folder are
//   writable, otherwise it is the starting point of the per-user folder;
// - none there: portable when the executable lives outside /usr and /opt and its folder
//   is writable;
// - the per-user folder is $XDG_CONFIG_HOME/glyphgrab/ when that variable holds an
//   absolute path, else <home>/.config/glyphgrab/; without either, the executable's
//   folder is used after all.
// The settings file's name is the executable's base name with its extension replaced
// by ".dat".
TAppFiles LocateAppFiles(std::u16string_view exePath, const TAppEnvironment& env,
                         const TFileProbe& probe);

// The platform's part of the rule: whether an executable lives where installed
// programs do (Linux: under /usr or /opt; Windows: never, a user may unpack the tool
// anywhere), and the per-user folder (Linux: $XDG_CONFIG_HOME/glyphgrab/ or
// <home>/.config/glyphgrab/; Windows: %APPDATA%\Glyphgrab\); empty when there is none.
bool IsSystemLocation(std::u16string_view exePath);
std::u16string PerUserFolder(const TAppEnvironment& env);

// The running program's executable path (empty when it cannot be found), environment,
// and files.
std::u16string CurrentExecutablePath();
TAppEnvironment CurrentAppEnvironment();
TAppFiles LocateAppFiles();

}  // namespace glyphgrab
