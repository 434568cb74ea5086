#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>

#include "collision/ArmCapsules.h"
#include "equipment/ArticulatedArm.h"
#include "collision/Interference.h"
#include "equipment/ObjectDrawing.h"
#include "collision/RobotSolids.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/InterferenceDraw.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/RenderContext.h"
#include "render/ToolTrail.h"
#include "support/Feedback.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

const float kPose[6] = {30.0f, 20.0f, 60.0f, 45.0f, 30.0f, 10.0f};

// How far a sweep reaches along the unit direction n, and the point where
// it does.
double Support(const Sweep& s, Vec3 n, Vec3* at) {
  Vec3 p = s.centre;
  const double du = Dot(s.u, n), dv = Dot(s.v, n);
  if (s.core == Sweep::Core::Disc) {
    const double inPlane = std::hypot(du, dv);
    if (inPlane > 0.0) p = p + (s.u * du + s.v * dv) * (s.eu / inPlane);
  } else {
    p = p + s.u * (du >= 0.0 ? s.eu : -s.eu);
    if (s.core == Sweep::Core::Rectangle) p = p + s.v * (dv >= 0.0 ? s.ev : -s.ev);
  }
  *at = p + n * s.radius;
  return Dot(*at, n);
}

// The outermost point of the whole arm along n and the link it belongs to.
Vec3 ArmSupport(Vec3 n, int* link) {
  ArmCapsule caps[kArmCapsuleCount];
  ArmCapsules(kPose, caps);
  double best = -1e9;
  Vec3 point;
  for (const ArmCapsule& c : caps) {
    Vec3 at;
    const double h = Support(c.sweep, n, &at);
    if (h > best) {
      best = h;
      point = at;
      *link = c.link;
    }
  }
  return point;
}

// The frame of a record turned by its angles, the way GL turns a drawn
// cube or cylinder (Ang[0] about y, then Ang[1] about x, Ang[2] about z),
// read back from GL itself.
void TurnedAxes(const float ang[3], Vec3 axes[3]) {
  glMatrixMode(GL_MODELVIEW);
  glPushMatrix();
  glLoadIdentity();
  glRotatef(ang[0], 0, 1, 0);
  glRotatef(ang[1], 1, 0, 0);
  glRotatef(ang[2], 0, 0, 1);
  GLfloat m[16];
  glGetFloatv(GL_MODELVIEW_MATRIX, m);
  glPopMatrix();
  for (int k = 0; k < 3; ++k) axes[k] = {m[4 * k], m[4 * k + 1], m[4 * k + 2]};
}

// A table with one enabled record; GL point (x, y, z) is the record's (X, Z, Y).
std::unique_ptr<ObjectTable> OneObject(const SceneObject& rec) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[12] = rec;
  (*table)[12].Enbl = true;
  (*table)[12].Name = "load port";
  return table;
}

void PlaceAt(SceneObject& rec, Vec3 p) {
  rec.X = static_cast<float>(p.x);
  rec.Z = static_cast<float>(p.y);
  rec.Y = static_cast<float>(p.z);
}

const float kTurns[][3] = {{0, 0, 0}, {35, 0, 0}, {0, 40, 0}, {0, 0, 55}, {25, 35, -70}, {-60, 15, 110}};

class InterferenceGl : public GlTest {};

}  // namespace

