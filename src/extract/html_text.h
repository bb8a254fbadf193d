// The two steps that take the texts of an HTML file: its title, then every run of text
// between two tags of its body. Each is fed the file's lines in order, or the pieces of
// a line too long to hold at once (`lineEnds` false until its last piece), so a file is
// read through a bounded buffer; both steps are linear in the length of the text.
#pragma once

#include <string>
#include <string_view>

#include "extract/extraction_list.h"
#include "util/stop.h"

namespace glyphgrab {

// Where the title of an HTML file is looked for and how far it reaches. Both take the
// text after the first "<TITLE>" up to the next "<".
enum class HtmlTitleRule {
  // Extraction: the tag in any letter case; a title goes on over the following lines,
  // joined without a separator, and one never closed by a "<" is not taken.
  kExtraction,
  // The file list's memo column: the tag in upper case exactly, looked for once control
  // characters are removed; the title ends with its line, closed or not.
  kListMemo,
};

class HtmlTitleStep {
 public:
  explicit HtmlTitleStep(HtmlTitleRule rule = HtmlTitleRule::kExtraction) : rule_(rule) {}

  // Answers false once the step has ended: nothing further is needed.
  bool Feed(std::u16string_view text, bool lineEnds);
  // The same, passing the title to `list` when it is found.
  bool Feed(std::u16string_view text, bool lineEnds, ExtractionList& list);

  // Whether the rule took a title from what was fed, and the title.
  bool found() const { return found_ || (rule_ == HtmlTitleRule::kListMemo && inside_); }
  const std::u16string& title() const { return title_; }

 private:
  bool Found();
  HtmlTitleRule rule_;
  bool inside_ = false;
  bool found_ = false;
  std::u16string title_;
  std::u16string tail_;  // the end of the previous piece of this line, for a split tag
};

// The body starts with the line after the first that holds "<BODY" (any letter case);
// the rest of that line is not taken. From there every run of text between two tags
// becomes one line, also across line ends; text after the last tag is not taken.
class HtmlBodyStep {
 public:
  // False when the stop request ended the step inside the text.
  bool Feed(std::u16string_view text, bool lineEnds, ExtractionList& list,
            const StopRequested& stop);

 private:
  enum class State { kSeekBody, kSkipBodyLine, kBody } state_ = State::kSeekBody;
  std::u16string tail_;   // the end of the previous piece, for a split "<BODY"
  // Text since the last tag. Between two whole lines it holds no "<" and no ">". Within
  // a line given in pieces it may hold ">" that a later "<" of the line keeps as text
  // (`carryGt_` is then the last one), or, with `inTag_`, a tag whose ">" is still to
  // come.
  std::u16string carry_;
  std::size_t carryGt_ = std::u16string::npos;
  bool inTag_ = false;
  void Text(std::u16string_view text, bool lineEnds, ExtractionList& list,
            const StopRequested& stop, bool& stopped);
};

}  // namespace glyphgrab
