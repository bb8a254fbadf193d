#include "browse/app_files.h"

#include "util/paths.h"

namespace glyphgrab {
namespace {

// The folder part of a path, with its trailing delimiter.
std::u16string FolderOf(std::u16string_view path) {
  std::size_t i = path.size();
  while (i > 0 && !IsPathDelim(path[i - 1])) --i;
  return std::u16string(path.substr(0, i));
}

TAppFiles FilesIn(std::u16string folder, std::u16string_view settingsName, bool portable) {
  TAppFiles f;
  f.folder = std::move(folder);
  f.settingsFile = f.folder + std::u16string(settingsName);
  f.settingsSource = f.settingsFile;
  f.memoFile = f.folder + u"Memo.txt";
  f.tempFolder = f.folder + u"TEMP" + PathDelimChar();
  f.portable = portable;
  return f;
}

}  // namespace

TAppFiles LocateAppFiles(std::u16string_view exePath, const TAppEnvironment& env,
                         const TFileProbe& probe) {
  const std::u16string exeFolder = FolderOf(exePath);
  const std::u16string base = FileBaseName(exePath);
  const std::u16string settingsName = ReplaceFileExt(base.empty() ? u"glyphgrab" : base, u".dat");
  const std::u16string besideExe = exeFolder + settingsName;
  const bool folderWritable = !exeFolder.empty() && probe.isWritableFolder(exeFolder);

  const bool fileBeside = probe.isFile(besideExe);
  // Saving replaces the file through a new one in the same folder, so portable use needs
  // the folder writable too; a read-only file there is an administrator's template.
  const bool portable = fileBeside ? folderWritable && probe.isWritableFile(besideExe)
                                   : folderWritable && !IsSystemLocation(exePath);
  if (portable) return FilesIn(exeFolder, settingsName, true);

  const std::u16string perUser = PerUserFolder(env);
  if (perUser.empty()) return FilesIn(exeFolder, settingsName, true);  // nowhere else to go
  TAppFiles f = FilesIn(perUser, settingsName, false);
  if (!probe.isFile(f.settingsFile) && fileBeside) f.settingsSource = besideExe;
  // A portable copy in a folder that cannot be written: its memo is read there, never
  // replaced by an empty one, and the start says where saves go from now on.
  const std::u16string memoBeside = exeFolder + u"Memo.txt";
  if (!probe.isFile(f.memoFile) && probe.isFile(memoBeside)) f.memoSource = memoBeside;
  if (f.settingsSource != f.settingsFile || !f.memoSource.empty()) f.readOnlyFolder = exeFolder;
  return f;
}

TAppFiles LocateAppFiles() {
  return LocateAppFiles(CurrentExecutablePath(), CurrentAppEnvironment(), RealFileProbe());
}

}  // namespace glyphgrab
