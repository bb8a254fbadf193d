#include "memo/memo_text.h"

#include <algorithm>
#include <cstdint>
#include <memory>
#include <numeric>
#include <unordered_set>

#include <unicode/coll.h>
#include <unicode/locid.h>
#include <unicode/unistr.h>

#include "util/strings.h"
#include "util/text_file.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

// Collators are not safe to share between threads; each thread keeps its own.
const icu::Collator* MemoCollator() {
  thread_local std::unique_ptr<icu::Collator> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> c(icu::Collator::createInstance(icu::Locale("ja"), status));
    if (U_FAILURE(status)) return std::unique_ptr<icu::Collator>();
    c->setStrength(icu::Collator::SECONDARY);
    return c;
  }();
  return collator.get();
}

std::vector<std::uint8_t> SortKey(const icu::Collator& collator, const std::u16string& s) {
  const icu::UnicodeString text(false, s.data(), static_cast<int32_t>(s.size()));
  std::vector<std::uint8_t> key(64);
  int32_t length = collator.getSortKey(text, key.data(), static_cast<int32_t>(key.size()));
  if (length > static_cast<int32_t>(key.size())) {
    key.resize(static_cast<std::size_t>(length));
    length = collator.getSortKey(text, key.data(), length);
  }
  key.resize(static_cast<std::size_t>(std::max(length, 0)));
  return key;
}

}  // namespace

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

void MemoCollationSort(std::vector<std::u16string>& lines) {
  const icu::Collator* collator = MemoCollator();
  std::vector<std::vector<std::uint8_t>> keys;
  keys.reserve(lines.size());
  for (const auto& line : lines) {
    if (collator) {
      keys.push_back(SortKey(*collator, line));
    } else {
      // Without collation data, upper-cased code units still ignore letter case.
      const std::u16string upper = StrUpper(line);
      std::vector<std::uint8_t> key;
      for (char16_t c : upper) {
        key.push_back(static_cast<std::uint8_t>(c >> 8));
        key.push_back(static_cast<std::uint8_t>(c & 0xFF));
      }
      keys.push_back(std::move(key));
    }
  }
  std::vector<std::size_t> order(lines.size());
  std::iota(order.begin(), order.end(), std::size_t{0});
  std::stable_sort(order.begin(), order.end(),
                   [&](std::size_t a, std::size_t b) { return keys[a] < keys[b]; });
  std::vector<std::u16string> sorted;
  sorted.reserve(lines.size());
  for (std::size_t i : order) sorted.push_back(std::move(lines[i]));
  lines = std::move(sorted);
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
  for (const auto& line : Lines()) present.insert(StrUpper(line));
  for (const auto& line : selectedLines) {
    if (RemoveBlanks(line).empty()) continue;
    if (!present.insert(StrUpper(line)).second) continue;
    AppendLine(line);
    ++result.added;
  }
  result.status = MemoAddedMessage(result.selected, result.added);
  return result;
}

void TMemoText::Sort() {
  std::vector<std::u16string> lines = SelectionLines();
  MemoCollationSort(lines);
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
