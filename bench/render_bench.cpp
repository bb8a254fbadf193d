// From file to render model: the 70,000-entity synthesized drawing read and turned into
// primitives, and the primitives alone.
#include <benchmark/benchmark.h>

#include "bench/jw_synth.h"
#include "documents/jww_data.h"
#include "render/render_model.h"

namespace {

const std::vector<std::uint8_t>& Synth() {
  static const std::vector<std::uint8_t> bytes = glyphgrab::bench::SynthesizedDrawing();
  return bytes;
}

void BM_FileToRenderModel(benchmark::State& state) {
  for (auto _ : state) {
    glyphgrab::TJwwData doc;
    if (!doc.FileInBytes(Synth())) state.SkipWithError("synthesized drawing did not read");
    glyphgrab::RenderModel model = glyphgrab::RenderDrawing(doc);
    benchmark::DoNotOptimize(model.items.data());
  }
}
BENCHMARK(BM_FileToRenderModel)->Unit(benchmark::kMillisecond);

void BM_RenderModelOnly(benchmark::State& state) {
  glyphgrab::TJwwData doc;
  if (!doc.FileInBytes(Synth())) state.SkipWithError("synthesized drawing did not read");
  for (auto _ : state) {
    glyphgrab::RenderModel model = glyphgrab::RenderDrawing(doc);
    state.counters["primitives"] = static_cast<double>(model.items.size());
    benchmark::DoNotOptimize(model.items.data());
  }
}
BENCHMARK(BM_RenderModelOnly)->Unit(benchmark::kMillisecond);

}  // namespace
