#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <unistd.h>

#include "objects/ObjectFile.h"

namespace {

const char* const kExamples[] = {"demo-cell.3dl", "scara-robot.3dl", "twin-hand-robot.3dl", "frog-leg-robot.3dl",
                                 "model-cell.3dl"};

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace

TEST(Examples, EveryShippedSceneLoadsWithoutAMessage) {
  for (const char* name : kExamples) {
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    TextureSlot slots[kTextureSlotCount];
    slots[0].loaded = slots[1].loaded = true;
    std::string messages;
    const int n = LoadObjects(std::string(TESSALY_EXAMPLES_DIR) + "/" + name, table->data(), kObjectCapacity, slots,
                              [&](const std::string& m) { messages += m + "\n"; });
    EXPECT_GT(n, 0) << name;
    EXPECT_EQ(messages, "") << name;
  }
}

TEST(Examples, ShippedScenesAreWhatTheGeneratorWrites) {
  const std::string dir = std::string(TESSALY_ARTIFACT_DIR) + "/examples-" + std::to_string(getpid());
  ASSERT_EQ(std::system(("mkdir -p '" + dir + "'").c_str()), 0);
  ASSERT_EQ(std::system((std::string(TESSALY_MAKE_EXAMPLES_EXE) + " '" + dir + "' > /dev/null").c_str()), 0);
  for (const char* name : kExamples)
    EXPECT_EQ(ReadAll(dir + "/" + name), ReadAll(std::string(TESSALY_EXAMPLES_DIR) + "/" + name))
        << name << " is out of date: run tessaly-make-examples data/examples";
  std::system(("rm -rf '" + dir + "'").c_str());
}

#include "objects/SceneView.h"
#include "objects/ShapeKind.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/RenderContext.h"
#include "support/GlFixture.h"

namespace {
class ExampleViews : public GlTest {};
}  // namespace

// Each example opens on its own view: every object's place and both ends of
// every caption inside the laid-out picture, and no robot standing in the
// window's arm at the origin.
TEST_F(ExampleViews, EachSceneOpensFramedWithItsCaptionsInView) {
  for (const char* name : kExamples) {
    const std::string path = std::string(TESSALY_EXAMPLES_DIR) + "/" + name;
    SceneView view;
    ASSERT_EQ(ReadViewLine(path, view), ViewLineState::Present) << name;
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    ASSERT_GT(LoadObjects(path, table->data(), kObjectCapacity, nullptr, [](const std::string&) {}), 0);

    ViewSettings v;
    v.angleX = view.angleX;
    v.angleZ = view.angleZ;
    v.zoom = view.zoom;
    v.shiftX = view.shiftX;
    v.shiftY = view.shiftY;
    v.shiftZ = view.shiftZ;
    v.ortho = view.ortho;
    ApplyProjection(628, 377, v.ortho);
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    ApplyCameraZoom(v);
    ApplyCameraOrientation(v);
    GLdouble mv[16], pr[16];
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    glPopMatrix();
    auto inView = [&](double x, double y, double z) {
      GLdouble wx, wy, wz;
      gluProject(x, z, y, mv, pr, vp, &wx, &wy, &wz);
      return wx >= 0 && wx <= 628 && wy >= 0 && wy <= 377 && wz > 0 && wz < 1;
    };
    for (int i = 0; i < kObjectCapacity; ++i) {
      const SceneObject& r = (*table)[static_cast<size_t>(i)];
      if (!r.Enbl) continue;
      EXPECT_TRUE(inView(r.X, r.Y, r.Z)) << name << " " << r.Name;
      if (r.Shp == ShapeKind::BlockText) {
        const double half = r.Text.size() * 0.07 * r.size[1] / 2;
        EXPECT_TRUE(inView(r.X - half, r.Y, r.Z) && inView(r.X + half, r.Y, r.Z)) << name << " " << r.Text;
      }
      if (r.Shp >= ShapeKind::ScaraRobot && r.Shp <= ShapeKind::FrogLegRobot) {
        EXPECT_GT(std::hypot(r.X, r.Y), 0.5) << name << " " << r.Name << " stands in the arm";
      }
    }
  }
  ApplyProjection(640, 480, false);
}
