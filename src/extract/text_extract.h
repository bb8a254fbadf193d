// Extraction of plain text, CSV and HTML files into the extraction list. Files are read
// through a bounded buffer (util/text_stream.h): a line longer than a piece is taken in
// pieces, so no file size makes memory grow.
#pragma once

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "extract/extraction_list.h"
#include "util/stop.h"
#include "util/text_stream.h"

namespace glyphgrab {

// Each line of the file, control characters removed. False when the file could not be
// read (nothing added, or what was added before a read failed); a stop request ends the
// reading with what was added so far (`info->ended` then says so).
bool ExtractTxt(std::u16string_view path, ExtractionList& list, const StopRequested& stop,
                TextStreamInfo* info = nullptr);
// Each field of each line, by the lenient rule of SplitCsvFields.
bool ExtractCsv(std::u16string_view path, ExtractionList& list, const StopRequested& stop,
                TextStreamInfo* info = nullptr);
// The title, then every run of text between two tags of the body (extract/html_text.h).
bool ExtractHtml(std::u16string_view path, ExtractionList& list, const StopRequested& stop,
                 TextStreamInfo* info = nullptr);

// The same on lines already in memory.
void ExtractTxtLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                     const StopRequested& stop);
void ExtractCsvLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                     const StopRequested& stop);
void ExtractHtmlLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                      const StopRequested& stop);

// The fields of CSV lines fed in order, whole or in pieces: commas and white space
// (U+0001..U+0020) separate, a quoted field keeps its blanks and commas ("" is one
// quote, a quote never closed takes the rest of the line), a comma at the very end of a
// line adds an empty field. The full-width blank is an ordinary character. A field longer
// than a piece is handed over in pieces.
class CsvFieldSplitter {
 public:
  using FieldSink = std::function<void(std::u16string_view)>;
  void Feed(std::u16string_view text, bool lineEnds, const FieldSink& field);

 private:
  enum class State { kBetween, kPlain, kQuoted, kQuoteSeen, kAfterField, kAfterComma };
  State state_ = State::kBetween;
  std::u16string field_;
};

// The fields of one whole line, by CsvFieldSplitter's rule.
std::vector<std::u16string> SplitCsvFields(std::u16string_view line);

}  // namespace glyphgrab
