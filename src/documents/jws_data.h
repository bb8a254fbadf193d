// JWS symbols of the Windows generation of Jw_cad: a fixed 452-byte header followed by
// the same archive of entities and block definitions as a JWW drawing, without memo,
// layer tables or images.
//
// Reading never throws; see TJwwData for the conventions.
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

struct TEntJwsHeader {
  std::u16string jwID;  // "JwsData" in a valid file
  std::int32_t jwVer = 0;
  double BasePoint_x = 0, BasePoint_y = 0;
  std::int32_t dmy01 = 0, dmy02 = 0, dmy03 = 0, dmy04 = 0, dmy05 = 0, dmy06 = 0;
  double dmy11 = 0, dmy12 = 0, dmy13 = 0, dmy14 = 0, dmy15 = 0, dmy16 = 0;
  double Mx1 = 0, My1 = 0, Mx2 = 0, My2 = 0;
  std::int32_t n1 = 0;
  std::int32_t n2 = 0;
};

class TJwsData : public TJwFileDocument<TJwsData> {
 public:
  static constexpr std::int32_t kMinVersion = 230;
  static constexpr std::int32_t kMaxVersion = 700;
  static constexpr std::size_t kHeaderBytes = 452;
  static constexpr std::size_t kLayerGroups = 16;

  TEntJwsHeader Enthd;
  // 16 groups: only adScale comes from the file; state 2, write layer 0, protection 0
  // and an empty name otherwise.
  std::vector<TEntJwwLayerGroup> EntLgrp;
  std::vector<TEntJwwMojiType> EntMoj;  // always empty

  TJwsData() { DataInit(); }
  ~TJwsData() { DataFree(); }
  TJwsData(const TJwsData&) = delete;
  TJwsData& operator=(const TJwsData&) = delete;

  void DataInit();
  void DataFree();

  // The file check looks at "JwsData" and the version at byte 200.
  static constexpr std::size_t kCheckBytes = 204;
  static constexpr std::size_t kHeaderPrefix = kHeaderBytes;
  static bool FileCheckBytes(ByteSpan bytes);
  // A symbol has no image table, whatever its version.
  bool HasImageTable() const { return false; }

 private:
  friend class TJwFileDocument<TJwsData>;
  TReadStatus ReadHeader(ByteReader& r);
};

}  // namespace glyphgrab
