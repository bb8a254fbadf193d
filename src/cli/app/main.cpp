#include <malloc.h>

#include <cerrno>
#include <csignal>
#include <cstring>
#include <cstdio>
#include <string>
#include <vector>

#include "cli/block_output.h"

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
  const int status = glyphgrab::cli::RunOnStandardStreams(args);
  // The last write may fail only when the file is closed (a network file system).
  if (std::fclose(stdout) != 0 && status != 2 && errno != EPIPE) {
    std::fprintf(stderr, "glyphgrab-cli: write error: %s\n", std::strerror(errno));
    return 2;
  }
  return status;
}
