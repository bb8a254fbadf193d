#include "extract/text_extract.h"

#include "util/strings.h"
#include "util/text_file.h"

namespace glyphgrab {
namespace {

// U+0001..U+0020 separate CSV fields. U+0000 separates as well: a field run also ends
// at it, and leaving it unskipped would never move past it.
bool IsCsvSpace(char16_t c) { return c <= 0x20; }

template <typename Each>
bool WithFileLines(std::u16string_view path, Each each) {
  TextLines text;
  if (!LoadTextFileLines(path, text)) return false;
  each(text.lines);
  return true;
}

}  // namespace

std::vector<std::u16string> SplitCsvFields(std::u16string_view s) {
  std::vector<std::u16string> fields;
  const std::size_t n = s.size();
  std::size_t p = 0;
  auto skipSpace = [&] {
    while (p < n && IsCsvSpace(s[p])) ++p;
  };
  skipSpace();
  while (p < n) {
    std::u16string field;
    if (s[p] == u'"') {
      ++p;
      while (p < n) {
        if (s[p] == u'"') {
          if (p + 1 < n && s[p + 1] == u'"') {
            field.push_back(u'"');
            p += 2;
            continue;
          }
          ++p;  // the closing quote
          break;
        }
        field.push_back(s[p++]);
      }
    } else {
      const std::size_t start = p;
      while (p < n && s[p] != u',' && !IsCsvSpace(s[p])) ++p;
      field.assign(s.substr(start, p - start));
    }
    fields.push_back(std::move(field));
    skipSpace();
    if (p < n && s[p] == u',') {
      if (p == n - 1) fields.emplace_back();
      ++p;
      skipSpace();
    }
  }
  return fields;
}

void ExtractTxtLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                     const StopRequested& stop) {
  for (const auto& line : lines) {
    if (Stopped(stop)) return;
    list.ExtractAdd(line);  // the list drops control characters itself
  }
}

void ExtractCsvLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                     const StopRequested& stop) {
  for (const auto& line : lines) {
    if (Stopped(stop)) return;
    for (const auto& field : SplitCsvFields(line)) list.ExtractAdd(field);
  }
}

void ExtractHtmlLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                      const StopRequested& stop) {
  // The title: the text after the first "<TITLE>" (any letter case) up to the next "<",
  // which may lie lines further on; the lines are joined without a separator.
  bool insideTitle = false;
  std::u16string title;
  for (const auto& line : lines) {
    if (Stopped(stop)) break;
    if (insideTitle) {
      const int p = StrIndexOf(u"<", line);
      if (p >= 0) {
        title += StrMid(line, 0, p);
        list.ExtractAdd(title);
        break;
      }
      title += line;
      continue;
    }
    const int q = StrIndexOf(u"<TITLE>", StrUpper(line));
    if (q < 0) continue;
    std::u16string rest = StrFrom(line, q + 7);
    const int p = StrIndexOf(u"<", rest);
    if (p >= 0) {
      list.ExtractAdd(StrMid(rest, 0, p));
      break;
    }
    title = std::move(rest);
    insideTitle = true;
  }

  // The body starts with the line after the first that holds "<BODY"; the rest of that
  // line is not taken.
  std::size_t first = lines.size();
  for (std::size_t i = 0; i < lines.size(); ++i) {
    if (Stopped(stop)) return;
    if (StrIndexOf(u"<BODY", StrUpper(lines[i])) >= 0) {
      first = i + 1;
      break;
    }
  }

  // Every run of text between two tags becomes one line, across line ends. `carry`
  // holds the text not yet consumed from `from` on; consuming moves `from` instead of
  // copying, so a long one-line file stays linear.
  std::u16string carry;
  std::size_t from = 0;
  for (std::size_t i = first; i < lines.size(); ++i) {
    if (Stopped(stop)) return;
    carry.erase(0, from);
    from = 0;
    carry += lines[i];
    for (;;) {
      const std::u16string_view rest = std::u16string_view(carry).substr(from);
      const auto lt = rest.find(u'<');
      const auto gt = rest.find(u'>');
      if (lt == std::u16string_view::npos && gt == std::u16string_view::npos) break;
      if (lt != std::u16string_view::npos) {
        list.ExtractAdd(rest.substr(0, lt));
        from += lt + 1;
      }
      const auto close = std::u16string_view(carry).substr(from).find(u'>');
      if (close != std::u16string_view::npos) from += close + 1;
    }
  }
  // Text after the last tag is not taken.
}

bool ExtractTxt(std::u16string_view path, ExtractionList& list, const StopRequested& stop) {
  return WithFileLines(path, [&](const auto& lines) { ExtractTxtLines(lines, list, stop); });
}

bool ExtractCsv(std::u16string_view path, ExtractionList& list, const StopRequested& stop) {
  return WithFileLines(path, [&](const auto& lines) { ExtractCsvLines(lines, list, stop); });
}

bool ExtractHtml(std::u16string_view path, ExtractionList& list, const StopRequested& stop) {
  return WithFileLines(path, [&](const auto& lines) { ExtractHtmlLines(lines, list, stop); });
}

}  // namespace glyphgrab
