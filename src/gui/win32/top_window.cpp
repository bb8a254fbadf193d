#include "gui/win32/top_window.h"

#include <commctrl.h>

#include <algorithm>
#include <set>

#include "gui/win32/font_dc.h"
#include "gui/win32/wide.h"

namespace glyphgrab::wingui {
namespace {

constexpr wchar_t kClassName[] = L"GlyphgrabTopWindow";

// The open top windows, for the message loop's dialog keys (window thread only).
std::set<HWND>& OpenWindows() {
  static std::set<HWND> windows;
  return windows;
}

void RegisterOnce(WNDPROC proc) {
  static const bool registered = [proc] {
    INITCOMMONCONTROLSEX icc{sizeof icc, ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES | ICC_TAB_CLASSES};
    InitCommonControlsEx(&icc);
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hIcon = LoadIconW(wc.hInstance, MAKEINTRESOURCEW(1));
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
}

// Whether the font itself has kana and kanji (a linked font would also draw them, but
// the font's own glyphs are what can be asked).
bool DrawsJapanese(HFONT font) {
  const FontDc dc(nullptr, font);
  WORD glyphs[2] = {};
  return GetGlyphIndicesW(dc.dc(), L"\u30D5\u6587", 2, glyphs, GGI_MARK_NONEXISTING_GLYPHS) == 2 &&
         glyphs[0] != 0xFFFF && glyphs[1] != 0xFFFF;
}

BOOL CALLBACK SetFontOf(HWND child, LPARAM font) {
  SendMessageW(child, WM_SETFONT, static_cast<WPARAM>(font), TRUE);
  return TRUE;
}

}  // namespace

UiFont::~UiFont() {
  if (font_) DeleteObject(font_);
}

void UiFont::Make(UINT dpi) {
  NONCLIENTMETRICSW m{};
  m.cbSize = sizeof m;
  if (!SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0, dpi)) {
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, m.cbSize, &m, 0);
    m.lfMessageFont.lfHeight = MulDiv(m.lfMessageFont.lfHeight, static_cast<int>(dpi), 96);
  }
  HFONT made = CreateFontIndirectW(&m.lfMessageFont);
  if (!made) return;
  if (!DrawsJapanese(made)) {
    // A system without font linking to a Japanese font (Wine's Tahoma): the font mapper
    // picks one of the Japanese character set instead, at the same size.
    DeleteObject(made);
    LOGFONTW japanese = m.lfMessageFont;
    japanese.lfCharSet = SHIFTJIS_CHARSET;
    japanese.lfFaceName[0] = L'\0';
    made = CreateFontIndirectW(&japanese);
    if (!made) return;
  }
  if (font_) DeleteObject(font_);
  font_ = made;
  const FontDc dc(nullptr, font_);
  TEXTMETRICW tm{};
  if (GetTextMetricsW(dc.dc(), &tm)) height_ = tm.tmHeight;
}

void ApplyFont(HWND parent, HFONT font) {
  SendMessageW(parent, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  EnumChildWindows(parent, SetFontOf, reinterpret_cast<LPARAM>(font));
}

TopWindow::TopWindow()
    // Under the queue's lock: WM_NCDESTROY closes the queue before it clears hwnd_, so a
    // posting thread never reads the handle while it changes.
    : queue_([this] {
        if (hwnd_) PostMessageW(hwnd_, kRunPosted, 0, 0);
      }) {}

TopWindow::~TopWindow() {
  queue_.Close();
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    OpenWindows().erase(hwnd_);
    DestroyWindow(hwnd_);
  }
}

