// The wafer (picture, ring, ID, rim, fallback to a plain disc) and the
// robot hand plate.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "mesh/Emit.h"
#include "EquipmentTestSupport.h"
#include "equipment/EquipmentModels.h"
#include "render/MeshDraw.h"
#include "render/Frame.h"
#include "render/GlHeaders.h"
#include "support/GlFixture.h"
#include "render/Texture.h"

namespace {

constexpr double kTol = 1e-4;

double RadiusOf(const ObjVertex& v, double cx, double cz) {
  return std::hypot(v.x - cx, v.z - cz);
}

class WaferModel : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    FillGradientImage(slots_[3]);
    UploadTextureImage(slots_[3]);
    slots_[3].loaded = true;
    SetMeshPictures(slots_);
  }
  void TearDown() override {
    SetMeshPictures(nullptr);
    FreePictures(slots_);
    GlTest::TearDown();
  }
  SceneObject Record() const {
    SceneObject w = ColouredRecord(131);
    w.X = 0.5f;
    w.Y = -0.25f;
    w.Z = 0.1f;
    w.R = 0.15f;
    w.Tex = 3;
    return w;
  }
  TextureSlot slots_[kTextureSlotCount];
};

TEST_F(WaferModel, LoadedPictureIsLaidOnTheDiscAndRingCoversTheOuterBand) {
  SceneObject w = Record();
  w.Opt[0] = 1;
  const auto textured = CaptureTexturedPolygons([&] { Wafer(w); });
  const auto plain = CaptureModel([&] { Wafer(w); });
  // The disc is white so the picture keeps its colours; with the ring it
  // stops at 0.8 R.
  const auto disc = VerticesInColour(plain, 0xFFFFFF);
  ASSERT_FALSE(disc.empty());
  double far = 0;
  for (const ObjVertex& v : disc) far = std::max(far, RadiusOf(v, 0.5, -0.25));
  EXPECT_NEAR(far, 0.12, kTol);
  for (const TexturedVertex& v : textured)
    if (std::fabs(v.y - 0.1) < 1e-6) {
      EXPECT_NEAR(v.s, 0.5 + (v.x - 0.5) / 0.24, 1e-3);
      EXPECT_NEAR(v.t, 0.5 + (v.z + 0.25) / 0.24, 1e-3);
    }
  // The band in the first sub colour, from 0.8 R to R, just above.
  const auto band = VerticesInColour(plain, kRed);
  ASSERT_FALSE(band.empty());
  double inner = 1, outer = 0;
  for (const ObjVertex& v : band) {
    inner = std::min(inner, RadiusOf(v, 0.5, -0.25));
    outer = std::max(outer, RadiusOf(v, 0.5, -0.25));
    EXPECT_NEAR(v.y, 0.10001, 2e-6);
  }
  EXPECT_NEAR(inner, 0.12, kTol);
  EXPECT_NEAR(outer, 0.15, kTol);
  EXPECT_FALSE(glIsEnabled(GL_TEXTURE_2D));
  GLint bound = -1;
  glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
  EXPECT_EQ(bound, 0);
}

TEST_F(WaferModel, WithoutAUsablePictureItIsAPlainDiscInItsFillColour) {
  SceneObject w = Record();
  w.Opt[0] = 1;
  auto plainDisc = [&](const SceneObject& rec) {
    const auto out = CaptureModel([&] { Wafer(rec); });
    const auto disc = VerticesInColour(out, kGrey);
    double far = 0;
    for (const ObjVertex& v : disc) far = std::max(far, RadiusOf(v, 0.5, -0.25));
    return disc.size() == [&] {
      size_t n = 0;
      for (const ObjPrimitive& p : out) n += p.v.size();
      return n;
    }() && std::fabs(far - 0.15) < kTol;
  };
  SceneObject none = w;
  none.Tex = -1;
  EXPECT_TRUE(plainDisc(none));
  SceneObject outOfRange = w;
  outOfRange.Tex = 12;
  EXPECT_TRUE(plainDisc(outOfRange));
  SceneObject empty = w;
  empty.Tex = 4;  // never loaded
  EXPECT_TRUE(plainDisc(empty));
  // A slot marked loaded whose texture never reached this context.
  slots_[5].loaded = true;
  SceneObject notUploaded = w;
  notUploaded.Tex = 5;
  EXPECT_TRUE(plainDisc(notUploaded));
  SetMeshPictures(nullptr);
  EXPECT_TRUE(plainDisc(w));
}

TEST_F(WaferModel, IdIsWrittenAboveItScaledAndMovedBySizes) {
  SceneObject w = Record();
  w.Opt[1] = 1;
  w.ID[0] = 42;
  auto textLines = [&](const SceneObject& rec) {
    std::vector<ObjVertex> out;
    for (const ObjPrimitive& p : CaptureModel([&] { Wafer(rec); }))
      if (p.kind == FeedbackPrimitive::Line || p.kind == FeedbackPrimitive::LineReset)
        for (const ObjVertex& v : p.v) out.push_back(v);
    return out;
  };
  struct Case {
    float s8, s9, height;
  };
  for (const Case c : {Case{0, 0, 0.03f}, Case{2, 0, 0.06f}, Case{0, 2, 0.015f}, Case{3, 1.5f, 0.06f}}) {
    SCOPED_TRACE(c.s8);
    SceneObject r = w;
    r.size[8] = c.s8;
    r.size[9] = c.s9;
    r.size[0] = 0.05f;
    r.size[2] = 0.02f;
    const auto text = textLines(r);
    ASSERT_FALSE(text.empty());
    EXPECT_EQ(VerticesInColour({ObjPrimitive{FeedbackPrimitive::Line, text}}, kGreen).size(), text.size());
    const Extent e = ExtentOf(text);
    EXPECT_NEAR(e.lo[1], 0.1 + 0.02, kTol);
    EXPECT_NEAR(e.hi[1] - e.lo[1], c.height, kTol);
    EXPECT_NEAR((e.lo[0] + e.hi[0]) / 2, 0.5 + 0.05, 0.01);
  }
  SceneObject noId = w;
  noId.ID[0] = 0;
  EXPECT_TRUE(textLines(noId).empty());
  SceneObject off = w;
  off.Opt[1] = 0;
  EXPECT_TRUE(textLines(off).empty());
}

