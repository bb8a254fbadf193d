#include "documents/jwc_data.h"

#include "documents/paper_size.h"

#include "documents/dos_header.h"
#include "util/file_bytes.h"

namespace glyphgrab {
namespace {

constexpr int kVtenCount = 101;
constexpr int kStoredMojiTypes = 11;  // text types 0-10; entry 11 stays zero
constexpr int kMojiTypes = 12;
constexpr int kGroups = 16;
constexpr int kLayers = 256;
constexpr std::size_t kLayerNameBytes = 8;
constexpr std::size_t kGroupNameBytes = 16;
// The fixed sections end here; 16-bit group scales take 32 bytes less than float ones.
constexpr std::uint64_t kRecordsStartScaleF = 2421;
constexpr std::uint64_t kRecordsStartScale16 = 2389;

// Paper length in millimetres by paper-size code. Codes not listed use the drawing width
// itself, so one stored unit is one millimetre.
double PaperLength(std::int32_t psize, std::int32_t drawWidth) {
  const std::optional<PaperSize> paper = PaperSizeOf(psize);
  return paper ? paper->width : drawWidth;
}

}  // namespace

void TJwcData::DataInit() {
  lineN = arcN = mojiN = tenN = 0;
  Enthd = TEntJwcHeader{};
  // Fresh vectors release the memory of the previous file.
  EntVten = {};
  EntMjtp = {};
  EntLgrp = {};
  EntLay = {};
  EntLine = {};
  EntArc = {};
  EntMoji = {};
  EntTen = {};
  readInfo = {};
}

bool TJwcData::ReadHeader(ByteReader& r) {
  TEntJwcHeader& h = Enthd;
  TDosBlock block;
  if (!ReadDosBlock(r, block)) return false;
  TDosIdent ident = DosIdentOf(block);
  h.jwID = std::move(ident.jwID);
  h.comment1 = std::move(ident.comment1);
  h.comment2 = std::move(ident.comment2);
  h.scaleF = h.jwID.size() > 22 && h.jwID[22] == u'f';

  if (!ReadDosBlock(r, block)) return false;
  {
    const TDosValues v(block, 32);
    h.lineCount = v.Int(0);
    h.arcCount = v.Int(1);
    h.mojiCount = v.Int(2);
    h.tenCount = v.Int(3);
    h.vtenCount = v.Int(4);
    h.curFno = v.Int(5);
    h.curMfno = v.Int(6);
    h.curMlcol = v.Int(7);
    h.curMpcol = v.Int(8);
    h.wLayScale = v.Single(9);
    h.wLayNo = v.Int(10);
    h.psize = v.Int(11);
    h.lcol = v.Int(12);
    h.ltyp = v.Int(13);
    h.plotOrgX = v.Single(14);
    h.plotOrgY = v.Single(15);
    h.lpitch1 = v.Single(16);
    h.lpitch2 = v.Single(17);
    h.drawtime = v.Int(18);
    for (int k = 0; k < 6; ++k) h.penWidth[static_cast<std::size_t>(k)] = v.Int(19 + k);
    h.gridX = v.Single(25);
    h.gridY = v.Single(26);
    h.gridOrgX = v.Single(27);
    h.gridOrgY = v.Single(28);
    h.gridScale = v.Single(29);
    h.drawWidth = v.Int(30);
    h.flgPthin = v.Int(31);
  }

  if (!ReadDosBlock(r, block)) return false;
  {
    const TDosValues v(block, 28);
    h.mvDist = v.Single(0);
    h.mtDist = v.Single(1);
    h.arLen = v.Single(2);
    h.arAng = v.Single(3);
    h.locMR = v.Int(4);
    h.flgMconma = v.Int(5);
    h.flgMzeros = v.Int(6);
    h.typLside = v.Int(7);
    h.mvUnit = v.Int(8);
    h.mvKeta = v.Int(9);
    h.sOfsetXL = v.Single(10);
    h.sOfsetXM = v.Single(11);
    h.sOfsetXR = v.Single(12);
    h.sOfsetYD = v.Single(13);
    h.sOfsetYM = v.Single(14);
    h.sOfsetYT = v.Single(15);
    h.s1len = v.Int(16);
    h.sOrgXm = v.Int(17);
    h.sOrgYm = v.Int(18);
    h.dlinDistB = v.Single(19);
    for (int k = 0; k < 5; ++k) h.dlinDist[static_cast<std::size_t>(k)] = v.Single(20 + k);
    h.svScrnOX = v.Single(25);
    h.svScrnOY = v.Single(26);
    h.svScrnScl = v.Single(27);
  }

  if (!ReadDosBlock(r, block)) return false;
  {
    const TDosValues v(block, 22);
    h.sBufAdr1 = v.Address(0);
    h.sBufAdr2 = v.Address(1);
    float* const zoom[15] = {&h.subZm0X, &h.subZm0Y, &h.subZm0S, &h.subZm1X, &h.subZm1Y,
                             &h.subZm1S, &h.subZm2X, &h.subZm2Y, &h.subZm2S, &h.subZm3X,
                             &h.subZm3Y, &h.subZm3S, &h.subZm4X, &h.subZm4Y, &h.subZm4S};
    for (int k = 0; k < 15; ++k) *zoom[k] = v.Single(2 + k);
    h.hiIdo = v.Single(17);
    h.hiHi = v.Single(18);
    h.hiTaka = v.Single(19);
    h.flgHok = v.Int(20);
    h.flg25Dm = v.Int(21);
  }

  if (h.drawWidth == 0) h.drawWidth = 518;
  h.dataUnit = static_cast<float>(PaperLength(h.psize, h.drawWidth) / h.drawWidth);
  return true;
}

bool TJwcData::ReadBody(ByteReader& r) {
  const TEntJwcHeader& h = Enthd;
  const float unit = h.dataUnit;

  EntVten.assign(kVtenCount, {});
  EntMjtp.assign(kMojiTypes, {});
  EntLgrp.assign(kGroups, {});
  EntLay.assign(kLayers, {});
  const std::int64_t areaBytes = static_cast<std::int64_t>(h.sBufAdr2) - h.sBufAdr1;
  DosSectionSizer sizer(r.size(), h.scaleF ? kRecordsStartScaleF : kRecordsStartScale16);
  if (!sizer.Size(EntLine, h.lineCount, kJwcLineBytes) ||
      !sizer.Size(EntArc, h.arcCount, kJwcArcBytes) ||
      !sizer.Size(EntMoji, h.mojiCount, kJwcMojiBytes))
    return false;
  sizer.Skip(areaBytes > 0 ? static_cast<std::uint64_t>(areaBytes) : 0);
  if (!sizer.Size(EntTen, h.tenCount, kJwcTenBytes)) return false;

  // Fixed sections: column by column, not record by record. The end of the data is not
  // a failure here; missing bytes read as zero.
  for (auto& v : EntVten) v.x = r.F32() * unit;
  for (auto& v : EntVten) v.y = r.F32() * unit;
  for (auto& v : EntVten) v.lay = r.U8();
  for (int k = 0; k < kStoredMojiTypes; ++k) EntMjtp[static_cast<std::size_t>(k)].penNo = r.U16();
  for (int k = 0; k < kStoredMojiTypes; ++k) EntMjtp[static_cast<std::size_t>(k)].width = r.U16();
  for (int k = 0; k < kStoredMojiTypes; ++k) EntMjtp[static_cast<std::size_t>(k)].height = r.U16();
  for (int k = 0; k < kStoredMojiTypes; ++k) EntMjtp[static_cast<std::size_t>(k)].dist = r.U16();
  for (auto& g : EntLgrp) g.scale = h.scaleF ? r.F32() : static_cast<float>(r.U16());
  for (auto& g : EntLgrp) g.srchF = r.U8();
  for (auto& l : EntLay) l.srchF = r.U8();
  for (auto& g : EntLgrp) g.dispF = r.U8();
  for (auto& l : EntLay) l.dispF = r.U8();
  for (auto& g : EntLgrp) g.w_lay = r.U8();

  if (!ReadDosRecords(r, h.lineCount, kJwcLineBytes, EntLine, lineN, [unit](const std::uint8_t* b) {
        TEntJwcLine e = DecodeJwcLine(b);
        e.x1 *= unit;
        e.y1 *= unit;
        e.x2 *= unit;
        e.y2 *= unit;
        return e;
      }))
    return false;
  if (!ReadDosRecords(r, h.arcCount, kJwcArcBytes, EntArc, arcN, [unit](const std::uint8_t* b) {
        TEntJwcArc2 e = DecodeJwcArc(b);
        e.x *= unit;
        e.y *= unit;
        e.r *= unit;
        return e;
      }))
    return false;
  if (!ReadDosRecords(r, h.mojiCount, kJwcMojiBytes, EntMoji, mojiN, [unit](const std::uint8_t* b) {
        TEntJwcMoji2 e = DecodeJwcMoji(b);
        e.x1 *= unit;
        e.y1 *= unit;
        e.x2 *= unit;
        e.y2 *= unit;
        // Real-mode address: offset at 16, segment at 18.
        const std::int32_t offset = LeU16At(b + 16);
        const std::int32_t segment = LeU16At(b + 18);
        e.p = segment * 16 + offset;
        return e;
      }))
    return false;

  if (areaBytes > 0) {
    // A view of the area; bytes the file lacks count as zero, so texts there are empty.
    const auto area = r.Take(static_cast<std::size_t>(areaBytes));
    if (area.empty()) return false;
    for (std::int32_t i = 0; i < mojiN; ++i) {
      auto& m = EntMoji[static_cast<std::size_t>(i)];
      m.s = DosAreaText(area, static_cast<std::int64_t>(m.p) - h.sBufAdr1, &readInfo.undecodable);
    }
  }

  if (!ReadDosRecords(r, h.tenCount, kJwcTenBytes, EntTen, tenN, [unit](const std::uint8_t* b) {
        TEntJwcTen e = DecodeJwcTen(b);
        e.x *= unit;
        e.y *= unit;
        return e;
      }))
    return false;

  for (auto& l : EntLay) {
    const auto field = r.Take(kLayerNameBytes);
    if (field.empty()) return false;
    l.name = DosNameText(field, &readInfo.undecodable);
  }
  for (auto& g : EntLgrp) {
    const auto field = r.Take(kGroupNameBytes);
    if (field.empty()) return false;
    g.name = DosNameText(field, &readInfo.undecodable);
  }
  return true;
}

}  // namespace glyphgrab
