// The texts of a JWW drawing or a JWS symbol, read without building the entities that
// carry none: what extraction and search take from these documents. The header is read
// as FileHeaderIn reads it; of the entity lists and block definitions only the texts,
// dimension texts and definition names are kept, and reading stops where FileIn stops,
// with the same status and the same count of undecodable bytes.
//
// One reader serves file after file: its buffers keep the room they grew to, so a walk
// over many files allocates next to nothing per file and nothing per entity. Not
// thread-safe; one reader per thread.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "documents/document_set.h"
#include "documents/jw_archive.h"
#include "documents/read_info.h"
#include "util/codepage.h"

namespace glyphgrab {

class TJwTexts {
 public:
  // Whether a document of `kind` is read here: its entry's kTextReader (JWW and JWS).
  static bool Reads(DocKind kind) {
    return WithDocEntry(kind, false, [](auto entry) { return decltype(entry)::kTextReader; });
  }

  struct Definition {
    jw::TextSpan name;  // as stored, marker included
    // Its texts are defTexts()[textsAt, textsEnd), its dimension texts defDims()[dimsAt,
    // dimsEnd).
    std::size_t textsAt = 0, textsEnd = 0;
    std::size_t dimsAt = 0, dimsEnd = 0;
  };

  // Reads `bytes` as a document of `kind` (kJww or kJws; nothing else is read). True when
  // every part was read, as FileIn answers.
  bool Read(DocKind kind, ByteSpan bytes);

  DocKind kind() const { return kind_; }
  const TReadInfo& readInfo() const { return header().readInfo; }
  // The header's memo and tables (JWW) or the header alone (JWS), as FileHeaderIn left them.
  const TJwwData& jww() const { return jww_; }

  std::u16string_view Text(jw::TextSpan s) const { return std::u16string_view(units_).substr(s.at, s.size); }
  const std::vector<jw::TextSpan>& texts() const { return texts_; }
  const std::vector<jw::TextSpan>& dims() const { return dims_; }
  // One entry for each definition FileIn would hold, also those that a stop left empty.
  const std::vector<Definition>& definitions() const { return defs_; }
  const std::vector<jw::TextSpan>& defTexts() const { return defTexts_; }
  const std::vector<jw::TextSpan>& defDims() const { return defDims_; }

 private:
  class Body;
  const TJwDocument& header() const;
  TJwDocument& header();

  DocKind kind_ = DocKind::kNone;
  TJwwData jww_;
  TJwsData jws_;
  std::u16string units_;  // every text of the body, back to back
  std::vector<jw::TextSpan> texts_, dims_;
  std::vector<Definition> defs_;
  std::vector<jw::TextSpan> defTexts_, defDims_;
};

}  // namespace glyphgrab
