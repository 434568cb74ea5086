#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include "ui/Controls.h"
#include "objects/ShapeCatalog.h"
#include "shapes/Material.h"
#include "ui/ObjSetFixture.h"

TEST_F(ObjSetTest, ControlsAsLaidOut) {
  EXPECT_EQ(dlg->windowTitle(), QStringLiteral("Object Setting"));
  EXPECT_TRUE(dlg->ShapeListLoaded());
  EXPECT_EQ(dlg->Chk_Enable->text(), QStringLiteral("Shape:"));
  EXPECT_EQ(dlg->Chk_Fill->text(), QStringLiteral("Fill:"));
  EXPECT_EQ(dlg->Chk_ColorTex->text(), QStringLiteral("Color Texture"));
  EXPECT_EQ(dlg->Chk_ColorTex_ByTypeColor->text(), QStringLiteral("Type,Color"));
  EXPECT_EQ(dlg->Btn_Cancel->text(), QStringLiteral("Close"));
  EXPECT_EQ(dlg->Grp_Inc->title(), QStringLiteral("Position/Size/Angle Adjust"));

  // Every number from 4 to 360 divisible by 2 or 3.
  ASSERT_EQ(dlg->Cmb_CircReso->count(), 238);
  EXPECT_EQ(dlg->Cmb_CircReso->itemText(0), QStringLiteral("4"));
  EXPECT_EQ(dlg->Cmb_CircReso->itemText(3), QStringLiteral("9"));
  EXPECT_EQ(dlg->Cmb_CircReso->itemText(237), QStringLiteral("360"));
  EXPECT_EQ(dlg->Cmb_CircReso->findText(QStringLiteral("35")), -1);
  EXPECT_EQ(dlg->Cmb_Direction->itemText(3), QStringLiteral("Back"));
  EXPECT_EQ(dlg->Cmb_ColorTex_Type->currentText(), QStringLiteral("Metal"));
  EXPECT_EQ(dlg->Cmb_Texture->count(), 10);
  EXPECT_EQ(dlg->Cmb_Texture->itemText(9), QStringLiteral("10"));
  EXPECT_EQ(dlg->Cmb_Inc_Type->currentText(), QStringLiteral("Position"));

  // The selector lists the list's names in ascending kind.
  EXPECT_EQ(dlg->Cmb_Shape->itemText(0), QStringLiteral("Dot"));
  EXPECT_EQ(dlg->Cmb_Shape->itemText(3), QStringLiteral("Cube"));
  EXPECT_EQ(dlg->Cmb_Shape->findText(QStringLiteral("ConstCylinder")) + 1,
            dlg->Cmb_Shape->findText(QStringLiteral("Belt")));

  EXPECT_EQ(Cell(0, 0), QStringLiteral("Name"));
  EXPECT_EQ(Cell(1, 0), QStringLiteral("Dat1(X/W)"));
  EXPECT_EQ(Cell(20, 0), QStringLiteral("Dat20"));
  EXPECT_EQ(Cell(0, 7), QStringLiteral("ColorTex"));
  EXPECT_EQ(Cell(0, 10), QStringLiteral("Trans."));
  EXPECT_EQ(dlg->Btn_Inc[0]->text(), QStringLiteral("+X"));
  EXPECT_EQ(dlg->Btn_Inc[3]->text(), QStringLiteral("--X"));
  EXPECT_EQ(dlg->Btn_Inc[9]->text(), QStringLiteral("++Z"));
  EXPECT_EQ(dlg->Tim_Inc->interval(), 500);
}

