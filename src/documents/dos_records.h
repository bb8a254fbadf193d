// Records of the DOS-generation Jw_cad files (JWC drawings, JWK symbols) and the pieces
// both readers share: the fixed-size record decoders, the text string area lookup and
// the program-wide default text types.
//
// Numbers are kept as stored. Coordinates come out of the decoders unscaled: a JWC
// drawing multiplies them by its paper unit, a JWK symbol keeps them.
#pragma once

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "documents/byte_reader.h"

namespace glyphgrab {

struct TEntJwcLine {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::uint8_t typ = 0, col = 0, lay = 0, flg1 = 0, flg2 = 0, flg3 = 0;
};

// Arc, circle or ellipse. h is the flattening ratio, the angles are in degrees.
struct TEntJwcArc2 {
  float x = 0, y = 0, r = 0, h = 0, st = 0, et = 0, tt = 0;
  std::uint8_t typ = 0, col = 0, lay = 0, flg1 = 0, flg2 = 0, flg3 = 0;
};

// A text. p is its position in the file's string area (JWC: a flat segment:offset
// address; JWK: the offset into the area); no indexes the text types. Bit 0x20 of flg1
// marks vertical writing.
struct TEntJwcMoji2 {
  float x1 = 0, y1 = 0, x2 = 0, y2 = 0;
  std::int32_t p = 0;
  std::uint8_t no = 0, lay = 0, flg1 = 0, flg2 = 0;
  std::u16string s;
};

struct TEntJwcTen {
  float x = 0, y = 0;
  std::uint8_t lay = 0, col = 0, flg1 = 0, flg2 = 0;
};

struct TEntJwcVten {
  float x = 0, y = 0;
  std::uint8_t lay = 0;
};

// Sizes in tenths of a millimetre.
struct TEntJwcMojiType {
  std::uint16_t penNo = 0, width = 0, height = 0, dist = 0;
  bool operator==(const TEntJwcMojiType&) const = default;
};

struct TEntJwcLayerGroup {
  float scale = 0;
  std::uint8_t srchF = 0, dispF = 0, w_lay = 0;
  std::u16string name;
};

struct TEntJwcLayer {
  std::uint8_t srchF = 0, dispF = 0;
  std::u16string name;
};

// Stored record sizes in bytes.
inline constexpr std::size_t kJwcLineBytes = 22;
inline constexpr std::size_t kJwcArcBytes = 32;
inline constexpr std::size_t kJwcMojiBytes = 24;
inline constexpr std::size_t kJwcTenBytes = 12;

// Decoders of one stored record; `b` holds at least the record's size. The text decoder
// leaves p and s alone: JWC and JWK address their strings differently.
TEntJwcLine DecodeJwcLine(const std::uint8_t* b);
TEntJwcArc2 DecodeJwcArc(const std::uint8_t* b);
TEntJwcMoji2 DecodeJwcMoji(const std::uint8_t* b);
TEntJwcTen DecodeJwcTen(const std::uint8_t* b);


// The text starting at `offset` of a string area: the bytes up to the next zero byte or
// the end of the area, decoded from code page 932, control characters removed. An offset
// outside the area gives the empty text, so nothing outside the area is ever read.
// `bad` (when given) is increased by the undecodable bytes met.
std::u16string DosAreaText(std::span<const std::uint8_t> area, std::int64_t offset,
                           std::size_t* bad = nullptr);

// A fixed name field: the bytes before the first zero byte (all of them when there is
// none), decoded and without control characters.
std::u16string DosNameText(std::span<const std::uint8_t> field, std::size_t* bad = nullptr);

// One default text type: pen number, then width, height and spacing in millimetres.
struct TDefaultTextType {
  int penNo;
  double width, height, dist;
};

// The program-wide default text types (text types 1 to 10), which a JWK symbol carries
// since its file has none. Built on first use with a thread-safe static, so it is
// filled before any document can read it.
const std::array<TDefaultTextType, 10>& DefaultTextTypes();

// The default text types as stored records: millimetres times ten, to the nearest
// integer.
TEntJwcMojiType DefaultMojiType(int row);

// Reads `count` records of `recBytes` each into `items`, whose length the caller bounded
// beforehand by the bytes left. Each record is one read; a record cut short by the end of
// the data is accepted with its missing bytes zero, a record of which no byte is left
// ends the read with false. `stored` counts the records stored.
template <typename Rec, typename Decode>
bool ReadDosRecords(ByteReader& r, std::int32_t count, std::size_t recBytes,
                    std::vector<Rec>& items, std::int32_t& stored, Decode decode) {
  std::uint8_t padded[kJwcArcBytes];  // the largest record
  for (std::int32_t i = 0; i < count; ++i) {
    auto rec = r.Take(recBytes);
    if (rec.empty() || static_cast<std::size_t>(i) >= items.size()) return false;
    const std::uint8_t* b = rec.data();
    if (rec.size() < recBytes) {
      std::fill(padded, padded + recBytes, std::uint8_t{0});
      std::copy(rec.begin(), rec.end(), padded);
      b = padded;
    }
    items[static_cast<std::size_t>(i)] = decode(b);
    ++stored;
  }
  return true;
}

// Sizes the record arrays before any record is read. Each array gets the header's count,
// but never more entries than the bytes left from where its section starts could hold
// (a record cut short by the end counts), so a hostile count cannot make the reader
// allocate beyond the file's size.
class DosSectionSizer {
 public:
  DosSectionSizer(std::size_t fileBytes, std::uint64_t start) : size_(fileBytes), at_(start) {}

  // False for a negative count (the array stays as it is).
  template <typename Rec>
  bool Size(std::vector<Rec>& items, std::int32_t count, std::size_t recBytes) {
    if (count < 0) return false;
    const std::uint64_t left = at_ < size_ ? size_ - at_ : 0;
    const std::uint64_t fit = (left + recBytes - 1) / recBytes;
    items.assign(static_cast<std::size_t>(std::min<std::uint64_t>(fit, static_cast<std::uint64_t>(count))),
                 Rec{});
    at_ += static_cast<std::uint64_t>(count) * recBytes;
    return true;
  }
  void Skip(std::uint64_t bytes) { at_ += bytes; }

 private:
  std::uint64_t size_;
  std::uint64_t at_;
};

}  // namespace glyphgrab
