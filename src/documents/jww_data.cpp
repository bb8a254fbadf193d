#include "documents/jww_data.h"

#include "documents/byte_reader.h"
#include "documents/jw_archive.h"
#include "documents/identification.h"
#include "util/file_bytes.h"
#include "util/values.h"

namespace glyphgrab {
namespace {

constexpr std::size_t kIdBytes = 8;
constexpr std::string_view kJwwId = "JwwData.";
// Version 223 added the drawing time and eye points, 225 the dimension sizes, 230 the
// solid colour, 231 the zoom views with layer groups (older files keep four views
// without), 300 the sky-map values.
constexpr std::int32_t kVerEyePoints = 223;
constexpr std::int32_t kVerDimSizes = 225;
constexpr std::int32_t kVerSolidColor = 230;
constexpr std::int32_t kVerZoomGLay = 231;
constexpr std::int32_t kVerSkyMap = 300;

double FiniteOr(double v, double fallback) { return IsFiniteValue(v) ? v : fallback; }

}  // namespace

TEntJwwHeader::TEntJwwHeader() {
  for (std::size_t i = 1; i <= 8; ++i) {
    dZoomJumpBairitsu[i] = 1.0;
    nZoomJumpGLay[i] = -1;
  }
}

void TJwwData::DataInit() {
  Enthd = TEntJwwHeader{};
  EntLgrp.clear();
  EntLay.clear();
  EntCol.clear();
  EntLtp1.clear();
  EntLtp2.clear();
  EntLtp3.clear();
  EntColS.clear();
  EntLtpS.clear();
  EntMoj.clear();
  BodyInit();
}

void TJwwData::DataFree() {
  BodyFree();
  DataInit();
}

void TJwwData::GiveTablesLengths() {
  EntLgrp.assign(kLayerGroups, {});
  EntLay.assign(kLayers, {});
  EntCol.assign(kColors, {});
  EntLtp1.assign(kLineTypes1, {});
  EntLtp2.assign(kLineTypes2, {});
  EntLtp3.assign(kLineTypes3, {});
  EntMoj.assign(kMojiTypes, {});
  EntColS.assign(kColorsEx, {});
  EntLtpS.assign(kLineTypesEx, {});
}

bool TJwwData::FileCheckBytes(ByteSpan bytes) {
  if (bytes.size() < kCheckBytes || !IdentMatches(bytes, kJwwId)) return false;
  const auto v = static_cast<std::int32_t>(LeU32At(bytes.data() + kIdBytes));
  return v >= kMinVersion && v <= kMaxVersion;
}

TReadStatus TJwwData::ReadHeader(ByteReader& r) {
  GiveTablesLengths();
  TEntJwwHeader& h = Enthd;
  std::uint8_t id[kIdBytes];
  r.Read(id, kIdBytes);
  h.jwID = AnsiBytesToStr(ByteSpan(id, kIdBytes));
  if (!IdentMatches(ByteSpan(id, kIdBytes), kJwwId)) return TReadStatus::kNotFormat;
  h.jwVer = r.I32();
  if (h.jwVer < kMinVersion || h.jwVer > kMaxVersion) return TReadStatus::kNotFormat;
  const std::int32_t v = h.jwVer;
  jw::Archive ar(r, v, MojiEncode);

  h.strMemo = ar.ReadText();
  h.nZumen = r.I32();
  h.nWriteGLay = r.I32();
  for (std::size_t g = 0; g < kLayerGroups; ++g) {
    TEntJwwLayerGroup& grp = EntLgrp[g];
    grp.anGLay = r.I32();
    grp.anWriteLay = r.I32();
    grp.adScale = r.F64();
    grp.anGLayProtect = r.I32();
    for (std::size_t l = 0; l < 16; ++l) {
      TEntJwwLayer& lay = EntLay[g * 16 + l];
      lay.aanLay = r.I32();
      lay.aanLayProtect = r.I32();
    }
  }
  r.Skip(56);  // reserved
  h.lnSunpou1 = r.I32();
  h.lnSunpou2 = r.I32();
  h.lnSunpou3 = r.I32();
  h.lnSunpou4 = r.I32();
  h.lnSunpou5 = r.I32();
  r.Skip(4);  // reserved
  h.nMaxDrawWid = r.I32();
  {
    const std::int32_t w = h.nMaxDrawWid;
    h.bSenHaba100 = false;
    h.nMaxDrawWidBak = w;
    if (w <= -101) {
      h.bSenHaba100 = true;
      if (w >= -500 && w <= -401) {
        h.nMaxDrawWidBak = w + 400;
      } else if (w >= -300 && w <= -201) {
        h.nMaxDrawWidBak = -w - 200;
      } else {
        h.nMaxDrawWidBak = -100;
      }
    }
  }
  h.DPPrtGenten_x = r.F64();
  h.DPPrtGenten_y = r.F64();
  h.dPrtBairitsu = r.F64();
  h.nPrtSet = r.I32();
  h.nMemoriMode = r.I32();
  h.dMemoriHyoujiMin = r.F64();
  h.dMemoriX = r.F64();
  h.dMemoriY = r.F64();
  h.DpMemoriKjTen_x = r.F64();
  h.DpMemoriKjTen_y = r.F64();
  for (TEntJwwLayer& lay : EntLay) lay.aStrLayName = ar.ReadCleanText();
  for (TEntJwwLayerGroup& grp : EntLgrp) grp.aStrGLayName = ar.ReadCleanText();
  h.dKageLevel = r.F64();
  h.dKageIdo = r.F64();
  h.nKage9_15JiFlg = r.I32();
  h.dKabeKageLevel = r.F64();
  if (v >= kVerSkyMap) {
    h.dTenkuuZuLevel = r.F64();
    h.dTenkuuZuEnkoR = r.F64();
  }
  h.nMMTani3D = r.I32();
  h.dBairitsu = r.F64();
  h.DPGenten_x = r.F64();
  h.DPGenten_y = r.F64();
  h.dHanniBairitsu = r.F64();
  h.DPHanniGenten_x = r.F64();
  h.DPHanniGenten_y = r.F64();
  if (v >= kVerZoomGLay) {
    for (std::size_t i = 1; i <= 8; ++i) {
      h.dZoomJumpBairitsu[i] = r.F64();
      h.DPZoomJumpGenten_x[i] = r.F64();
      h.DPZoomJumpGenten_y[i] = r.F64();
      h.nZoomJumpGLay[i] = r.I32();
    }
    h.dDm11 = r.F64();
    h.dDm12 = r.F64();
    h.dDm13 = r.F64();
    h.lnDm1 = r.I32();
    h.dDm21 = r.F64();
    h.dDm22 = r.F64();
    h.dMojiBG = r.F64();
    h.nMojiBG = r.I32();
  } else {
    for (std::size_t i = 1; i <= 4; ++i) {
      h.dZoomJumpBairitsu[i] = r.F64();
      h.DPZoomJumpGenten_x[i] = r.F64();
      h.DPZoomJumpGenten_y[i] = r.F64();
    }
  }
  for (double& d : h.adFukusenSuuchi) d = r.F64();
  h.dRyougawaFukusenTomeDe = r.F64();
  for (TEntJwwColorNo& c : EntCol) {
    c.aPenColor = r.I32();
    c.anPenWidth = r.I32();
  }
  for (TEntJwwColorNo& c : EntCol) {
    c.aPrtPenColor = r.I32();
    c.anPrtPenWidth = r.I32();
    c.adPrtTenHankei = r.F64();
  }
  for (TEntJwwLineTypeNo& t : EntLtp1) {
    t.alLType = r.I32();
    t.anTokushuSenUintDot = r.I32();
    t.anTokushuSenPich = r.I32();
    t.anPrtTokushuSenPich = r.I32();
  }
  for (TEntJwwRandomLineNo& t : EntLtp2) {
    t.alLType = r.I32();
    t.anRandSenWide = r.I32();
    t.anTokushuSenPich = r.I32();
    t.anPrtRandSenWide = r.I32();
    t.anPrtTokushuSenPich = r.I32();
  }
  for (TEntJwwLineTypeNo& t : EntLtp3) {
    t.alLType = r.I32();
    t.anTokushuSenUintDot = r.I32();
    t.anTokushuSenPich = r.I32();
    t.anPrtTokushuSenPich = r.I32();
  }
  h.nDrawGamenTen = r.I32();
  h.nDrawPrtTen = r.I32();
  h.nBitMapFirstDraw = r.I32();
  h.nGyakuDraw = r.I32();
  h.nGyakuSearch = r.I32();
  h.nColorPrint = r.I32();
  h.nLayJunPrint = r.I32();
  h.nColJunPrint = r.I32();
  h.nPrtRenzoku = r.I32();
  h.nPrtKyoutsuuGray = r.I32();
  {
    // C++ division truncates toward zero and the remainder keeps the sign of p.
    const std::int32_t p = r.I32();
    h.nPrtDpi = p / 10;
    h.nPrtDispOnlyNonDraw = p % 10;
  }
  if (v >= kVerEyePoints) {
    h.lnDrawTime = r.I32();
    h.nEyeInit = r.I32();
    h.dEye_H_Ichi_1 = r.I32();
    h.dEye_H_Ichi_2 = r.I32();
    h.dEye_H_Ichi_3 = r.I32();
    h.dEye_Z_Ichi_1 = r.F64();
    h.dEye_Y_Ichi_1 = r.F64();
    h.dEye_Z_Ichi_2 = r.F64();
    h.dEye_Y_Ichi_2 = r.F64();
    h.dEye_V_Ichi_3 = r.F64();
  }
  if (v >= kVerDimSizes) {
    h.dSenNagasaSnpou = r.F64();
    h.dBoxSunpouX = r.F64();
    h.dBoxSunpouY = r.F64();
    h.dEnHankeiSnpou = r.F64();
  }
  if (v >= kVerSolidColor) {
    h.nSolidNinniColor = r.I32();
    h.SolidColor = r.I32();
  }
  if (v >= jw::kVerSxf) {
    for (TEntJwwColorExNo& c : EntColS) {
      c.aPenColor = r.I32();
      c.anPenWidth = r.I32();
    }
    for (TEntJwwColorExNo& c : EntColS) {
      c.astrUDColorName = ar.ReadCleanText();
      c.aPrtPenColor = r.I32();
      c.anPrtPenWidth = r.I32();
      c.adPrtTenHankei = r.F64();
    }
    for (TEntJwwLineTypeExNo& t : EntLtpS) {
      t.alLType = r.I32();
      t.anTokushuSenUintDot = r.I32();
      t.anTokushuSenPich = r.I32();
      t.anPrtTokushuSenPich = r.I32();
    }
    for (TEntJwwLineTypeExNo& t : EntLtpS) {
      t.astrUDLTypeName = ar.ReadCleanText();
      t.anUDLTypeSegment = r.I32();
      for (std::size_t i = 1; i <= 10; ++i) t.aadUDLTypePitch[i] = r.F64();
    }
  }
  for (TEntJwwMojiType& m : EntMoj) {
    m.adMojiX = FiniteOr(r.F64(), 3.0);
    m.adMojiY = FiniteOr(r.F64(), 3.0);
    m.adMojiD = FiniteOr(r.F64(), 0);
    m.anMojiCol = r.I32();
  }
  h.dMojiSizeX = FiniteOr(r.F64(), 3.0);
  h.dMojiSizeY = FiniteOr(r.F64(), 3.0);
  h.dMojiKankaku = FiniteOr(r.F64(), 0);
  h.nMojiColor = r.I32();
  h.nMojiShu = r.I32();
  h.dMojiSeiriGyouKan = r.F64();
  h.dMojiSeiriSuu = r.F64();
  h.nMojiKijunZureOn = r.I32();
  h.adMojiKijunZureX0 = r.F64();
  h.adMojiKijunZureX1 = r.F64();
  h.adMojiKijunZureX2 = r.F64();
  h.adMojiKijunZureY0 = r.F64();
  h.adMojiKijunZureY1 = r.F64();
  // The one checked read of the header: the file must reach its last field.
  const bool any = r.CheckedF64(h.adMojiKijunZureY2);
  readInfo.undecodable += ar.undecodable();
  return any ? TReadStatus::kComplete : TReadStatus::kStopped;
}

bool TJwwData::HasImageTable() const { return Enthd.jwVer >= jw::kVerImages; }

}  // namespace glyphgrab