TEST_F(ObjSetTest, OpeningShowsTheRecordAndOkKeepsWhatWasNotTouched) {
  SceneObject& r = Rec(3);
  r.Dir = 3;
  r.Reso = 37;  // not offered: shown and stored as 36
  r.Shp = ShapeKind::Cylinder;
  r.X = 1.5f;
  r.Z = -2.0f;
  r.Ang[2] = 12.25f;
  r.Opt[0] = 1;
  r.ID[9] = -7;
  r.Trans = 0.5f;
  r.Text = "abc";
  r.Tex = 4;
  Open(3);
  EXPECT_EQ(dlg->Edt_Name->text(), QStringLiteral("OBJ003"));
  EXPECT_EQ(dlg->Cmb_Shape->currentText(), QStringLiteral("Cylinder"));
  EXPECT_EQ(dlg->Cmb_Direction->currentText(), QStringLiteral("Back"));
  EXPECT_EQ(dlg->Cmb_CircReso->currentText(), QStringLiteral("36"));
  EXPECT_TRUE(dlg->Chk_Text->isChecked());
  EXPECT_TRUE(dlg->Chk_Texture->isChecked());
  EXPECT_EQ(dlg->Cmb_Texture->currentText(), QStringLiteral("5"));
  EXPECT_EQ(Cell(1, 1), QStringLiteral("1.5000"));
  EXPECT_EQ(Cell(3, 1), QStringLiteral("-2.0000"));
  EXPECT_EQ(Cell(1, 2), QStringLiteral("1.0000"));
  EXPECT_EQ(Cell(3, 4), QStringLiteral("12.2"));
  EXPECT_EQ(Cell(1, 5), QStringLiteral("1"));
  EXPECT_EQ(Cell(1, 7), QStringLiteral("0.2000"));
  EXPECT_EQ(Cell(10, 7), QStringLiteral("32"));
  EXPECT_EQ(Cell(1, 8), QString());
  EXPECT_EQ(Cell(10, 9), QStringLiteral("-7"));
  EXPECT_EQ(Cell(1, 10), QStringLiteral("0.50"));

  QTest::mouseClick(dlg->Btn_OK, Qt::LeftButton);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(r.Dir, 3);
  EXPECT_EQ(r.Reso, 36);
  EXPECT_EQ(r.Shp, ShapeKind::Cylinder);
  EXPECT_EQ(r.Tex, 4);
  EXPECT_EQ(r.Text, "abc");
  EXPECT_EQ(r.ID[9], -7);
  EXPECT_FLOAT_EQ(r.Ang[2], 12.2f);  // the cell shows one decimal
  EXPECT_EQ(r.Name, "OBJ003");
}

TEST_F(ObjSetTest, ModalRunReturnsTrueOnlyForOk) {
  EXPECT_TRUE(RunModal(0, [this] { QTest::mouseClick(dlg->Btn_OK, Qt::LeftButton); }));
  EXPECT_FALSE(leftOpen);
  EXPECT_FALSE(RunModal(0, [this] { QTest::mouseClick(dlg->Btn_Cancel, Qt::LeftButton); }));
  EXPECT_FALSE(leftOpen);
  // Escape closes like "Close".
  EXPECT_FALSE(RunModal(0, [this] { QTest::keyClick(dlg.get(), Qt::Key_Escape); }));
  EXPECT_FALSE(leftOpen);
  // Enter in the name field is OK; the name typed is applied.
  EXPECT_TRUE(RunModal(0, [this] {
    dlg->Edt_Name->setFocus();
    dlg->Edt_Name->selectAll();
    QTest::keyClicks(dlg->Edt_Name, QStringLiteral("Base"));
    QTest::keyClick(dlg->Edt_Name, Qt::Key_Return);
  }));
  EXPECT_FALSE(leftOpen);
  EXPECT_EQ(Rec(0).Name, "Base");
  EXPECT_FALSE(dlg->Edit(*table, slots, 1000));
}

