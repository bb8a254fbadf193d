#include "gui/win32/search_window.h"

#include <algorithm>

#include "gui/win32/control_ids.h"
#include "gui/win32/wide.h"

namespace glyphgrab::wingui {

SearchWindow::~SearchWindow() { logic_.reset(); }

bool SearchWindow::Open(HWND owner, ui::MainLogic& main) {
  if (!Create(W(ui::kSearchCaption).c_str(), WS_OVERLAPPEDWINDOW & ~WS_MAXIMIZEBOX, 428, 345, owner, true)) {
    return false;
  }
  label_ = AddControl(L"STATIC", ui::kKeywordLabel, SS_LEFT | SS_NOPREFIX, kIdSearchKeywordLabel);
  keyword_ = AddControl(WC_COMBOBOXW, u"", CBS_DROPDOWN | CBS_AUTOHSCROLL | WS_VSCROLL | WS_TABSTOP | WS_GROUP,
                        kIdSearchKeyword);
  SendMessageW(keyword_, CB_LIMITTEXT, ui::kKeywordMaxLength, 0);
  group_ = AddControl(WC_BUTTONW, ui::kFileTypesTitle, BS_GROUPBOX, kIdSearchTypes);
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    checks_[i] = AddControl(WC_BUTTONW, ui::kSearchBoxes[i].caption, BS_AUTOCHECKBOX | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                            kIdSearchCheck0 + static_cast<int>(i));
  }
  start_ = AddControl(WC_BUTTONW, ui::kSearchStartButton, BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP, kIdSearchStart);
  close_ = AddControl(WC_BUTTONW, ui::kSearchCloseButton, BS_PUSHBUTTON | WS_TABSTOP, kIdSearchClose);
  resultsHeader_ = AddControl(L"STATIC", ui::kResultsHeader, SS_LEFT | SS_NOPREFIX, kIdSearchResultsHeader);
  results_.Create(hwnd(), kIdSearchResults, font().handle(), false);
  // Enter on a result opens it, as a click does.
  results_.onEnter = [this] { logic_->ListBox1Click(); };
  logic_ = std::make_unique<ui::SearchLogic>(*this, main);
  logic_->Init();
  Relayout();
  return true;
}

void SearchWindow::ShowSearch() {
  ShowWindow(hwnd(), IsIconic(hwnd()) ? SW_RESTORE : SW_SHOW);
  SetForegroundWindow(hwnd());
  SetFocus(keyword_);
}

namespace {

// The row of the types group, the mode boxes and the buttons, in 96-DPI pixels; the
// window is never narrower, so neither button leaves its edge at any DPI.
constexpr int kMargin = 8, kCheckW = 62, kGroupW = 4 * kCheckW + 16, kModeW = 130, kButtonW = 100;
constexpr int kRowWidth = kMargin + kGroupW + 8 + kModeW + 6 + kButtonW + kMargin;

}  // namespace

void SearchWindow::Layout(int width, int height) {
  if (!label_) return;
  const int line = font().height(), m = Px(kMargin), rowH = line + Px(6);
  int y = Px(4);
  MoveWindow(label_, m, y, width - 2 * m, line, FALSE);
  y += line + Px(2);
  MoveWindow(keyword_, m, y, std::max(Px(140), width - m - Px(6)), Px(200), FALSE);
  RECT kr;
  GetWindowRect(keyword_, &kr);
  y += (kr.bottom - kr.top) + Px(4);
  // The types in two rows of four, the modes beside them, then the buttons.
  const int checkW = Px(kCheckW), groupW = Px(kGroupW), groupH = 2 * rowH + line + Px(10);
  MoveWindow(group_, m, y, groupW, groupH, FALSE);
  const int modeX = m + groupW + Px(8), modeW = Px(kModeW);
  int type = 0, mode = 0;
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    if (ui::kSearchBoxes[i].mode) {
      MoveWindow(checks_[i], modeX, y + Px(8) + mode * (rowH + Px(4)), modeW, rowH, FALSE);
      ++mode;
    } else {
      MoveWindow(checks_[i], m + Px(8) + (type % 4) * checkW, y + line + Px(2) + (type / 4) * rowH, checkW - Px(2),
                 rowH, FALSE);
      ++type;
    }
  }
  const int buttonX = modeX + modeW + Px(6), buttonW = Px(kButtonW), buttonH = line + Px(10);
  MoveWindow(start_, buttonX, y + Px(6), buttonW, buttonH, FALSE);
  MoveWindow(close_, buttonX, y + Px(10) + buttonH, buttonW, buttonH, FALSE);
  y += groupH + Px(6);
  MoveWindow(resultsHeader_, m, y, width - 2 * m, line, FALSE);
  y += line + Px(2);
  MoveWindow(results_.hwnd(), 0, y, width, std::max(0, height - y), FALSE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

bool SearchWindow::PreTranslate(MSG& msg) {
  // Esc stops a running search wherever the focus is: the search disables the buttons,
  // and with the focus on none of the controls IsDialogMessage sends no IDCANCEL.
  if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
    logic_->EscPressed();
    return true;
  }
  return false;
}

