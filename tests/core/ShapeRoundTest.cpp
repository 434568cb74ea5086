// Round kinds through the real pipeline (feedback mode).

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <set>

#include "ShapeTestSupport.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "shapes/Shapes.h"
#include "support/GlFixture.h"

namespace {

using Kind = FeedbackPrimitive::Kind;

class RoundShapes : public GlTest {};

double RadiusXZ(const ObjVertex& v) {
  return std::hypot(v.x, v.z);
}

// Angle of a vertex in the horizontal plane, 0..360, rounded to 1e-3.
double AngleXZ(const ObjVertex& v) {
  double a = std::atan2(v.z, v.x) * 180.0 / M_PI;
  if (a < -1e-6) a += 360.0;
  return std::round(a * 1000.0) / 1000.0;
}

std::set<double> RingAngles(const std::vector<ObjVertex>& v) {
  std::set<double> out;
  for (const ObjVertex& p : v)
    if (RadiusXZ(p) > 1e-3) out.insert(AngleXZ(p));
  return out;
}

// Area of the triangles' projection onto the horizontal plane.
double AreaXZ(const std::vector<ObjPrimitive>& prims) {
  double area = 0;
  for (const ObjPrimitive& p : prims) {
    if (p.kind != Kind::Polygon) continue;
    for (size_t i = 1; i + 1 < p.v.size(); ++i) {
      const ObjVertex &a = p.v[0], &b = p.v[i], &c = p.v[i + 1];
      area += std::fabs((b.x - a.x) * (c.z - a.z) - (c.x - a.x) * (b.z - a.z)) / 2.0;
    }
  }
  return area;
}


}  // namespace

TEST_F(RoundShapes, CylinderOfResolutionFourIsASquarePrismOnTheRadius) {
  SceneObject o = Plain(8);
  o.Reso = 4;
  o.R = 1.0f, o.H = 2.0f;
  const auto v = VerticesOf(CaptureObjectSpace([&] { DrawCylinder(o); }), Kind::Polygon);
  ASSERT_FALSE(v.empty());
  for (const ObjVertex& p : v) {
    const double r = RadiusXZ(p);
    if (r < 1e-5) continue;  // a cap's centre
    EXPECT_NEAR(r, 1.0, 1e-5);
    const double a = AngleXZ(p);
    EXPECT_TRUE(std::fmod(a + 1e-3, 90.0) < 2e-3) << a;
    EXPECT_TRUE(std::fabs(p.y) < 1e-5 || std::fabs(p.y - 2.0) < 1e-5) << p.y;
  }
  EXPECT_EQ(RingAngles(v), (std::set<double>{0, 90, 180, 270}));
}

TEST_F(RoundShapes, CircleSectorsFollowTheirSnappedRange) {
  SceneObject o = Plain(7);
  o.R = 1.0f;
  struct Case {
    float from, to;
    double lo, hi;
  } cases[] = {{30, 100, 30, 100}, {35, 100, 30, 100}, {100, 20, 20, 100}, {30, 95, 30, 90}};
  for (const Case& c : cases) {
    o.size[0] = c.from, o.size[1] = c.to;
    const auto angles = RingAngles(VerticesOf(CaptureObjectSpace([&] { DrawCircle(o); }), Kind::Polygon));
    ASSERT_FALSE(angles.empty());
    EXPECT_DOUBLE_EQ(*angles.begin(), c.lo) << c.from << ".." << c.to;
    EXPECT_DOUBLE_EQ(*angles.rbegin(), c.hi) << c.from << ".." << c.to;
    EXPECT_EQ(angles.size(), size_t((c.hi - c.lo) / 10 + 1));
  }
  // Equal ends: the whole disc, its area that of the 36-gon.
  o.size[0] = o.size[1] = 0.0f;
  const auto full = CaptureObjectSpace([&] { DrawCircle(o); });
  EXPECT_EQ(RingAngles(VerticesOf(full, Kind::Polygon)).size(), 36u);
  EXPECT_NEAR(AreaXZ(full), 18.0 * std::sin(2 * M_PI / 36), 1e-4);
}

