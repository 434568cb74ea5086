#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/Controls.h"
#include "objects/ObjectGrid.h"
#include "ui/ObjSetFixture.h"

namespace {

QColor PixelAt(const QImage& img, QPoint p) {
  return img.pixelColor(p);
}

}  // namespace

TEST_F(ObjSetTest, KeypadEditsACellAndCancelLeavesIt) {
  Open();
  AnswerKeypad(QStringLiteral("-2.5"));
  DoubleClickCell(dlg->Stg_Data, 2, GridRow::Position);
  EXPECT_TRUE(keypadShown);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("-2.5000"));
  EXPECT_FLOAT_EQ(Rec(0).Y, 0.0f);  // not applied yet
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  EXPECT_FLOAT_EQ(Rec(0).Y, -2.5f);

  AnswerKeypad(QStringLiteral("7"), false);
  DoubleClickCell(dlg->Stg_Data, 2, GridRow::Position);
  EXPECT_TRUE(keypadShown);
  EXPECT_EQ(Cell(2, 1), QStringLiteral("-2.5000"));

  // The keypad gets each row's range and digits.
  AnswerKeypad(QStringLiteral("64"));
  DoubleClickCell(dlg->Stg_Data, 10, GridRow::ColorTex);
  EXPECT_EQ(keypad->Lbl_Max->text(), QStringLiteral("128"));
  EXPECT_EQ(Cell(10, 7), QStringLiteral("64"));
  AnswerKeypad(QStringLiteral("12"));
  DoubleClickCell(dlg->Stg_Data, 4, GridRow::Option);
  EXPECT_EQ(Cell(4, 5), QStringLiteral("12"));
  EXPECT_EQ(keypad->Lbl_Digit->text(), QStringLiteral("6"));
  // The material row counts only with "Color Texture" checked.
  dlg->Chk_ColorTex->setChecked(true);
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  EXPECT_EQ(Rec(0).Opt[3], 12);
  EXPECT_FLOAT_EQ(Rec(0).ColorTex.shin, 64.0f);
  EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('|')).toStdString();
}

TEST_F(ObjSetTest, AnUntouchedValueIsAcceptedByTheKeypadAsItStands) {
  // The material row shows four decimals but takes five characters: the
  // keypad must start from a text it accepts.
  Open();
  AnswerKeypad(QString());
  DoubleClickCell(dlg->Stg_Data, 4, GridRow::ColorTex);
  EXPECT_TRUE(keypadShown);
  EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Cell(4, 7), QStringLiteral("1.0000"));
}

TEST_F(ObjSetTest, EnterOnTheGridEditsTheCurrentCellInsteadOfClosing) {
  Open();
  dlg->Stg_Data->setFocus();
  dlg->Stg_Data->SetCurrent(1, GridRow::Trans);
  AnswerKeypad(QStringLiteral(".25"));
  QTest::keyClick(dlg->Stg_Data, Qt::Key_Return);
  EXPECT_TRUE(keypadShown);
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_EQ(Cell(1, 10), QStringLiteral("0.25"));
}

TEST_F(ObjSetTest, SubColourGoesStraightIntoTheRecord) {
  Open();
  int changes = 0;
  dlg->onChanged = [&changes] { ++changes; };
  prompts.colorAnswers = {0x123456};
  DoubleClickCell(dlg->Stg_Data, 3, GridRow::SubColor);
  EXPECT_EQ(Rec(0).cl_sub[2], 0x123456u);
  EXPECT_EQ(changes, 1);
  // Cancel keeps the colour; a column beyond the ten asks nothing.
  prompts.colorAnswers = {-1};
  DoubleClickCell(dlg->Stg_Data, 3, GridRow::SubColor);
  EXPECT_EQ(Rec(0).cl_sub[2], 0x123456u);
  DoubleClickCell(dlg->Stg_Data, 11, GridRow::SubColor);
  EXPECT_EQ(prompts.colorDialogs, 2);
  EXPECT_EQ(changes, 1);
}

