// Entity and table records shared by the JWW drawing and JWS symbol documents. Field
// names keep the romanised vocabulary of the Jw_cad archive format (Sen line, Enko arc,
// Ten point, Moji text, Sunpo dimension, Solid filled area, Block block insertion).
//
// Arrays go with explicit counts: only the first `...N` entries of an array are valid,
// and every consumer iterates by the count.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace glyphgrab {

// Attribute record at the start of every entity.
struct TEntJwwAttr {
  std::uint32_t lGroup = 0;
  std::uint8_t nPenStyle = 0;  // on a point, 100 marks a special point (code, angle, scale)
  std::uint16_t nPenColor = 0;  // on a solid, 10 marks an explicit colour in Color
  std::uint16_t nPenWidth = 0;  // not stored by version 350 and below: 0 there
  std::uint16_t nLayer = 0;
  std::uint16_t nGLayer = 0;
  std::uint16_t sFlg = 0;

  bool operator==(const TEntJwwAttr&) const = default;
};

struct TEntJwwLine {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
};

struct TEntJwwEnko {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0;  // centre
  double dHankei = 0;
  double radKaishiKaku = 0;
  double radEnkoKaku = 0;
  double radKatamukiKaku = 0;
  double dHenpeiRitsu = 0;
  std::uint32_t bZenEnFlg = 0;
};

struct TEntJwwTen {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0;
  std::uint32_t bKariten = 0;
  // Only meaningful for a special point (att.nPenStyle 100); otherwise 0.
  std::uint32_t nCode = 0;
  double radKaitenKaku = 0;
  double dBairitsu = 0;
};

struct TEntJwwMoji {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
  std::uint32_t nMojiShu = 0;
  double dSizeX = 0, dSizeY = 0;  // never NaN or infinite: such values read as 3.0
  double dKankaku = 0;            // likewise, read as 0
  double degKakudo = 0;
  std::u16string strFontName;
  std::u16string str;  // as stored; "^@BM..." image references are ordinary texts
};

struct TEntJwwSunpo {
  TEntJwwAttr att;
  TEntJwwLine Sen;
  TEntJwwMoji Moji;  // Moji.str is the text the dimension shows
  std::uint16_t bSxfMode = 0;
  TEntJwwLine Ho1, Ho2;
  TEntJwwTen Te1, Te2, Kt1, Kt2;
};

struct TEntJwwSolid {
  TEntJwwAttr att;
  double start_x = 0, start_y = 0, end_x = 0, end_y = 0;
  double DPoint2_x = 0, DPoint2_y = 0, DPoint3_x = 0, DPoint3_y = 0;
  std::uint32_t Color = 0;  // explicit colour when att.nPenColor is 10, else 0
};

struct TEntJwwBlock {
  TEntJwwAttr att;
  double DPKijunTen_x = 0, DPKijunTen_y = 0;
  double dBairitsuX = 0, dBairitsuY = 0;
  double radKaitenKaku = 0;
  std::uint32_t nNumber = 0;  // the TEntJwwBlockDef::nNumber it inserts
};

// Entity kinds as order tables store them.
enum : std::int32_t {
  kEntSen = 1,
  kEntEnko = 2,
  kEntTen = 3,
  kEntMoji = 4,
  kEntSunpo = 5,
  kEntSolid = 6,
  kEntBlock = 7,
};

// One entry of an order table: kind and 0-based index into that kind's array.
struct TEntJwwNo {
  std::int32_t EntType = 0;
  std::int32_t EntNo = 0;
};

struct TEntJwwBlockDef {
  TEntJwwAttr att;
  std::uint32_t nNumber = 0;
  std::uint32_t bRefferd = 0;
  std::uint32_t dtime = 0;  // the 1-based position when the file uses the long time form
  std::u16string strName;
  std::int32_t N = 0;  // entities the file declares
  std::vector<TEntJwwNo> mNo;  // order table; at most N entries
  std::int32_t mLineN = 0, mEnkoN = 0, mTenN = 0, mMojiN = 0, mSunpoN = 0, mSolidN = 0,
               mBlockN = 0;
  std::vector<TEntJwwLine> mLine;
  std::vector<TEntJwwEnko> mEnko;
  std::vector<TEntJwwTen> mTen;
  std::vector<TEntJwwMoji> mMoji;
  std::vector<TEntJwwSunpo> mSunpo;
  std::vector<TEntJwwSolid> mSolid;
  std::vector<TEntJwwBlock> mBlock;  // insertions of other definitions
  bool ref_flag = false;   // reached from the drawing (block tree)
  std::int32_t ref_no = -1;  // rank among referenced definitions, -1 when not referenced
};

// One node of the flattened insertion tree. A point (u, v) of the placed definition maps
// to (x + r1·u + r2·v, y + r3·u + r4·v).
struct TEntJwwBlockTree {
  TEntJwwAttr att;
  std::int32_t level = 0;
  std::int32_t parent = -1;
  std::uint32_t no = 0;
  std::int32_t defno = -1;  // first definition with number `no`, -1 when none
  std::u16string name;
  double x = 0, y = 0;
  double r1 = 0, r2 = 0, r3 = 0, r4 = 0;
};

struct TBindImageType {
  std::u16string Fname;
  std::int32_t Fsize = 0;
  bool exf = false;
};

struct TEntJwwLayerGroup {
  std::int32_t anGLay = 0;
  std::int32_t anWriteLay = 0;
  double adScale = 0;
  std::int32_t anGLayProtect = 0;
  std::u16string aStrGLayName;
};

struct TEntJwwLayer {
  std::int32_t aanLay = 0;
  std::int32_t aanLayProtect = 0;
  std::u16string aStrLayName;
};

struct TEntJwwColorNo {
  std::int32_t aPenColor = 0;
  std::int32_t anPenWidth = 0;
  std::int32_t aPrtPenColor = 0;
  std::int32_t anPrtPenWidth = 0;
  double adPrtTenHankei = 0;
};

struct TEntJwwLineTypeNo {
  std::int32_t alLType = 0;
  std::int32_t anTokushuSenUintDot = 0;
  std::int32_t anTokushuSenPich = 0;
  std::int32_t anPrtTokushuSenPich = 0;
};

struct TEntJwwRandomLineNo {
  std::int32_t alLType = 0;
  std::int32_t anRandSenWide = 0;
  std::int32_t anTokushuSenPich = 0;
  std::int32_t anPrtRandSenWide = 0;
  std::int32_t anPrtTokushuSenPich = 0;
};

struct TEntJwwColorExNo {
  std::int32_t aPenColor = 0;
  std::int32_t anPenWidth = 0;
  std::u16string astrUDColorName;
  std::int32_t aPrtPenColor = 0;
  std::int32_t anPrtPenWidth = 0;
  double adPrtTenHankei = 0;
};

struct TEntJwwLineTypeExNo {
  std::int32_t alLType = 0;
  std::int32_t anTokushuSenUintDot = 0;
  std::int32_t anTokushuSenPich = 0;
  std::int32_t anPrtTokushuSenPich = 0;
  std::u16string astrUDLTypeName;
  std::int32_t anUDLTypeSegment = 0;
  std::array<double, 11> aadUDLTypePitch{};  // numbered 1 to 10; [0] unused
};

struct TEntJwwMojiType {
  double adMojiX = 0;
  double adMojiY = 0;
  double adMojiD = 0;
  std::int32_t anMojiCol = 0;
};

}  // namespace glyphgrab
