#include "gui/win32/memo_window.h"

#include <algorithm>

#include "gui/win32/control_ids.h"
#include "gui/win32/font_dc.h"
#include "gui/win32/wide.h"

namespace glyphgrab::wingui {

MemoWindow::~MemoWindow() { logic_.reset(); }

bool MemoWindow::Open(HWND owner, ui::MainLogic& main) {
  if (!Create(W(ui::kMemoCaption).c_str(), WS_OVERLAPPEDWINDOW, 700, 420, owner, true)) return false;
  tabs_ = AddControl(WC_TABCONTROLW, u"", WS_CLIPSIBLINGS | WS_TABSTOP, kIdMemoTabs);
  int page = 0;
  for (const std::u16string_view title : {ui::kMemoEditTab, ui::kMemoSelectionTab}) {
    const std::wstring text = W(title);
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = const_cast<wchar_t*>(text.c_str());
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(page++), reinterpret_cast<LPARAM>(&item));
  }
  // Each stored line is one memo line: no wrapping.
  edit_ = AddControl(WC_EDITW, u"",
                     ES_MULTILINE | ES_AUTOVSCROLL | ES_AUTOHSCROLL | ES_WANTRETURN | ES_NOHIDESEL | WS_VSCROLL |
                         WS_HSCROLL | WS_TABSTOP,
                     kIdMemoEdit, WS_EX_CLIENTEDGE);
  SendMessageW(edit_, EM_SETLIMITTEXT, 0, 0);
  lines_.Create(hwnd(), kIdMemoLines, font().handle(), true);
  const std::u16string_view captions[5] = {ui::kMemoCloseButton, ui::kMemoSortButton, ui::kMemoCopyButton,
                                           ui::kMemoSendButton, ui::kMemoClearButton};
  for (int i = 0; i < 5; ++i) {
    buttons_[i] = AddControl(WC_BUTTONW, captions[i], BS_PUSHBUTTON | WS_TABSTOP, kIdMemoClose + i);
  }
  logic_ = std::make_unique<ui::MemoLogic>(*this, main.memo(), main.settings(), main.desktop());
  ShowPage(ui::kMemoEditPage);
  logic_->Init();
  Relayout();
  return true;
}

void MemoWindow::ShowMemo() { logic_->Show(); }

void MemoWindow::Present() {
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd());
}

void MemoWindow::Layout(int width, int height) {
  if (!tabs_) return;
  const int buttonH = font().height() + Px(10), panelH = buttonH + Px(6);
  const int tabsH = std::max(0, height - panelH);
  MoveWindow(tabs_, 0, 0, width, tabsH, FALSE);
  RECT page{0, 0, width, tabsH};
  TabCtrl_AdjustRect(tabs_, FALSE, &page);
  for (HWND h : {edit_, lines_.hwnd()}) {
    MoveWindow(h, page.left, page.top, std::max(0L, page.right - page.left), std::max(0L, page.bottom - page.top), FALSE);
  }
  int x = Px(4);
  for (HWND b : buttons_) {
    const int w = std::max(Px(75), TextWidth(b, font().handle(), WindowText(b)) + Px(16));
    MoveWindow(b, x, tabsH + Px(3), w, buttonH, FALSE);
    x += w + Px(4);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

void MemoWindow::ShowPage(int page) {
  TabCtrl_SetCurSel(tabs_, page);
  ShowWindow(edit_, page == ui::kMemoEditPage ? SW_SHOW : SW_HIDE);
  ShowWindow(lines_.hwnd(), page == ui::kMemoEditPage ? SW_HIDE : SW_SHOW);
  // The tab control stays below the page shown.
  SetWindowPos(tabs_, HWND_BOTTOM, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
}

bool MemoWindow::PreTranslate(MSG& msg) {
  // Alt+C and Alt+S each belong to two captions: the logic decides by the page shown.
  if (msg.message == WM_SYSKEYDOWN && (msg.wParam == 'C' || msg.wParam == 'S')) {
    return logic_->AltKey(msg.wParam == 'C' ? u'C' : u'S');
  }
  if (msg.message == WM_SYSCHAR && (msg.wParam == 'c' || msg.wParam == 's' || msg.wParam == 'C' || msg.wParam == 'S')) {
    return true;  // the key press was answered: no mnemonic, no beep
  }
  return false;
}

LRESULT MemoWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kIdMemoEdit:
          if (HIWORD(wp) == EN_CHANGE) logic_->EditChanged();
          return 0;
        case kIdMemoClose:
          if (HIWORD(wp) == BN_CLICKED) logic_->Close();
          return 0;
        case IDCANCEL:  // Esc
          logic_->EscPressed();
          return 0;
        case kIdMemoSort:
          if (HIWORD(wp) == BN_CLICKED) logic_->Button2Click();
          return 0;
        case kIdMemoCopy:
          if (HIWORD(wp) == BN_CLICKED) logic_->Button3Click();
          return 0;
        case kIdMemoSend:
          if (HIWORD(wp) == BN_CLICKED) logic_->Button4Click();
          return 0;
        case kIdMemoClear:
          if (HIWORD(wp) == BN_CLICKED) logic_->Button5Click();
          return 0;
        default:
          return 0;
      }
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lp);
      if (lines_.Answer(header, lp)) return 0;
      if (header.idFrom == kIdMemoTabs && header.code == TCN_SELCHANGE) {
        const int page = TabCtrl_GetCurSel(tabs_);
        ShowPage(page);
        logic_->PageControl1Change(page);
      } else if (header.idFrom == kIdMemoLines && ClickedItem(lp) >= 0) {
        if (header.code == NM_CLICK) logic_->ListBox1Click();
        if (header.code == NM_DBLCLK) logic_->ListBox1DblClick();
      }
      return 0;
    }
    case WM_ACTIVATE:
      if (LOWORD(wp) != WA_INACTIVE && IsWindowVisible(hwnd())) logic_->FormActivate();
      break;
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {Px(ui::kMemoMinWidth), Px(ui::kMemoMinHeight)};
      return 0;
    case WM_CLOSE:
      logic_->Close();
      return 0;
    default:
      break;
  }
  return TopWindow::Handle(msg, wp, lp);
}

void MemoWindow::SetEditText(std::u16string_view text) { SetText(edit_, text); }
std::u16string MemoWindow::EditText() const { return WindowText(edit_); }

std::u16string MemoWindow::EditSelection() const {
  DWORD from = 0, to = 0;
  SendMessageW(edit_, EM_GETSEL, reinterpret_cast<WPARAM>(&from), reinterpret_cast<LPARAM>(&to));
  const std::u16string text = WindowText(edit_);
  if (from >= to || to > text.size()) return {};
  return text.substr(from, to - from);
}

int MemoWindow::Page() const { return TabCtrl_GetCurSel(tabs_); }
void MemoWindow::SetPage(int page) { ShowPage(page); }

void MemoWindow::Place(const TWindowGeometry& g) { TopWindow::Place(g.left, g.top, g.width, g.height); }

TWindowGeometry MemoWindow::Geometry() const {
  const RECT r = Placement();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace glyphgrab::wingui
