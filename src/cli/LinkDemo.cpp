// tessaly-link-demo: an example controller for the viewer's link. It
// opens (or creates) the shared block and its semaphore, writes the
// protocol of include/tessaly/link.h every period, and so drives the arm
// along a figure-of-eight path and RBT1 through a pick-and-place cycle of
// the demo cell: from LP2's top wafer to the aligner. With the demo cell's
// file it also hides the picked wafer in the carrier and shows it on the
// aligner once set down (object overrides). Check "Shm Link" in the viewer
// (Tools menu), or start it with --link, to watch.
//
//   tessaly-link-demo [--block NAME] [--mutex NAME] [--period MS] [--ticks N]
//                     [--cycle TICKS] [--scene demo-cell.3dl]
#include <atomic>
#include <cerrno>
#include <cmath>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iostream>
#include <memory>
#include <semaphore.h>
#include <string>

#include "link/SharedMemoryLink.h"
#include "motion/PickPlaceCycle.h"
#include "objects/ObjectFile.h"
#include "tessaly/link.h"

namespace {

volatile std::sig_atomic_t stopRequested = 0;
void OnSignal(int) { stopRequested = 1; }

struct Options {
  std::string block = "SHAREMEM", mutex = "MUTEX", scene;
  int periodMs = 50;
  long ticks = 0;  // 0: until interrupted
  int cycleTicks = 160;
};

bool ParseOptions(int argc, char** argv, Options& o) {
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (i + 1 >= argc) return false;
    const char* v = argv[++i];
    if (a == "--block") o.block = v;
    else if (a == "--mutex") o.mutex = v;
    else if (a == "--scene") o.scene = v;
    else if (a == "--period") o.periodMs = std::atoi(v);
    else if (a == "--ticks") o.ticks = std::atol(v);
    else if (a == "--cycle") o.cycleTicks = std::atoi(v);
    else return false;
  }
  return o.periodMs >= 0 && o.ticks >= 0 && o.cycleTicks > 0 && !o.block.empty() && !o.mutex.empty();
}

// The records the overrides move: LP2's top wafer and the aligner's wafer.
struct SceneRecords {
  int picked = -1, aligner = -1;
  float pickedPose[6] = {}, alignerPose[6] = {};
};

SceneRecords FindRecords(const std::string& path) {
  SceneRecords r;
  if (path.empty()) return r;
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  TextureSlot slots[kTextureSlotCount];
  if (LoadObjects(path, table->data(), kObjectCapacity, slots, nullptr) <= 0) {
    std::fprintf(stderr, "cannot read %s: the wafers stay where they are\n", path.c_str());
    return r;
  }
  for (int i = 0; i < kObjectCapacity; ++i) {
    const SceneObject& o = (*table)[static_cast<size_t>(i)];
    if (!o.Enbl || o.Shp != ShapeKind::Wafer) continue;
    if (o.Name == "carrier wafer" && std::fabs(o.X + 0.4f) < 0.01f &&
        (r.picked < 0 || o.Z > (*table)[static_cast<size_t>(r.picked)].Z))
      r.picked = i;
    if (o.Name == "aligned wafer") r.aligner = i;
  }
  auto pose = [&](int i, float* p) {
    if (i < 0) return;
    const SceneObject& o = (*table)[static_cast<size_t>(i)];
    const float v[6] = {o.X, o.Y, o.Z, o.Ang[0], o.Ang[1], o.Ang[2]};
    std::memcpy(p, v, sizeof v);
  };
  pose(r.picked, r.pickedPose);
  pose(r.aligner, r.alignerPose);
  return r;
}

tessaly_link_override Override(int record, bool enabled, const float* pose) {
  tessaly_link_override o{};
  o.record = record;
  o.enabled = enabled ? 1 : 0;
  o.x = pose[0];
  o.y = pose[1];
  o.z = pose[2];
  for (int k = 0; k < 3; ++k) o.ang[k] = pose[3 + k];
  return o;
}

void Sleep(int ms) {
  timespec t{ms / 1000, (ms % 1000) * 1000000L};
  while (nanosleep(&t, &t) != 0 && errno == EINTR && !stopRequested) {
  }
}

}  // namespace

