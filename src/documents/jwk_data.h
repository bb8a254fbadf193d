// TJwkData: a JWK symbol of the DOS generation of Jw_cad, read whole into memory.
//
// The file is a 400-byte text header (identification, two memo lines, one block of
// comma-separated values), then the line, arc, point and text records (points before
// texts, unlike JWC), then the text string area. Coordinates are stored unscaled. The
// file has no text types: the document carries the program's default ones.
//
// Reading never throws and answers false on failure; after a failed FileIn the document
// holds what was read, as TJwcData does. Not thread-safe: one document per thread.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "documents/dos_document.h"
#include "documents/dos_records.h"
#include "util/codepage.h"

namespace glyphgrab {

struct TEntJwkHeader {
  std::u16string jwID, comment1, comment2;
  std::int32_t lineCount = 0, arcCount = 0, tenCount = 0, mojiCount = 0;
  float org_x = 0, org_y = 0;
  float dispScale = 1.0f;
  // Size in bytes of the text string area.
  std::int32_t strSpace = 0;
  // 1E-14 or less in the file means 1.0.
  float scale = 1.0f;
};

class TJwkData : public TDosDocument<TJwkData> {
 public:
  // "jw_cad(c)sym" followed by eight full stops.
  static constexpr std::string_view kIdent = "jw_cad(c)sym........";
  static constexpr std::size_t kHeaderBytes = 400;

  TJwkData() { DataInit(); }

  // Empties the record arrays, zeroes the counters, resets the header and rebuilds the
  // 12 text types from the default ones.
  void DataInit();
  // DataInit, then the text types are emptied as well.
  void DataFree();


  // Records stored by the last FileIn.
  std::int32_t lineN = 0, arcN = 0, tenN = 0, mojiN = 0;
  TEntJwkHeader Enthd;
  // 12 text types: entries 1-10 the default ones, 0 and 11 zero. Never read from a file.
  std::vector<TEntJwcMojiType> EntMjtp;
  std::vector<TEntJwcLine> EntLine;
  std::vector<TEntJwcArc2> EntArc;
  std::vector<TEntJwcTen> EntTen;
  std::vector<TEntJwcMoji2> EntMoji;
  // Extents; reading neither sets nor clears them.
  double myMinWx = 0, myMinWy = 0, myMaxWx = 0, myMaxWy = 0;

 private:
  friend class TDosDocument<TJwkData>;
  bool ReadHeader(ByteReader& r);
  bool ReadBody(ByteReader& r);
};

}  // namespace glyphgrab
