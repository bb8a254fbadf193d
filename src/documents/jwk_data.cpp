#include "documents/jwk_data.h"

#include "documents/dos_header.h"
#include "util/file_bytes.h"

namespace glyphgrab {
namespace {

constexpr int kMojiTypes = 12;
constexpr std::uint64_t kRecordsStart = 400;
// A smaller drawing scale is taken as unset.
constexpr double kMinScale = 1E-14;

}  // namespace

void TJwkData::DataInit() {
  lineN = arcN = tenN = mojiN = 0;
  Enthd = TEntJwkHeader{};
  EntLine = {};
  EntArc = {};
  EntTen = {};
  EntMoji = {};
  EntMjtp.assign(kMojiTypes, {});
  for (int k = 1; k <= 10; ++k) EntMjtp[static_cast<std::size_t>(k)] = DefaultMojiType(k - 1);
  readInfo = {};
}

void TJwkData::DataFree() {
  DataInit();
  EntMjtp = {};
}

bool TJwkData::ReadHeader(ByteReader& r) {
  TEntJwkHeader& h = Enthd;
  TDosBlock block;
  if (!ReadDosBlock(r, block)) return false;
  TDosIdent ident = DosIdentOf(block);
  h.jwID = std::move(ident.jwID);
  h.comment1 = std::move(ident.comment1);
  h.comment2 = std::move(ident.comment2);

  if (!ReadDosBlock(r, block)) return false;
  const TDosValues v(block, 9);
  h.lineCount = v.Int(0);
  h.arcCount = v.Int(1);
  h.tenCount = v.Int(2);
  h.mojiCount = v.Int(3);
  h.org_x = v.Single(4);
  h.org_y = v.Single(5);
  h.dispScale = v.Single(6);
  h.strSpace = v.Int(7);
  h.scale = v.Single(8);
  if (h.scale <= kMinScale) h.scale = 1.0f;
  return true;
}

bool TJwkData::ReadBody(ByteReader& r) {
  const TEntJwkHeader& h = Enthd;
  DosSectionSizer sizer(r.size(), kRecordsStart);
  if (!sizer.Size(EntLine, h.lineCount, kJwcLineBytes) ||
      !sizer.Size(EntArc, h.arcCount, kJwcArcBytes) ||
      !sizer.Size(EntTen, h.tenCount, kJwcTenBytes) ||
      !sizer.Size(EntMoji, h.mojiCount, kJwcMojiBytes))
    return false;

  if (!ReadDosRecords(r, h.lineCount, kJwcLineBytes, EntLine, lineN, DecodeJwcLine) ||
      !ReadDosRecords(r, h.arcCount, kJwcArcBytes, EntArc, arcN, DecodeJwcArc) ||
      !ReadDosRecords(r, h.tenCount, kJwcTenBytes, EntTen, tenN, DecodeJwcTen) ||
      !ReadDosRecords(r, h.mojiCount, kJwcMojiBytes, EntMoji, mojiN, [](const std::uint8_t* b) {
        TEntJwcMoji2 e = DecodeJwcMoji(b);
        // Offset into the string area at 16; bytes 18-19 are not used.
        e.p = LeU16At(b + 16);
        return e;
      }))
    return false;

  // Symbols without texts are written without their string area even when the header
  // declares one, so the area is looked for only when a text needs it.
  if (h.strSpace > 0 && h.mojiCount > 0) {
    const auto area = r.Take(static_cast<std::size_t>(h.strSpace));
    if (area.empty()) return false;
    for (auto& m : EntMoji) m.s = DosAreaText(area, m.p, &readInfo.undecodable);
  }
  return true;
}

}  // namespace glyphgrab