TEST_F(ObjSetTest, ValidationStopsApplyWithItsMessageAndChangesNothing) {
  Rec(0).Shp = 13;  // a kind the list does not offer
  Open();
  EXPECT_EQ(dlg->Cmb_Shape->currentIndex(), -1);
  dlg->Chk_Enable->setChecked(true);
  dlg->Chk_Text->setChecked(true);
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  ASSERT_EQ(prompts.messages, QStringList{QStringLiteral("'Shape' set error.")});
  EXPECT_FALSE(Rec(0).Enbl);
  EXPECT_EQ(Rec(0).Shp, 13);

  // With a shape, the empty text is next; OK stays open.
  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("BlockText")));
  QTest::mouseClick(dlg->Btn_OK, Qt::LeftButton);
  ASSERT_EQ(prompts.messages.size(), 2);
  EXPECT_EQ(prompts.messages[1], QStringLiteral("Set 'Text' data."));
  EXPECT_TRUE(dlg->isVisible());
  EXPECT_FALSE(Rec(0).Enbl);

  dlg->Edt_Text->setText(QStringLiteral("HELLO"));
  QTest::mouseClick(dlg->Btn_OK, Qt::LeftButton);
  EXPECT_EQ(prompts.messages.size(), 2);
  EXPECT_FALSE(dlg->isVisible());
  EXPECT_TRUE(Rec(0).Enbl);
  EXPECT_EQ(Rec(0).Shp, ShapeKind::BlockText);
  EXPECT_EQ(Rec(0).Text, "HELLO");
}

TEST_F(ObjSetTest, WithoutTheShapeListFileEveryApplyStopsAtTheShape) {
  const QTemporaryDir dir;
  TObjSet bare(nullptr, dir.filePath(QStringLiteral("ShapeList.dat")));
  EXPECT_FALSE(bare.ShapeListLoaded());
  EXPECT_EQ(bare.Cmb_Shape->count(), 0);
  // The built-in list still names the kinds.
  EXPECT_EQ(bare.ShapeName(ShapeKind::Cube), QStringLiteral("Cube"));
  EXPECT_EQ(bare.ShapeName(500), QStringLiteral("????"));
  EXPECT_EQ(bare.KindOfName(QStringLiteral("Ring")), ShapeKind::Ring);
  bare.Prepare(Rec(0), slots);
  QTest::mouseClick(bare.Btn_Apply, Qt::LeftButton);
  EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("'Shape' set error.")});
}

TEST_F(ObjSetTest, ALoadedListReplacesTheBuiltInOne) {
  const QTemporaryDir dir;
  const QString path = dir.filePath(QStringLiteral("ShapeList.dat"));
  QFile f(path);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(
      "# kinds\n4,Box,1,FC3F,0,0,0,\n8,Tube,1,FDE7,1,0,0,\n9,Hidden,0,0,0,0,0,\n150,Robot,1,3E507,0,0,0,\n");
  f.close();
  TObjSet custom(nullptr, path);
  EXPECT_TRUE(custom.ShapeListLoaded());
  ASSERT_EQ(custom.Cmb_Shape->count(), 3);
  EXPECT_EQ(custom.Cmb_Shape->itemText(2), QStringLiteral("Robot"));
  EXPECT_EQ(custom.ShapeName(ShapeKind::Cube), QStringLiteral("Box"));
  EXPECT_EQ(custom.ShapeName(ShapeKind::Ring), QString());
  EXPECT_EQ(custom.KindOfName(QStringLiteral("Hidden")), -1);
}

