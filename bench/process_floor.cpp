// Does nothing, but is linked as glyphgrab-cli is (the same libraries for the loader to
// bind): the floor over which bench/extract_e2e.sh measures the CLI's start-up.
#include <sstream>

#include "cli/cli.h"

int main(int argc, char**) {
  // Never true; keeps the whole CLI, and with it every library, linked in.
  if (argc > 1000000) {
    std::ostringstream out, err;
    return glyphgrab::cli::CliMain({}, out, err);
  }
  return 0;
}
