// One document object of each Jw_cad kind, reused for every file and emptied after each.
// The main window owns one set, and the search walk owns its own.
#pragma once

#include <string>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"

namespace glyphgrab {

struct TDocumentSet {
  TJwwData JWW;
  TJwsData JWS;
  TJwcData JWC;
  TJwkData JWK;

  // Embedded images would be unpacked into `imageFolder`; unpacking stays off, so the
  // folder stays empty.
  explicit TDocumentSet(const std::u16string& imageFolder = {});

  // Releases all four, JWC, JWK, JWW, JWS in this order.
  void FreeAll();
};

// Releases a JWW document and deletes the image files its read unpacked.
void JwwDataFree(TJwwData& jww);

}  // namespace glyphgrab
