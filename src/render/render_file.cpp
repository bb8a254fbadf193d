#include "render/render_file.h"

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"
#include "util/file_bytes.h"
#include "util/paths.h"

namespace glyphgrab {
namespace {

using Outcome = RenderFileResult::Outcome;

template <typename Doc, typename Render>
void Read(ByteSpan bytes, RenderFileResult& out, Render render) {
  Doc doc;
  if (!Doc::FileCheckBytes(bytes)) {
    out.outcome = Outcome::kNotFormat;
    return;
  }
  const bool whole = doc.FileInBytes(bytes);
  out.model = render(doc);
  out.outcome = whole ? Outcome::kRead : Outcome::kStopped;
  if constexpr (requires { doc.ReadStopPos; }) {
    out.stopPos = doc.ReadStopPos;
  } else {
    out.stopPos = doc.readInfo.stopPos;
  }
}

}  // namespace

RenderFileResult RenderFile(std::u16string_view path) {
  RenderFileResult out;
  const std::u16string ext = FileExtLower(path);
  // A backup (.bak, .bk1 and the like) is a drawing of either generation, as extraction
  // takes it.
  const bool backup = ext == u".bak" || ext.starts_with(u".bk");
  const bool jww = ext == u".jww" || backup;
  if (!jww && ext != u".jws" && ext != u".jwc" && ext != u".jwk") return out;
  Bytes bytes;
  if (!ReadWholeFile(path, bytes, &out.error)) {
    out.outcome = Outcome::kCannotRead;
    return out;
  }
  if (backup && TJwcData::FileCheckBytes(bytes)) {
    Read<TJwcData>(bytes, out, [](const TJwcData& d) { return RenderDosDrawing(d); });
  } else if (jww) {
    Read<TJwwData>(bytes, out, [](const TJwwData& d) { return RenderDrawing(d); });
  } else if (ext == u".jws") {
    Read<TJwsData>(bytes, out, [](const TJwsData& d) { return RenderSymbol(d); });
  } else if (ext == u".jwc") {
    Read<TJwcData>(bytes, out, [](const TJwcData& d) { return RenderDosDrawing(d); });
  } else {
    Read<TJwkData>(bytes, out, [](const TJwkData& d) { return RenderDosSymbol(d); });
  }
  return out;
}

}  // namespace glyphgrab
