#include "gui/win32/main_window.h"

#include <shlobj.h>
#include <windowsx.h>

#include <algorithm>
#include <chrono>
#include <utility>

#include "gui/win32/control_ids.h"
#include "gui/win32/font_dc.h"
#include "gui/win32/hand_over.h"
#include "gui/win32/wide.h"
#include "ui/pane_widths.h"
#include "ui/window_rules.h"

namespace glyphgrab::wingui {
namespace {

constexpr UINT kFileListClicked = WM_APP + 10;  // the file list's selection settled
constexpr UINT_PTR kMemoTimer = 1;
constexpr UINT_PTR kFillTimer = 2;   // the next part of the folder tree
constexpr UINT_PTR kKeySelectTimer = 3;
constexpr auto kFillSlice = std::chrono::milliseconds(8);
constexpr int kGap = 5;        // splitter width, 96 DPI
constexpr int kMargin = 6;     // around the button row
constexpr int kMinPane = ui::kMinSidePane;

int CALLBACK StartFolder(HWND dialog, UINT msg, LPARAM, LPARAM start) {
  if (msg == BFFM_INITIALIZED && start != 0) SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE, start);
  return 0;
}

}  // namespace

MainWindow::MainWindow(TAppFiles files, ui::Desktop desktop)
    : logic_(std::make_unique<ui::MainLogic>(*this, std::move(files), std::move(desktop))) {}

MainWindow::~MainWindow() {
  // The logic's workers end first: nothing they post may reach a window half gone.
  logic_.reset();
  DeleteObject(white_);
}

bool MainWindow::Open() {
  if (!Create(W(ui::kMainCaption).c_str(), WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 600, 520, nullptr, true)) {
    return false;
  }
  BuildControls();
  return true;
}

void MainWindow::Show(int showCommand) {
  ShowWindow(hwnd(), showCommand);
  UpdateWindow(hwnd());
  logic_->Shown();
}

