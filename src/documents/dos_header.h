// The text header shared by JWC drawings and JWK symbols: 200-byte blocks, the first
// holding the identification and the two memo lines, the others holding values as
// comma-separated ASCII text followed by blank filling and a line feed.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/byte_reader.h"
#include "util/codepage.h"

namespace glyphgrab {

inline constexpr std::size_t kDosBlockBytes = 200;
// The identification is compared on its first 20 bytes.
inline constexpr std::size_t kDosIdentBytes = 20;

using TDosBlock = std::array<std::uint8_t, kDosBlockBytes>;

// Reads one header block. A block cut short by the end of the data is accepted with its
// missing bytes zero; false when not one byte of it is left.
bool ReadDosBlock(ByteReader& r, TDosBlock& block);

// The three texts of block 1 (bytes 0-39, 40-71, 72-103), each cut at its first zero
// byte; blanks and control characters stay.
struct TDosIdent {
  std::u16string jwID, comment1, comment2;
};
TDosIdent DosIdentOf(const TDosBlock& block);

// Splits a block's text into n field texts: fields the text does not reach stay "0",
// text after the n-th value is ignored, two adjacent commas give an empty field. When
// `restField` is given it receives the index of the field that took the remaining text
// after the last comma (-1 when none did).
std::vector<std::u16string> SplitParams(std::u16string_view text, int n, int* restField = nullptr);

// The values of one value block, converted on demand by field index.
class TDosValues {
 public:
  TDosValues(const TDosBlock& block, int n);

  std::int32_t Int(int k) const;
  // A value beyond the 32-bit float range gives 0, as an unreadable one does.
  float Single(int k) const;
  // A "SSSS:OOOO" hexadecimal segment:offset field as the flat address SSSS * 16 + OOOO.
  std::int32_t Address(int k) const;

 private:
  std::vector<std::u16string> para_;
};


}  // namespace glyphgrab
