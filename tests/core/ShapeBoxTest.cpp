// Flat and box kinds through the real pipeline (feedback mode).

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "ShapeTestSupport.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "shapes/Shapes.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

using Kind = FeedbackPrimitive::Kind;

class BoxShapes : public GlTest {};

void ExpectExtent(const std::vector<ObjVertex>& v, double x, double y, double z, double tol = 2e-5) {
  ASSERT_FALSE(v.empty());
  const Extent e = ExtentOf(v);
  const double want[3] = {x, y, z};
  for (int k = 0; k < 3; ++k) {
    EXPECT_NEAR(e.lo[k], -want[k], tol) << "axis " << k;
    EXPECT_NEAR(e.hi[k], want[k], tol) << "axis " << k;
  }
}


}  // namespace

TEST_F(BoxShapes, CubeOutlineAloneIsFourLiftedLoopsInTheFrameColour) {
  SceneObject o = Plain(4);
  o.W = 2.0f, o.H = 1.0f, o.D = 0.5f;
  o.Fill = false;
  o.Frame = true;
  o.clFill = 0x00FF00;
  o.clFrame = 0x0000FF;  // red
  const auto prims = CaptureObjectSpace([&] { DrawCube(o); });
  EXPECT_EQ(VerticesOf(prims, Kind::Polygon).size(), 0u);
  const auto lines = VerticesOf(prims, Kind::Line);
  ASSERT_EQ(lines.size(), 32u);  // 4 loops of 4 lines
  for (const ObjVertex& v : lines) {
    EXPECT_FLOAT_EQ(v.r, 1.0f);
    EXPECT_FLOAT_EQ(v.g, 0.0f);
  }
  // The top and bottom loops sit just above and below the faces, the side
  // loops just outside.
  ExpectExtent(lines, 1.0001, 0.5001, 0.25, 3e-6);
}

TEST_F(BoxShapes, CubeFacesCarryOutwardNormals) {
  SceneObject o = Plain(4);
  o.W = 2.0f, o.H = 1.0f, o.D = 0.5f;
  ExpectExtent(VerticesOf(CaptureObjectSpace([&] { DrawCube(o); }), Kind::Polygon), 1.0, 0.5, 0.25);
  // Lit from +x only the right face is bright; from -y only the bottom.
  struct Probe {
    double lx, ly, lz;
    int axis;
    double side;
  } probes[] = {{1, 0, 0, 0, 1}, {0, -1, 0, 1, -1}, {0, 0, 1, 2, 1}, {-1, 0, 0, 0, -1}};
  const double half[3] = {1.0, 0.5, 0.25};
  for (const Probe& p : probes) {
    ProbeLight(p.lx, p.ly, p.lz);
    for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawCube(o); })) {
      bool onFace = true;
      for (const ObjVertex& v : tri.v) {
        const double c[3] = {v.x, v.y, v.z};
        onFace = onFace && std::fabs(c[p.axis] - p.side * half[p.axis]) < 1e-4;
      }
      for (const ObjVertex& v : tri.v) {
        if (onFace)
          EXPECT_GT(v.r, 0.9f) << "face facing the light is dark";
        else
          EXPECT_LT(v.r, 0.2f) << "face turned away is lit";
      }
    }
  }
}