// Every face of a box turned about every axis, brought up to the
// outermost point of the arm: touching is a contact of the link there, a
// millimetre off is no contact at all.
TEST_F(InterferenceGl, BoxTouchingALinkIsReportedAndAMillimetreOffIsNot) {
  for (const auto& turn : kTurns) {
    Vec3 axes[3];
    TurnedAxes(turn, axes);
    const double half[3] = {0.04, 0.03, 0.05};
    for (int k = 0; k < 3; ++k) {
      for (double sign : {1.0, -1.0}) {
        // The face -sign * axis k faces the arm from direction n.
        const Vec3 n = axes[k] * sign;
        int link = -1;
        const Vec3 q = ArmSupport(n, &link);
        for (double gap : {0.0, 0.001}) {
          SceneObject box = ZeroRecord();
          box.Shp = ShapeKind::Cube;
          box.W = static_cast<float>(2 * half[0]);
          box.H = static_cast<float>(2 * half[1]);
          box.D = static_cast<float>(2 * half[2]);
          std::copy(turn, turn + 3, box.Ang);
          PlaceAt(box, q + n * (half[k] + gap));
          const auto table = OneObject(box);
          InterferenceReport report;
          CheckInterference(kPose, table->data(), kObjectCapacity, &report);
          const std::string where = "turn " + std::to_string(turn[0]) + "," + std::to_string(turn[1]) + "," +
                                    std::to_string(turn[2]) + " face " + std::to_string(k) + " gap " +
                                    std::to_string(gap);
          if (gap == 0.0) {
            ASSERT_TRUE(report.Any()) << where;
            EXPECT_TRUE(report.armLinkHit[link]) << where << " link " << ArmLinkName(link);
            EXPECT_EQ(report.hits[0].object, 12) << where;
          } else {
            EXPECT_FALSE(report.Any()) << where << ": " << DescribeReport(report, table->data());
          }
        }
      }
    }
  }
}

// A turned cylinder whose side touches the arm, and a ball: exact too.
TEST_F(InterferenceGl, TurnedCylinderAndBallAreExact) {
  for (const auto& turn : kTurns) {
    Vec3 axes[3];
    TurnedAxes(turn, axes);
    // Square to the cylinder's axis (its local y): the side faces the arm.
    for (const Vec3& n : {axes[0] * -1.0, axes[2]}) {
      int link = -1;
      const Vec3 q = ArmSupport(n, &link);
      for (double gap : {0.0, 0.001}) {
        SceneObject cyl = ZeroRecord();
        cyl.Shp = ShapeKind::Cylinder;
        cyl.R = cyl.R2 = 0.05f;
        cyl.H = 0.2f;
        cyl.Reso = 36;
        std::copy(turn, turn + 3, cyl.Ang);
        PlaceAt(cyl, q + n * (0.05 + gap) - axes[1] * 0.1);
        InterferenceReport report;
        CheckInterference(kPose, OneObject(cyl)->data(), kObjectCapacity, &report);
        EXPECT_EQ(report.Any(), gap == 0.0)
            << "cylinder turn " << turn[0] << "," << turn[1] << "," << turn[2];

        SceneObject ball = ZeroRecord();
        ball.Shp = ShapeKind::Ball;
        ball.R = ball.R2 = 0.07f;
        ball.Reso = 36;
        PlaceAt(ball, q + n * (0.07 + gap));
        CheckInterference(kPose, OneObject(ball)->data(), kObjectCapacity, &report);
        EXPECT_EQ(report.Any(), gap == 0.0) << "ball";
      }
    }
  }
}

// The capsules are only worth their name when every point of the drawn
// arm lies within them.
TEST_F(InterferenceGl, CapsulesHoldTheWholeDrawnArm) {
  UseFrontOrtho(2);
  SceneObject arm = ZeroRecord();
  arm.Reso = 36;
  arm.Fill = true;
  for (const float* pose : {kPose, static_cast<const float*>(nullptr)}) {
    const float straight[6] = {0, 0, 0, 0, 0, 0};
    if (!pose) pose = straight;
    for (int k = 0; k < 6; ++k) arm.size[10 + k] = pose[k];
    ArmCapsule caps[kArmCapsuleCount];
    ArmCapsules(pose, caps);
    size_t checked = 0;
    for (const auto& prim : CaptureFeedback([&] { DrawArticulatedArm(arm, false); })) {
      for (const auto& v : prim.v) {
        const ObjPoint o = UnProject(v);
        const Vec3 p{o.x, o.y, o.z};
        double nearest = 1e9;
        for (const ArmCapsule& c : caps) {
          // Outside by how much: the sweep's distance to a tiny ball at p.
          nearest = std::min(nearest, SweepDistance(c.sweep, MakeSphere(p, 0.0)));
        }
        ++checked;
        ASSERT_LE(nearest, 2e-3) << "point " << p.x << "," << p.y << "," << p.z;
      }
    }
    EXPECT_GT(checked, 1000u);
  }
}

