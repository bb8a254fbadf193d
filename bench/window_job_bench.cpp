// The window jobs' promptness and the cost of the engine's cancellation checks.
//
// BM_SwitchSelection: 3,000 drawings selected, then one other at once. Reported per
// iteration (manual time = until the other's texts show): `first_ended_ms`, how long
// after the second click the first selection's worker stopped reading (its job's end
// event); `shown_ms`, when the other's texts were on the view.
//
// BM_ExtractWithChecks / BM_RenderWithChecks: the 70,000-entity drawing extracted and
// rendered on a thread without a job (arg 0: the checks find no token) and inside a live
// job's CancelScope (arg 1: every check reads the token), so the two figures bound what
// the checks cost.
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include "bench/jw_synth.h"
#include "extract/extract_driver.h"
#include "render/render_file.h"
#include "ui/ui_fixture.h"
#include "util/cancel.h"
#include "util/paths.h"

namespace {

using namespace glyphgrab;
using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

void BM_SwitchSelection(benchmark::State& state) {
  testing::UiFixture f;
  const auto drawing = bench::SynthesizedDrawing(0.01);  // about 700 entities
  for (int i = 0; i < 3000; ++i) {
    std::ofstream(f.a / ("d" + std::to_string(i) + ".jww"), std::ios::binary)
        .write(reinterpret_cast<const char*>(drawing.data()), static_cast<std::streamsize>(drawing.size()));
  }
  f.dir.Write("root/a/zz-other.txt", "the other\r\n");
  f.SaveUsualSettings();
  f.Start();
  std::atomic<std::int64_t> firstEnded{0};
  std::atomic<unsigned> firstGeneration{0};
  f.logic->extractionJob().SetEventHook([&](ui::WindowJob::Event e, unsigned generation, CancelToken::Ending) {
    if (e == ui::WindowJob::Event::kEnds && generation == firstGeneration) {
      firstEnded = Clock::now().time_since_epoch().count();
    }
  });
  double endedSum = 0, shownSum = 0;
  for (auto _ : state) {
    std::vector<int> all;
    for (std::size_t r = 0; r < f.view.rows.size(); ++r) {
      if (f.view.rows[r] != u"zz-other.txt") all.push_back(static_cast<int>(r));
    }
    f.view.selectedRows = all;
    firstEnded = 0;
    f.logic->ListView1Click();
    firstGeneration = f.logic->extractionJob().generation();
    std::this_thread::sleep_for(std::chrono::milliseconds(20));  // the first run is reading
    f.SelectFiles({u"zz-other.txt"});
    const auto click = Clock::now();
    f.logic->ListView1Click();
    f.view.RunUntil([&] { return !f.logic->ExtractionRunning(); });
    const auto shown = Clock::now();
    while (firstEnded == 0) std::this_thread::yield();
    const Clock::time_point ended{Clock::duration(firstEnded.load())};
    benchmark::DoNotOptimize(f.view.lines.size());
    if (f.view.lines.empty() || f.view.lines.front() != u"【zz-other.txt】") {
      state.SkipWithError(f.view.lines.empty() ? "no texts" : std::string(f.view.lines.front().begin(), f.view.lines.front().end()).c_str());
      break;
    }
    state.SetIterationTime(std::chrono::duration<double>(shown - click).count());
    endedSum += Ms(ended - click);
    shownSum += Ms(shown - click);
  }
  const double n = static_cast<double>(state.iterations());
  state.counters["first_ended_ms"] = endedSum / n;
  state.counters["shown_ms"] = shownSum / n;
}
BENCHMARK(BM_SwitchSelection)->UseManualTime()->Iterations(5)->Unit(benchmark::kMillisecond);

std::u16string SynthesizedFile() {
  static const std::u16string path = [] {
    const auto p = std::filesystem::temp_directory_path() / "glyphgrab-bench-cancel-checks.jww";
    const auto bytes = bench::SynthesizedDrawing();
    std::ofstream(p, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    return NativeToPath(p.string());
  }();
  return path;
}

void BM_ExtractWithChecks(benchmark::State& state) {
  const std::u16string path = SynthesizedFile();
  CancelToken token;
  const CancelScope scope(state.range(0) != 0 ? &token : nullptr);
  OptFlags all{};
  all[kOptHeaderInfo] = all[kOptBlocks] = all[kOptDimensions] = true;
  TDocumentSet docs;
  ExtractionList list;
  for (auto _ : state) {
    ExtractFiles({path}, all, docs, list, nullptr);
    benchmark::DoNotOptimize(list.size());
  }
}
BENCHMARK(BM_ExtractWithChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_RenderWithChecks(benchmark::State& state) {
  const std::u16string path = SynthesizedFile();
  CancelToken token;
  const CancelScope scope(state.range(0) != 0 ? &token : nullptr);
  for (auto _ : state) {
    auto model = RenderFile(path);
    benchmark::DoNotOptimize(model);
  }
}
BENCHMARK(BM_RenderWithChecks)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace
