// Throughput of the JWW and JWS readers: FileIn on the synthesized drawing and on the
// real files of the corpus, FileHeaderIn and FileCheck on files (they read only the
// start of a file). Bytes per second are the input's bytes.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "bench/jw_synth.h"
#include "documents/jws_data.h"
#include "documents/jww_data.h"
#include "util/codepage.h"

namespace {

namespace fs = std::filesystem;
using namespace glyphgrab;

struct CorpusFile {
  std::u16string path;
  Bytes bytes;
};

std::vector<CorpusFile> LoadCorpus(const char* folder) {
  std::vector<CorpusFile> out;
  std::error_code ec;
  for (const auto& e : fs::directory_iterator(fs::path(GLYPHGRAB_CORPUS_DIR) / folder, ec)) {
    std::ifstream in(e.path(), std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    const std::string raw = s.str();
    out.push_back({Utf8ToStr(e.path().string()), Bytes(raw.begin(), raw.end())});
  }
  std::sort(out.begin(), out.end(), [](const auto& a, const auto& b) { return a.path < b.path; });
  return out;
}

const std::vector<std::uint8_t>& Synth() {
  static const std::vector<std::uint8_t> bytes = bench::SynthesizedDrawing();
  return bytes;
}

void BM_JwwFileInSynthesized(benchmark::State& state) {
  TJwwData doc;
  for (auto _ : state) {
    if (!doc.FileInBytes(Synth())) state.SkipWithError("synthesized drawing did not read");
    benchmark::DoNotOptimize(doc.EntMojiN);
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(Synth().size()));
  state.counters["entities"] = doc.Enthd.n1;
  state.counters["file_MiB"] = static_cast<double>(Synth().size()) / (1 << 20);
}
BENCHMARK(BM_JwwFileInSynthesized)->Unit(benchmark::kMillisecond);

template <typename Doc>
void FileInCorpus(benchmark::State& state, const char* folder) {
  static const std::vector<CorpusFile> files = LoadCorpus(folder);
  if (files.empty()) {
    state.SkipWithError("corpus absent");
    return;
  }
  std::size_t total = 0;
  for (const auto& f : files) total += f.bytes.size();
  Doc doc;
  for (auto _ : state) {
    for (const auto& f : files) {
      if (!doc.FileInBytes(f.bytes)) state.SkipWithError("a corpus file did not read");
      benchmark::DoNotOptimize(doc.EntMojiN);
    }
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(total));
  state.counters["files"] = static_cast<double>(files.size());
}
void BM_JwwFileInCorpus(benchmark::State& state) { FileInCorpus<TJwwData>(state, "jww"); }
void BM_JwsFileInCorpus(benchmark::State& state) { FileInCorpus<TJwsData>(state, "jws"); }
BENCHMARK(BM_JwwFileInCorpus)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_JwsFileInCorpus)->Unit(benchmark::kMillisecond);

// From the file system, as the file list calls them: per file.
void BM_JwwHeaderFromFiles(benchmark::State& state) {
  static const std::vector<CorpusFile> files = LoadCorpus("jww");
  if (files.empty()) {
    state.SkipWithError("corpus absent");
    return;
  }
  TJwwData doc;
  for (auto _ : state) {
    for (const auto& f : files) {
      benchmark::DoNotOptimize(doc.FileCheck(f.path) && doc.FileHeaderIn(f.path));
    }
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(files.size()));
}
BENCHMARK(BM_JwwHeaderFromFiles)->Unit(benchmark::kMicrosecond);

}  // namespace