TEST_F(BoxShapes, TrapezoidWithEqualWidthsIsTheCube) {
  SceneObject o = Plain(5);
  o.W = 1.4f, o.D = 0.8f, o.H = 0.6f;
  o.X = 0.3f, o.Y = -0.2f, o.Z = 0.1f;
  o.Ang[0] = 20.0f, o.Ang[1] = 10.0f;
  o.Frame = true;
  o.size[0] = o.W;
  const auto trap = CaptureObjectSpace([&] { DrawTrapezoid(o); });
  const auto cube = CaptureObjectSpace([&] { DrawCube(o); });
  ASSERT_EQ(trap.size(), cube.size());
  for (size_t i = 0; i < trap.size(); ++i) {
    ASSERT_EQ(trap[i].v.size(), cube[i].v.size());
    for (size_t k = 0; k < trap[i].v.size(); ++k) {
      EXPECT_NEAR(trap[i].v[k].x, cube[i].v[k].x, 1e-6);
      EXPECT_NEAR(trap[i].v[k].y, cube[i].v[k].y, 1e-6);
      EXPECT_NEAR(trap[i].v[k].z, cube[i].v[k].z, 1e-6);
    }
  }
  // With its own bottom width, the bottom face is that wide.
  o.size[0] = 2.0f;
  o.Ang[0] = o.Ang[1] = 0.0f;
  o.X = o.Y = o.Z = 0.0f;
  for (const ObjVertex& v : VerticesOf(CaptureObjectSpace([&] { DrawTrapezoid(o); }), Kind::Polygon)) {
    const double half = v.y > 0 ? 0.7 : 1.0;
    EXPECT_NEAR(std::fabs(v.x), half, 1e-5);
  }
}

TEST_F(BoxShapes, PlaneDirectionsAndAnUnknownDirection) {
  SceneObject o = Plain(3);
  o.W = 2.0f, o.D = 1.0f, o.H = 0.5f;
  o.Frame = true;
  const double x[6][3] = {{1, 0, 0.5},  {1, 0, 0.5},    {1, 0.25, 0},
                          {1, 0.25, 0}, {0, 0.25, 0.5}, {0, 0.25, 0.5}};
  for (int dir = 0; dir < 6; ++dir) {
    o.Dir = dir;
    const auto prims = CaptureObjectSpace([&] { DrawPlane(o); });
    ExpectExtent(VerticesOf(prims, Kind::Polygon), x[dir][0], x[dir][1], x[dir][2]);
    EXPECT_EQ(VerticesOf(prims, Kind::Line).size(), 8u) << dir;  // the loop, unlifted
    ExpectExtent(VerticesOf(prims, Kind::Line), x[dir][0], x[dir][1], x[dir][2]);
  }
  // Each direction is lit from the side it faces and dark from the other.
  const double facing[6][3] = {{0, 1, 0}, {0, -1, 0}, {0, 0, 1}, {0, 0, -1}, {-1, 0, 0}, {1, 0, 0}};
  o.Frame = false;
  for (int dir = 0; dir < 6; ++dir) {
    o.Dir = dir;
    for (double sign : {1.0, -1.0}) {
      ProbeLight(sign * facing[dir][0], sign * facing[dir][1], sign * facing[dir][2]);
      const auto v = VerticesOf(CaptureObjectSpace([&] { DrawPlane(o); }), Kind::Polygon);
      ASSERT_FALSE(v.empty());
      for (const ObjVertex& p : v) {
        if (sign > 0)
          EXPECT_GT(p.r, 0.99f) << "direction " << dir << " lit from the side it faces";
        else
          EXPECT_LT(p.r, 0.1f) << "direction " << dir << " lit from behind";  // ambient only
      }
    }
  }
  ResetLights();
  ApplyLights();
  for (int dir : {6, -1, 1000}) {
    o.Dir = dir;
    const GlStateSnapshot before = GlStateSnapshot::Take();
    EXPECT_TRUE(CaptureObjectSpace([&] { DrawPlane(o); }).empty()) << dir;
    EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  }
}

TEST_F(BoxShapes, DotIgnoresFillFrameAndAngles) {
  SceneObject o = Plain(1);
  o.X = 1.0f, o.Y = 2.0f, o.Z = -0.5f;
  o.Ang[0] = 45.0f, o.Ang[1] = 30.0f;
  o.Fill = false;
  o.Frame = true;
  o.clFill = 0xFF0000;  // blue
  o.clFrame = 0x0000FF;
  const auto prims = CaptureObjectSpace([&] { DrawDot(o); });
  ASSERT_EQ(prims.size(), 1u);
  ASSERT_EQ(prims[0].kind, Kind::Point);
  const ObjVertex& v = prims[0].v[0];
  EXPECT_NEAR(v.x, 1.0, 1e-5);
  EXPECT_NEAR(v.y, -0.5, 1e-5);  // the record's Z is GL's y
  EXPECT_NEAR(v.z, 2.0, 1e-5);
  EXPECT_FLOAT_EQ(v.b, 1.0f);
  EXPECT_FLOAT_EQ(v.r, 0.0f);
}

