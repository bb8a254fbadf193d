// Extraction of the four Jw_cad document kinds into the extraction list, as FileIn left
// each document (also after a read that stopped part way).
#pragma once

#include <string>
#include <string_view>

#include "browse/opt_flags.h"
#include "extract/extraction_list.h"

namespace glyphgrab {

class TJwcData;
class TJwkData;

// Writes a section header unless sorting is on (sorted lists carry no headers).
void ExtractSectionHeader(ExtractionList& list, const OptFlags& opt, std::u16string_view header);

// Memo and layer sections with the header-information option, then the texts.
void ExtractJwc(const TJwcData& doc, ExtractionList& list, const OptFlags& opt);
// Symbol memo with the header-information option, then the texts.
void ExtractJwk(const TJwkData& doc, ExtractionList& list, const OptFlags& opt);

}  // namespace glyphgrab
