// Reading a text file line by line through a bounded buffer: the extraction, the search
// and the file list's memo column take text, CSV and HTML files this way, so no file
// size makes memory grow.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string_view>

#include "util/text_decoder.h"

namespace glyphgrab {

// The longest piece of a line handed over at once, in UTF-16 units. A longer line comes
// in consecutive pieces; a surrogate pair is never split between two.
inline constexpr std::size_t kTextPieceUnits = std::size_t{1} << 16;

struct TextPiece {
  std::u16string_view text;
  bool lineEnds = true;  // false when the line goes on in the next piece
};

// Answers false to end the reading early.
using TextPieceVisitor = std::function<bool(const TextPiece&)>;

struct TextStreamInfo {
  TextEncoding encoding = TextEncoding::Cp932;
  std::size_t undecodable = 0;  // bytes (or units) that became U+FFFD
  bool ended = false;           // the visitor ended the reading
  int error = 0;                // why the file could not be opened or read (errno)
};

// Hands each line of the file to `visit`, decoded and split as LoadTextFileLines does
// (a byte-order mark selects the encoding; lines end at CR LF, lone CR or LF; a final
// line break leaves no empty last line), reading at most `byteLimit` bytes; a character
// cut by the limit is dropped. False when the file cannot be opened or read (lines
// handed over until a read failed stay handed over).
bool StreamTextFile(std::u16string_view path, const TextPieceVisitor& visit,
                    TextStreamInfo* info = nullptr,
                    std::uint64_t byteLimit = std::numeric_limits<std::uint64_t>::max());

}  // namespace glyphgrab
