#include "gui/win32/preview_pane.h"

#include <windowsx.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <tuple>
#include <utility>
#include <vector>

#include "gui/win32/wide.h"

namespace glyphgrab::wingui {
namespace {

constexpr wchar_t kClassName[] = L"GlyphgrabPreview";
constexpr COLORREF kBackground = RGB(236, 236, 236);
constexpr COLORREF kSheetBorder = RGB(150, 150, 150);
constexpr COLORREF kMarkColor = RGB(255, 102, 0);
// GDI's coordinates are integers (and only 27 bits are safe): whatever is drawn is cut to
// the pane, with this much room, before it is rounded.
constexpr double kRoom = 2;

COLORREF ColorOf(const RenderModel& model, std::uint16_t pen) {
  const RenderColor c = PenColor(model, pen);
  return RGB(c.r, c.g, c.b);
}

POINT Round(ScreenPoint p) { return {std::lround(p.x), std::lround(p.y)}; }

// Pens and fonts made during one paint, each once.
class GdiCache {
 public:
  explicit GdiCache(HDC dc) : dc_(dc) {}
  ~GdiCache() {
    for (auto& [k, pen] : pens_) DeleteObject(pen);
    for (auto& [k, font] : fonts_) DeleteObject(font);
  }
  HPEN Pen(COLORREF color, int width) {
    HPEN& pen = pens_[{color, width}];
    if (!pen) pen = CreatePen(PS_SOLID, width, color);
    return pen;
  }
  HFONT Font(const std::u16string& face, int height, double angle) {
    const int tenths = static_cast<int>(std::lround(angle * 10)) % 3600;
    HFONT& font = fonts_[{face, height, tenths}];
    if (!font) {
      LOGFONTW lf{};
      lf.lfHeight = -height;
      lf.lfEscapement = lf.lfOrientation = tenths;
      // Without the Japanese character set a font without those glyphs draws boxes.
      lf.lfCharSet = SHIFTJIS_CHARSET;
      lf.lfQuality = ANTIALIASED_QUALITY;
      const std::wstring name = W(face.empty() ? u"ＭＳ ゴシック" : face);
      wcsncpy(lf.lfFaceName, name.c_str(), LF_FACESIZE - 1);
      font = CreateFontIndirectW(&lf);
    }
    return font;
  }

 private:
  HDC dc_;
  std::map<std::pair<COLORREF, int>, HPEN> pens_;
  std::map<std::tuple<std::u16string, int, int>, HFONT> fonts_;
};

}  // namespace

PreviewPane::~PreviewPane() {
  if (bufferDc_) {
    SelectObject(bufferDc_, oldBitmap_);
    DeleteObject(buffer_);
    DeleteDC(bufferDc_);
  }
  if (hwnd_) {
    SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
    DestroyWindow(hwnd_);
  }
}

bool PreviewPane::Create(HWND parent, int id) {
  static const bool registered = [] {
    WNDCLASSEXW wc{};
    wc.cbSize = sizeof wc;
    wc.style = CS_DBLCLKS;
    wc.lpfnWndProc = &PreviewPane::Proc;
    wc.hInstance = GetModuleHandleW(nullptr);
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    return RegisterClassExW(&wc) != 0;
  }();
  (void)registered;
  hwnd_ = CreateWindowExW(WS_EX_CLIENTEDGE, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  return true;
}

void PreviewPane::SetModel(std::shared_ptr<const RenderModel> model) {
  camera_.SetModel(std::move(model));
  Repaint();
}

void PreviewPane::SetMark(const std::u16string& text) {
  camera_.SetMark(text);
  Repaint();
}

void PreviewPane::SetNote(std::u16string note) {
  note_ = std::move(note);
  Repaint();
}

void PreviewPane::Fit() {
  camera_.Fit();
  Repaint();
}

void PreviewPane::Repaint() {
  if (hwnd_) InvalidateRect(hwnd_, nullptr, FALSE);
}

LRESULT CALLBACK PreviewPane::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* self = reinterpret_cast<PreviewPane*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!self) return DefWindowProcW(hwnd, msg, wp, lp);
  return self->Handle(msg, wp, lp);
}

