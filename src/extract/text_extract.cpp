#include "extract/text_extract.h"

#include "extract/html_text.h"

namespace glyphgrab {
namespace {

// U+0001..U+0020 separate CSV fields. U+0000 separates as well: a field run also ends
// at it, and leaving it unskipped would never move past it.
bool IsCsvSpace(char16_t c) { return c <= 0x20; }

// Streams the file's lines to `each`, which answers false once it needs no more; a stop
// request is asked before every line or piece and sets `info->ended`.
template <typename Each>
bool StreamLines(std::u16string_view path, const StopRequested& stop, TextStreamInfo* info,
                 Each each) {
  TextStreamInfo local;
  TextStreamInfo& result = info ? *info : local;
  bool stopped = false;
  const bool read = StreamTextFile(
      path,
      [&](const TextPiece& piece) {
        if (Stopped(stop)) {
          stopped = true;
          return false;
        }
        return each(piece);
      },
      &result);
  result.ended = stopped;
  return read;
}

}  // namespace

void CsvFieldSplitter::Feed(std::u16string_view text, bool lineEnds, const FieldSink& field) {
  auto emit = [&] {
    field(field_);
    field_.clear();
  };
  for (const char16_t c : text) {
    for (bool again = true; again;) {
      again = false;
      switch (state_) {
        case State::kBetween:
          if (IsCsvSpace(c)) break;
          if (c == u'"') {
            state_ = State::kQuoted;
            break;
          }
          state_ = State::kPlain;
          again = true;
          break;
        case State::kPlain:
          if (c == u',' || IsCsvSpace(c)) {
            emit();
            state_ = State::kAfterField;
            again = true;
          } else {
            field_.push_back(c);
          }
          break;
        case State::kQuoted:
          if (c == u'"') state_ = State::kQuoteSeen;
          else field_.push_back(c);
          break;
        case State::kQuoteSeen:
          if (c == u'"') {  // "" inside quotes is one quote
            field_.push_back(c);
            state_ = State::kQuoted;
          } else {
            emit();
            state_ = State::kAfterField;
            again = true;
          }
          break;
        case State::kAfterField:
          if (IsCsvSpace(c)) break;
          state_ = c == u',' ? State::kAfterComma : State::kBetween;
          again = c != u',';
          break;
        case State::kAfterComma:  // the comma was not the line's last character
          state_ = State::kBetween;
          again = true;
          break;
      }
    }
    if (field_.size() >= kTextPieceUnits) emit();  // a field longer than a piece
  }
  if (!lineEnds) return;
  switch (state_) {
    case State::kPlain:
    case State::kQuoted:
    case State::kQuoteSeen:
      emit();
      break;
    case State::kAfterComma:  // a comma at the very end adds an empty field
      emit();
      break;
    default:
      break;
  }
  state_ = State::kBetween;
}

std::vector<std::u16string> SplitCsvFields(std::u16string_view line) {
  std::vector<std::u16string> fields;
  CsvFieldSplitter splitter;
  splitter.Feed(line, true, [&](std::u16string_view f) { fields.emplace_back(f); });
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
  CsvFieldSplitter splitter;
  const auto add = [&](std::u16string_view f) { list.ExtractAdd(f); };
  for (const auto& line : lines) {
    if (Stopped(stop)) return;
    splitter.Feed(line, true, add);
  }
}

void ExtractHtmlLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                      const StopRequested& stop) {
  HtmlTitleStep title;
  for (const auto& line : lines) {
    if (Stopped(stop)) return;
    if (!title.Feed(line, true, list)) break;
  }
  HtmlBodyStep body;
  for (const auto& line : lines) {
    if (Stopped(stop) || !body.Feed(line, true, list, stop)) return;
  }
}

bool ExtractTxt(std::u16string_view path, ExtractionList& list, const StopRequested& stop,
                TextStreamInfo* info) {
  return StreamLines(path, stop, info, [&](const TextPiece& piece) {
    list.ExtractAdd(piece.text);
    return true;
  });
}

bool ExtractCsv(std::u16string_view path, ExtractionList& list, const StopRequested& stop,
                TextStreamInfo* info) {
  CsvFieldSplitter splitter;
  const auto add = [&](std::u16string_view f) { list.ExtractAdd(f); };
  return StreamLines(path, stop, info, [&](const TextPiece& piece) {
    splitter.Feed(piece.text, piece.lineEnds, add);
    return true;
  });
}

bool ExtractHtml(std::u16string_view path, ExtractionList& list, const StopRequested& stop,
                 TextStreamInfo* info) {
  // Two passes, so the title comes first wherever the body starts; the first usually
  // ends within the first lines.
  TextStreamInfo local;
  TextStreamInfo& result = info ? *info : local;
  HtmlTitleStep title;
  if (!StreamLines(path, stop, &result,
                   [&](const TextPiece& piece) { return title.Feed(piece.text, piece.lineEnds, list); })) {
    return false;
  }
  if (result.ended) return true;
  HtmlBodyStep body;
  bool stoppedInLine = false;
  const bool read = StreamLines(path, stop, &result, [&](const TextPiece& piece) {
    stoppedInLine = !body.Feed(piece.text, piece.lineEnds, list, stop);
    return !stoppedInLine;
  });
  result.ended = result.ended || stoppedInLine;
  return read;
}

}  // namespace glyphgrab