int main(int argc, char** argv) {
  Options opt;
  if (!ParseOptions(argc, argv, opt)) {
    std::fprintf(stderr,
                 "usage: tessaly-link-demo [--block NAME] [--mutex NAME] [--period MS] [--ticks N] "
                 "[--cycle TICKS] [--scene demo-cell.3dl]\n");
    return 2;
  }
  std::signal(SIGINT, OnSignal);
  std::signal(SIGTERM, OnSignal);

  SharedMemoryLink link(std::cerr, opt.block, opt.mutex);
  if (link.OpenSharedMemoryLink() != 1) return 1;
  if (link.MappedSize() < TESSALY_LINK_VIEWER_OFFSET + sizeof(tessaly_link_viewer)) {
    std::fprintf(stderr, "the block %s is too small for the protocol\n", opt.block.c_str());
    return 1;
  }
  auto* block = static_cast<tessaly_link_controller*>(link.MutableView());
  auto* sem = static_cast<sem_t*>(link.Semaphore());
  const SceneRecords records = FindRecords(opt.scene);
  // RBT1 from LP2 (items 5..8) at its top wafer's slot to the aligner (17..20).
  const std::vector<CyclePose> stops = PickAndPlaceStops(MakeTeachTable(), 0, 5, 17, 19);

  uint32_t sequence = 0;
  for (long tick = 0; !stopRequested && (opt.ticks == 0 || tick < opt.ticks); ++tick) {
    const double phase = static_cast<double>(tick % opt.cycleTicks) / opt.cycleTicks;
    const CyclePose p = CyclePoseAt(stops, phase);
    const double a = 2.0 * M_PI * phase;

    if (sem_wait(sem) != 0) break;
    ++sequence;
    block->magic = TESSALY_LINK_MAGIC;
    block->version = TESSALY_LINK_VERSION;
    block->sequence = sequence;
    // The counters bracket the body for a reader that compares them
    // before and after its copy: the compiler must not move body stores
    // across them.
    std::atomic_thread_fence(std::memory_order_release);
    block->flags = TESSALY_LINK_ARM | TESSALY_LINK_RBT1;
    // A figure of eight in front of the load ports.
    const float joints[6] = {static_cast<float>(35.0 * std::sin(a)), static_cast<float>(15.0 + 15.0 * std::sin(2 * a)),
                             static_cast<float>(80.0 - 20.0 * std::cos(a)), 0.0f,
                             static_cast<float>(85.0 - 15.0 * std::sin(2 * a) + 20.0 * std::cos(a)),
                             static_cast<float>(90.0 * std::sin(a))};
    std::memcpy(block->joints, joints, sizeof joints);
    tessaly_link_robot& r = block->robot[0];
    r = tessaly_link_robot{};
    r.r1 = p.R1;
    r.r2 = p.R2;
    r.z = p.Z;
    r.t = p.T;
    r.x = p.X;
    r.wafer = p.wafer ? TESSALY_LINK_WAFER_HAND1 : 0u;
    // The picked wafer leaves the carrier when it is lifted (third stop)
    // and lies on the aligner once set down (seventh), in place of the
    // aligner's own.
    uint32_t n = 0;
    const double stop = phase * static_cast<double>(stops.size());
    if (records.picked >= 0 && records.aligner >= 0) {
      const bool lifted = stop >= 2.0;
      const bool placed = stop >= 6.0;
      float onAligner[6];
      std::memcpy(onAligner, records.alignerPose, sizeof onAligner);
      block->overrides[n++] = placed ? Override(records.picked, true, onAligner)
                                     : Override(records.picked, !lifted, records.pickedPose);
      block->overrides[n++] = Override(records.aligner, false, records.alignerPose);
    }
    block->override_count = n;
    std::atomic_thread_fence(std::memory_order_release);
    block->sequence_end = sequence;
    sem_post(sem);
    Sleep(opt.periodMs);
  }

  // Gone: the viewer goes back to the scene as stored.
  if (sem_wait(sem) == 0) {
    block->magic = 0;
    sem_post(sem);
  }
  return 0;
}
