// Reading a JWC drawing and a JWK symbol whole: a synthesized drawing of 100,000 records
// (50,000 lines, 15,000 arcs, 25,000 texts, 10,000 points) with texts of the kinds real
// drawings carry. Bytes are counted as the file's size.
//
// Peak memory: run the on-disk benchmark alone under /usr/bin/time -v, twice (the first
// run writes the drawing):
//   /usr/bin/time -v build/bench/glyphgrab_bench_dos --benchmark_filter='BM_JwcFileIn$'
#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/jwc_data.h"
#include "documents/jwk_data.h"
#include "fixtures/dos_builder.h"
#include "util/codepage.h"

namespace {

using namespace glyphgrab::testing;

// Shift_JIS texts: room names, sizes, notes, half-width katakana.
const char* const kTexts[] = {
    "\x97\x6d\x8e\xba\x81\x69\x82\x55\x92\xa0\x81\x6a",  // 洋室（６帖）
    "W=1800 H=2100",
    "\xb7\xaf\xc1\xdd",                                  // ｷｯﾁﾝ
    "\x90\x51\x8e\xba",                                  // 寝室
    "LDK 16.5\x92\xa0",                                  // LDK 16.5帖
    "\x8d\x5c\x91\xa2\x97\x70\x8d\x87\x94\xc2 t=12",    // 構造用合板 t=12
    "GL+450",
    "\x8c\xba\x8a\xd6\x83\x7c\x81\x5b\x83\x60",          // 玄関ポーチ
};

std::vector<std::uint8_t> SynthesizedJwc() {
  JwcFixture f;
  f.comment1 = "\x82\x50\x8a\x4b\x95\xbd\x96\xca\x90\x7d";  // １階平面図
  f.comment2 = "S=1/100";
  f.block2[11] = "3";
  f.block2[30] = "518";
  f.lines.resize(50000);
  for (std::size_t i = 0; i < f.lines.size(); ++i)
    f.lines[i] = DosLine{float(i), float(i % 97), float(i + 10), float(i % 89), 1, 2, std::uint8_t(i % 256)};
  f.arcs.resize(15000);
  for (std::size_t i = 0; i < f.arcs.size(); ++i)
    f.arcs[i] = DosArc{float(i), 0, 5, 10000, 0, 180 * 65536, 0, 1, 1, std::uint8_t(i % 256)};
  f.texts.resize(25000);
  for (std::size_t i = 0; i < f.texts.size(); ++i) {
    f.texts[i].text = kTexts[i % (sizeof kTexts / sizeof *kTexts)];
    f.texts[i].x1 = float(i);
  }
  f.points.resize(10000);
  for (std::size_t i = 0; i < f.points.size(); ++i) f.points[i] = DosPoint{float(i), float(i)};
  for (std::size_t l = 0; l < 256; ++l) f.layerNames[l] = "LAY" + std::to_string(l);
  for (std::size_t g = 0; g < 16; ++g) f.groupNames[g] = "GROUP" + std::to_string(g);
  return f.Build();
}

const std::vector<std::uint8_t>& JwcBytes() {
  static const std::vector<std::uint8_t> bytes = SynthesizedJwc();
  return bytes;
}

// The drawing on disk. Written by the first run and reused by later ones, so that a run
// under /usr/bin/time measures the reader's peak memory, not the builder's.
const std::u16string& JwcPath() {
  static const std::u16string path = [] {
    const auto p = std::filesystem::temp_directory_path() / "glyphgrab-bench-100k-v1.jwc";
    std::error_code ec;
    if (!std::filesystem::is_regular_file(p, ec)) {
      const std::vector<std::uint8_t> bytes = SynthesizedJwc();
      std::ofstream(p, std::ios::binary)
          .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    }
    return glyphgrab::Utf8ToStr(p.string());
  }();
  return path;
}

void BM_JwcFileInBytes(benchmark::State& state) {
  const auto& bytes = JwcBytes();
  glyphgrab::TJwcData d;
  for (auto _ : state) {
    if (!d.FileInBytes(bytes)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(d.EntMoji.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
  state.counters["file_bytes"] = static_cast<double>(bytes.size());
}
BENCHMARK(BM_JwcFileInBytes)->Unit(benchmark::kMillisecond);

// The whole operation as the tool runs it: the file read from the (cached) disk.
void BM_JwcFileIn(benchmark::State& state) {
  const std::u16string& path = JwcPath();
  const auto size = std::filesystem::file_size(glyphgrab::StrToUtf8(path));
  glyphgrab::TJwcData d;
  for (auto _ : state) {
    if (!d.FileIn(path)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(d.EntMoji.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(size));
}
BENCHMARK(BM_JwcFileIn)->Unit(benchmark::kMillisecond);

void BM_JwkFileInBytes(benchmark::State& state) {
  JwkFixture f;
  f.lines.resize(5000);
  f.arcs.resize(1000);
  f.texts.resize(2000);
  for (std::size_t i = 0; i < f.texts.size(); ++i) f.texts[i].text = kTexts[i % (sizeof kTexts / sizeof *kTexts)];
  // JWK text positions are 16-bit: keep the area under 64 KiB.
  const auto bytes = f.Build();
  glyphgrab::TJwkData d;
  for (auto _ : state) {
    if (!d.FileInBytes(bytes)) state.SkipWithError("read failed");
    benchmark::DoNotOptimize(d.EntMoji.data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(bytes.size()));
}
BENCHMARK(BM_JwkFileInBytes)->Unit(benchmark::kMicrosecond);

}  // namespace
