// A drawing or symbol file to its render model, chosen by its extension.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "documents/document_set.h"
#include "documents/file_kind.h"
#include "render/render_model.h"

namespace glyphgrab {

struct RenderFileResult {
  enum class Outcome {
    kRead,        // read whole
    kStopped,     // read part way: what came before `stopPos` is drawn
    kNotFormat,   // not of its extension's format
    kCannotRead,  // missing, unreadable or a folder (`error` says why)
    kNoDrawing,   // an extension that carries no drawing (.txt and the like)
  };
  RenderModel model;
  Outcome outcome = Outcome::kNoDrawing;
  std::size_t stopPos = 0;
  int error = 0;
};

// Every drawing and symbol kind of the file-kind table (.jww, .jw$, the backups .bak and
// .bk*, .jws, .jwc, .jwk), in any letter case.
RenderFileResult RenderFile(std::u16string_view path);

// The document of kind `doc` that `docs` holds, drawn (an empty model for kNone).
RenderModel RenderDocument(const TDocumentSet& docs, DocKind doc);

}  // namespace glyphgrab
