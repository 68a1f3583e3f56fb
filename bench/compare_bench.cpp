// Comparison throughput: two replay-shaped files of six single columns, read and
// compared row by row. items_per_second is rows per second; the tool is meant to
// manage a million or more.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <random>

#include "compare/compare_csv.h"
#include "table/single_text.h"

namespace {

constexpr int kRows = 100000;

void writeRow(std::FILE* file, const float values[6]) {
  char text[6 * (substitute_host::kMaxOutputValueChars + 1)];
  char* p = text;
  for (int i = 0; i < 6; ++i) {
    if (i > 0) *p++ = ',';
    p = substitute_host::formatOutputValue(values[i], p);
  }
  *p++ = '\n';
  std::fwrite(text, 1, static_cast<std::size_t>(p - text), file);
}

// Normalised voltages as a replay writes them; the second file has one value in every
// hundred rows one ULP away, so both the equal and the differing path run.
struct FilePair {
  std::FILE* a = nullptr;
  std::FILE* b = nullptr;
};

FilePair replayShapedFiles() {
  static const FilePair files = [] {
    FilePair pair{std::tmpfile(), std::tmpfile()};
    if (pair.a == nullptr || pair.b == nullptr) return pair;
    std::mt19937 rng(2026);
    std::uniform_real_distribution<float> voltage(-1.2f, 1.2f);
    for (std::FILE* f : {pair.a, pair.b}) {
      std::fputs("vabcNorm1_a,vabcNorm1_b,vabcNorm1_c,vabcNorm2_a,vabcNorm2_b,vabcNorm2_c\n", f);
    }
    for (int row = 0; row < kRows; ++row) {
      float values[6];
      for (float& value : values) value = voltage(rng);
      writeRow(pair.a, values);
      if (row % 100 == 7) values[row % 6] = std::nextafter(values[row % 6], 2.0f);
      writeRow(pair.b, values);
    }
    std::fflush(pair.a);
    std::fflush(pair.b);
    return pair;
  }();
  return files;
}

void BM_CompareReplayOutputs(benchmark::State& state) {
  const FilePair files = replayShapedFiles();
  if (files.a == nullptr || files.b == nullptr) {
    state.SkipWithError("cannot make the files to compare");
    return;
  }
  for (auto _ : state) {
    std::rewind(files.a);
    std::rewind(files.b);
    const substitute_host::CompareOutcome outcome =
        substitute_host::compareCsv({files.a, "a"}, {files.b, "b"}, {});
    if (outcome.status != substitute_host::CompareOutcome::Status::compared ||
        outcome.rows != kRows || outcome.withinTolerance()) {
      state.SkipWithError("the comparison did not find the planted differences");
      break;
    }
    benchmark::DoNotOptimize(outcome.columns.data());
  }
  state.SetItemsProcessed(state.iterations() * kRows);
}
BENCHMARK(BM_CompareReplayOutputs)->Unit(benchmark::kMillisecond);

}  // namespace
