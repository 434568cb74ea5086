#include <gtest/gtest.h>

#include <memory>

#include "equipment/ObjectDrawing.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/Feedback.h"
#include "support/GlFixture.h"

namespace {

class ObjectDrawingGl : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    ResetLights();
    ApplyLights();
    table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    glTranslatef(0, 0, -8);
  }
  std::vector<FeedbackPrimitive> Draw() {
    return CaptureFeedback([&] { DrawObjects(table->data(), kObjectCapacity); });
  }
  SceneObject& Cube(int i, Color c) {
    SceneObject& r = (*table)[i];
    r.Enbl = true;
    r.Shp = ShapeKind::Cube;
    r.clFill = c;
    r.W = r.D = r.H = 0.2f;
    return r;
  }
  std::unique_ptr<ObjectTable> table;
};

bool IsColor(const FeedbackVertex& v, float r, float g, float b) {
  return std::abs(v.r - r) < 0.01f && std::abs(v.g - g) < 0.01f && std::abs(v.b - b) < 0.01f;
}

}  // namespace

TEST_F(ObjectDrawingGl, DisabledRecordsAndEmptyRangesDrawNothing) {
  EXPECT_TRUE(Draw().empty());
  // Complete cubes that are only switched off.
  for (int i = 0; i < 3; ++i) Cube(i, 0xFFFFFF).Enbl = false;
  EXPECT_TRUE(Draw().empty());
  Cube(1, 0xFFFFFF);
  ASSERT_FALSE(Draw().empty());
  EXPECT_TRUE(CaptureFeedback([&] {
                DrawObjects(nullptr, 1000);
                DrawObjects(table->data(), 0);
                DrawObjects(table->data(), -5);
              }).empty());
}

TEST_F(ObjectDrawingGl, UnknownKindsDrawNothingAndTheRestStillDraws) {
  int i = 0;
  for (int k : {13, 29, 40, 41, 42, 99, 153, 200, -1}) {
    SceneObject& r = Cube(i++, 0xFFFFFF);
    r.Shp = k;
  }
  EXPECT_TRUE(Draw().empty());
  Cube(i, 0x0000FF);
  const auto prims = Draw();
  ASSERT_FALSE(prims.empty());
  for (const auto& p : prims) EXPECT_TRUE(IsColor(p.v[0], 1, 0, 0));
}

TEST_F(ObjectDrawingGl, LowerNumbersDrawFirst) {
  Cube(5, 0xFF0000);   // blue, drawn second
  Cube(2, 0x00FF00);   // green, drawn first
  const auto prims = Draw();
  ASSERT_GE(prims.size(), 2u);
  EXPECT_TRUE(IsColor(prims.front().v[0], 0, 1, 0));
  EXPECT_TRUE(IsColor(prims.back().v[0], 0, 0, 1));
}

TEST_F(ObjectDrawingGl, TextObjectsDrawTheirTextFromTheRecord) {
  SceneObject& r = (*table)[10];
  r.Enbl = true;
  r.Shp = ShapeKind::BlockText;
  r.Text = "17";
  r.size[0] = 2.0f;  // stroke width
  r.size[1] = 1.0f;  // character size
  r.clFill = 0x00FFFF;  // yellow
  r.Fill = false;       // plays no part for text
  const auto prims = Draw();
  EXPECT_EQ(CountKind(prims, FeedbackPrimitive::Line), 4u);  // "1" two strokes, "7" two strokes
  for (const auto& p : prims) EXPECT_TRUE(IsColor(p.v[0], 1, 1, 0));
  const BlockTextSettings t = TextRequestOf(r);
  EXPECT_TRUE(t.shown);
  EXPECT_FALSE(t.lock);
  EXPECT_EQ(t.text, "17");
  EXPECT_EQ(t.strokeWidth, 2.0f);
  EXPECT_EQ(t.charSize, 1.0f);
}

TEST_F(ObjectDrawingGl, SameRecordTwiceIsDrawnTwice) {
  Cube(1, 0xFFFFFF);
  const size_t once = Draw().size();
  (*table)[7] = (*table)[1];
  EXPECT_EQ(Draw().size(), 2 * once);
}