TEST_F(WaferModel, FrameDrawsTheRimOnly) {
  SceneObject w = Record();
  w.Tex = -1;
  w.Frame = true;
  w.clFrame = kBlue;
  w.Reso = 24;
  const auto out = CaptureModel([&] { Wafer(w); });
  size_t lines = 0;
  for (const ObjPrimitive& p : out) {
    if (p.kind == FeedbackPrimitive::Polygon) continue;
    ++lines;
    for (const ObjVertex& v : p.v) EXPECT_NEAR(RadiusOf(v, 0.5, -0.25), 0.1501, kTol);
  }
  EXPECT_EQ(lines, 24u);
  EXPECT_EQ(VerticesInColour(out, kBlue).size(), 48u);
}

TEST_F(WaferModel, TurnsByItsAnglesInShapeOrder) {
  SceneObject w = Record();
  w.Tex = -1;
  w.Ang[0] = 90.0f;
  w.Ang[1] = 90.0f;
  const auto turned = CaptureModel([&] { Wafer(w); });
  SceneObject flat = w;
  flat.X = flat.Y = flat.Z = 0;
  flat.Ang[0] = flat.Ang[1] = 0;
  const auto manual = CaptureModel([&] {
    emit::Push();
    emit::Translate(0.5f, 0.1f, -0.25f);
    emit::Rotate(90.0f, 0, 1, 0);
    emit::Rotate(90.0f, 1, 0, 0);
    Wafer(flat);
    emit::Pop();
  });
  EXPECT_TRUE(SameDrawing(turned, manual));
}

TEST_F(WaferModel, FrameHandsItsTextureSlotsToTheWafers) {
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  SceneObject& w = (*table)[7];
  w = Record();
  w.Enbl = true;
  RenderSettings rs;
  auto distinctS = [&](TextureSlot* slots) {
    std::set<long> s;
    for (const TexturedVertex& v : CaptureTexturedPolygons([&] {
           ComposeFrame(FrameInputs{&rs, table.get(), slots, nullptr});
         }))
      s.insert(std::lround(v.s * 1000));
    return s.size();
  };
  EXPECT_GT(distinctS(slots_), 10u);
  EXPECT_LE(distinctS(nullptr), 1u);
  EXPECT_EQ(MeshPictures(), nullptr);
}

class HandPlateModel : public GlTest {};

TEST_F(HandPlateModel, RunsFromItsRootAlongItsOwnYAndTurnsLikeAShape) {
  SceneObject p = ColouredRecord(0);
  p.X = 0.2f;
  p.Y = 0.1f;
  p.Z = 0.3f;
  p.W = 0.07f;
  p.D = 0.14f;
  p.H = 0.002f;
  p.R = 0.025f;
  Extent e = ExtentOf(VerticesOf(CaptureModel([&] { HandPlate(p); }), FeedbackPrimitive::Polygon));
  EXPECT_NEAR(e.lo[0], 0.2 - 0.035, kTol);
  EXPECT_NEAR(e.hi[0], 0.2 + 0.035, kTol);
  EXPECT_NEAR(e.lo[2], 0.1, kTol);
  EXPECT_NEAR(e.hi[2], 0.1 + 0.14, kTol);
  EXPECT_NEAR(e.lo[1], 0.299, kTol);
  EXPECT_NEAR(e.hi[1], 0.301, kTol);
  // A quarter turn points it along +X.
  p.Ang[0] = 90.0f;
  e = ExtentOf(VerticesOf(CaptureModel([&] { HandPlate(p); }), FeedbackPrimitive::Polygon));
  EXPECT_NEAR(e.lo[0], 0.2, kTol);
  EXPECT_NEAR(e.hi[0], 0.2 + 0.14, kTol);
  EXPECT_NEAR(e.hi[2] - e.lo[2], 0.07, kTol);
}

TEST_F(HandPlateModel, TipIsRoundedAndOutlineFollowsItWhenFramed) {
  SceneObject p = ColouredRecord(0);
  p.W = 0.08f;
  p.D = 0.14f;
  p.H = 0.002f;
  p.R = 0.03f;
  p.Frame = true;
  p.clFrame = kBlue;
  const auto out = CaptureModel([&] { HandPlate(p); });
  // The corners of the tip are cut away: no vertex lies near (0.04, 0.14).
  for (const ObjVertex& v : VerticesInColour(out, kGrey)) {
    if (v.z > 0.11) {
      const double u = v.x / 0.04, t = (v.z - 0.11) / 0.03;
      EXPECT_LE(u * u + t * t, 1.0 + 1e-3);
    }
  }
  const auto outline = VerticesInColour(out, kBlue);
  ASSERT_FALSE(outline.empty());
  const Extent e = ExtentOf(outline);
  EXPECT_NEAR(e.hi[2], 0.14, kTol);
  EXPECT_NEAR(e.hi[1], 0.0011, kTol);
  EXPECT_NEAR(e.lo[1], -0.0011, kTol);
  // Without resolution the plate still draws, with a square tip.
  p.Reso = 0;
  EXPECT_FALSE(CaptureModel([&] { HandPlate(p); }).empty());
}

}  // namespace
