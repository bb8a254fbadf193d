#include "cli/commands.h"

#include "cli/command_handlers.h"

namespace glyphgrab::cli {

std::span<const Command> Commands() {
  static const Command kCommands[] = {
      {"extract", "[--header] [--blocks] [--dims] [--no-blanks] [--sort] [--json] FILE...",
       "print the texts of the files as the main window lists them, one per line;\n"
       "      --header memo and name sections, --blocks block definitions, --dims\n"
       "      dimension texts, --no-blanks remove every blank, --sort sort without\n"
       "      header lines; --json prints {\"lines\":[...],\"files\":[{\"path\",\"outcome\",\n"
       "      \"undecodable\"}...]} (outcome: read, stopped (with \"stoppedAt\"), not-format,\n"
       "      unreadable, no-reader)",
       RunExtract},
      {"info", "[--json] FILE...",
       "print the file list's columns for each file, tab-separated: name, type,\n"
       "      memo, date and time, size, version; --json prints\n"
       "      {\"files\":[{\"path\",\"name\",\"type\",\"memo\",\"modified\",\"size\",\"version\"}...]}\n"
       "      (size a number, the rest strings)",
       RunInfo},
      {"tree", "ROOT", "print the folder tree under ROOT, one folder per line", RunTree},
      {"search", "[--types LIST] [--names] [--contents] [--json] [--no-index] ROOT KEYWORD",
       "print the files under ROOT whose names or texts hold KEYWORD, in walk\n"
       "      order; the closing status goes to stderr. LIST is a comma list of\n"
       "      jww,jws,jwc,jwk,txt,csv,html (default all); without --names and --contents\n"
       "      both are on; --json prints {\"results\":[{\"path\",\"folder\",\"name\",\n"
       "      \"node\"}...],\"examined\":N,\"matched\":M,\"unreadable\":K} (K files whose\n"
       "      contents could not be read; each is also named on stderr). Contents are\n"
       "      answered from the search index for files whose size and time are unchanged\n"
       "      (read and stored otherwise); --no-index reads every file and leaves the\n"
       "      index alone",
       RunSearch},
      {"index", "ROOT | --forget",
       "build or refresh the search index for the files under ROOT and print how many\n"
       "      files were read, answered from the index and dropped; --forget deletes the\n"
       "      index (in $XDG_CACHE_HOME/glyphgrab, default ~/.cache/glyphgrab)",
       RunIndex},
      {"render", "[--mark TEXT] [--width PX] [--json] FILE -o OUT",
       "draw a .jww, .jws, .jwc or .jwk file as SVG into OUT (\"-\" for stdout), the\n"
       "      paper frame of its sheet size in millimetres; the texts equal to TEXT\n"
       "      (control characters removed, letter case ignored) are outlined; --width\n"
       "      sets the picture's width in pixels; --json writes {\"paper\":{\"name\",\n"
       "      \"width\",\"height\"},\"truncated\",\"items\":[{\"kind\",\"pen\",...}...]}\n"
       "      instead (lines, arcs, points, solids, texts with \"at\", \"box\", \"text\")",
       RunRender},
      {"keys", "COMMAND",
       "print the key events that sending COMMAND would type; a {N} group waits N\n"
       "      tenths of a second, at most 3600 seconds (one hour), here as in a send",
       RunKeys},
  };
  return kCommands;
}

}  // namespace glyphgrab::cli
