// Decoding the bytes of a text file, whole or piece by piece.
#pragma once

#include <cstddef>
#include <string>

#include "util/codepage.h"

namespace glyphgrab {

enum class TextEncoding { Cp932, Utf8, Utf16LE, Utf16BE };

struct ByteOrderMark {
  TextEncoding encoding = TextEncoding::Cp932;
  std::size_t length = 0;  // 0 when the bytes start with no mark
};
// The encoding a byte-order mark of UTF-8, UTF-16LE or UTF-16BE at the start selects.
ByteOrderMark DetectByteOrderMark(ByteSpan bytes);

// The encoding of a text file from its first bytes. A byte-order mark decides. Without
// one the text is UTF-8 when the bytes are valid UTF-8 holding at least one non-ASCII
// character (code page 932 text almost never is: its lead bytes 81-9F are UTF-8
// continuation bytes), otherwise code page 932. Unless `complete`, the bytes are only a
// prefix of the file, and a UTF-8 sequence cut at their end does not count against UTF-8.
ByteOrderMark DetectTextEncoding(ByteSpan bytes, bool complete);

// Decodes consecutive pieces of one text as if they were one: a character split between
// two pieces is decoded whole. Undecodable bytes become U+FFFD and are counted; U+0000
// is kept like any other character.
class TextDecoder {
 public:
  explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}
  // For a text without a byte-order mark read piece by piece: the encoding is chosen by
  // DetectTextEncoding on the first piece that holds a non-ASCII byte, so a long ASCII
  // start does not hide UTF-8 further on. encoding() answers code page 932 until then.
  static TextDecoder ForUnmarkedText();

  // Appends the text of `bytes` to `out`. Unless `last`, an incomplete character at the
  // end waits for the next piece; with `last` it becomes U+FFFD.
  void Decode(ByteSpan bytes, bool last, std::u16string& out);

  TextEncoding encoding() const { return encoding_; }
  std::size_t undecodable() const { return undecodable_; }

 private:
  TextEncoding encoding_;
  bool undecided_ = false;
  std::size_t undecodable_ = 0;
  Bytes pending_;  // the start of a character whose end is in the next piece
  // The length of the longest prefix of `bytes` that ends at a character boundary.
  std::size_t CompletePrefix(ByteSpan bytes) const;
  void DecodeComplete(ByteSpan bytes, std::u16string& out);
};

}  // namespace glyphgrab
