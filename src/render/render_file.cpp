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
  if (doc == DocKind::kNone) {
    out.outcome = Outcome::kNotFormat;
    return out;
  }
  out.model = RenderDocument(*docs, doc);
  const TReadInfo& info = ReadInfoOf(*docs, doc);
  out.outcome = info.complete() ? Outcome::kRead : Outcome::kStopped;
  out.stopPos = info.stopPos;
  return out;
}

RenderModel RenderDocument(const TDocumentSet& docs, DocKind doc) {
  return WithDocument(docs, doc, RenderModel{}, [](const auto& d) { return RenderDocument(d); });
}

}  // namespace glyphgrab
