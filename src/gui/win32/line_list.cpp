#include "gui/win32/line_list.h"

#include <algorithm>

#include "gui/win32/font_dc.h"
#include "gui/win32/wide.h"
#include "ui/pane_widths.h"

namespace glyphgrab::wingui {
namespace {

constexpr std::size_t kMeasuredLines = 5000;  // enough to find the widest of a real list

HFONT FontOf(HWND hwnd) { return reinterpret_cast<HFONT>(SendMessageW(hwnd, WM_GETFONT, 0, 0)); }

}  // namespace

bool LineList::Create(HWND parent, int id, HFONT font, bool multiSelect) {
  DWORD style = WS_CHILD | WS_VISIBLE | WS_TABSTOP | WS_BORDER | LVS_REPORT | LVS_OWNERDATA | LVS_NOCOLUMNHEADER |
                LVS_SHOWSELALWAYS;
  if (!multiSelect) style |= LVS_SINGLESEL;
  hwnd_ = CreateWindowExW(0, WC_LISTVIEWW, L"", style, 0, 0, 10, 10, parent,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(id)), GetModuleHandleW(nullptr), nullptr);
  if (!hwnd_) return false;
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(font), FALSE);
  ListView_SetExtendedListViewStyle(hwnd_, LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER | LVS_EX_INFOTIP);
  LVCOLUMNW col{};
  col.mask = LVCF_WIDTH;
  col.cx = 100;
  SendMessageW(hwnd_, LVM_INSERTCOLUMNW, 0, reinterpret_cast<LPARAM>(&col));
  SetWindowSubclass(hwnd_, &LineList::Proc, 1, reinterpret_cast<DWORD_PTR>(this));
  return true;
}

void LineList::SetLines(std::vector<std::u16string> lines) {
  lines_ = std::move(lines);
  widest_ = 0;
  ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(hwnd_, static_cast<int>(lines_.size()), 0);
  FitColumn();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

void LineList::Append(std::u16string line) {
  lines_.push_back(std::move(line));
  ListView_SetItemCountEx(hwnd_, static_cast<int>(lines_.size()), LVSICF_NOINVALIDATEALL | LVSICF_NOSCROLL);
  if (lines_.size() <= kMeasuredLines) {
    const int w = TextWidth(hwnd_, FontOf(hwnd_), lines_.back());
    if (w > widest_) {
      widest_ = w;
      FitColumn();
    }
  }
}

int LineList::Current() const { return ListView_GetNextItem(hwnd_, -1, LVNI_FOCUSED); }

std::vector<int> LineList::Selected() const {
  std::vector<int> selected;
  for (int i = ListView_GetNextItem(hwnd_, -1, LVNI_SELECTED); i >= 0; i = ListView_GetNextItem(hwnd_, i, LVNI_SELECTED)) {
    selected.push_back(i);
  }
  return selected;
}

void LineList::FitColumn() {
  if (widest_ == 0 && !lines_.empty()) {
    const FontDc dc(hwnd_, FontOf(hwnd_));
    for (std::size_t i = 0; i < std::min(lines_.size(), kMeasuredLines); ++i) widest_ = std::max(widest_, dc.TextWidth(lines_[i]));
  }
  RECT client;
  GetClientRect(hwnd_, &client);
  ListView_SetColumnWidth(hwnd_, 0, std::max(static_cast<int>(client.right), widest_ + 12));
}

bool LineList::Answer(const NMHDR& header, LPARAM lp) {
  if (header.hwndFrom != hwnd_) return false;
  if (header.code == LVN_GETINFOTIPW) {
    // A line cut by the list's width shows whole in the tip; others show none.
    auto* tip = reinterpret_cast<NMLVGETINFOTIPW*>(lp);
    const std::size_t row = static_cast<std::size_t>(tip->iItem);
    if (row >= lines_.size() || tip->cchTextMax <= 0) return true;
    RECT item{}, client{};
    ListView_GetItemRect(hwnd_, tip->iItem, &item, LVIR_LABEL);
    GetClientRect(hwnd_, &client);
    const std::wstring text = W(lines_[row]);
    if (ui::LineIsCut(TextWidth(hwnd_, FontOf(hwnd_), lines_[row]), item.left, client.right)) {
      const std::size_t n = std::min(text.size(), static_cast<std::size_t>(tip->cchTextMax - 1));
      std::copy_n(text.data(), n, tip->pszText);
      tip->pszText[n] = L'\0';
    } else {
      tip->pszText[0] = L'\0';
    }
    return true;
  }
  if (header.code != LVN_GETDISPINFOW) return false;
  auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
  const std::size_t row = static_cast<std::size_t>(info->item.iItem);
  if ((info->item.mask & LVIF_TEXT) && row < lines_.size()) {
    drawn_ = W(lines_[row]);
    info->item.pszText = drawn_.data();
  }
  return true;
}

LRESULT CALLBACK LineList::Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR, DWORD_PTR self) {
  auto* list = reinterpret_cast<LineList*>(self);
  switch (msg) {
    case WM_GETDLGCODE:
      if (list->onEnter && lp && reinterpret_cast<const MSG*>(lp)->message == WM_KEYDOWN && wp == VK_RETURN) {
        return DLGC_WANTALLKEYS;
      }
      break;
    case WM_KEYDOWN:
      if (wp == VK_RETURN && list->onEnter) {
        list->onEnter();
        return 0;
      }
      if (wp == 'C' && (GetKeyState(VK_CONTROL) & 0x8000) && list->onCopyKey) {
        list->onCopyKey();
        return 0;
      }
      break;
    case WM_RBUTTONDOWN:
    case WM_RBUTTONDBLCLK:
      if (list->onRightClick) {
        // The press must not first replace the selection with the line under the pointer.
        SetFocus(hwnd);
        return 0;
      }
      break;
    case WM_RBUTTONUP:
    case WM_CONTEXTMENU:
      if (list->onRightClick) {
        list->onRightClick();
        return 0;
      }
      break;
    case WM_SIZE: {
      const LRESULT r = DefSubclassProc(hwnd, msg, wp, lp);
      list->FitColumn();
      return r;
    }
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, &LineList::Proc, 1);
      list->hwnd_ = nullptr;
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, msg, wp, lp);
}

int ClickedItem(LPARAM notification) { return reinterpret_cast<const NMITEMACTIVATE*>(notification)->iItem; }

}  // namespace glyphgrab::wingui
