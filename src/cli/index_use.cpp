#include "cli/index_use.h"

#include "cli/cli_util.h"
#include "util/paths.h"

namespace glyphgrab::cli {

void ReportIndexNote(const IndexNote& note, std::ostream& err) {
  switch (note.trouble) {
    case IndexTrouble::kNone: return;
    case IndexTrouble::kSetAside:
      err << "glyphgrab-cli: the search index was damaged or not of this version; set aside as "
          << PathToNative(note.path) << " and made anew\n";
      return;
    case IndexTrouble::kUnavailable:
      err << "glyphgrab-cli: searching without the index: "
          << (note.path.empty() ? std::string("no cache folder") : PathToNative(note.path));
      if (note.error != 0) {
        err << ": " << ErrorReason(note.error);
      } else if (!note.detail.empty()) {
        err << ": " << note.detail;
      }
      err << '\n';
      return;
  }
}

bool OpenSearchIndex(IndexStore& store, std::ostream& err) {
  IndexNote note;
  const bool open = store.Open(IndexFolder(), note);
  ReportIndexNote(note, err);
  return open;
}

}  // namespace glyphgrab::cli