TEST_F(ObjSetTest, OriginAsksAndResetsTheRowOfTheType) {
  Rec(0).X = 3.0f;
  Rec(0).W = 2.0f;
  Rec(0).Ang[1] = 30.0f;
  Open();
  prompts.confirmAnswers = {false};
  QTest::mouseClick(dlg->Btn_Inc_ORG, Qt::LeftButton);
  ASSERT_EQ(prompts.confirmations.size(), 1);
  EXPECT_EQ(prompts.confirmations[0],
            QStringLiteral("Reset 'Position' data to Origin.\n(Size='1.000',other='0.000')\nAre you sure?"));
  EXPECT_EQ(Cell(1, 1), QStringLiteral("3.0000"));

  prompts.confirmAnswers = {true, true, true};
  QTest::mouseClick(dlg->Btn_Inc_ORG, Qt::LeftButton);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("0.0000"));
  EXPECT_EQ(Cell(1, 2), QStringLiteral("2.0000"));
  dlg->Cmb_Inc_Type->setCurrentIndex(IncSize);
  EXPECT_EQ(dlg->Btn_Inc[4]->text(), QStringLiteral("+D"));
  QTest::mouseClick(dlg->Btn_Inc_ORG, Qt::LeftButton);
  EXPECT_TRUE(prompts.confirmations.last().startsWith(QStringLiteral("Reset 'Size' data")));
  EXPECT_EQ(Cell(1, 2), QStringLiteral("1.0000"));
  dlg->Cmb_Inc_Type->setCurrentIndex(IncAngle);
  EXPECT_EQ(dlg->Btn_Inc[4]->text(), QStringLiteral("+Y"));
  QTest::mouseClick(dlg->Btn_Inc_ORG, Qt::LeftButton);
  EXPECT_EQ(Cell(2, 4), QStringLiteral("0.0"));
  EXPECT_FLOAT_EQ(Rec(0).X, 3.0f);  // cells only, until applied
}

TEST_F(ObjSetTest, HoldingAStepButtonRepeatsFasterAndFaster) {
  Open();
  QPushButton* fast = dlg->Btn_Inc[1];  // "++X"
  QTest::mousePress(fast, Qt::LeftButton);
  ASSERT_TRUE(dlg->Tim_Inc->isActive());
  EXPECT_EQ(dlg->Tim_Inc->interval(), 500);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("0.0000"));

  // The first tick only shortens the wait.
  dlg->Tim_IncTimer();
  EXPECT_EQ(dlg->Tim_Inc->interval(), 250);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("0.0000"));
  for (int i = 1; i <= 10; ++i) dlg->Tim_IncTimer();
  EXPECT_EQ(Cell(1, 1), QStringLiteral("1.0000"));
  EXPECT_EQ(dlg->Tim_Inc->interval(), 125);
  for (int i = 1; i <= 19; ++i) dlg->Tim_IncTimer();
  EXPECT_EQ(dlg->Tim_Inc->interval(), 125);
  dlg->Tim_IncTimer();
  EXPECT_EQ(dlg->Tim_Inc->interval(), 31);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("3.0000"));
  dlg->Tim_IncTimer();
  EXPECT_EQ(dlg->Tim_Inc->interval(), 31);

  // Releasing after ticks takes no extra step and stops the timer.
  QTest::mouseRelease(fast, Qt::LeftButton);
  EXPECT_FALSE(dlg->Tim_Inc->isActive());
  EXPECT_EQ(dlg->Tim_Inc->interval(), 500);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("3.1000"));

  // A click before the first tick is exactly one step.
  QTest::mouseClick(dlg->Btn_Inc[2], Qt::LeftButton);  // "-X"
  EXPECT_EQ(Cell(1, 1), QStringLiteral("3.0990"));
  EXPECT_FALSE(dlg->Tim_Inc->isActive());
}

TEST_F(ObjSetTest, ATickAfterTheButtonWentUpUnseenStopsTheRepeat) {
  Open();
  QTest::mousePress(dlg->Btn_Inc[0], Qt::LeftButton);
  dlg->Btn_Inc[0]->setDown(false);  // as when a message box takes the mouse
  dlg->Tim_IncTimer();
  EXPECT_FALSE(dlg->Tim_Inc->isActive());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("0.0000"));
}

