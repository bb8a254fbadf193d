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

// Decodes consecutive pieces of one text as if they were one: a character split between
// two pieces is decoded whole. Undecodable bytes become U+FFFD and are counted; U+0000
// is kept like any other character.
class TextDecoder {
 public:
  explicit TextDecoder(TextEncoding encoding) : encoding_(encoding) {}

  // Appends the text of `bytes` to `out`. Unless `last`, an incomplete character at the
  // end waits for the next piece; with `last` it becomes U+FFFD.
  void Decode(ByteSpan bytes, bool last, std::u16string& out);

  TextEncoding encoding() const { return encoding_; }
  std::size_t undecodable() const { return undecodable_; }

 private:
  TextEncoding encoding_;
  std::size_t undecodable_ = 0;
  Bytes pending_;  // the start of a character whose end is in the next piece
  // The length of the longest prefix of `bytes` that ends at a character boundary.
  std::size_t CompletePrefix(ByteSpan bytes) const;
  void DecodeComplete(ByteSpan bytes, std::u16string& out);
};

}  // namespace glyphgrab
