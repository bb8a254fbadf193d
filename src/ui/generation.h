// The number of a window's current selection, for results that come back from workers:
// a result carries the number it was started under and is shown only while that number
// is still the newest. Window thread only.
#pragma once

namespace glyphgrab::ui {

class Generation {
 public:
  // A new selection: what was started for an earlier one is stale from now on.
  unsigned Next() { return ++current_; }
  // The selection is gone without a new one (another folder, root or filter).
  void Drop() { ++current_; }
  bool IsCurrent(unsigned generation) const { return generation == current_; }

 private:
  unsigned current_ = 0;
};

}  // namespace glyphgrab::ui
