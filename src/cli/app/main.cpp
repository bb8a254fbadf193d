#include <csignal>
#include <cstdio>
#include <ostream>
#include <string>
#include <vector>

#include "cli/block_output.h"
#include "cli/cli.h"

int main(int argc, char** argv) {
  // A closed pipe (`glyphgrab-cli ... | head`) ends the output quietly, not with a crash.
  std::signal(SIGPIPE, SIG_IGN);
  std::vector<std::string> args(argv + 1, argv + argc);
  glyphgrab::cli::BlockOutput outBlocks(stdout, glyphgrab::cli::kOutBlockSize);
  glyphgrab::cli::BlockOutput errLines(stderr, glyphgrab::cli::kErrBlockSize, true);
  std::ostream out(&outBlocks), err(&errLines);
  const int status = glyphgrab::cli::CliMain(args, out, err);
  out.flush();
  err.flush();
  return status;
}
