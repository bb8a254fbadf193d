#include <windows.h>

#include <fcntl.h>
#include <io.h>

#include <cstdio>
#include <string>
#include <vector>

#include "cli/block_output.h"
#include "util/codepage.h"

// Arguments arrive as UTF-16, so file names in any script reach the engine whole; the
// engine takes them as UTF-8 like the Linux program.
int wmain(int argc, wchar_t** argv) {
  // UTF-8 out: a console is told so; a file or pipe gets the bytes as they are. Binary
  // mode keeps LF line ends.
  if (GetFileType(GetStdHandle(STD_OUTPUT_HANDLE)) == FILE_TYPE_CHAR) SetConsoleOutputCP(CP_UTF8);
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stderr), _O_BINARY);
  std::vector<std::string> args;
  for (int i = 1; i < argc; ++i) {
    const std::u16string arg(argv[i], argv[i] + std::char_traits<wchar_t>::length(argv[i]));
    args.push_back(glyphgrab::StrToUtf8(arg));
  }
  return glyphgrab::cli::RunOnStandardStreams(args);
}
