// Culling and the mesh cache change nothing in the picture: frames with
// culling on and off are identical to the pixel, frames drawn from kept
// meshes match frames built afresh, and a mesh is rebuilt exactly when
// something its building reads has changed.

#include <gtest/gtest.h>

#include <memory>
#include <cstring>
#include <cmath>

#include "equipment/EquipmentExamples.h"
#include "equipment/ObjectDrawing.h"
#include "headless/HeadlessContext.h"
#include "objects/SceneHistory.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "render/LightPanel.h"
#include "render/Lights.h"
#include "render/MeshDraw.h"
#include "render/ObjectListCache.h"
#include "shapes/Material.h"
#include "shapes/ShapeCommon.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

const int kKinds[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 20, 21, 22, 23, 24, 25, 26, 27, 28};

// 1000 mixed objects on a grid wider than the picture, outlines on every
// third, some thick lines and block text, equipment models scattered.
void FillScene(ObjectTable& table) {
  static const auto profile = std::make_shared<const std::vector<float>>(std::vector<float>{0.2f, 0.3f, 0.25f});
  InitializeRecords(table.data(), kObjectCapacity);
  for (int i = 0; i < kObjectCapacity; ++i) {
    SceneObject& r = table[static_cast<size_t>(i)];
    r.Enbl = true;
    r.Shp = kKinds[i % 21];
    r.Reso = 12;
    r.X = static_cast<float>(i % 40) * 0.3f - 6.0f;
    r.Y = static_cast<float>(i / 40) * 0.3f - 4.0f;
    r.Z = 0.1f + 0.05f * static_cast<float>(i % 7);
    r.W = r.D = r.H = 0.2f;
    r.R = r.Shp == 2 ? 6.0f : 0.1f;
    r.R2 = 0.08f;
    r.Ang[0] = static_cast<float>(i * 37 % 360);
    r.Ang[1] = static_cast<float>(i * 11 % 90);
    r.Frame = (i % 3) == 0;
    r.clFill = 0x3080C0u + static_cast<uint32_t>(i) * 97u;
    r.Opt[0] = 3;
    r.Sub = profile;
    r.size[0] = 0.15f;
    r.size[1] = 0.1f;
    if (i % 97 == 5) {
      r.Shp = ShapeKind::BlockText;
      r.Text = "Cell 7";
      r.size[0] = 4.0f;
      r.size[1] = 2.0f;
    }
    if (i % 40 == 7) {  // each equipment kind once
      SceneObject e = ExampleEquipment(kEquipmentKinds[static_cast<size_t>(i / 40) % kEquipmentKinds.size()]);
      e.X = r.X, e.Y = r.Y, e.Z = r.Z;
      e.Reso = 12;
      r = e;
    }
  }
}

class FrameSpeedGl : public ::testing::Test {
 protected:
  // Kept for the whole run: ending a headless context ends the display
  // every other test draws on.
  static HeadlessContext& Wide() {
    static HeadlessContext ctx(628, 377);
    KeepGlDriverLoaded();
    return ctx;
  }
  static HeadlessContext& Tall() {
    static HeadlessContext ctx(300, 500);
    return ctx;
  }
  void SetUp() override {
    table = std::make_unique<ObjectTable>();
    FillScene(*table);
  }
  void TearDown() override {
    ResetLights();
    ResetFog();
    SharedGlContext().MakeCurrent();
  }

  TestImage Render(HeadlessContext& ctx, bool cull, ObjectListCache* cache) {
    EXPECT_TRUE(ctx.MakeCurrent());
    ApplyClearColor(rs.backColor);
    ApplyFixedRenderState();
    ApplyProjection(ctx.width(), ctx.height(), rs.view.ortho);
    LightPanelValues l1 = DefaultLight1(), l2 = DefaultLight2();
    l1.checked = l2.checked = lightsOn;
    TransferLightsAndFog(rs, l1, l2, 10, FogPanelValues{});
    FrameInputs in{&rs, table.get(), textures, nullptr};
    in.cull = cull;
    in.cache = cache;
    in.revisions = revisions;
    ComposeFrame(in);
    EXPECT_EQ(DrainGlErrors(), "");
    return ReadFramebuffer(ctx.width(), ctx.height());
  }

  RenderSettings rs;
  bool lightsOn = true;
  const uint64_t* revisions = nullptr;
  std::unique_ptr<ObjectTable> table;
  TextureSlot textures[kTextureSlotCount];
};

