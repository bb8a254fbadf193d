// How long the desktop tool's window thread leaves a clipboard request unanswered while
// it works, measured from outside as a program under Wine sees it: the tool owns the
// clipboard, and a probe asks for its text every 50 ms. Four loads:
//   (a) a send whose command waits 3 s ("{30}^V"),
//   (b) a folder tree of 20,000 folders scanned,
//   (c) a 200 MB text file extracted,
//   (d) a search over 5,000 files.
// Prints the longest and the median answer time of each. Runs on a private Xvfb display;
// needs xdotool. Usage: glyphgrab_bench_responsiveness [SCRATCH_FOLDER]
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <poll.h>
#include <sys/wait.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>
#include <vector>

#include "browse/settings.h"
#include "e2e/x_session.h"
#include "fixtures/temp_dir.h"
#include "util/paths.h"

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;
using glyphgrab::NativeToPath;

namespace {

using glyphgrab::testing::Shell;

// Asks for the clipboard every 50 ms for `seconds`; the answer times in milliseconds.
std::vector<double> Probe(double seconds) {
  Display* d = XOpenDisplay(nullptr);
  const Window w = XCreateSimpleWindow(d, DefaultRootWindow(d), 0, 0, 1, 1, 0, 0, 0);
  const Atom clipboard = XInternAtom(d, "CLIPBOARD", False);
  const Atom utf8 = XInternAtom(d, "UTF8_STRING", False);
  const Atom property = XInternAtom(d, "GLYPHGRAB_PROBE", False);
  std::vector<double> times;
  const auto end = Clock::now() + std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
  while (Clock::now() < end) {
    const auto asked = Clock::now();
    XConvertSelection(d, clipboard, utf8, property, w, CurrentTime);
    XFlush(d);
    bool answered = false;
    while (!answered && Clock::now() - asked < std::chrono::seconds(5)) {
      while (XPending(d) > 0) {
        XEvent e;
        XNextEvent(d, &e);
        if (e.type == SelectionNotify) answered = true;
      }
      if (!answered) {
        pollfd fd{ConnectionNumber(d), POLLIN, 0};
        ::poll(&fd, 1, 1);
      }
    }
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - asked).count());
    XDeleteProperty(d, w, property);
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
  }
  XCloseDisplay(d);
  return times;
}

void Report(const char* what, std::vector<double> times) {
  std::sort(times.begin(), times.end());
  std::printf("%-34s longest %7.1f ms   median %5.1f ms   (%zu requests)\n", what, times.back(),
              times[times.size() / 2], times.size());
  std::fflush(stdout);
}

}  // namespace

int main(int argc, char** argv) {
  if (glyphgrab::testing::FindProgram("xdotool").empty()) {
    std::fprintf(stderr, "xdotool is needed\n");
    return 2;
  }
  glyphgrab::testing::TempDir temp;
  const fs::path scratch = argc > 1 ? fs::path(argv[1]) : temp.path();
  glyphgrab::testing::XSession session;
  const std::string problem = session.Start(false, scratch);
  if (!problem.empty()) {
    std::fprintf(stderr, "%s\n", problem.c_str());
    return 2;
  }

  std::fprintf(stderr, "making the trees...\n");
  const fs::path app = scratch / "app";
  fs::create_directories(app);
  fs::copy_file(GLYPHGRAB_EXE, app / "glyphgrab", fs::copy_options::overwrite_existing);
  fs::create_directories(scratch / "root" / "docs");
  std::ofstream(scratch / "root" / "docs" / "hello.txt") << "first line\r\nsecond line\r\n";
  for (int a = 0; a < 200; ++a) {
    for (int b = 0; b < 100; ++b) fs::create_directories(scratch / "tree" / ("d" + std::to_string(a)) / ("e" + std::to_string(b)));
  }
  fs::create_directories(scratch / "text");
  {
    std::ofstream big(scratch / "text" / "big.txt", std::ios::binary);
    std::string block;
    for (int i = 0; i < 10000; ++i) block += "line " + std::to_string(i) + " of a long text file for the benchmark\r\n";
    while (big.tellp() < 200'000'000) big << block;
  }
  for (int a = 0; a < 50; ++a) {
    const fs::path folder = scratch / "search" / ("s" + std::to_string(a));
    fs::create_directories(folder);
    for (int b = 0; b < 100; ++b) std::ofstream(folder / ("f" + std::to_string(b) + ".txt")) << "hay\r\nmore hay\r\n";
  }

  glyphgrab::TSettings settings;
  settings.rootFolder = NativeToPath((scratch / "root").string()) + u"/";
  settings.preFolder = NativeToPath((scratch / "root" / "docs").string());
  settings.mainWindow = {0, 0, 780, 420};
  settings.treePaneWidth = 100;
  settings.listWidth = 70;
  settings.columnWidths = {110, 50, 120, 130, 60, 40};
  settings.searchWindow = {300, 180, 480, 300};
  for (std::size_t i = 5; i <= 13; ++i) settings.optFlags[i] = true;
  settings.activeProfile.Comm = u"{30}^V";
  settings.activeProfile.Wtim = 0;
  glyphgrab::SettingsSave(NativeToPath((app / "glyphgrab.dat").string()), settings);

  const pid_t receiver = session.Spawn({GLYPHGRAB_KEY_RECEIVER, "jw_win test", (scratch / "receiver.log").string()});
  (void)receiver;
  const pid_t tool = session.Spawn({(app / "glyphgrab").string()});
  std::string window;
  for (int i = 0; i < 100 && window.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    window = Shell("xdotool search --onlyvisible --name 'Glyphgrab Ver'");
  }
  if (window.empty() || tool < 0) {
    std::fprintf(stderr, "the tool did not start\n");
    return 1;
  }
  window = window.substr(0, window.find('\n'));
  const auto click = [&](const std::string& w, int x, int y, int repeat) {
    Shell("xdotool mousemove --window " + w + " " + std::to_string(x) + " " + std::to_string(y) +
          " click --repeat " + std::to_string(repeat) + " --delay 60 1");
  };
  const int width = std::stoi(Shell("xdotool getwindowgeometry --shell " + window + " | sed -n 's/^WIDTH=//p'"));
  // The tool takes the clipboard: a file, then its first line.
  click(window, 140, 105, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  click(window, width - 40, 85 + 14, 1);
  std::this_thread::sleep_for(std::chrono::milliseconds(500));
  Report("idle", Probe(1));

  click(window, width - 40, 85 + 28, 2);
  Report("(a) send with {30}", Probe(4));

  const auto handOver = [&](const fs::path& path) {
    const pid_t second = session.Spawn({(app / "glyphgrab").string(), path.string()});
    int status = 0;
    ::waitpid(second, &status, 0);
  };
  handOver(scratch / "tree");
  Report("(b) scan of 20,000 folders", Probe(4));

  handOver(scratch / "text" / "big.txt");
  Report("(c) extraction of a 200 MB text", Probe(8));

  handOver(scratch / "search");
  std::this_thread::sleep_for(std::chrono::seconds(1));
  Shell("xdotool windowfocus --sync " + window + " key alt+t");
  std::string search;
  for (int i = 0; i < 50 && search.empty(); ++i) {
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    search = Shell("xdotool search --onlyvisible --name '^検索$'");
  }
  Shell("xdotool windowfocus --sync " + search + " type needle");
  Shell("xdotool key --window " + search + " alt+s");
  Report("(d) search over 5,000 files", Probe(6));

  session.End(tool);
  return 0;
}
