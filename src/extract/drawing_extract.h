// Extraction of the four Jw_cad document kinds into the extraction list, as FileIn left
// each document (also after a read that stopped part way).
#pragma once

#include <string>
#include <string_view>

#include "documents/document_set.h"
#include "extract/extraction_list.h"
#include "extract/opt_flags.h"

namespace glyphgrab {

class TJwTexts;

// Writes a section header unless sorting is on (sorted lists carry no headers).
void ExtractSectionHeader(ExtractionList& list, const OptFlags& opt, std::u16string_view header);

// Memo, layer, pen-colour and line-type names with the header-information option; the
// texts; the dimension texts with the dimension option; the block definitions (name,
// texts, dimension texts with that option) with the block option.
void ExtractJww(const TJwwData& doc, ExtractionList& list, const OptFlags& opt);
// The texts, dimension and block sections of ExtractJww: a symbol has no memo or names.
void ExtractJws(const TJwsData& doc, ExtractionList& list, const OptFlags& opt);

// Memo and layer sections with the header-information option, then the texts.
void ExtractJwc(const TJwcData& doc, ExtractionList& list, const OptFlags& opt);
// Symbol memo with the header-information option, then the texts.
void ExtractJwk(const TJwkData& doc, ExtractionList& list, const OptFlags& opt);

// ExtractJww or ExtractJws on the texts a text reader took from a drawing or symbol.
void ExtractTexts(const TJwTexts& texts, ExtractionList& list, const OptFlags& opt);

// The one of the four above that the document of `kind` takes; nothing for kNone.
void ExtractDocument(const TDocumentSet& docs, DocKind kind, ExtractionList& list, const OptFlags& opt);

}  // namespace glyphgrab
