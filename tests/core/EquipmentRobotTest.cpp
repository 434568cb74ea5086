// The transfer robots through the real pipeline: where the hands and
// wafers end up for given axis values, the clamps, the single and dual
// arm, and the turn of the arm unit.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "EquipmentTestSupport.h"
#include "equipment/EquipmentModels.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "support/GlFixture.h"
#include "render/Texture.h"

namespace {

constexpr double kTol = 1e-4;

double MinOf(const std::vector<ObjVertex>& v, double ObjVertex::*c) {
  double m = 1e300;
  for (const ObjVertex& p : v) m = std::min(m, p.*c);
  return m;
}
double MaxOf(const std::vector<ObjVertex>& v, double ObjVertex::*c) {
  double m = -1e300;
  for (const ObjVertex& p : v) m = std::max(m, p.*c);
  return m;
}

// Vertices of the grey parts above the top of the column: the arm links.
std::vector<ObjVertex> LinkVertices(const std::vector<ObjPrimitive>& prims, double above) {
  std::vector<ObjVertex> out;
  for (const ObjVertex& v : VerticesInColour(prims, kGrey))
    if (v.y > above) out.push_back(v);
  return out;
}

class RobotModel : public GlTest {
 protected:
  std::vector<ObjPrimitive> Draw(void (*model)(SceneObject), const SceneObject& rec) {
    return CaptureModel([&] { model(rec); });
  }
};

TEST_F(RobotModel, ScaraHandFollowsTheExtensionRuleForEachArmSize) {
  struct Case {
    int armSize;
    double link;
  };
  for (const Case c : {Case{0, 0.095}, Case{1, 0.13}}) {
    SCOPED_TRACE(c.armSize);
    SceneObject rec = ColouredRecord(150);
    rec.Opt[3] = c.armSize;
    rec.Opt[0] = 1;
    rec.size[0] = 1.0f;
    const auto out = Draw(ScaraRobot, rec);
    const auto hand = VerticesInColour(out, kRed);
    ASSERT_FALSE(hand.empty());
    // Stretched: the hand's root lies 2 L out along +Y, on the centre line.
    EXPECT_NEAR(MinOf(hand, &ObjVertex::z), 2 * c.link, kTol);
    EXPECT_NEAR(MaxOf(hand, &ObjVertex::z), 2 * c.link + 0.14, kTol);
    EXPECT_NEAR(MaxOf(hand, &ObjVertex::x), 0.035, kTol);
    EXPECT_NEAR(MinOf(hand, &ObjVertex::x), -0.035, kTol);
    EXPECT_NEAR(MinOf(hand, &ObjVertex::y), 0.3103 - 0.0005, kTol);
    // The wafer lies 0.09 beyond the root, on top of the hand.
    const auto wafer = VerticesInColour(out, kGreen);
    ASSERT_FALSE(wafer.empty());
    const ObjVertex centre = Centroid(wafer);
    EXPECT_NEAR(centre.x, 0.0, kTol);
    EXPECT_NEAR(centre.z, 2 * c.link + 0.09, kTol);
    EXPECT_GT(MinOf(wafer, &ObjVertex::y), MaxOf(hand, &ObjVertex::y));
    EXPECT_NEAR(MaxOf(wafer, &ObjVertex::x), 0.05, kTol);

    // Folded: both links lie along X and the hand sits over the T axis.
    rec.size[0] = 0.0f;
    const auto folded = Draw(ScaraRobot, rec);
    EXPECT_NEAR(MinOf(VerticesInColour(folded, kRed), &ObjVertex::z), 0.0, kTol);
    const auto links = LinkVertices(folded, 0.2805);
    ASSERT_FALSE(links.empty());
    EXPECT_LE(MaxOf(links, &ObjVertex::z), 0.03 + kTol);
    EXPECT_GE(MinOf(links, &ObjVertex::z), -0.03 - kTol);
    EXPECT_NEAR(MaxOf(links, &ObjVertex::x), c.link + 0.03, kTol);
  }
}

TEST_F(RobotModel, ScaraPullsBackNoFurtherThanMinusPointTwoUnlessWideHand) {
  SceneObject rec = ColouredRecord(150);
  rec.Opt[2] = 1;  // both arms, so that R2 is clamped too
  rec.size[0] = -0.5f;
  rec.size[1] = -0.9f;
  SceneObject limit = rec;
  limit.size[0] = limit.size[1] = -0.2f;
  SceneObject inside = rec;
  inside.size[0] = inside.size[1] = -0.1f;
  EXPECT_TRUE(SameDrawing(Draw(ScaraRobot, rec), Draw(ScaraRobot, limit)));
  EXPECT_FALSE(SameDrawing(Draw(ScaraRobot, inside), Draw(ScaraRobot, limit)));
  // Hand 1 (the plate, above the bridge plate of the dual arm) ends at
  // 2 L sin(-18 degrees).
  std::vector<ObjVertex> hand1;
  for (const ObjVertex& v : VerticesInColour(Draw(ScaraRobot, rec), kRed))
    if (v.y > 0.30332) hand1.push_back(v);
  EXPECT_NEAR(MinOf(hand1, &ObjVertex::z), 2 * 0.095 * std::sin(-18.0 * M_PI / 180.0), kTol);

  // The wide hand goes all the way: the hand, symmetric front to back
  // about its cross bar, centres on 2 L sin(-45 degrees) with L = 0.15.
  rec.Opt[2] = 0;
  rec.Opt[3] = 2;
  const auto wide = VerticesInColour(Draw(ScaraRobot, rec), kRed);
  ASSERT_FALSE(wide.empty());
  EXPECT_NEAR(Centroid(wide).z, 2 * 0.15 * std::sin(-45.0 * M_PI / 180.0), kTol);
}

TEST_F(RobotModel, SingleArmScaraIgnoresTheSecondArm) {
  for (int armSize : {0, 1}) {
    SCOPED_TRACE(armSize);
    SceneObject a = ColouredRecord(150);
    a.Opt[3] = armSize;
    a.size[0] = 0.6f;
    a.Opt[0] = 1;
    SceneObject b = a;
    a.size[1] = 0.3f;
    a.Opt[1] = 1;
    b.size[1] = -0.7f;
    b.Opt[1] = 0;
    const auto single = Draw(ScaraRobot, a);
    EXPECT_TRUE(SameDrawing(single, Draw(ScaraRobot, b)));
    EXPECT_TRUE(VerticesInColour(single, kBlue).empty());
    // One arm, centred on the axis: folded, its first link starts at x = 0.
    a.size[0] = 0.0f;
    const auto links = LinkVertices(Draw(ScaraRobot, a), 0.2805);
    EXPECT_NEAR(MinOf(links, &ObjVertex::x), -0.03, kTol);

    // With the dual arm, hand 2 and its wafer appear.
    a.Opt[2] = 1;
    const auto dual = Draw(ScaraRobot, a);
    EXPECT_FALSE(VerticesInColour(dual, kBlue).empty());
    EXPECT_FALSE(SameDrawing(single, dual));
  }
}

TEST_F(RobotModel, FrogLegClampsExtensionAndLift) {
  SceneObject rec = ColouredRecord(152);
  rec.Opt[0] = rec.Opt[1] = 1;
  auto with = [&](float r1, float z) {
    SceneObject r = rec;
    r.size[0] = r1;
    r.size[2] = z;
    return Draw(FrogLegRobot, r);
  };
  EXPECT_TRUE(SameDrawing(with(1.0f, 0.0f), with(0.8f, 0.0f)));
  EXPECT_TRUE(SameDrawing(with(-3.0f, 0.0f), with(-0.8f, 0.0f)));
  EXPECT_FALSE(SameDrawing(with(0.7f, 0.0f), with(0.8f, 0.0f)));
  EXPECT_TRUE(SameDrawing(with(0.3f, 0.1f), with(0.3f, 0.03f)));
  EXPECT_FALSE(SameDrawing(with(0.3f, 0.02f), with(0.3f, 0.03f)));
}

TEST_F(RobotModel, FrogLegSignOfExtensionSelectsTheHand) {
  SceneObject rec = ColouredRecord(152);
  rec.Opt[0] = rec.Opt[1] = 1;
  const double far = 2 * 0.2 * std::sin(45.0 * M_PI / 180.0) + 0.01 * std::cos(45.0 * M_PI / 180.0) + 0.05;
  const double near = 0.06 - 0.03 * 0.5;

  rec.size[0] = 0.5f;
  auto out = Draw(FrogLegRobot, rec);
  auto hands = VerticesInColour(out, kRed);
  EXPECT_NEAR(MaxOf(hands, &ObjVertex::z), far + 0.14, kTol);    // hand 1 carried out along +Y
  EXPECT_NEAR(MinOf(hands, &ObjVertex::z), -near - 0.14, kTol);  // hand 2 waits by the axis
  EXPECT_NEAR(Centroid(VerticesInColour(out, kGreen)).z, far + 0.09, kTol);
  EXPECT_NEAR(Centroid(VerticesInColour(out, kBlue)).z, -near - 0.09, kTol);
  // The reaching hand is in the hand's colour from 0.01 behind its wrist,
  // where its forearms meet: hand 1 (the lower layer) on +Y, hand 2 on -Y.
  const double wrist = 2 * 0.2 * std::sin(45.0 * M_PI / 180.0);
  auto layer = [&](bool upper) {
    std::vector<ObjVertex> out;
    for (const ObjVertex& v : hands)
      if ((v.y > 0.304) == upper) out.push_back(v);
    return out;
  };
  EXPECT_NEAR(MinOf(layer(false), &ObjVertex::z), wrist - 0.01, kTol);

  rec.size[0] = -0.5f;
  out = Draw(FrogLegRobot, rec);
  hands = VerticesInColour(out, kRed);
  EXPECT_NEAR(MaxOf(hands, &ObjVertex::z), near + 0.14, kTol);  // hand 1 stays near the axis
  EXPECT_NEAR(MinOf(hands, &ObjVertex::z), -far - 0.14, kTol);  // hand 2 reaches out along -Y
  EXPECT_NEAR(Centroid(VerticesInColour(out, kGreen)).z, near + 0.09, kTol);
  EXPECT_NEAR(Centroid(VerticesInColour(out, kBlue)).z, -far - 0.09, kTol);
  EXPECT_NEAR(MaxOf(layer(true), &ObjVertex::z), -wrist + 0.01, kTol);
}

TEST_F(RobotModel, TwinHandWafersRideOnTheirTurnedHands) {
  SceneObject rec = ColouredRecord(151);
  rec.size[0] = 1.0f;
  rec.size[6] = 90.0f;
  rec.Opt[0] = 1;
  const auto out = Draw(TwinHandRobot, rec);
  // Hand 1 turned a quarter turn points along +X from the wrist at 0.19.
  const auto hand = VerticesInColour(out, kRed);
  std::vector<ObjVertex> lower;
  for (const ObjVertex& v : hand)
    if (v.y < 0.3139 + 0.001) lower.push_back(v);
  EXPECT_NEAR(MaxOf(lower, &ObjVertex::x), 0.14, kTol);
  EXPECT_NEAR(MinOf(lower, &ObjVertex::x), 0.0, kTol);
  const ObjVertex wafer = Centroid(VerticesInColour(out, kGreen));
  EXPECT_NEAR(wafer.x, 0.097, kTol);
  EXPECT_NEAR(wafer.z, 0.19, kTol);
  // R2 is read but this robot has no second arm to draw it with.
  SceneObject other = rec;
  other.size[1] = 0.9f;
  EXPECT_TRUE(SameDrawing(out, Draw(TwinHandRobot, other)));
}

TEST_F(RobotModel, TurnOfTheArmUnitCarriesLinksHandsAndWafers) {
  SceneObject rec = ColouredRecord(150);
  rec.size[0] = 0.7f;
  rec.Opt[0] = 1;
  const auto straight = Draw(ScaraRobot, rec);
  rec.size[3] = 90.0f;
  const auto turned = Draw(ScaraRobot, rec);
  // A quarter turn maps GL (x, z) to (z, -x).
  for (Color c : {kRed, kGreen}) {
    const ObjVertex a = Centroid(VerticesInColour(straight, c));
    const ObjVertex b = Centroid(VerticesInColour(turned, c));
    EXPECT_NEAR(b.x, a.z, kTol) << c;
    EXPECT_NEAR(b.z, -a.x, kTol) << c;
    EXPECT_NEAR(b.y, a.y, kTol) << c;
  }
  const ObjVertex la = Centroid(LinkVertices(straight, 0.2805));
  const ObjVertex lb = Centroid(LinkVertices(turned, 0.2805));
  EXPECT_NEAR(lb.x, la.z, kTol);
  EXPECT_NEAR(lb.z, -la.x, kTol);
  // The robot's heading, like any record's Ang[0], turns it the same way.
  rec.size[3] = 0.0f;
  rec.Ang[0] = 90.0f;
  const auto headed = Draw(ScaraRobot, rec);
  for (Color c : {kRed, kGreen}) {
    const ObjVertex a = Centroid(VerticesInColour(turned, c)), b = Centroid(VerticesInColour(headed, c));
    EXPECT_NEAR(b.x, a.x, kTol) << c;
    EXPECT_NEAR(b.z, a.z, kTol) << c;
  }
}

TEST_F(RobotModel, WaferPatternKeepsItsHeadingWhenTheArmUnitTurns) {
  TextureSlot slots[kTextureSlotCount];
  FillGradientImage(slots[2]);
  UploadTextureImage(slots[2]);
  slots[2].loaded = true;
  SetMeshPictures(slots);
  SceneObject rec = ColouredRecord(150);
  rec.size[0] = 0.7f;
  rec.Opt[0] = 1;
  rec.Tex = 2;
  for (float t : {0.0f, 90.0f, -135.0f}) {
    SCOPED_TRACE(t);
    rec.size[3] = t;
    const auto all = CaptureTexturedPolygons([&] { ScaraRobot(rec); });
    // The picture lies on the wafer's plane, just above the hand.
    const double top = 0.3103 + 0.0005 + 0.0001;
    std::vector<TexturedVertex> disc;
    for (const TexturedVertex& v : all)
      if (std::fabs(v.y - top) < 2e-5) disc.push_back(v);
    ASSERT_GT(disc.size(), 30u);
    double cx = 0, cz = 0;
    for (const TexturedVertex& v : disc) cx += v.x, cz += v.z;
    cx /= disc.size();
    cz /= disc.size();
    // Across the picture s runs along the robot's X and t along its Y,
    // whatever the turn: the pattern is turned back by -T.
    for (const TexturedVertex& v : disc) {
      EXPECT_NEAR(v.s, 0.5 + (v.x - cx) / 0.1, 2e-3);
      EXPECT_NEAR(v.t, 0.5 + (v.z - cz) / 0.1, 2e-3);
    }
  }
  SetMeshPictures(nullptr);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  FreePictures(slots);
}

TEST_F(RobotModel, ScaleSizesTheRobotButNotItsWaferIds) {
  SceneObject rec = ColouredRecord(150);
  rec.size[0] = 1.0f;
  rec.Opt[0] = 1;
  rec.Opt[7] = 1;
  rec.ID[0] = 7;
  for (float scale : {1.0f, 2.0f}) {
    SCOPED_TRACE(scale);
    rec.size[9] = scale;
    const auto out = Draw(ScaraRobot, rec);
    EXPECT_NEAR(MinOf(VerticesInColour(out, kRed), &ObjVertex::z), 0.19 * scale, kTol);
    std::vector<ObjVertex> text;
    for (const ObjPrimitive& p : out)
      if (p.kind != FeedbackPrimitive::Polygon)
        for (const ObjVertex& v : p.v) text.push_back(v);
    ASSERT_FALSE(text.empty());
    const double waferTop = (0.3103 + 0.0006) * scale;
    // Digits 0.03 tall, 0.01 above the wafer, at any scale.
    EXPECT_NEAR(MinOf(text, &ObjVertex::y), waferTop + 0.01, kTol);
    EXPECT_NEAR(MaxOf(text, &ObjVertex::y) - MinOf(text, &ObjVertex::y), 0.03, kTol);
  }
}

}  // namespace
