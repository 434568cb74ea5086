#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QGuiApplication>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <memory>
#include <vector>

#include "ui/Controls.h"
#include "ui/Coordmon.h"
#include "arm/ToolPoint.h"
#include "FakePrompts.h"
#include "support/Images.h"

namespace {

QRgb Rgb(uint32_t bgr) {
  return qRgb(bgr & 0xFF, (bgr >> 8) & 0xFF, (bgr >> 16) & 0xFF);
}

TestImage ToTestImage(const QImage& q) {
  const QImage rgba = q.convertToFormat(QImage::Format_RGBA8888);
  TestImage img;
  img.width = rgba.width();
  img.height = rgba.height();
  img.rgba.resize(static_cast<size_t>(img.width) * img.height * 4);
  for (int y = 0; y < img.height; ++y)
    std::copy(rgba.constScanLine(y), rgba.constScanLine(y) + img.width * 4,
              img.rgba.begin() + static_cast<long>(y) * img.width * 4);
  return img;
}

struct Nudge {
  int joint, amount;
};

class XyzMonitorTest : public ::testing::Test {
 protected:
  void SetUp() override { mon = std::make_unique<TXYZ_Mon>(); }
  void TearDown() override { mon.reset(); }

  // What the main window does with a nudge: move the slider, which updates
  // the joint angles the monitor reads.
  TXYZ_Mon::NudgeJointFn Recorder() {
    return [this](int joint, int amount) {
      nudges.push_back({joint, amount});
      if (joint >= 0 && joint < 6) joints[joint] += amount * 0.01f;
    };
  }

  QRgb PixelOf(int graph, int x, int y) const { return mon->Graph(graph)->Image().pixel(x, y); }

  FakePrompts prompts;
  std::unique_ptr<TXYZ_Mon> mon;
  float joints[6] = {0, 0, 90, 0, 0, 0};
  std::vector<Nudge> nudges;
};

TEST_F(XyzMonitorTest, LaidOutCentredWithItsControls) {
  EXPECT_EQ(mon->windowTitle(), QStringLiteral("XYZ Monitor"));
  EXPECT_EQ(mon->Lbl_X_Range->text(), QStringLiteral("7200"));
  EXPECT_EQ(mon->Lbl_X_Shift->text(), QStringLiteral("0"));
  EXPECT_EQ(mon->Lbl_Y_Range->text(), QStringLiteral("2.0"));
  EXPECT_EQ(mon->Lbl_Y_Shift->text(), QStringLiteral("-1.0"));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  EXPECT_LE((mon->geometry().center() - screen.center()).manhattanLength(), 2);
  for (const char* name : {"Img_X_Graph", "Img_Y_Graph", "Img_Z_Graph", "Shp_Sub_Color", "Shp_Data06_Color",
                           "Chk_DrawLegend", "Chk_Mark", "Btn_Calc", "Cmb_AxisNo", "Btn_AxisInc"})
    EXPECT_NE(mon->findChild<QWidget*>(QString::fromLatin1(name)), nullptr) << name;
}

TEST_F(XyzMonitorTest, WithoutJointsCalcAndNudgesLeaveTheGraphsAlone) {
  mon->SetNudgeJoint(Recorder());
  const QImage before = mon->Img_Z_Graph->Image();
  QTest::mouseClick(mon->Btn_Calc, Qt::LeftButton);
  QTest::mouseClick(mon->Btn_AxisInc, Qt::LeftButton);
  EXPECT_EQ(mon->Img_Z_Graph->Image(), before);
  EXPECT_FALSE(mon->Store().Curve(kGraphZ, 0).shown);
  EXPECT_EQ(mon->Store().Samples(kGraphZ, 0)[kMonitorZeroIndex], kMissingSample);
  // The arm still moves.
  ASSERT_EQ(nudges.size(), 1u);
  EXPECT_EQ(nudges[0].joint, 0);
  EXPECT_EQ(nudges[0].amount, 1);
  // A null reference is ignored and does not show the window.
  mon->Attach(nullptr, Recorder());
  EXPECT_FALSE(mon->isVisible());
  EXPECT_EQ(mon->Joints(), nullptr);
}

TEST_F(XyzMonitorTest, CalcPlotsTheHomePose) {
  mon->Attach(joints, Recorder());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(mon.get()));
  QTest::mouseClick(mon->Btn_Calc, Qt::LeftButton);

