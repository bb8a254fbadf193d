// Loading a text file into lines: the extraction, the file list, the search and the memo
// all read text files this way.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "util/codepage.h"
#include "util/text_decoder.h"

namespace glyphgrab {

struct TextLines {
  std::vector<std::u16string> lines;
  TextEncoding encoding = TextEncoding::Cp932;
  std::size_t undecodable = 0;  // bytes (or units) replaced by U+FFFD
};

// A byte-order mark of UTF-8, UTF-16LE or UTF-16BE selects that encoding and is dropped;
// without one, DetectTextEncoding chooses between UTF-8 and code page 932. Lines end at CR LF, a lone CR or a lone LF; a final line
// break leaves no empty last line. Undecodable bytes become U+FFFD; decoding never fails.
TextLines DecodeTextLines(ByteSpan bytes);

// The whole text of the bytes, decoded as above, line breaks kept.
std::u16string DecodeText(ByteSpan bytes, TextEncoding* encoding = nullptr,
                          std::size_t* undecodable = nullptr);

// Splits at CR LF, lone CR and lone LF; no empty last line after a final break.
std::vector<std::u16string> SplitLines(std::u16string_view text);

// Reads and decodes the file; false when it cannot be opened or read.
bool LoadTextFileLines(std::u16string_view path, TextLines& out);

}  // namespace glyphgrab
