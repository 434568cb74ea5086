// The controller protocol over the shared block: a well-formed write is
// applied whole, a malformed one changes nothing, a block without the magic
// is left as it is, and a semaphore held by another process costs one
// timeout, never a hang.

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <limits>
#include <semaphore.h>
#include <sstream>
#include <sys/mman.h>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "link/LinkProtocol.h"
#include "link/SharedMemoryLink.h"

namespace {

// Takes the copy of the controller region in two halves and runs
// duringCopy between them: a controller acting in the middle of the read.
struct MidReadLink : SharedMemoryLink {
  using SharedMemoryLink::SharedMemoryLink;
  bool ReadBlock(size_t at, void* to, size_t n) const override {
    if (n != sizeof(tessaly_link_controller) || !duringCopy) return SharedMemoryLink::ReadBlock(at, to, n);
    const bool first = SharedMemoryLink::ReadBlock(at, to, n / 2);
    duringCopy();
    return SharedMemoryLink::ReadBlock(at + n / 2, static_cast<char*>(to) + n / 2, n - n / 2) && first;
  }
  std::function<void()> duringCopy;
};

class LinkProtocol : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(link.OpenSharedMemoryLink(), 1) << out.str();
    block = static_cast<char*>(link.MutableView());
  }
  void TearDown() override { SharedMemoryLink::Unlink(blockName, mutexName); }

  tessaly_link_controller& Controller() { return *reinterpret_cast<tessaly_link_controller*>(block); }
  tessaly_link_viewer& Viewer() { return *reinterpret_cast<tessaly_link_viewer*>(block + TESSALY_LINK_VIEWER_OFFSET); }

  // A well-formed write: the arm, RBT1 and record 7 moved.
  void WriteGood(uint32_t sequence) {
    tessaly_link_controller& c = Controller();
    std::memset(&c, 0, sizeof c);
    c.magic = TESSALY_LINK_MAGIC;
    c.version = TESSALY_LINK_VERSION;
    c.sequence = sequence;
    c.flags = TESSALY_LINK_ARM | TESSALY_LINK_RBT1;
    for (int k = 0; k < 6; ++k) c.joints[k] = 10.0f * (k + 1);
    c.robot[0].r1 = 0.5f;
    c.robot[0].wafer = TESSALY_LINK_WAFER_HAND1;
    c.override_count = 1;
    c.overrides[0] = tessaly_link_override{7, 1, 1.0f, 2.0f, 0.5f, {90.0f, 0.0f, 0.0f}};
    c.sequence_end = sequence;
  }

  LinkStatus Tick(LinkCommand* cmd = nullptr) { return session.Tick(link, cmd); }

  std::string blockName = "TESSALY_TEST_LINKP_" + std::to_string(getpid());
  std::string mutexName = "TESSALY_TEST_LINKP_MUTEX_" + std::to_string(getpid());
  std::ostringstream out;
  MidReadLink link{out, blockName, mutexName};
  char* block = nullptr;
  LinkSession session;
};

}  // namespace

TEST_F(LinkProtocol, WellFormedWriteIsAppliedAndTheViewerAnswers) {
  WriteGood(5);
  session.report.tool[0] = 0.25f;
  session.report.tool[2] = 1.5f;
  LinkCommand cmd;
  ASSERT_EQ(Tick(&cmd), LinkStatus::Applied);
  EXPECT_EQ(cmd.sequence, 5u);
  EXPECT_EQ(cmd.flags, TESSALY_LINK_ARM | TESSALY_LINK_RBT1);
  EXPECT_FLOAT_EQ(cmd.raw.joints[2], 30.0f);
  EXPECT_FLOAT_EQ(cmd.raw.robot[0].r1, 0.5f);
  const ObjectOverride& o = session.Overrides()[7];
  EXPECT_TRUE(o.active);
  EXPECT_TRUE(o.enabled);
  EXPECT_FLOAT_EQ(o.X, 1.0f);
  EXPECT_FLOAT_EQ(o.Ang[0], 90.0f);
  EXPECT_FALSE(session.Overrides()[6].active);

  EXPECT_EQ(Viewer().heartbeat, 1u);
  EXPECT_EQ(Viewer().sequence_seen, 5u);
  EXPECT_EQ(Viewer().status, TESSALY_LINK_STATUS_APPLIED);
  EXPECT_FLOAT_EQ(Viewer().tool[0], 0.25f);
  EXPECT_FLOAT_EQ(Viewer().tool[2], 1.5f);
  EXPECT_EQ(Viewer().interference, 0u);

  // The next write without the override puts record 7 back.
  Controller().sequence = Controller().sequence_end = 6;
  Controller().override_count = 0;
  ASSERT_EQ(Tick(), LinkStatus::Applied);
  EXPECT_FALSE(session.Overrides()[7].active);
  EXPECT_EQ(Viewer().heartbeat, 2u);
  // As many overrides as the block holds (the rest place record 0).
  Controller().override_count = TESSALY_LINK_MAX_OVERRIDES;
  EXPECT_EQ(Tick(), LinkStatus::Applied);
  EXPECT_TRUE(session.Overrides()[0].active);
}