void MainWindow::BuildControls() {
  label1_ = AddControl(L"STATIC", ui::kFolderLabel, SS_LEFT | SS_NOPREFIX | SS_ENDELLIPSIS, kIdLabel1);
  filterLabel_ = AddControl(L"STATIC", ui::kFilterLabel, SS_LEFT | SS_NOPREFIX, kIdFilterLabel);
  filter_ = AddControl(WC_COMBOBOXW, u"", CBS_DROPDOWNLIST | WS_VSCROLL | WS_TABSTOP | WS_GROUP, kIdFilter);
  for (const FileFilterEntry& entry : kFileFilters) {
    SendMessageW(filter_, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(W(entry.text).c_str()));
  }
  button2_ = AddControl(WC_BUTTONW, ui::kSettingsButton, BS_PUSHBUTTON | WS_TABSTOP, kIdButton2);
  button3_ = AddControl(WC_BUTTONW, ui::kMemoButton, BS_PUSHBUTTON | WS_TABSTOP, kIdButton3);
  buttonT_ = AddControl(WC_BUTTONW, ui::kSearchButton, BS_PUSHBUTTON | WS_TABSTOP, kIdButtonT);
  buttonX_ = AddControl(WC_BUTTONW, ui::kExitButton, BS_PUSHBUTTON | WS_TABSTOP, kIdButtonX);
  buttonF_ = AddControl(WC_BUTTONW, u"", BS_PUSHBUTTON | BS_LEFT | WS_TABSTOP | WS_GROUP, kIdButtonF);
  tree_ = AddControl(WC_TREEVIEWW, u"",
                     TVS_HASLINES | TVS_HASBUTTONS | TVS_LINESATROOT | TVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER,
                     kIdTree);
  fileList_ = AddControl(WC_LISTVIEWW, u"",
                         LVS_REPORT | LVS_OWNERDATA | LVS_SHOWSELALWAYS | WS_TABSTOP | WS_BORDER, kIdFileList);
  ListView_SetExtendedListViewStyle(fileList_, LVS_EX_FULLROWSELECT | LVS_EX_GRIDLINES | LVS_EX_DOUBLEBUFFER);
  for (int c = 0; c < kFileListColumns; ++c) {
    const std::wstring title = W(ui::kFileColumnTitles[static_cast<std::size_t>(c)]);
    LVCOLUMNW col{};
    col.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
    col.fmt = c == kSizeColumn ? LVCFMT_RIGHT : LVCFMT_LEFT;
    col.cx = Px(80);
    col.pszText = const_cast<wchar_t*>(title.c_str());
    SendMessageW(fileList_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(c), reinterpret_cast<LPARAM>(&col));
  }
  preview_.Create(hwnd(), kIdPreview);
  lines_.Create(hwnd(), kIdLines, font().handle(), true);
  // Enter and Ctrl+C copy the current line, as a click does; a right click adds the
  // selected lines to the memo.
  lines_.onEnter = lines_.onCopyKey = [this] { logic_->ListBox1Click(); };
  lines_.onRightClick = [this] { logic_->ListBox1ContextPopup(); };
  // The preview's switch sits in the status bar: the button row is full already.
  buttonP_ = AddControl(WC_BUTTONW, ui::kPreviewButton, BS_AUTOCHECKBOX | BS_PUSHLIKE | WS_TABSTOP, kIdButtonP);
  SetWindowPos(buttonP_, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  Relayout();
}

void MainWindow::Layout(int width, int height) {
  if (!label1_) return;
  const int lineHeight = font().height();
  const int labelHeight = lineHeight + Px(4);
  MoveWindow(label1_, 0, 0, width, labelHeight, FALSE);

  // The filter and the buttons across the window.
  const int rowTop = labelHeight + Px(kMargin);
  const int rowHeight = lineHeight + Px(12);
  int x = Px(kMargin);
  const auto textWidth = [&](HWND h) { return TextWidth(h, font().handle(), WindowText(h)); };
  const int labelWidth = textWidth(filterLabel_);
  MoveWindow(filterLabel_, x, rowTop + (rowHeight - lineHeight) / 2, labelWidth, lineHeight, FALSE);
  x += labelWidth + Px(4);
  MoveWindow(filter_, x, rowTop + (rowHeight - lineHeight - Px(8)) / 2, Px(230), Px(300), FALSE);
  x += Px(230) + Px(kMargin);
  for (HWND b : {button2_, button3_, buttonT_, buttonX_}) {
    const int w = std::max(Px(80), textWidth(b) + Px(20));
    MoveWindow(b, x, rowTop, w, rowHeight, FALSE);
    x += w + Px(4);
  }
  rowWidth_ = x + Px(kMargin);

  // The panes.
  const int top = rowTop + rowHeight + Px(kMargin);
  const int paneHeight = std::max(0, height - top);
  const int gap = Px(kGap);
  // Once the window shows, a change of its width is shared by the file list and the
  // text list (before, the sizes are the saved ones and stay).
  const int paneTotal = MulDiv(std::max(0, width - 2 * gap), 96, static_cast<int>(dpi()));
  if (!IsWindowVisible(hwnd())) {
    paneTotal_ = 0;
  } else {
    if (paneTotal_ > 0 && paneTotal != paneTotal_ && dragging_ == Splitter::kNone &&
        paneTotal_ - treeWidth_ - listWidth_ > 0) {
      listWidth_ = ui::SharePaneWidths({treeWidth_, paneTotal_ - treeWidth_ - listWidth_, listWidth_}, paneTotal,
                                       kMinPane)
                       .texts;
    }
    paneTotal_ = paneTotal;
  }
  const ui::PaneWidths panes =
      ui::FitPaneWidths(Px(treeWidth_), Px(listWidth_), width - 2 * gap, Px(ui::kMinFilePane), Px(kMinPane));
  const int tree = panes.tree, list = panes.texts;
  const int middleLeft = tree + gap;
  const int middleWidth = panes.files;
  const int buttonHeight = lineHeight + Px(10);
  MoveWindow(buttonF_, 0, top, tree, buttonHeight, FALSE);
  MoveWindow(tree_, 0, top + buttonHeight, tree, std::max(0, paneHeight - buttonHeight), FALSE);
  treeGap_ = {tree, top, tree + gap, top + paneHeight};
  int listHeight = paneHeight;
  previewGap_ = {};
  if (previewShown_) {
    const int previewHeight = std::clamp(Px(previewHeight_), Px(30), std::max(Px(30), paneHeight - Px(60)));
    listHeight = std::max(0, paneHeight - previewHeight - gap);
    previewGap_ = {middleLeft, top + listHeight, middleLeft + middleWidth, top + listHeight + gap};
    MoveWindow(preview_.hwnd(), middleLeft, top + listHeight + gap, middleWidth, previewHeight, FALSE);
  }
  MoveWindow(fileList_, middleLeft, top, middleWidth, listHeight, FALSE);
  listGap_ = {middleLeft + middleWidth, top, middleLeft + middleWidth + gap, top + paneHeight};
  MoveWindow(lines_.hwnd(), middleLeft + middleWidth + gap, top, list, paneHeight, FALSE);

  // The switch at the status bar's right end.
  if (HWND bar = statusBar()) {
    RECT rc;
    GetWindowRect(bar, &rc);
    MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rc), 2);
    const int w = textWidth(buttonP_) + Px(24);
    RECT client;
    GetClientRect(hwnd(), &client);
    const int parts[2] = {std::max(0, static_cast<int>(client.right) - w - Px(20)), -1};
    SendMessageW(bar, SB_SETPARTS, 2, reinterpret_cast<LPARAM>(parts));
    MoveWindow(buttonP_, parts[0] + Px(2), rc.top + Px(2), w, rc.bottom - rc.top - Px(3), FALSE);
  }
  InvalidateRect(hwnd(), nullptr, TRUE);
}

