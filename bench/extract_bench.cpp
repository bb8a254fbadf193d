// Extraction from file to list: the duplicate test must stay a hash look-up (20,000
// distinct texts well under 10 times the cost of 2,000), the 70,000-entity drawing of
// the reader benchmarks end to end, and the HTML steps stay linear (a body of n tag-less
// lines and a line of n tags: 10 times the lines, about 10 times the time).
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

#include "bench/jw_synth.h"
#include "extract/extract_driver.h"
#include "util/codepage.h"
#include "util/paths.h"

namespace {

using namespace glyphgrab;

std::u16string WriteTemp(const std::string& name, const std::vector<std::uint8_t>& bytes) {
  const auto path = std::filesystem::temp_directory_path() /
                    ("glyphgrab-bench-" + std::to_string(::getpid()) + "-" + name);
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return NativeToPath(path.string());
}

std::vector<std::uint8_t> DrawingWithDistinctTexts(int n) {
  using namespace glyphgrab::testing;
  JwArchiveWriter w(600);
  WriteJwwHeader(w, {});
  w.Count(static_cast<std::uint32_t>(n));
  for (int k = 0; k < n; ++k) w.Moji(MojiOf(k, 0), Txt::Sjis(u"洋室" + Utf8ToStr(std::to_string(k)) + u" W=1800"));
  w.Count(0);
  return w.bytes();
}

void ExtractPath(benchmark::State& state, const std::u16string& path, std::size_t bytes,
                 const OptFlags& opt) {
  TDocumentSet docs;
  ExtractionList list;
  for (auto _ : state) {
    ExtractFiles({path}, opt, docs, list, nullptr);
    benchmark::DoNotOptimize(list.size());
  }
  state.counters["lines"] = static_cast<double>(list.size());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes));
  RemoveFile(path);
}

void BM_ExtractDistinctTexts(benchmark::State& state) {
  const int n = static_cast<int>(state.range(0));
  const auto bytes = DrawingWithDistinctTexts(n);
  ExtractPath(state, WriteTemp("distinct-" + std::to_string(n) + ".jww", bytes), bytes.size(), OptFlags{});
}
BENCHMARK(BM_ExtractDistinctTexts)->Arg(2000)->Arg(20000)->Unit(benchmark::kMillisecond);

void BM_ExtractSynthesizedDrawing(benchmark::State& state) {
  const auto bytes = bench::SynthesizedDrawing();
  OptFlags all{};
  all[kOptHeaderInfo] = all[kOptBlocks] = all[kOptDimensions] = true;
  ExtractPath(state, WriteTemp("synth.jww", bytes), bytes.size(), all);
}
BENCHMARK(BM_ExtractSynthesizedDrawing)->Unit(benchmark::kMillisecond);

std::vector<std::uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

void BM_ExtractHtmlTaglessBody(benchmark::State& state) {
  std::string html = "<html><title>T</title><body>\n";
  for (int k = 0; k < state.range(0); ++k) html += "plain text of line " + std::to_string(k) + "\n";
  html += "</body>\n";
  ExtractPath(state, WriteTemp("tagless.html", Bytes(html)), html.size(), OptFlags{});
}
BENCHMARK(BM_ExtractHtmlTaglessBody)->Arg(4000)->Arg(40000)->Unit(benchmark::kMillisecond);

void BM_ExtractHtmlLineOfTags(benchmark::State& state) {
  const std::string html = "<body>\n" + std::string(static_cast<std::size_t>(state.range(0)), '<') + "\n";
  ExtractPath(state, WriteTemp("tags.html", Bytes(html)), html.size(), OptFlags{});
}
BENCHMARK(BM_ExtractHtmlLineOfTags)->Arg(20000)->Arg(200000)->Unit(benchmark::kMillisecond);

}  // namespace
