#include "extract/html_text.h"

#include "util/strings.h"
#include "util/text_stream.h"

namespace glyphgrab {
namespace {

constexpr auto npos = std::u16string_view::npos;

// Appends without letting `s` grow past one piece: a title never closed would otherwise
// collect the whole file.
void AppendBounded(std::u16string& s, std::u16string_view text) {
  if (s.size() < kTextPieceUnits) s.append(text.substr(0, kTextPieceUnits - s.size()));
}

// Finds `tag` (upper case) in tail + text, in any letter case when `anyCase`. Returns the
// index in the joined text, or npos; `joined` receives tail + text. The case mapping
// keeps lengths, so indexes of the upper-cased text are indexes of the text.
std::size_t FindTag(std::u16string_view tag, const std::u16string& tail, std::u16string_view text,
                    std::u16string& joined, bool anyCase = true) {
  joined.assign(tail).append(text);
  return anyCase ? std::u16string_view(StrUpper(joined)).find(tag) : joined.find(tag);
}

// What a piece keeps of its end for the next piece of the same line: enough for a tag
// split between the two to be found whole.
std::u16string TailFor(std::u16string_view tag, std::u16string_view joined, bool lineEnds) {
  if (lineEnds || joined.size() < tag.size()) return lineEnds ? std::u16string() : std::u16string(joined);
  return std::u16string(joined.substr(joined.size() - (tag.size() - 1)));
}

}  // namespace

bool HtmlTitleStep::Found() {
  found_ = true;
  inside_ = false;
  return false;
}

bool HtmlTitleStep::Feed(std::u16string_view text, bool lineEnds) {
  if (found_) return false;
  const bool memo = rule_ == HtmlTitleRule::kListMemo;
  std::u16string cleaned;
  if (memo) {
    cleaned = RemoveControlChars(text);
    text = cleaned;
  }
  if (inside_) {
    const std::size_t p = text.find(u'<');
    AppendBounded(title_, text.substr(0, p));
    return p != npos || (memo && lineEnds) ? Found() : true;
  }
  constexpr std::u16string_view kTag = u"<TITLE>";
  std::u16string joined;
  const std::size_t q = FindTag(kTag, tail_, text, joined, !memo);
  if (q == npos) {
    tail_ = TailFor(kTag, joined, lineEnds);
    return true;
  }
  tail_.clear();
  const std::u16string_view rest = std::u16string_view(joined).substr(q + kTag.size());
  const std::size_t p = rest.find(u'<');
  if (p != npos) {
    title_.assign(rest.substr(0, p));
    return Found();
  }
  title_.clear();
  AppendBounded(title_, rest);
  inside_ = true;
  return memo && lineEnds ? Found() : true;
}

bool HtmlTitleStep::Feed(std::u16string_view text, bool lineEnds, ExtractionList& list) {
  const bool wasFound = found_;
  const bool more = Feed(text, lineEnds);
  if (found_ && !wasFound) list.ExtractAdd(title_);
  return more;
}

bool HtmlBodyStep::Feed(std::u16string_view text, bool lineEnds, ExtractionList& list,
                        const StopRequested& stop) {
  switch (state_) {
    case State::kSeekBody: {
      constexpr std::u16string_view kTag = u"<BODY";
      std::u16string joined;
      if (FindTag(kTag, tail_, text, joined) == npos) {
        tail_ = TailFor(kTag, joined, lineEnds);
        return true;
      }
      tail_.clear();
      state_ = lineEnds ? State::kBody : State::kSkipBodyLine;
      return true;
    }
    case State::kSkipBodyLine:
      if (lineEnds) state_ = State::kBody;
      return true;
    case State::kBody: {
      bool stopped = false;
      Text(text, lineEnds, list, stop, stopped);
      return !stopped;
    }
  }
  return true;
}

// Within one line the rule is: while the text holds "<" or ">", the text before the
// first "<" is a run (">" included), and after it everything up to the next ">" is the
// tag; with no "<" left, everything up to the last ">" is dropped. Only the new text is
// scanned, and each scan for "<" or ">" starts past the previous find: linear.
void HtmlBodyStep::Text(std::u16string_view text, bool lineEnds, ExtractionList& list,
                        const StopRequested& stop, bool& stopped) {
  std::u16string joined;
  if (inTag_) {
    const std::size_t b = text.find(u'>');
    if (b != npos) {
      text.remove_prefix(b + 1);
      carry_.clear();
    } else if (!lineEnds) {
      AppendBounded(carry_, text);
      return;
    } else {
      // The line ended without closing the tag: what followed its "<" is text after all.
      joined = std::move(carry_) + std::u16string(text);
      carry_.clear();
      text = joined;
    }
    inTag_ = false;
  }
  constexpr std::size_t kUnknown = npos - 1;
  std::size_t i = 0;
  std::size_t lt = kUnknown, gt = kUnknown;  // the next "<" and ">" at or after i
  auto next = [&](std::size_t& pos, char16_t c) {
    if (pos == kUnknown || (pos != npos && pos < i)) pos = text.find(c, i);
    return pos;
  };
  for (std::size_t tags = 1;; ++tags) {
    // A line of many thousands of tags must not keep Esc waiting until its end.
    if (tags % 4096 == 0 && Stopped(stop)) {
      stopped = true;
      return;
    }
    const std::size_t a = next(lt, u'<');
    if (a == npos) break;
    carry_.append(text.substr(i, a - i));
    list.ExtractAdd(carry_);  // a blank run adds nothing
    carry_.clear();
    carryGt_ = npos;
    i = a + 1;
    const std::size_t b = next(gt, u'>');
    if (b != npos) {
      i = b + 1;
    } else if (!lineEnds) {
      AppendBounded(carry_, text.substr(i));  // the tag goes on in the next piece
      inTag_ = true;
      return;
    }
  }
  const std::u16string_view rest = text.substr(i);
  const std::size_t lastGt = rest.rfind(u'>');
  if (lastGt != npos) {
    carryGt_ = carry_.size() + lastGt;
  }
  carry_.append(rest);
  if (lineEnds && carryGt_ != npos) {
    carry_.erase(0, carryGt_ + 1);
    carryGt_ = npos;
  }
  if (carry_.size() >= kTextPieceUnits) {
    // A run of text longer than a piece is listed in pieces, as a long line of a text
    // file is.
    list.ExtractAdd(carry_);
    carry_.clear();
    carryGt_ = npos;
  }
}

}  // namespace glyphgrab
