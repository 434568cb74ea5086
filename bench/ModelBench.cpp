// Model files: reading a million-triangle STL, a frame that shows it
// against the floor of the same triangles in one array, and exporting the
// demo cell.
#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <deque>
#include <fstream>
#include <memory>
#include <string>
#include <unistd.h>

#include "headless/HeadlessContext.h"
#include "models/CadWriter.h"
#include "models/ModelImport.h"
#include "BenchScenes.h"
#include "models/ModelLibrary.h"
#include "models/SceneExport.h"
#include "objects/ObjectFile.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/MeshDraw.h"
#include "render/ObjectListCache.h"
#include "render/RenderContext.h"

namespace {

// A rolling height field of rows x cols quads (two triangles each) as a
// binary STL, 1 m square: written once per run.
std::string MillionTriangleStl() {
  static const std::string path = [] {
    const std::string p = "/tmp/tessaly-bench-1m-" + std::to_string(::getpid()) + ".stl";
    const int rows = 500, cols = 1000;
    std::ofstream f(p, std::ios::binary);
    f << std::string(80, ' ');
    const uint32_t n = 2u * rows * cols;
    f.write(reinterpret_cast<const char*>(&n), 4);
    auto height = [](double x, double y) { return 0.05 * std::sin(20 * x) * std::cos(13 * y); };
    for (int r = 0; r < rows; ++r)
      for (int c = 0; c < cols; ++c) {
        const double x0 = double(c) / cols, x1 = double(c + 1) / cols, y0 = double(r) / rows, y1 = double(r + 1) / rows;
        const double q[4][3] = {{x0, y0, height(x0, y0)}, {x1, y0, height(x1, y0)}, {x1, y1, height(x1, y1)},
                                {x0, y1, height(x0, y1)}};
        static const int kHalves[2][3] = {{0, 1, 2}, {0, 2, 3}};
        for (const int* t : kHalves) {
          float rec[12] = {};
          for (int k = 0; k < 3; ++k)
            for (int a = 0; a < 3; ++a) rec[3 + 3 * k + a] = static_cast<float>(q[t[k]][a]);
          f.write(reinterpret_cast<const char*>(rec), sizeof rec);
          f.write("\0\0", 2);
        }
      }
    return p;
  }();
  return path;
}

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

}  // namespace

// Reading (in the child reader and back), then corners, normals and edges.
void BM_ReadMillionTriangleStl(benchmark::State& state) {
  const std::string path = MillionTriangleStl();
  size_t triangles = 0;
  for (auto _ : state) {
    ModelData m;
    const std::string why = ImportModel(path, ModelOptions{}, &m);
    if (!why.empty()) state.SkipWithError(why.c_str());
    triangles = m.TriangleCount();
  }
  state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_ReadMillionTriangleStl)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// A kept frame with the model record against the empty frame plus the
// model's triangles drawn from one array (the floor).
void BM_FrameMillionTriangleModel(benchmark::State& state) {
  HeadlessContext ctx(628, 377);
  RenderSettings rs;
  if (!StartLaidOutPicture(ctx, rs, state)) return;
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  SceneObject& rec = (*table)[0];
  rec.Enbl = true;
  rec.Shp = ShapeKind::Model;
  rec.Text = MillionTriangleStl();
  rec.X = -0.5f;
  rec.Y = -0.5f;
  ModelLibrary::Shared().Find(rec.Text, ModelOptions{});
  ModelLibrary::Shared().WaitIdle(600);
  ObjectListCache cache, empty;
  auto frame = [&](ObjectListCache* c, const SceneObject* records, const Mesh* extra) {
    FrameInputs in{&rs, records ? table.get() : nullptr, nullptr, nullptr};
    in.cache = c;
    const double t0 = CpuMs();
    ComposeFrame(in);
    if (extra) DrawMesh(*extra);
    glFinish();
    return CpuMs() - t0;
  };
  frame(&cache, table->data(), nullptr);
  frame(&cache, table->data(), nullptr);
  // The floor: the same triangles in one vertex array per state.
  Mesh merged;
  for (const MeshRun& r : cache.MeshOf(0).runs) {
    MeshRun* into = nullptr;
    for (MeshRun& o : merged.runs)
      if (o.Joins(r)) into = &o;
    if (!into) {
      merged.runs.push_back(r);
      continue;
    }
    const uint32_t base = static_cast<uint32_t>(into->vertices.size());
    into->vertices.insert(into->vertices.end(), r.vertices.begin(), r.vertices.end());
    for (uint32_t i : r.indices) into->indices.push_back(base + i);
  }
  std::vector<double> ratios;
  double kept = 0, floor = 0;
  for (auto _ : state) {
    const double k = frame(&cache, table->data(), nullptr);
    const double f = frame(&empty, nullptr, &merged);
    kept += k;
    floor += f;
    ratios.push_back(k / f);
  }
  ReportKeptAgainstFloor(state, ratios, kept, floor);
  state.counters["vertices"] = static_cast<double>(cache.MeshOf(0).vertexCount);
  cache.Clear();
  empty.Clear();
}
BENCHMARK(BM_FrameMillionTriangleModel)->Unit(benchmark::kMillisecond)->Iterations(9);

