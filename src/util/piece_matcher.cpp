#include "util/piece_matcher.h"

#include "util/utf.h"

#include "util/full_width.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

// Units after the last one that surely ends a unit of normalisation are held for the
// next piece. Pathological runs (thousands of half-width kana) are not held beyond this.
constexpr std::size_t kMaxHeld = 4096;

// Whether normalisation can never join this unit with one that follows: not a blank
// (blanks vanish, so the units around them meet), not half-width katakana (a voiced mark
// may follow), not the lead of a surrogate pair.
bool EndsForSure(char16_t c) {
  return !IsBlankChar(c) && !(c >= 0xFF61 && c <= 0xFF9F) && !IsLeadSurrogate(c);
}

}  // namespace

bool PieceMatcher::Feed(std::u16string_view piece, bool lineEnds) {
  if (keyword_.empty()) return false;
  if (lineEnds && held_.empty() && window_.empty()) {
    // A whole line, the usual case: no copies.
    NormalizeForMatchInto(piece, normal_);
    return normal_.find(keyword_) != std::u16string::npos;
  }
  buffer_.assign(held_).append(piece);
  held_.clear();
  std::size_t cut = buffer_.size();
  if (!lineEnds) {
    std::size_t k = buffer_.size();
    while (k > 0 && buffer_.size() - k < kMaxHeld && !EndsForSure(buffer_[k - 1])) --k;
    if (buffer_.size() - k < kMaxHeld) cut = k;
    held_.assign(buffer_, cut, std::u16string::npos);
  }
  NormalizeForMatchInto(std::u16string_view(buffer_).substr(0, cut), normal_);
  window_ += normal_;
  const bool found = window_.find(keyword_) != std::u16string::npos;
  if (lineEnds || found) {
    window_.clear();
    held_.clear();
  } else if (window_.size() >= keyword_.size()) {
    // An occurrence that starts in this window and ends in the next keeps all but its
    // last unit here.
    window_.erase(0, window_.size() - (keyword_.size() - 1));
  }
  return found;
}

}  // namespace glyphgrab