TEST_F(BoxShapes, LineIsRPixelsWideAndLeavesTheWidthAsFound) {
  SceneObject o = Plain(2);
  o.X = -2.0f, o.W = 4.0f, o.D = 0.0f, o.H = 0.0f;  // along x through the middle
  o.R = 3.0f;
  o.clFill = 0xFFFFFF;
  auto litRows = [&] {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    glTranslatef(0.0f, 0.0f, -20.0f);
    DrawBuilt([&] { DrawLine(o); });
    glPopMatrix();
    const TestImage img = ReadFramebuffer(gl().width(), gl().height());
    int rows = 0;
    for (int y = 0; y < img.height; ++y)
      if (img.At(img.width / 2, y)[0] > 128) ++rows;
    return rows;
  };
  glDisable(GL_LINE_SMOOTH);  // count whole pixels
  EXPECT_EQ(litRows(), 3);
  GLfloat width = 0;
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 1.0f);
  // A caller's own width survives.
  glLineWidth(2.0f);
  o.R = 5.0f;
  EXPECT_EQ(litRows(), 5);
  glGetFloatv(GL_LINE_WIDTH, &width);
  EXPECT_EQ(width, 2.0f);
  glLineWidth(1.0f);
  // Widths GL would refuse draw the ordinary line, without a GL error.
  for (float r : {0.0f, -3.0f, std::numeric_limits<float>::quiet_NaN()}) {
    o.R = r;
    EXPECT_EQ(litRows(), 1) << r;
    EXPECT_EQ(DrainGlErrors(), "") << r;
  }
  glEnable(GL_LINE_SMOOTH);
}

TEST_F(BoxShapes, RotationOrdersAAndB) {
  // A quarter turn about the vertical alone.
  SceneObject cube = Plain(4);
  cube.W = 3.0f, cube.D = 1.0f, cube.H = 0.2f;
  cube.Ang[0] = 90.0f;
  ExpectExtent(VerticesOf(CaptureObjectSpace([&] { DrawCube(cube); }), Kind::Polygon), 0.5, 0.1, 1.5);
  // Order A turns about y first, then x: the long side ends up along z.
  cube.Ang[1] = 90.0f;
  ExpectExtent(VerticesOf(CaptureObjectSpace([&] { DrawCube(cube); }), Kind::Polygon), 0.1, 0.5, 1.5);
  // Order B (Oval) turns about x first and about y last: the long side
  // ends up vertical.
  SceneObject oval = Plain(12);
  oval.W = 2.0f, oval.R = 0.5f, oval.H = 0.2f;
  oval.Reso = 36;
  oval.Ang[0] = 90.0f, oval.Ang[1] = 90.0f;
  ExpectExtent(VerticesOf(CaptureObjectSpace([&] { DrawOval(oval); }), Kind::Polygon), 0.5, 1.5, 0.1);
}