TEST_F(RoundShapes, CircleCornersAndDiscMakeTheWholeSquare) {
  // What corner mode fills is exactly the square minus the disc, at any
  // resolution, with no sliver left between the quarters.
  for (int reso : {36, 14, 9}) {
    SceneObject o = Plain(7);
    o.R = 1.0f;
    o.Reso = reso;
    const double disc = AreaXZ(CaptureObjectSpace([&] { DrawCircle(o); }));
    o.Opt[0] = 1;
    const double corners = AreaXZ(CaptureObjectSpace([&] { DrawCircle(o); }));
    EXPECT_NEAR(corners + disc, 4.0, 1e-4) << reso;
    // Its outline follows the square round: (R, 0), the four corners, (R, 0).
    o.Fill = false;
    o.Frame = true;
    const auto lines = VerticesOf(CaptureObjectSpace([&] { DrawCircle(o); }), Kind::Line);
    int corner = 0;
    for (const ObjVertex& p : lines)
      if (std::fabs(std::fabs(p.x) - 1) < 1e-5 && std::fabs(std::fabs(p.z) - 1) < 1e-5) ++corner;
    EXPECT_EQ(corner, 8) << reso;  // each corner ends one segment and starts the next
  }
}

TEST_F(RoundShapes, CircleCornerModeEndsAtAWholeQuarter) {
  // 0 to 300 in corner mode: the end is lowered to 270, so nothing lies
  // in the last quarter.
  SceneObject o = Plain(7);
  o.R = 1.0f;
  o.size[0] = 0.0f, o.size[1] = 300.0f;
  o.Opt[0] = 1;
  o.Frame = true;
  const auto prims = CaptureObjectSpace([&] { DrawCircle(o); });
  ASSERT_FALSE(prims.empty());
  double last = 0;
  for (const ObjPrimitive& p : prims)
    for (const ObjVertex& q : p.v) {
      if (RadiusXZ(q) < 1e-3) continue;
      const double a = AngleXZ(q);
      if (a < 359.999) last = std::max(last, a);
    }
  EXPECT_NEAR(last, 270.0, 1e-3);
}

TEST_F(RoundShapes, BallBandsAndClosures) {
  SceneObject o = Plain(9);
  o.R = o.R2 = 1.0f;
  o.Reso = 72;  // 10-degree bands, so 90 is on the grid
  o.size[0] = 0.0f, o.size[1] = 90.0f;
  const auto v = VerticesOf(CaptureObjectSpace([&] { DrawBall(o); }), Kind::Polygon);
  const Extent e = ExtentOf(v);
  EXPECT_NEAR(e.hi[1], 1.0, 1e-5);
  EXPECT_NEAR(e.lo[1], 0.0, 1e-5);  // nothing below the equator
  bool centre = false;
  for (const ObjVertex& p : v) centre = centre || (std::fabs(p.x) + std::fabs(p.y) + std::fabs(p.z) < 1e-5);
  EXPECT_TRUE(centre) << "the equator is closed by a disc";

  // The default range is the whole ball, with no disc inside.
  o.size[1] = 0.0f;
  o.Reso = 36;
  const auto all = VerticesOf(CaptureObjectSpace([&] { DrawBall(o); }), Kind::Polygon);
  const Extent a = ExtentOf(all);
  EXPECT_NEAR(a.lo[1], -1.0, 1e-5);
  EXPECT_NEAR(a.hi[1], 1.0, 1e-5);
  for (const ObjVertex& p : all) EXPECT_NEAR(std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z), 1.0, 1e-5);

  // A resolution whose bands do not reach 180 exactly still ends at the pole.
  o.Reso = 14;
  EXPECT_NEAR(ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawBall(o); }), Kind::Polygon)).lo[1], -1.0,
              1e-5);
}

TEST_F(RoundShapes, ConeOutlineSitsJustOutsideItsSurface) {
  SceneObject o = Plain(10);
  o.R = 1.0f, o.H = 2.0f;
  o.Fill = false;
  o.Frame = true;
  const auto lines = VerticesOf(CaptureObjectSpace([&] { DrawCone(o); }), Kind::Line);
  ASSERT_FALSE(lines.empty());
  int apex = 0;
  for (const ObjVertex& p : lines) {
    if (std::fabs(p.y - 2.0) < 1e-5 && RadiusXZ(p) < 1e-5) {
      ++apex;
      continue;
    }
    EXPECT_NEAR(p.y, 0.0, 1e-5);
    EXPECT_NEAR(RadiusXZ(p), 1.001, 5e-6);
  }
  EXPECT_EQ(apex, 37);
}

