// Every primitive kind drawn lit and outlined in one labelled picture,
// compared with the picture kept under tests/golden.

#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <cstdlib>
#include <string>

#include "ShapeTestSupport.h"
#include "objects/ShapeKind.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "shapes/Shapes.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

constexpr int kWidth = 1280, kHeight = 960;
constexpr int kCols = 6, kRows = 4;
constexpr int kCellH = kHeight / kRows;  // 240
constexpr int kLabelH = 22;
// The picture is drawn in four tiles of the shared 640 x 480 context.
constexpr int kTileW = 640, kTileH = 480;
constexpr int kCellsPerTileX = 3, kCellsPerTileY = 2;

// Left edge and width of a cell within its tile: 213, 213, 214.
int CellX(int cx) {
  return cx * kTileW / kCellsPerTileX;
}
int CellW(int cx) {
  return CellX(cx + 1) - CellX(cx);
}

// Text needs the font database, which needs a GUI application; the
// offscreen platform gives one without any display.
void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  static int argc = 3;
  static char arg0[] = "core_tests", arg1[] = "-platform", arg2[] = "offscreen";
  static char* argv[] = {arg0, arg1, arg2, nullptr};
  static QGuiApplication app(argc, argv);
}

// The program's two default lights: directional, white, diffuse 0.6,
// ambient 0.5.
void DefaultLights() {
  ResetLights();
  SetLightPosition(0, -10.0f, 6.0f, 10.0f, 0.0f);
  SetLightPosition(1, 10.0f, 10.0f, 10.0f, 0.0f);
  for (int slot = 0; slot < 2; ++slot) {
    SetLightLevels(slot, 0xFFFFFF, 0.5f, 0.6f, 1.0f, 0.0f, 0.0f);
    SetLightEnabled(slot, true);
  }
}

struct LabelBox {
  QRect rect;
  QString text;
};

class ShapeGallery : public GlTest {};

TEST_F(ShapeGallery, EveryKindLitAndOutlined) {
  ASSERT_EQ(gl().width(), kTileW);
  ASSERT_EQ(gl().height(), kTileH);
  QImage picture(kWidth, kHeight, QImage::Format_RGBA8888);
  std::vector<LabelBox> labels;
  const GlStateSnapshot before = GlStateSnapshot::Take();

  for (int ty = 0; ty < 2; ++ty) {
    for (int tx = 0; tx < 2; ++tx) {
      glViewport(0, 0, kTileW, kTileH);
      glClearColor(0.86f, 0.86f, 0.82f, 0.0f);
      glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
      for (int cy = 0; cy < kCellsPerTileY; ++cy) {
        for (int cx = 0; cx < kCellsPerTileX; ++cx) {
          const int row = ty * kCellsPerTileY + cy, col = tx * kCellsPerTileX + cx;
          const size_t index = static_cast<size_t>(row * kCols + col);
          if (index >= kPrimitiveKinds.size()) continue;
          const int32_t kind = kPrimitiveKinds[index];
          const int x0 = CellX(cx), w = CellW(cx);
          const int y0 = kTileH - (cy + 1) * kCellH;  // GL rows count from the bottom
          glViewport(x0, y0 + kLabelH, w, kCellH - kLabelH);
          glMatrixMode(GL_PROJECTION);
          glLoadIdentity();
          gluPerspective(30.0, double(w) / (kCellH - kLabelH), 0.5, 50.0);
          glMatrixMode(GL_MODELVIEW);
          glLoadIdentity();
          gluLookAt(3.0, 2.3, 3.8, 0.0, 0.0, 0.0, 0.0, 1.0, 0.0);
          DefaultLights();
          glPointSize(kind == ShapeKind::Dot ? 8.0f : 1.0f);
          DrawBuilt([&] { EXPECT_TRUE(DrawPrimitive(SampleShape(kind))) << kind; });
          glPointSize(1.0f);
          labels.push_back(
              LabelBox{QRect(tx * kTileW + x0, ty * kTileH + cy * kCellH + kCellH - kLabelH, w, kLabelH),
                       QString("%1  %2").arg(kind).arg(ShapeKindName(kind))});
        }
      }
      const TestImage tile = ReadFramebuffer(kTileW, kTileH);
      for (int y = 0; y < kTileH; ++y)
        std::copy(tile.rgba.begin() + static_cast<long>(y) * kTileW * 4,
                  tile.rgba.begin() + static_cast<long>(y + 1) * kTileW * 4,
                  picture.scanLine(ty * kTileH + y) + tx * kTileW * 4);
    }
  }
  ResetLights();
  ApplyLights();
  glViewport(0, 0, kTileW, kTileH);
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");

  EnsureGuiApplication();
  {
    QPainter painter(&picture);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    painter.setFont(font);
    for (const LabelBox& l : labels) {
      painter.fillRect(l.rect, QColor(60, 64, 72));
      painter.setPen(Qt::white);
      painter.drawText(l.rect, Qt::AlignCenter, l.text);
    }
  }

  // Text is drawn by whatever fonts the machine has; the comparison takes
  // the labels from the golden picture so that only the shapes are judged.
  const std::string golden = std::string(TESSALY_GOLDEN_DIR) + "/shapes_gallery.png";
  const char* update = std::getenv("TESSALY_UPDATE_GOLDEN");
  const bool updating = update && std::string(update) == "1";
  QImage compared = picture;
  QImage kept(QString::fromStdString(golden));
  if (!updating && !kept.isNull() && kept.size() == picture.size()) {
    kept = kept.convertToFormat(QImage::Format_RGBA8888);
    QPainter painter(&compared);
    for (const LabelBox& l : labels) painter.drawImage(l.rect, kept, l.rect);
  }

  auto toTest = [](const QImage& q) {
    TestImage img;
    img.width = q.width();
    img.height = q.height();
    img.rgba.resize(static_cast<size_t>(q.width()) * q.height() * 4);
    for (int y = 0; y < q.height(); ++y)
      std::copy(q.constScanLine(y), q.constScanLine(y) + q.width() * 4,
                img.rgba.begin() + static_cast<long>(y) * q.width() * 4);
    return img;
  };
  WriteArtifact(toTest(picture), "shapes_gallery.png");
  EXPECT_EQ(CompareWithGolden(toTest(compared), "shapes_gallery", 12, 0.002), "");
}

}  // namespace
