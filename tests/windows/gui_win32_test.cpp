// The Win32 front end's plumbing under Wine: the posting queue and the preview pane's
// painting.
#include <windows.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

#include "gui/win32/post_queue.h"
#include "gui/win32/preview_pane.h"
#include "render/render_file.h"
#include "util/codepage.h"

namespace glyphgrab::wingui {
namespace {

constexpr UINT kWake = WM_APP + 7;

// A window that only runs the queue.
struct QueueWindow {
  HWND hwnd = nullptr;
  std::atomic<int> wakes{0};
  PostQueue queue{[this] {
    ++wakes;
    PostMessageW(hwnd, kWake, 0, 0);
  }};

  QueueWindow() {
    WNDCLASSW wc{};
    wc.lpfnWndProc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
      if (m == kWake) {
        reinterpret_cast<QueueWindow*>(GetWindowLongPtrW(h, GWLP_USERDATA))->queue.Run();
        return 0;
      }
      return DefWindowProcW(h, m, w, l);
    };
    wc.lpszClassName = L"GlyphgrabQueueTest";
    RegisterClassW(&wc);
    hwnd = CreateWindowW(wc.lpszClassName, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr);
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  }
  ~QueueWindow() { DestroyWindow(hwnd); }

  // Pumps messages until `done` or the time is up.
  bool PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds limit = std::chrono::seconds(20)) {
    const auto end = std::chrono::steady_clock::now() + limit;
    while (!done() && std::chrono::steady_clock::now() < end) {
      MSG msg;
      while (PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&msg);
      MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
    }
    return done();
  }
};

TEST(PostQueue, TasksFromManyThreadsRunInOrderOnTheWindowThreadWithFewWakes) {
  QueueWindow w;
  constexpr int kThreads = 4, kTasks = 5000;
  const DWORD windowThread = GetCurrentThreadId();
  std::vector<std::vector<int>> seen(kThreads);
  std::atomic<int> offThread{0};
  int ran = 0;
  std::vector<std::thread> workers;
  for (int t = 0; t < kThreads; ++t) {
    workers.emplace_back([&, t] {
      for (int i = 0; i < kTasks; ++i) {
        w.queue.Post([&, t, i] {
          if (GetCurrentThreadId() != windowThread) ++offThread;
          seen[static_cast<std::size_t>(t)].push_back(i);
          ++ran;
        });
      }
    });
  }
  ASSERT_TRUE(w.PumpUntil([&] { return ran == kThreads * kTasks; })) << ran << " tasks ran";
  for (std::thread& t : workers) t.join();
  EXPECT_EQ(offThread, 0);
  for (int t = 0; t < kThreads; ++t) {
    ASSERT_EQ(seen[static_cast<std::size_t>(t)].size(), std::size_t{kTasks});
    EXPECT_TRUE(std::is_sorted(seen[static_cast<std::size_t>(t)].begin(), seen[static_cast<std::size_t>(t)].end()));
  }
  // One wake per burst, not per task: the message queue (10,000 messages) never fills.
  std::printf("%d wakes for %d tasks\n", w.wakes.load(), kThreads * kTasks);
  EXPECT_LT(w.wakes, kThreads * kTasks / 10);
  // A task posted after the queue ran wakes the window again.
  std::thread([&] { w.queue.Post([&] { ++ran; }); }).join();
  EXPECT_TRUE(w.PumpUntil([&] { return ran == kThreads * kTasks + 1; }));
}

TEST(PostQueue, NothingRunsAfterClose) {
  QueueWindow w;
  int ran = 0;
  w.queue.Post([&] { ++ran; });
  w.queue.Close();
  w.queue.Post([&] { ++ran; });
  w.PumpUntil([] { return false; }, std::chrono::milliseconds(300));
  EXPECT_EQ(ran, 0);
}

// Paints the pane's camera into a 32-bit bitmap and reads the pixels back.
struct Canvas {
  int width, height;
  HDC dc = CreateCompatibleDC(nullptr);
  void* bits = nullptr;
  HBITMAP bitmap;
  HGDIOBJ old;
  Canvas(int w, int h) : width(w), height(h) {
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof(BITMAPINFOHEADER), w, -h, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    bitmap = CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
    old = SelectObject(dc, bitmap);
  }
  ~Canvas() {
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
  }
  int Count(COLORREF color) const {
    const auto* p = static_cast<const std::uint32_t*>(bits);
    const std::uint32_t want = (GetRValue(color) << 16) | (GetGValue(color) << 8) | GetBValue(color);
    return static_cast<int>(std::count_if(p, p + width * height, [&](std::uint32_t v) { return (v & 0xFFFFFF) == want; }));
  }
};

double PaintMs(PreviewPane& pane, Canvas& canvas) {
  std::vector<double> times;
  for (int i = 0; i < 7; ++i) {
    const auto start = std::chrono::steady_clock::now();
    pane.PaintTo(canvas.dc);
    GdiFlush();
    times.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
  }
  std::sort(times.begin(), times.end());
  return times[times.size() / 2];
}

HWND HostWindow() {
  static HWND host = CreateWindowW(L"STATIC", L"", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
  return host;
}

TEST(PreviewPane, PaintsACorpusDrawingMarksItsTextAndSurvivesADeepZoom) {
  const std::filesystem::path file = std::filesystem::path(GLYPHGRAB_CORPUS_DIR) / "jww" / "016.jww";
  if (!std::filesystem::is_regular_file(file)) GTEST_SKIP() << "corpus file not found: " << file;
  RenderFileResult r = RenderFile(Utf8ToStr(file.generic_string()));
  ASSERT_FALSE(r.model.items.empty());
  auto model = std::make_shared<RenderModel>(std::move(r.model));
  std::u16string text;
  for (const RenderPrimitive& p : model->items) {
    if (p.kind == RenderKind::kText && !p.text.empty()) {
      text = p.text;
      break;
    }
  }
  ASSERT_FALSE(text.empty());

  PreviewPane pane;
  ASSERT_TRUE(pane.Create(HostWindow(), 1));
  MoveWindow(pane.hwnd(), 0, 0, 1284, 904, FALSE);  // 1280 x 900 inside the edge
  Canvas canvas(pane.camera().width(), pane.camera().height());
  pane.SetModel(model);
  const double fitted = PaintMs(pane, canvas);
  const int white = canvas.Count(RGB(255, 255, 255));
  EXPECT_GT(white, canvas.width * canvas.height / 4) << "the sheet";
  EXPECT_EQ(canvas.Count(RGB(255, 102, 0)), 0);

  pane.SetMark(text);
  ASSERT_FALSE(pane.camera().marked().empty());
  const double marked = PaintMs(pane, canvas);
  EXPECT_GT(canvas.Count(RGB(255, 102, 0)), 20) << "the mark's frame";

  // Far into a line: coordinates leave any int, the paint must not hang or scribble.
  for (int i = 0; i < 12; ++i) pane.camera().ZoomAt(10, {640, 450});
  const double deep = PaintMs(pane, canvas);
  std::printf("paint %zu primitives at %dx%d: fitted %.1f ms, marked %.1f ms, zoomed 1e12 %.1f ms\n",
              model->items.size(), canvas.width, canvas.height, fitted, marked, deep);
  EXPECT_LT(deep, 2000);
}

}  // namespace
}  // namespace glyphgrab::wingui
