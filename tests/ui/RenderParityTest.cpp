#include <QImage>
#include <cstdlib>
#include <string>
#include <unistd.h>

#include "ui/WindowFixture.h"

namespace {

using RenderParityTest = MainWindowTest;

TestImage FromQImage(const QImage& q) {
  const QImage rgba = q.convertToFormat(QImage::Format_RGBA8888);
  TestImage t;
  t.width = rgba.width();
  t.height = rgba.height();
  t.rgba.resize(static_cast<size_t>(t.width) * t.height * 4);
  for (int y = 0; y < t.height; ++y)
    std::copy(rgba.constScanLine(y), rgba.constScanLine(y) + t.width * 4, t.rgba.begin() + static_cast<long>(y) * t.width * 4);
  for (size_t i = 3; i < t.rgba.size(); i += 4) t.rgba[i] = 255;
  return t;
}

}  // namespace

// The headless renderer draws what the window draws: same scene, same size,
// laid-out settings, and the view the scene keeps, as opening it applies.
TEST_F(RenderParityTest, HeadlessPictureOfTheDemoCellMatchesTheWindow) {
  const std::string scene = std::string(TESSALY_EXAMPLES_DIR) + "/demo-cell.3dl";
  ASSERT_TRUE(Doc().OpenSceneFile(QString::fromStdString(scene)));
  Frame().DrawFrame();
  const QImage window = Frame().Panel()->grabFramebuffer();
  ASSERT_FALSE(window.isNull());

  const std::string out = std::string(TESSALY_ARTIFACT_DIR) + "/parity-" + std::to_string(getpid()) + ".png";
  const std::string cmd = "ASAN_OPTIONS=detect_leaks=0 " + std::string(TESSALY_RENDER_EXE) + " '" + scene +
                          "' -o '" + out + "' --size " + std::to_string(window.width()) + "x" +
                          std::to_string(window.height());
  ASSERT_EQ(std::system(cmd.c_str()), 0) << cmd;
  const QImage headless(QString::fromStdString(out));
  ASSERT_FALSE(headless.isNull());
  std::remove(out.c_str());

  // Both are Mesa's software rasteriser; smoothed lines may differ by a
  // shade at their edges.
  EXPECT_EQ(CompareImages(FromQImage(headless), FromQImage(window), "render-parity", 24, 0.01), "");
}
