#include "extract/drawing_extract.h"

#include <algorithm>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"

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

}  // namespace

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
