// The list of extracted text lines: what the main window shows at its right and what
// `glyphgrab-cli extract` prints.
#pragma once

#include <string>
#include <string_view>
#include <cstdint>
#include <vector>

namespace glyphgrab {

class ExtractionList {
 public:
  // With removeBlanks, every half-width and full-width blank is taken out of each line.
  explicit ExtractionList(bool removeBlanks = false) : removeBlanks_(removeBlanks) {}

  void Clear();
  void SetRemoveBlanks(bool on) { removeBlanks_ = on; }

  // Appends one cleaned line unless it is blank or a line equal to it but for letter
  // case is already in the list. Control characters are always dropped. Returns whether
  // a line was added.
  bool ExtractAdd(std::u16string_view s);

  // Puts the lines into Japanese collation order, letter case ignored; equal lines keep
  // their order.
  void Sort();

  const std::vector<std::u16string>& lines() const { return lines_; }
  std::size_t size() const { return lines_.size(); }

 private:
  bool removeBlanks_;
  std::vector<std::u16string> lines_;
  // Open-addressed table of line indexes + 1 (0 = free), hashed by the case-folded line:
  // the duplicate test is one look-up, not a walk of the whole list, and builds no key.
  std::vector<std::uint32_t> slots_;
  // The hash of each line, so that growing the table hashes nothing again and a probe
  // compares texts only when their hashes agree.
  std::vector<std::size_t> hashes_;
  bool Insert(std::u16string_view line, std::size_t hash);
  // Rebuilds the open-addressing table (a power of two of slots) for the current lines.
  void Rehash(std::size_t slotCount);
};

// Section headers, written before each section unless sorting is on.
namespace section {
inline constexpr std::u16string_view kDrawingMemo = u"-----【図面メモ】-----";
inline constexpr std::u16string_view kSymbolMemo = u"-----【図形メモ】-----";
inline constexpr std::u16string_view kLayerNames = u"-----【レイヤ名】-----";
inline constexpr std::u16string_view kPenColourNames = u"-----【線色名】-----";
inline constexpr std::u16string_view kLineTypeNames = u"-----【線種名】-----";
inline constexpr std::u16string_view kTexts = u"-----【文字内容】-----";
inline constexpr std::u16string_view kDimensionTexts = u"-----【寸法値内容】-----";
inline constexpr std::u16string_view kBlocks = u"-----【ブロック内】-----";
}  // namespace section

// "【" + file name + "】", written before the texts of each file unless sorting is on.
std::u16string FileHeaderLine(std::u16string_view fileName);

// A section header is recognised by holding both "-----【" and "】-----".
bool IsSectionHeader(std::u16string_view line);

}  // namespace glyphgrab
