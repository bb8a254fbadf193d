// The texts of a document read from its bytes the cheapest way its kind allows: JWW and
// JWS through TJwTexts (no entity built), the other kinds whole. What search and the
// search index both walk, so a file gives them the same texts.
#pragma once

#include "documents/document_set.h"
#include "documents/jw_texts.h"
#include "documents/text_walk.h"
#include "util/file_bytes.h"

namespace glyphgrab {

// One reader per thread, kept from file to file.
class DocumentTextReader {
 public:
  // Reads `bytes` as a document of `kind` and walks its texts. The read's own answer is
  // not consulted: whatever it left in the document is walked. False when the visitor
  // ended the walk.
  bool Walk(DocKind kind, ByteSpan bytes, TextVisitor& visitor);

 private:
  TDocumentSet docs_;  // the kinds TJwTexts does not read
  TJwTexts texts_;
};

}  // namespace glyphgrab