TEST_F(LinkProtocol, MalformedWritesChangeNothing) {
  WriteGood(5);
  ASSERT_EQ(Tick(), LinkStatus::Applied);
  const ObjectOverride before = session.Overrides()[7];

  struct Fault {
    const char* what;
    void (*spoil)(tessaly_link_controller&);
    LinkStatus expected;
  };
  const std::vector<Fault> faults = {
      {"wrong version", [](tessaly_link_controller& c) { c.version = 2; }, LinkStatus::WrongVersion},
      {"NaN joint", [](tessaly_link_controller& c) { c.joints[3] = std::numeric_limits<float>::quiet_NaN(); },
       LinkStatus::BadValue},
      {"infinite robot axis",
       [](tessaly_link_controller& c) { c.robot[1].t = std::numeric_limits<float>::infinity(); },
       LinkStatus::BadValue},
      {"NaN robot X", [](tessaly_link_controller& c) { c.robot[0].x = std::nanf(""); }, LinkStatus::BadValue},
      {"infinite robot X", [](tessaly_link_controller& c) { c.robot[1].x = -HUGE_VALF; },
       LinkStatus::BadValue},
      {"NaN in an override", [](tessaly_link_controller& c) { c.overrides[0].ang[2] = -std::nanf(""); },
       LinkStatus::BadValue},
      {"record 1000", [](tessaly_link_controller& c) { c.overrides[0].record = 1000; }, LinkStatus::BadRecord},
      {"record -1", [](tessaly_link_controller& c) { c.overrides[0].record = -1; }, LinkStatus::BadRecord},
      {"too many overrides", [](tessaly_link_controller& c) { c.override_count = 257; }, LinkStatus::BadCount},
      {"torn", [](tessaly_link_controller& c) { c.sequence_end = c.sequence - 1; }, LinkStatus::Torn},
  };
  uint32_t sequence = 6;
  for (const Fault& f : faults) {
    SCOPED_TRACE(f.what);
    WriteGood(sequence);
    // The rejected write would move record 7 elsewhere.
    Controller().overrides[0].x = 9.0f;
    f.spoil(Controller());
    const tessaly_link_viewer viewerBefore = Viewer();
    LinkCommand cmd;
    cmd.sequence = 12345;
    EXPECT_EQ(Tick(&cmd), f.expected);
    EXPECT_EQ(cmd.sequence, 12345u) << "nothing handed out";
    EXPECT_FLOAT_EQ(session.Overrides()[7].X, before.X);
    EXPECT_TRUE(session.Overrides()[7].active);
    EXPECT_EQ(Viewer().sequence_seen, 5u);
    if (f.expected == LinkStatus::WrongVersion)
      EXPECT_EQ(std::memcmp(&viewerBefore, &Viewer(), sizeof viewerBefore), 0) << "another version's block is not written";
    else
      EXPECT_NE(Viewer().status, TESSALY_LINK_STATUS_APPLIED);
    ++sequence;
  }
  // Each run of a fault is reported once.
  EXPECT_TRUE(session.ShouldReport(LinkStatus::Torn));
  session.MarkReported(LinkStatus::Torn);
  EXPECT_FALSE(session.ShouldReport(LinkStatus::Torn));
  EXPECT_TRUE(session.ShouldReport(LinkStatus::Applied));
}

TEST_F(LinkProtocol, BlockWithoutTheMagicIsLeftUnreadAndUnwritten) {
  // Whatever another program keeps there, byte for byte; the semaphore is
  // held here, so a read would have had to wait.
  for (size_t i = 0; i < link.MappedSize(); ++i) block[i] = static_cast<char>(i * 31 + 7);
  std::memcpy(block, "XXXX", 4);
  const std::vector<char> before(block, block + link.MappedSize());
  ASSERT_EQ(sem_wait(static_cast<sem_t*>(link.Semaphore())), 0);
  EXPECT_EQ(Tick(), LinkStatus::NoMagic);
  sem_post(static_cast<sem_t*>(link.Semaphore()));
  EXPECT_EQ(std::memcmp(before.data(), block, before.size()), 0);
}

