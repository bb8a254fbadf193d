// How the main window's three panes (folder tree, file list, text list) follow a change
// of the window's width: the tree keeps its width, the file list and the text list share
// the change, so a text list made narrow at a first start grows when the window does;
// and when a line of the text list is cut by its width.
#pragma once

#include <algorithm>

namespace glyphgrab::ui {

struct PaneWidths {
  int tree = 0, files = 0, texts = 0;
};

// The widths for `total` pixels of panes (handles excluded), from the widths before.
inline PaneWidths SharePaneWidths(PaneWidths before, int total, int minimum) {
  const int change = total - (before.tree + before.files + before.texts);
  PaneWidths after = before;
  after.texts = std::max(minimum, before.texts + change / 2);
  after.files = std::max(minimum, total - after.tree - after.texts);
  return after;
}

// True when a line `textWidth` pixels wide, drawn from `left` (its list's scrolling
// included), does not show whole in a list `listWidth` pixels wide: it then shows whole
// in a tooltip. The slack covers the item's own padding.
inline bool LineIsCut(int textWidth, int left, int listWidth) { return textWidth + 8 > listWidth - left; }

}  // namespace glyphgrab::ui
