// Extraction of plain text, CSV and HTML files into the extraction list.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "extract/extraction_list.h"
#include "util/stop.h"

namespace glyphgrab {

// Each line of the file, control characters removed. False when the file could not be
// read (nothing added); a stop request ends the reading with what was added so far.
bool ExtractTxt(std::u16string_view path, ExtractionList& list, const StopRequested& stop);
// Each field of each line, by the lenient rule of SplitCsvFields.
bool ExtractCsv(std::u16string_view path, ExtractionList& list, const StopRequested& stop);
// The title, then every run of text between two tags of the body.
bool ExtractHtml(std::u16string_view path, ExtractionList& list, const StopRequested& stop);

// The same on lines already loaded (the file list and the search share the loading).
void ExtractTxtLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                     const StopRequested& stop);
void ExtractCsvLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                     const StopRequested& stop);
void ExtractHtmlLines(const std::vector<std::u16string>& lines, ExtractionList& list,
                      const StopRequested& stop);

// Fields of one CSV line: commas and white space (U+0001..U+0020) separate, a quoted
// field keeps its blanks and commas ("" is one quote), a comma at the very end adds an
// empty field. The full-width blank is an ordinary character.
std::vector<std::u16string> SplitCsvFields(std::u16string_view line);

}  // namespace glyphgrab
