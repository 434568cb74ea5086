// Object bounds hold everything an object really draws: every vertex of
// its mesh lies inside the sphere, the axis-aligned box and the turned
// box, for every kind, turned and moved, and for records of odd
// proportions and signs.

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "ShapeTestSupport.h"
#include "equipment/EquipmentExamples.h"
#include "equipment/EquipmentModels.h"
#include "equipment/ObjectBounds.h"
#include "equipment/ObjectDrawing.h"
#include "support/GlFixture.h"
#include "render/MeshDraw.h"

namespace {

class ObjectBoundsGl : public GlTest {
 protected:
  // Draws the record, checks every vertex against its bounds; returns the
  // number of vertices seen.
  size_t ExpectInside(const SceneObject& o, const std::string& label) {
    const ObjectBounds b = BoundsOf(o);
    EXPECT_TRUE(b.bounded) << label;
    const Mesh mesh = BuildObjectMesh(o, BuildInputs{});
    // Edges of the turned box, from corner 0.
    double e[3][3];
    for (int k = 0; k < 3; ++k)
      for (int i = 0; i < 3; ++i) e[k][i] = b.corner[1 << k][i] - b.corner[0][i];
    size_t seen = 0;
    const double eps = 1e-6;
    for (const MeshRun& run : mesh.runs)
      for (const MeshVertex& v : run.vertices) {
        ++seen;
        const double q[3] = {v.p[0], v.p[1], v.p[2]};
        double d2 = 0.0;
        for (int i = 0; i < 3; ++i) {
          EXPECT_GE(q[i], b.lo[i] - eps) << label << " axis " << i;
          EXPECT_LE(q[i], b.hi[i] + eps) << label << " axis " << i;
          d2 += (q[i] - b.centre[i]) * (q[i] - b.centre[i]);
        }
        EXPECT_LE(std::sqrt(d2), b.radius + eps) << label;
        for (int k = 0; k < 3; ++k) {
          double dot = 0.0, len2 = 0.0;
          for (int i = 0; i < 3; ++i) {
            dot += (q[i] - b.corner[0][i]) * e[k][i];
            len2 += e[k][i] * e[k][i];
          }
          const double t = dot / len2;
          EXPECT_GE(t, -eps) << label << " turned box edge " << k;
          EXPECT_LE(t, 1.0 + eps) << label << " turned box edge " << k;
        }
        if (::testing::Test::HasFailure()) return seen;
      }
    return seen;
  }

