#pragma once

#include <benchmark/benchmark.h>

#include <vector>

#include "headless/HeadlessContext.h"
#include "objects/SceneObject.h"
#include "render/RenderSettings.h"

// The mixed grid the frame benchmarks draw: the 21 primitive kinds cycled
// over 40 x 25 places 0.3 apart, a third of them outlined, at resolution
// reso.
void FillMixedTable(ObjectTable& table, int reso = 36);

// The laid-out picture's GL state in ctx (628 x 377, perspective, the
// default lights of rs); false, with the run skipped, without GL.
bool StartLaidOutPicture(HeadlessContext& ctx, RenderSettings& rs, benchmark::State& state);

// The table at its defaults with the demo cell loaded; false, with the run
// skipped, when it cannot be read.
bool LoadDemoCell(ObjectTable& table, benchmark::State& state);

// The counters of a kept frame measured against its floor, iteration by
// iteration: mean CPU ms of each, and the median, least and largest ratio.
void ReportKeptAgainstFloor(benchmark::State& state, std::vector<double> ratios, double kept, double floor);
