// Composite parts: placement and turn order, the three parts whose every
// measure is fixed, pipes switched on and off, pipe directions, repeat
// counts and the angle profile's variants.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <set>

#include "mesh/Emit.h"
#include "EquipmentTestSupport.h"
#include "equipment/CompositeParts.h"
#include "equipment/EquipmentExamples.h"
#include "equipment/EquipmentModels.h"
#include "equipment/EquipmentPieces.h"
#include "render/GlHeaders.h"
#include "shapes/Shapes.h"
#include "support/GlFixture.h"

namespace {

constexpr double kTol = 1e-4;

std::vector<ObjPrimitive> Draw(const SceneObject& obj) {
  return CaptureModel([&] { DrawCompositePart(obj); });
}

size_t Polygons(const std::vector<ObjPrimitive>& prims) {
  size_t n = 0;
  for (const ObjPrimitive& p : prims) n += p.kind == FeedbackPrimitive::Polygon;
  return n;
}

std::vector<ObjVertex> All(const std::vector<ObjPrimitive>& prims) {
  std::vector<ObjVertex> out;
  for (const ObjPrimitive& p : prims) out.insert(out.end(), p.v.begin(), p.v.end());
  return out;
}

// How often a vertex at exactly this point was emitted.
size_t HitsAt(const std::vector<ObjPrimitive>& prims, double x, double y, double z) {
  size_t n = 0;
  for (const ObjVertex& v : All(prims)) n += std::hypot(v.x - x, v.y - y, v.z - z) < 2e-5;
  return n;
}

bool SamePrimitive(const ObjPrimitive& a, const ObjPrimitive& b) {
  return SameDrawing({a}, {b});
}

class CompositePart : public GlTest {};

TEST_F(CompositePart, UnturnedPartStandsAtItsPointWithItsWidthAlongX) {
  SceneObject o = ColouredRecord(112);
  o.X = 1.0f, o.Y = 2.0f, o.Z = 0.5f;
  o.W = 0.2f, o.D = 0.1f, o.H = 0.06f, o.R = 0.02f, o.size[0] = 0.01f;
  const Extent e = ExtentOf(All(Draw(o)));
  EXPECT_NEAR(e.lo[0], 1.0 - 0.11, kTol);
  EXPECT_NEAR(e.hi[0], 1.0 + 0.11, kTol);
  EXPECT_NEAR(e.lo[1], 0.5 - 0.03, kTol);
  EXPECT_NEAR(e.hi[1], 0.5 + 0.03, kTol);
  EXPECT_NEAR(e.lo[2], 2.0 - 0.05, kTol);
  EXPECT_NEAR(e.hi[2], 2.0 + 0.05, kTol);
}

TEST_F(CompositePart, EveryKindTurnsAboutXThenZThenTheVertical) {
  for (int32_t kind : kCompositeKinds) {
    SCOPED_TRACE(kind);
    SceneObject o = ExampleEquipment(kind);
    o.X = 0.3f, o.Y = -0.2f, o.Z = 0.1f;
    o.Ang[0] = 30.0f, o.Ang[1] = 20.0f, o.Ang[2] = 10.0f;
    SceneObject at = o;
    at.X = at.Y = at.Z = 0.0f;
    at.Ang[0] = at.Ang[1] = at.Ang[2] = 0.0f;
    const auto manual = CaptureModel([&] {
      emit::Push();
      emit::Translate(0.3f, 0.1f, -0.2f);
      emit::Rotate(20.0f, 1, 0, 0);
      emit::Rotate(10.0f, 0, 0, 1);
      emit::Rotate(30.0f, 0, 1, 0);
      DrawCompositePart(at);
      emit::Pop();
    });
    const auto placed = Draw(o);
    EXPECT_FALSE(placed.empty());
    EXPECT_TRUE(SameDrawing(placed, manual));
  }
}

TEST_F(CompositePart, DrumUnitMeasures) {
  SceneObject o = ColouredRecord(100);
  o.R = 0.04f, o.size[0] = 0.12f, o.W = 0.14f, o.D = 0.1f;
  o.cl_sub[1] = kRed;
  const auto out = Draw(o);
  // Body: base plate under the floor line, top plate at 2.3 R, disc on it.
  const Extent body = ExtentOf(VerticesInColour(out, kGrey));
  EXPECT_NEAR(body.lo[1], -0.007, kTol);
  EXPECT_NEAR(body.hi[1], 0.092 + 0.007 + 0.007, kTol);
  EXPECT_NEAR(body.hi[0], 0.0705, kTol);
  EXPECT_NEAR(body.lo[0], -0.0705, kTol);
  EXPECT_NEAR(body.hi[2], 0.06, kTol);  // the disc, radius size[0] / 2
  // Shaft (red, under the top plate): 1.2 x (size[0] + 0.014) long, R / 4
  // about the drum's axis at height R.
  std::vector<ObjVertex> shaft, bolts;
  for (const ObjVertex& v : VerticesInColour(out, kRed)) (v.y < 0.092 ? shaft : bolts).push_back(v);
  const Extent s = ExtentOf(shaft);
  EXPECT_NEAR(s.hi[0], 0.6 * 0.134, kTol);
  EXPECT_NEAR(s.lo[0], -0.6 * 0.134, kTol);
  EXPECT_NEAR(s.lo[1], 0.03, kTol);
  EXPECT_NEAR(s.hi[1], 0.05, kTol);
  // Four hexagonal bolts near the corners of the top plate.
  const Extent b = ExtentOf(bolts);
  EXPECT_NEAR(b.hi[0], 0.07, kTol);
  EXPECT_NEAR(b.lo[1], 0.099, kTol);
  EXPECT_NEAR(b.hi[1], 0.109, kTol);
  EXPECT_NEAR(b.hi[2], 0.03 + 0.01 * std::sin(M_PI / 3), kTol);
  std::set<std::pair<long, long>> corner;
  for (const ObjVertex& v : bolts)
    if (v.x > 0 && v.z > 0 && std::hypot(v.x - 0.06, v.z - 0.03) > 0.005)
      corner.insert({std::lround(v.x * 1e5), std::lround(v.z * 1e5)});
  EXPECT_EQ(corner.size(), 6u);
}

TEST_F(CompositePart, StudBoltMeasures) {
  SceneObject o = ColouredRecord(101);
  o.R = 0.02f, o.H = 0.12f, o.size[0] = 0.008f, o.size[1] = 0.012f;
  const auto v = All(Draw(o));
  // (height, distance from the axis) of every vertex.
  auto has = [&](double y, double r) {
    return std::any_of(v.begin(), v.end(), [&](const ObjVertex& p) {
      return std::fabs(p.y - y) < kTol && std::fabs(std::hypot(p.x, p.z) - r) < kTol;
    });
  };
  EXPECT_TRUE(has(0.0, 0.02));     // head, full radius
  EXPECT_TRUE(has(0.006, 0.02));   // up to its middle
  EXPECT_TRUE(has(0.012, 0.01));   // narrowed to R / 2 at its top
  EXPECT_TRUE(has(0.012, 0.008));  // shaft from size[1] ...
  EXPECT_TRUE(has(0.12, 0.008));   // ... to H
  EXPECT_TRUE(has(0.012, 0.016));  // nut at size[1], radius 2 size[0]
  EXPECT_TRUE(has(0.018, 0.016));  // size[1] / 2 thick
  EXPECT_TRUE(has(0.06, 0.016));   // nut at H / 2
  EXPECT_TRUE(has(0.066, 0.016));
  const Extent e = ExtentOf(v);
  EXPECT_NEAR(e.hi[1], 0.12, kTol);
  EXPECT_NEAR(e.hi[0], 0.02, kTol);
  // The nuts are hexagons: six corners at the top of the upper nut.
  std::set<std::pair<long, long>> corners;
  for (const ObjVertex& p : v)
    if (std::fabs(p.y - 0.066) < kTol && std::hypot(p.x, p.z) > 0.012)
      corners.insert({std::lround(p.x * 1e5), std::lround(p.z * 1e5)});
  EXPECT_EQ(corners.size(), 6u);
}

TEST_F(CompositePart, ThreadedRodMeasures) {
  SceneObject o = ColouredRecord(102);
  o.R = 0.008f, o.R2 = 0.016f, o.D = 0.2f, o.size[0] = 0.01f, o.size[1] = 0.008f;
  const auto v = All(Draw(o));
  std::set<long> nutFaces;
  for (const ObjVertex& p : v) {
    const double r = std::hypot(p.x, p.y);
    EXPECT_LE(r, 0.016 + kTol);
    if (std::fabs(r - 0.016) < kTol) nutFaces.insert(std::lround(p.z * 1e4));
  }
  // Nuts centred on the ends (size[0] thick) and on +-D/8 (size[1] thick).
  const std::set<long> expected = {-1050, -950, -290, -210, 210, 290, 950, 1050};
  EXPECT_EQ(nutFaces, expected);
  const Extent e = ExtentOf(v);
  EXPECT_NEAR(e.lo[2], -0.105, kTol);
  EXPECT_NEAR(e.hi[2], 0.105, kTol);
}

TEST_F(CompositePart, PipesSwitchedOffLeaveEverythingElse) {
  for (int32_t kind : {105, 106, 111, 113}) {
    SCOPED_TRACE(kind);
    SceneObject on = ExampleEquipment(kind);
    on.Reso = 12;
    on.Opt[0] = 1;
    SceneObject off = on;
    off.Opt[0] = 0;
    const auto a = Draw(on), b = Draw(off);
    size_t p = 0;
    while (p < a.size() && p < b.size() && SamePrimitive(a[p], b[p])) ++p;
    size_t q = 0;
    while (q < a.size() - p && q < b.size() - p && SamePrimitive(a[a.size() - 1 - q], b[b.size() - 1 - q]))
      ++q;
    SceneObject ball = Piece(on);
    ball.R = ball.R2 = 0.01f;
    const size_t ballTriangles = Polygons(CaptureModel([&] { DrawBall(ball); }));
    const size_t pipe = 6 * 12 + ballTriangles;  // two tubes, two caps, one joint
    std::vector<ObjPrimitive> middle(a.begin() + p, a.end() - q);
    EXPECT_EQ(Polygons(middle), middle.size());
    if (kind == 111) {
      // The riser's pipe stands in for its last column.
      EXPECT_EQ(middle.size(), pipe);
      EXPECT_EQ(b.size() - p - q, 4u * 12);
    } else {
      EXPECT_EQ(p + q, b.size());
      EXPECT_EQ(middle.size(), 2 * pipe);
    }
  }
}

TEST_F(CompositePart, GaugeValvePipesTurnAsTheirOptionSays) {
  SceneObject o = ExampleEquipment(113);  // W 0.08, D 0.06, H 0.06, size[1] 0.14
  o.Reso = 12;
  const double x = 0.07 + 0.035;
  struct Case {
    int opt;
    double y, z;
  };
  for (const Case c : {Case{1, -0.06, 0}, Case{2, 0, -0.06}, Case{3, 0.06, 0}, Case{4, 0, 0.06}}) {
    SCOPED_TRACE(c.opt);
    o.Opt[0] = c.opt;
    const auto out = Draw(o);
    for (double s : {1.0, -1.0}) EXPECT_EQ(HitsAt(out, s * x, c.y, c.z), 12u);
  }
  o.Opt[0] = 7;
  const auto seven = Draw(o);
  o.Opt[0] = 2;
  EXPECT_TRUE(SameDrawing(seven, Draw(o)));
  o.Opt[0] = 0;
  for (double s : {1.0, -1.0}) EXPECT_EQ(HitsAt(Draw(o), s * x, 0, -0.06), 0u);
}

TEST_F(CompositePart, TerminalStripSpacesItsTerminalsAndHoldsTheCount) {
  SceneObject o = ColouredRecord(117);
  o.cl_sub[0] = kRed;
  o.W = 0.3f, o.D = 0.05f, o.H = 0.01f, o.R = 0.01f;
  o.size[1] = 0.03f, o.size[2] = 0.05f, o.size[3] = 0.03f, o.size[4] = 0.06f, o.size[5] = 0.005f;
  o.Reso = 12;
  auto headCentres = [&](int count) {
    o.Opt[0] = count;
    std::set<long> xs;
    for (const ObjVertex& v : VerticesInColour(Draw(o), kRed))
      if (std::fabs(v.y - 0.005) < kTol) xs.insert(std::lround(v.x * 1e4));
    return xs;  // the centres of the head tops (fan centres) and their rims
  };
  // Five terminals 0.055 apart from R in from the inner end of the left
  // end block: -0.11, -0.055, 0, 0.055, 0.11.
  std::set<long> centres;
  for (long x : headCentres(5))
    if (x % 550 == 0 || x == -1100 || x == 1100) centres.insert(x);
  EXPECT_EQ(centres, (std::set<long>{-1100, -550, 0, 550, 1100}));
  EXPECT_EQ(headCentres(0).size(), 0u);
  EXPECT_FALSE(headCentres(1).empty());
  const auto one = VerticesInColour(Draw(o), kRed);
  EXPECT_NEAR(Centroid(one).x, 0.0, kTol);
  // A file asking for millions gets a hundred.
  o.Opt[0] = INT_MAX;
  const size_t huge = Polygons(Draw(o));
  o.Opt[0] = 100;
  EXPECT_EQ(huge, Polygons(Draw(o)));
}

TEST_F(CompositePart, LevelRackDrawsTheLayersAboveItsOption) {
  SceneObject o = ColouredRecord(130);
  o.W = 0.2f, o.D = 0.15f, o.H = 0.3f;
  o.cl_sub[0] = kGrey;
  o.cl_sub[1] = kRed;
  auto layers = [&](int level) {
    o.Opt[0] = level;
    return VerticesInColour(Draw(o), kRed).size() / 6;  // two triangles per layer
  };
  EXPECT_EQ(layers(40), 60u);
  EXPECT_EQ(layers(0), 100u);
  EXPECT_EQ(layers(-7), 100u);
  EXPECT_EQ(layers(100), 0u);
  EXPECT_EQ(layers(INT_MAX), 0u);
  o.Opt[0] = 99;
  const Extent top = ExtentOf(VerticesInColour(Draw(o), kRed));
  EXPECT_NEAR(top.lo[1], 0.005 + 0.3, kTol);
  EXPECT_NEAR(top.hi[0], 0.088, kTol);
}

TEST_F(CompositePart, RowAndConnectorHoldTheirCounts) {
  for (int32_t kind : {109, 115}) {
    SCOPED_TRACE(kind);
    SceneObject o = ExampleEquipment(kind);
    o.Reso = 8;
    o.Opt[0] = 100;
    const size_t hundred = Polygons(Draw(o));
    o.Opt[0] = 1000000;
    EXPECT_EQ(Polygons(Draw(o)), hundred);
    o.Opt[0] = -3;
    const size_t none = Polygons(Draw(o));
    o.Opt[0] = 0;
    EXPECT_EQ(Polygons(Draw(o)), none);
    EXPECT_LT(none, hundred);
  }
}

TEST_F(CompositePart, AngleProfileRunsAlongTheAxisItsDirectionNames) {
  SceneObject o = ColouredRecord(133);
  o.W = 0.05f, o.H = 0.04f, o.D = 0.25f, o.R = 0.005f;
  struct Case {
    int dir;
    int along, flat, up;  // GL axes: the run, the W leg, the H leg
  };
  for (const Case c : {Case{0, 2, 0, 1}, Case{1, 0, 2, 1}, Case{2, 1, 0, 2}, Case{5, 2, 0, 1}}) {
    SCOPED_TRACE(c.dir);
    o.Dir = c.dir;
    for (int swap : {0, 1}) {
      o.Opt[0] = swap;
      const Extent e = ExtentOf(All(Draw(o)));
      EXPECT_NEAR(e.lo[c.along], 0.0, kTol);
      EXPECT_NEAR(e.hi[c.along], 0.25, kTol);
      EXPECT_NEAR(e.hi[c.flat], swap ? 0.04 : 0.05, kTol);
      EXPECT_NEAR(e.hi[c.up], swap ? 0.05 : 0.04, kTol);
    }
  }
}

}  // namespace