TEST(ToolTrail, KeepsTheLastPointsInOrderAndSkipsAStandstill) {
  ToolTrail trail;
  for (int i = 0; i < ToolTrail::kCapacity + 500; ++i) {
    const double p[3] = {i * 0.001, 0.5, 0.0};
    trail.Add(p);
    trail.Add(p);  // a frame that only turned the view
  }
  // A point that is no number is not taken.
  const double nan[3] = {NAN, 0, 0};
  trail.Add(nan);
  ASSERT_EQ(trail.Size(), ToolTrail::kCapacity);
  EXPECT_FLOAT_EQ(trail.Point(0)[0], 0.5f);
  EXPECT_FLOAT_EQ(trail.Point(ToolTrail::kCapacity - 1)[0], (ToolTrail::kCapacity + 499) * 0.001f);
  trail.Clear();
  EXPECT_EQ(trail.Size(), 0);
  // A move along any one axis is a move: up, then across, then along.
  const double path[][3] = {{0, 0, 0}, {0, 0.1, 0}, {0.1, 0.1, 0}, {0.1, 0.1, 0.1}};
  for (const double* p : path) trail.Add(p);
  EXPECT_EQ(trail.Size(), 4);
}

TEST_F(InterferenceGl, TrailDrawsOneLineThroughItsPointsAndPassesRestoreState) {
  UseFrontOrtho(2);
  ToolTrail trail;
  for (int i = 0; i < 50; ++i) {
    const double p[3] = {i * 0.02 - 0.5, 0.1 * std::sin(i * 0.3), 0.0};
    trail.Add(p);
  }
  glEnable(GL_LIGHTING);
  const GlStateSnapshot before = GlStateSnapshot::Take();
  const auto prims = CaptureFeedback([&] { DrawToolTrail(trail); });
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  // The highlight's wire pass too.
  SceneObject box = ZeroRecord();
  box.Shp = ShapeKind::Cube;
  box.Fill = true;
  const auto table = OneObject(box);
  InterferenceReport report;
  report.hits.push_back({12, kArmJ3, -1, 0});
  report.armLinkHit[kArmJ3] = true;
  DrawInterferenceHighlight(report, table->data(), kObjectCapacity, kPose);
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
  glDisable(GL_LIGHTING);
  EXPECT_EQ(CountKind(prims, FeedbackPrimitive::Line) + CountKind(prims, FeedbackPrimitive::LineReset), 49u);
}

namespace {

// Whole frames, as the window draws them, with and without the check.
class InterferenceFrame : public ::testing::Test {
 protected:
  static HeadlessContext& Ctx() {
    static HeadlessContext ctx(320, 240);
    KeepGlDriverLoaded();
    return ctx;
  }
  void SetUp() override {
    ASSERT_TRUE(Ctx().ok()) << Ctx().error();
    ASSERT_TRUE(Ctx().MakeCurrent());
    for (int k = 0; k < 6; ++k) rs.joints[k] = kPose[k];
  }
  void TearDown() override {
    ResetLights();
    ResetFog();
    SharedGlContext().MakeCurrent();
  }
  TestImage Render(ObjectTable& table, InterferenceReport* report) {
    ApplyClearColor(rs.backColor);
    ApplyFixedRenderState();
    ApplyProjection(320, 240, rs.view.ortho);
    TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
    FrameInputs in{&rs, &table, textures, nullptr};
    in.interference = report;
    ComposeFrame(in);
    return ReadFramebuffer(320, 240);
  }
  static int RedPixels(const TestImage& img) {
    int n = 0;
    for (size_t i = 0; i < img.rgba.size(); i += 4)
      if (img.rgba[i] > 200 && img.rgba[i + 1] < 60 && img.rgba[i + 2] < 60) ++n;
    return n;
  }
  RenderSettings rs;
  TextureSlot textures[kTextureSlotCount];
};

}  // namespace