TEST_F(LinkProtocol, MutexHeldByAnotherProcessCostsOneTimeout) {
  WriteGood(5);
  int ready[2];
  ASSERT_EQ(pipe(ready), 0);
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    // A controller that takes the semaphore and never gives it back.
    sem_t* s = sem_open(("/" + mutexName).c_str(), 0);
    if (s == SEM_FAILED || sem_wait(s) != 0) _exit(1);
    const char c = 1;
    if (write(ready[1], &c, 1) != 1) _exit(1);
    pause();
    _exit(0);
  }
  char c = 0;
  ASSERT_EQ(read(ready[0], &c, 1), 1);
  session.timeoutMs = 50;
  for (bool dead : {false, true}) {
    SCOPED_TRACE(dead ? "controller dead" : "controller alive");
    if (dead) {
      kill(child, SIGKILL);
      waitpid(child, nullptr, 0);
    }
    const auto start = std::chrono::steady_clock::now();
    EXPECT_EQ(Tick(), LinkStatus::Busy);
    const double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
    EXPECT_GE(ms, 45.0) << "it waited for the controller";
    EXPECT_LT(ms, 2000.0) << "and gave up";
    EXPECT_FALSE(session.Overrides()[7].active);
    EXPECT_EQ(Viewer().heartbeat, 0u);
  }
  close(ready[0]);
  close(ready[1]);
}

TEST_F(LinkProtocol, AControllerActingBetweenOrDuringTheReadsChangesNothing) {
  // It cuts the block (ftruncate, or an open with O_TRUNC), which a read
  // of the mapping would die of; or writes without the semaphore, so that
  // the copy's own counters read equal over a body partly of write 6.
  const int fd = shm_open(("/" + blockName).c_str(), O_RDWR, 0);
  auto cut = [fd](off_t to) { return [fd, to] { ASSERT_EQ(ftruncate(fd, to), 0); }; };
  auto c = [this] { return &Controller(); };
  struct Act {
    const char* what;
    std::function<void()> before, during;
    LinkStatus expected;
  };
  const Act acts[] = {
      {"cut to 0 between ticks", cut(0), nullptr, LinkStatus::Shrunk},
      {"cut to 16 KiB, magic gone", [&] { cut(16384)(), (void)!pwrite(fd, "\0\0\0", 4, 0); }, nullptr,
       LinkStatus::Shrunk},
      {"cut to 100 during the copy", nullptr, cut(100), LinkStatus::Shrunk},
      {"cut to 9000 during the copy", nullptr, cut(9000), LinkStatus::Shrunk},
      {"write begun before, ended during", [c] { c()->sequence = 7; }, [c] { c()->sequence_end = 7; },
       LinkStatus::Torn},
      {"write begun during", nullptr, [c] { c()->sequence = 7; }, LinkStatus::Torn},
  };
  for (const Act& a : acts) {
    SCOPED_TRACE(a.what);
    link.duringCopy = nullptr;
    ASSERT_EQ(ftruncate(fd, SharedMemoryLink::kBlockSize), 0);
    ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
    block = static_cast<char*>(link.MutableView());
    WriteGood(5);
    ASSERT_EQ(Tick(), LinkStatus::Applied);
    WriteGood(6);
    Controller().overrides[0].x = 9.0f;
    if (a.before) a.before();
    link.duringCopy = a.during;
    EXPECT_EQ(Tick(), a.expected);
    EXPECT_FLOAT_EQ(session.Overrides()[7].X, 1.0f);
  }
  close(fd);
}

TEST_F(LinkProtocol, TheSemaphoreIsOpenedAnewWithTheLinkAndALeftOneIsReleased) {
  WriteGood(5);
  session.timeoutMs = 5;
  session.staleAfterMs = 150;
  sem_t* fresh = nullptr;
  const auto start = std::chrono::steady_clock::now();
  // The controller removes the semaphore and makes a new one, which it
  // holds, while the link is off or on; then it is killed holding it.
  for (bool toggled : {true, false}) {
    if (toggled) link.CloseSharedMemoryLink();
    if (fresh) sem_post(fresh), sem_close(fresh);
    sem_unlink(("/" + mutexName).c_str());
    fresh = sem_open(("/" + mutexName).c_str(), O_CREAT | O_EXCL, 0600, 1);
    ASSERT_EQ(sem_wait(fresh), 0);
    ASSERT_EQ(link.OpenSharedMemoryLink(), 1);
    EXPECT_EQ(Tick(), LinkStatus::Busy) << "the viewer waits on the controller's semaphore";
  }
  LinkStatus s = Tick();
  while (s == LinkStatus::Busy && std::chrono::steady_clock::now() - start < std::chrono::seconds(5))
    s = Tick();
  EXPECT_EQ(s, LinkStatus::MutexReleased);
  EXPECT_GE(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(150)) << "not before";
  EXPECT_EQ(Tick(), LinkStatus::Applied);
  // Had the holder lived and now gave it back, it is binary again after
  // the next exchange, not free for two.
  sem_post(fresh);
  EXPECT_EQ(Tick(), LinkStatus::Applied);
  int value = 0;
  sem_getvalue(fresh, &value);
  EXPECT_EQ(value, 1);
  sem_close(fresh);
}