MainWindow::Splitter MainWindow::SplitterAt(POINT p) const {
  if (PtInRect(&treeGap_, p)) return Splitter::kTree;
  if (PtInRect(&listGap_, p)) return Splitter::kList;
  if (previewShown_ && PtInRect(&previewGap_, p)) return Splitter::kPreview;
  return Splitter::kNone;
}

LRESULT MainWindow::Handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      Command(LOWORD(wp), HIWORD(wp));
      return 0;
    case WM_NOTIFY:
      return Notify(*reinterpret_cast<const NMHDR*>(lp), lp);
    case kFileListClicked:
      clickPending_ = false;
      if (std::exchange(fileKeyPressed_, false)) {
        logic_->SelectedByKey(ui::SelectPane::kFiles);
      } else {
        logic_->ListView1Click();
      }
      return 0;
    case WM_TIMER:
      if (wp == kMemoTimer) logic_->MemoSaveTimer();
      if (wp == kFillTimer) FillTree();
      if (wp == kKeySelectTimer) {
        KillTimer(hwnd(), kKeySelectTimer);
        logic_->KeySelectTimer();
      }
      return 0;
    case WM_CTLCOLORSTATIC:
      if (reinterpret_cast<HWND>(lp) == label1_) {
        SetBkColor(reinterpret_cast<HDC>(wp), RGB(255, 255, 255));
        return reinterpret_cast<LRESULT>(white_);
      }
      break;
    case WM_SETCURSOR:
      if (busy_) {
        SetCursor(LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      if (reinterpret_cast<HWND>(wp) == hwnd() && LOWORD(lp) == HTCLIENT) {
        POINT p;
        GetCursorPos(&p);
        ScreenToClient(hwnd(), &p);
        const Splitter s = SplitterAt(p);
        if (s != Splitter::kNone) {
          SetCursor(LoadCursorW(nullptr, s == Splitter::kPreview ? IDC_SIZENS : IDC_SIZEWE));
          return TRUE;
        }
      }
      break;
    case WM_LBUTTONDOWN: {
      const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
      dragging_ = SplitterAt(p);
      if (dragging_ != Splitter::kNone) {
        SetCapture(hwnd());
        dragFrom_ = p;
        dragStartSize_ = dragging_ == Splitter::kTree   ? treeWidth_
                         : dragging_ == Splitter::kList ? listWidth_
                                                        : previewHeight_;
      }
      return 0;
    }
    case WM_MOUSEMOVE:
      if (dragging_ != Splitter::kNone) {
        const POINT p{GET_X_LPARAM(lp), GET_Y_LPARAM(lp)};
        const int dx = MulDiv(p.x - dragFrom_.x, 96, static_cast<int>(dpi()));
        const int dy = MulDiv(p.y - dragFrom_.y, 96, static_cast<int>(dpi()));
        switch (dragging_) {
          case Splitter::kTree: treeWidth_ = std::max(kMinPane, dragStartSize_ + dx); break;
          case Splitter::kList: listWidth_ = std::max(kMinPane, dragStartSize_ - dx); break;
          case Splitter::kPreview: previewHeight_ = std::max(30, dragStartSize_ - dy); break;
          case Splitter::kNone: break;
        }
        Relayout();
      }
      return 0;
    case WM_LBUTTONUP:
      if (dragging_ != Splitter::kNone) {
        dragging_ = Splitter::kNone;
        ReleaseCapture();
      }
      return 0;
    case WM_GETMINMAXINFO: {
      // Never narrower than the button row, so every button can be reached.
      RECT frame{0, 0, std::max(rowWidth_, Px(360)), Px(260)};
      AdjustWindowRectExForDpi(&frame, WS_OVERLAPPEDWINDOW, FALSE, WS_EX_CONTROLPARENT, dpi());
      reinterpret_cast<MINMAXINFO*>(lp)->ptMinTrackSize = {frame.right - frame.left, frame.bottom - frame.top};
      return 0;
    }
    case WM_COPYDATA: {
      // A later start's file: opened as the command line's, and the window comes up.
      std::u16string path;
      if (!ReadHandedOverPath(*reinterpret_cast<const COPYDATASTRUCT*>(lp), path)) break;
      if (!path.empty()) logic_->OpenPath(path);
      if (IsIconic(hwnd())) ShowWindow(hwnd(), SW_RESTORE);
      SetForegroundWindow(hwnd());
      return TRUE;
    }
    case WM_CLOSE:
      if (!closing_) {
        closing_ = true;
        logic_->Closing();
        // Off the screen at once: under Wine destroying a window with its children takes
        // a moment.
        ShowWindow(hwnd(), SW_HIDE);
      }
      DestroyWindow(hwnd());
      return 0;
    case WM_DESTROY:
      PostQuitMessage(0);
      return 0;
    default:
      break;
  }
  return TopWindow::Handle(msg, wp, lp);
}