TEST_F(RoundShapes, ConeSideIsLitHorizontallyAndItsBaseFacesAwayFromTheApex) {
  SceneObject o = Plain(10);
  o.R = 1.0f, o.H = 2.0f;
  o.Reso = 36;
  // The side at angle 0 faces (1, 0, 0), whatever its slope; the base faces down.
  ProbeLight(1, 0, 0);
  float brightest = 0;
  for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawCone(o); }))
    for (const ObjVertex& p : tri.v)
      if (std::fabs(p.y) < 1e-5 && std::fabs(AngleXZ(p)) < 1e-3 && std::fabs(RadiusXZ(p) - 1) < 1e-5)
        brightest = std::max(brightest, p.r);
  EXPECT_GT(brightest, 0.99f);
  // Hanging below its base, the side still faces (1, 0, 0).
  o.H = -2.0f;
  brightest = 0;
  for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawCone(o); }))
    for (const ObjVertex& p : tri.v)
      if (std::fabs(p.y) < 1e-5 && std::fabs(AngleXZ(p)) < 1e-3 && std::fabs(RadiusXZ(p) - 1) < 1e-5)
        brightest = std::max(brightest, p.r);
  EXPECT_GT(brightest, 0.99f) << "hanging cone";
  // Its base is then its top.
  ProbeLight(0, 1, 0);
  int lit = 0;
  for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawCone(o); })) {
    bool flat = true;
    for (const ObjVertex& p : tri.v) flat = flat && std::fabs(p.y) < 1e-5;
    if (!flat) continue;
    for (const ObjVertex& p : tri.v) EXPECT_GT(p.r, 0.99f) << "hanging cone's base";
    ++lit;
  }
  EXPECT_GT(lit, 0);
  o.H = 2.0f;

  ProbeLight(0, -1, 0);
  bool base = false;
  for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawCone(o); })) {
    bool flat = true;
    for (const ObjVertex& p : tri.v) flat = flat && std::fabs(p.y) < 1e-5;
    if (!flat) continue;
    base = true;
    for (const ObjVertex& p : tri.v) EXPECT_GT(p.r, 0.99f);
  }
  EXPECT_TRUE(base);
}

TEST_F(RoundShapes, CylinderFrustumAndEllipticSection) {
  SceneObject o = Plain(8);
  o.R = 1.0f, o.R2 = 0.5f, o.H = 1.0f;
  o.Opt[0] = 1;
  double bottom = 0, top = 0;
  for (const ObjVertex& p : VerticesOf(CaptureObjectSpace([&] { DrawCylinder(o); }), Kind::Polygon))
    (p.y < 0.5 ? bottom : top) = std::max(p.y < 0.5 ? bottom : top, RadiusXZ(p));
  EXPECT_NEAR(bottom, 1.0, 1e-5);
  EXPECT_NEAR(top, 0.5, 1e-5);

  // Twice as deep as wide, and still lit as a surface: the point at 90
  // degrees faces +z squarely however the section is stretched.
  o.Opt[0] = 0;
  o.size[0] = 1.0f, o.size[1] = 2.0f;
  const Extent e = ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawCylinder(o); }), Kind::Polygon));
  EXPECT_NEAR(e.hi[0], 1.0, 1e-5);
  EXPECT_NEAR(e.hi[2], 2.0, 1e-5);
  ProbeLight(0, 0, 1);
  float brightest = 0;
  for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawCylinder(o); }))
    for (const ObjVertex& p : tri.v)
      if (std::fabs(p.z - 2.0) < 1e-5) brightest = std::max(brightest, p.r);
  EXPECT_GT(brightest, 0.99f);
  EXPECT_FALSE(glIsEnabled(GL_NORMALIZE));
  // A caller that renormalises keeps it.
  glEnable(GL_NORMALIZE);
  CaptureObjectSpace([&] { DrawCylinder(o); });
  EXPECT_TRUE(glIsEnabled(GL_NORMALIZE));
  glDisable(GL_NORMALIZE);
}

