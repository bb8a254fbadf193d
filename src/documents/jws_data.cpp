#include "documents/jws_data.h"

#include "documents/byte_reader.h"
#include "documents/jw_archive.h"
#include "documents/identification.h"
#include "util/file_bytes.h"

namespace glyphgrab {
namespace {

constexpr std::size_t kIdBytes = 7;
constexpr std::string_view kJwsId = "JwsData";
constexpr std::size_t kVersionAt = TJwsData::kCheckBytes - 4;  // bytes 7 to 199 are not used
constexpr std::int32_t kGroupState = 2;

}  // namespace

void TJwsData::DataInit() {
  Enthd = TEntJwsHeader{};
  EntLgrp.clear();
  EntMoj.clear();
  BodyInit();
}

void TJwsData::DataFree() {
  BodyFree();
  DataInit();
}

bool TJwsData::FileCheckBytes(ByteSpan bytes) {
  if (bytes.size() < kCheckBytes) return false;
  if (!IdentMatches(bytes, kJwsId)) return false;
  const auto v = static_cast<std::int32_t>(LeU32At(bytes.data() + kVersionAt));
  return v >= kMinVersion && v <= kMaxVersion;
}

TReadStatus TJwsData::ReadHeader(ByteReader& r) {
  EntLgrp.assign(kLayerGroups, {});
  TEntJwsHeader& h = Enthd;
  std::uint8_t id[kIdBytes];
  r.Read(id, kIdBytes);
  h.jwID = AnsiBytesToStr(ByteSpan(id, kIdBytes));
  if (!IdentMatches(ByteSpan(id, kIdBytes), kJwsId)) return TReadStatus::kNotFormat;
  r.Skip(kVersionAt - kIdBytes);
  h.jwVer = r.I32();
  if (h.jwVer < kMinVersion || h.jwVer > kMaxVersion) return TReadStatus::kNotFormat;
  h.BasePoint_x = r.F64();
  h.BasePoint_y = r.F64();
  for (TEntJwwLayerGroup& g : EntLgrp) {
    g.adScale = r.F64();
    g.anGLay = kGroupState;
    g.anWriteLay = 0;
    g.anGLayProtect = 0;
    g.aStrGLayName.clear();
  }
  for (std::int32_t* d : {&h.dmy01, &h.dmy02, &h.dmy03, &h.dmy04, &h.dmy05, &h.dmy06}) *d = r.I32();
  for (double* d : {&h.dmy11, &h.dmy12, &h.dmy13, &h.dmy14, &h.dmy15, &h.dmy16}) *d = r.F64();
  h.Mx1 = r.F64();
  h.My1 = r.F64();
  h.Mx2 = r.F64();
  const bool any = r.CheckedF64(h.My2);  // the file must reach its last field
  return any ? TReadStatus::kComplete : TReadStatus::kStopped;
}

}  // namespace glyphgrab
