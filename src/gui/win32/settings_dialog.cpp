#include "gui/win32/settings_dialog.h"

#include <algorithm>
#include <string>

#include "gui/win32/control_ids.h"
#include "gui/win32/wide.h"

namespace glyphgrab::wingui {
namespace {

constexpr int kWidth = 451, kHeight = 478;  // the classic size, and the smallest

}  // namespace

bool SettingsDialog::Open(HWND owner) {
  owner_ = owner;
  if (!Create(W(ui::kSettingsCaption).c_str(), WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME, kWidth, kHeight,
              owner)) {
    return false;
  }
  heading_ = AddControl(L"STATIC", ui::kExtractHeading, SS_LEFT | SS_NOPREFIX, -1);
  for (std::size_t i = 0; i < options_.size(); ++i) {
    options_[i] = AddControl(WC_BUTTONW, ui::kExtractOptionTexts[i], BS_AUTOCHECKBOX | WS_TABSTOP | (i == 0 ? WS_GROUP : 0),
                             kIdSettingsOption0 + static_cast<int>(i));
  }
  for (std::size_t i = 0; i < helpLines_.size(); ++i) {
    helpLines_[i] = AddControl(L"STATIC", ui::kClickHelpTexts[i], SS_LEFT | SS_NOPREFIX, -1);
  }
  profileLabel_ = AddControl(L"STATIC", ui::kProfileNumberLabel, SS_LEFT | SS_NOPREFIX, -1);
  profile_ = AddControl(WC_COMBOBOXW, u"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kIdSettingsProfile);
  // Ten narrow tabs, all in view.
  tabs_ = AddControl(WC_TABCONTROLW, u"", TCS_FIXEDWIDTH | WS_TABSTOP | WS_GROUP, kIdSettingsTabs);
  for (int i = 0; i < kSendProfileCount; ++i) {
    std::wstring text = std::to_wstring(i);
    SendMessageW(profile_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(text.c_str()));
    TCITEMW item{};
    item.mask = TCIF_TEXT;
    item.pszText = text.data();
    SendMessageW(tabs_, TCM_INSERTITEMW, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(&item));
  }
  waitLabel_ = AddControl(L"STATIC", ui::kWaitLabel, SS_LEFT | SS_NOPREFIX, -1);
  wait_ = AddControl(WC_EDITW, u"", ES_AUTOHSCROLL | WS_TABSTOP | WS_GROUP, kIdSettingsWait, WS_EX_CLIENTEDGE);
  SendMessageW(wait_, EM_SETLIMITTEXT, ui::kWaitMaxLength, 0);
  seconds_ = AddControl(L"STATIC", ui::kSecondsLabel, SS_LEFT | SS_NOPREFIX, -1);
  maximize_ = AddControl(WC_BUTTONW, ui::kMaximizeText, BS_AUTOCHECKBOX | WS_TABSTOP, kIdSettingsMaximize);
  oneLine_ = AddControl(WC_BUTTONW, ui::kOneLineText, BS_AUTOCHECKBOX | WS_TABSTOP, kIdSettingsOneLine);
  titleLabel_ = AddControl(L"STATIC", ui::kTitleLabel, SS_LEFT | SS_NOPREFIX, -1);
  title_ = AddControl(WC_EDITW, u"", ES_AUTOHSCROLL | WS_TABSTOP, kIdSettingsTitle, WS_EX_CLIENTEDGE);
  SendMessageW(title_, EM_SETLIMITTEXT, ui::kTitleMaxLength, 0);
  commandLabel_ = AddControl(L"STATIC", ui::kCommandLabel, SS_LEFT | SS_NOPREFIX, -1);
  command_ = AddControl(WC_EDITW, u"", ES_AUTOHSCROLL | WS_TABSTOP, kIdSettingsCommand, WS_EX_CLIENTEDGE);
  SendMessageW(command_, EM_SETLIMITTEXT, ui::kCommandMaxLength, 0);
  std::u16string help;
  for (std::u16string_view line : ui::kSettingsHelpLines) {
    if (!help.empty()) help += u"\r\n";
    help += line;
  }
  help_ = AddControl(WC_EDITW, help, ES_MULTILINE | ES_READONLY | ES_AUTOHSCROLL | WS_VSCROLL | WS_HSCROLL | WS_TABSTOP,
                     kIdSettingsHelp, WS_EX_CLIENTEDGE);
  ok_ = AddControl(WC_BUTTONW, ui::kOkButton, BS_DEFPUSHBUTTON | WS_TABSTOP | WS_GROUP, IDOK);
  cancel_ = AddControl(WC_BUTTONW, ui::kCancelButton, BS_PUSHBUTTON | WS_TABSTOP, IDCANCEL);
  Relayout();
  return true;
}

void SettingsDialog::RunModal() {
  done_ = false;
  logic_.FormShow();
  RECT r;
  GetWindowRect(hwnd(), &r);
  Place(settings_.settingsDialogLeft, settings_.settingsDialogTop, MulDiv(r.right - r.left, 96, static_cast<int>(dpi())),
        MulDiv(r.bottom - r.top, 96, static_cast<int>(dpi())));
  EnableWindow(owner_, FALSE);
  ShowWindow(hwnd(), SW_SHOW);
  SetFocus(ok_);
  TopWindow::RunModalLoop(done_);
  const RECT placed = Placement();
  settings_.settingsDialogLeft = placed.left;
  settings_.settingsDialogTop = placed.top;
  // The owner first, so the activation goes back to it.
  EnableWindow(owner_, TRUE);
  ShowWindow(hwnd(), SW_HIDE);
}

void SettingsDialog::Layout(int width, int height) {
  if (!ok_) return;
  // An edit box needs its borders and margins beside the line, or the underscore of
  // "jw_win" falls below its edge.
  const int line = font().height(), m = Px(10), rowH = line + Px(10);
  const int inner = width - 2 * m;
  int y = m;
  MoveWindow(heading_, m, y, inner, line, FALSE);
  y += rowH;
  for (HWND h : options_) {
    MoveWindow(h, m + Px(12), y, inner - Px(12), rowH, FALSE);
    y += rowH;
  }
  y += Px(4);
  for (HWND h : helpLines_) {
    MoveWindow(h, m, y, inner, line, FALSE);
    y += line + Px(2);
  }
  y += Px(6);
  const int labelW = Px(190);
  MoveWindow(profileLabel_, m, y + Px(3), labelW, line, FALSE);
  MoveWindow(profile_, m + labelW, y, Px(60), Px(240), FALSE);
  y += rowH + Px(6);
  TabCtrl_SetItemSize(tabs_, Px(38), line + Px(6));
  MoveWindow(tabs_, m, y, inner, line + Px(10), FALSE);
  y += line + Px(14);
  MoveWindow(waitLabel_, m, y + Px(3), labelW, line, FALSE);
  MoveWindow(wait_, m + labelW, y, Px(80), rowH, FALSE);
  MoveWindow(seconds_, m + labelW + Px(86), y + Px(3), Px(30), line, FALSE);
  y += rowH + Px(4);
  MoveWindow(maximize_, m, y, inner, rowH, FALSE);
  y += rowH;
  MoveWindow(oneLine_, m, y, inner, rowH, FALSE);
  y += rowH + Px(2);
  MoveWindow(titleLabel_, m, y + Px(3), labelW, line, FALSE);
  MoveWindow(title_, m + labelW, y, inner - labelW, rowH, FALSE);
  y += rowH + Px(4);
  MoveWindow(commandLabel_, m, y + Px(3), labelW, line, FALSE);
  MoveWindow(command_, m + labelW, y, inner - labelW, rowH, FALSE);
  y += rowH + Px(6);
  const int buttonH = line + Px(10), buttonW = Px(110);
  // The help text takes what is left, some lines at least.
  const int helpH = std::max(line * 8, height - y - buttonH - 2 * m);
  MoveWindow(help_, m, y, inner, helpH, FALSE);
  y += helpH + m;
  // A font taller than the classic size planned for (a higher DPI, a larger system
  // font) grows the dialog, so the OK and Cancel row stays inside it.
  if (const int missing = y + buttonH + m - height; missing > 0) {
    RECT r;
    GetWindowRect(hwnd(), &r);
    SetWindowPos(hwnd(), nullptr, 0, 0, r.right - r.left, r.bottom - r.top + missing,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return;  // laid out again for the new size
  }
  MoveWindow(cancel_, width - m - buttonW, y, buttonW, buttonH, FALSE);
  MoveWindow(ok_, width - m - 2 * buttonW - Px(6), y, buttonW, buttonH, FALSE);
  InvalidateRect(hwnd(), nullptr, TRUE);
}

LRESULT SettingsDialog::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      if (LOWORD(wp) == IDOK && (HIWORD(wp) == BN_CLICKED || lp == 0)) logic_.Button1Click();
      if (LOWORD(wp) == IDCANCEL && (HIWORD(wp) == BN_CLICKED || lp == 0)) logic_.Cancel();
      return 0;
    case WM_NOTIFY: {
      const NMHDR& header = *reinterpret_cast<const NMHDR*>(lp);
      if (header.idFrom == kIdSettingsTabs && header.code == TCN_SELCHANGE) logic_.TabChanged(TabCtrl_GetCurSel(tabs_));
      return 0;
    }
    case WM_GETMINMAXINFO:
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {Px(kWidth), Px(kHeight)};
      return 0;
    case WM_CLOSE:
      logic_.Cancel();
      return 0;
    default:
      break;
  }
  return TopWindow::Handle(msg, wp, lp);
}

void SettingsDialog::ShowOptions(const std::array<bool, ui::kExtractOptionCount>& on) {
  for (std::size_t i = 0; i < options_.size(); ++i) SendMessageW(options_[i], BM_SETCHECK, on[i] ? BST_CHECKED : BST_UNCHECKED, 0);
}

std::array<bool, ui::kExtractOptionCount> SettingsDialog::Options() const {
  std::array<bool, ui::kExtractOptionCount> on{};
  for (std::size_t i = 0; i < options_.size(); ++i) on[i] = SendMessageW(options_[i], BM_GETCHECK, 0, 0) == BST_CHECKED;
  return on;
}

void SettingsDialog::SetProfileNumber(int number) { SendMessageW(profile_, CB_SETCURSEL, static_cast<WPARAM>(number), 0); }
int SettingsDialog::ProfileNumber() const { return static_cast<int>(SendMessageW(profile_, CB_GETCURSEL, 0, 0)); }
void SettingsDialog::SetTab(int tab) { TabCtrl_SetCurSel(tabs_, tab); }

void SettingsDialog::ShowProfile(const ui::ProfileFields& fields) {
  SetText(wait_, fields.wait);
  SendMessageW(maximize_, BM_SETCHECK, fields.maximize ? BST_CHECKED : BST_UNCHECKED, 0);
  SendMessageW(oneLine_, BM_SETCHECK, fields.oneLine ? BST_CHECKED : BST_UNCHECKED, 0);
  SetText(title_, fields.title);
  SetText(command_, fields.command);
}

ui::ProfileFields SettingsDialog::Profile() const {
  return ui::ProfileFields{WindowText(wait_), SendMessageW(maximize_, BM_GETCHECK, 0, 0) == BST_CHECKED,
                           SendMessageW(oneLine_, BM_GETCHECK, 0, 0) == BST_CHECKED, WindowText(title_),
                           WindowText(command_)};
}

}  // namespace glyphgrab::wingui
