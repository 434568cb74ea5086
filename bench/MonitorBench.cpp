#include <benchmark/benchmark.h>

#include <memory>

#include "arm/MonitorGraph.h"
#include "arm/MonitorGraphDraw.h"

namespace {

// One Calc: J1 to J5 swept in tenths of a degree, 16905 tool points.
void BM_MonitorCalc(benchmark::State& state) {
  auto store = std::make_unique<MonitorStore>();
  const float joints[6] = {0, 0, 90, 0, 0, 0};
  for (auto _ : state) {
    store->Calc(joints);
    benchmark::DoNotOptimize(store->Samples(kGraphZ, 0));
  }
}
BENCHMARK(BM_MonitorCalc)->Unit(benchmark::kMicrosecond);

// The drawing commands of one filled 500 x 240 graph at the default ranges.
void BM_MonitorGraphDrawList(benchmark::State& state) {
  auto store = std::make_unique<MonitorStore>();
  const float joints[6] = {0, 0, 90, 0, 0, 0};
  store->Calc(joints);
  MonitorControls c;
  c.imageWidth = 500;
  c.imageHeight = 240;
  c.xRangePosition = 7200;
  c.yRangePosition = 20;
  c.yShiftPosition = -10;
  c.drawLegend = c.mark = true;
  const MonitorSettings s = ReadMonitorSettings(c);
  const TextWidthFn width = [](const std::string& t) { return 7 * static_cast<int>(t.size()); };
  for (auto _ : state) {
    DrawList list = DrawMonitorGraph(s, store->Curves(kGraphZ), joints, {440, 14}, width);
    benchmark::DoNotOptimize(list.data());
  }
}
BENCHMARK(BM_MonitorGraphDrawList)->Unit(benchmark::kMicrosecond);

}  // namespace
