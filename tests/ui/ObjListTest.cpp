#include <QCheckBox>
#include <QDialog>
#include <QFile>
#include <QHeaderView>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QWindow>

#include "objects/ListRowFormat.h"
#include "objects/ObjectFile.h"
#include "ui/Objectlist.h"
#include "ui/ObjSetFixture.h"

namespace {

class ObjListTest : public ObjSetTest {
 protected:
  void SetUp() override {
    ObjSetTest::SetUp();
    list = std::make_unique<TObjList>();
    list->SetEditor(dlg.get());
    list->onChanged = [this] { ++changes; };
  }
  void TearDown() override {
    list.reset();
    ObjSetTest::TearDown();
  }

  void OpenList() {
    list->Open(*table, slots);
    ASSERT_TRUE(QTest::qWaitForWindowExposed(list.get()));
  }
  // Row n shows object n - 1.
  QString Cell(int col, int row) const { return list->Stg_Data->Cell(col, row); }

  void WriteFile(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
  }

  std::unique_ptr<TObjList> list;
  QTemporaryDir dir;
  int changes = 0;
};

}  // namespace

TEST_F(ObjListTest, AfterStartUpEveryRowShowsItsDefaultObject) {
  OpenList();
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->windowTitle(), QStringLiteral("Object List"));
  EXPECT_EQ(list->Stg_Data->rowCount() + 1, 1001);
  EXPECT_EQ(list->Stg_Data->columnCount() + 1, 27);
  EXPECT_EQ(Cell(0, 0), QStringLiteral("No."));
  EXPECT_EQ(Cell(4, 0), QStringLiteral("Pos(X,Y,Z)"));
  EXPECT_EQ(Cell(15, 0), QStringLiteral("Sub1"));
  EXPECT_EQ(Cell(26, 0), QStringLiteral("ID[0-9]"));
  EXPECT_GE(list->Stg_Data->columnWidth(4 - 1), 143);
  EXPECT_EQ(list->Stg_Data->columnWidth(1 - 1), 84);
  EXPECT_EQ(list->Btn_Close->text(), QStringLiteral("Close"));
  EXPECT_TRUE(list->Chk_StayOnTop->isChecked());
  for (int row : {1, 8, 1000}) {
    EXPECT_EQ(Cell(0, row), QString::number(row));
    EXPECT_EQ(Cell(1, row), QString::asprintf("OBJ%03d", row - 1));
    EXPECT_EQ(Cell(2, row), QString());
    EXPECT_EQ(Cell(3, row), QStringLiteral("Cube"));
    EXPECT_EQ(Cell(4, row), QStringLiteral("0,0,0"));
    EXPECT_EQ(Cell(5, row), QStringLiteral("1.0000,1.0000,1.0000"));
    EXPECT_EQ(Cell(8, row), QStringLiteral("0,0,0"));
    EXPECT_EQ(Cell(9, row), QString());
    EXPECT_EQ(Cell(10, row), QStringLiteral("-"));
    EXPECT_EQ(Cell(11, row), QStringLiteral("1.00"));
    EXPECT_EQ(Cell(13, row), QStringLiteral("0,0,0,0,0,0,0,0,0,0,"));
    EXPECT_EQ(Cell(25, row), QStringLiteral("-"));
  }
}

TEST_F(ObjListTest, NumbersAreWrittenWithZeroAsZero) {
  SceneObject& r = Rec(4);
  r.Enbl = true;
  r.X = 1.5f;
  r.Z = -2.0f;
  r.Ang[1] = -30.0f;
  r.Trans = 0.0f;
  r.size[10] = 2.5f;
  r.size[11] = 9.0f;  // beyond the column
  r.Tex = 1;
  r.Shp = 150;
  OpenList();
  EXPECT_EQ(Cell(2, 5), QStringLiteral("ON"));
  EXPECT_EQ(Cell(3, 5), QStringLiteral("ScaraRobot"));
  EXPECT_EQ(Cell(4, 5), QStringLiteral("1.5000,0,-2.0000"));
  EXPECT_EQ(Cell(8, 5), QStringLiteral("0,-30.0,0"));
  EXPECT_EQ(Cell(11, 5), QStringLiteral("0"));
  EXPECT_EQ(Cell(14, 5), QStringLiteral("0,0,0,0,0,0,0,0,0,0,2.5000,"));
  EXPECT_EQ(Cell(25, 5), QStringLiteral("2"));  // slot 1, shown as the operator numbers it

  Rec(4).Shp = 480;
  Rec(5).Shp = 900;
  list->Rebuild();
  EXPECT_EQ(Cell(3, 5), QString());
  EXPECT_EQ(Cell(3, 6), QStringLiteral("????"));
}

