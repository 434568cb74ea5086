// Distances between solids against their analytic values, contact at a
// tenth of a millimetre either way, and a mesh against a primitive.
#include <gtest/gtest.h>

#include <cmath>

#include "collision/ExactDistance.h"
#include "collision/ExactScene.h"
#include "equipment/ObjectDrawing.h"
#include "objects/ShapeKind.h"

namespace {

Solid Box(Vec3 c, double half, double turnDegrees = 0.0) {
  const double a = turnDegrees * M_PI / 180.0;
  // Turned about the vertical (GL y).
  const Vec3 axes[3] = {{std::cos(a), 0, -std::sin(a)}, {0, 1, 0}, {std::sin(a), 0, std::cos(a)}};
  return MakeBox(c, axes, half, half, half);
}

}  // namespace

TEST(ExactDistance, PrimitivesMatchTheirAnalyticDistances) {
  const double r2 = std::sqrt(2.0);
  const Vec3 up{0, 1, 0};
  const Vec3 slant{1 / r2, 1 / r2, 0};
  struct Case {
    const char* what;
    Solid a, b;
    double want;
  };
  const Case cases[] = {
      {"boxes side by side", Box({0, 0, 0}, 0.5), Box({1.3, 0, 0}, 0.5), 0.3},
      {"a turned box's corner", Box({0, 0, 0}, 0.5, 45), Box({2, 0, 0}, 0.5), 1.5 - 0.5 * r2},
      {"spheres", MakeSphere({0, 0, 0}, 0.2), MakeSphere({0, 0, 1}, 0.3), 0.5},
      {"sphere and a box's face", MakeSphere({1, 0.2, 0}, 0.1), Box({0, 0, 0}, 0.5), 0.4},
      {"sphere and a box's edge", MakeSphere({1, 1, 0}, 0.1), Box({0, 0, 0}, 0.5), 0.5 * r2 - 0.1},
      {"sphere beside a cylinder", MakeSphere({0.5, 0.5, 0}, 0.1), MakeCylinder({0, 0, 0}, up, 0.2, 1), 0.2},
      {"sphere over its top", MakeSphere({0, 1.3, 0}, 0.1), MakeCylinder({0, 0, 0}, up, 0.2, 1), 0.2},
      {"sphere under its base", MakeSphere({0, -0.3, 0}, 0.1), MakeCylinder({0, 0, 0}, up, 0.2, 1), 0.2},
      {"under a hanging cylinder", MakeSphere({0, -1.3, 0}, 0.1), MakeCylinder({0, 0, 0}, up, 0.2, -1), 0.2},
      {"beside a slanted cylinder", MakeSphere({0, 1, 0}, 0.1), MakeCylinder({0, 0, 0}, slant, 0.1, 2),
       1 / r2 - 0.2},
      {"box and cylinder", Box({1, 0.5, 0}, 0.25), MakeCylinder({0, 0, 0}, up, 0.3, 1), 1 - 0.25 - 0.3},
  };
  for (const Case& c : cases) {
    const Separation s = ExactSeparation(c.a, c.b);
    EXPECT_FALSE(s.contact) << c.what;
    EXPECT_NEAR(s.distance, c.want, 1e-4) << c.what;
    // The closest points are that far apart.
    const Vec3 d = s.onB - s.onA;
    EXPECT_NEAR(std::sqrt(Dot(d, d)), c.want, 1e-4) << c.what;
  }
}

TEST(ExactDistance, ATenthOfAMillimetreDecidesContact) {
  for (double gap : {1e-4, -1e-4}) {
    const Separation s = ExactSeparation(Box({0, 0, 0}, 0.5), Box({1.0 + gap, 0, 0}, 0.5));
    EXPECT_EQ(s.contact, gap < 0) << gap;
    EXPECT_NEAR(s.distance, std::max(gap, 0.0), 1e-6) << gap;
  }
}

// A record's mesh against a sphere: the cube's faces are exact, and its
// outline (drawn a millimetre proud of them) occupies nothing.
TEST(ExactDistance, AMeshIsItsTriangles) {
  SceneObject cube;
  InitializeRecords(&cube, 1);
  cube.Enbl = cube.Fill = cube.Frame = true;
  cube.Shp = ShapeKind::Cube;
  cube.W = cube.D = cube.H = 1.0f;
  const Mesh mesh = BuildObjectMesh(cube, BuildInputs{});
  EXPECT_NEAR(ExactSeparation(MakeSphere({1, 0, 0}, 0.1), mesh).distance, 0.4, 1e-4);
  EXPECT_TRUE(ExactSeparation(MakeSphere({0.55, 0, 0}, 0.1), mesh).contact);
  EXPECT_NEAR(ExactSeparation(mesh, mesh).distance, 0.0, 1e-9);
  EXPECT_TRUE(std::isinf(ExactSeparation(MakeSphere({0, 0, 0}, 1), Mesh{}).distance)) << "no faces, nothing near";
}

// The cell kept between frames: the nearest object and what a mover
// touches, objects replaced and taken out.
TEST(ExactScene, FindsTheNearestAndTheTouchedObjects) {
  auto box = [](float x, float size) {
    SceneObject r;
    InitializeRecords(&r, 1);
    r.Enbl = r.Fill = true;
    r.Shp = ShapeKind::Cube;
    r.X = x;
    r.W = r.D = r.H = size;
    return BuildObjectMesh(r, BuildInputs{});
  };
  ExactScene cell;
  cell.SetObject(3, box(1.0f, 0.4f));   // faces at x 0.8 .. 1.2
  cell.SetObject(7, box(-0.6f, 0.4f));  // x -0.8 .. -0.4
  cell.SetObject(9, box(0.1f, 0.1f));   // the mover's own, ignored
  EXPECT_EQ(cell.ObjectCount(), 3u);
  const Mesh mover = box(0.0f, 0.2f);  // x -0.1 .. 0.1
  ExactScene::Nearest n = cell.NearestTo(mover, 5.0, 9);
  EXPECT_EQ(n.object, 7);
  EXPECT_NEAR(n.distance, 0.3, 1e-4);
  EXPECT_NEAR(n.onMover.x, -0.1, 1e-4);
  EXPECT_NEAR(n.onObject.x, -0.4, 1e-4);
  EXPECT_EQ(cell.NearestTo(mover, 0.2, 9).object, -1) << "nothing within reach";
  EXPECT_EQ(cell.Touching(mover, 9), std::vector<int>{});
  EXPECT_EQ(cell.Touching(mover), std::vector<int>{9});

  cell.SetObject(7, box(-0.15f, 0.2f));  // moved onto the mover
  cell.SetObject(3, box(0.15f, 0.2f));
  EXPECT_EQ(cell.Touching(mover, 9), (std::vector<int>{3, 7}));
  EXPECT_TRUE(cell.NearestTo(mover, 5.0, 9).contact);
  cell.SetObject(7, Mesh{});
  cell.SetObject(3, Mesh{});
  EXPECT_EQ(cell.ObjectCount(), 1u);
  EXPECT_EQ(cell.NearestTo(mover, 5.0, 9).object, -1);
}
