// Objects taken down into arrays draw as they draw directly: with the
// values they inherit from the object before them, with a display list
// where arrays cannot follow, and without hidden faces only where those
// are really hidden.

#include <gtest/gtest.h>

#include "equipment/EquipmentExamples.h"
#include "equipment/EquipmentModels.h"
#include "equipment/ObjectDrawing.h"
#include "objects/ShapeKind.h"
#include "render/GlDraw.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/ObjectListCache.h"
#include "render/Texture.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

// A triangle list with the given corners.
CapturedRun Triangles(const std::vector<std::array<float, 3>>& corners) {
  CapturedRun run;
  for (const auto& c : corners) {
    CapturedVertex v{};
    v.p[0] = c[0], v.p[1] = c[1], v.p[2] = c[2];
    v.c[3] = 1.0f;
    run.indices.push_back(static_cast<GLuint>(run.vertices.size()));
    run.vertices.push_back(v);
  }
  return run;
}

// A cube's twelve faces, every other one turned the wrong way round.
std::vector<std::array<float, 3>> MixedCube(float x0, float size) {
  const float a = x0, b = x0 + size;
  const std::array<float, 3> p[8] = {{a, a, a}, {b, a, a}, {b, b, a}, {a, b, a},
                                     {a, a, b}, {b, a, b}, {b, b, b}, {a, b, b}};
  const int quads[6][4] = {{0, 3, 2, 1}, {4, 5, 6, 7}, {0, 1, 5, 4}, {2, 3, 7, 6}, {1, 2, 6, 5}, {0, 4, 7, 3}};
  std::vector<std::array<float, 3>> out;
  int n = 0;
  for (const auto& q : quads)
    for (const auto& t : {std::array<int, 3>{q[0], q[1], q[2]}, std::array<int, 3>{q[0], q[2], q[3]}}) {
      if (n++ % 2)
        out.insert(out.end(), {p[t[0]], p[t[2]], p[t[1]]});
      else
        out.insert(out.end(), {p[t[0]], p[t[1]], p[t[2]]});
    }
  return out;
}

// Six times the signed volume the faces enclose.
double Volume(const CapturedRun& run) {
  double v = 0.0;
  for (size_t t = 0; t + 2 < run.indices.size(); t += 3) {
    const float *p = run.vertices[run.indices[t]].p, *q = run.vertices[run.indices[t + 1]].p,
                *r = run.vertices[run.indices[t + 2]].p;
    v += p[0] * (q[1] * r[2] - q[2] * r[1]) + p[1] * (q[2] * r[0] - q[0] * r[2]) + p[2] * (q[0] * r[1] - q[1] * r[0]);
  }
  return v;
}

TEST(GeometryClosure, SealedSurfacesAreTurnedOutwardAndOpenOnesLeftAlone) {
  // Two cubes of mixed winding: both closed, every face turned outward.
  auto corners = MixedCube(0.0f, 1.0f);
  const auto second = MixedCube(3.0f, 0.5f);
  corners.insert(corners.end(), second.begin(), second.end());
  CapturedRun two = Triangles(corners);
  two.MeasureClosure();
  EXPECT_EQ(two.closedWinding, 1);
  EXPECT_NEAR(Volume(two), 6.0 * (1.0 + 0.125), 1e-4);
  // Each cube alone encloses its own volume: no face was turned against
  // its neighbours.
  CapturedRun first = two;
  first.indices.resize(36);
  EXPECT_NEAR(Volume(first), 6.0, 1e-5);

  // A missing face, a lone quad, a see-through cube, a flat double sheet.
  CapturedRun open = Triangles(MixedCube(0.0f, 1.0f));
  open.indices.resize(33);
  open.MeasureClosure();
  EXPECT_EQ(open.closedWinding, 0);
  CapturedRun quad = Triangles({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {0, 1, 0}});
  quad.MeasureClosure();
  EXPECT_EQ(quad.closedWinding, 0);
  CapturedRun glass = Triangles(MixedCube(0.0f, 1.0f));
  glass.opaque = false;
  glass.MeasureClosure();
  EXPECT_EQ(glass.closedWinding, 0);
  CapturedRun sheet = Triangles({{0, 0, 0}, {1, 0, 0}, {1, 1, 0}, {0, 0, 0}, {1, 1, 0}, {1, 0, 0}});
  sheet.MeasureClosure();
  EXPECT_EQ(sheet.closedWinding, 0);
}