TEST_F(ObjListTest, OpenDoesNothingWithoutTheShapeListFile) {
  TObjSet bare(nullptr, dir.filePath(QStringLiteral("none.dat")));
  list->SetEditor(&bare);
  EXPECT_FALSE(list->Open(*table, slots));
  EXPECT_FALSE(list->isVisible());
  list->SetEditor(dlg.get());
  EXPECT_FALSE(list->Open(*table, slots));
  EXPECT_TRUE(list->isVisible());
}

TEST_F(ObjListTest, SaveWritesAFileThatLoadsBackEqual) {
  for (int i : {0, 17, 999}) {
    SceneObject& r = Rec(i);
    r.Enbl = true;
    r.Shp = ShapeKind::Ring;
    r.X = 0.125f * i;
    r.size[19] = -3.25f;
    r.cl_sub[7] = 0x00FF80;
    r.ID[2] = static_cast<int16_t>(-i);
    r.Name = "part" + std::to_string(i);
  }
  OpenList();
  const QString path = dir.filePath(QStringLiteral("scene"));
  prompts.saveAnswers = {path};
  QTest::mouseClick(list->Btn_Save, Qt::LeftButton);
  EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("Object data save completed.")});
  ASSERT_TRUE(QFile::exists(path + QStringLiteral(".3dl")));  // the default extension

  ObjectTable saved = *table;
  InitializeRecords(table->data(), kObjectCapacity);
  list->Rebuild();
  EXPECT_EQ(Cell(1, 18), QStringLiteral("OBJ017"));
  prompts.openAnswers = {path + QStringLiteral(".3dl")};
  QTest::mouseClick(list->Btn_Load, Qt::LeftButton);
  EXPECT_EQ(prompts.messages.size(), 1);
  EXPECT_EQ(changes, 1);
  EXPECT_EQ(Cell(1, 18), QStringLiteral("part17"));
  EXPECT_EQ(Cell(4, 18), QStringLiteral("2.1250,0,0"));
  for (int i = 0; i < kObjectCapacity; ++i) {
    const SceneObject& a = saved[static_cast<size_t>(i)];
    const SceneObject& b = (*table)[static_cast<size_t>(i)];
    ASSERT_EQ(FormatObjectLine(i, a), FormatObjectLine(i, b)) << "object " << i;
  }

  // The same name again: the file that would be replaced is asked about.
  prompts.saveAnswers = {path};
  prompts.confirmAnswers = {false};
  QTest::mouseClick(list->Btn_Save, Qt::LeftButton);
  EXPECT_EQ(prompts.confirmations.size(), 1);
  EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(ObjListTest, AFailedSaveSaysSo) {
  OpenList();
  prompts.saveAnswers = {dir.filePath(QStringLiteral("missing/folder/scene.3dl"))};
  QTest::mouseClick(list->Btn_Save, Qt::LeftButton);
  ASSERT_EQ(prompts.messages.size(), 1);
  EXPECT_NE(prompts.messages[0], QStringLiteral("Object data save completed."));
  EXPECT_TRUE(prompts.messages[0].contains(QStringLiteral("could not be saved")));
  // Cancelling the dialog saves nothing and says nothing.
  QTest::mouseClick(list->Btn_Save, Qt::LeftButton);
  EXPECT_EQ(prompts.messages.size(), 1);
}

