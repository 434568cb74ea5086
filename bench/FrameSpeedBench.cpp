// The culled and cached frame against the plain immediate one, drawn
// alternately in one process so that both see the same machine load;
// each case reports both times and their ratio (fast / plain), and the
// ratio against today's frame (plain, with the C library's usual
// allocation settings, which the program no longer uses).

#include <benchmark/benchmark.h>

#include <algorithm>
#include <chrono>
#include <cmath>
#include <ctime>

#include <sys/resource.h>
#include <memory>

#include "headless/HeadlessContext.h"
#include "objects/ObjectFile.h"
#include "objects/SceneHistory.h"
#include "render/DriverMemory.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/MeshDraw.h"
#include "render/Lights.h"
#include "BenchScenes.h"
#include "render/ObjectListCache.h"
#include "render/RenderContext.h"

namespace {

enum class Scene { Mixed, MixedAllInView, Mixed360, DemoCell, Empty };

struct Bench {
  HeadlessContext ctx{628, 377};
  std::unique_ptr<ObjectTable> table = std::make_unique<ObjectTable>();
  TextureSlot slots[kTextureSlotCount];
  RenderSettings rs;
  ObjectListCache cache;
  // As in the window: kept meshes are compared by the history's numbers,
  // and a change reaches them when it is committed.
  SceneHistory history;
  void Commit() { history.Commit(table->data(), kObjectCapacity, "edit"); }

  bool Setup(Scene scene, benchmark::State& state) {
    if (!StartLaidOutPicture(ctx, rs, state)) return false;
    InitializeRecords(table->data(), kObjectCapacity);
    switch (scene) {
      case Scene::Mixed:
        FillMixedTable(*table, 36);
        break;
      case Scene::MixedAllInView:
        FillMixedTable(*table, 36);
        // Far enough back that the whole grid is in the picture.
        rs.view.zoom = -45.0f;
        break;
      case Scene::Mixed360:
        FillMixedTable(*table, 360);
        break;
      case Scene::Empty:
        break;
      case Scene::DemoCell:
        if (!LoadDemoCell(*table, state)) return false;
        break;
    }
    KeepLargeAllocationsInHeap();
    history.Reset(table->data(), kObjectCapacity);
    return true;
  }

  // CPU time of the whole process (the driver's threads included) of the
  // last Frame: on a machine shared with other work the wall clock mostly
  // measures the wait for a core.
  double lastCpuMs = 0.0;