// Views of both projections and two aspects: the laid-out one, zoomed in
// on a corner of the grid, turned steeply, and ortho zoomed in.
void SetView(RenderSettings& rs, int which) {
  rs = RenderSettings{};
  switch (which) {
    case 1:
      rs.view.zoom = 1.5f, rs.view.shiftX = 0.7f, rs.view.shiftZ = 0.3f;
      break;
    case 2:
      rs.view.angleX = 70.0f, rs.view.angleZ = 125.0f, rs.view.zoom = -6.0f;
      break;
    case 3:
      rs.view.ortho = true, rs.view.zoom = 1.7f, rs.view.angleZ = 40.0f;
      break;
    case 4:
      rs.view.ortho = true, rs.view.zoom = 0.35f;
      break;
    default:
      break;
  }
}

// With the history's revisions a record is compared by its number and the
// fields a substitute writes: a change reaches the mesh when it is
// committed (or undone), a move at once.
TEST_F(FrameSpeedGl, KeptMeshesFollowTheHistorysRevisions) {
  HeadlessContext& ctx = Wide();
  ASSERT_TRUE(ctx.ok()) << ctx.error();
  SceneHistory history;
  history.Reset(table->data(), kObjectCapacity);
  revisions = history.Revisions();
  ObjectListCache cache;
  SetView(rs, 0);
  Render(ctx, true, &cache);
  struct Step {
    const char* what;
    void (*change)(SceneObject&);
    int commit;  // 0 none, 1 commit, 2 undo
    size_t builds;
  };
  const Step steps[] = {
      {"colour, not committed", [](SceneObject& r) { r.clFill ^= 0x00FF00; }, 0, 0},
      {"committed", [](SceneObject&) {}, 1, 1},
      {"moved", [](SceneObject& r) { r.X += 0.05f; }, 0, 1},
      {"turned", [](SceneObject& r) { r.Ang[2] += 5.0f; }, 0, 1},
      {"arm of a robot", [](SceneObject& r) { r.size[6] += 1.0f; }, 0, 1},
      {"undone", [](SceneObject&) {}, 2, 1},
  };
  for (const Step& s : steps) {
    s.change((*table)[540]);
    if (s.commit == 1) {
      ASSERT_TRUE(history.Commit(table->data(), kObjectCapacity, "edit"));
    } else if (s.commit == 2) {
      ASSERT_TRUE(history.Undo(table->data(), kObjectCapacity));
    }
    const size_t before = cache.counts().built;
    const TestImage kept = Render(ctx, true, &cache);
    EXPECT_EQ(cache.counts().built - before, s.builds) << s.what;
    if (s.builds > 0) {
      EXPECT_EQ(CompareImages(kept, Render(ctx, true, nullptr), s.what), "") << s.what;
    }
  }
  cache.Clear();
}

TEST_F(FrameSpeedGl, CullingChangesNoPixel) {
  HeadlessContext& wide = Wide();
  HeadlessContext& tall = Tall();
  ASSERT_TRUE(wide.ok()) << wide.error();
  ASSERT_TRUE(tall.ok()) << tall.error();
  ObjectListCache counter;  // disabled: counts the objects really drawn
  counter.SetEnabled(false);
  for (HeadlessContext* ctx : {&wide, &tall})
    for (int view = 0; view < 5; ++view) {
      SetView(rs, view);
      lightsOn = view != 2;
      const size_t start = counter.counts().immediate;
      const TestImage all = Render(*ctx, false, &counter);
      size_t enabled = 0;
      for (const SceneObject& r : *table) enabled += r.Enbl ? 1 : 0;
      EXPECT_EQ(counter.counts().immediate - start - 2, enabled) << "without culling every record is drawn";
      const size_t before = counter.counts().immediate;
      const TestImage culled = Render(*ctx, true, &counter);
      const size_t drawn = counter.counts().immediate - before - 2;  // less the floor and the arm
      EXPECT_TRUE(all.rgba == culled.rgba) << "view " << view << " " << ctx->width() << "x" << ctx->height()
                                           << ": " << CompareImages(culled, all, "cull", 0, 0.0);
      // Again with kept meshes, which are culled by their own boxes.
      ObjectListCache kept;
      Render(*ctx, true, &kept);
      const TestImage byMesh = Render(*ctx, true, &kept);
      EXPECT_TRUE(all.rgba == byMesh.rgba) << "view " << view << ": " << CompareImages(byMesh, all, "cull-mesh", 0, 0.0);
      // Every view leaves part of the grid outside.
      EXPECT_LT(drawn, 990u) << "view " << view;
    }
}

