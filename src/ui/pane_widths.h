// How the main window's three panes (folder tree, file list, text list) share its
// width, the same on every edition; and when a line of the text list is cut by its width.
#pragma once

#include <algorithm>

namespace glyphgrab::ui {

struct PaneWidths {
  int tree = 0, files = 0, texts = 0;
};

// The narrowest a side pane and the file list get in a narrow window, in 96-DPI pixels.
inline constexpr int kMinSidePane = 40;
inline constexpr int kMinFilePane = 80;

// A change of the window's width: the tree keeps its width, the file list and the text
// list share the change, so a text list made narrow at a first start grows when the
// window does. `total` is the panes' width (handles excluded).
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

// The saved side widths laid into `total` pixels of panes. A window too narrow for them
// keeps the size it was given: the side panes give up width in proportion, down to
// `sideMin`, before the file list goes below `filesMin`.
inline PaneWidths FitPaneWidths(int tree, int texts, int total, int filesMin, int sideMin) {
  tree = std::max(tree, 1);
  texts = std::max(texts, 1);
  if (tree + texts + filesMin > total) {
    const int room = std::max(2 * sideMin, total - filesMin);
    const double share = static_cast<double>(room) / (tree + texts);
    tree = std::max(sideMin, static_cast<int>(tree * share));
    texts = std::max(sideMin, static_cast<int>(texts * share));
  }
  return {tree, std::max(1, total - tree - texts), texts};
}

}  // namespace glyphgrab::ui
