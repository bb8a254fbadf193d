// The search index as the search commands use it: opened when wanted, and what went
// wrong with it said in one line on stderr.
#pragma once

#include <ostream>

#include "index/index_store.h"

namespace glyphgrab::cli {

// Opens the index in IndexFolder(); its note, if any, goes to `err`. False when no index
// can be used.
bool OpenSearchIndex(IndexStore& store, std::ostream& err);
// One line on `err` for a note (nothing for kNone).
void ReportIndexNote(const IndexNote& note, std::ostream& err);

}  // namespace glyphgrab::cli
