#include "documents/jw_texts.h"

#include "documents/byte_reader.h"

namespace glyphgrab {
namespace {

// Room kept from file to file, so that a walk allocates nothing for the usual drawing
// while one huge file does not hold its memory for the rest of the walk.
constexpr std::size_t kKeepBytes = std::size_t{32} << 20;

template <typename Buffer>
void Empty(Buffer& b) {
  if (b.capacity() * sizeof(b[0]) > kKeepBytes) {
    Buffer().swap(b);
  } else {
    b.clear();
  }
}

}  // namespace

// The reader's side of the archive body: the texts into its lists, nothing else kept.
class TJwTexts::Body {
 public:
  explicit Body(TJwTexts& t) : t_(t) {}

  void Drawing(std::int32_t, std::size_t) {}
  jw::ListResult DrawingList(jw::Archive& ar, std::int32_t count) {
    jw::TextTarget target{&t_.units_, &t_.texts_, &t_.dims_};
    return ar.ReadEntityTexts(count, target);
  }
  void Definitions(std::size_t n) { t_.defs_.assign(n, TJwTexts::Definition{}); }
  void Definition(std::size_t, const std::uint8_t*, std::uint32_t) {}
  void DefinitionName(std::size_t d, jw::Archive& ar) { t_.defs_[d].name = ar.AppendCleanText(t_.units_); }
  jw::ListResult DefinitionList(std::size_t d, jw::Archive& ar, std::int32_t count, std::size_t) {
    TJwTexts::Definition& def = t_.defs_[d];
    def.textsAt = t_.defTexts_.size();
    def.dimsAt = t_.defDims_.size();
    jw::TextTarget target{&t_.units_, &t_.defTexts_, &t_.defDims_};
    const jw::ListResult result = ar.ReadEntityTexts(count, target);
    def.textsEnd = t_.defTexts_.size();
    def.dimsEnd = t_.defDims_.size();
    return result;
  }

 private:
  TJwTexts& t_;
};

const TJwDocument& TJwTexts::header() const {
  return kind_ == DocKind::kJws ? static_cast<const TJwDocument&>(jws_) : jww_;
}
TJwDocument& TJwTexts::header() { return kind_ == DocKind::kJws ? static_cast<TJwDocument&>(jws_) : jww_; }

bool TJwTexts::Read(DocKind kind, ByteSpan bytes) {
  Empty(units_);
  Empty(texts_);
  Empty(dims_);
  Empty(defs_);
  Empty(defTexts_);
  Empty(defDims_);
  kind_ = kind;
  std::int32_t version = 0;
  std::int32_t n1 = 0, n2 = 0;
  if (kind == DocKind::kJww) {
    jww_.FileHeaderInBytes(bytes);
    version = jww_.Enthd.jwVer;
  } else if (kind == DocKind::kJws) {
    jws_.FileHeaderInBytes(bytes);
    version = jws_.Enthd.jwVer;
  } else {
    kind_ = DocKind::kNone;
    return false;
  }
  TReadInfo& info = header().readInfo;
  if (!info.complete()) return false;

  // The image table comes after the definitions and carries no texts: never read here.
  ByteReader r(bytes);
  r.Seek(info.stopPos);
  jw::Archive ar(r, version, header().MojiEncode);
  Body body(*this);
  info.status = jw::ReadArchiveBody(ar, body, n1, n2);
  info.undecodable += ar.undecodable();
  if (info.status == TReadStatus::kComplete && r.hitEnd()) info.status = TReadStatus::kStopped;
  info.stopPos = r.pos();
  return info.complete();
}

}  // namespace glyphgrab
