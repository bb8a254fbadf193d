#include "index/search_texts.h"

#include "documents/text_walk.h"
#include "util/full_width.h"
#include "util/text_stream.h"

namespace glyphgrab {

bool SearchTextsHold(std::u16string_view texts, std::u16string_view keyword) {
  return !keyword.empty() && texts.find(keyword) != std::u16string_view::npos;
}

namespace {

// Appends one field in its normalised form; a field of blanks alone is left out, as it
// can never match.
void AddField(std::u16string_view field, std::u16string& buffer, std::u16string& texts) {
  NormalizeForMatchInto(field, buffer);
  if (buffer.empty()) return;
  if (!texts.empty()) texts.push_back(kSearchTextsSeparator);
  texts += buffer;
}

class FieldCollector final : public TextVisitor {
 public:
  FieldCollector(std::u16string& buffer, std::u16string& texts) : buffer_(buffer), texts_(texts) {}
  bool Enter(TextSection) override { return true; }
  bool Visit(TextField, std::u16string_view text) override {
    AddField(text, buffer_, texts_);
    return texts_.size() <= SearchTextReader::kMaxUnits;
  }

 private:
  std::u16string& buffer_;
  std::u16string& texts_;
};

}  // namespace

bool SearchTextReader::Read(const std::u16string& path, FileKind kind, std::u16string& texts, int& error) {
  texts.clear();
  error = 0;
  if (IsTextKind(kind)) {
    // Lines as the search reads them, each normalised whole.
    line_.clear();
    TextStreamInfo info;
    const auto visit = [&](const TextPiece& piece) {
      line_.append(piece.text);
      if (piece.lineEnds) {
        AddField(line_, field_, texts);
        line_.clear();
      }
      return texts.size() + line_.size() <= kMaxUnits;
    };
    if (!StreamTextFile(path, visit, &info)) {
      error = info.error;
      return false;
    }
    return !info.ended;
  }
  const DocKind doc = DocumentOf(kind);
  if (doc == DocKind::kNone) return true;
  if (!buffer_.Read(path, &error)) return false;
  // As the search does: the reader's answer is not consulted; whatever it left in the
  // document is searched.
  ReadWhole(doc, buffer_.bytes(), docs_);
  FieldCollector collect(field_, texts);
  const bool whole = WalkTexts(docs_, doc, collect);
  docs_.Empty(doc, buffer_.bytes().size());
  return whole;
}

}  // namespace glyphgrab
