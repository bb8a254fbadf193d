#include "memo/memo_text.h"

#include <unordered_set>

#include "util/collation.h"
#include "util/strings.h"
#include "util/text_file.h"
#include "util/values.h"

namespace glyphgrab {

std::u16string ToCrLfText(std::u16string_view text) {
  std::u16string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char16_t c = text[i];
    if (c == u'\r' || c == u'\n') {
      out += u"\r\n";
      if (c == u'\r' && i + 1 < text.size() && text[i + 1] == u'\n') ++i;
    } else {
      out.push_back(c);
    }
  }
  return out;
}

std::vector<std::u16string> TMemoText::Lines() const { return SplitLines(text_); }

int TMemoText::LineCount() const { return static_cast<int>(Lines().size()); }

std::vector<std::u16string> TMemoText::SelectionLines() const {
  std::vector<std::u16string> lines = Lines();
  std::erase_if(lines, [](const std::u16string& s) { return s.empty(); });
  return lines;
}

void TMemoText::AppendLine(std::u16string_view line) {
  if (text_.empty() || text_.back() == u'\n') {
    text_.append(line).append(u"\r\n");
  } else {
    text_.append(u"\r\n").append(line);
  }
}

TMemoAddResult TMemoText::AddSelected(const std::vector<std::u16string>& selectedLines) {
  TMemoAddResult result;
  result.selected = static_cast<int>(selectedLines.size());
  if (selectedLines.empty()) return result;
  std::unordered_set<std::u16string> present;
  for (const auto& line : Lines()) present.insert(CaseFoldKey(line));
  for (const auto& line : selectedLines) {
    if (RemoveBlanks(line).empty()) continue;
    if (!present.insert(CaseFoldKey(line)).second) continue;
    AppendLine(line);
    ++result.added;
  }
  result.status = MemoAddedMessage(result.selected, result.added);
  return result;
}

void TMemoText::Sort() {
  std::vector<std::u16string> lines = SelectionLines();
  SortCollated(lines, CollationStrength::Secondary);
  text_.clear();
  for (const auto& line : lines) AppendLine(line);
}

std::u16string MemoLineCountMessage(int count) {
  return IntToText(count) + u"行のメモ内容があります。";
}

std::u16string MemoAddedMessage(int selected, int added) {
  return u"メモに 選択した" + IntToText(selected) + u"行のうち、" + IntToText(added) +
         u"行の文字内容を追加登録しました。";
}

}  // namespace glyphgrab