// The demo cell to a binary glTF (meshes built, the file made in memory).
void BM_ExportDemoCellGlb(benchmark::State& state) {
  auto table = std::make_unique<ObjectTable>();
  if (!LoadDemoCell(*table, state)) return;
  RenderSettings rs;
  size_t bytes = 0, triangles = 0;
  for (auto _ : state) {
    std::deque<Mesh> meshes;
    const std::vector<ExportPart> parts = SceneExportParts(rs, table->data(), nullptr, false, &meshes);
    std::vector<ExportFile> files;
    ExportScene(parts, "/tmp/demo-cell.glb", &files);
    bytes = files.empty() ? 0 : files[0].bytes.size();
    triangles = ExportTriangleCount(parts);
  }
  state.counters["bytes"] = static_cast<double>(bytes);
  state.counters["triangles"] = static_cast<double>(triangles);
}
BENCHMARK(BM_ExportDemoCellGlb)->Unit(benchmark::kMillisecond)->Iterations(3)->UseRealTime();

// Frames of the demo cell while a large STEP file is read (in the reader's
// own process): the slowest frame, against a frame with nothing loading.
void BM_FramesWhileAStepFileLoads(benchmark::State& state) {
  HeadlessContext ctx(628, 377);
  RenderSettings rs;
  if (!StartLaidOutPicture(ctx, rs, state)) return;
  auto table = std::make_unique<ObjectTable>();
  if (!LoadDemoCell(*table, state)) return;
  // 400 plates, each with a bore: many curved faces to cut.
  std::vector<CadSolid> solids;
  for (int i = 0; i < 400; ++i) {
    CadSolid c;
    c.x = (i % 20) * 60.0, c.y = (i / 20) * 60.0, c.w = c.d = 50.0, c.h = 20.0 + i % 7, c.r = 12.0;
    solids.push_back(c);
  }
  const std::string path = "/tmp/tessaly-bench-plates-" + std::to_string(::getpid()) + ".step";
  if (!WriteCadFile(path, ModelFormat::Step, solids).empty()) {
    state.SkipWithError("cannot write the STEP file");
    return;
  }
  ObjectListCache cache;
  auto frame = [&] {
    FrameInputs in{&rs, table.get(), nullptr, nullptr};
    in.cache = &cache;
    const auto t0 = std::chrono::steady_clock::now();
    ComposeFrame(in);
    glFinish();
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  };
  frame();
  double idle = 0.0;
  for (int k = 0; k < 5; ++k) idle += frame() / 5;
  double slowest = 0.0, loadMs = 0.0;
  int frames = 0;
  for (auto _ : state) {
    ModelLibrary::Shared().Clear();
    const auto t0 = std::chrono::steady_clock::now();
    ModelLibrary::Shared().Find(path, ModelOptions{0, 0, 72});
    while (ModelLibrary::Shared().Pending() > 0) {
      slowest = std::max(slowest, frame());
      ++frames;
    }
    loadMs = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  }
  std::remove(path.c_str());
  state.counters["idle_frame_ms"] = idle;
  state.counters["slowest_frame_ms"] = slowest;
  state.counters["frames_while_loading"] = frames;
  state.counters["load_ms"] = loadMs;
  cache.Clear();
}
BENCHMARK(BM_FramesWhileAStepFileLoads)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
