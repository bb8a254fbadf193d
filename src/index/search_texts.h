// The texts a contents search looks at in one file, kept in the form the matcher
// compares: each field (or line, for text files) normalised for matching, non-empty
// ones only, one after another with a line feed between them. A normalised keyword never
// holds a line feed, so it occurs in these texts exactly when it occurs in one field.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "documents/document_texts.h"
#include "documents/file_kind.h"
#include "util/file_bytes.h"

namespace glyphgrab {

inline constexpr char16_t kSearchTextsSeparator = u'\n';

// Whether `keyword` (normalised, not empty) occurs in one field of `texts`.
bool SearchTextsHold(std::u16string_view texts, std::u16string_view keyword);
// The same for texts held as the bytes of their UTF-16 units (as the index stores
// them), which need not be aligned for the units.
bool SearchTextsHold(std::string_view textBytes, std::u16string_view keyword);

// Reads files for their search texts; one reader per thread, kept from file to file.
class SearchTextReader {
 public:
  // Texts past this many UTF-16 units are not kept: such a file is searched by reading.
  static constexpr std::size_t kMaxUnits = std::size_t{16} << 20;

  // The texts of the file at `path` of `kind` into `texts`. False when the file could
  // not be read (`error`, an errno value, says why) or holds more than kMaxUnits of
  // texts (`error` 0).
  bool Read(const std::u16string& path, FileKind kind, std::u16string& texts, int& error);

 private:
  DocumentTextReader reader_;
  FileBuffer buffer_;
  std::u16string field_;
  std::u16string line_;
};

}  // namespace glyphgrab