TEST_F(InterferenceFrame, PictureChangesOnlyWhereSomethingTouches) {
  int link = -1;
  const Vec3 n{0, 0, 1};
  const Vec3 q = ArmSupport(n, &link);
  SceneObject box = ZeroRecord();
  box.Shp = ShapeKind::Cube;
  box.W = box.H = box.D = 0.1f;
  box.clFill = 0xC08040;
  box.Fill = true;
  box.Trans = 1.0f;
  box.Reso = 36;
  // Clear of the arm: the check changes nothing in the picture.
  PlaceAt(box, q + n * 0.06);
  auto table = OneObject(box);
  const TestImage plain = Render(*table, nullptr);
  InterferenceReport report;
  const TestImage checked = Render(*table, &report);
  EXPECT_FALSE(report.Any());
  EXPECT_TRUE(plain.rgba == checked.rgba);

  // Pushed 2 cm into the arm: the box and the link show in red.
  PlaceAt(box, q + n * 0.03);
  table = OneObject(box);
  const TestImage before = Render(*table, nullptr);
  const TestImage hit = Render(*table, &report);
  WriteArtifact(hit, "interference-highlight.png");
  ASSERT_TRUE(report.Any());
  EXPECT_TRUE(report.armLinkHit[link]);
  EXPECT_EQ(DescribeHit(report.hits[0], table->data()),
            std::string(ArmLinkName(report.hits[0].armLink)) + " hits OBJ012 load port");
  EXPECT_GT(RedPixels(hit), RedPixels(before) + 100);
}

namespace {

// A robot record with both hands out, wafers on them, turned, travelled
// and scaled; hands drawn in pure green, wafers in pure blue.
SceneObject RobotRecord(int32_t kind, int32_t size, float t, float scale) {
  SceneObject r = ZeroRecord();
  r.Enbl = true;
  r.Shp = kind;
  r.Reso = 36;
  r.Fill = true;
  r.Trans = 1.0f;
  r.X = 0.3f;
  r.Y = -0.2f;
  r.Z = 0.1f;
  r.Ang[0] = t == 0.0f ? 0.0f : 25.0f;
  r.size[0] = 0.6f;
  r.size[1] = -0.4f;
  r.size[2] = 0.02f;
  r.size[3] = t;
  r.size[4] = 0.15f;
  // The twin hands' own turns, with the turned case only: a turned plate's
  // rounded tip does not reach its corners.
  r.size[6] = t == 0.0f ? 0.0f : 20.0f;
  r.size[7] = t == 0.0f ? 0.0f : -35.0f;
  r.size[9] = scale;
  r.Opt[0] = r.Opt[1] = r.Opt[4] = r.Opt[5] = 1;
  r.Opt[2] = 1;
  r.Opt[3] = size;
  r.clFill = 0x808080;
  for (Color& c : r.cl_sub) c = 0x808080;
  r.cl_sub[0] = 0x00FF00;
  for (int k : {1, 2, 3, 4}) r.cl_sub[k] = 0xFF0000;
  return r;
}

}  // namespace

