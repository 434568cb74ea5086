// Records come from files and dialogs: whatever they hold, every kind must
// draw a bounded amount, raise no GL error and leave the GL state as it
// found it.

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "render/MeshDraw.h"
#include "ShapeTestSupport.h"
#include "objects/ShapeKind.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "shapes/Shapes.h"
#include "support/GlFixture.h"

namespace {

constexpr float kNaN = std::numeric_limits<float>::quiet_NaN();
constexpr float kInf = std::numeric_limits<float>::infinity();

struct Hostile {
  const char* name;
  void (*apply)(SceneObject&);
};

const Hostile kHostile[] = {
    {"reso -1", [](SceneObject& o) { o.Reso = -1; }},
    {"reso 0", [](SceneObject& o) { o.Reso = 0; }},
    {"reso 1", [](SceneObject& o) { o.Reso = 1; }},
    {"reso 2", [](SceneObject& o) { o.Reso = 2; }},
    {"reso 3", [](SceneObject& o) { o.Reso = 3; }},
    {"reso 100000", [](SceneObject& o) { o.Reso = 100000; }},
    {"reso INT_MAX", [](SceneObject& o) { o.Reso = INT_MAX; }},
    {"reso INT_MIN", [](SceneObject& o) { o.Reso = INT_MIN; }},
    {"NaN sizes",
     [](SceneObject& o) {
       o.W = o.D = o.H = o.R = o.R2 = kNaN;
       for (float& s : o.size) s = kNaN;
     }},
    {"infinite sizes",
     [](SceneObject& o) {
       o.W = o.H = o.R = kInf;
       o.D = o.R2 = -kInf;
       for (float& s : o.size) s = kInf;
     }},
    {"NaN angles",
     [](SceneObject& o) {
       o.Ang[0] = o.Ang[1] = o.Ang[2] = kNaN;
       o.size[0] = o.size[1] = kNaN;
     }},
    {"infinite angles",
     [](SceneObject& o) {
       o.Ang[0] = kInf;
       o.Ang[1] = -kInf;
       o.size[0] = -kInf;
       o.size[1] = kInf;
     }},
    {"huge angles",
     [](SceneObject& o) {
       o.size[0] = -1e30f;
       o.size[1] = 3e38f;
       o.Ang[2] = 1e30f;
     }},
    {"tiny range",
     [](SceneObject& o) {
       o.size[0] = 1e-30f;
       o.size[1] = 2e-30f;
     }},
    {"negative and zero sizes",
     [](SceneObject& o) {
       o.W = -1.0f, o.D = 0.0f, o.H = -2.0f, o.R = -0.5f, o.R2 = 0.0f;
       o.size[2] = -1.0f, o.size[3] = 0.0f;
     }},
    {"radius beyond the box",
     [](SceneObject& o) {
       o.R = 50.0f;
       o.size[0] = 1e6f;
       o.size[1] = -1e6f;
     }},
    {"NaN position", [](SceneObject& o) { o.X = o.Y = o.Z = kNaN; }},
    {"every option set, odd direction",
     [](SceneObject& o) {
       for (int32_t& v : o.Opt) v = 1;
       o.Dir = 7;
       o.Reso = 357;
     }},
    {"options at the limits",
     [](SceneObject& o) {
       for (int32_t& v : o.Opt) v = INT_MIN;
       o.Opt[0] = INT_MAX;
       o.Dir = INT_MIN;
     }},
    {"profile shorter than its count",
     [](SceneObject& o) {
       o.Opt[0] = 1000000;
       o.Sub = std::make_shared<const std::vector<float>>(std::vector<float>{0.5f, 0.3f});
     }},
    {"empty profile",
     [](SceneObject& o) {
       o.Opt[0] = 1;
       o.Sub = std::make_shared<const std::vector<float>>();
     }},
    {"transparent material",
     [](SceneObject& o) {
       o.Trans = kNaN;
       o.ColorTex.ClTex = true;
       o.ColorTex.shin = 1e9f;
     }},
};

bool IsRound(int32_t shp) {
  switch (shp) {
    case 7:
    case 8:
    case 9:
    case 10:
    case 12:
    case 20:
    case 21:
    case 22:
    case 23:
    case 24:
    case 25:
    case 27:
    case 28:
      return true;
    default:
      return false;
  }
}

class ShapeRobustness : public GlTest, public ::testing::WithParamInterface<int32_t> {};

// Reso is capped at 360, so no kind emits more than about 650 000
// vertices (Capsule, fill and outline, at 360).
constexpr size_t kVertexBound = 1000000;

// Vertices draw builds (its mesh's count).
long CountVertices(const std::function<void()>& draw) {
  MeshBuilder b;
  {
    emit::BuildInto into(b);
    draw();
  }
  return static_cast<long>(b.Finish().vertexCount);
}

TEST_P(ShapeRobustness, HostileRecordsStayBoundedAndBalanced) {
  const int32_t kind = GetParam();
  for (bool lit : {false, true}) {
    if (lit) {
      SetLightLevels(0, 0xFFFFFF, 0.5f, 0.6f, 1.0f, 0.0f, 0.0f);
      SetLightEnabled(0, true);
    }
    for (const Hostile& h : kHostile) {
      SceneObject o = SampleShape(kind);
      h.apply(o);
      SCOPED_TRACE(std::string(ShapeKindName(kind)) + ", " + h.name + (lit ? ", lit" : ""));
      const GlStateSnapshot before = GlStateSnapshot::Take();
      const long vertices = CountVertices([&] { EXPECT_TRUE(DrawPrimitive(o)); });
      EXPECT_GE(vertices, 0) << "more than the feedback buffer holds";
      EXPECT_LT(vertices, long(kVertexBound));
      if (IsRound(kind) && o.Reso <= 0) {
        EXPECT_EQ(vertices, 0) << "a round kind with no resolution draws";
      }
      // Really rasterised too: NaN and infinite vertices must not upset it.
      glPushMatrix();
      glTranslatef(0.0f, 0.0f, -20.0f);
      DrawBuilt([&] { DrawPrimitive(o); });
      glPopMatrix();
      glFinish();
      EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");
      EXPECT_EQ(DrainGlErrors(), "");
    }
  }
}

TEST_P(ShapeRobustness, FullResolutionStaysWithinTheBound) {
  SceneObject o = SampleShape(GetParam());
  o.Reso = 360;
  const long vertices = CountVertices([&] { DrawPrimitive(o); });
  EXPECT_GT(vertices, 0);
  EXPECT_LT(vertices, long(kVertexBound));
}

INSTANTIATE_TEST_SUITE_P(AllKinds, ShapeRobustness, ::testing::ValuesIn(kPrimitiveKinds),
                         [](const ::testing::TestParamInfo<int32_t>& info) {
                           return std::string(ShapeKindName(info.param));
                         });

TEST(ShapeDispatch, OnlyThePrimitiveNumbersDraw) {
  SceneObject o;
  for (int32_t shp = -5; shp < 200; ++shp) {
    o.Shp = shp;
    const bool primitive = (shp >= 1 && shp <= 12) || (shp >= 20 && shp <= 28);
    // Nothing else is even looked at (no GL call is made for it).
    if (!primitive) {
      EXPECT_FALSE(DrawPrimitive(o)) << shp;
    }
  }
}

}  // namespace
