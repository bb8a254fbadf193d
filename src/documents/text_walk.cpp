#include "documents/text_walk.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <functional>

#include "documents/block_name.h"
#include "documents/jw_texts.h"

namespace glyphgrab {
namespace {

constexpr std::size_t kLayersPerGroup = 16;

template <typename Vec>
std::size_t Held(const Vec& items, std::int32_t count) {
  return std::min<std::size_t>(items.size(), static_cast<std::size_t>(std::max(count, 0)));
}

// The first `n` items, each through `text` (a member pointer or a function).
template <typename Vec, typename Text>
bool Each(TextVisitor& v, TextField field, const Vec& items, std::size_t n, Text text) {
  for (std::size_t i = 0; i < n; ++i)
    if (!v.Visit(field, std::invoke(text, items[i]))) return false;
  return true;
}

// Each group's name followed by the names of its layers.
template <typename Groups, typename GroupName, typename Layers, typename LayerName>
bool LayerNames(TextVisitor& v, const Groups& groups, GroupName groupName, const Layers& layers,
                LayerName layerName) {
  for (std::size_t g = 0; g < groups.size(); ++g) {
    if (!v.Visit(TextField::kLayerGroupName, std::invoke(groupName, groups[g]))) return false;
    for (std::size_t k = 0; k < kLayersPerGroup && g * kLayersPerGroup + k < layers.size(); ++k)
      if (!v.Visit(TextField::kLayerName, std::invoke(layerName, layers[g * kLayersPerGroup + k])))
        return false;
  }
  return true;
}

const std::u16string& SunpoText(const TEntJwwSunpo& s) { return s.Moji.str; }

// What a drawing and a symbol share: texts, dimension texts, block definitions. Nested
// insertions are not followed: each definition gives only its own texts.
bool WalkEntities(const TJwDocument& d, TextVisitor& v) {
  if (v.Enter(TextSection::kTexts) &&
      !Each(v, TextField::kText, d.EntMoji, Held(d.EntMoji, d.EntMojiN), &TEntJwwMoji::str)) {
    return false;
  }
  if (v.Enter(TextSection::kDimensionTexts) &&
      !Each(v, TextField::kDimensionText, d.EntSunpo, Held(d.EntSunpo, d.EntSunpoN), SunpoText)) {
    return false;
  }
  if (d.EntBlockDefN <= 0 || !v.Enter(TextSection::kBlocks)) return true;
  for (std::size_t k = 0; k < Held(d.EntBlockDef, d.EntBlockDefN); ++k) {
    const TEntJwwBlockDef& def = d.EntBlockDef[k];
    if (!v.Visit(TextField::kBlockName, VisibleBlockName(def.strName)) ||
        !Each(v, TextField::kBlockText, def.mMoji, Held(def.mMoji, def.mMojiN), &TEntJwwMoji::str) ||
        !Each(v, TextField::kBlockDimensionText, def.mSunpo, Held(def.mSunpo, def.mSunpoN), SunpoText)) {
      return false;
    }
  }
  return true;
}

// The part of a definition's name before the marker, as a view of the name.
std::u16string_view VisiblePart(std::u16string_view name) {
  if (name.find(u'@') == std::u16string_view::npos) return name;
  return name.substr(0, VisibleBlockName(name).size());
}

bool EachSpan(TextVisitor& v, TextField field, const TJwTexts& t, const std::vector<jw::TextSpan>& spans,
              std::size_t from, std::size_t to) {
  for (std::size_t i = from; i < to; ++i)
    if (!v.Visit(field, t.Text(spans[i]))) return false;
  return true;
}

bool WalkEntities(const TJwTexts& t, TextVisitor& v) {
  if (v.Enter(TextSection::kTexts) && !EachSpan(v, TextField::kText, t, t.texts(), 0, t.texts().size())) {
    return false;
  }
  if (v.Enter(TextSection::kDimensionTexts) &&
      !EachSpan(v, TextField::kDimensionText, t, t.dims(), 0, t.dims().size())) {
    return false;
  }
  if (t.definitions().empty() || !v.Enter(TextSection::kBlocks)) return true;
  for (const TJwTexts::Definition& def : t.definitions()) {
    if (!v.Visit(TextField::kBlockName, VisiblePart(t.Text(def.name))) ||
        !EachSpan(v, TextField::kBlockText, t, t.defTexts(), def.textsAt, def.textsEnd) ||
        !EachSpan(v, TextField::kBlockDimensionText, t, t.defDims(), def.dimsAt, def.dimsEnd)) {
      return false;
    }
  }
  return true;
}

// Memo, layer names, pen-colour and line-type names of a drawing.
bool WalkHeader(const TJwwData& d, TextVisitor& v) {
  if (v.Enter(TextSection::kDrawingMemo) && !v.Visit(TextField::kMemo, d.Enthd.strMemo)) return false;
  if (v.Enter(TextSection::kLayerNames) &&
      !LayerNames(v, d.EntLgrp, &TEntJwwLayerGroup::aStrGLayName, d.EntLay, &TEntJwwLayer::aStrLayName)) {
    return false;
  }
  if (v.Enter(TextSection::kPenColourNames) &&
      !Each(v, TextField::kPenColourName, d.EntColS, d.EntColS.size(), &TEntJwwColorExNo::astrUDColorName)) {
    return false;
  }
  return !v.Enter(TextSection::kLineTypeNames) ||
         Each(v, TextField::kLineTypeName, d.EntLtpS, d.EntLtpS.size(), &TEntJwwLineTypeExNo::astrUDLTypeName);
}

template <typename Doc>
bool DosMemo(const Doc& d, TextVisitor& v, TextSection section) {
  return !v.Enter(section) ||
         (v.Visit(TextField::kMemo, d.Enthd.comment1) && v.Visit(TextField::kMemo, d.Enthd.comment2));
}

template <typename Doc>
bool DosTexts(const Doc& d, TextVisitor& v) {
  return !v.Enter(TextSection::kTexts) ||
         Each(v, TextField::kText, d.EntMoji, Held(d.EntMoji, d.Enthd.mojiCount), &TEntJwcMoji2::s);
}

}  // namespace

bool WalkTexts(const TJwwData& d, TextVisitor& v) { return WalkHeader(d, v) && WalkEntities(d, v); }

bool WalkTexts(const TJwsData& d, TextVisitor& v) { return WalkEntities(d, v); }

bool WalkTexts(const TJwcData& d, TextVisitor& v) {
  if (!DosMemo(d, v, TextSection::kDrawingMemo)) return false;
  if (v.Enter(TextSection::kLayerNames) &&
      !LayerNames(v, d.EntLgrp, &TEntJwcLayerGroup::name, d.EntLay, &TEntJwcLayer::name)) {
    return false;
  }
  return DosTexts(d, v);
}

bool WalkTexts(const TJwkData& d, TextVisitor& v) {
  return DosMemo(d, v, TextSection::kSymbolMemo) && DosTexts(d, v);
}

bool WalkTexts(const TJwTexts& t, TextVisitor& v) {
  switch (t.kind()) {
    case DocKind::kJww: return WalkHeader(t.jww(), v) && WalkEntities(t, v);
    case DocKind::kJws: return WalkEntities(t, v);
    default: return true;
  }
}

bool WalkTexts(const TDocumentSet& docs, DocKind kind, TextVisitor& v) {
  return WithDocument(docs, kind, true, [&v](const auto& doc) { return WalkTexts(doc, v); });
}

}  // namespace glyphgrab
