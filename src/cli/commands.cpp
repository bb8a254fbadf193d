#include "cli/commands.h"

#include "cli/command_handlers.h"

namespace glyphgrab::cli {

std::span<const Command> Commands() {
  static const Command kCommands[] = {
      {"extract", "[--header] [--blocks] [--dims] [--no-blanks] [--sort] [--json] FILE...",
       "print the texts of the files as the main window lists them", RunExtract},
      {"info", "[--json] FILE...",
       "print the file list's columns for each file, tab-separated: name, type,\n"
       "      memo, date and time, size, version; --json prints\n"
       "      {\"files\":[{\"path\",\"name\",\"type\",\"memo\",\"modified\",\"size\",\"version\"}...]}\n"
       "      (size a number, the rest strings)",
       RunInfo},
      {"tree", "ROOT", "print the folder tree under ROOT, one folder per line", RunTree},
      {"search", "[--types LIST] [--names] [--contents] [--json] ROOT KEYWORD",
       "print the files under ROOT whose names or texts hold KEYWORD", RunSearch},
      {"keys", "COMMAND", "print the key events that sending COMMAND would type", RunKeys},
  };
  return kCommands;
}

}  // namespace glyphgrab::cli
