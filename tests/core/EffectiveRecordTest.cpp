// Drawing from the effective record: a robot that follows a panel, and a
// record a controller places or hides, look exactly like a plain record
// holding those values, and the stored table stays as the user set it.

#include <gtest/gtest.h>

#include <functional>
#include <iterator>
#include <memory>

#include "EquipmentTestSupport.h"
#include "equipment/ObjectDrawing.h"
#include "objects/EffectiveRecord.h"
#include "objects/SceneHistory.h"
#include "support/GlFixture.h"

namespace {

class EffectiveRecordGl : public GlTest {
 protected:
  std::vector<ObjPrimitive> Draw(const SceneObject& rec, const DrawSubstitutes* subs) {
    return CaptureModel([&] { DrawObjects(&rec, 1, subs); });
  }
};

}  // namespace

TEST_F(EffectiveRecordGl, RobotFollowingAPanelDrawsAsItsFieldsWouldHoldThePanelsAxes) {
  RobotPanelValues panels[2];
  panels[0].R1 = 0.6f;
  panels[0].R2 = 0.3f;
  panels[0].Z = 0.05f;
  panels[0].T = 35.0f;
  panels[0].X = 0.25f;
  panels[0].RT1 = 20.0f;
  panels[0].RT2 = -40.0f;
  panels[0].WaferR1 = true;
  panels[1].R1 = -0.5f;  // RBT2: the frog-leg's second hand
  panels[1].T = -60.0f;
  panels[1].WaferR2 = true;
  const DrawSubstitutes subs{panels, nullptr};

  for (int kind : {150, 151, 152}) {
    for (int panel : {1, 2}) {
      SCOPED_TRACE(testing::Message() << "kind " << kind << " panel " << panel);
      SceneObject bound = ColouredRecord(kind);
      bound.size[9] = 1.0f;
      bound.Opt[2] = 1;  // dual arm, so R2 shows on the SCARA
      bound.size[0] = 0.1f;
      bound.size[3] = 90.0f;
      bound.Opt[1] = 1;
      bound.Opt[kFollowPanelOption] = panel;
      const SceneObject stored = bound;

      SceneObject plain = bound;
      plain.Opt[kFollowPanelOption] = 0;
      const RobotPanelValues& p = panels[panel - 1];
      plain.size[0] = p.R1;
      plain.size[1] = p.R2;
      plain.size[2] = p.Z;
      plain.size[3] = p.T;
      plain.size[4] = p.X;
      plain.size[6] = p.RT1;
      plain.size[7] = p.RT2;
      plain.Opt[0] = p.WaferR1;
      plain.Opt[1] = p.WaferR2;

      const auto drawn = Draw(bound, &subs);
      EXPECT_TRUE(SameDrawing(drawn, Draw(plain, nullptr)));
      // Without the panels it is drawn from its own fields, as before.
      EXPECT_FALSE(SameDrawing(drawn, Draw(bound, nullptr)));
      EXPECT_EQ(bound.size[0], stored.size[0]);
      EXPECT_EQ(bound.Opt[1], stored.Opt[1]);
    }
  }

  // Option values other than 1 and 2, and kinds that are not robots, follow
  // nothing.
  SceneObject other = ColouredRecord(150);
  other.Opt[kFollowPanelOption] = 3;
  EXPECT_TRUE(SameDrawing(Draw(other, &subs), Draw(other, nullptr)));
  SceneObject wafer = ColouredRecord(ShapeKind::Wafer);
  wafer.Opt[kFollowPanelOption] = 1;
  EXPECT_EQ(FollowedPanel(wafer), 0);
}

TEST_F(EffectiveRecordGl, ControllerOverridePlacesOrHidesTheRecord) {
  auto overrides = std::make_unique<ObjectOverrides>();
  SceneObject box = ColouredRecord(ShapeKind::Cube);
  box.Enbl = true;
  box.W = box.D = box.H = 0.2f;
  ObjectOverride& o = (*overrides)[0];
  o.active = true;
  o.X = 0.3f;
  o.Y = -0.2f;
  o.Z = 0.1f;
  o.Ang[0] = 30.0f;
  o.Ang[2] = 10.0f;
  const DrawSubstitutes subs{nullptr, overrides.get()};

  SceneObject moved = box;
  moved.X = 0.3f;
  moved.Y = -0.2f;
  moved.Z = 0.1f;
  moved.Ang[0] = 30.0f;
  moved.Ang[2] = 10.0f;
  EXPECT_TRUE(SameDrawing(Draw(box, &subs), Draw(moved, nullptr)));
  EXPECT_EQ(box.X, 0.0f) << "the stored record keeps its place";

  o.enabled = false;
  EXPECT_TRUE(Draw(box, &subs).empty());
  o.active = false;
  EXPECT_TRUE(SameDrawing(Draw(box, &subs), Draw(box, nullptr)));
}

// Every value a panel or the link substitutes lands in a field that
// SameSubstitutedFields compares, so a kept mesh follows it.
TEST(EffectiveRecord, EverySubstitutedValueIsAComparedField) {
  const std::function<void(RobotPanelValues&, ObjectOverride&)> subs[] = {
      [](RobotPanelValues& p, ObjectOverride&) { p.R1 = 0.3f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.R2 = 0.3f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.Z = 0.3f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.T = 3.0f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.X = 0.3f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.RT1 = 3.0f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.RT2 = 3.0f; },
      [](RobotPanelValues& p, ObjectOverride&) { p.WaferR1 = true; },
      [](RobotPanelValues& p, ObjectOverride&) { p.WaferR2 = true; },
      [](RobotPanelValues&, ObjectOverride& o) { o.enabled = false; },
      [](RobotPanelValues&, ObjectOverride& o) { o.X = 0.3f; },
      [](RobotPanelValues&, ObjectOverride& o) { o.Y = 0.3f; },
      [](RobotPanelValues&, ObjectOverride& o) { o.Z = 0.3f; },
      [](RobotPanelValues&, ObjectOverride& o) { o.Ang[0] = 3.0f; },
      [](RobotPanelValues&, ObjectOverride& o) { o.Ang[1] = 3.0f; },
      [](RobotPanelValues&, ObjectOverride& o) { o.Ang[2] = 3.0f; },
  };
  SceneObject stored = ZeroRecord();
  stored.Enbl = true;
  stored.Shp = ShapeKind::FrogLegRobot;
  stored.Opt[kFollowPanelOption] = 1;
  for (size_t k = 0; k < std::size(subs); ++k) {
    RobotPanelValues panels[2];
    auto overrides = std::make_unique<ObjectOverrides>();
    ObjectOverride& o = (*overrides)[4];
    o.active = true;
    const DrawSubstitutes plain{panels, overrides.get()};
    const SceneObject before = EffectiveRecord(stored, 4, plain);
    subs[k](panels[0], o);
    const SceneObject after = EffectiveRecord(stored, 4, plain);
    EXPECT_FALSE(SameRecord(before, after)) << k;
    EXPECT_FALSE(SameSubstitutedFields(before, after)) << k;
  }
}