TEST_F(ObjListTest, SaveAsksBeforeReplacingWhateverTheNameTyped) {
  OpenList();
  WriteFile(dir.filePath(QStringLiteral("scene.3dl")), "old");
  // With and without the extension: the question names the file written.
  prompts.saveAnswers = {dir.filePath(QStringLiteral("scene.3dl")), dir.filePath(QStringLiteral("scene"))};
  prompts.confirmAnswers = {false, false};
  QTest::mouseClick(list->Btn_Save, Qt::LeftButton);
  QTest::mouseClick(list->Btn_Save, Qt::LeftButton);
  EXPECT_EQ(prompts.confirmations, QStringList(2, QStringLiteral("scene.3dl already exists.\nReplace it?")));
  QFile f(dir.filePath(QStringLiteral("scene.3dl")));
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  EXPECT_EQ(f.readAll(), "old");
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(ObjListTest, LoadShowsTheFilesErrorsAndKeepsTheGoodLines) {
  OpenList();
  std::string good1 = FormatObjectLine(2, Rec(2));
  good1.replace(good1.find("OBJ002"), 6, "first");
  std::string good2 = FormatObjectLine(5, Rec(5));
  good2.replace(good2.find("OBJ005"), 6, "second");
  const std::string text = std::string(kObjectFileHeader) + good1 +
                           "7,short,1,4, 1,2,3, 1,1,1, 0.5,0.5, 36,0, 0,0,0, 1,FFFFFF, 0,0, 1.0, -1, "
                           "0,0,0,0,0,0,0,0,0,0, 0, , 0,0,0,0,0,0,0,\n" +
                           good2;
  const QString path = dir.filePath(QStringLiteral("bad.3dl"));
  WriteFile(path, QByteArray::fromStdString(text));
  prompts.openAnswers = {path};
  QTest::mouseClick(list->Btn_Load, Qt::LeftButton);
  ASSERT_EQ(prompts.messages.size(), 1);
  EXPECT_TRUE(prompts.messages[0].startsWith(QStringLiteral("Too few data count. -> ")));
  EXPECT_TRUE(prompts.messages[0].endsWith(QStringLiteral(" Line: 1")));
  EXPECT_EQ(Cell(1, 3), QStringLiteral("first"));
  EXPECT_EQ(Cell(1, 6), QStringLiteral("second"));
  EXPECT_EQ(Cell(1, 8), QStringLiteral("OBJ007"));
  EXPECT_EQ(changes, 1);

  // A record number out of range stops the load; what came before is in
  // the table, and the list shows it.
  std::string third = FormatObjectLine(9, Rec(9));
  third.replace(third.find("OBJ009"), 6, "third");
  WriteFile(path, QByteArray::fromStdString(std::string(kObjectFileHeader) + third + "1000," +
                                            FormatObjectLine(0, Rec(0)).substr(2)));
  prompts.openAnswers = {path};
  QTest::mouseClick(list->Btn_Load, Qt::LeftButton);
  ASSERT_EQ(prompts.messages.size(), 2);
  EXPECT_EQ(prompts.messages[1], QStringLiteral("Data 'No.' error. Line: 1"));
  EXPECT_EQ(Rec(9).Name, "third");
  EXPECT_EQ(Cell(1, 10), QStringLiteral("third"));

  // A file that cannot be opened changes nothing and says so.
  prompts.openAnswers = {dir.filePath(QStringLiteral("gone.3dl"))};
  QTest::mouseClick(list->Btn_Load, Qt::LeftButton);
  ASSERT_EQ(prompts.messages.size(), 3);
  EXPECT_TRUE(prompts.messages[2].startsWith(QStringLiteral("Cannot open")));
  EXPECT_EQ(changes, 2);
}

TEST_F(ObjListTest, DoubleClickEditsTheObjectOfTheRow) {
  OpenList();
  QString seen;
  bool onTopWhileEditing = true;
  QTimer::singleShot(0, dlg.get(), [this, &seen, &onTopWhileEditing] {
    if (!QTest::qWaitFor([this] { return dlg->isVisible(); }, 3000)) return;
    seen = dlg->Edt_Name->text();
    onTopWhileEditing = list->windowFlags() & Qt::WindowStaysOnTopHint;
    dlg->Edt_Name->setText(QStringLiteral("Edited"));
    QTest::mouseClick(dlg->Btn_OK, Qt::LeftButton);
    if (dlg->isVisible()) dlg->reject();
  });
  DoubleClickCell(list->Stg_Data, 2, 43);
  EXPECT_EQ(seen, QStringLiteral("OBJ042"));
  EXPECT_EQ(Rec(42).Name, "Edited");
  EXPECT_EQ(Cell(1, 43), QStringLiteral("Edited"));
  EXPECT_EQ(changes, 1);
  // The list gave way to the editor and is back on top afterwards.
  EXPECT_FALSE(onTopWhileEditing);
  EXPECT_TRUE(list->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(list->isVisible());

  // Closing the editor without a change leaves the list as it was.
  QTimer::singleShot(0, dlg.get(), [this] {
    if (!QTest::qWaitFor([this] { return dlg->isVisible(); }, 3000)) return;
    QTest::mouseClick(dlg->Btn_Cancel, Qt::LeftButton);
    if (dlg->isVisible()) dlg->reject();
  });
  list->Stg_Data->setFocus();
  QTest::keyClick(list->Stg_Data, Qt::Key_Return);
  EXPECT_EQ(changes, 1);
}

TEST_F(ObjListTest, StayOnTopFollowsTheBoxWithoutMovingTheWindow) {
  EXPECT_TRUE(list->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(list->windowFlags() & Qt::WindowType_Mask, Qt::Window);
  OpenList();
  const QRect before = list->geometry();
  QTest::mouseClick(list->Chk_StayOnTop, Qt::LeftButton);
  EXPECT_FALSE(list->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_TRUE(list->isVisible());
  EXPECT_EQ(list->geometry(), before);
  QTest::mouseClick(list->Chk_StayOnTop, Qt::LeftButton);
  EXPECT_TRUE(list->windowFlags() & Qt::WindowStaysOnTopHint);
  EXPECT_EQ(list->geometry(), before);
  EXPECT_TRUE(list->windowHandle()->flags() & Qt::WindowStaysOnTopHint);

  // Cleared, it stays cleared after a modal dialog.
  QTest::mouseClick(list->Chk_StayOnTop, Qt::LeftButton);
  QDialog modal;
  QTimer::singleShot(0, &modal, [&modal] { modal.accept(); });
  modal.exec();
  QApplication::processEvents();
  EXPECT_FALSE(list->windowHandle()->flags() & Qt::WindowStaysOnTopHint);
}

TEST_F(ObjListTest, ColourCellsKeepTheirColourOnTheSelectedRow) {
  Rec(0).clFill = 0x0000FF;
  Rec(0).cl_sub[0] = 0x00FF00;
  Rec(1).Fill = false;
  OpenList();
  list->Stg_Data->SetCurrent(1, 1);
  QApplication::processEvents();
  const QImage img = list->Stg_Data->viewport()->grab().toImage();
  const auto inside = [this](int col, int row) {
    return list->Stg_Data->CellRect(col, row).topLeft() + QPoint(3, 3);
  };
  EXPECT_EQ(img.pixelColor(inside(9, 1)), QColor(0xFF, 0, 0));
  EXPECT_EQ(img.pixelColor(inside(1, 1)), QColor(0x80, 0x80, 0xFF));
  EXPECT_EQ(img.pixelColor(inside(2, 1)), QColor(0x80, 0x80, 0xFF));
  EXPECT_EQ(img.pixelColor(inside(1, 2)), QColor(0xF0, 0xF0, 0xFF));
  EXPECT_EQ(img.pixelColor(inside(9, 2)), list->palette().color(QPalette::Base));  // fill off
  EXPECT_EQ(img.pixelColor(inside(1, 3)), list->palette().color(QPalette::Base));
}

TEST_F(ObjListTest, Screenshot) {
  const struct {
    int i;
    int shp;
    float x, y, z;
    Color fill;
    bool frame;
  } rows[] = {{0, 4, 0, 0, 0.5f, 0x0000FF, true},
              {1, 8, 1.5f, 0, -2, 0x00FF00, false},
              {2, 22, -0.25f, 3, 0, 0xFF8000, true},
              {3, 150, 2, 2, 0, 0xC0C0C0, false},
              {4, 45, 0, 1, 1.2f, 0x00FFFF, false}};
  for (const auto& s : rows) {
    SceneObject& r = Rec(s.i);
    r.Enbl = true;
    r.Shp = s.shp;
    r.X = s.x;
    r.Y = s.y;
    r.Z = s.z;
    r.clFill = s.fill;
    r.Frame = s.frame;
  }
  Rec(4).Text = "WAFER-01";
  Rec(3).cl_sub[0] = 0xE1FFFF;
  Rec(3).cl_sub[1] = 0x00FF00;
  OpenList();
  list->Stg_Data->SetCurrent(1, 2);
  QApplication::processEvents();
  const QStringList faults = LayoutFaultsOf(list.get());
  EXPECT_TRUE(faults.isEmpty()) << faults.join(QLatin1Char('\n')).toStdString();
  WriteArtifact(FromWidget(list.get()), "objlist.png");
}
