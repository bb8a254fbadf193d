// The memo: a free text of collected lines kept between runs. The text is held with
// CR LF between lines, as the memo file stores it. Its lines are what the edit box shows:
// this build does not wrap, so each stored line is one line, and an empty line after a
// final line break does not count. Not thread-safe; the window thread owns it.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace glyphgrab {

// Turns every line break (LF, lone CR, CR LF) into CR LF; an editor hands its text back
// through this.
std::u16string ToCrLfText(std::u16string_view text);

struct TMemoAddResult {
  int selected = 0;       // n: lines offered
  int added = 0;          // m: lines appended
  std::u16string status;  // the main window's status text; empty when nothing was offered
};

class TMemoText {
 public:
  TMemoText() = default;
  explicit TMemoText(std::u16string text) : text_(ToCrLfText(text)) {}

  const std::u16string& Text() const { return text_; }
  void SetText(std::u16string_view text) { text_ = ToCrLfText(text); }

  std::vector<std::u16string> Lines() const;
  int LineCount() const;

  // The selection page's list: the non-empty lines in memo order.
  std::vector<std::u16string> SelectionLines() const;

  // Appends, in order, each selected extraction line that is not blank and that no memo
  // line (including one just appended) equals ignoring letter case. Lines are appended
  // unchanged.
  TMemoAddResult AddSelected(const std::vector<std::u16string>& selectedLines);

  // Replaces the text by its non-empty lines in collation order (Japanese, ignoring
  // letter case; equal lines keep their order and all stay), each ending in CR LF.
  void Sort();

  void Clear() { text_.clear(); }

  // Appends the lines as the edit box adds lines, each unchanged.
  void AppendLines(const std::vector<std::u16string>& lines) {
    for (const std::u16string& l : lines) AppendLine(l);
  }

 private:
  // Appends one line as the edit box adds a line: after the final line break, or after a
  // new one when the text does not end in one.
  void AppendLine(std::u16string_view line);

  std::u16string text_;
};

// "<count>行のメモ内容があります。"
std::u16string MemoLineCountMessage(int count);
// "メモに 選択した<n>行のうち、<m>行の文字内容を追加登録しました。"
std::u16string MemoAddedMessage(int selected, int added);

inline constexpr char16_t kMemoClearQuestion[] = u"メモ内容を全消去します。本当によろしいですか？";
inline constexpr char16_t kMemoClearedMessage[] = u"メモ内容を全消去しました。";

}  // namespace glyphgrab