void MainWindow::Command(int id, int code) {
  switch (id) {
    case IDCANCEL:  // Esc, wherever the focus is
      logic_->EscPressed();
      break;
    case IDOK: {  // Enter: the focused button is clicked, the focused tree lists its folder
      HWND focus = GetFocus();
      if (focus == tree_) {
        logic_->EnterPressed(ui::SelectPane::kTree);
      } else if (focus == fileList_) {
        logic_->EnterPressed(ui::SelectPane::kFiles);
      } else if (focus && GetParent(focus) == hwnd() &&
                 (GetWindowLongW(focus, GWL_STYLE) & BS_TYPEMASK) == BS_PUSHBUTTON) {
        SendMessageW(focus, BM_CLICK, 0, 0);
      }
      break;
    }
    case kIdButtonF:
      if (code == BN_CLICKED) logic_->ButtonFClick();
      break;
    case kIdButton2:
      if (code == BN_CLICKED) logic_->Button2Click();
      break;
    case kIdButton3:
      if (code == BN_CLICKED) logic_->Button3Click();
      break;
    case kIdButtonT:
      if (code == BN_CLICKED) logic_->ButtonTClick();
      break;
    case kIdButtonX:
      if (code == BN_CLICKED) PostMessageW(hwnd(), WM_CLOSE, 0, 0);
      break;
    case kIdFilter:
      if (code == CBN_SELCHANGE && quiet_ == 0) logic_->ComboBox1Select();
      break;
    case kIdButtonP:
      if (code == BN_CLICKED) {
        logic_->PreviewToggled(SendMessageW(buttonP_, BM_GETCHECK, 0, 0) == BST_CHECKED);
      }
      break;
    default:
      break;
  }
}

void MainWindow::ScheduleFileListClick() {
  // One click for the many item changes of one selection change.
  if (clickPending_) return;
  clickPending_ = true;
  PostMessageW(hwnd(), kFileListClicked, 0, 0);
}

