// One document object of each Jw_cad kind, reused for every file and emptied after each.
// The main window owns one set, and the search walk owns its own.
#pragma once

#include <cstddef>
#include <string>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"

namespace glyphgrab {

// Which document of a set holds a file: a drawing or symbol of either generation.
enum class DocKind { kNone, kJww, kJws, kJwc, kJwk };

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
  // Releases the one document of `kind` (JwwDataFree for JWW).
  void Free(DocKind kind);
  // Empties the document of `kind` after a file of `fileSize` bytes for the next one. A
  // drawing or symbol keeps the room its arrays grew to, which saves allocating them
  // again, unless the file was over kKeepRoomLimit: then, as always for the DOS
  // kinds, its memory goes back (Free).
  static constexpr std::size_t kKeepRoomLimit = std::size_t{4} << 20;
  void Empty(DocKind kind, std::size_t fileSize);
};

// How the last read of the document of `kind` ended; a status of kNotRead for kNone.
const TReadInfo& ReadInfoOf(const TDocumentSet& docs, DocKind kind);

// Releases a JWW document and deletes the image files its read unpacked.
void JwwDataFree(TJwwData& jww);

}  // namespace glyphgrab
