// JWW drawings of the Windows generation of Jw_cad: header, drawing-wide tables, entity
// lists, block definitions and the table of embedded images.
//
// Reading never throws: every operation answers a Boolean, and the document keeps what
// was read up to the point where reading stopped (readInfo says where and why). Not
// thread-safe; one operation at a time per object.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/jw_file_document.h"
#include "documents/jwwtype.h"
#include "util/codepage.h"

namespace glyphgrab {

class ByteReader;

struct TEntJwwHeader {
  std::u16string jwID;  // "JwwData." in a valid file
  std::int32_t jwVer = 0;
  std::u16string strMemo;  // unchanged: may hold CR LF
  std::int32_t nZumen = 0;
  std::int32_t nWriteGLay = 0;
  std::int32_t lnSunpou1 = 0, lnSunpou2 = 0, lnSunpou3 = 0, lnSunpou4 = 0, lnSunpou5 = 0;
  std::int32_t nMaxDrawWid = 0;
  bool bSenHaba100 = false;  // derived: nMaxDrawWid below -100
  std::int32_t nMaxDrawWidBak = 0;
  double DPPrtGenten_x = 0, DPPrtGenten_y = 0;
  double dPrtBairitsu = 1.0;
  std::int32_t nPrtSet = 0;
  std::int32_t nMemoriMode = 0;
  double dMemoriHyoujiMin = 1.0, dMemoriX = 1.0, dMemoriY = 1.0;
  double DpMemoriKjTen_x = 0, DpMemoriKjTen_y = 0;
  double dKageLevel = 0, dKageIdo = 0;
  std::int32_t nKage9_15JiFlg = 0;
  double dKabeKageLevel = 0, dTenkuuZuLevel = 0, dTenkuuZuEnkoR = 0;
  std::int32_t nMMTani3D = 0;
  double dBairitsu = 1.0;
  double DPGenten_x = 0, DPGenten_y = 0;
  double dHanniBairitsu = 1.0;
  double DPHanniGenten_x = 0, DPHanniGenten_y = 0;
  // Registered zoom views, numbered 1 to 8 ([0] unused).
  std::array<double, 9> dZoomJumpBairitsu{};
  std::array<double, 9> DPZoomJumpGenten_x{};
  std::array<double, 9> DPZoomJumpGenten_y{};
  std::array<std::int32_t, 9> nZoomJumpGLay{};
  double dDm11 = 0, dDm12 = 0, dDm13 = 0;
  std::int32_t lnDm1 = 0;
  double dDm21 = 0, dDm22 = 0;
  double dMojiBG = 0;
  std::int32_t nMojiBG = 0;
  std::array<double, 10> adFukusenSuuchi{};
  double dRyougawaFukusenTomeDe = 0;
  std::int32_t nDrawGamenTen = 0, nDrawPrtTen = 0;
  std::int32_t nBitMapFirstDraw = 0;
  std::int32_t nGyakuDraw = 0, nGyakuSearch = 0;
  std::int32_t nColorPrint = 0, nLayJunPrint = 0, nColJunPrint = 0;
  std::int32_t nPrtRenzoku = 0, nPrtKyoutsuuGray = 0;
  std::int32_t nPrtDispOnlyNonDraw = 0;  // derived: last decimal digit of the print value
  std::int32_t nPrtDpi = 0;              // derived: the print value without that digit
  std::int32_t lnDrawTime = 0;
  std::int32_t nEyeInit = 0;
  std::int32_t dEye_H_Ichi_1 = 0, dEye_H_Ichi_2 = 0, dEye_H_Ichi_3 = 0;
  double dEye_Z_Ichi_1 = 0, dEye_Y_Ichi_1 = 0, dEye_Z_Ichi_2 = 0, dEye_Y_Ichi_2 = 0,
         dEye_V_Ichi_3 = 0;
  double dSenNagasaSnpou = 0;
  double dBoxSunpouX = 0, dBoxSunpouY = 0;
  double dEnHankeiSnpou = 0;
  std::int32_t nSolidNinniColor = 0, SolidColor = 0;
  double dMojiSizeX = 0, dMojiSizeY = 0, dMojiKankaku = 0;
  std::int32_t nMojiColor = 0, nMojiShu = 0;
  double dMojiSeiriGyouKan = 0, dMojiSeiriSuu = 0;
  std::int32_t nMojiKijunZureOn = 0;
  double adMojiKijunZureX0 = 0, adMojiKijunZureX1 = 0, adMojiKijunZureX2 = 0;
  double adMojiKijunZureY0 = 0, adMojiKijunZureY1 = 0, adMojiKijunZureY2 = 0;
  std::int32_t n1 = 0;  // objects in the drawing's entity list, as stored
  std::int32_t n2 = 0;  // block definitions, as stored

  TEntJwwHeader();
};

class TJwwData : public TJwFileDocument<TJwwData> {
 public:
  // Accepted format versions.
  static constexpr std::int32_t kMinVersion = 220;
  static constexpr std::int32_t kMaxVersion = 700;
  // Fixed table lengths, given as soon as the header reader starts.
  static constexpr std::size_t kLayerGroups = 16;
  static constexpr std::size_t kLayers = 256;  // entry g × 16 + l is layer l of group g
  static constexpr std::size_t kColors = 10;
  static constexpr std::size_t kLineTypes1 = 8;
  static constexpr std::size_t kLineTypes2 = 5;
  static constexpr std::size_t kLineTypes3 = 4;
  static constexpr std::size_t kColorsEx = 257;
  static constexpr std::size_t kLineTypesEx = 33;
  static constexpr std::size_t kMojiTypes = 10;

  TEntJwwHeader Enthd;
  std::vector<TEntJwwLayerGroup> EntLgrp;
  std::vector<TEntJwwLayer> EntLay;
  std::vector<TEntJwwColorNo> EntCol;
  std::vector<TEntJwwLineTypeNo> EntLtp1;
  std::vector<TEntJwwRandomLineNo> EntLtp2;
  std::vector<TEntJwwLineTypeNo> EntLtp3;
  std::vector<TEntJwwColorExNo> EntColS;  // names empty below version 420
  std::vector<TEntJwwLineTypeExNo> EntLtpS;  // names empty below version 420
  std::vector<TEntJwwMojiType> EntMoj;

  TJwwData() { DataInit(); }
  ~TJwwData() { DataFree(); }
  TJwwData(const TJwwData&) = delete;
  TJwwData& operator=(const TJwwData&) = delete;

  // Empties the document to its defaults; BindImageFolder and the two image switches
  // stay as the owner set them.
  void DataInit();
  // Releases the entity arrays and definitions, then DataInit.
  void DataFree();

  // The file check looks at "JwwData." and the version at byte 8.
  static constexpr std::size_t kCheckBytes = 12;
  // Bytes of the file the header reader first looks at; the memo and the names make the
  // header's length vary, so a longer prefix is read when this one does not hold it.
  static constexpr std::size_t kHeaderPrefix = 16 * 1024;
  static bool FileCheckBytes(ByteSpan bytes);
  // Drawings from version 700 on carry a table of embedded images.
  bool HasImageTable() const;

 private:
  friend class TJwFileDocument<TJwwData>;
  TReadStatus ReadHeader(ByteReader& r);
  void GiveTablesLengths();
};

}  // namespace glyphgrab
