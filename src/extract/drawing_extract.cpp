#include "extract/drawing_extract.h"

#include "documents/jw_texts.h"
#include "documents/text_walk.h"

namespace glyphgrab {

namespace {

std::u16string_view HeaderOf(TextSection s) {
  switch (s) {
    case TextSection::kDrawingMemo: return section::kDrawingMemo;
    case TextSection::kSymbolMemo: return section::kSymbolMemo;
    case TextSection::kLayerNames: return section::kLayerNames;
    case TextSection::kPenColourNames: return section::kPenColourNames;
    case TextSection::kLineTypeNames: return section::kLineTypeNames;
    case TextSection::kTexts: return section::kTexts;
    case TextSection::kDimensionTexts: return section::kDimensionTexts;
    case TextSection::kBlocks: return section::kBlocks;
  }
  return {};
}

// Memo and name sections come with the header-information option, dimension texts (a
// definition's too) with the dimension option, block definitions with the block option;
// the texts always.
class ListWriter final : public TextVisitor {
 public:
  ListWriter(ExtractionList& list, const OptFlags& opt) : list_(list), opt_(opt) {}

  bool Enter(TextSection section) override {
    switch (section) {
      case TextSection::kTexts: break;
      case TextSection::kDimensionTexts:
        if (!opt_[kOptDimensions]) return false;
        break;
      case TextSection::kBlocks:
        if (!opt_[kOptBlocks]) return false;
        break;
      default:
        if (!opt_[kOptHeaderInfo]) return false;
        break;
    }
    ExtractSectionHeader(list_, opt_, HeaderOf(section));
    return true;
  }

  bool Visit(TextField field, std::u16string_view text) override {
    // A memo's line breaks vanish in ExtractAdd: its lines run together.
    if (field != TextField::kBlockDimensionText || opt_[kOptDimensions]) list_.ExtractAdd(text);
    return true;
  }

 private:
  ExtractionList& list_;
  const OptFlags& opt_;
};

template <typename Doc>
void Extract(const Doc& doc, ExtractionList& list, const OptFlags& opt) {
  ListWriter writer(list, opt);
  WalkTexts(doc, writer);
}

}  // namespace

void ExtractSectionHeader(ExtractionList& list, const OptFlags& opt, std::u16string_view header) {
  if (!opt[kOptSort]) list.ExtractAdd(header);
}

void ExtractJww(const TJwwData& doc, ExtractionList& list, const OptFlags& opt) { Extract(doc, list, opt); }
void ExtractJws(const TJwsData& doc, ExtractionList& list, const OptFlags& opt) { Extract(doc, list, opt); }
void ExtractJwc(const TJwcData& doc, ExtractionList& list, const OptFlags& opt) { Extract(doc, list, opt); }
void ExtractJwk(const TJwkData& doc, ExtractionList& list, const OptFlags& opt) { Extract(doc, list, opt); }

void ExtractTexts(const TJwTexts& texts, ExtractionList& list, const OptFlags& opt) { Extract(texts, list, opt); }

void ExtractDocument(const TDocumentSet& docs, DocKind kind, ExtractionList& list, const OptFlags& opt) {
  ListWriter writer(list, opt);
  WalkTexts(docs, kind, writer);
}

}  // namespace glyphgrab