LRESULT PreviewPane::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_SIZE:
      camera_.Resize(LOWORD(lp), HIWORD(lp));
      Repaint();
      return 0;
    case WM_ERASEBKGND:
      return 1;  // the bitmap covers everything
    case WM_PAINT: {
      PAINTSTRUCT ps;
      HDC dc = BeginPaint(hwnd_, &ps);
      const int w = camera_.width(), h = camera_.height();
      if (!bufferDc_ || bufferWidth_ != w || bufferHeight_ != h) {
        if (bufferDc_) {
          SelectObject(bufferDc_, oldBitmap_);
          DeleteObject(buffer_);
          DeleteDC(bufferDc_);
        }
        bufferDc_ = CreateCompatibleDC(dc);
        buffer_ = CreateCompatibleBitmap(dc, w, h);
        oldBitmap_ = SelectObject(bufferDc_, buffer_);
        bufferWidth_ = w;
        bufferHeight_ = h;
      }
      PaintTo(bufferDc_);
      BitBlt(dc, 0, 0, w, h, bufferDc_, 0, 0, SRCCOPY);
      EndPaint(hwnd_, &ps);
      return 0;
    }
    case WM_MOUSEWHEEL: {
      POINT at{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};  // screen coordinates
      ScreenToClient(hwnd_, &at);
      camera_.Wheel(GET_WHEEL_DELTA_WPARAM(wp), {static_cast<double>(at.x), static_cast<double>(at.y)});
      Repaint();
      return 0;
    }
    case WM_LBUTTONDOWN:
      SetFocus(hwnd_);
      SetCapture(hwnd_);
      dragging_ = true;
      dragFrom_ = {GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      return 0;
    case WM_MOUSEMOVE:
      if (dragging_ && (wp & MK_LBUTTON)) {
        const POINT to{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        camera_.Pan(to.x - dragFrom_.x, to.y - dragFrom_.y);
        dragFrom_ = to;
        Repaint();
      }
      return 0;
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
      if (dragging_) {
        dragging_ = false;
        if (msg == WM_LBUTTONUP) ReleaseCapture();
      }
      return 0;
    case WM_LBUTTONDBLCLK:
      Fit();
      return 0;
    case WM_NCDESTROY:
      SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
      hwnd_ = nullptr;
      return 0;
    default:
      return DefWindowProcW(hwnd_, msg, wp, lp);
  }
}

void PreviewPane::PaintTo(HDC dc) const {
  const int w = camera_.width(), h = camera_.height();
  const RECT all{0, 0, w, h};
  HBRUSH background = CreateSolidBrush(kBackground);
  FillRect(dc, &all, background);
  DeleteObject(background);
  PaintDrawing(dc);
  PaintNote(dc);
}

void PreviewPane::PaintNote(HDC dc) const {
  if (note_.empty()) return;
  const int savedDc = SaveDC(dc);
  SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
  const std::wstring text = W(note_);
  // Wrapped on a band across the top, readable over any drawing.
  RECT area{8, 6, std::max(9, camera_.width() - 8), camera_.height()};
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_WORDBREAK | DT_CALCRECT | DT_NOPREFIX);
  const RECT band{0, 0, camera_.width(), area.bottom + 6};
  SetDCBrushColor(dc, RGB(255, 244, 214));
  FillRect(dc, &band, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, RGB(150, 40, 0));
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &area, DT_WORDBREAK | DT_NOPREFIX);
  RestoreDC(dc, savedDc);
}

