// Throughput of the two text operations the search runs on every text of every file.
#include <benchmark/benchmark.h>

#include <string>
#include <vector>

#include <unicode/ucnv.h>

#include "util/codepage.h"
#include "util/full_width.h"

namespace {

// Texts of the kind drawings carry: room names, dimensions, notes, layer names, mixed
// full- and half-width.
const std::vector<std::u16string>& Samples() {
  static const std::vector<std::u16string> samples = {
      u"１階平面図　S=1/100", u"洋室（６帖）", u"ｷｯﾁﾝ", u"W=1800 H=2100", u"寝室",
      u"LDK 16.5帖", u"構造用合板 t=12", u"記号・ハッチ", u"ﾕﾆｯﾄﾊﾞｽ 1616", u"玄関ポーチ",
      u"外壁：窯業系サイディング張り ｔ＝１６", u"GL+450", u"押入", u"Printer_Orientation = 0",
      u"屋根：ガルバリウム鋼板 横葺き", u"ﾊﾞﾙｺﾆｰ", u"吹抜", u"①通り芯", u"㈱設計事務所",
      u"ＦＩＸ窓 W=600"};
  return samples;
}

std::vector<std::uint8_t> EncodeCp932(const std::u16string& s) {
  UErrorCode err = U_ZERO_ERROR;
  UConverter* conv = ucnv_open("windows-31j", &err);
  std::vector<std::uint8_t> out(s.size() * 2 + 8);
  const int32_t n = ucnv_fromUChars(conv, reinterpret_cast<char*>(out.data()),
                                    static_cast<int32_t>(out.size()),
                                    reinterpret_cast<const UChar*>(s.data()),
                                    static_cast<int32_t>(s.size()), &err);
  ucnv_close(conv);
  out.resize(U_SUCCESS(err) ? static_cast<std::size_t>(n) : 0);
  return out;
}

void BM_AnsiBytesToStr(benchmark::State& state) {
  std::vector<std::vector<std::uint8_t>> encoded;
  std::size_t bytes = 0;
  for (const auto& s : Samples()) {
    encoded.push_back(EncodeCp932(s));
    bytes += encoded.back().size();
  }
  for (auto _ : state) {
    for (const auto& e : encoded) benchmark::DoNotOptimize(glyphgrab::AnsiBytesToStr(e));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_AnsiBytesToStr);

// A whole memo or text file decoded at once.
void BM_Cp932LongText(benchmark::State& state) {
  std::u16string text;
  while (text.size() < 64 * 1024)
    for (const auto& s : Samples()) text += s + u"\r\n";
  const auto encoded = EncodeCp932(text);
  for (auto _ : state) benchmark::DoNotOptimize(glyphgrab::Cp932BytesToStr(encoded));
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(encoded.size()));
}
BENCHMARK(BM_Cp932LongText);

// Bytes are counted as the UTF-16 input (two per unit).
void BM_NormalizeForMatch(benchmark::State& state) {
  std::size_t bytes = 0;
  for (const auto& s : Samples()) bytes += s.size() * 2;
  std::u16string out;
  for (auto _ : state) {
    for (const auto& s : Samples()) {
      glyphgrab::NormalizeForMatchInto(s, out);
      benchmark::DoNotOptimize(out);
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_NormalizeForMatch);

void BM_NormalizeForMatchAllocating(benchmark::State& state) {
  std::size_t bytes = 0;
  for (const auto& s : Samples()) bytes += s.size() * 2;
  for (auto _ : state) {
    for (const auto& s : Samples()) benchmark::DoNotOptimize(glyphgrab::NormalizeForMatch(s));
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_NormalizeForMatchAllocating);

}  // namespace
