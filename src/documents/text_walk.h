// The texts a document carries, section by section, in the order the extraction list
// shows them: memo, layer names, pen-colour names, line-type names, texts, dimension
// texts, block definitions. Extraction and search both walk them here, so the two cannot
// disagree on which fields a kind has.
#pragma once

#include <string_view>

#include "documents/document_set.h"

namespace glyphgrab {

class TJwTexts;

enum class TextSection {
  kDrawingMemo,     // JWW, JWC
  kSymbolMemo,      // JWK
  kLayerNames,      // JWW, JWC: each group's name followed by its 16 layers' names
  kPenColourNames,  // JWW
  kLineTypeNames,   // JWW
  kTexts,           // every kind
  kDimensionTexts,  // JWW, JWS
  kBlocks,          // JWW, JWS, only when the document holds block definitions
};

enum class TextField {
  kMemo,
  kLayerGroupName,
  kLayerName,
  kPenColourName,
  kLineTypeName,
  kText,
  kDimensionText,
  kBlockName,  // the visible part of a definition's name
  kBlockText,
  kBlockDimensionText,
};

class TextVisitor {
 public:
  // Before each section the document has; false skips the section.
  virtual bool Enter(TextSection section) = 0;
  // One text of the entered section; false ends the walk.
  virtual bool Visit(TextField field, std::u16string_view text) = 0;

 protected:
  ~TextVisitor() = default;
};

// Only the entries a document holds are walked: a read that stopped part way may leave
// fewer than its counts say. Each returns false when the visitor ended the walk.
bool WalkTexts(const TJwwData& doc, TextVisitor& visitor);
bool WalkTexts(const TJwsData& doc, TextVisitor& visitor);  // texts, dimensions, blocks
bool WalkTexts(const TJwcData& doc, TextVisitor& visitor);
bool WalkTexts(const TJwkData& doc, TextVisitor& visitor);  // memo and texts
// The texts a text reader took from a drawing or symbol: the same walk as for the
// document that FileIn would have filled.
bool WalkTexts(const TJwTexts& texts, TextVisitor& visitor);
// The document of `kind` in `docs`; true for kNone.
bool WalkTexts(const TDocumentSet& docs, DocKind kind, TextVisitor& visitor);

}  // namespace glyphgrab
