// The robots' drawing and their solids come from one layout, and a
// record's frame from one rule: what the check takes a robot or a record
// to occupy is what the picture shows.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "mesh/Emit.h"
#include "EquipmentTestSupport.h"
#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "collision/ObjectSolids.h"
#include "collision/RobotSolids.h"
#include "render/GlHeaders.h"
#include "shapes/ShapeCommon.h"
#include "support/GlFixture.h"

namespace {

// The rounding of the records' floats and of the feedback coordinates.
constexpr double kTol = 2e-5;

class RobotLayoutGl : public GlTest {};

struct RobotCase {
  const char* name;
  int32_t kind;
  int32_t armSize;  // Opt[3]
  int32_t dual;     // Opt[2]
  float r1, r2, z, t;
  bool placed;  // moved, headed, travelled and scaled
};

SceneObject RobotRecord(const RobotCase& c) {
  SceneObject r = ColouredRecord(c.kind);
  r.Reso = 36;
  r.Opt[0] = r.Opt[1] = r.Opt[4] = r.Opt[5] = 1;
  r.Opt[2] = c.dual;
  r.Opt[3] = c.armSize;
  r.size[0] = c.r1;
  r.size[1] = c.r2;
  r.size[2] = c.z;
  r.size[3] = c.t;
  r.size[6] = 20.0f;
  r.size[7] = -35.0f;
  if (c.placed) {
    r.X = 0.3f, r.Y = -0.2f, r.Z = 0.1f;
    r.Ang[0] = 25.0f;
    r.size[4] = 0.15f;
    r.size[9] = 1.5f;
  }
  return r;
}

void DrawRobot(const SceneObject& r) {
  if (r.Shp == ShapeKind::ScaraRobot) ScaraRobot(r);
  if (r.Shp == ShapeKind::TwinHandRobot) TwinHandRobot(r);
  if (r.Shp == ShapeKind::FrogLegRobot) FrogLegRobot(r);
}

// How far short of the solid's faces the points inside it stop: the
// largest gap over its faces (for a cylinder its rim, base and top).
double ShortfallOf(const Solid& s, const std::vector<Vec3>& points) {
  double lo[3] = {1e9, 1e9, 1e9}, hi[3] = {-1e9, -1e9, -1e9};
  for (const Vec3& p : points) {
    if (PointDistance(s, p) > kTol) continue;
    const Vec3 d = p - s.centre;
    double at[3] = {Dot(d, s.axes[0]), Dot(d, s.axes[1]), Dot(d, s.axes[2])};
    if (s.kind == Solid::Kind::Cylinder) at[0] = at[2] = Length(d - s.axes[1] * at[1]);
    for (int k = 0; k < 3; ++k) lo[k] = std::min(lo[k], at[k]), hi[k] = std::max(hi[k], at[k]);
  }
  if (s.kind == Solid::Kind::Cylinder) return std::max({s.half[0] - hi[0], lo[1], s.half[1] - hi[1]});
  double gap = 0.0;
  for (int k = 0; k < 3; ++k) gap = std::max({gap, s.half[k] - hi[k], lo[k] + s.half[k]});
  return gap;
}

}  // namespace

