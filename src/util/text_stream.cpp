#include "util/text_stream.h"

#include <algorithm>
#include <optional>
#include <string>

#include "util/utf.h"

#include "util/file_bytes.h"

namespace glyphgrab {
namespace {

constexpr std::size_t kReadBytes = std::size_t{1} << 16;

// Splits decoded text into lines and hands them over, a line longer than a piece in
// pieces.
class LineSplitter {
 public:
  explicit LineSplitter(const TextPieceVisitor& visit) : visit_(visit) {}

  // False once the visitor has ended the reading.
  bool Feed(std::u16string_view text) {
    std::size_t p = 0;
    const std::size_t n = text.size();
    if (afterCr_ && n > 0) {
      afterCr_ = false;
      if (text[0] == u'\n') p = 1;
    }
    while (p < n) {
      std::size_t e = p;
      while (e < n && text[e] != u'\r' && text[e] != u'\n') ++e;
      line_.append(text.substr(p, e - p));
      if (!FlushPieces()) return false;
      if (e == n) break;
      if (!Hand(line_, true)) return false;
      line_.clear();
      inLine_ = false;
      if (text[e] == u'\r') {
        if (e + 1 == n) afterCr_ = true;
        else if (text[e + 1] == u'\n') ++e;
      }
      p = e + 1;
    }
    return true;
  }

  // The last line, unless the text ended with a line break.
  bool Finish() { return line_.empty() && !inLine_ ? true : Hand(line_, true); }

 private:
  const TextPieceVisitor& visit_;
  std::u16string line_;
  bool inLine_ = false;  // pieces of the current line were handed over already
  bool afterCr_ = false;

  bool Hand(std::u16string_view text, bool lineEnds) { return visit_(TextPiece{text, lineEnds}); }

  bool FlushPieces() {
    std::size_t from = 0;
    while (line_.size() - from >= kTextPieceUnits) {
      std::size_t cut = kTextPieceUnits;
      if (IsLeadSurrogate(line_[from + cut - 1])) --cut;  // keep the pair together
      if (!Hand(std::u16string_view(line_).substr(from, cut), false)) return false;
      inLine_ = true;
      from += cut;
    }
    line_.erase(0, from);
    return true;
  }
};

}  // namespace

bool StreamTextFile(std::u16string_view path, const TextPieceVisitor& visit, TextStreamInfo* info,
                    std::uint64_t byteLimit) {
  TextStreamInfo local;
  TextStreamInfo& result = info ? *info : local;
  result = TextStreamInfo{};
  ReadableFile file(path);
  if (!file.ok()) {
    result.error = file.error();
    return false;
  }

  Bytes buffer(kReadBytes);
  std::u16string text;
  LineSplitter lines(visit);
  std::uint64_t remaining = byteLimit;
  std::optional<TextDecoder> decoder;
  for (bool first = true;; first = false) {
    const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kReadBytes, remaining));
    const std::ptrdiff_t got = want == 0 ? 0 : file.Read(buffer.data(), want);
    if (got < 0) {
      result.error = file.error();
      return false;
    }
    const auto size = static_cast<std::size_t>(got);
    remaining -= size;
    const bool atEnd = size < want || want == 0;
    const bool cutByLimit = remaining == 0 && !(size < want);
    ByteSpan bytes(buffer.data(), size);
    if (first) {
      const ByteOrderMark mark = DetectByteOrderMark(bytes);
      if (mark.length > 0) {
        decoder.emplace(mark.encoding);
      } else {
        decoder.emplace(TextDecoder::ForUnmarkedText());
      }
      bytes = bytes.subspan(mark.length);
    }
    text.clear();
    // A character cut by the byte limit is dropped rather than shown as undecodable.
    decoder->Decode(bytes, atEnd && !cutByLimit, text);
    result.encoding = decoder->encoding();
    result.undecodable = decoder->undecodable();
    if (!lines.Feed(text)) {
      result.ended = true;
      return true;
    }
    if (atEnd || remaining == 0) break;
  }
  if (!lines.Finish()) result.ended = true;
  return true;
}

}  // namespace glyphgrab
