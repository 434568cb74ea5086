#include <gtest/gtest.h>

#include "arm/ToolPoint.h"

TEST(ToolPoint, HomePoseAndStraightArm) {
  double p[3];
  const float home[6] = {0, 0, 90, 0, 0, 0};
  ToolPointOfJoints(home, p);
  EXPECT_NEAR(p[0], 0.0, 1e-6);
  EXPECT_NEAR(p[1], 0.56, 1e-6);
  EXPECT_NEAR(p[2], 0.37, 1e-6);
  // Straight up: base 0.33 + 0.23 + 0.28 + the tool offset 0.09.
  const float straight[6] = {0, 0, 0, 0, 0, 0};
  ToolPointOfJoints(straight, p);
  EXPECT_NEAR(p[0], 0.0, 1e-6);
  EXPECT_NEAR(p[1], 0.93, 1e-6);
  EXPECT_NEAR(p[2], 0.0, 1e-6);
}

TEST(ToolPoint, J1TurnsAboutTheVerticalAndJ6DoesNothing) {
  double a[3], b[3];
  const float home[6] = {0, 0, 90, 0, 0, 0};
  const float turned[6] = {90, 0, 90, 0, 0, 123};
  ToolPointOfJoints(home, a);
  ToolPointOfJoints(turned, b);
  EXPECT_NEAR(b[1], a[1], 1e-6);
  EXPECT_NEAR(b[0], 0.37, 1e-6);  // reach moves from GL z to GL x
  EXPECT_NEAR(b[2], 0.0, 1e-6);
}

TEST(ToolPoint, WristBendMovesOnlyTheToolOffset) {
  double p[3];
  const float bent[6] = {0, 0, 90, 0, 90, 0};
  ToolPointOfJoints(bent, p);
  // With J3 at 90 the forearm points along the reach; J5 = 90 turns the
  // 0.09 tool offset from along the reach to straight down.
  EXPECT_NEAR(p[1], 0.56 - 0.09, 1e-6);
  EXPECT_NEAR(p[2], 0.28, 1e-6);
}