LRESULT MainWindow::Notify(const NMHDR& header, LPARAM lp) {
  switch (header.idFrom) {
    case kIdTree:
      if (header.code == TVN_SELCHANGEDW && quiet_ == 0) {
        if (reinterpret_cast<const NMTREEVIEWW*>(lp)->action == TVC_BYKEYBOARD) {
          logic_->SelectedByKey(ui::SelectPane::kTree);
        } else {
          logic_->TreeView1Click();
        }
      }
      return 0;
    case kIdFileList:
      switch (header.code) {
        case LVN_GETDISPINFOW: {
          auto* info = reinterpret_cast<NMLVDISPINFOW*>(lp);
          const std::size_t row = static_cast<std::size_t>(info->item.iItem);
          if ((info->item.mask & LVIF_TEXT) && row < rows_.size()) {
            dispText_ = W(rows_[row].Column(info->item.iSubItem));
            info->item.pszText = dispText_.data();
          }
          return 0;
        }
        case LVN_ITEMCHANGED: {
          const auto* change = reinterpret_cast<const NMLISTVIEW*>(lp);
          if (quiet_ == 0 && (change->uChanged & LVIF_STATE) &&
              ((change->uOldState ^ change->uNewState) & LVIS_SELECTED)) {
            ScheduleFileListClick();
          }
          return 0;
        }
        case LVN_KEYDOWN:
          // Navigation keys change the selection after this notice; Enter comes as IDOK.
          switch (reinterpret_cast<const NMLVKEYDOWN*>(lp)->wVKey) {
            case VK_UP: case VK_DOWN: case VK_HOME: case VK_END: case VK_PRIOR: case VK_NEXT: case VK_SPACE:
              fileKeyPressed_ = true;
              break;
            default:
              break;
          }
          return 0;
        case LVN_ODSTATECHANGED:
          if (quiet_ == 0) ScheduleFileListClick();
          return 0;
        case NM_DBLCLK:
          if (ClickedItem(lp) >= 0) logic_->ListView1DblClick();
          return 0;
        case LVN_COLUMNCLICK:
          logic_->ListView1ColumnClick(reinterpret_cast<const NMLISTVIEW*>(lp)->iSubItem);
          return 0;
        default:
          return 0;
      }
    case kIdLines:
      if (lines_.Answer(header, lp)) return 0;
      switch (header.code) {
        case LVN_ITEMCHANGED: {
          const auto* change = reinterpret_cast<const NMLISTVIEW*>(lp);
          if (quiet_ == 0 && (change->uChanged & LVIF_STATE) && (change->uNewState & LVIS_FOCUSED) &&
              !(change->uOldState & LVIS_FOCUSED)) {
            logic_->ListBox1Current(change->iItem);
          }
          return 0;
        }
        // On a line only, as a click in the empty space below copies nothing.
        case NM_CLICK:
          if (ClickedItem(lp) >= 0) logic_->ListBox1Click();
          return 0;
        case NM_DBLCLK:
          if (ClickedItem(lp) >= 0) logic_->ListBox1DblClick();
          return 0;
        default:
          return 0;
      }
    default:
      return 0;
  }
}

void MainWindow::Enable(ui::MainControl control, bool on) {
  HWND h = nullptr;
  switch (control) {
    case ui::MainControl::kRootButton: h = buttonF_; break;
    case ui::MainControl::kTree: h = tree_; break;
    case ui::MainControl::kFilter: h = filter_; break;
    case ui::MainControl::kSearchButton: h = buttonT_; break;
  }
  if (h) EnableWindow(h, on);
}

void MainWindow::SetFolderLabel(std::u16string_view text) { SetText(label1_, text); }
void MainWindow::SetRootButtonText(std::u16string_view text) { SetText(buttonF_, text); }
void MainWindow::FocusRootButton() { SetFocus(buttonF_); }
void MainWindow::SetTreeVisible(bool visible) { ShowWindow(tree_, visible ? SW_SHOWNA : SW_HIDE); }

void MainWindow::ShowTree(const FolderTree& tree) {
  KillTimer(hwnd(), kFillTimer);
  ++quiet_;
  TreeView_DeleteAllItems(tree_);
  --quiet_;
  fillNodes_ = tree.nodes();
  nodeItems_.assign(fillNodes_.size(), nullptr);
  fillNext_ = 0;
  expandAll_ = false;
  pendingSelect_ = -1;
  FillTree();
}

