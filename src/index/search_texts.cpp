#include "index/search_texts.h"

#include <cstring>

#include "util/full_width.h"
#include "util/text_stream.h"

namespace glyphgrab {

bool SearchTextsHold(std::u16string_view texts, std::u16string_view keyword) {
  return SearchTextsHold(std::string_view(reinterpret_cast<const char*>(texts.data()), texts.size() * sizeof(char16_t)),
                         keyword);
}

bool SearchTextsHold(std::string_view textBytes, std::u16string_view keyword) {
  if (keyword.empty()) return false;
  // memchr finds the candidates (the first byte of the keyword's first unit) far faster
  // than a loop over units; a candidate counts only where a unit begins.
  const auto* key = reinterpret_cast<const char*>(keyword.data());
  const std::size_t keyBytes = keyword.size() * sizeof(char16_t);
  if (textBytes.size() < keyBytes) return false;
  const char* at = textBytes.data();
  const char* const last = textBytes.data() + (textBytes.size() - keyBytes);
  while (at <= last) {
    const auto* hit = static_cast<const char*>(std::memchr(at, key[0], static_cast<std::size_t>(last - at) + 1));
    if (!hit) return false;
    if (((hit - textBytes.data()) & 1) == 0 && std::memcmp(hit, key, keyBytes) == 0) return true;
    at = hit + 1;
  }
  return false;
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
  FieldCollector collect(field_, texts);
  return reader_.Walk(doc, buffer_.bytes(), collect);
}

}  // namespace glyphgrab