  // Sweeping J1 at the home pose keeps the height at 0.56 m: the Z graph
  // (240 high: origin 224, 200 pixels for 2 m from -1 m) shows it at row
  // 224 - floor(1.56 x 100) = 68, red where only J1 reaches (beyond
  // +-200 degrees, where J4 stops) and lime at 150 degrees (J4, drawn
  // later, does not move the point while J5 is 0; J5 stops at 120).
  EXPECT_EQ(PixelOf(kGraphZ, 120, 68), Rgb(0x0000FF));
  EXPECT_EQ(PixelOf(kGraphZ, 50 + 400 * 5100 / 7200, 68), Rgb(0x00FF00));
  // Background away from everything; the legend's white frame.
  EXPECT_EQ(PixelOf(kGraphZ, 53, 150), Rgb(0x000000));
  const GraphPoint legend = mon->LegendPosition();
  EXPECT_EQ(PixelOf(kGraphX, legend.x, legend.y + 10), qRgb(255, 255, 255));
  // Markers at the present angles: J3's dot at 90 degrees in the X graph,
  // where X = 0 (row 224 - 100 = 124).
  const int x90 = 50 + 400 * (4500) / 7200;
  EXPECT_EQ(PixelOf(kGraphX, x90, 124 - 2), Rgb(0x00FFFF));

  // The stored samples are the tool point of the swept pose.
  const float pose[6] = {0, 0, 90, 0, 37.5f, 0};
  double p[3];
  ToolPointOfJoints(pose, p);
  const int k = kMonitorZeroIndex + 375;
  EXPECT_FLOAT_EQ(mon->Store().Samples(kGraphX, 4)[k], static_cast<float>(p[0]));
  EXPECT_FLOAT_EQ(mon->Store().Samples(kGraphY, 4)[k], static_cast<float>(p[2]));
  EXPECT_FLOAT_EQ(mon->Store().Samples(kGraphZ, 4)[k], static_cast<float>(p[1]));

  const std::string path = WriteArtifact(ToTestImage(mon->grab().toImage()), "xyz_monitor_home.png");
  std::cout << "XYZ monitor picture: " << path << "\n";
}

TEST_F(XyzMonitorTest, PlusAndMinusNudgeTheChosenJointAndRecalc) {
  mon->Attach(joints, Recorder());
  mon->Cmb_AxisNo->setCurrentIndex(2);
  mon->Cmb_ChageValue->setCurrentText(QStringLiteral("50"));
  QTest::mouseClick(mon->Btn_AxisDec, Qt::LeftButton);
  mon->Cmb_ChageValue->setCurrentText(QStringLiteral("100"));
  mon->Cmb_AxisNo->setCurrentIndex(5);
  QTest::mouseClick(mon->Btn_AxisInc, Qt::LeftButton);
  ASSERT_EQ(nudges.size(), 2u);
  EXPECT_EQ(nudges[0].joint, 2);
  EXPECT_EQ(nudges[0].amount, -50);
  EXPECT_EQ(nudges[1].joint, 5);
  EXPECT_EQ(nudges[1].amount, 100);
  // Calc ran again with J3 at 89.5: J1's sweep sees the new pose.
  const float pose[6] = {0, 0, 89.5f, 0, 0, 1.0f};
  double p[3];
  ToolPointOfJoints(pose, p);
  EXPECT_NEAR(mon->Store().Samples(kGraphZ, 0)[kMonitorZeroIndex], p[1], 1e-6);
  EXPECT_GT(mon->Store().Samples(kGraphZ, 0)[kMonitorZeroIndex], 0.5605f);
}

