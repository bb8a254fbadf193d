#include <csignal>
#include <iostream>
#include <string>
#include <vector>

#include "cli/cli.h"

int main(int argc, char** argv) {
  // A closed pipe (`glyphgrab-cli ... | head`) ends the output quietly, not with a crash.
  std::signal(SIGPIPE, SIG_IGN);
  std::ios::sync_with_stdio(false);
  std::vector<std::string> args(argv + 1, argv + argc);
  const int status = glyphgrab::cli::CliMain(args, std::cout, std::cerr);
  std::cout.flush();
  return status;
}
