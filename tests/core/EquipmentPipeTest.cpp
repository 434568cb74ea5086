// Pipes drawn along a path: tube segments, ball joints at the bends, end
// caps facing out of the pipe.

#include <gtest/gtest.h>

#include <cmath>

#include "mesh/Emit.h"
#include "EquipmentTestSupport.h"
#include "equipment/EquipmentModels.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "shapes/Shapes.h"
#include "support/GlFixture.h"

namespace {

constexpr int kReso = 12;
constexpr double kR = 0.02;

SceneObject PipeRecord() {
  SceneObject p = ColouredRecord(0);
  p.X = 0.1f;
  p.Y = 0.2f;
  p.Z = 0.3f;
  p.R = static_cast<float>(kR);
  p.Reso = kReso;
  return p;
}

size_t Polygons(const std::vector<ObjPrimitive>& prims) {
  size_t n = 0;
  for (const ObjPrimitive& p : prims) n += p.kind == FeedbackPrimitive::Polygon;
  return n;
}

// Triangles of one ball joint of the pipe's radius.
size_t BallTriangles() {
  SceneObject b = PipeRecord();
  b.R2 = b.R;
  return Polygons(CaptureModel([&] { DrawBall(b); }));
}

// Whether a ball was drawn about p: a vertex at distance R from it lying
// off both neighbouring segments' rings (both offsets a and b well away
// from zero), which no tube or cap provides.
bool BallAt(const std::vector<ObjPrimitive>& prims, double px, double py, double pz, int a, int b) {
  for (const ObjPrimitive& prim : prims)
    for (const ObjVertex& v : prim.v) {
      const double d[3] = {v.x - px, v.y - py, v.z - pz};
      if (std::fabs(std::hypot(d[0], d[1], d[2]) - kR) < 1e-4 && std::fabs(d[a]) > 0.3 * kR &&
          std::fabs(d[b]) > 0.3 * kR)
        return true;
    }
  return false;
}

class PipePath : public GlTest {};

TEST_F(PipePath, TwoBendsGetTwoBallJointsAndTwoCaps) {
  // Along x, down, along x again.
  const double path[4][3] = {{0, 0, 0}, {0.1, 0, 0}, {0.1, -0.1, 0}, {0.2, -0.1, 0}};
  const SceneObject p = PipeRecord();
  const auto out = CaptureModel([&] { DrawPipePath(p, path, 4); });
  // Three tubes of 2 x Reso triangles, two caps of Reso, two balls.
  EXPECT_EQ(Polygons(out), 3u * 2 * kReso + 2u * kReso + 2 * BallTriangles());
  EXPECT_TRUE(BallAt(out, 0.2, 0.3, 0.2, 0, 1));
  EXPECT_TRUE(BallAt(out, 0.2, 0.2, 0.2, 0, 1));
  EXPECT_FALSE(BallAt(out, 0.1, 0.3, 0.2, 0, 1));
  EXPECT_FALSE(BallAt(out, 0.3, 0.2, 0.2, 0, 1));
  // The caps are fans round the two ends.
  size_t capCentres[2] = {0, 0};
  for (const ObjPrimitive& prim : out)
    for (const ObjVertex& v : prim.v) {
      if (std::hypot(v.x - 0.1, v.y - 0.3, v.z - 0.2) < 1e-5) ++capCentres[0];
      if (std::hypot(v.x - 0.3, v.y - 0.2, v.z - 0.2) < 1e-5) ++capCentres[1];
    }
  EXPECT_EQ(capCentres[0], static_cast<size_t>(kReso));
  EXPECT_EQ(capCentres[1], static_cast<size_t>(kReso));
}

TEST_F(PipePath, StraightRunsGetNoJointAndTubesFollowTheirAxis) {
  // Two segments along depth: no bend, no ball.
  const double straight[3][3] = {{0, 0, 0}, {0, 0, 0.1}, {0, 0, 0.3}};
  const SceneObject p = PipeRecord();
  const auto out = CaptureModel([&] { DrawPipePath(p, straight, 3); });
  EXPECT_EQ(Polygons(out), 2u * 2 * kReso + 2u * kReso);
  // Every vertex sits on the tube of radius R round the depth axis.
  for (const ObjPrimitive& prim : out)
    for (const ObjVertex& v : prim.v) EXPECT_LE(std::hypot(v.x - 0.1, v.y - 0.3), kR + 1e-5);
  // A segment that changes x and depth at once counts as running along x.
  const double diagonal[2][3] = {{0, 0, 0}, {0.1, 0, 0.1}};
  const auto skew = CaptureModel([&] { DrawPipePath(p, diagonal, 2); });
  // Its rings lie across x: every vertex has the x of one of the ends.
  ASSERT_FALSE(skew.empty());
  for (const ObjPrimitive& prim : skew)
    for (const ObjVertex& v : prim.v)
      EXPECT_TRUE(std::fabs(v.x - 0.1) < 1e-5 || std::fabs(v.x - 0.2) < 1e-5) << v.x;
}

TEST_F(PipePath, NothingWithoutResolutionOrSecondPointOrFill) {
  const double path[2][3] = {{0, 0, 0}, {0.1, 0, 0}};
  SceneObject p = PipeRecord();
  EXPECT_TRUE(CaptureModel([&] { DrawPipePath(p, path, 1); }).empty());
  EXPECT_TRUE(CaptureModel([&] { DrawPipePath(p, nullptr, 2); }).empty());
  p.Reso = 0;
  EXPECT_TRUE(CaptureModel([&] { DrawPipePath(p, path, 2); }).empty());
  p.Reso = kReso;
  p.Fill = false;
  p.Frame = true;  // a pipe has no outline
  EXPECT_TRUE(CaptureModel([&] { DrawPipePath(p, path, 2); }).empty());
}

TEST_F(PipePath, CapsFaceOutOfThePipe) {
  // Lit from +x only: the cap at the far end (facing +x) is bright, the
  // cap at the start (facing -x) gets the ambient light alone.
  ResetLights();
  SetLightPosition(0, 1.0f, 0.0f, 0.0f, 0.0f);
  SetLightLevels(0, 0xFFFFFF, 0.0f, 1.0f, 1.0f, 0.0f, 0.0f);
  SetLightEnabled(0, true);
  ApplyLights();
  const double path[2][3] = {{0, 0, 0}, {0.1, 0, 0}};
  const SceneObject p = PipeRecord();
  const auto out = CaptureObjectSpace([&] { DrawPipePath(p, path, 2); });
  ResetLights();
  ApplyLights();
  double startLight = -1, endLight = -1;
  for (const ObjPrimitive& prim : out) {
    bool atStart = true, atEnd = true;
    for (const ObjVertex& v : prim.v) {
      atStart = atStart && std::fabs(v.x - 0.1) < 1e-5;
      atEnd = atEnd && std::fabs(v.x - 0.2) < 1e-5;
    }
    if (atStart) startLight = prim.v[0].r;
    if (atEnd) endLight = prim.v[0].r;
  }
  ASSERT_GE(startLight, 0.0);
  ASSERT_GE(endLight, 0.0);
  EXPECT_GT(endLight, startLight + 0.3);
}

TEST_F(PipePath, PlacedAtTheRecordsPointAndTurnedByItsAngles) {
  const double path[3][3] = {{0, 0, 0}, {0.1, 0, 0}, {0.1, 0.05, 0}};
  SceneObject p = PipeRecord();
  p.Ang[0] = 30.0f;
  p.Ang[1] = 20.0f;
  p.Ang[2] = 10.0f;
  const auto turned = CaptureModel([&] { DrawPipePath(p, path, 3); });
  SceneObject origin = p;
  origin.X = origin.Y = origin.Z = 0;
  origin.Ang[0] = origin.Ang[1] = origin.Ang[2] = 0;
  const auto manual = CaptureModel([&] {
    emit::Push();
    emit::Translate(0.1f, 0.3f, 0.2f);
    emit::Rotate(30.0f, 0, 1, 0);
    emit::Rotate(20.0f, 1, 0, 0);
    emit::Rotate(10.0f, 0, 0, 1);
    DrawPipePath(origin, path, 3);
    emit::Pop();
  });
  EXPECT_TRUE(SameDrawing(turned, manual));
}

}  // namespace