TEST_F(RoundShapes, ConstCylinderNeedsItsProfile) {
  SceneObject o = Plain(20);
  o.H = 2.0f;
  o.Frame = true;
  o.Opt[0] = 3;
  EXPECT_TRUE(CaptureObjectSpace([&] { DrawConstCylinder(o); }).empty()) << "no profile";
  o.Sub = std::make_shared<const std::vector<float>>(std::vector<float>{1.0f, 0.5f});
  EXPECT_TRUE(CaptureObjectSpace([&] { DrawConstCylinder(o); }).empty()) << "too few radii";
  o.Opt[0] = 0;
  EXPECT_TRUE(CaptureObjectSpace([&] { DrawConstCylinder(o); }).empty()) << "no count";
  o.Opt[0] = -5;
  EXPECT_TRUE(CaptureObjectSpace([&] { DrawConstCylinder(o); }).empty()) << "negative count";

  o.Sub = std::make_shared<const std::vector<float>>(std::vector<float>{1.0f, 0.5f, 0.8f});
  o.Opt[0] = 3;
  o.Frame = false;
  std::map<double, double> widest;  // by height
  for (const ObjVertex& p : VerticesOf(CaptureObjectSpace([&] { DrawConstCylinder(o); }), Kind::Polygon)) {
    const double y = std::round(p.y * 1e4) / 1e4;
    widest[y] = std::max(widest[y], RadiusXZ(p));
  }
  ASSERT_EQ(widest.size(), 3u);
  EXPECT_NEAR(widest[0.0], 1.0, 1e-5);
  EXPECT_NEAR(widest[1.0], 0.5, 1e-5);
  EXPECT_NEAR(widest[2.0], 0.8, 1e-5);
  // One radius: only the two caps.
  o.Opt[0] = 1;
  for (const ObjVertex& p : VerticesOf(CaptureObjectSpace([&] { DrawConstCylinder(o); }), Kind::Polygon))
    EXPECT_TRUE(std::fabs(p.y) < 1e-5 || std::fabs(p.y - 2.0) < 1e-5);
}

TEST_F(RoundShapes, CubeCylinderHoleBeyondTheEdgeTouchesItFromInside) {
  SceneObject o = Plain(28);
  o.W = 4.0f, o.D = 2.0f, o.H = 1.0f, o.R = 0.5f;
  o.size[0] = 5.0f;  // far beyond the right side
  o.Fill = false;
  o.Frame = true;
  std::vector<ObjVertex> hole;
  for (const ObjVertex& p : VerticesOf(CaptureObjectSpace([&] { DrawCubeCylinder(o); }), Kind::Line))
    if (std::fabs(p.z) < 0.9 && std::fabs(p.x) < 1.9999) hole.push_back(p);
  ASSERT_FALSE(hole.empty());
  for (const ObjVertex& p : hole) EXPECT_NEAR(std::hypot(p.x - 1.5, p.z), 0.499, 5e-6);
  const Extent e = ExtentOf(hole);
  EXPECT_NEAR(e.hi[0], 2.0 - 0.001, 5e-6);

  // Filled, the hole's wall reaches the side exactly, and the top face's
  // outer edge reaches every corner of the box.
  o.Fill = true;
  o.Frame = false;
  o.size[0] = -7.0f, o.size[1] = 0.25f;
  const auto faces = VerticesOf(CaptureObjectSpace([&] { DrawCubeCylinder(o); }), Kind::Polygon);
  int corners = 0;
  double leftmostHole = 1e9;
  for (const ObjVertex& p : faces) {
    if (std::fabs(std::fabs(p.x) - 2) < 1e-5 && std::fabs(std::fabs(p.z) - 1) < 1e-5 &&
        std::fabs(p.y - 0.5) < 1e-5)
      ++corners;
    if (std::fabs(std::hypot(p.x + 1.5, p.z - 0.25) - 0.5) < 1e-5) leftmostHole = std::min(leftmostHole, p.x);
  }
  EXPECT_GT(corners, 4);
  EXPECT_NEAR(leftmostHole, -2.0, 1e-5);
}

TEST_F(RoundShapes, SquareCylinderIsSquareWhateverItsDepth) {
  SceneObject o = Plain(25);
  o.W = 2.0f, o.D = 5.0f, o.H = 1.0f, o.R = 0.4f;
  o.Reso = 14;  // its steps miss the corners
  const auto v = VerticesOf(CaptureObjectSpace([&] { DrawSquareCylinder(o); }), Kind::Polygon);
  const Extent e = ExtentOf(v);
  EXPECT_NEAR(e.hi[0], 1.0, 1e-5);
  EXPECT_NEAR(e.hi[2], 1.0, 1e-5);
  EXPECT_NEAR(e.lo[2], -1.0, 1e-5);
  // The top face reaches all four corners.
  std::set<std::pair<int, int>> corners;
  for (const ObjVertex& p : v)
    if (std::fabs(p.y - 0.5) < 1e-5 && std::fabs(std::fabs(p.x) - 1) < 1e-5 &&
        std::fabs(std::fabs(p.z) - 1) < 1e-5)
      corners.insert({p.x > 0, p.z > 0});
  EXPECT_EQ(corners.size(), 4u);
}

