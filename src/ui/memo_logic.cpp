#include "ui/memo_logic.h"

#include <algorithm>

#include "sendkeys/send.h"
#include "util/strings.h"

namespace glyphgrab::ui {
namespace {

constexpr int kOneLineColumns = 255;

}  // namespace

MemoLogic::~MemoLogic() {
  if (desktop_.sender) desktop_.sender->Release(post_);
}

void MemoLogic::Init() {
  TWindowGeometry g = settings_.memoWindow;
  g.width = std::max(g.width, kMemoMinWidth);
  g.height = std::max(g.height, kMemoMinHeight);
  view_.Place(g);
  PushText();
}

void MemoLogic::PushText() {
  pushing_ = true;
  view_.SetEditText(memo_.Text());
  pushing_ = false;
}

void MemoLogic::EditChanged() {
  if (!pushing_) memo_.SetText(view_.EditText());
}

void MemoLogic::ShowLineCount() { view_.SetStatus(MemoLineCountMessage(memo_.LineCount())); }

void MemoLogic::ShowSelectionLines() {
  lines_ = memo_.SelectionLines();
  view_.ShowSelectionLines(lines_);
}

void MemoLogic::MemoChanged() {
  // Refilling the edit box loses its cursor and undo, so only when the text differs.
  if (ToCrLfText(view_.EditText()) != memo_.Text()) PushText();
}

void MemoLogic::StoreGeometry() { settings_.memoWindow = view_.Geometry(); }

void MemoLogic::Show() {
  MemoChanged();
  view_.Present();
  FormShow();
}

void MemoLogic::Close() {
  StoreGeometry();
  view_.Hide();
}

void MemoLogic::EscPressed() {
  if (desktop_.sender) desktop_.sender->Stop();
}

void MemoLogic::FormShow() {
  view_.SetPage(kMemoEditPage);
  view_.FocusEdit();
  ShowLineCount();
}

// Coming back to the window (also when its own notice box closes) keeps the page the
// user was on: switching to the edit page lost the selection of the list page.
void MemoLogic::FormActivate() {
  if (view_.Page() == kMemoEditPage) view_.FocusEdit();
}

bool MemoLogic::AltKey(char16_t key) {
  const bool listPage = view_.Page() == kMemoSelectionPage;
  if (key == u'S') {
    if (listPage) {
      Button2Click();
    } else {
      view_.SetPage(kMemoSelectionPage);
      PageControl1Change(kMemoSelectionPage);
    }
    return true;
  }
  if (key == u'C') {
    const bool selected = listPage ? !view_.SelectedLines().empty() : !view_.EditSelection().empty();
    if (selected) {
      Button3Click();
    } else {
      Close();
    }
    return true;
  }
  return false;
}

void MemoLogic::Button2Click() {
  memo_.Sort();
  PushText();
  ShowSelectionLines();
  ShowLineCount();
}

void MemoLogic::Button5Click() {
  if (!view_.AskYesNo(kMemoClearQuestion)) return;
  memo_.Clear();
  PushText();
  lines_.clear();
  view_.ShowSelectionLines(lines_);
  view_.SetStatus(kMemoClearedMessage);
}

void MemoLogic::PageControl1Change(int page) {
  if (page != kMemoSelectionPage) return;
  ShowSelectionLines();
}

bool MemoLogic::ComposeSelection(bool forSend, std::u16string& text) {
  const bool oneLine = settings_.activeProfile.Moj1;
  text.clear();
  if (view_.Page() == kMemoEditPage) {
    text = view_.EditSelection();
    if (oneLine) text = StrTakeWidth(RemoveControlChars(text), 0, kOneLineColumns).text;
    if (text.empty()) {
      view_.SetStatus(forSend ? kNothingToSend : kNothingToCopy);
      return false;
    }
    return true;
  }
  const std::vector<int> rows = view_.SelectedLines();
  if (rows.empty()) {
    view_.SetStatus(forSend ? kNoItemToSend : kNoItemToCopy);
    return false;
  }
  for (int r : rows) {
    if (r < 0 || static_cast<std::size_t>(r) >= lines_.size()) continue;
    text += lines_[static_cast<std::size_t>(r)];
    if (!oneLine) text += u"\r\n";
  }
  if (oneLine) text = StrTakeWidth(text, 0, kOneLineColumns).text;
  return true;
}

void MemoLogic::Button3Click() {
  std::u16string text;
  if (!ComposeSelection(false, text)) return;
  if (!CopyText(desktop_, view_, text)) return;
  view_.SetStatus(settings_.activeProfile.Moj1 ? CopiedMessage(text) : std::u16string(kCopiedPlain));
}

void MemoLogic::Send(WindowId window, const std::u16string& text, const std::u16string& copiedMessage) {
  SendToTarget(desktop_, post_, window, settings_.activeProfile, text, copiedMessage);
}

void MemoLogic::Button4Click() {
  std::u16string text;
  if (!ComposeSelection(true, text)) return;
  const WindowId window = FindTargetOrNotify(desktop_, view_, settings_.activeProfile);
  if (window == 0) return;
  Send(window, text, settings_.activeProfile.Moj1 ? CopiedMessage(text) : std::u16string(kCopiedPlain));
}

void MemoLogic::ListBox1Click() {
  const int row = view_.CurrentLine();
  if (row < 0 || static_cast<std::size_t>(row) >= lines_.size()) return;
  const std::u16string& line = lines_[static_cast<std::size_t>(row)];
  if (!CopyText(desktop_, view_, line)) return;
  view_.SetStatus(CopiedMessage(line));
}

void MemoLogic::ListBox1DblClick() {
  const WindowId window = FindTargetOrNotify(desktop_, view_, settings_.activeProfile);
  if (window == 0) return;
  const int row = view_.CurrentLine();
  if (row < 0 || static_cast<std::size_t>(row) >= lines_.size()) return;
  const std::u16string line = lines_[static_cast<std::size_t>(row)];
  Send(window, line, CopiedMessage(line));
}

}  // namespace glyphgrab::ui