// The hands and wafers the check moves are where the robot draws them:
// every green (hand) and blue (wafer) point drawn lies in a part of its own
// kind, and unturned, the parts reach no further than the drawing. As an
// obstacle the robot's solids hold all it draws.
TEST_F(InterferenceGl, RobotPartsAreWhereTheRobotDrawsItsHandsAndWafers) {
  UseFrontOrtho(2);
  struct Case {
    int32_t kind, size;
  } cases[] = {{ShapeKind::ScaraRobot, 0},
               {ShapeKind::ScaraRobot, 1},
               {ShapeKind::ScaraRobot, 2},
               {ShapeKind::TwinHandRobot, 0},
               {ShapeKind::FrogLegRobot, 0}};
  for (const Case& c : cases) {
    for (float t : {0.0f, 40.0f}) {
      const SceneObject robot = RobotRecord(c.kind, c.size, t, t == 0.0f ? 1.0f : 1.5f);
      std::vector<Sweep> parts;
      std::vector<int> kinds;
      ASSERT_TRUE(RobotMovingParts(robot, &parts, &kinds));
      std::vector<Solid> body;
      ASSERT_TRUE(RobotSolids(robot, &body));
      double lo[2][3], hi[2][3];
      for (int k = 0; k < 2; ++k)
        for (int a = 0; a < 3; ++a) lo[k][a] = 1e9, hi[k][a] = -1e9;
      for (const auto& prim : CaptureFeedback([&] { DrawObjects(&robot, 1); })) {
        for (const auto& v : prim.v) {
          // As an obstacle the robot holds every point it draws.
          const ObjPoint any = UnProject(v);
          double inBody = 1e9;
          for (const Solid& b : body) inBody = std::min(inBody, PointDistance(b, {any.x, any.y, any.z}));
          ASSERT_LE(inBody, 2e-3) << "kind " << c.kind << " size " << c.size << " t " << t << " point "
                                  << any.x << "," << any.y << "," << any.z;
          const bool hand = v.g > 0.99f && v.r < 0.01f && v.b < 0.01f;
          const bool wafer = v.b > 0.99f && v.r < 0.01f && v.g < 0.01f;
          if (!hand && !wafer) continue;
          const int kind = wafer ? 1 : 0;
          const ObjPoint o = UnProject(v);
          const Vec3 p{o.x, o.y, o.z};
          double nearest = 1e9;
          for (size_t i = 0; i < parts.size(); ++i)
            if (kinds[i] == kind) nearest = std::min(nearest, SweepDistance(parts[i], MakeSphere(p, 0.0)));
          ASSERT_LE(nearest, 2e-3) << "kind " << c.kind << " size " << c.size << " t " << t
                                   << (wafer ? " wafer" : " hand") << " point " << p.x << "," << p.y << ","
                                   << p.z;
          const double q[3] = {p.x, p.y, p.z};
          for (int a = 0; a < 3; ++a) {
            lo[kind][a] = std::min(lo[kind][a], q[a]);
            hi[kind][a] = std::max(hi[kind][a], q[a]);
          }
        }
      }
      if (t != 0.0f) continue;
      // Across and along, the parts' extent is the drawing's.
      for (int kind = 0; kind < 2; ++kind) {
        double plo[3] = {1e9, 1e9, 1e9}, phi[3] = {-1e9, -1e9, -1e9};
        for (size_t i = 0; i < parts.size(); ++i) {
          if (kinds[i] != kind) continue;
          const Sweep& s = parts[i];
          for (int corner = 0; corner < 4; ++corner) {
            const double a = (corner & 1) ? s.eu : -s.eu, b = (corner & 2) ? s.ev : -s.ev;
            const Vec3 p = s.centre + s.u * a + s.v * b;
            const double q[3] = {p.x, p.y, p.z};
            for (int k = 0; k < 3; ++k) {
              plo[k] = std::min(plo[k], q[k]);
              phi[k] = std::max(phi[k], q[k]);
            }
          }
        }
        for (int a : {0, 2}) {
          EXPECT_NEAR(plo[a], lo[kind][a], 2e-3)
              << "kind " << c.kind << " size " << c.size << " part " << kind;
          EXPECT_NEAR(phi[a], hi[kind][a], 2e-3)
              << "kind " << c.kind << " size " << c.size << " part " << kind;
        }
      }
    }
  }
}

// A box resting on a robot's hands is a contact of that robot's hand; a
// millimetre above them it is none.
TEST(Interference, BoxOnARobotHandIsReportedAndAMillimetreAboveIsNot) {
  SceneObject robot = RobotRecord(ShapeKind::TwinHandRobot, 0, 40.0f, 1.0f);
  robot.X = 2.0f;  // well away from the arm
  robot.Opt[0] = robot.Opt[1] = 0;
  robot.Name = "RBT1";
  std::vector<Sweep> parts;
  std::vector<int> kinds;
  ASSERT_TRUE(RobotMovingParts(robot, &parts, &kinds));
  Vec3 top;
  double best = -1e9;
  for (const Sweep& s : parts) {
    Vec3 at;
    const double h = Support(s, {0, 1, 0}, &at);
    if (h > best) {
      best = h;
      top = at;
    }
  }
  for (double gap : {0.0, 0.001}) {
    SceneObject box = ZeroRecord();
    box.Shp = ShapeKind::Cube;
    box.W = box.D = 0.02f;
    box.H = 0.01f;
    PlaceAt(box, top + Vec3{0, 0.005 + gap, 0});
    auto table = OneObject(box);
    (*table)[5] = robot;
    InterferenceReport report;
    CheckInterference(kPose, table->data(), kObjectCapacity, &report);
    if (gap == 0.0)
      EXPECT_EQ(DescribeReport(report, table->data()), "OBJ005 RBT1 hand hits OBJ012 load port");
    else
      EXPECT_FALSE(report.Any()) << DescribeReport(report, table->data());
  }
}
