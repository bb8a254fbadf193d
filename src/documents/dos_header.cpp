#include "documents/dos_header.h"

#include <cfloat>
#include <cmath>

#include "util/strings.h"
#include "util/values.h"

namespace glyphgrab {

bool ReadDosBlock(ByteReader& r, TDosBlock& block) {
  return r.Read(block.data(), block.size()) > 0;
}

TDosIdent DosIdentOf(const TDosBlock& block) {
  const ByteSpan b(block);
  return {AnsiBytesToStr(b.subspan(0, 40)), AnsiBytesToStr(b.subspan(40, 32)),
          AnsiBytesToStr(b.subspan(72, 32))};
}

std::vector<std::u16string> SplitParams(std::u16string_view text, int n, int* restField) {
  std::vector<std::u16string> para(static_cast<std::size_t>(std::max(n, 0)), u"0");
  if (restField) *restField = -1;
  for (int k = 0; k < n; ++k) {
    const auto comma = text.find(u',');
    if (comma == std::u16string_view::npos) {
      para[static_cast<std::size_t>(k)] = std::u16string(text);
      if (restField) *restField = k;
      break;
    }
    para[static_cast<std::size_t>(k)] = std::u16string(text.substr(0, comma));
    text.remove_prefix(comma + 1);
    if (text.empty()) break;
  }
  return para;
}

TDosValues::TDosValues(const TDosBlock& block, int n) {
  // The block followed by zero bytes, decoded whole: the text is the block's characters
  // and then NUL characters, which end every conversion.
  std::array<std::uint8_t, 256> buf{};
  std::copy(block.begin(), block.end(), buf.begin());
  int rest = -1;
  para_ = SplitParams(Cp932BytesToStr(buf), n, &rest);
  // The value after the last comma carries the block's blank filling and line feed;
  // without trimming them it would never read as a number.
  if (rest >= 0) {
    std::u16string& f = para_[static_cast<std::size_t>(rest)];
    while (!f.empty() && (f.back() == u' ' || f.back() == u'\n' || f.back() == u'\r' || f.back() == 0))
      f.pop_back();
  }
}

std::int32_t TDosValues::Int(int k) const { return TextToInt(para_[static_cast<std::size_t>(k)]); }

float TDosValues::Single(int k) const {
  const double v = TextToFloat(para_[static_cast<std::size_t>(k)]);
  return std::fabs(v) <= FLT_MAX ? static_cast<float>(v) : 0.0f;
}

std::int32_t TDosValues::Address(int k) const {
  const std::u16string& f = para_[static_cast<std::size_t>(k)];
  // Four hex digits, one separator that is not looked at, four hex digits.
  const std::int32_t segment = TextToInt(u"$" + StrMid(f, 0, 4));
  const std::int32_t offset = TextToInt(u"$" + StrMid(f, 5, 4));
  return segment * 16 + offset;
}

}  // namespace glyphgrab