TEST_F(BoxShapes, TrianglePrismSlantedFacesAreLitAlongTheirNormals) {
  SceneObject o = Plain(6);
  o.W = 1.0f, o.D = 1.0f, o.H = 1.0f;
  const auto prims = CaptureObjectSpace([&] { DrawTrianglePrism(o); });
  const auto v = VerticesOf(prims, Kind::Polygon);
  const Extent e = ExtentOf(v);
  EXPECT_NEAR(e.lo[1], 0.0, 1e-5);  // stands on y = 0
  EXPECT_NEAR(e.hi[1], 1.0, 1e-5);
  // The face from the apex (-0.5, 0) to (0.5, 0.5) runs along (1, 0.5); its
  // outward normal is (-0.5, 1) / |.|. Lit from exactly there, it is fully
  // bright.
  const double len = std::sqrt(1.25);
  ProbeLight(-0.5 / len, 0.0, 1.0 / len);
  bool sawFace = false;
  for (const ObjPrimitive& tri : CaptureObjectSpace([&] { DrawTrianglePrism(o); })) {
    bool slanted = true;
    for (const ObjVertex& p : tri.v) slanted = slanted && std::fabs(p.z - (p.x + 0.5) / 2.0) < 1e-4;
    if (!slanted || tri.v.size() != 3) continue;
    // Skip the degenerate case of a triangle lying on the top or bottom.
    if (std::fabs(tri.v[0].y - tri.v[1].y) < 1e-6 && std::fabs(tri.v[1].y - tri.v[2].y) < 1e-6) continue;
    sawFace = true;
    for (const ObjVertex& p : tri.v) EXPECT_GT(p.r, 0.99f);
  }
  EXPECT_TRUE(sawFace);
}

TEST_F(BoxShapes, BevelCubeCutsItsVerticalEdges) {
  SceneObject o = Plain(11);
  o.W = 2.0f, o.D = 1.0f, o.H = 1.0f, o.R = 0.2f;
  o.Frame = true;
  const auto prims = CaptureObjectSpace([&] { DrawBevelCube(o); });
  const auto v = VerticesOf(prims, Kind::Polygon);
  ExpectExtent(v, 1.0, 0.5, 0.5);
  // No vertex sits on a corner of the uncut box.
  for (const ObjVertex& p : v)
    EXPECT_FALSE(std::fabs(p.x) > 0.999 && std::fabs(p.z) > 0.499) << p.x << " " << p.z;
  // Outline: two octagons and eight edges.
  EXPECT_EQ(VerticesOf(prims, Kind::Line).size(), 2u * (8 + 8 + 8));
}

TEST_F(BoxShapes, PunchCubeLeavesItsOpeningOpen) {
  SceneObject o = Plain(26);
  o.W = 2.0f, o.D = 1.6f, o.H = 1.0f, o.R = 0.3f;
  o.Frame = true;
  const auto prims = CaptureObjectSpace([&] { DrawPunchCube(o); });
  const auto faces = VerticesOf(prims, Kind::Polygon);
  ExpectExtent(faces, 1.0, 0.5, 0.8);
  EXPECT_EQ(faces.size(), 16u * 2 * 3);  // 16 planes, two triangles each
  EXPECT_EQ(VerticesOf(prims, Kind::Line).size(), 16u * 4 * 2);
  // Nothing covers the opening at the top or the bottom.
  for (const ObjPrimitive& tri : prims) {
    if (tri.kind != Kind::Polygon) continue;
    double cx = 0, cy = 0, cz = 0;
    for (const ObjVertex& p : tri.v) cx += p.x / 3, cy += p.y / 3, cz += p.z / 3;
    if (std::fabs(std::fabs(cy) - 0.5) > 1e-4) continue;
    EXPECT_FALSE(std::fabs(cx) < 0.7 - 1e-4 && std::fabs(cz) < 0.5 - 1e-4) << cx << " " << cz;
  }
  // The inner walls stand at the opening's edges, a hair short of its
  // corners so that they do not touch the outer pieces.
  int inset = 0;
  for (const ObjVertex& p : faces) {
    const bool onSideWall =
        std::fabs(std::fabs(p.x) - 0.7) < 2e-6 && std::fabs(std::fabs(p.z) - 0.49995) < 2e-6;
    const bool onEndWall =
        std::fabs(std::fabs(p.z) - 0.5) < 2e-6 && std::fabs(std::fabs(p.x) - 0.69995) < 2e-6;
    if (onSideWall || onEndWall) ++inset;
  }
  EXPECT_EQ(inset, 4 * 6);  // four walls, two triangles of three vertices
}