TEST_F(RoundShapes, OvalResolutionIsReducedByItsRemainderOf360) {
  // 7 leaves 360 mod 7 = 3: the oval is drawn with 4 steps of 90 degrees,
  // so its ends have only their tips and the ends of the flat sides.
  SceneObject o = Plain(12);
  o.W = 2.0f, o.R = 0.5f, o.H = 0.4f;
  o.Reso = 7;
  const auto v = VerticesOf(CaptureObjectSpace([&] { DrawOval(o); }), Kind::Polygon);
  ASSERT_FALSE(v.empty());
  for (const ObjVertex& p : v) {
    const bool tip = std::fabs(std::fabs(p.x) - 1.5) < 1e-5 && std::fabs(p.z) < 1e-5;
    const bool sideEnd = std::fabs(std::fabs(p.x) - 1.0) < 1e-5 && std::fabs(std::fabs(p.z) - 0.5) < 1e-5;
    EXPECT_TRUE(tip || sideEnd) << p.x << ", " << p.z;
  }
}

TEST_F(RoundShapes, OvalSidesAreStraightAtAnyResolution) {
  SceneObject o = Plain(12);
  o.W = 2.0f, o.R = 0.5f, o.H = 0.4f;
  o.Reso = 6;  // 60-degree steps never land on 90 or 270
  const auto v = VerticesOf(CaptureObjectSpace([&] { DrawOval(o); }), Kind::Polygon);
  const Extent e = ExtentOf(v);
  EXPECT_NEAR(e.hi[0], 1.5, 1e-5);
  EXPECT_NEAR(e.hi[2], 0.5, 1e-5);
  EXPECT_NEAR(e.lo[2], -0.5, 1e-5);
  int sideEnds = 0;
  for (const ObjVertex& p : v)
    if (std::fabs(std::fabs(p.x) - 1) < 1e-5 && std::fabs(std::fabs(p.z) - 0.5) < 1e-5) ++sideEnds;
  EXPECT_GT(sideEnds, 0);
  // Both bottom radii zero: nothing at all.
  o.R = 0.0f;
  o.Opt[1] = 1;
  o.size[2] = 0.0f, o.size[3] = 0.3f;
  EXPECT_TRUE(CaptureObjectSpace([&] { DrawOval(o); }).empty());
}

TEST_F(RoundShapes, RoundRectContoursAndOpening) {
  SceneObject o = Plain(24);
  o.W = 2.0f, o.H = 0.2f, o.R = 0.0f;  // sharp corners: a square plate
  Extent e = ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawRoundRect(o); }), Kind::Polygon));
  EXPECT_NEAR(e.hi[0], 1.0, 1e-5);
  EXPECT_NEAR(e.hi[2], 1.0, 1e-5);
  // Own depths, rounded corners and an opening.
  o.Opt[0] = 1, o.Opt[1] = 1;
  o.size[0] = 3.0f, o.size[1] = 1.0f;
  o.D = 1.2f, o.R = 0.4f, o.R2 = 0.2f;
  o.Reso = 14;
  const auto prims = CaptureObjectSpace([&] { DrawRoundRect(o); });
  const auto v = VerticesOf(prims, Kind::Polygon);
  e = ExtentOf(v);
  EXPECT_NEAR(e.hi[0], 1.0, 1e-5);
  EXPECT_NEAR(e.hi[2], 1.5, 1e-5);
  EXPECT_NEAR(e.lo[2], -1.5, 1e-5);
  // The top face has the plate's area minus the opening's: the contours
  // are traced corner to corner, so the straight sides are whole.
  std::vector<ObjPrimitive> top;
  for (const ObjPrimitive& p : prims) {
    bool up = true;
    for (const ObjVertex& q : p.v) up = up && std::fabs(q.y - 0.1) < 1e-5;
    if (up) top.push_back(p);
  }
  // (The arcs are polygons of 14 steps, hence the tolerance.)
  auto roundedArea = [](double w, double d, double r) { return w * d - (4 - M_PI) * r * r; };
  const double expected = roundedArea(2.0, 3.0, 0.4) - roundedArea(1.2, 1.0, 0.2);
  EXPECT_NEAR(AreaXZ(top), expected, 0.02);
}

