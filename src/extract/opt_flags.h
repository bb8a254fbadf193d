// The fourteen on/off options of extraction and search, kept in the settings file.
#pragma once

#include <array>
#include <cstddef>

#include "documents/file_kind.h"

namespace glyphgrab {

// Index names for OptFlags; plain enumerators so that `flags[kOptSort]` reads naturally.
enum OptFlag : std::size_t {
  kOptHeaderInfo = 0,      // extraction: memo, layer, colour and line-type sections
  kOptBlocks = 1,          // extraction: block definitions
  kOptDimensions = 2,      // extraction: dimension texts
  kOptRemoveBlanks = 3,    // extraction: remove every blank from each line
  kOptSort = 4,            // extraction: sort the list afterwards, without header lines
  kOptSearchJww = 5,       // search window check boxes, in their order
  kOptSearchJws = 6,
  kOptSearchJwc = 7,
  kOptSearchJwk = 8,
  kOptSearchTxt = 9,
  kOptSearchCsv = 10,
  kOptSearchHtml = 11,
  kOptSearchNames = 12,    // "ファイル名検索"
  kOptSearchContents = 13, // "ファイル内容検索"
};

inline constexpr std::size_t kOptFlagCount = 14;

// All false at program start.
using OptFlags = std::array<bool, kOptFlagCount>;

// The search types as the settings keep them: one flag per kind of kSearchKinds, in
// that order, from kOptSearchJww on.
inline FileKindSet SearchKindsOf(const OptFlags& flags) {
  FileKindSet kinds;
  for (std::size_t i = 0; i < kSearchKinds.size(); ++i) kinds.Set(kSearchKinds[i], flags[kOptSearchJww + i]);
  return kinds;
}
inline void StoreSearchKinds(FileKindSet kinds, OptFlags& flags) {
  for (std::size_t i = 0; i < kSearchKinds.size(); ++i) flags[kOptSearchJww + i] = kinds.Has(kSearchKinds[i]);
}
static_assert(kOptSearchJww + kSearchKinds.size() == kOptSearchNames);

}  // namespace glyphgrab