TEST_F(ObjSetTest, RestoreAsksAndPutsTheRecordBackOnlyOnOk) {
  Rec(0).X = 2.0f;
  Open();
  dlg->Chk_Enable->setChecked(true);
  QTest::mouseClick(dlg->Btn_Inc[0], Qt::LeftButton);  // +X
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  ASSERT_TRUE(Rec(0).Enbl);
  ASSERT_FLOAT_EQ(Rec(0).X, 2.001f);
  int changes = 0;
  dlg->onChanged = [&changes] { ++changes; };

  prompts.confirmAnswers = {false};
  QTest::mouseClick(dlg->Btn_Restore, Qt::LeftButton);
  ASSERT_EQ(prompts.confirmations,
            QStringList{QStringLiteral("Restore setting to previous.\nAre you sure?")});
  EXPECT_TRUE(Rec(0).Enbl);
  EXPECT_EQ(Cell(1, 1), QStringLiteral("2.0010"));
  EXPECT_EQ(changes, 0);

  prompts.confirmAnswers = {true};
  QTest::mouseClick(dlg->Btn_Restore, Qt::LeftButton);
  EXPECT_EQ(prompts.confirmations.size(), 2);
  EXPECT_FALSE(Rec(0).Enbl);
  EXPECT_FLOAT_EQ(Rec(0).X, 2.0f);
  EXPECT_FALSE(dlg->Chk_Enable->isChecked());
  EXPECT_EQ(Cell(1, 1), QStringLiteral("2.0000"));
  EXPECT_EQ(changes, 1);
}

TEST_F(ObjSetTest, AutoApplyWritesEveryChangeAtOnce) {
  Open();
  int changes = 0;
  dlg->onChanged = [&changes] { ++changes; };
  dlg->Chk_Enable->setChecked(true);
  EXPECT_FALSE(Rec(0).Enbl);  // not yet: Apply is needed

  dlg->Chk_AutoApplyChange->setChecked(true);
  EXPECT_FALSE(dlg->Btn_Apply->isEnabled());
  EXPECT_TRUE(Rec(0).Enbl);  // checking it applied at once
  EXPECT_EQ(changes, 1);

  // "+X" with Position selected moves the object by 0.001 at once.
  QTest::mouseClick(dlg->Btn_Inc[0], Qt::LeftButton);
  EXPECT_FLOAT_EQ(Rec(0).X, 0.001f);
  dlg->Chk_Frame->setChecked(true);
  EXPECT_TRUE(Rec(0).Frame);
  dlg->Cmb_Direction->setCurrentIndex(5);
  EXPECT_EQ(Rec(0).Dir, 5);
  QTest::keyClicks(dlg->Edt_Name, QStringLiteral("X"));
  EXPECT_EQ(Rec(0).Name, "OBJ000X");
  EXPECT_GE(changes, 5);
  EXPECT_TRUE(prompts.messages.isEmpty());

  dlg->Chk_AutoApplyChange->setChecked(false);
  EXPECT_TRUE(dlg->Btn_Apply->isEnabled());
  dlg->Chk_Frame->setChecked(false);
  EXPECT_TRUE(Rec(0).Frame);
}

TEST_F(ObjSetTest, ARobotKindGetsItsAxesClearedAndItsSubColoursAtOnce) {
  Rec(0).Ang[0] = 45.0f;
  Rec(0).size[2] = 0.5f;
  Open();
  int changes = 0;
  dlg->onChanged = [&changes] { ++changes; };
  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("TwinHandRobot")));
  // The sub colours are in the record before any Apply; the rest waits.
  EXPECT_EQ(Rec(0).cl_sub[0], 0xE1FFFFu);
  EXPECT_EQ(Rec(0).cl_sub[1], 0x00FF00u);
  EXPECT_EQ(Rec(0).cl_sub[2], 0x00FF00u);
  EXPECT_EQ(Rec(0).cl_sub[3], 0x808080u);
  EXPECT_EQ(Rec(0).cl_sub[4], 0x808080u);
  EXPECT_EQ(Rec(0).cl_sub[5], 0xFFFFFFu);
  EXPECT_EQ(Rec(0).cl_sub[9], 0x00FFFFu);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Rec(0).Shp, ShapeKind::Cube);
  EXPECT_FLOAT_EQ(Rec(0).Ang[0], 45.0f);
  EXPECT_EQ(Cell(1, 4), QStringLiteral("0.0"));
  EXPECT_EQ(Cell(3, 6), QStringLiteral("0.0000"));
  EXPECT_EQ(Cell(10, 6), QStringLiteral("1.3"));
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  EXPECT_EQ(Rec(0).Shp, ShapeKind::TwinHandRobot);
  EXPECT_FLOAT_EQ(Rec(0).size[9], 1.3f);
  EXPECT_FLOAT_EQ(Rec(0).size[2], 0.0f);
  EXPECT_FLOAT_EQ(Rec(0).Ang[0], 0.0f);
}