  // The record turned and moved to a few places.
  void ExpectInsideEverywhere(SceneObject o, const std::string& label) {
    const float turns[3][3] = {{0, 0, 0}, {30, -50, 70}, {-120, 15, 200}};
    for (const auto& a : turns) {
      SceneObject t = o;
      t.X += 0.3f, t.Y -= 0.2f, t.Z += 0.1f;
      for (int k = 0; k < 3; ++k) t.Ang[k] = a[k];
      EXPECT_GT(ExpectInside(t, label), 0u) << label << " drew nothing";
      if (HasFailure()) return;
    }
  }
};

TEST_F(ObjectBoundsGl, HoldEveryPrimitiveTightly) {
  for (int32_t kind : kPrimitiveKinds) {
    SceneObject o = SampleShape(kind);
    ExpectInsideEverywhere(o, "kind " + std::to_string(kind));
  }
  // Every direction the editor offers for the kinds that have one.
  for (int32_t kind : {ShapeKind::Plane, ShapeKind::Belt})
    for (int dir = 0; dir < 6; ++dir) {
      SceneObject o = SampleShape(kind);
      o.Dir = dir;
      ExpectInsideEverywhere(o, "kind " + std::to_string(kind) + " direction " + std::to_string(dir));
    }
  // Tight: a ball, a cube and a cylinder are bounded by their own sphere.
  SceneObject ball = SampleShape(ShapeKind::Ball);
  EXPECT_LT(BoundsOf(ball).radius, 0.8 + 0.01);
  SceneObject cube = SampleShape(ShapeKind::Cube);
  EXPECT_LT(BoundsOf(cube).radius, 0.6 * std::sqrt(3.0) + 0.01);
  SceneObject cyl = SampleShape(ShapeKind::Cylinder);
  EXPECT_LT(BoundsOf(cyl).radius, std::hypot(0.6, 0.6) + 0.01);
  for (int k = 0; k < 3; ++k) EXPECT_NEAR(BoundsOf(cube).hi[k], 0.6, 0.01);
}

TEST_F(ObjectBoundsGl, HoldEveryEquipmentModelAndText) {
  SetMeshPictures(nullptr);
  for (int32_t kind : kEquipmentKinds) {
    SceneObject o = ExampleEquipment(kind);
    if (kind == ShapeKind::Wafer) o.Opt[1] = 1, o.ID[0] = 25, o.size[8] = 2.0f;
    ExpectInsideEverywhere(o, "kind " + std::to_string(kind));
  }
  SceneObject text;
  text.Enbl = true;
  text.Shp = ShapeKind::BlockText;
  text.Text = "Tg9#x";
  text.size[0] = 3.0f;
  text.size[1] = 1.5f;
  for (int dir = 0; dir < 3; ++dir) {
    text.Dir = dir;
    ExpectInsideEverywhere(text, "text direction " + std::to_string(dir));
  }
}

// Records of other proportions and signs than the examples: every size
// of the record scaled by its own factor from -1.5 to 1.5, counts and
// switches picked at random.
TEST_F(ObjectBoundsGl, HoldModelsOfAnyProportions) {
  SetMeshPictures(nullptr);
  std::mt19937 rng(16);
  std::uniform_real_distribution<float> factor(-1.5f, 1.5f);
  std::uniform_int_distribution<int> option(0, 4);
  for (int round = 0; round < 6; ++round) {
    for (int32_t kind : kEquipmentKinds) {
      SceneObject o = ExampleEquipment(kind);
      o.Reso = 12;
      const bool robot = kind >= ShapeKind::ScaraRobot;
      for (float* f : {&o.W, &o.D, &o.H, &o.R, &o.R2}) *f *= factor(rng);
      for (int k = 0; k < 9; ++k) {
        const float base = o.size[k] != 0.0f ? o.size[k] : (robot ? 1.0f : 0.03f);
        o.size[k] = base * factor(rng);
      }
      if (robot) o.size[2] *= 0.2f, o.size[4] *= 0.3f;
      for (int k = 0; k < 8; ++k) o.Opt[k] = option(rng);
      if (kind == 109 || kind == 117) o.Opt[0] = 3 * option(rng);
      o.Dir = option(rng) % 3;
      ExpectInside(o, "kind " + std::to_string(kind) + " round " + std::to_string(round));
      if (HasFailure()) return;
    }
  }
}

TEST(ObjectBounds, AMeshIsBoundedByItsOwnBoxAndItsWidestLine) {
  SceneObject line = SampleShape(ShapeKind::Line);
  line.R = 7.0f;
  const Mesh mesh = BuildObjectMesh(line, BuildInputs{});
  const ObjectBounds b = BoundsOfMesh(mesh);
  float lo[3], hi[3];
  ASSERT_TRUE(mesh.Bounds(lo, hi));
  EXPECT_FLOAT_EQ(b.linePixels, 7.0f);
  for (int k = 0; k < 3; ++k) {
    EXPECT_EQ(b.lo[k], lo[k]);
    EXPECT_EQ(b.hi[k], hi[k]);
  }
  EXPECT_TRUE(BoundsOfMesh(Mesh{}).drawsNothing);
}

TEST(ObjectBounds, UnknownKindsDrawNothingAndNonNumbersAreUnbounded) {
  SceneObject o;
  o.Shp = 29;
  EXPECT_TRUE(BoundsOf(o).drawsNothing);
  o.Shp = ShapeKind::Plane;
  o.Dir = 7;
  EXPECT_TRUE(BoundsOf(o).drawsNothing);
  o.Shp = ShapeKind::Cube;
  o.W = std::nanf("");
  EXPECT_FALSE(BoundsOf(o).bounded);
  o.W = 1.0f;
  o.Ang[1] = INFINITY;
  EXPECT_FALSE(BoundsOf(o).bounded);
}

}  // namespace
