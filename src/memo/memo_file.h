// The memo file "Memo.txt": UTF-8 with a byte-order mark and the memo text exactly as
// held. Reading detects a UTF-8 or UTF-16 byte-order mark and otherwise takes code page
// 932, so files written by other editors load too.
#pragma once

#include <string>
#include <string_view>

#include "util/codepage.h"

namespace glyphgrab {

inline constexpr char16_t kMemoFileName[] = u"Memo.txt";

// The memo text of the file with its line breaks made CR LF; empty when the file is
// missing or cannot be read.
std::u16string MemoLoad(std::u16string_view path);

// The file's bytes for a memo text: the byte-order mark, then the text in UTF-8.
Bytes MemoFileBytes(std::u16string_view text);

// Replaces the file atomically, also for an empty memo (the file then holds the mark
// alone). False when it could not be written; the old file then stays as it was.
bool MemoSave(std::u16string_view path, std::u16string_view text);

}  // namespace glyphgrab