TEST_F(XyzMonitorTest, ShiftClickMovesTheLegendInsideTheImage) {
  mon->Attach(joints, Recorder());
  ASSERT_TRUE(QTest::qWaitForWindowExposed(mon.get()));
  const GraphPoint start = mon->LegendPosition();
  // Without Shift nothing moves.
  QTest::mouseClick(mon->Img_Y_Graph, Qt::LeftButton, Qt::NoModifier, QPoint(100, 100));
  EXPECT_EQ(mon->LegendPosition(), start);

  QTest::mouseClick(mon->Img_Y_Graph, Qt::LeftButton, Qt::ShiftModifier, QPoint(495, 235));
  const GraphPoint at = mon->LegendPosition();
  // Five rows: 4 + 12 x 5 = 64 high; as wide as "J1".."J5" + 32.
  EXPECT_EQ(at.y, 240 - 64);
  EXPECT_LT(at.x, 495);
  EXPECT_GT(at.x, 495 - 60);
  // The box ends at the image's edge in every graph: white frame in the
  // last column and row, face colour just inside.
  for (int g = 0; g < 3; ++g) {
    EXPECT_EQ(PixelOf(g, 499, 220), qRgb(255, 255, 255)) << g;
    EXPECT_EQ(PixelOf(g, at.x + 2, 239), qRgb(255, 255, 255)) << g;
    EXPECT_EQ(PixelOf(g, 498, at.y + 2), qRgb(0xF0, 0xF0, 0xF0)) << g;
  }

  QTest::mouseClick(mon->Img_X_Graph, Qt::LeftButton, Qt::ShiftModifier, QPoint(60, 30));
  EXPECT_EQ(mon->LegendPosition(), (GraphPoint{60, 30}));
}

TEST_F(XyzMonitorTest, ColourSwatchCancelKeepsEverythingOkRedraws) {
  const QImage before = mon->Img_X_Graph->Image();
  prompts.colorAnswers = {-1};
  QTest::mouseClick(mon->Shp_Back_Color, Qt::LeftButton);
  EXPECT_EQ(prompts.colorDialogs, 1);
  EXPECT_EQ(mon->Shp_Back_Color->Color(), 0x000000u);
  EXPECT_EQ(mon->Img_X_Graph->Image(), before);

  prompts.colorAnswers = {0x402010};
  QTest::mouseClick(mon->Shp_Back_Color, Qt::LeftButton);
  EXPECT_EQ(mon->Shp_Back_Color->Color(), 0x402010u);
  for (int g = 0; g < 3; ++g) EXPECT_EQ(PixelOf(g, 3, 3), Rgb(0x402010)) << g;
}

TEST_F(XyzMonitorTest, SlidersRewriteTheirLabelsAndRescale) {
  mon->Attach(joints, Recorder());
  mon->Tkb_Y_Range->SetPosition(35);
  mon->Tkb_Y_Shift->SetPosition(-3);
  mon->Tkb_X_Shift->SetPosition(1234);
  EXPECT_EQ(mon->Lbl_Y_Range->text(), QStringLiteral("3.5"));
  EXPECT_EQ(mon->Lbl_Y_Shift->text(), QStringLiteral("-0.3"));
  EXPECT_EQ(mon->Lbl_X_Shift->text(), QStringLiteral("1234"));
  // Height 0.56 m now sits at 224 - floor((0.56 + 0.3) x 200 / 3.5) = 175.
  // J1's sweep starts at sample 1234 (-236.6 degrees) at the Y axis.
  EXPECT_EQ(PixelOf(kGraphZ, 53, 175), Rgb(0x0000FF));

  // "Mark" off removes the dots: J3's dot at 90 degrees is gone.
  const int x90 = 50 + 400 * (4500 - 1234) / 7200;
  const QRgb withDot = PixelOf(kGraphX, x90, 224 - static_cast<int>((0.0 + 0.3) * 200 / 3.5) - 2);
  mon->Chk_Mark->setChecked(false);
  const QRgb withoutDot = PixelOf(kGraphX, x90, 224 - static_cast<int>((0.0 + 0.3) * 200 / 3.5) - 2);
  EXPECT_EQ(withDot, Rgb(0x00FFFF));
  EXPECT_NE(withoutDot, withDot);
}

}  // namespace
