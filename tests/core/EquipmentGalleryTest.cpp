// Every equipment model lit in one labelled picture: the 21 composite
// parts, a wafer with its picture and ID, and the three robots with wafers
// on their hands. Compared with the picture kept under tests/golden.

#include <gtest/gtest.h>

#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>

#include "EquipmentTestSupport.h"
#include "equipment/EquipmentExamples.h"
#include "equipment/EquipmentModels.h"
#include "equipment/ObjectDrawing.h"
#include "render/MeshDraw.h"
#include "render/GlHeaders.h"
#include "render/Lights.h"
#include "support/GlFixture.h"
#include "support/Images.h"

namespace {

constexpr int kCols = 5, kRows = 5;
constexpr int kCellW = 256, kCellH = 240, kLabelH = 22;

const char* KindLabel(int32_t kind) {
  switch (kind) {
    case 100:
      return "Drum unit";
    case 101:
      return "Stud bolt";
    case 102:
      return "Threaded rod";
    case 103:
      return "Shaft with collars";
    case 104:
      return "Frame with flange";
    case 105:
      return "Valve block, pipes";
    case 106:
      return "Pump unit, pipes";
    case 107:
      return "Stacked unit";
    case 108:
      return "Pipe stand";
    case 109:
      return "Row of modules";
    case 110:
      return "Roller on shaft";
    case 111:
      return "Pipe riser";
    case 112:
      return "Block with rings";
    case 113:
      return "Gauge valve, pipes";
    case 114:
      return "Hexagonal stud";
    case 115:
      return "Connector";
    case 116:
      return "Clevis";
    case 117:
      return "Terminal strip";
    case 130:
      return "Rack with level";
    case 131:
      return "Wafer";
    case 132:
      return "Open box";
    case 133:
      return "Angle profile";
    case 150:
      return "ScaraRobot";
    case 151:
      return "TwinHandRobot";
    case 152:
      return "FrogLegRobot";
    default:
      return "?";
  }
}

void EnsureGuiApplication() {
  if (QGuiApplication::instance()) return;
  static int argc = 3;
  static char arg0[] = "core_tests", arg1[] = "-platform", arg2[] = "offscreen";
  static char* argv[] = {arg0, arg1, arg2, nullptr};
  static QGuiApplication app(argc, argv);
}

void DrawOne(const SceneObject& obj) {
  DrawBuilt([&] { DrawObjects(&obj, 1); });
}

class EquipmentGallery : public GlTest {
 protected:
  void SetUp() override {
    GlTest::SetUp();
    KeepGlDriverLoaded();
  }
  void TearDown() override {
    SetMeshPictures(nullptr);
    FreePictures(slots_);
    ResetLights();
    ApplyLights();
    glViewport(0, 0, gl().width(), gl().height());
    GlTest::TearDown();
  }
  TextureSlot slots_[kTextureSlotCount];
};

TEST_F(EquipmentGallery, EveryModelLitAndLabelled) {
  ASSERT_TRUE(LoadWaferPicture(slots_));
  SetMeshPictures(slots_);
  QImage picture(kCols * kCellW, kRows * kCellH, QImage::Format_RGBA8888);
  const GlStateSnapshot before = GlStateSnapshot::Take();

  for (size_t index = 0; index < kEquipmentKinds.size(); ++index) {
    const int32_t kind = kEquipmentKinds[index];
    const SceneObject obj = ExampleEquipment(kind);
    // Frame each model by what it draws.
    const Extent e = ExtentOf(VerticesOf(CaptureModel([&] { DrawOne(obj); }), FeedbackPrimitive::Polygon));
    ASSERT_LT(e.lo[0], e.hi[0]) << kind << " draws nothing";
    const double c[3] = {(e.lo[0] + e.hi[0]) / 2, (e.lo[1] + e.hi[1]) / 2, (e.lo[2] + e.hi[2]) / 2};
    // Seen from the same side, from just far enough that
    // every corner of its box fits the picture.
    // Robots are seen from higher up, so that their arms and hands show.
    const double lift = kind >= 150 ? 6.0 : 2.3;
    const double dn = std::sqrt(3.0 * 3.0 + lift * lift + 3.8 * 3.8);
    const double d[3] = {3.0 / dn, lift / dn, 3.8 / dn};
    const double rn = std::hypot(d[2], d[0]);
    const double right[3] = {d[2] / rn, 0.0, -d[0] / rn};
    const double up[3] = {d[1] * right[2] - d[2] * right[1], d[2] * right[0] - d[0] * right[2],
                          d[0] * right[1] - d[1] * right[0]};
    const double aspect = double(kCellW) / (kCellH - kLabelH);
    const double ty = std::tan(15.0 * M_PI / 180.0), tx = ty * aspect;
    double distance = 0.0;
    for (int corner = 0; corner < 8; ++corner) {
      double p[3];
      for (int k = 0; k < 3; ++k) p[k] = ((corner >> k) & 1 ? e.hi[k] : e.lo[k]) - c[k];
      const double x = p[0] * right[0] + p[1] * right[1] + p[2] * right[2];
      const double y = p[0] * up[0] + p[1] * up[1] + p[2] * up[2];
      const double z = p[0] * d[0] + p[1] * d[1] + p[2] * d[2];
      distance = std::max({distance, z + std::fabs(x) / tx, z + std::fabs(y) / ty});
    }
    distance *= 1.08;

    glViewport(0, 0, gl().width(), gl().height());
    glClearColor(0.86f, 0.86f, 0.82f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glViewport(0, kLabelH, kCellW, kCellH - kLabelH);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluPerspective(30.0, aspect, distance / 20.0, distance * 4.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    gluLookAt(c[0] + d[0] * distance, c[1] + d[1] * distance, c[2] + d[2] * distance, c[0], c[1], c[2], 0, 1,
              0);
    EquipmentDefaultLights();
    DrawOne(obj);
    const TestImage cell = ReadFramebuffer(kCellW, kCellH);
    const int col = static_cast<int>(index) % kCols, row = static_cast<int>(index) / kCols;
    for (int y = 0; y < kCellH; ++y)
      std::copy(cell.rgba.begin() + static_cast<long>(y) * kCellW * 4,
                cell.rgba.begin() + static_cast<long>(y + 1) * kCellW * 4,
                picture.scanLine(row * kCellH + y) + col * kCellW * 4);
    ResetLights();
    ApplyLights();
  }
  glViewport(0, 0, gl().width(), gl().height());
  EXPECT_EQ(GlStateSnapshot::Take().DiffAgainst(before), "");

  EnsureGuiApplication();
  std::vector<QRect> labels;
  {
    QPainter painter(&picture);
    QFont font("DejaVu Sans");
    font.setPixelSize(13);
    painter.setFont(font);
    for (size_t index = 0; index < static_cast<size_t>(kCols * kRows); ++index) {
      const int col = static_cast<int>(index) % kCols, row = static_cast<int>(index) / kCols;
      const QRect rect(col * kCellW, row * kCellH + kCellH - kLabelH, kCellW, kLabelH);
      labels.push_back(rect);
      painter.fillRect(rect, QColor(60, 64, 72));
      if (index >= kEquipmentKinds.size()) continue;
      const int32_t kind = kEquipmentKinds[index];
      painter.setPen(Qt::white);
      painter.drawText(rect, Qt::AlignCenter, QString("%1  %2").arg(kind).arg(KindLabel(kind)));
    }
  }

  // Labels come from whatever fonts the machine has: the comparison takes
  // them from the kept picture, so that only the models are judged.
  const std::string golden = std::string(TESSALY_GOLDEN_DIR) + "/equipment_gallery.png";
  const char* update = std::getenv("TESSALY_UPDATE_GOLDEN");
  const bool updating = update && std::string(update) == "1";
  QImage compared = picture;
  QImage kept(QString::fromStdString(golden));
  if (!updating && !kept.isNull() && kept.size() == picture.size()) {
    kept = kept.convertToFormat(QImage::Format_RGBA8888);
    QPainter painter(&compared);
    for (const QRect& r : labels) painter.drawImage(r, kept, r);
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
  WriteArtifact(toTest(picture), "equipment_gallery.png");
  EXPECT_EQ(CompareWithGolden(toTest(compared), "equipment_gallery", 12, 0.002), "");
}

}  // namespace