  static double ProcessCpuMs() {
    timespec t{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
  }

  double Frame(bool fast, int reduced = 0) { return Frame(fast, fast, reduced); }
  // Today's frame: immediate, every object, the C library's usual
  // allocation settings (the program now keeps the driver's memory mapped).
  double Today() {
    RestoreDefaultAllocation();
    const double t = Frame(false, false, 0);
    KeepLargeAllocationsInHeap();
    return t;
  }
  double Frame(bool cull, bool cached, int reduced) {
    FrameInputs in{&rs, table.get(), slots, nullptr};
    in.cull = cull;
    in.cache = cached ? &cache : nullptr;
    in.revisions = history.Revisions();
    in.reducedDetail = reduced;
    const auto t0 = std::chrono::steady_clock::now();
    const double c0 = ProcessCpuMs();
    ComposeFrame(in);
    glFinish();
    lastCpuMs = ProcessCpuMs() - c0;
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
  }

  // Objects the culled frame really draws.
  size_t Drawn() {
    ObjectListCache counter;
    counter.SetEnabled(false);
    FrameInputs in{&rs, table.get(), slots, nullptr};
    in.cache = &counter;
    ComposeFrame(in);
    return counter.counts().immediate - 2;  // less the floor and the arm
  }

  ~Bench() {
    cache.Clear();
    ResetLights();
  }
};

void RunRatio(benchmark::State& state, Scene scene) {
  Bench b;
  if (!b.Setup(scene, state)) return;
  const double first = b.Frame(true);  // builds the meshes
  double plain = 0.0, fast = 0.0, plainCpu = 0.0, fastCpu = 0.0, cullCpu = 0.0, cacheCpu = 0.0;
  double today = 0.0, todayCpu = 0.0;
  int n = 0;
  for (auto _ : state) {
    today += b.Today();
    todayCpu += b.lastCpuMs;
    plain += b.Frame(false);
    plainCpu += b.lastCpuMs;
    fast += b.Frame(true);
    fastCpu += b.lastCpuMs;
    // Each half alone.
    b.Frame(true, false, 0);
    cullCpu += b.lastCpuMs;
    b.Frame(false, true, 0);
    cacheCpu += b.lastCpuMs;
    ++n;
  }
  // Against today's frame: what the program gains in all.
  state.counters["vs_today"] = fast / today;
  state.counters["cpu_vs_today"] = fastCpu / todayCpu;
  state.counters["today_cpu_ms"] = todayCpu / n;
  state.counters["cull_only_cpu_ratio"] = cullCpu / plainCpu;
  state.counters["cache_only_cpu_ratio"] = cacheCpu / plainCpu;
  state.counters["plain_ms"] = plain / n;
  state.counters["fast_ms"] = fast / n;
  state.counters["first_fast_ms"] = first;
  state.counters["ratio"] = fast / plain;
  state.counters["cpu_ratio"] = fastCpu / plainCpu;
  state.counters["plain_cpu_ms"] = plainCpu / n;
  state.counters["drawn"] = static_cast<double>(b.Drawn());
}

void BM_Ratio1000PrimitivesLaidOutView(benchmark::State& s) { RunRatio(s, Scene::Mixed); }
BENCHMARK(BM_Ratio1000PrimitivesLaidOutView)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_Ratio1000PrimitivesAllInView(benchmark::State& s) { RunRatio(s, Scene::MixedAllInView); }
BENCHMARK(BM_Ratio1000PrimitivesAllInView)->Unit(benchmark::kMillisecond)->Iterations(8);

// The floor and the arm alone: what every frame costs before any object.
void BM_RatioEmptyTable(benchmark::State& s) { RunRatio(s, Scene::Empty); }
BENCHMARK(BM_RatioEmptyTable)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_RatioDemoCell(benchmark::State& s) { RunRatio(s, Scene::DemoCell); }
BENCHMARK(BM_RatioDemoCell)->Unit(benchmark::kMillisecond)->Iterations(8);

void BM_Ratio1000PrimitivesResolution360(benchmark::State& s) { RunRatio(s, Scene::Mixed360); }
BENCHMARK(BM_Ratio1000PrimitivesResolution360)->Unit(benchmark::kMillisecond)->Iterations(1);

// A record from the middle of the table on that the picture shows: a
// change to it rebuilds its slot (one that is culled rebuilds nothing).
int ShownRecord(Bench& b) {
  for (int i = kObjectCapacity / 2; i < kObjectCapacity; ++i) {
    SceneObject& r = (*b.table)[i];
    if (!r.Enbl) continue;
    const size_t before = b.cache.counts().built;
    r.clFill ^= 0x004000;
    b.Commit();
    b.Frame(true);
    r.clFill ^= 0x004000;
    b.Commit();
    if (b.cache.counts().built > before) return i;
  }
  return -1;
}

// A frame after one record the picture shows changed (its geometry is
// built again) against a fully cached frame of the same scene.
void BM_RatioOneRecordChanged(benchmark::State& state) {
  Bench b;
  if (!b.Setup(Scene::Mixed, state)) return;
  b.Frame(true);
  const int shown = ShownRecord(b);
  if (shown < 0) {
    state.SkipWithError("no record of the scene is in the picture");
    return;
  }
  for (int settle = 0; settle < 3; ++settle) b.Frame(true);
  double cached = 0.0, changed = 0.0, cachedCpu = 0.0, changedCpu = 0.0;
  int n = 0;
  SceneObject& r = (*b.table)[shown];
  for (auto _ : state) {
    cached += b.Frame(true);
    cachedCpu += b.lastCpuMs;
    r.clFill ^= 0x004000;
    b.Commit();
    changed += b.Frame(true);
    changedCpu += b.lastCpuMs;
    ++n;
  }
  state.counters["cached_ms"] = cached / n;
  state.counters["changed_ms"] = changed / n;
  state.counters["ratio"] = changed / cached;
  state.counters["cpu_ratio"] = changedCpu / cachedCpu;
  state.counters["record"] = shown;
}
BENCHMARK(BM_RatioOneRecordChanged)->Unit(benchmark::kMillisecond)->Iterations(8);

// What a frame spends finding that none of 1000 kept records changed: by
// the history's numbers (as the window does), or comparing every record.
void KeptCheck(benchmark::State& state, bool byRevision) {
  Bench b;
  if (!b.Setup(Scene::Mixed, state)) return;
  const uint64_t* revisions = byRevision ? b.history.Revisions() : nullptr;
  b.Frame(false, true, 0);
  if (!byRevision) {
    FrameInputs in{&b.rs, b.table.get(), b.slots, nullptr};
    in.cache = &b.cache;
    in.cull = false;
    ComposeFrame(in);  // kept without numbers
  }
  size_t kept = 0;
  for (auto _ : state) {
    for (int i = 0; i < kObjectCapacity; ++i)
      kept += b.cache.Kept(i, (*b.table)[i], 0, revisions ? revisions[i] : 0) != nullptr;
  }
  state.counters["kept"] = static_cast<double>(kept) / static_cast<double>(state.iterations());
}
void BM_KeptCheck1000ByRevision(benchmark::State& s) { KeptCheck(s, true); }
BENCHMARK(BM_KeptCheck1000ByRevision)->Unit(benchmark::kMicrosecond);
void BM_KeptCheck1000ByContents(benchmark::State& s) { KeptCheck(s, false); }
BENCHMARK(BM_KeptCheck1000ByContents)->Unit(benchmark::kMicrosecond);

// Frames of a drag over the resolution-360 grid: the quick frames the
// window draws while a button is held, the view turning 3 degrees each.
void BM_DragFrame1000AtResolution360(benchmark::State& state) {
  Bench b;
  if (!b.Setup(Scene::Mixed360, state)) return;
  double first = 0.0, quick = 0.0, quickCpu = 0.0;
  int n = 0;
  for (auto _ : state) {
    b.rs.view.angleZ += 3.0f;
    const double t = b.Frame(true, 24);  // the window's quick segments
    if (n == 0) {
      first = t;
    } else {
      quick += t;
      quickCpu += b.lastCpuMs;
    }
    ++n;
  }
  state.counters["first_quick_ms"] = first;
  state.counters["quick_ms"] = n > 1 ? quick / (n - 1) : 0.0;
  state.counters["quick_cpu_ms"] = n > 1 ? quickCpu / (n - 1) : 0.0;
}
BENCHMARK(BM_DragFrame1000AtResolution360)->Unit(benchmark::kMillisecond)->Iterations(6);

// The first frame after loading 1000 objects at resolution 360, kept or
// built for the frame alone. Peak memory is the process's: run each case
// in a process of its own (--benchmark_filter) to compare them.
void FirstFrame360(benchmark::State& state, bool kept) {
  Bench b;
  if (!b.Setup(Scene::Mixed360, state)) return;
  rusage before{};
  getrusage(RUSAGE_SELF, &before);
  double ms = 0.0, cpu = 0.0;
  for (auto _ : state) {
    ms = b.Frame(true, kept, 0);
    cpu = b.lastCpuMs;
  }
  rusage after{};
  getrusage(RUSAGE_SELF, &after);
  state.counters["first_ms"] = ms;
  state.counters["first_cpu_ms"] = cpu;
  state.counters["peak_mib"] = static_cast<double>(after.ru_maxrss) / 1024.0;
  state.counters["peak_rise_mib"] = static_cast<double>(after.ru_maxrss - before.ru_maxrss) / 1024.0;
}
void BM_FirstFrame360Kept(benchmark::State& s) { FirstFrame360(s, true); }
BENCHMARK(BM_FirstFrame360Kept)->Unit(benchmark::kMillisecond)->Iterations(1);
void BM_FirstFrame360Direct(benchmark::State& s) { FirstFrame360(s, false); }
BENCHMARK(BM_FirstFrame360Direct)->Unit(benchmark::kMillisecond)->Iterations(1);

// The floor a frame from kept meshes is held to: the same triangles and
// lines, merged into one vertex array per state whatever their order.
Mesh MergeByState(const ObjectListCache& cache) {
  Mesh out;
  for (int slot = 0; slot < kObjectCapacity; ++slot)
    for (const MeshRun& r : cache.MeshOf(slot).runs) {
      MeshRun* into = nullptr;
      for (MeshRun& o : out.runs)
        if (o.Joins(r) && o.closedWinding == r.closedWinding) into = &o;
      if (!into) {
        out.runs.push_back(r);
        into = &out.runs.back();
        into->vertices.clear();
        into->indices.clear();
      }
      const uint32_t base = static_cast<uint32_t>(into->vertices.size());
      into->vertices.insert(into->vertices.end(), r.vertices.begin(), r.vertices.end());
      for (uint32_t i : r.indices) into->indices.push_back(base + i);
      for (int k = 0; k < 3; ++k) {
        into->boxMin[k] = std::fmin(into->boxMin[k], r.boxMin[k]);
        into->boxMax[k] = std::fmax(into->boxMax[k], r.boxMax[k]);
      }
      out.vertexCount += r.vertices.size();
    }
  return out;
}

// A frame from kept meshes against the floor: the empty scene's frame (the
// floor tiles and the arm, kept too) plus the merged arrays.
void RunFloor(benchmark::State& state, Scene scene) {
  Bench b;
  if (!b.Setup(scene, state)) return;
  b.Frame(true);
  b.Frame(true);
  const Mesh merged = MergeByState(b.cache);
  ObjectListCache emptyCache;
  std::vector<double> ratios;
  double kept = 0.0, floor = 0.0;
  for (auto _ : state) {
    const double k = b.Frame(true);
    const double kCpu = b.lastCpuMs;
    FrameInputs in{&b.rs, nullptr, b.slots, nullptr};
    in.cache = &emptyCache;
    const double c0 = Bench::ProcessCpuMs();
    ComposeFrame(in);
    DrawMesh(merged);
    glFinish();
    const double fCpu = Bench::ProcessCpuMs() - c0;
    kept += kCpu;
    floor += fCpu;
    ratios.push_back(kCpu / fCpu);
    (void)k;
  }
  ReportKeptAgainstFloor(state, ratios, kept, floor);
  state.counters["runs_kept"] = 0;
  size_t runs = 0;
  for (int slot = 0; slot < ObjectListCache::kSlots; ++slot) runs += b.cache.MeshOf(slot).runs.size();
  state.counters["runs_kept"] = static_cast<double>(runs);
  state.counters["runs_floor"] = static_cast<double>(merged.runs.size());
}

void BM_FloorLaidOutView(benchmark::State& s) { RunFloor(s, Scene::Mixed); }
BENCHMARK(BM_FloorLaidOutView)->Unit(benchmark::kMillisecond)->Iterations(9);

void BM_FloorAllInView(benchmark::State& s) { RunFloor(s, Scene::MixedAllInView); }
BENCHMARK(BM_FloorAllInView)->Unit(benchmark::kMillisecond)->Iterations(9);

}  // namespace
