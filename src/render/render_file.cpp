#include "render/render_file.h"

#include <memory>

#include "documents/file_kind.h"
#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using Outcome = RenderFileResult::Outcome;

}  // namespace

RenderFileResult RenderFile(std::u16string_view path) {
  RenderFileResult out;
  const FileKind kind = FileKindOf(FileExtLower(path));
  if (ReadersOf(kind).count == 0) return out;
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, &out.error)) {
    out.outcome = Outcome::kCannotRead;
    return out;
  }
  auto docs = std::make_unique<TDocumentSet>();
  const DocKind doc = ReadDocument(kind, bytes, *docs);
  switch (doc) {
    case DocKind::kJww:
      out.model = RenderDrawing(docs->JWW);
      break;
    case DocKind::kJws:
      out.model = RenderSymbol(docs->JWS);
      break;
    case DocKind::kJwc:
      out.model = RenderDosDrawing(docs->JWC);
      break;
    case DocKind::kJwk:
      out.model = RenderDosSymbol(docs->JWK);
      break;
    case DocKind::kNone:
      out.outcome = Outcome::kNotFormat;
      return out;
  }
  const TReadInfo& info = ReadInfoOf(*docs, doc);
  out.outcome = info.complete() ? Outcome::kRead : Outcome::kStopped;
  out.stopPos = info.stopPos;
  return out;
}

}  // namespace glyphgrab