TEST_F(RoundShapes, CapsuleIsEverywhereRFromItsAxis) {
  SceneObject o = Plain(27);
  o.W = 2.0f, o.R = 0.5f;
  for (int reso : {36, 7}) {
    o.Reso = reso;
    const auto v = VerticesOf(CaptureObjectSpace([&] { DrawCapsule(o); }), Kind::Polygon);
    ASSERT_FALSE(v.empty());
    for (const ObjVertex& p : v) {
      const double along = std::max(-1.0, std::min(1.0, p.x));
      EXPECT_NEAR(std::sqrt((p.x - along) * (p.x - along) + p.y * p.y + p.z * p.z), 0.5, 1e-5) << reso;
    }
    if (reso == 36) {  // its grid has the ends' tips
      const Extent e = ExtentOf(v);
      EXPECT_NEAR(e.hi[0], 1.5, 1e-5);
      EXPECT_NEAR(e.lo[0], -1.5, 1e-5);
    }
  }
}

TEST_F(RoundShapes, BeltLiesInThePlaneOfEachOfferedDirection) {
  SceneObject o = Plain(21);
  o.R = 0.5f, o.D = 2.0f, o.W = 0.4f;
  o.Dir = 1;
  Extent e = ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawBelt(o); }), Kind::Polygon));
  // Half circles of radius R whose centres are D - R apart.
  EXPECT_NEAR(e.hi[0], 0.75 + 0.5, 1e-5);
  EXPECT_NEAR(e.lo[0], -1.25, 1e-5);
  EXPECT_NEAR(e.hi[1], 0.2, 1e-5);
  EXPECT_NEAR(e.hi[2], 0.5, 1e-5);
  o.Dir = 0;
  e = ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawBelt(o); }), Kind::Polygon));
  EXPECT_NEAR(e.hi[0], 0.2, 1e-5);
  EXPECT_NEAR(e.hi[1], 1.25, 1e-5);
  // The editor's other four directions: "Front" and "Back" stand the
  // track across the depth, "Left" and "Right" as direction 0 does.
  for (int dir : {2, 3}) {
    o.Dir = dir;
    e = ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawBelt(o); }), Kind::Polygon));
    EXPECT_NEAR(e.hi[0], 1.25, 1e-5) << dir;
    EXPECT_NEAR(e.hi[1], 0.5, 1e-5) << dir;
    EXPECT_NEAR(e.hi[2], 0.2, 1e-5) << dir;
  }
  for (int dir : {4, 5}) {
    o.Dir = dir;
    e = ExtentOf(VerticesOf(CaptureObjectSpace([&] { DrawBelt(o); }), Kind::Polygon));
    EXPECT_NEAR(e.hi[0], 0.2, 1e-5) << dir;
    EXPECT_NEAR(e.hi[1], 1.25, 1e-5) << dir;
  }
  o.Dir = 6;
  EXPECT_TRUE(CaptureObjectSpace([&] { DrawBelt(o); }).empty());
}

TEST_F(RoundShapes, BeltHasOnePathPointPerStep) {
  SceneObject o = Plain(21);
  o.R = 0.5f, o.D = 2.0f, o.W = 0.4f, o.Dir = 1;
  for (int reso : {36, 10, 7}) {  // two triangles per step, landing on 90 and 270 or not
    o.Reso = reso;
    EXPECT_EQ(VerticesOf(CaptureObjectSpace([&] { DrawBelt(o); }), Kind::Polygon).size(), 6u * reso) << reso;
  }
}

TEST_F(RoundShapes, CylinderBallAndRingOutlinesSitATenThousandthOffTheSurface) {
  for (int32_t kind : {8, 9, 22}) {
    SceneObject o = Plain(kind);
    o.W = 2.0f, o.R = o.R2 = kind == 22 ? 0.5f : 1.0f, o.H = 1.0f, o.Fill = false, o.Frame = true;
    for (const ObjVertex& v : VerticesOf(CaptureObjectSpace([&] { DrawPrimitive(o); }), Kind::Line)) {
      // The surface's radius at the vertex's height: the ball's ring there, the ring's nearer wall.
      const double r = RadiusXZ(v);
      const double ring = kind == 9 ? std::sqrt(std::max(0.0, 1 - v.y * v.y)) : (r > 0.75 ? 1.0 : 0.5);
      EXPECT_NEAR(r - ring, kind == 22 && r < 0.75 ? -1e-4 : 1e-4, 1e-6) << kind;
    }
  }
}

