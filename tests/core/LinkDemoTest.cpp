// The example controller against the viewer's side of the protocol: run
// for a few ticks, it moves the arm's tool point and RBT1, and when it
// ends the scene goes back to its stored poses.

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cmath>
#include <sstream>
#include <string>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "arm/ToolPoint.h"
#include "link/LinkProtocol.h"
#include "link/SharedMemoryLink.h"

TEST(LinkDemo, DrivesTheArmAndRobotThroughTheViewersReader) {
  const std::string block = "TESSALY_TEST_DEMO_" + std::to_string(getpid());
  const std::string mutex = "TESSALY_TEST_DEMO_MUTEX_" + std::to_string(getpid());
  std::ostringstream out;
  SharedMemoryLink viewer(out, block, mutex);
  ASSERT_EQ(viewer.OpenSharedMemoryLink(), 1) << out.str();

  const std::string scene = std::string(TESSALY_EXAMPLES_DIR) + "/demo-cell.3dl";
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    execl(TESSALY_LINK_DEMO_EXE, "tessaly-link-demo", "--block", block.c_str(), "--mutex", mutex.c_str(), "--period",
          "10", "--ticks", "60", "--cycle", "40", "--scene", scene.c_str(), static_cast<char*>(nullptr));
    _exit(127);
  }

  LinkSession session;
  std::vector<std::array<double, 3>> tools;
  std::vector<float> reach;
  bool overrideSeen = false;
  int status = 0;
  for (int i = 0; i < 2000; ++i) {
    LinkCommand cmd;
    if (session.Tick(viewer, &cmd) == LinkStatus::Applied) {
      ASSERT_TRUE(cmd.flags & TESSALY_LINK_ARM);
      double tool[3];
      ToolPointOfJoints(cmd.raw.joints, tool);
      tools.push_back({tool[0], tool[1], tool[2]});
      reach.push_back(cmd.raw.robot[0].r1);
      for (const ObjectOverride& o : session.Overrides()) overrideSeen = overrideSeen || o.active;
    }
    if (waitpid(child, &status, WNOHANG) == child) break;
    usleep(5000);
  }
  ASSERT_TRUE(WIFEXITED(status)) << "the demo ends after its ticks";
  EXPECT_EQ(WEXITSTATUS(status), 0);

  ASSERT_GE(tools.size(), 3u) << "the viewer read the demo's writes";
  double moved = 0;
  for (const auto& t : tools)
    moved = std::max(moved, std::hypot(t[0] - tools[0][0], t[1] - tools[0][1], t[2] - tools[0][2]));
  EXPECT_GT(moved, 0.05) << "the tool point travels";
  float lo = reach[0], hi = reach[0];
  for (float r : reach) {
    lo = std::min(lo, r);
    hi = std::max(hi, r);
  }
  EXPECT_GT(hi - lo, 0.2f) << "RBT1 reaches in and out";
  EXPECT_TRUE(overrideSeen) << "the picked wafer is moved by override";

  // Gone: the magic is cleared, the stored poses come back.
  EXPECT_EQ(session.Tick(viewer, nullptr), LinkStatus::NoMagic);
  for (const ObjectOverride& o : session.Overrides()) EXPECT_FALSE(o.active);
  SharedMemoryLink::Unlink(block, mutex);
}