bool TopWindow::Create(const wchar_t* caption, DWORD style, int width, int height, HWND owner, bool statusBar) {
  RegisterOnce(&TopWindow::Proc);
  // The DPI of the monitor the window will open on: the primary one until placed.
  dpi_ = GetDpiForSystem();
  font_.Make(dpi_);
  // Proc takes `this` from the creation data, so the first messages reach Handle.
  if (!CreateWindowExW(WS_EX_CONTROLPARENT, kClassName, caption, style, CW_USEDEFAULT, CW_USEDEFAULT, Px(width),
                       Px(height), owner, nullptr, GetModuleHandleW(nullptr), this)) {
    return false;
  }
  OpenWindows().insert(hwnd_);
  if (const UINT actual = GetDpiForWindow(hwnd_); actual != 0 && actual != dpi_) {
    dpi_ = actual;
    font_.Make(dpi_);
  }
  if (statusBar) {
    statusBar_ = CreateWindowExW(0, STATUSCLASSNAMEW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | SBARS_SIZEGRIP, 0, 0, 0, 0,
                                 hwnd_, nullptr, GetModuleHandleW(nullptr), nullptr);
  }
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
  if (statusBar_) SendMessageW(statusBar_, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
  return true;
}

HWND TopWindow::AddControl(const wchar_t* className, std::u16string_view text, DWORD style, int id, DWORD exStyle) {
  HWND h = CreateWindowExW(exStyle, className, W(text).c_str(), WS_CHILD | WS_VISIBLE | style, 0, 0, 10, 10, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (h) SendMessageW(h, WM_SETFONT, reinterpret_cast<WPARAM>(font_.handle()), FALSE);
  return h;
}

void TopWindow::SetStatus(std::u16string_view text) {
  status_ = std::u16string(text);
  if (statusBar_) SendMessageW(statusBar_, SB_SETTEXTW, 0, reinterpret_cast<LPARAM>(W(status_).c_str()));
}

void TopWindow::Place(int left, int top, int width, int height) {
  RECT want{left, top, left + Px(std::max(width, 1)), top + Px(std::max(height, 1))};
  MONITORINFO mi{};
  mi.cbSize = sizeof mi;
  if (!GetMonitorInfoW(MonitorFromRect(&want, MONITOR_DEFAULTTONEAREST), &mi)) return;
  const RECT area = mi.rcWork;
  const int w = std::min<int>(want.right - want.left, area.right - area.left);
  const int h = std::min<int>(want.bottom - want.top, area.bottom - area.top);
  const int x = std::clamp<int>(want.left, area.left, area.right - w);
  const int y = std::clamp<int>(want.top, area.top, area.bottom - h);
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(hwnd_, &wp);
  wp.rcNormalPosition = {x, y, x + w, y + h};
  wp.showCmd = IsWindowVisible(hwnd_) ? SW_SHOWNORMAL : SW_HIDE;
  SetWindowPlacement(hwnd_, &wp);
}

RECT TopWindow::Placement() const {
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(hwnd_, &wp);
  RECT r = wp.rcNormalPosition;
  // Back to 96 DPI sizes, as Place takes them.
  r.right = r.left + MulDiv(r.right - r.left, 96, static_cast<int>(dpi_));
  r.bottom = r.top + MulDiv(r.bottom - r.top, 96, static_cast<int>(dpi_));
  return r;
}

void TopWindow::Relayout() {
  RECT rc;
  GetClientRect(hwnd_, &rc);
  int height = rc.bottom;
  if (statusBar_) {
    SendMessageW(statusBar_, WM_SIZE, 0, 0);
    RECT sb;
    GetWindowRect(statusBar_, &sb);
    height -= sb.bottom - sb.top;
  }
  Layout(rc.right, std::max(0, height));
  // The controls were moved without drawing: the window and every child draws anew, or
  // a maximised window keeps parts of the old layout on the screen.
  RedrawWindow(hwnd_, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
}

LRESULT TopWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) { return DefWindowProcW(hwnd_, msg, wp, lp); }

LRESULT CALLBACK TopWindow::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NCCREATE) {
    auto* created = static_cast<TopWindow*>(reinterpret_cast<const CREATESTRUCTW*>(lp)->lpCreateParams);
    created->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(created));
  }
  auto* self = reinterpret_cast<TopWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Dispatch(msg, wp, lp);
}

LRESULT TopWindow::Dispatch(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case kRunPosted:
      queue_.Run();
      return 0;
    case WM_SIZE:
      if (wp != SIZE_MINIMIZED) Relayout();
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wp);
      font_.Make(dpi_);
      ApplyFont(hwnd_, font_.handle());
      const RECT* r = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, r->left, r->top, r->right - r->left, r->bottom - r->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      Relayout();
      return 0;
    }
    case WM_NCDESTROY: {
      queue_.Close();
      OpenWindows().erase(hwnd_);
      const LRESULT r = Handle(msg, wp, lp);
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return r;
    }
    default:
      break;
  }
  return Handle(msg, wp, lp);
}

void TopWindow::Deliver(MSG& msg) {
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  if (root && OpenWindows().count(root)) {
    auto* window = reinterpret_cast<TopWindow*>(GetWindowLongPtrW(root, GWLP_USERDATA));
    if (window && window->PreTranslate(msg)) return;
    if (IsDialogMessageW(root, &msg)) return;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
}

int TopWindow::RunMessageLoop() {
  MSG msg;
  while (GetMessageW(&msg, nullptr, 0, 0) > 0) Deliver(msg);
  return static_cast<int>(msg.wParam);
}

void TopWindow::RunModalLoop(const bool& done) {
  MSG msg;
  while (!done) {
    const BOOL got = GetMessageW(&msg, nullptr, 0, 0);
    if (got <= 0) {
      if (got == 0) PostQuitMessage(static_cast<int>(msg.wParam));
      return;
    }
    Deliver(msg);
  }
}

}  // namespace glyphgrab::wingui
