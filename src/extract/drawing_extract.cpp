#include "extract/drawing_extract.h"

#include <algorithm>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"
#include "extract/block_name.h"

namespace glyphgrab {

namespace {

constexpr std::size_t kLayersPerGroup = 16;

// Only the entries a document holds are taken: a failed read may leave fewer than its
// count says.
template <typename Vec>
std::size_t Held(const Vec& items, std::int32_t count) {
  return std::min<std::size_t>(items.size(), static_cast<std::size_t>(std::max(count, 0)));
}

template <typename Moji>
void ExtractDosTexts(const std::vector<Moji>& moji, std::int32_t count, ExtractionList& list) {
  for (std::size_t i = 0; i < Held(moji, count); ++i) list.ExtractAdd(moji[i].s);
}

// The sections a drawing and a symbol share: texts, dimension texts, block definitions.
void ExtractEntitySections(const TJwDocument& doc, ExtractionList& list, const OptFlags& opt) {
  ExtractSectionHeader(list, opt, section::kTexts);
  for (std::size_t i = 0; i < Held(doc.EntMoji, doc.EntMojiN); ++i) list.ExtractAdd(doc.EntMoji[i].str);

  if (opt[kOptDimensions]) {
    ExtractSectionHeader(list, opt, section::kDimensionTexts);
    for (std::size_t i = 0; i < Held(doc.EntSunpo, doc.EntSunpoN); ++i)
      list.ExtractAdd(doc.EntSunpo[i].Moji.str);
  }

  // Nested insertions are not followed: each definition gives only its own texts.
  if (opt[kOptBlocks] && doc.EntBlockDefN > 0) {
    ExtractSectionHeader(list, opt, section::kBlocks);
    for (std::size_t d = 0; d < Held(doc.EntBlockDef, doc.EntBlockDefN); ++d) {
      const TEntJwwBlockDef& def = doc.EntBlockDef[d];
      list.ExtractAdd(VisibleBlockName(def.strName));
      for (std::size_t j = 0; j < Held(def.mMoji, def.mMojiN); ++j) list.ExtractAdd(def.mMoji[j].str);
      if (opt[kOptDimensions]) {
        for (std::size_t j = 0; j < Held(def.mSunpo, def.mSunpoN); ++j)
          list.ExtractAdd(def.mSunpo[j].Moji.str);
      }
    }
  }
}

}  // namespace

void ExtractJww(const TJwwData& doc, ExtractionList& list, const OptFlags& opt) {
  if (opt[kOptHeaderInfo]) {
    ExtractSectionHeader(list, opt, section::kDrawingMemo);
    list.ExtractAdd(doc.Enthd.strMemo);  // its line breaks vanish: the lines run together
    ExtractSectionHeader(list, opt, section::kLayerNames);
    for (std::size_t g = 0; g < doc.EntLgrp.size(); ++g) {
      list.ExtractAdd(doc.EntLgrp[g].aStrGLayName);
      for (std::size_t k = 0; k < kLayersPerGroup && g * kLayersPerGroup + k < doc.EntLay.size(); ++k)
        list.ExtractAdd(doc.EntLay[g * kLayersPerGroup + k].aStrLayName);
    }
    ExtractSectionHeader(list, opt, section::kPenColourNames);
    for (const auto& c : doc.EntColS) list.ExtractAdd(c.astrUDColorName);
    ExtractSectionHeader(list, opt, section::kLineTypeNames);
    for (const auto& t : doc.EntLtpS) list.ExtractAdd(t.astrUDLTypeName);
  }
  ExtractEntitySections(doc, list, opt);
}

void ExtractJws(const TJwsData& doc, ExtractionList& list, const OptFlags& opt) {
  ExtractEntitySections(doc, list, opt);
}

void ExtractSectionHeader(ExtractionList& list, const OptFlags& opt, std::u16string_view header) {
  if (!opt[kOptSort]) list.ExtractAdd(header);
}

void ExtractJwc(const TJwcData& doc, ExtractionList& list, const OptFlags& opt) {
  if (opt[kOptHeaderInfo]) {
    ExtractSectionHeader(list, opt, section::kDrawingMemo);
    list.ExtractAdd(doc.Enthd.comment1);
    list.ExtractAdd(doc.Enthd.comment2);
    ExtractSectionHeader(list, opt, section::kLayerNames);
    for (std::size_t g = 0; g < doc.EntLgrp.size(); ++g) {
      list.ExtractAdd(doc.EntLgrp[g].name);
      for (std::size_t k = 0; k < kLayersPerGroup && g * kLayersPerGroup + k < doc.EntLay.size(); ++k)
        list.ExtractAdd(doc.EntLay[g * kLayersPerGroup + k].name);
    }
  }
  ExtractSectionHeader(list, opt, section::kTexts);
  ExtractDosTexts(doc.EntMoji, doc.Enthd.mojiCount, list);
}

void ExtractJwk(const TJwkData& doc, ExtractionList& list, const OptFlags& opt) {
  if (opt[kOptHeaderInfo]) {
    ExtractSectionHeader(list, opt, section::kSymbolMemo);
    list.ExtractAdd(doc.Enthd.comment1);
    list.ExtractAdd(doc.Enthd.comment2);
  }
  ExtractSectionHeader(list, opt, section::kTexts);
  ExtractDosTexts(doc.EntMoji, doc.Enthd.mojiCount, list);
}

}  // namespace glyphgrab