// See-through faces are blended over everything opaque, whatever the
// order of the records and their materials: a small solid cube behind a
// large glass one shows through it, with either one first in the table.
TEST_F(FrameSpeedGl, SeeThroughFacesShowWhatIsBehindInAnyOrder) {
  HeadlessContext& ctx = Wide();
  ASSERT_TRUE(ctx.MakeCurrent());
  for (SceneObject& r : *table) r.Enbl = false;
  SceneObject glass = ZeroRecord();
  glass.Enbl = glass.Fill = true;
  glass.Shp = ShapeKind::Cube;
  glass.W = glass.D = glass.H = 0.6f;
  glass.Y = 0.5f;  // nearer the eye
  glass.Z = 0.5f;
  glass.Trans = 0.4f;
  glass.ColorTex = LookupMaterialPreset("emerald");
  (*table)[0] = glass;
  const TestImage alone = Render(ctx, true, nullptr);
  // The solid one straight behind the glass one's centre on the line of
  // sight (the frame leaves the camera loaded).
  GLdouble mv[16], pr[16], wx, wy, wz, fx, fy, fz;
  GLint vp[4];
  glGetDoublev(GL_MODELVIEW_MATRIX, mv);
  glGetDoublev(GL_PROJECTION_MATRIX, pr);
  glGetIntegerv(GL_VIEWPORT, vp);
  gluProject(glass.X, glass.Z, glass.Y, mv, pr, vp, &wx, &wy, &wz);
  gluUnProject(wx, wy, 1.0, mv, pr, vp, &fx, &fy, &fz);
  const double dx = fx - glass.X, dy = fy - glass.Z, dz = fz - glass.Y;
  const double k = 0.8 / std::sqrt(dx * dx + dy * dy + dz * dz);
  SceneObject solid = glass;
  solid.W = solid.D = solid.H = 0.2f;
  solid.X = static_cast<float>(glass.X + dx * k);
  solid.Z = static_cast<float>(glass.Z + dy * k);
  solid.Y = static_cast<float>(glass.Y + dz * k);
  solid.Trans = 1.0f;
  solid.ColorTex.ClTex = false;
  solid.clFill = 0xFF0000;
  TestImage pictures[2];
  for (int order = 0; order < 2; ++order) {
    (*table)[0] = order == 0 ? glass : solid;
    (*table)[1] = order == 0 ? solid : glass;
    pictures[order] = Render(ctx, true, nullptr);
  }
  EXPECT_EQ(CompareImages(pictures[0], pictures[1], "glass-order", 0, 0.0), "");
  const int px = static_cast<int>(wx), py = static_cast<int>(wy);
  EXPECT_NE(std::memcmp(pictures[0].At(px, py), alone.At(px, py), 3), 0)
      << "the solid cube must show through the glass";
}

