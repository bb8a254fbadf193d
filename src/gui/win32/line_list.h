// A list of text lines as the windows show them (the extraction list, the search
// results, the memo's selection page): a report-view list control without a header that
// asks for each line's text only when it draws it, so a list of many thousand lines is
// filled at once. Its keys and right button are the window's, through the callbacks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <vector>

namespace glyphgrab::wingui {

class LineList {
 public:
  // A child of `parent` with control ID `id`; several lines may be selected when
  // `multiSelect`.
  bool Create(HWND parent, int id, HFONT font, bool multiSelect);
  HWND hwnd() const { return hwnd_; }

  // Replaces the lines; nothing is selected.
  void SetLines(std::vector<std::u16string> lines);
  void Append(std::u16string line);
  const std::vector<std::u16string>& lines() const { return lines_; }
  // The line with the focus (the one clicked), or -1; the selected lines, ascending.
  int Current() const;
  std::vector<int> Selected() const;
  // The column as wide as the list or its longest line (of the first thousands).
  void FitColumn();

  // The window's WM_NOTIFY for this list: the text of a line being drawn. True when it
  // was answered.
  bool Answer(const NMHDR& header, LPARAM lp);

  // Enter (which the dialog keys then leave to the list), Ctrl+C, and a right click that
  // keeps the selection (or the context-menu key).
  std::function<void()> onEnter, onCopyKey, onRightClick;

 private:
  static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR self);

  HWND hwnd_ = nullptr;
  std::vector<std::u16string> lines_;
  std::wstring drawn_;  // the text of the line being drawn
  int widest_ = 0;      // pixels, of the lines measured so far
};

// The item a list control's click or double click notification names, or -1.
int ClickedItem(LPARAM notification);

}  // namespace glyphgrab::wingui
