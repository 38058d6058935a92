// Drawing the board's pictures at the sizes no bitmap ships for: what a change of view
// size or display scale costs before the first paint at that size.
//   build/native/record_bench --benchmark_filter=Draw
#include <benchmark/benchmark.h>

#include "drawing/button_art.h"
#include "drawing/label_art.h"
#include "drawing/tile_art.h"

namespace {

// A master as large as the shipped ones (19 cells of 144 pixels), a numeral's worth of ink
// in each cell: the filter's cost does not depend on the ink.
Coverage Master() {
  Coverage mask;
  mask.width = 19 * 144;
  mask.height = 144;
  mask.values.assign(static_cast<std::size_t>(mask.width) * mask.height, 0);
  for (int y = 40; y < 104; ++y) {
    for (int x = 0; x < mask.width; ++x) mask.values[y * mask.width + x] = (x % 144) / 40 == 1 ? 255 : 0;
  }
  return mask;
}

void BM_DrawTileSheet(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DrawTileSheet(static_cast<int>(state.range(0))));
}
// The small view at 175 %, the medium at 200 %, the largest at 200 % and at 300 %.
BENCHMARK(BM_DrawTileSheet)->Arg(42)->Arg(64)->Arg(96)->Arg(144)->Unit(benchmark::kMillisecond);

void BM_DrawColumnLabels(benchmark::State& state) {
  const Coverage master = Master();
  for (auto _ : state) {
    benchmark::DoNotOptimize(DrawColumnLabels(master, 144, static_cast<int>(state.range(0))));
  }
}
BENCHMARK(BM_DrawColumnLabels)->Arg(42)->Arg(64)->Arg(96)->Arg(144)->Unit(benchmark::kMillisecond);

void BM_DrawButtonSheet(benchmark::State& state) {
  for (auto _ : state) benchmark::DoNotOptimize(DrawButtonSheet(static_cast<int>(state.range(0))));
}
// The buttons at 150 %, 200 % and 300 %.
BENCHMARK(BM_DrawButtonSheet)->Arg(48)->Arg(64)->Arg(96)->Unit(benchmark::kMillisecond);

}  // namespace
