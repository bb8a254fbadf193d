#include "documents/document_texts.h"

#include "documents/file_kind.h"

namespace glyphgrab {

bool DocumentTextReader::Walk(DocKind kind, ByteSpan bytes, TextVisitor& visitor) {
  if (TJwTexts::Reads(kind)) {
    texts_.Read(kind, bytes);
    return WalkTexts(texts_, visitor);
  }
  ReadWhole(kind, bytes, docs_);
  const bool whole = WalkTexts(docs_, kind, visitor);
  docs_.Empty(kind, bytes.size());
  return whole;
}

}  // namespace glyphgrab
