// TJwcData: a JWC drawing of the DOS generation of Jw_cad, read whole into memory.
//
// The file is an 800-byte text header (identification, two memo lines, three blocks of
// comma-separated values), fixed sections (virtual points, text types, layer-group
// scales and the flags of groups and layers), then the line, arc and text records, the
// text string area, the point records, the layer names and the layer-group names.
//
// Reading never throws and answers false on failure. After a failed FileIn the document
// holds what was read up to the failure (records not read zero, names not read empty,
// lineN ... tenN counting what was stored), so callers bound their loops by the array
// lengths, which never exceed what the file's bytes could hold. Not thread-safe: one
// document per thread.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/dos_document.h"
#include "documents/dos_records.h"
#include "util/codepage.h"

namespace glyphgrab {

struct TEntJwcHeader {
  std::u16string jwID, comment1, comment2;
  // Character 22 of the identification is "f": layer-group scales are float32.
  bool scaleF = true;
  // Block 2.
  std::int32_t lineCount = 0, arcCount = 0, mojiCount = 0, tenCount = 0, vtenCount = 0;
  std::int32_t curFno = 1, curMfno = 1, curMlcol = 1, curMpcol = 1;
  float wLayScale = 1.0f;
  std::int32_t wLayNo = 0, psize = 3, lcol = 2, ltyp = 1;
  float plotOrgX = 0, plotOrgY = 0, lpitch1 = 5.0f, lpitch2 = 10.0f;
  std::int32_t drawtime = 0;
  std::array<std::int32_t, 6> penWidth{};  // pens 1 to 6
  float gridX = 5.0f, gridY = 5.0f, gridOrgX = 0, gridOrgY = 0, gridScale = 0;
  // Stored units that correspond to the paper length; 0 in the file means 518.
  std::int32_t drawWidth = 518;
  std::int32_t flgPthin = 0;
  // Block 3.
  float mvDist = 0, mtDist = 0, arLen = 3.0f, arAng = 15.0f;
  std::int32_t locMR = 0, flgMconma = 0, flgMzeros = 0, typLside = 0, mvUnit = 0, mvKeta = 1;
  float sOfsetXL = 0, sOfsetXM = 0, sOfsetXR = 0, sOfsetYD = 0, sOfsetYM = 0, sOfsetYT = 0;
  std::int32_t s1len = 0, sOrgXm = 0, sOrgYm = 0;
  float dlinDistB = 100.0f;
  std::array<float, 5> dlinDist{100.0f, 100.0f, 100.0f, 100.0f, 100.0f};  // 1 to 5
  float svScrnOX = 0, svScrnOY = 0, svScrnScl = 1.0f;
  // Block 4. Start and end address of the text string area (segment * 16 + offset).
  std::int32_t sBufAdr1 = 393216, sBufAdr2 = 393216;
  float subZm0X = 0, subZm0Y = 0, subZm0S = 0, subZm1X = 0, subZm1Y = 0, subZm1S = 0;
  float subZm2X = 0, subZm2Y = 0, subZm2S = 0, subZm3X = 0, subZm3Y = 0, subZm3S = 0;
  float subZm4X = 0, subZm4Y = 0, subZm4S = 0;
  float hiIdo = 0, hiHi = 0, hiTaka = 0;
  std::int32_t flgHok = 0, flg25Dm = 0;
  // Millimetres per stored unit: the paper length of psize divided by drawWidth. Every
  // stored coordinate is multiplied by it.
  float dataUnit = 1.0f;
};

class TJwcData : public TDosDocument<TJwcData> {
 public:
  // "jw_cad(c)data" followed by seven full stops.
  static constexpr std::string_view kIdent = "jw_cad(c)data.......";
  static constexpr std::size_t kHeaderBytes = 800;

  TJwcData() { DataInit(); }

  // Empties every array, zeroes the counters and sets the header to its initial values.
  void DataInit();
  void DataFree() { DataInit(); }


  // Records stored by the last FileIn.
  std::int32_t lineN = 0, arcN = 0, mojiN = 0, tenN = 0;
  TEntJwcHeader Enthd;
  std::vector<TEntJwcVten> EntVten;         // 101 virtual points
  std::vector<TEntJwcMojiType> EntMjtp;     // 12 text types, 0-10 from the file, 11 zero
  std::vector<TEntJwcLayerGroup> EntLgrp;   // 16 layer groups
  std::vector<TEntJwcLayer> EntLay;         // 256 layers: entry g * 16 + l is layer l of group g
  std::vector<TEntJwcLine> EntLine;
  std::vector<TEntJwcArc2> EntArc;
  std::vector<TEntJwcMoji2> EntMoji;
  std::vector<TEntJwcTen> EntTen;
  // Extents; reading neither sets nor clears them.
  double myMinWx = 0, myMinWy = 0, myMaxWx = 0, myMaxWy = 0;

 private:
  friend class TDosDocument<TJwcData>;
  bool ReadHeader(ByteReader& r);
  bool ReadBody(ByteReader& r);
};

}  // namespace glyphgrab
