// The memo window TForm3 without its toolkit: an edit page with the memo text and a
// selection page of its non-empty lines, from which lines are copied or sent like
// extraction lines.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "browse/settings.h"
#include "memo/memo_text.h"
#include "ui/desktop.h"
#include "ui/memo_view.h"

namespace glyphgrab::ui {

inline constexpr std::u16string_view kMemoCaption = u"メモ";
inline constexpr std::u16string_view kMemoEditTab = u"編集(&E)";
inline constexpr std::u16string_view kMemoSelectionTab = u"選択・コピー・送信(&S)";
inline constexpr std::u16string_view kMemoCloseButton = u"閉じる(&C)";
inline constexpr std::u16string_view kMemoSortButton = u"並び替え(&S)";
inline constexpr std::u16string_view kMemoCopyButton = u"選択内容をコピー(&C)";
inline constexpr std::u16string_view kMemoSendButton = u"選択内容を送信(&M)";
inline constexpr std::u16string_view kMemoClearButton = u"メモ内容を全消去(&D)";
inline constexpr std::u16string_view kNothingToCopy = u"文字内容が選択されていませんのでコピーは行えません。";
inline constexpr std::u16string_view kNothingToSend = u"文字内容が選択されていませんので送信は行えません。";
inline constexpr std::u16string_view kNoItemToCopy = u"選択項目が指定されていませんのでコピーは行えません。";
inline constexpr std::u16string_view kNoItemToSend = u"選択項目が指定されていませんので送信は行えません。";
inline constexpr std::u16string_view kCopiedPlain = u"文字をコピーしました。";
inline constexpr int kMemoMinWidth = 200, kMemoMinHeight = 150;

class MemoLogic {
 public:
  // The memo, the settings (active send profile, window geometry) and the desktop belong
  // to the main window's logic and outlive this one.
  MemoLogic(MemoView& view, TMemoText& memo, TSettings& settings, Desktop& desktop)
      : view_(view), memo_(memo), settings_(settings), desktop_(desktop), post_(view) {}
  // Ends a send this window started.
  ~MemoLogic();
  MemoLogic(const MemoLogic&) = delete;
  MemoLogic& operator=(const MemoLogic&) = delete;

  // Places the window and fills the edit box once the controls exist.
  void Init();
  // Opens the window: the memo as it is now, the window in front, then FormShow.
  void Show();
  // Closes the window (its close button, the window's own close, Alt+C without a
  // selection): the geometry is kept, then the window hides.
  void Close();
  // Esc stops a running send; the window stays.
  void EscPressed();
  // The window is shown: the edit page, with the focus and the line count.
  void FormShow();
  // The window became active again: it keeps the page the user was on.
  void FormActivate();
  // The memo changed outside the window (lines added from the extraction list).
  void MemoChanged();
  // The edit box's text changed.
  void EditChanged();
  // The position and size into the settings.
  void StoreGeometry();

  void Button2Click();  // sort
  void Button3Click();  // copy the selection
  void Button4Click();  // send the selection
  void Button5Click();  // clear all
  void ListBox1Click();
  void ListBox1DblClick();
  // Another page was chosen by the user.
  void PageControl1Change(int page);
  // Alt+C and Alt+S each name two controls; they act on the one of the page shown:
  // Alt+S goes from the edit page to the selection page and sorts there; Alt+C copies
  // when the page shown has a selection and closes the window otherwise. True when
  // `key` ('C' or 'S') was one of them.
  bool AltKey(char16_t key);

  const std::vector<std::u16string>& selectionLines() const { return lines_; }

 private:
  void PushText();  // the memo into the edit box
  void ShowLineCount();
  void ShowSelectionLines();
  // The text the copy and send buttons act on; false with the status message shown.
  bool ComposeSelection(bool forSend, std::u16string& text);
  void Send(WindowId window, const std::u16string& text, const std::u16string& copiedMessage);

  MemoView& view_;
  TMemoText& memo_;
  TSettings& settings_;
  Desktop& desktop_;
  std::vector<std::u16string> lines_;  // the selection page's
  bool pushing_ = false;
  Poster post_;
};

}  // namespace glyphgrab::ui
