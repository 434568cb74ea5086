#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>
#include <vector>

#include "render/MeshDraw.h"
#include "shapes/BlockText.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/Feedback.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

bool SamePoint(const GlyphPoint& a, float v, float h) { return a.v == v && a.d == 0 && a.h == h; }

bool HasStroke(char c, float v1, float h1, float v2, float h2) {
  const GlyphStroke* s = nullptr;
  const int n = GlyphStrokes(c, &s);
  for (int i = 0; i < n; ++i)
    if (SamePoint(s[i].a, v1, h1) && SamePoint(s[i].b, v2, h2)) return true;
  return false;
}

}  // namespace

TEST(Glyphs, EveryPrintableCharacterHasStrokesInTheCellPlane) {
  for (int c = 33; c <= 126; ++c) {
    const GlyphStroke* s = nullptr;
    const int n = GlyphStrokes(static_cast<char>(c), &s);
    ASSERT_GT(n, 0) << "no glyph for '" << static_cast<char>(c) << "'";
    for (int i = 0; i < n; ++i) {
      for (const GlyphPoint& p : {s[i].a, s[i].b}) {
        EXPECT_EQ(p.d, 0.0f);
        EXPECT_GE(p.v, -0.3f);
        EXPECT_LE(p.v, 1.0f);
        EXPECT_GE(p.h, -0.01f);
        EXPECT_LE(p.h, 1.1f);
      }
      EXPECT_FALSE(s[i].a.v == s[i].b.v && s[i].a.h == s[i].b.h) << "zero-length stroke in " << char(c);
    }
  }
  for (int c : {0, 9, 32, 127, 200}) EXPECT_EQ(GlyphStrokes(static_cast<char>(c), nullptr), 0);
}

TEST(Glyphs, TheGivenGlyphsAreExact) {
  int digitStrokes = 0;
  for (char c = '0'; c <= '9'; ++c) digitStrokes += GlyphStrokes(c, nullptr);
  EXPECT_EQ(digitStrokes, 41);
  EXPECT_EQ(GlyphStrokes('1', nullptr), 2);
  EXPECT_TRUE(HasStroke('1', 1, 1, 0, 1));
  EXPECT_TRUE(HasStroke('1', 1, 1, 0.9f, 0.7f));
  EXPECT_EQ(GlyphStrokes('0', nullptr), 5);
  EXPECT_TRUE(HasStroke('0', 0, 1, 0, 0));
  EXPECT_TRUE(HasStroke('0', 1, 1, 1, 0));
  EXPECT_TRUE(HasStroke('0', 1, 0, 0, 0));
  EXPECT_TRUE(HasStroke('0', 1, 1, 0, 1));
  EXPECT_TRUE(HasStroke('0', 1, 1, 0, 0));
  EXPECT_EQ(GlyphStrokes('+', nullptr), 2);
  EXPECT_TRUE(HasStroke('+', 0.5f, 0.75f, 0.5f, 0.25f));
  EXPECT_TRUE(HasStroke('+', 0.75f, 0.5f, 0.25f, 0.5f));
  EXPECT_EQ(GlyphStrokes('-', nullptr), 1);
  EXPECT_TRUE(HasStroke('-', 0.5f, 1, 0.5f, 0));
}

TEST(Glyphs, NoTwoCharactersLookAlike) {
  // A glyph is identified by its set of undirected strokes.
  std::set<std::vector<std::vector<float>>> seen;
  for (int c = 33; c <= 126; ++c) {
    const GlyphStroke* s = nullptr;
    const int n = GlyphStrokes(static_cast<char>(c), &s);
    std::vector<std::vector<float>> shape;
    for (int i = 0; i < n; ++i) {
      std::vector<float> a = {s[i].a.v, s[i].a.h}, b = {s[i].b.v, s[i].b.h};
      if (b < a) std::swap(a, b);
      shape.push_back({a[0], a[1], b[0], b[1]});
    }
    std::sort(shape.begin(), shape.end());
    EXPECT_TRUE(seen.insert(shape).second) << "'" << static_cast<char>(c) << "' repeats another glyph";
  }
}