TEST_F(ObjSetTest, ARoundKindWithoutRadiusGetsHalfAUnit) {
  Rec(0).R = 0.0f;
  Rec(0).R2 = 0.0f;
  Open();
  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("Cylinder")));
  EXPECT_EQ(Cell(1, 3), QStringLiteral("0.5000"));
  EXPECT_EQ(Cell(2, 3), QStringLiteral("0.0000"));  // only the first radius
  // A kind that uses no radius leaves the cells alone.
  Rec(1).R = 0.0f;
  dlg->Prepare(Rec(1), slots);
  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("Plane")));
  EXPECT_EQ(Cell(1, 3), QStringLiteral("0.0000"));
}

TEST_F(ObjSetTest, LiveControlsFollowTheKind) {
  Open();
  const auto pick = [this](const char* name) {
    dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QString::fromLatin1(name)));
  };
  pick("Plane");
  EXPECT_TRUE(dlg->Cmb_Direction->isEnabled());
  EXPECT_FALSE(dlg->Cmb_CircReso->isEnabled());
  EXPECT_FALSE(dlg->Chk_Text->isEnabled());
  pick("Cylinder");
  EXPECT_FALSE(dlg->Cmb_Direction->isEnabled());
  EXPECT_TRUE(dlg->Cmb_CircReso->isEnabled());
  pick("BlockText");
  EXPECT_TRUE(dlg->Chk_Text->isEnabled());
  EXPECT_FALSE(dlg->Edt_Text->isEnabled());
  dlg->Chk_Text->setChecked(true);
  EXPECT_TRUE(dlg->Edt_Text->isEnabled());
  EXPECT_FALSE(dlg->Chk_Frame->isEnabled());
  pick("Wafer");
  EXPECT_TRUE(dlg->Chk_Texture->isEnabled());
  EXPECT_FALSE(dlg->Cmb_Texture->isEnabled());
  dlg->Chk_Texture->setChecked(true);
  EXPECT_TRUE(dlg->Cmb_Texture->isEnabled());

  // The material chain: colour texture, then type and colour, then type.
  EXPECT_FALSE(dlg->Chk_ColorTex_ByTypeColor->isEnabled());
  dlg->Chk_ColorTex->setChecked(true);
  EXPECT_TRUE(dlg->Chk_ColorTex_ByTypeColor->isEnabled());
  EXPECT_TRUE(dlg->Shp_ColorTex_Color->isEnabled());
  EXPECT_FALSE(dlg->Cmb_ColorTex_Type->isEnabled());
  dlg->Chk_ColorTex_ByTypeColor->setChecked(true);
  EXPECT_TRUE(dlg->Cmb_ColorTex_Type->isEnabled());
  dlg->Chk_Fill->setChecked(false);
  EXPECT_FALSE(dlg->Shp_Color_Fill->isEnabled());
  EXPECT_TRUE(dlg->Chk_ColorTex->isEnabled());
}