TEST_F(RoundShapes, RingRectOutlineIsCirclesAndItsOpeningCutsCornersBetweenSteps) {
  SceneObject o = Plain(23);
  o.W = 2.0f, o.D = 1.0f, o.H = 0.2f;
  o.Fill = false;
  o.Frame = true;
  // Circles at W/2 + 0.001 and D/2 - 0.001 on both faces; lines across the
  // thickness at W/2 + 0.001 and D/2 x 0.98 at every step.
  std::set<long> circleRadii, acrossRadii;
  int across = 0;
  for (const ObjPrimitive& p : CaptureObjectSpace([&] { DrawRingRect(o); })) {
    ASSERT_EQ(p.v.size(), 2u);
    const bool isAcross = std::fabs(p.v[0].y - p.v[1].y) > 0.1;
    for (const ObjVertex& q : p.v)
      (isAcross ? acrossRadii : circleRadii).insert(std::lround(RadiusXZ(q) * 1e4));
    across += isAcross ? 1 : 0;
  }
  EXPECT_EQ(circleRadii, (std::set<long>{4990, 10010}));
  EXPECT_EQ(acrossRadii, (std::set<long>{4900, 10010}));
  EXPECT_EQ(across, 2 * 37);

  // At 9 steps (40 degrees) only the corner at 0 degrees is on the grid:
  // the opening's edge runs straight from one step's point to the next,
  // cutting the other three corners.
  o.Fill = true;
  o.Frame = false;
  o.Reso = 9;
  int corners = 0, inner = 0;
  for (const ObjVertex& p : VerticesOf(CaptureObjectSpace([&] { DrawRingRect(o); }), Kind::Polygon)) {
    if (RadiusXZ(p) > 0.5 + 1e-5) continue;
    ++inner;
    EXPECT_NEAR(std::fabs(p.x) + std::fabs(p.z), 0.5, 1e-5) << "on the diamond";
    if (std::fabs(RadiusXZ(p) - 0.5) < 1e-5) {
      ++corners;
      EXPECT_NEAR(p.x, 0.5, 1e-5) << "only the corner at 0 degrees";
    }
  }
  EXPECT_GT(inner, 0);
  EXPECT_GT(corners, 0);
}

TEST_F(RoundShapes, RingRectLidSitsInAtEightTenthsOfTheHalfHeight) {
  SceneObject o = Plain(23);
  o.W = 2.0f, o.D = 1.0f, o.H = 0.2f;
  o.Opt[0] = 1;
  // Flat pieces inside the opening are the lids: at y = +-0.08, not on the
  // faces at +-0.1.
  std::set<long> lidHeights;
  for (const ObjPrimitive& p : CaptureObjectSpace([&] { DrawRingRect(o); })) {
    if (p.kind != Kind::Polygon) continue;
    bool flatInside = true;
    for (const ObjVertex& q : p.v)
      flatInside =
          flatInside && std::fabs(q.y - p.v[0].y) < 1e-6 && std::fabs(q.x) + std::fabs(q.z) < 0.5 + 1e-5;
    if (flatInside) lidHeights.insert(std::lround(p.v[0].y * 1e4));
  }
  EXPECT_EQ(lidHeights, (std::set<long>{-800, 800}));
}

TEST_F(RoundShapes, RingSectorHasEndFacesOnlyWhenCut) {
  SceneObject o = Plain(22);
  o.W = 2.0f, o.R = 0.5f, o.H = 0.2f;
  const size_t whole = CaptureObjectSpace([&] { DrawRing(o); }).size();
  o.size[0] = 0.0f, o.size[1] = 90.0f;
  const auto prims = CaptureObjectSpace([&] { DrawRing(o); });
  for (const ObjVertex& p : VerticesOf(prims, Kind::Polygon)) {
    const double a = AngleXZ(p);
    EXPECT_TRUE(a <= 90.0 + 1e-3) << a;
    EXPECT_TRUE(RadiusXZ(p) > 0.5 - 1e-5 && RadiusXZ(p) < 1.0 + 1e-5);
  }
  // A quarter has a quarter of the strips plus two end faces (two
  // triangles each).
  EXPECT_EQ(prims.size(), (whole / 4) + 4);
}
