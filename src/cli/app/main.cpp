#include <malloc.h>

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
#ifdef M_TRIM_THRESHOLD
  // One file's documents are freed just before the next file's are built: memory given
  // back to the system at every file would only be asked for again, and fresh pages
  // cost a fault and a pass of zeroes each.
  mallopt(M_TRIM_THRESHOLD, 16 << 20);
  mallopt(M_MMAP_THRESHOLD, 4 << 20);
#endif
  std::vector<std::string> args(argv + 1, argv + argc);
  glyphgrab::cli::BlockOutput outBlocks(stdout, glyphgrab::cli::kOutBlockSize);
  glyphgrab::cli::BlockOutput errLines(stderr, glyphgrab::cli::kErrBlockSize, true);
  std::ostream out(&outBlocks), err(&errLines);
  const int status = glyphgrab::cli::CliMain(args, out, err);
  out.flush();
  err.flush();
  return status;
}