// Every point a robot draws lies in one of its solids, and every solid is
// filled out to each of its faces by what is drawn: a part sized in the
// solids other than in the drawing shows either way.
TEST_F(RobotLayoutGl, SolidsHoldTheDrawingAndTheDrawingFillsEverySolid) {
  const RobotCase cases[] = {
      {"scara", ShapeKind::ScaraRobot, 0, 0, 0.6f, 0.0f, 0.02f, 0.0f, false},
      {"scara dual", ShapeKind::ScaraRobot, 0, 1, 0.6f, -0.4f, 0.02f, 40.0f, true},
      {"scara shaft dual", ShapeKind::ScaraRobot, 1, 1, -0.5f, 0.3f, 0.05f, -70.0f, true},
      {"scara wide", ShapeKind::ScaraRobot, 2, 0, -0.5f, 0.0f, 0.02f, 40.0f, true},
      {"twin hand", ShapeKind::TwinHandRobot, 0, 0, 0.8f, 0.0f, 0.02f, 40.0f, true},
      {"frog leg out", ShapeKind::FrogLegRobot, 0, 0, 0.5f, 0.0f, 0.02f, 40.0f, true},
      {"frog leg back", ShapeKind::FrogLegRobot, 0, 0, -0.6f, 0.0f, 0.1f, 0.0f, false},
  };
  for (const RobotCase& c : cases) {
    SCOPED_TRACE(c.name);
    const SceneObject rec = RobotRecord(c);
    std::vector<Vec3> points;
    for (const ObjPrimitive& prim : CaptureModel([&] { DrawRobot(rec); }))
      for (const ObjVertex& v : prim.v) points.push_back({v.x, v.y, v.z});
    ASSERT_GT(points.size(), 100u);
    std::vector<Solid> solids;
    ASSERT_TRUE(RobotSolids(rec, &solids));

    double worst = 0.0;
    Vec3 at;
    for (const Vec3& p : points) {
      double d = 1e9;
      for (const Solid& s : solids) d = std::min(d, PointDistance(s, p));
      if (d > worst) worst = d, at = p;
    }
    EXPECT_LE(worst, kTol) << "drawn point " << at.x << "," << at.y << "," << at.z;
    for (size_t i = 0; i < solids.size(); ++i)
      EXPECT_LE(ShortfallOf(solids[i], points), kTol) << "solid " << i;

    // Nor does a body solid stand out where nothing is drawn: a box's
    // corners are drawn points. (A hand plate's box, a moving part, holds
    // its rounded tip.)
    std::vector<Sweep> moving;
    std::vector<int> kinds;
    ASSERT_TRUE(RobotMovingParts(rec, &moving, &kinds));
    for (size_t i = 0; i < solids.size(); ++i) {
      const Solid& s = solids[i];
      const bool moves = std::any_of(moving.begin(), moving.end(),
                                     [&](const Sweep& m) { return Length(m.centre - s.centre) < kTol; });
      if (s.kind != Solid::Kind::Box || moves) continue;
      for (int c = 0; c < 8; ++c) {
        Vec3 corner = s.centre;
        for (int k = 0; k < 3; ++k) corner = corner + s.axes[k] * ((c >> k & 1) ? s.half[k] : -s.half[k]);
        double d = 1e9;
        for (const Vec3& p : points) d = std::min(d, Length(p - corner));
        EXPECT_LE(d, kTol) << "corner " << c << " of solid " << i;
      }
    }
  }
}

// The arithmetic of a record's frame is the frame the shapes draw in, for
// both orders of the turns; the composite parts draw in order B.
TEST(RobotLayoutMesh, RecordPlacementIsTheFrameTheShapesDrawIn) {
  MeshBuilder b;
  emit::BuildInto into(b);
  const float turns[][3] = {{30.0f, -50.0f, 70.0f}, {0.0f, 90.0f, 0.0f}, {-120.0f, 0.0f, 45.0f}};
  for (RotationOrder order : {RotationOrder::A, RotationOrder::B}) {
    for (const auto& a : turns) {
      SceneObject obj;
      obj.X = 0.4f, obj.Y = -1.2f, obj.Z = 0.7f;
      std::copy(a, a + 3, obj.Ang);
      const Placement p = RecordPlacement(obj, order);
      auto expectSame = [&](const char* frame) {
        const double* m = b.frame();
        for (int col = 0; col < 3; ++col) {
          for (int row = 0; row < 3; ++row)
            EXPECT_NEAR(m[col * 4 + row], p.m[row][col], 1e-6)
                << frame << " " << a[0] << "," << a[1] << "," << a[2] << " order " << int(order);
        }
        EXPECT_NEAR(m[12], p.t.x, 1e-6) << frame;
        EXPECT_NEAR(m[13], p.t.y, 1e-6) << frame;
        EXPECT_NEAR(m[14], p.t.z, 1e-6) << frame;
      };
      {
        ShapeFrame frame(obj, order);
        expectSame("shape");
      }
      if (order == RotationOrder::B) {
        PartFrame frame(obj);
        expectSame("part");
      }
    }
  }
}