class BlockTextGl : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    UseFrontOrtho(1);
  }

  // Object-space x and y (GL) of every line vertex the request emits.
  std::vector<ObjPoint> Points(const BlockTextSettings& t) {
    std::vector<ObjPoint> pts;
    for (const auto& p : CaptureFeedback([&] { DrawBlockText(t); }))
      for (const auto& v : p.v) pts.push_back(UnProject(v));
    return pts;
  }
};

TEST_F(BlockTextGl, OneCharacterAlongXIsCentred) {
  BlockTextSettings t;
  t.text = "0";
  t.charSize = 2.0f;
  t.X = t.Y = t.Z = 0.0f;
  const auto pts = Points(t);
  ASSERT_FALSE(pts.empty());
  double minX = 1e9, maxX = -1e9, minY = 1e9, maxY = -1e9;
  for (const auto& p : pts) {
    minX = std::min(minX, p.x);
    maxX = std::max(maxX, p.x);
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  EXPECT_NEAR(minX, -0.05, 1e-4);  // -0.025 s
  EXPECT_NEAR(maxX, 0.05, 1e-4);
  EXPECT_NEAR(minY, 0.0, 1e-4);
  EXPECT_NEAR(maxY, 0.2, 1e-4);  // H = 0.1 s
}

TEST_F(BlockTextGl, AlongZCharactersStackDownwards) {
  BlockTextSettings t;
  t.text = "00";
  t.charSize = 1.0f;
  t.direction = 2;
  t.X = t.Y = t.Z = 0.0f;
  // Half = (0.1 + 0.02) x 2 x 1 / 2 = 0.12; cells at Z = 0.12 - 0.12 = 0 and -0.12.
  const auto pts = Points(t);
  double minY = 1e9, maxY = -1e9;
  for (const auto& p : pts) {
    minY = std::min(minY, p.y);
    maxY = std::max(maxY, p.y);
  }
  EXPECT_NEAR(maxY, 0.12 - 0.02, 1e-4);  // first cell's top 0.02 s below Half
  EXPECT_NEAR(minY, -0.12, 1e-4);        // last cell's bottom at -Half
}

TEST_F(BlockTextGl, AlongYTheFirstCharacterComesFirst) {
  // Direction 1 writes toward -Y of the scene, GL -z: "-1" puts the dash's
  // cell (z 0.02 to 0.07) before the one's stem (at z = -0.05). Seen at an
  // angle, so that strokes along z are not points.
  glRotated(40.0, 0.0, 1.0, 0.0);
  BlockTextSettings t;
  t.text = "-1";
  t.charSize = 1.0f;
  t.direction = 1;
  t.X = t.Y = t.Z = 0.0f;
  int dash = 0, stem = 0;
  for (const auto& p : CaptureFeedback([&] { DrawBlockText(t); })) {
    ASSERT_EQ(p.v.size(), 2u);
    const ObjPoint a = UnProject(p.v[0]), b = UnProject(p.v[1]);
    if (std::fabs(a.y - 0.05) < 1e-4 && std::fabs(b.y - 0.05) < 1e-4) {  // the dash, at mid height
      ++dash;
      EXPECT_NEAR(std::max(a.z, b.z), 0.07, 1e-4);
      EXPECT_NEAR(std::min(a.z, b.z), 0.02, 1e-4);
    } else if (std::fabs(a.y - b.y) > 0.09) {  // the stem, full height
      ++stem;
      EXPECT_NEAR(a.z, -0.05, 1e-4);
    }
  }
  EXPECT_EQ(dash, 1);
  EXPECT_EQ(stem, 1);
  glLoadIdentity();
}

TEST_F(BlockTextGl, ABlankKeepsItsPlace) {
  BlockTextSettings t;
  t.text = "1 1";
  t.charSize = 1.0f;
  t.X = t.Y = t.Z = 0.0f;
  std::set<long> stems;  // x of the vertical strokes (the stems on the right edge)
  for (const auto& p : CaptureFeedback([&] { DrawBlockText(t); })) {
    if (p.v.size() != 2) continue;
    const ObjPoint a = UnProject(p.v[0]), b = UnProject(p.v[1]);
    if (std::fabs(a.x - b.x) < 1e-5) stems.insert(std::lround(a.x * 10000));
  }
  ASSERT_EQ(stems.size(), 2u);
  // Two pitches of 0.07 between the first and the third character.
  EXPECT_EQ(*stems.rbegin() - *stems.begin(), 1400);
}

TEST(BlockTextMesh, StrokeWidthIsUsableAndRestored) {
  MeshBuilder b;
  emit::BuildInto into(b);
  b.SetLineWidth(3.0f);
  BlockTextSettings t;
  t.text = "A";
  t.strokeWidth = 0.0f;
  DrawBlockText(t);
  EXPECT_EQ(b.lineWidth(), 3.0f);
  for (const MeshRun& run : b.Finish().runs) EXPECT_EQ(run.lineWidth, 1.0f) << "a width of 0 draws one pixel";

  SceneObject rec = ZeroRecord();
  rec.W = 0.05f;
  rec.H = 0.1f;
  DrawGlyphStroke(0.0f, {0, 0, 0}, {1, 0, 1}, rec);
  EXPECT_EQ(b.lineWidth(), 1.0f);
  DrawGlyphStroke(8.0f, {0, 0, 0}, {1, 0, 1}, rec);
  EXPECT_EQ(b.lineWidth(), 8.0f);
}

TEST_F(BlockTextGl, StrokesWiderThanTenKeepTheirOwnWidth) {
  // Only the text's starting width is held to 10; every stroke is drawn
  // with the request's width. "-" is one horizontal stroke: count the lit
  // rows of the column through its middle.
  auto thickness = [&](float width) {
    glClearColor(0, 0, 0, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    BlockTextSettings t;
    t.text = "-";
    t.charSize = 10.0f;
    t.strokeWidth = width;
    t.X = t.Y = t.Z = 0.0f;
    DrawBuilt([&] { DrawBlockText(t); });
    const TestImage img = ReadFramebuffer(gl().width(), gl().height());
    int lit = 0;
    for (int y = 0; y < img.height; ++y) lit += img.At(img.width / 2, y)[0] > 128 ? 1 : 0;
    glClearColor(0, 0, 0, 0);
    return lit;
  };
  EXPECT_EQ(thickness(6.0f), 6);
  EXPECT_EQ(thickness(16.0f), 16);
}

TEST_F(BlockTextGl, HostileRequestsDrawNothingHarmful) {
  BlockTextSettings t;
  t.text = std::string("\x01\xff\x80 ~", 5);
  t.direction = 7;
  EXPECT_EQ(CaptureFeedback([&] { DrawBlockText(t); }).size(), 0u) << "an unknown direction places no vertex";
  t.direction = 0;
  t.charSize = std::nanf("");
  DrawBuilt([&] { DrawBlockText(t); });
  t.text.clear();
  t.charSize = 1;
  DrawBuilt([&] { DrawBlockText(t); });
  EXPECT_EQ(DrainGlErrors(), "");
}

TEST_F(BlockTextGl, GlyphSheet) {
  // All 94 characters, 16 to a row, as a person would read them.
  const int w = gl().width(), h = gl().height();
  glMatrixMode(GL_PROJECTION);
  glLoadIdentity();
  glOrtho(0, 16, -6.5, 0.5, -10, 10);
  glMatrixMode(GL_MODELVIEW);
  glClearColor(0.08f, 0.1f, 0.16f, 1);
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  for (int c = 33; c <= 126; ++c) {
    const int i = c - 33;
    BlockTextSettings t;
    t.text = std::string(1, static_cast<char>(c));
    t.charSize = 6.0f;  // a 0.3 x 0.6 cell
    t.strokeWidth = 2.0f;
    t.X = static_cast<float>(i % 16) + 0.5f;
    t.Z = -static_cast<float>(i / 16) - 0.3f;
    t.color = (c >= '0' && c <= '9') ? 0x80FFFF : 0xFFFFFF;
    DrawBuilt([&] { DrawBlockText(t); });
  }
  const TestImage img = ReadFramebuffer(w, h);
  WriteArtifact(img, "glyph-sheet.png");
  EXPECT_EQ(CompareWithGolden(img, "glyph-sheet", 16, 0.01), "");
  glClearColor(0, 0, 0, 0);
}