void MainWindow::FillTree() {
  // A timer, not posted messages: those would come before the user's input and paint.
  KillTimer(hwnd(), kFillTimer);
  const auto end = std::chrono::steady_clock::now() + kFillSlice;
  ++quiet_;
  for (std::size_t step = 0; fillNext_ < fillNodes_.size(); ++fillNext_, ++step) {
    if (step % 32 == 31 && std::chrono::steady_clock::now() > end) break;
    const FolderNode& node = fillNodes_[fillNext_];
    const std::wstring text = W(node.text);
    TVINSERTSTRUCTW ins{};
    ins.hParent = node.parent < 0 ? TVI_ROOT : nodeItems_[static_cast<std::size_t>(node.parent)];
    ins.hInsertAfter = TVI_LAST;
    ins.item.mask = TVIF_TEXT | TVIF_PARAM | TVIF_STATE;
    ins.item.pszText = const_cast<wchar_t*>(text.c_str());
    ins.item.lParam = static_cast<LPARAM>(fillNext_);
    ins.item.stateMask = TVIS_EXPANDED;
    ins.item.state = expandAll_ ? TVIS_EXPANDED : 0;
    nodeItems_[fillNext_] = TreeView_InsertItem(tree_, &ins);
  }
  --quiet_;
  if (fillNext_ < fillNodes_.size()) {
    SetTimer(hwnd(), kFillTimer, USER_TIMER_MINIMUM, nullptr);
    return;
  }
  if (expandAll_ && !nodeItems_.empty()) TreeView_EnsureVisible(tree_, nodeItems_.front());
  if (pendingSelect_ >= 0) SelectNode(std::exchange(pendingSelect_, -1));
  InvalidateRect(tree_, nullptr, TRUE);
}

void MainWindow::ExpandTree() {
  expandAll_ = true;  // for the nodes still to come
  ++quiet_;
  for (std::size_t i = 0; i < fillNext_; ++i) TreeView_Expand(tree_, nodeItems_[i], TVE_EXPAND);
  if (fillNext_ == fillNodes_.size() && !nodeItems_.empty()) TreeView_EnsureVisible(tree_, nodeItems_.front());
  --quiet_;
  InvalidateRect(tree_, nullptr, TRUE);
}

void MainWindow::SelectNode(int index) {
  if (index < 0 || static_cast<std::size_t>(index) >= nodeItems_.size()) return;
  SetFocus(tree_);
  if (static_cast<std::size_t>(index) >= fillNext_) {
    pendingSelect_ = index;  // selected once it is inserted
    return;
  }
  ++quiet_;
  TreeView_SelectItem(tree_, nodeItems_[static_cast<std::size_t>(index)]);
  TreeView_EnsureVisible(tree_, nodeItems_[static_cast<std::size_t>(index)]);
  --quiet_;
}

int MainWindow::SelectedNode() const {
  if (pendingSelect_ >= 0) return pendingSelect_;
  HTREEITEM item = TreeView_GetSelection(tree_);
  if (!item) return -1;
  TVITEMW tv{};
  tv.mask = TVIF_PARAM;
  tv.hItem = item;
  if (!TreeView_GetItem(tree_, &tv)) return -1;
  return static_cast<int>(tv.lParam);
}

int MainWindow::FilterIndex() const { return static_cast<int>(SendMessageW(filter_, CB_GETCURSEL, 0, 0)); }

