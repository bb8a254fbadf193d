#include "documents/dos_records.h"

#include <bit>
#include <cmath>
#include <cstring>

#include "util/codepage.h"
#include "util/strings.h"

namespace glyphgrab {
namespace {

// Angles are fixed point with 16 fraction bits.
float FixedAngleAt(const std::uint8_t* b) {
  return static_cast<float>(static_cast<double>(static_cast<std::int32_t>(LeU32At(b))) / 65536.0);
}

}  // namespace

TEntJwcLine DecodeJwcLine(const std::uint8_t* b) {
  TEntJwcLine e;
  e.x1 = LeF32At(b);
  e.y1 = LeF32At(b + 4);
  e.x2 = LeF32At(b + 8);
  e.y2 = LeF32At(b + 12);
  e.typ = b[16];
  e.col = b[17];
  e.lay = b[18];
  e.flg1 = b[19];
  e.flg2 = b[20];
  e.flg3 = b[21];
  return e;
}

TEntJwcArc2 DecodeJwcArc(const std::uint8_t* b) {
  TEntJwcArc2 e;
  e.x = LeF32At(b);
  e.y = LeF32At(b + 4);
  e.r = LeF32At(b + 8);
  // The flattening ratio is stored in ten-thousandths.
  e.h = static_cast<float>(LeU16At(b + 12) / 10000.0);
  // The three angles sit at offsets 14, 18, 22: not aligned to four bytes.
  e.st = FixedAngleAt(b + 14);
  e.et = FixedAngleAt(b + 18);
  e.tt = FixedAngleAt(b + 22);
  e.typ = b[26];
  e.col = b[27];
  e.lay = b[28];
  e.flg1 = b[29];
  e.flg2 = b[30];
  e.flg3 = b[31];
  return e;
}

TEntJwcMoji2 DecodeJwcMoji(const std::uint8_t* b) {
  TEntJwcMoji2 e;
  e.x1 = LeF32At(b);
  e.y1 = LeF32At(b + 4);
  e.x2 = LeF32At(b + 8);
  e.y2 = LeF32At(b + 12);
  // Bytes 16-19 address the text; the readers interpret them.
  e.no = b[20];
  e.lay = b[21];
  e.flg1 = b[22];
  e.flg2 = b[23];
  return e;
}

TEntJwcTen DecodeJwcTen(const std::uint8_t* b) {
  TEntJwcTen e;
  e.x = LeF32At(b);
  e.y = LeF32At(b + 4);
  e.lay = b[8];
  e.col = b[9];
  e.flg1 = b[10];
  e.flg2 = b[11];
  return e;
}

std::u16string DosAreaText(std::span<const std::uint8_t> area, std::int64_t offset, std::size_t* bad) {
  if (offset < 0 || static_cast<std::uint64_t>(offset) >= area.size()) return {};
  return DosNameText(area.subspan(static_cast<std::size_t>(offset)), bad);
}

std::u16string DosNameText(std::span<const std::uint8_t> field, std::size_t* bad) {
  std::size_t lost = 0;
  std::u16string text = AnsiBytesToStr(field, &lost);
  if (bad) *bad += lost;
  return RemoveControlChars(text);
}

const std::array<TDefaultTextType, 10>& DefaultTextTypes() {
  static const std::array<TDefaultTextType, 10> table = {{
      {1, 2.0, 2.0, 0.0},
      {1, 2.5, 2.5, 0.5},
      {2, 3.0, 3.0, 0.5},
      {2, 4.0, 4.0, 0.5},
      {3, 5.0, 5.0, 1.0},
      {3, 6.0, 6.0, 1.0},
      {4, 7.0, 7.0, 1.0},
      {4, 8.0, 8.0, 1.0},
      {5, 9.0, 9.0, 1.0},
      {5, 10.0, 10.0, 1.0},
  }};
  return table;
}

TEntJwcMojiType DefaultMojiType(int row) {
  const TDefaultTextType& d = DefaultTextTypes()[static_cast<std::size_t>(row)];
  auto tenths = [](double mm) { return static_cast<std::uint16_t>(std::lround(mm * 10.0)); };
  return {static_cast<std::uint16_t>(d.penNo), tenths(d.width), tenths(d.height), tenths(d.dist)};
}

}  // namespace glyphgrab