TEST_F(ObjSetTest, ColorTextureFromTheGridOrFromTypeAndColour) {
  Rec(0).ColorTex.ClTex = true;
  Rec(0).ColorTex.amb[0] = 0.3f;
  Rec(0).Trans = 0.5f;
  Open();
  EXPECT_TRUE(dlg->Chk_ColorTex->isChecked());
  EXPECT_EQ(Cell(1, 7), QStringLiteral("0.3000"));

  // Clearing "Color Texture" and pressing Apply clears the record's flag.
  dlg->Chk_ColorTex->setChecked(false);
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  EXPECT_FALSE(Rec(0).ColorTex.ClTex);
  EXPECT_FLOAT_EQ(Rec(0).ColorTex.amb[0], 0.3f);

  // By type and colour: the material builder with the record's opacity and
  // the shininess cell.
  dlg->Chk_ColorTex->setChecked(true);
  dlg->Chk_ColorTex_ByTypeColor->setChecked(true);
  dlg->Cmb_ColorTex_Type->setCurrentIndex(MaterialRubber);
  prompts.colorAnswers = {0x0000FF};
  QTest::mouseClick(dlg->Shp_ColorTex_Color, Qt::LeftButton);
  EXPECT_EQ(dlg->Shp_ColorTex_Color->Color(), 0x0000FFu);
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  const ColorTex want = MakeTypedMaterial(MaterialRubber, 0x0000FF, 0.5f, 32.0f);
  EXPECT_TRUE(Rec(0).ColorTex.ClTex);
  for (int i = 0; i < 3; ++i) {
    EXPECT_FLOAT_EQ(Rec(0).ColorTex.diff[i], want.diff[i]);
    EXPECT_FLOAT_EQ(Rec(0).ColorTex.spec[i], want.spec[i]);
  }
  EXPECT_FLOAT_EQ(Rec(0).ColorTex.diff[3], 0.5f);
  // The grid shows what was made.
  EXPECT_EQ(Cell(4, 7), QStringLiteral("1.0000"));
  EXPECT_EQ(Cell(7, 7), QStringLiteral("0.7000"));

  // Under auto apply, choosing another type recomputes at once.
  dlg->Chk_AutoApplyChange->setChecked(true);
  dlg->Cmb_ColorTex_Type->setCurrentIndex(MaterialMetal);
  EXPECT_FLOAT_EQ(Rec(0).ColorTex.amb[0], 0.4f);
  EXPECT_EQ(Cell(1, 7), QStringLiteral("0.4000"));
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ObjSetTest, FollowPanelIsOfferedForRobotsAndWritesTheirOptionEight) {
  Rec(0).Shp = ShapeKind::FrogLegRobot;
  Rec(1).Shp = ShapeKind::ScaraRobot;
  Rec(1).Opt[8] = 1;
  Open(0);
  ASSERT_TRUE(dlg->Cmb_FollowPanel->isVisible());
  EXPECT_TRUE(LayoutFaultsOf(dlg.get()).isEmpty()) << LayoutFaultsOf(dlg.get()).join(QStringLiteral(", ")).toStdString();
  EXPECT_EQ(dlg->Cmb_FollowPanel->currentText(), QStringLiteral("none"));
  dlg->Cmb_FollowPanel->setFocus();
  QTest::keyClick(dlg->Cmb_FollowPanel, Qt::Key_Down);
  QTest::keyClick(dlg->Cmb_FollowPanel, Qt::Key_Down);
  EXPECT_EQ(dlg->Cmb_FollowPanel->currentText(), QStringLiteral("RBT2"));
  EXPECT_EQ(Cell(9, 5), QStringLiteral("2")) << "the choice is the Opt[8] cell";
  EXPECT_EQ(Rec(0).Opt[8], 0) << "written on Apply only";
  QTest::mouseClick(dlg->Btn_Apply, Qt::LeftButton);
  EXPECT_EQ(Rec(0).Opt[8], 2);

  dlg->hide();
  Open(1);
  EXPECT_EQ(dlg->Cmb_FollowPanel->currentText(), QStringLiteral("RBT1"));
  // Any other kind does not offer it.
  dlg->Cmb_Shape->setCurrentIndex(dlg->Cmb_Shape->findText(QStringLiteral("Cube")));
  EXPECT_FALSE(dlg->Cmb_FollowPanel->isVisible());
  EXPECT_TRUE(LayoutFaultsOf(dlg.get()).isEmpty()) << LayoutFaultsOf(dlg.get()).join(QStringLiteral(", ")).toStdString();
}