void MainWindow::SetFilterIndex(int index) {
  ++quiet_;
  SendMessageW(filter_, CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  --quiet_;
}

void MainWindow::ShowFileRows(const std::vector<FileListRow>& rows) {
  ++quiet_;
  rows_ = rows;
  ListView_SetItemState(fileList_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_SetItemCountEx(fileList_, static_cast<int>(rows_.size()), 0);
  InvalidateRect(fileList_, nullptr, TRUE);
  --quiet_;
}

std::vector<int> MainWindow::SelectedFileRows() const {
  std::vector<int> selected;
  for (int i = ListView_GetNextItem(fileList_, -1, LVNI_SELECTED); i >= 0;
       i = ListView_GetNextItem(fileList_, i, LVNI_SELECTED)) {
    selected.push_back(i);
  }
  return selected;
}

void MainWindow::SelectFileRow(int row) {
  ++quiet_;
  ListView_SetItemState(fileList_, -1, 0, LVIS_SELECTED);
  ListView_SetItemState(fileList_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(fileList_, row, FALSE);
  --quiet_;
}

void MainWindow::ShowLines(const std::vector<std::u16string>& lines) {
  ++quiet_;
  lines_.SetLines(lines);
  --quiet_;
}

int MainWindow::CurrentLine() const { return lines_.Current(); }
std::vector<int> MainWindow::SelectedLines() const { return lines_.Selected(); }

void MainWindow::SetBusyCursor(bool busy) {
  busy_ = busy;
  POINT p;
  GetCursorPos(&p);
  SetCursorPos(p.x, p.y);  // the cursor asks again at once
}

void MainWindow::ShowPreviewPane(bool visible) {
  previewShown_ = visible;
  SendMessageW(buttonP_, BM_SETCHECK, visible ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowWindow(preview_.hwnd(), visible ? SW_SHOWNA : SW_HIDE);
  Relayout();
}

void MainWindow::SetPreviewDrawing(std::shared_ptr<const RenderModel> drawing) { preview_.SetModel(std::move(drawing)); }
void MainWindow::SetPreviewMark(const std::u16string& text) { preview_.SetMark(text); }
void MainWindow::SetPreviewNote(std::u16string_view text) { preview_.SetNote(std::u16string(text)); }

void MainWindow::ApplyLayout(const TSettings& s, const TPreviewSettings& preview) {
  paneTotal_ = 0;  // the saved widths stand as they are
  treeWidth_ = std::max(kMinPane, static_cast<int>(s.treePaneWidth));
  listWidth_ = std::max(kMinPane, static_cast<int>(s.listWidth));
  previewHeight_ = std::max(30, static_cast<int>(preview.height));
  previewShown_ = preview.visible;
  SendMessageW(buttonP_, BM_SETCHECK, previewShown_ ? BST_CHECKED : BST_UNCHECKED, 0);
  ShowWindow(preview_.hwnd(), previewShown_ ? SW_SHOWNA : SW_HIDE);
  Place(s.mainWindow.left, s.mainWindow.top, s.mainWindow.width, s.mainWindow.height);
  // A saved width below the button row's grows to it (the minimum applies to moves only).
  RECT r;
  GetWindowRect(hwnd(), &r);
  MINMAXINFO limits{};
  SendMessageW(hwnd(), WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
  if (r.right - r.left < limits.ptMinTrackSize.x) {
    SetWindowPos(hwnd(), nullptr, 0, 0, limits.ptMinTrackSize.x, r.bottom - r.top, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }
  const auto widths = ui::FileColumnWidths(s, [this](std::u16string_view text) {
    return MulDiv(TextWidth(fileList_, font().handle(), text), 96, static_cast<int>(dpi()));
  });
  for (int c = 0; c < kFileListColumns; ++c) ListView_SetColumnWidth(fileList_, c, Px(widths[static_cast<std::size_t>(c)]));
  Relayout();
}

void MainWindow::StoreLayout(TSettings& s, TPreviewSettings& preview) {
  const RECT r = Placement();
  s.mainWindow = {r.left, r.top, r.right - r.left, r.bottom - r.top};
  s.treePaneWidth = treeWidth_;
  s.listWidth = listWidth_;
  for (int c = 0; c < kFileListColumns; ++c) {
    s.columnWidths[static_cast<std::size_t>(c)] = MulDiv(ListView_GetColumnWidth(fileList_, c), 96, static_cast<int>(dpi()));
  }
  preview.height = previewHeight_;
}

std::u16string MainWindow::ChooseFolder(std::u16string_view title, std::u16string_view start) {
  const std::wstring caption = W(title), from = W(start);
  BROWSEINFOW bi{};
  bi.hwndOwner = hwnd();
  bi.lpszTitle = caption.c_str();
  bi.ulFlags = BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE;
  bi.lpfn = StartFolder;
  bi.lParam = from.empty() ? 0 : reinterpret_cast<LPARAM>(from.c_str());
  PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&bi);
  if (!chosen) return {};
  std::wstring path(32768, L'\0');
  const bool ok = SHGetPathFromIDListEx(chosen, path.data(), static_cast<DWORD>(path.size()), GPFIDL_DEFAULT);
  CoTaskMemFree(chosen);
  if (!ok) return {};
  path.resize(wcslen(path.c_str()));
  return U(path);
}

void MainWindow::ShowSettingsDialog() {
  if (showSettingsDialog) showSettingsDialog();
}

void MainWindow::StartMemoSaveTimer(int milliseconds) {
  SetTimer(hwnd(), kMemoTimer, static_cast<UINT>(milliseconds), nullptr);
}
void MainWindow::StopMemoSaveTimer() { KillTimer(hwnd(), kMemoTimer); }
void MainWindow::StartKeySelectTimer(int milliseconds) {
  SetTimer(hwnd(), kKeySelectTimer, static_cast<UINT>(milliseconds), nullptr);
}
void MainWindow::StopKeySelectTimer() { KillTimer(hwnd(), kKeySelectTimer); }

}  // namespace glyphgrab::wingui
