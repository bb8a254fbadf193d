#include "render/render_file.h"

#include <memory>

#include "documents/file_kind.h"
#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using Outcome = RenderFileResult::Outcome;

std::size_t StopPos(const TJwDocument& doc) { return doc.ReadStopPos; }
template <typename Doc>
std::size_t StopPos(const TDosDocument<Doc>& doc) { return doc.readInfo.stopPos; }

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
  const DocumentRead read = ReadDocument(kind, bytes, *docs);
  switch (read.doc) {
    case DocKind::kJww:
      out.model = RenderDrawing(docs->JWW);
      out.stopPos = StopPos(docs->JWW);
      break;
    case DocKind::kJws:
      out.model = RenderSymbol(docs->JWS);
      out.stopPos = StopPos(docs->JWS);
      break;
    case DocKind::kJwc:
      out.model = RenderDosDrawing(docs->JWC);
      out.stopPos = StopPos(docs->JWC);
      break;
    case DocKind::kJwk:
      out.model = RenderDosSymbol(docs->JWK);
      out.stopPos = StopPos(docs->JWK);
      break;
    case DocKind::kNone:
      out.outcome = Outcome::kNotFormat;
      return out;
  }
  out.outcome = read.whole ? Outcome::kRead : Outcome::kStopped;
  return out;
}

}  // namespace glyphgrab