void PreviewPane::PaintDrawing(HDC dc) const {
  const int w = camera_.width(), h = camera_.height();
  if (!camera_.model()) return;
  const RenderModel& m = *camera_.model();
  const double left = -kRoom, top = -kRoom, right = w + kRoom, bottom = h + kRoom;
  GdiCache cache(dc);
  const int savedDc = SaveDC(dc);

  // The sheet, cut to the pane.
  {
    const RenderPoint lo = FrameMin(m), hi = FrameMax(m);
    std::vector<ScreenPoint> sheet = {camera_.ToScreen({lo.x, hi.y}), camera_.ToScreen({hi.x, hi.y}),
                                      camera_.ToScreen({hi.x, lo.y}), camera_.ToScreen({lo.x, lo.y})};
    sheet = ClipPolygon(sheet, left, top, right, bottom);
    if (!sheet.empty()) {
      std::vector<POINT> pts;
      for (const ScreenPoint& p : sheet) pts.push_back(Round(p));
      SelectObject(dc, cache.Pen(kSheetBorder, 1));
      SelectObject(dc, GetStockObject(WHITE_BRUSH));
      Polygon(dc, pts.data(), static_cast<int>(pts.size()));
    }
  }

  // Lines in batches by colour: one call each instead of one per line.
  std::map<COLORREF, std::vector<POINT>> lines;
  const auto addSegment = [&](COLORREF color, ScreenPoint a, ScreenPoint b) {
    if (!ClipSegment(a, b, left, top, right, bottom)) return;
    std::vector<POINT>& batch = lines[color];
    batch.push_back(Round(a));
    batch.push_back(Round(b));
  };
  for (const RenderPrimitive& p : m.items) {
    switch (p.kind) {
      case RenderKind::kLine:
        addSegment(ColorOf(m, p.pen), camera_.ToScreen(p.a), camera_.ToScreen(p.b));
        break;
      case RenderKind::kArc: {
        const double r = p.radius * camera_.scale();
        const ScreenPoint c = camera_.ToScreen(p.a);
        if (c.x + r < left || c.x - r > right || c.y + r < top || c.y - r > bottom) break;
        const int steps = camera_.ArcSteps(p);
        const ArcTracer arc(p, steps);
        ScreenPoint prev{};
        for (int k = 0; k <= steps; ++k) {
          const ScreenPoint q = camera_.ToScreen(arc[k]);
          if (k > 0) addSegment(ColorOf(m, p.pen), prev, q);
          prev = q;
        }
        break;
      }
      default:
        break;
    }
  }
  for (auto& [color, batch] : lines) {
    SelectObject(dc, cache.Pen(color, 1));
    std::vector<DWORD> counts(batch.size() / 2, 2);
    PolyPolyline(dc, batch.data(), counts.data(), static_cast<DWORD>(counts.size()));
  }

  SetBkMode(dc, TRANSPARENT);
  SetTextAlign(dc, TA_BASELINE | TA_LEFT | TA_NOUPDATECP);
  for (const RenderPrimitive& p : m.items) {
    switch (p.kind) {
      case RenderKind::kPoint: {
        const ScreenPoint c = camera_.ToScreen(p.a);
        if (c.x < 0 || c.y < 0 || c.x > w || c.y > h) break;
        const POINT q = Round(c);
        const RECT dot{q.x - 1, q.y - 1, q.x + 1, q.y + 1};
        SetDCBrushColor(dc, ColorOf(m, p.pen));
        FillRect(dc, &dot, static_cast<HBRUSH>(GetStockObject(DC_BRUSH)));
        break;
      }
      case RenderKind::kSolid: {
        std::vector<ScreenPoint> quad;
        for (const RenderPoint& k : p.quad) quad.push_back(camera_.ToScreen(k));
        quad = ClipPolygon(quad, left, top, right, bottom);
        if (quad.empty()) break;
        std::vector<POINT> pts;
        for (const ScreenPoint& q : quad) pts.push_back(Round(q));
        SetDCBrushColor(dc, ColorOf(m, p.pen));
        SelectObject(dc, GetStockObject(NULL_PEN));
        SelectObject(dc, GetStockObject(DC_BRUSH));
        Polygon(dc, pts.data(), static_cast<int>(pts.size()));
        break;
      }
      case RenderKind::kText: {
        const double px = camera_.TextPixels(p);
        if (px > 4000) break;
        const ScreenPoint at = camera_.ToScreen(p.a);
        const double reach = px * 40;
        if (at.x < -reach || at.y < -reach || at.x > w + reach || at.y > h + reach) break;
        SelectObject(dc, cache.Font(p.font, std::max(1, static_cast<int>(px)), p.angle));
        SetTextColor(dc, ColorOf(m, p.pen));
        const std::wstring text = W(p.text);
        const POINT q = Round(at);
        TextOutW(dc, q.x, q.y, text.c_str(), static_cast<int>(text.size()));
        break;
      }
      default:
        break;
    }
  }

  // The marked texts last, above everything.
  SelectObject(dc, cache.Pen(kMarkColor, 2));
  SelectObject(dc, GetStockObject(NULL_BRUSH));
  for (const std::size_t i : camera_.marked()) {
    RenderPoint corners[4];
    TextCorners(m.items[i], corners);
    double x0 = 1e300, y0 = 1e300, x1 = -1e300, y1 = -1e300;
    for (const RenderPoint& k : corners) {
      const ScreenPoint s = camera_.ToScreen(k);
      x0 = std::min(x0, s.x), y0 = std::min(y0, s.y), x1 = std::max(x1, s.x), y1 = std::max(y1, s.y);
    }
    x0 = std::max(x0 - 3, left), y0 = std::max(y0 - 3, top);
    x1 = std::min(x1 + 3, right), y1 = std::min(y1 + 3, bottom);
    if (x0 > x1 || y0 > y1) continue;
    Rectangle(dc, static_cast<int>(x0), static_cast<int>(y0), static_cast<int>(x1) + 1, static_cast<int>(y1) + 1);
  }
  RestoreDC(dc, savedDc);
}

}  // namespace glyphgrab::wingui