// Objects drawn by hand, each choosing its look from its record.
// A lit quad with a normal turned by Ang[0] and a colour from clFill.
void LitQuad(const SceneObject& rec) {
  const float c[4] = {static_cast<float>(rec.clFill & 0xFF) / 255.0f, 0.5f, 0.3f, 1.0f};
  const float grey[4] = {0.2f, 0.2f, 0.2f, 1.0f};
  glMaterialfv(GL_FRONT_AND_BACK, GL_AMBIENT, grey);
  glMaterialfv(GL_FRONT_AND_BACK, GL_DIFFUSE, c);
  glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, grey);
  glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, 20.0f);
  glPushMatrix();
  glTranslatef(rec.X, 0.0f, -6.0f);
  glRotatef(rec.Ang[0], 0.0f, 1.0f, 0.0f);
  glBegin(GL_QUADS);
  glNormal3f(0.0f, 0.0f, 1.0f);
  glVertex3f(-0.5f, -0.5f, 0.0f);
  glVertex3f(0.5f, -0.5f, 0.0f);
  glVertex3f(0.5f, 0.5f, 0.0f);
  glVertex3f(-0.5f, 0.5f, 0.0f);
  glEnd();
  glPopMatrix();
}
// Lines lit with whatever normal and material the object before left.
void InheritingLines(const SceneObject& rec) {
  glPushMatrix();
  glTranslatef(rec.X, 0.0f, -6.0f);
  glLineWidth(3.0f);
  glBegin(GL_LINE_STRIP);
  for (int i = 0; i < 6; ++i) glVertex3f(0.1f * static_cast<float>(i), (i % 2) ? 0.4f : -0.4f, 0.0f);
  glEnd();
  glLineWidth(1.0f);
  glPopMatrix();
}
// A switch no batch can carry (though it changes nothing here): drawn
// from a list instead.
void StippledQuad(const SceneObject& rec) {
  glEnable(GL_LINE_STIPPLE);
  LitQuad(rec);
  glDisable(GL_LINE_STIPPLE);
}

class GeometryCaptureGl : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    SetWaferTextures(nullptr);  // another test's slots may be gone
    RenderSettings rs;
    TransferLightsAndFog(rs, DefaultLight1(), DefaultLight2(), 10, FogPanelValues{});
    quad = ZeroRecord(), lines = ZeroRecord(), odd = ZeroRecord();
    quad.X = -1.2f, quad.clFill = 0x40;
    lines.X = 0.2f;
    odd.X = 1.2f, odd.clFill = 0xE0;
  }
  void TearDown() override {
    cache.Clear();
    GlTest::TearDown();
  }
  TestImage Frame(bool cached, CurrentValues* left = nullptr) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    ApplyLights();
    if (cached) {
      cache.BeginFrame(false);
      cache.Draw(0, odd, StippledQuad);
      cache.Draw(1, quad, LitQuad);
      cache.Draw(2, lines, InheritingLines);
      cache.Flush();
    } else {
      StippledQuad(odd);
      LitQuad(quad);
      InheritingLines(lines);
    }
    if (left) *left = CurrentValues::Query();
    return ReadFramebuffer(gl().width(), gl().height());
  }
  // One record drawn directly and from the cache: "" when alike.
  std::string CachedMatchesDirect(const SceneObject& rec, const std::string& name) {
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    DrawObject(rec);
    const TestImage plain = ReadFramebuffer(gl().width(), gl().height());
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    cache.BeginFrame(false);
    cache.Draw(0, rec, DrawObject);
    cache.Flush();
    return CompareImages(ReadFramebuffer(gl().width(), gl().height()), plain, name);
  }
  ObjectListCache cache;
  SceneObject quad, lines, odd;
};

TEST_F(GeometryCaptureGl, BatchesFollowInheritedValuesAndFallBackToLists) {
  auto expectSame = [&](const char* what) {
    CurrentValues direct, batched;
    const TestImage plain = Frame(false, &direct);
    const TestImage cached = Frame(true, &batched);
    EXPECT_EQ(CompareImages(cached, plain, std::string("capture-") + what), "") << what;
    // What the next object would inherit is what direct drawing leaves.
    EXPECT_TRUE(std::equal(direct.normal, direct.normal + 3, batched.normal)) << what;
    EXPECT_TRUE(std::equal(direct.diffuse, direct.diffuse + 4, batched.diffuse)) << what;
  };
  expectSame("first");
  EXPECT_EQ(cache.counts().built, 3u);
  EXPECT_EQ(cache.counts().builtAsList, 1u);
  expectSame("again");
  EXPECT_EQ(cache.counts().built, 3u);

  // The quad turns and changes colour: the lines that inherit its normal
  // and material are taken down again with it.
  quad.Ang[0] = 50.0f;
  quad.clFill = 0xC0;
  expectSame("turned");
  EXPECT_EQ(cache.counts().built, 5u);
  const TestImage turned = Frame(true);
  quad.Ang[0] = 0.0f;
  quad.clFill = 0x40;
  EXPECT_NE(CompareImages(Frame(true), turned, "capture-inherit", 0, 0.0), "")
      << "the inheriting lines must change with the quad";

  // One slot drawn twice before a flush: the first geometry is drawn
  // before it is replaced (the sanitizer build sees any use after free).
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  cache.BeginFrame(false);
  cache.Draw(1, quad, LitQuad);
  SceneObject moved = quad;
  moved.X = 1.2f;
  cache.Draw(1, moved, LitQuad);
  cache.Flush();
  const TestImage twice = ReadFramebuffer(gl().width(), gl().height());
  glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
  LitQuad(quad);
  LitQuad(moved);
  EXPECT_EQ(CompareImages(twice, ReadFramebuffer(gl().width(), gl().height()), "capture-twice"), "");
}

