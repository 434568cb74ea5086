#include <benchmark/benchmark.h>

#include <cstring>
#include <sstream>
#include <string>
#include <unistd.h>

#include "link/LinkProtocol.h"
#include "link/SharedMemoryLink.h"

namespace {

// One link-timer tick of the viewer with a full controller write (the arm,
// both robots and all 256 overrides): wait for the semaphore, copy, check,
// write the viewer's region, take over the poses.
void BM_LinkReadPerTick(benchmark::State& state) {
  const std::string block = "TESSALY_BENCH_LINK_" + std::to_string(getpid());
  const std::string mutex = "TESSALY_BENCH_LINK_MUTEX_" + std::to_string(getpid());
  std::ostringstream out;
  SharedMemoryLink link(out, block, mutex);
  if (link.OpenSharedMemoryLink() != 1) {
    state.SkipWithError("cannot open the block");
    return;
  }
  auto* c = static_cast<tessaly_link_controller*>(link.MutableView());
  c->magic = TESSALY_LINK_MAGIC;
  c->version = TESSALY_LINK_VERSION;
  c->sequence = c->sequence_end = 1;
  c->flags = TESSALY_LINK_ARM | TESSALY_LINK_RBT1 | TESSALY_LINK_RBT2;
  c->override_count = TESSALY_LINK_MAX_OVERRIDES;
  for (uint32_t i = 0; i < TESSALY_LINK_MAX_OVERRIDES; ++i)
    c->overrides[i] = tessaly_link_override{static_cast<int32_t>(i * 3), 1, 0.1f * i, 0, 0, {0, 0, 0}};
  LinkSession session;
  LinkCommand cmd;
  for (auto _ : state) benchmark::DoNotOptimize(session.Tick(link, &cmd));
  SharedMemoryLink::Unlink(block, mutex);
}
BENCHMARK(BM_LinkReadPerTick)->Unit(benchmark::kMicrosecond);

}  // namespace
