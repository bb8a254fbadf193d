// The search's keyword test on a line given in pieces: the answer is the one that
// NormalizeForMatch of the whole line would give, while only one piece is held.
#pragma once

#include <string>
#include <string_view>

namespace glyphgrab {

class PieceMatcher {
 public:
  // `keyword` is normalised already (NormalizeForMatch); an empty one never matches.
  explicit PieceMatcher(std::u16string_view keyword) : keyword_(keyword) {}

  // Feeds the next piece of the current line; true when the keyword occurs in the
  // normalised line so far. After the last piece (`lineEnds`) the next line starts.
  bool Feed(std::u16string_view piece, bool lineEnds);

 private:
  std::u16string keyword_;
  std::u16string held_;    // raw units at the end of the last piece that may still join
                           // the next one (a voiced mark, a surrogate pair)
  std::u16string window_;  // the normalised end of the line so far, then the new piece
  std::u16string buffer_, normal_;
};

}  // namespace glyphgrab