// A record that changes in frame after frame is drawn directly (taking it
// down would be thrown away) and taken down again once it rests.
TEST_F(GeometryCaptureGl, MovingRecordsAreDrawnDirectlyUntilTheyRest) {
  Frame(true);
  const ObjectListCache::Counts start = cache.counts();
  for (int step = 1; step <= 3; ++step) {
    quad.Ang[0] = 10.0f * static_cast<float>(step);
    const TestImage moving = Frame(true);
    EXPECT_EQ(CompareImages(moving, Frame(false), "capture-moving"), "") << step;
  }
  // Taken down at the first change only (the lines it leaves its normal
  // to see the same values: the turn is in the matrix).
  EXPECT_EQ(cache.counts().built - start.built, 1u);
  EXPECT_EQ(cache.counts().immediate - start.immediate, 2u);
  const size_t built = cache.counts().built;
  Frame(true);  // at rest
  Frame(true);
  EXPECT_EQ(cache.counts().built - built, 1u);
}

// A wafer shows its picture: texturing, binding and coordinates ride in
// the batch.
TEST_F(GeometryCaptureGl, TexturedWaferMatchesDirectDrawing) {
  TextureSlot slots[kTextureSlotCount];
  FillGradientImage(slots[2]);
  UploadTextureImage(slots[2]);
  slots[2].loaded = true;
  SetWaferTextures(slots);
  ApplyLights();
  SceneObject wafer = ExampleEquipment(131);
  wafer.Tex = 2;
  wafer.Y = -1.0f;
  wafer.Ang[1] = 60.0f;  // tilted towards the eye
  glTranslatef(0.0f, -0.3f, -2.0f);
  EXPECT_EQ(CachedMatchesDirect(wafer, "capture-wafer"), "");
  EXPECT_EQ(cache.counts().builtAsList, 0u);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  cache.Clear();
  SetWaferTextures(nullptr);
  glDeleteTextures(1, &slots[2].glName);
  glLoadIdentity();
}

TEST_F(GeometryCaptureGl, HiddenFacesAreKeptWhenTheEyeIsInsideASolid) {
  ApplyLights();
  SceneObject box = ZeroRecord();
  box.Shp = ShapeKind::Cube;
  box.Fill = true;
  box.Trans = 1.0f;
  box.W = box.D = box.H = 4.0f;
  box.Z = -2.0f;  // its height runs from Z up
  box.clFill = 0x3080C0;
  for (float z : {0.0f, -9.0f}) {  // around the eye, then in front of it
    box.Y = z;
    EXPECT_EQ(CachedMatchesDirect(box, "capture-inside"), "") << z;
  }
}

}  // namespace

// What the cache keeps stays within its vertex budget: records that no
// longer fit, and a record above the per-object limit, are drawn directly
// in every frame, and nothing is kept for them.
TEST_F(GeometryCaptureGl, KeptGeometryStaysWithinItsBudget) {
  SceneObject ball = ZeroRecord();
  ball.Enbl = ball.Fill = true;
  ball.Shp = ShapeKind::Ball;
  ball.Reso = 24;
  ball.R = 0.05f;
  SceneObject heavy = ZeroRecord();  // estimated above the per-object limit
  heavy.Enbl = heavy.Fill = true;
  heavy.Shp = ShapeKind::ConstCylinder;
  heavy.Reso = 60;
  heavy.Opt[0] = 500;
  heavy.R = heavy.H = 0.1f;
  ASSERT_GT(EstimatedVertices(heavy), ObjectListCache::kVertexLimitPerObject);
  const size_t perBall = EstimatedVertices(ball);
  const struct {
    size_t budget;
    bool withHeavy;
    size_t fewestDirect, mostDirect;  // records drawn directly per frame
  } cases[] = {
      {0, false, 30, 30},
      {3 * perBall, false, 1, 29},  // some fit (what is kept may be less than estimated)
      {ObjectListCache::kVertexBudget, false, 0, 0},
      {ObjectListCache::kVertexBudget, true, 1, 1},
  };
  for (const auto& c : cases) {
    ObjectListCache limited(c.budget);
    for (int frame = 0; frame < 2; ++frame) {
      const size_t before = limited.counts().immediate;
      limited.BeginFrame(false);
      for (int i = 0; i < 30; ++i) {
        ball.X = -1.0f + 0.07f * static_cast<float>(i);
        limited.Draw(i, ball, DrawObject);
      }
      if (c.withHeavy) limited.Draw(30, heavy, DrawObject);
      limited.Flush();
      const size_t direct = limited.counts().immediate - before;
      EXPECT_GE(direct, c.fewestDirect) << c.budget << " frame " << frame;
      EXPECT_LE(direct, c.mostDirect) << c.budget << " frame " << frame;
      EXPECT_LE(limited.keptVertices(), c.budget) << c.budget;
    }
    limited.Clear();
  }
}