LRESULT SearchWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      switch (LOWORD(wp)) {
        case kIdSearchStart:
          if (HIWORD(wp) == BN_CLICKED) logic_->Button1Click();
          return 0;
        case kIdSearchClose:
          if (HIWORD(wp) == BN_CLICKED) ShowWindow(hwnd(), SW_HIDE);
          return 0;
        case IDOK: {
          // Enter in the keyword box starts the search, as its button does.
          HWND focus = GetFocus();
          if (focus && (focus == keyword_ || IsChild(keyword_, focus))) logic_->Button1Click();
          else if (focus && GetParent(focus) == hwnd()) SendMessageW(focus, BM_CLICK, 0, 0);
          return 0;
        }
        case IDCANCEL:
          // Esc stops a running search.
          logic_->EscPressed();
          return 0;
        default:
          return 0;
      }
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lp);
      if (results_.Answer(header, lp)) return 0;
      if (header.idFrom == kIdSearchResults && header.code == NM_CLICK && ClickedItem(lp) >= 0) logic_->ListBox1Click();
      return 0;
    }
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {Px(std::max(ui::kSearchMinWidth, kRowWidth + 16)),
                                                           Px(ui::kSearchMinHeight)};
      return 0;
    case WM_CLOSE:
      ShowWindow(hwnd(), SW_HIDE);
      return 0;
    default:
      break;
  }
  return TopWindow::Handle(msg, wp, lp);
}

std::u16string SearchWindow::Keyword() const { return WindowText(keyword_); }

void SearchWindow::ShowHistory(const std::vector<std::u16string>& entries, std::u16string_view keyword) {
  SendMessageW(keyword_, CB_RESETCONTENT, 0, 0);
  for (const std::u16string& entry : entries) {
    SendMessageW(keyword_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(entry).c_str()));
  }
  SetText(keyword_, keyword);
}

void SearchWindow::ShowChecks(const SearchOptions& on) {
  for (std::size_t i = 0; i < checks_.size(); ++i) {
    SendMessageW(checks_[i], BM_SETCHECK, ui::kSearchBoxes[i].On(on) ? BST_CHECKED : BST_UNCHECKED, 0);
  }
}

SearchOptions SearchWindow::Checks() const {
  SearchOptions on = ui::kNoSearchBoxes;
  for (std::size_t i = 0; i < checks_.size(); ++i)
    ui::kSearchBoxes[i].Set(on, SendMessageW(checks_[i], BM_GETCHECK, 0, 0) == BST_CHECKED);
  return on;
}

void SearchWindow::Enable(ui::SearchControl control, bool on) {
  EnableWindow(control == ui::SearchControl::kStartButton ? start_ : close_, on);
}

void SearchWindow::ClearResults() { results_.SetLines({}); }
void SearchWindow::AddResult(std::u16string_view line) { results_.Append(std::u16string(line)); }

void SearchWindow::Place(const TWindowGeometry& g) {
  TopWindow::Place(g.left, g.top, g.width, g.height);
  // A saved width from a narrower layout (or a lower DPI) grows to the button row.
  RECT client, outer;
  GetClientRect(hwnd(), &client);
  GetWindowRect(hwnd(), &outer);
  const int missing = Px(kRowWidth) - (client.right - client.left);
  if (missing > 0) {
    SetWindowPos(hwnd(), nullptr, 0, 0, outer.right - outer.left + missing, outer.bottom - outer.top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
}

TWindowGeometry SearchWindow::Geometry() const {
  const RECT r = Placement();
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

}  // namespace glyphgrab::wingui