TEST_F(ObjSetTest, AngleStepsTurnTheMatchingAngleAndStopAtTheLimit) {
  Rec(0).Ang[0] = 359.5f;
  Open();
  dlg->Cmb_Inc_Type->setCurrentIndex(IncAngle);
  QTest::mouseClick(dlg->Btn_Inc[9], Qt::LeftButton);  // "++Z" turns Ang[0]
  EXPECT_EQ(Cell(1, 4), QStringLiteral("360.0"));
  QTest::mouseClick(dlg->Btn_Inc[0], Qt::LeftButton);  // "+X" turns Ang[2] the other way
  EXPECT_EQ(Cell(3, 4), QStringLiteral("-1.0"));
  dlg->Cmb_Inc_Type->setCurrentIndex(IncSize);
  QTest::mouseClick(dlg->Btn_Inc[7], Qt::LeftButton);  // "--D"
  EXPECT_EQ(Cell(2, 2), QStringLiteral("0.9000"));
}

TEST_F(ObjSetTest, CellsArePaintedByTheirState) {
  Rec(0).Shp = ShapeKind::Cube;  // no radius, no options
  Rec(0).cl_sub[0] = 0x0000FF;
  Open();
  dlg->Stg_Data->SetCurrent(2, GridRow::Position);
  QApplication::processEvents();
  const QImage img = dlg->Stg_Data->viewport()->grab().toImage();
  const auto inside = [this](int col, int row) {
    return dlg->Stg_Data->CellRect(col, row).topLeft() + QPoint(3, 3);
  };
  EXPECT_EQ(PixelAt(img, inside(2, 1)), QColor(0x80, 0x80, 0xFF));  // the selected cell
  EXPECT_EQ(PixelAt(img, inside(1, 3)), QColor(0x80, 0x80, 0x80));  // Cube has no radius
  EXPECT_EQ(PixelAt(img, inside(1, 2)), QColor(0xF0, 0xF0, 0xFF));  // even row
  EXPECT_EQ(PixelAt(img, inside(1, 1)), dlg->palette().color(QPalette::Base));
  EXPECT_EQ(PixelAt(img, inside(4, 1)), QColor(0x80, 0x80, 0x80));  // beyond the row's fields
  // A sub colour shows its colour where the kind uses it.
  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("TwinHandRobot")));
  Rec(0).cl_sub[0] = 0x0000FF;
  dlg->Stg_Data->viewport()->repaint();
  const QImage robot = dlg->Stg_Data->viewport()->grab().toImage();
  EXPECT_EQ(PixelAt(robot, inside(1, 8)), QColor(0xFF, 0, 0));
  EXPECT_EQ(PixelAt(robot, inside(6, 8)), QColor(0x80, 0x80, 0x80));  // not used by this robot
}

TEST_F(ObjSetTest, Screenshots) {
  SceneObject& r = Rec(12);
  r.Name = "Robot arm base";
  r.Enbl = true;
  r.Shp = ShapeKind::Cylinder;
  r.X = 0.25f;
  r.Y = -1.5f;
  r.Z = 0.1f;
  r.H = 0.27f;
  r.R = 0.05f;
  r.R2 = 0.04f;
  r.Opt[0] = 1;
  r.Ang[0] = 90.0f;
  r.Frame = true;
  r.clFill = 0xC08040;
  r.Trans = 0.8f;
  Open(12);
  dlg->Stg_Data->SetCurrent(1, GridRow::Position);
  dlg->adjustSize();
  QApplication::processEvents();
  const QStringList faults = LayoutFaultsOf(dlg.get());
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
  WriteArtifact(FromWidget(dlg.get()), "objset-cylinder.png");

  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("ScaraRobot")));
  dlg->Chk_ColorTex->setChecked(true);
  dlg->Chk_ColorTex_ByTypeColor->setChecked(true);
  dlg->Cmb_Inc_Type->setCurrentIndex(IncSize);
  QApplication::processEvents();
  WriteArtifact(FromWidget(dlg.get()), "objset-robot.png");
}