TEST_F(FrameSpeedGl, ListsMatchImmediateDrawingAndRebuildExactlyOnChange) {
  HeadlessContext& ctx = Wide();
  ASSERT_TRUE(ctx.ok()) << ctx.error();
  ObjectListCache cache;
  constexpr size_t kEvery = ~size_t{0};
  // builds: how many meshes the change must rebuild (kEvery: all of them,
  // nothing replayed).
  auto check = [&](const char* what, size_t builds) {
    const TestImage plain = Render(ctx, true, nullptr);
    const ObjectListCache::Counts before = cache.counts();
    const TestImage listed = Render(ctx, true, &cache);
    const size_t built = cache.counts().built - before.built;
    if (builds == kEvery) {
      EXPECT_GT(built, 20u) << what;
      EXPECT_EQ(cache.counts().replayed, before.replayed) << what;
    } else {
      EXPECT_EQ(built, builds) << what;
    }
    EXPECT_EQ(CompareImages(listed, plain, std::string("cache-") + what), "") << what;
    // Replayed unchanged: no list is built and the picture is the same.
    const ObjectListCache::Counts mid = cache.counts();
    const TestImage again = Render(ctx, true, &cache);
    EXPECT_EQ(cache.counts().built, mid.built) << what << " (replayed)";
    EXPECT_GT(cache.counts().replayed, mid.replayed) << what;
    EXPECT_EQ(CompareImages(again, plain, std::string("cache-again-") + what), "") << what;
  };
  // Meshes that come again are drawn from buffer objects (forced on: the
  // software rasteriser would not use them), and the frames compare them
  // with plain arrays; with buffers off none is made and the picture stays.
  SetMeshBuffers(MeshBuffers::On);
  SetView(rs, 0);
  ASSERT_NO_FATAL_FAILURE(Render(ctx, true, &cache));
  check("unchanged", 0);
  EXPECT_GT(cache.buffers(), 0u);
  {
    // A batch drawn from buffers leaves no buffer bound.
    ObjectListCache own;
    const GlStateSnapshot before = GlStateSnapshot::Take();
    for (int frame = 0; frame < 3; ++frame) {
      own.BeginFrame();
      own.Draw(0, (*table)[0], DrawObject);
      own.Flush();
    }
    EXPECT_GT(own.buffers(), 0u);
    EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
    own.Clear();
  }
  SetMeshBuffers(MeshBuffers::Off);
  cache.Clear();
  check("buffers off", kEvery);
  EXPECT_EQ(cache.buffers(), 0u);
  SetMeshBuffers(MeshBuffers::On);
  // Any field of one record: its list alone.
  (*table)[540].clFill ^= 0x00FF00;
  check("colour", 1);
  (*table)[540].size[0] += 0.01f;
  check("size", 1);
  (*table)[540].Sub = std::make_shared<const std::vector<float>>(std::vector<float>{0.1f, 0.3f, 0.1f});
  check("profile", 1);
  (*table)[540].Text = "a name";
  check("text", 1);
  // A record that keeps changing replaces its mesh: nothing piles up.
  const size_t keptVertices = cache.keptVertices();
  const size_t joined = cache.joinedBatches();
  for (int k = 0; k < 5; ++k) {
    (*table)[540].clFill ^= 0x000010;
    Render(ctx, true, &cache);
  }
  EXPECT_EQ(cache.keptVertices(), keptVertices);
  EXPECT_LE(cache.joinedBatches(), joined + 2) << "joined arrays of earlier frames are dropped";
  // A quick frame builds for itself: nothing of it enters the cache.
  {
    const size_t built = cache.counts().built;
    FrameInputs in{&rs, table.get(), textures, nullptr};
    in.cache = &cache;
    in.reducedDetail = 12;
    ComposeFrame(in);
    EXPECT_EQ(cache.counts().built, built);
  }
  // The eye inside a closed solid, which the near plane cuts open: its
  // inner faces must show, and translucent faces too.
  const SceneObject kept = (*table)[541];
  SceneObject& room = (*table)[541];
  room = ZeroRecord();
  room.Fill = true;
  room.Shp = ShapeKind::Cube;
  room.W = room.D = room.H = 60.0f;
  room.clFill = 0x00C000;
  room.Reso = 8;
  const TestImage outside = Render(ctx, true, &cache);
  room.Enbl = true;
  for (float trans : {1.0f, 0.5f}) {
    room.Trans = trans;
    check(trans < 1.0f ? "eye inside a translucent solid" : "eye inside a solid", 1);
    EXPECT_FALSE(Render(ctx, true, &cache).rgba == outside.rgba) << trans;
  }
  (*table)[541] = kept;
  Render(ctx, true, &cache);
  // The arm's plate mark is an input of its mesh besides its record.
  for (int k = 0; k < 2; ++k) {
    rs.markPlate = !rs.markPlate;
    check("plate mark", 1);
  }
  // Frame-wide inputs: every list.
  lightsOn = false;
  check("lights off", kEvery);
  lightsOn = true;
  check("lights on", kEvery);
  // The projection is applied when drawing: only records that come into
  // view are built.
  rs.view.ortho = true;
  rs.view.zoom = 0.5f;
  Render(ctx, true, &cache);
  check("ortho", 0);
  // A picture the wafers can show: a name this context knows.
  SetView(rs, 0);
  Render(ctx, true, &cache);
  textures[1].loaded = true;
  textures[1].glName = 12345;
  check("unknown texture name", 0);
  GLuint name = 0;
  glGenTextures(1, &name);
  glBindTexture(GL_TEXTURE_2D, name);
  glBindTexture(GL_TEXTURE_2D, 0);
  textures[1].glName = name;
  check("texture slot", kEvery);
  textures[1] = TextureSlot{};
  glDeleteTextures(1, &name);
  // A new context: every list again.
  cache.ContextLost();
  check("context", kEvery);
  SetMeshBuffers(MeshBuffers::Auto);
}

}  // namespace
