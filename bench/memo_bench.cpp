// The memo's bulk operations and the settings file codec.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <string>
#include <vector>

#include "browse/settings.h"
#include "memo/memo_file.h"
#include "memo/memo_text.h"

namespace glyphgrab {
namespace {

// Lines like those collected from drawings: kana, kanji, Latin and digits mixed.
std::vector<std::u16string> SampleLines(int n, int seed) {
  static const std::u16string parts[] = {u"通り芯", u"ｶﾞﾗｽ", u"GL+", u"天井高", u"FL", u"あ", u"Room", u"階段"};
  std::vector<std::u16string> lines;
  unsigned x = static_cast<unsigned>(seed) * 2654435761u + 1;
  for (int i = 0; i < n; ++i) {
    std::u16string line;
    for (int k = 0; k < 4; ++k) {
      x = x * 1103515245u + 12345u;
      line += parts[(x >> 16) % 8];
    }
    for (char c : std::to_string(i)) line.push_back(static_cast<char16_t>(c));
    lines.push_back(std::move(line));
  }
  return lines;
}

std::u16string Join(const std::vector<std::u16string>& lines) {
  std::u16string text;
  for (const auto& l : lines) text += l + u"\r\n";
  return text;
}

void BM_MemoSort(benchmark::State& state) {
  const std::u16string text = Join(SampleLines(static_cast<int>(state.range(0)), 1));
  for (auto _ : state) {
    TMemoText memo(text);
    memo.Sort();
    benchmark::DoNotOptimize(memo.Text().data());
  }
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}
BENCHMARK(BM_MemoSort)->Arg(1000)->Arg(20000);

// Adding a selection of 1000 lines, half of them already in the memo.
void BM_MemoAddSelected(benchmark::State& state) {
  const auto memoLines = SampleLines(static_cast<int>(state.range(0)), 2);
  const std::u16string text = Join(memoLines);
  std::vector<std::u16string> selected = SampleLines(500, 3);
  selected.insert(selected.end(), memoLines.begin(), memoLines.begin() + 500);
  for (auto _ : state) {
    TMemoText memo(text);
    benchmark::DoNotOptimize(memo.AddSelected(selected).added);
  }
  state.SetItemsProcessed(state.iterations() * static_cast<std::int64_t>(selected.size()));
}
BENCHMARK(BM_MemoAddSelected)->Arg(1000)->Arg(20000);

void BM_MemoFileBytes(benchmark::State& state) {
  const std::u16string text = Join(SampleLines(20000, 4));
  for (auto _ : state) benchmark::DoNotOptimize(MemoFileBytes(text).data());
  state.SetBytesProcessed(state.iterations() * static_cast<std::int64_t>(text.size() * 2));
}
BENCHMARK(BM_MemoFileBytes);

// One keystroke reaching Memo.txt: the edit taken from the box and the timed save, for
// a memo of range(0) lines (the file on the system's temporary folder).
void BM_MemoKeystrokeSave(benchmark::State& state) {
  const std::filesystem::path file =
      std::filesystem::temp_directory_path() / ("glyphgrab-bench-memo-" + std::to_string(state.range(0)) + ".txt");
  TMemoStore store(file.u16string());
  TMemoText memo(Join(SampleLines(static_cast<int>(state.range(0)), 2)));
  store.Save(memo.Text());
  std::u16string edited = memo.Text();
  for (auto _ : state) {
    edited.push_back(u'x');
    memo.SetText(edited);  // what the edit box hands back per keystroke
    const auto saved = store.Save(memo.Text());
    if (!saved.ok) state.SkipWithError("save failed");
  }
  std::filesystem::remove(file);
}
BENCHMARK(BM_MemoKeystrokeSave)->Arg(30)->Arg(300000)->Unit(benchmark::kMillisecond);

void BM_SettingsRoundTrip(benchmark::State& state) {
  TSettings s;
  s.rootFolder = u"/home/利用者/図面/";
  s.keywordHistory = SampleLines(30, 5);
  std::size_t bytes = 0;
  for (auto _ : state) {
    const Bytes file = SettingsFormat(s);
    bytes += file.size();
    benchmark::DoNotOptimize(SettingsParse(file).keywordHistory.size());
  }
  state.SetBytesProcessed(static_cast<std::int64_t>(bytes));
}
BENCHMARK(BM_SettingsRoundTrip);

}  // namespace
}  // namespace glyphgrab
