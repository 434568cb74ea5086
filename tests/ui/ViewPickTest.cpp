// The view you can point at (wheel, Fit Scene, Reset View, the view a scene
// keeps) and picking, through the real window with real events.
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCheckBox>
#include <QDir>
#include <QDockWidget>
#include <QGroupBox>
#include <QFile>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTimer>
#include <QWheelEvent>
#include <fstream>

#include "objects/ObjectFile.h"
#include "objects/ShapeKind.h"
#include "render/Camera.h"
#include "render/GlHeaders.h"
#include "render/Picking.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "ui/ObjectsettingGrid.h"
#include "ui/WindowFixture.h"
#include "ObjSetFixture.h"

namespace {

class ViewPickTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    Named<QTimer>("Tim_Blink")->stop();
    Pump(100);
  }
  // The settings dialog with the shipped shape list (the test program's
  // folder has none); the list needs it to open.
  QString ShapeList() const override { return ShippedShapeList(); }

  static QAction* Action(const char* name) { return Win()->findChild<QAction*>(QString::fromLatin1(name)); }

  static void Wheel(int delta) {
    QWidget* panel = Frame().Panel();
    const QPointF at(100, 100);
    QWheelEvent e(at, panel->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton, Qt::NoModifier,
                  Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(panel, &e);
  }

  static void RightDrag(int dx) {
    QWidget* panel = Frame().Panel();
    QTest::mousePress(panel, Qt::RightButton, Qt::NoModifier, {100, 100});
    QTest::mouseMove(panel, {100 + dx, 100});
    QTest::mouseRelease(panel, Qt::RightButton, Qt::NoModifier, {100 + dx, 100});
  }

  // Where scene point (x, y, z) lands in the panel at the current view
  // (pixels from the top left).
  static QPoint OnScreen(double x, double y, double z) {
    GlPanel* panel = Frame().Panel();
    EXPECT_TRUE(panel->MakeCurrent());
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    ApplyCameraZoom(Frame().Settings().view);
    ApplyCameraOrientation(Frame().Settings().view);
    GLdouble mv[16], pr[16], wx, wy, wz;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    gluProject(x, z, y, mv, pr, vp, &wx, &wy, &wz);
    glPopMatrix();
    panel->DoneCurrent();
    return QPoint(static_cast<int>(wx), vp[3] - static_cast<int>(wy));
  }

  static SceneObject& Box(int index, const char* name, float x, float y, float z, float size) {
    SceneObject& r = Frame().Objects()[static_cast<size_t>(index)];
    r.Enbl = true;
    r.Shp = ShapeKind::Cube;
    r.Name = name;
    r.X = x;
    r.Y = y;
    r.Z = z;
    r.W = r.D = r.H = size;
    r.clFill = 0x808080;
    return r;
  }

  static int OutlinePixels() {
    const QImage img = Frame().Panel()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    const QRgb want = qRgb(0xFF, 0x40, 0xC0);
    int n = 0;
    for (int y = 0; y < img.height(); ++y)
      for (int x = 0; x < img.width(); ++x)
        if (img.pixel(x, y) == want) ++n;
    return n;
  }

};

TEST_F(ViewPickTest, WheelZoomsInTheDragsStepsAndLimits) {
  // One notch away from the user is three pixels of right-button drag to
  // the right; a notch towards the user the same to the left.
  Wheel(120);
  const int wheeled = Named<TrackBar>("Tkb_Zoom")->Position();
  EXPECT_EQ(wheeled, -170);
  Wheel(-120);
  RightDrag(3);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), wheeled);
  EXPECT_FLOAT_EQ(Frame().Settings().view.zoom, -1.70f);
  // Half notches add up.
  Wheel(60);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -170 + 10);
  Wheel(60);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -170 + 30);
  // The bar's end holds for both.
  for (int i = 0; i < 40; ++i) Wheel(120);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), 500);
  Named<TrackBar>("Tkb_Zoom")->SetPosition(0);
  RightDrag(200);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), 500);
  // In ortho the zoom is a scale; the wheel keeps to its range.
  Click(Named<QCheckBox>("Chk_Ortho"));
  for (int i = 0; i < 40; ++i) Wheel(-120);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), 10);
}

TEST_F(ViewPickTest, ForwardZoomsInAndFineWheelStepsAddUpToANotch) {
  for (bool ortho : {false, true}) {
    if (Named<QCheckBox>("Chk_Ortho")->isChecked() != ortho) Click(Named<QCheckBox>("Chk_Ortho"));
    const int start = Named<TrackBar>("Tkb_Zoom")->Position();
    // Two points a metre apart on the floor stand further apart on screen.
    const QPoint before = OnScreen(1.0, 0.0, 0.0) - OnScreen(0.0, 0.0, 0.0);
    Wheel(120);
    const QPoint after = OnScreen(1.0, 0.0, 0.0) - OnScreen(0.0, 0.0, 0.0);
    EXPECT_GT(after.manhattanLength(), before.manhattanLength()) << "ortho " << ortho;
    const int notch = Named<TrackBar>("Tkb_Zoom")->Position() - start;
    // A high-resolution wheel reports eighths of a notch.
    for (int i = 0; i < 8; ++i) Wheel(15);
    EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position() - start, 2 * notch) << "ortho " << ortho;
  }
}

TEST_F(ViewPickTest, FitSceneFramesEveryObjectAndResetViewGoesBack) {
  // Two small boxes far apart, well outside the laid-out picture.
  Box(3, "left", -4.0f, 2.0f, 0.1f, 0.2f);
  Box(7, "right", 5.0f, -3.0f, 1.5f, 0.2f);
  Frame().DrawFrame();
  Win()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  for (bool ortho : {false, true}) {
    if (Named<QCheckBox>("Chk_Ortho")->isChecked() != ortho) Click(Named<QCheckBox>("Chk_Ortho"));
    // Ctrl+0, the menu entry's shortcut.
    QTest::keyClick(Win(), Qt::Key_0, Qt::ControlModifier);
    const QSize size = Frame().Panel()->size();
    for (const SceneObject* r : {&Frame().Objects()[3], &Frame().Objects()[7]}) {
      const QPoint p = OnScreen(r->X, r->Y, r->Z);
      EXPECT_TRUE(QRect(QPoint(0, 0), size).contains(p)) << "ortho " << ortho << " " << r->Name << " at " << p.x()
                                                          << "," << p.y();
      // Clicking where it shows selects it: it is really in the picture.
      QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, p);
      EXPECT_EQ(View().SelectedObject(), r == &Frame().Objects()[3] ? 3 : 7) << "ortho " << ortho;
    }
    // The two stand far apart: the fitted picture is not a speck.
    const QPoint a = OnScreen(-4.0, 2.0, 0.1), b = OnScreen(5.0, -3.0, 1.5);
    EXPECT_GT(std::abs(a.x() - b.x()), size.width() / 3) << "ortho " << ortho;
  }
  QTest::keyClick(Win(), Qt::Key_Home, Qt::ControlModifier);
  EXPECT_FALSE(Named<QCheckBox>("Chk_Ortho")->isChecked());
  EXPECT_EQ(Named<TrackBar>("Tkb_X_Angle")->Position(), 150);
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Angle")->Position(), -300);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -200);
  EXPECT_EQ(Named<TrackBar>("Tkb_X_Shift")->Position(), 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_Y_Shift")->Position(), 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Shift")->Position(), -40);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Zoom")->text(), QStringLiteral("-2.00"));
}

TEST_F(ViewPickTest, KeepViewInSceneWritesTheViewLineAndOpenAppliesIt) {
  QTemporaryDir dir;
  const QString plain = dir.filePath(QStringLiteral("plain.3dl"));
  const QString kept = dir.filePath(QStringLiteral("kept.3dl"));
  Box(2, "box", 0.3f, 0.0f, 0.1f, 0.2f);
  QAction* keep = Action("Act_KeepView");
  ASSERT_NE(keep, nullptr);
  EXPECT_FALSE(keep->isChecked());

  // Without the tick: no view line.
  prompts.saveAnswers.push_back(plain);
  Doc().SaveSceneAs();
  // With it: the view at the moment of saving, right after the header.
  // Ticking it is a change to save.
  Doc().FileSave();
  keep->trigger();
  EXPECT_TRUE(Doc().SceneModified());
  Named<TrackBar>("Tkb_Z_Angle")->SetPosition(455);
  Click(Named<QCheckBox>("Chk_Ortho"));
  Named<TrackBar>("Tkb_Zoom")->SetPosition(120);
  prompts.saveAnswers.push_back(kept);
  Doc().SaveSceneAs();
  QFile f(kept);
  ASSERT_TRUE(f.open(QIODevice::ReadOnly));
  const QList<QByteArray> lines = f.readAll().split('\n');
  ASSERT_GT(lines.size(), 2);
  EXPECT_TRUE(lines[0].startsWith("# No,Name"));
  EXPECT_EQ(lines[1], QByteArray("#@view 15.0,45.5,1.20,0.00,0.00,-0.40,1"));
  QFile p(plain);
  ASSERT_TRUE(p.open(QIODevice::ReadOnly));
  QList<QByteArray> without = lines;
  without.removeAt(1);
  EXPECT_EQ(p.readAll(), without.join('\n')) << "the line is the only difference";

  // A merge leaves the view alone; opening applies the file's view and
  // ticks the item, a file without one unticks it.
  Action("Act_ResetView")->trigger();
  keep->setChecked(false);
  ASSERT_GT(Doc().LoadSceneFile(kept), 0);
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Angle")->Position(), -300);
  EXPECT_FALSE(keep->isChecked());
  ASSERT_TRUE(Doc().OpenSceneFile(kept));
  EXPECT_TRUE(keep->isChecked());
  EXPECT_FALSE(Doc().SceneModified());
  EXPECT_TRUE(Named<QCheckBox>("Chk_Ortho")->isChecked());
  EXPECT_EQ(Named<TrackBar>("Tkb_Z_Angle")->Position(), 455);
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), 120);
  EXPECT_EQ(Named<ValueLabel>("Lbl_Zoom")->text(), QStringLiteral("1.20"));
  ASSERT_TRUE(Doc().OpenSceneFile(plain));
  EXPECT_FALSE(keep->isChecked());
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), 120);
  // Saved again as opened: byte for byte the file it was.
  const QByteArray before = [&] {
    QFile in(plain);
    in.open(QIODevice::ReadOnly);
    return in.readAll();
  }();
  ASSERT_TRUE(Doc().FileSave());
  QFile again(plain);
  ASSERT_TRUE(again.open(QIODevice::ReadOnly));
  EXPECT_EQ(again.readAll(), before);

  // A distance beyond the perspective zoom bar's present range (-10 once
  // ortho was used) goes into shift Y, the same move along the view axis.
  QFile far(dir.filePath(QStringLiteral("far.3dl")));
  ASSERT_TRUE(far.open(QIODevice::WriteOnly));
  far.write(QByteArray(kObjectFileHeader) + "#@view 15.0,-30.0,-17.50,0.00,1.00,-0.40,0\n");
  far.close();
  EXPECT_TRUE(View().ApplyViewOfScene(far.fileName()));
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -1000);
  EXPECT_EQ(Named<TrackBar>("Tkb_Y_Shift")->Position(), 100 - 750);
  // A line that cannot be read changes nothing and says so.
  ASSERT_TRUE(far.open(QIODevice::WriteOnly));
  far.write(QByteArray(kObjectFileHeader) + "#@view 15.0,-30.0\n");
  far.close();
  EXPECT_FALSE(View().ApplyViewOfScene(far.fileName()));
  EXPECT_EQ(Named<TrackBar>("Tkb_Zoom")->Position(), -1000);
  EXPECT_TRUE(Status().StatusText().contains(QStringLiteral("cannot be read")));
}

TEST_F(ViewPickTest, AClickSelectsTheNearestObjectAndTheFloorClears) {
  // Two boxes on the line of sight to the same pixel: the nearer one wins,
  // whatever their order in the table.
  Box(12, "load port", 0.6f, -0.6f, 0.0f, 0.2f);
  Frame().DrawFrame();
  const QPoint near = OnScreen(0.6, -0.6, 0.0);
  SceneObject& far = Box(5, "behind", 0, 0, 0, 0.2f);
  // Straight behind box 12 as the camera sees it: twice as far along the ray.
  {
    GlPanel* panel = Frame().Panel();
    ASSERT_TRUE(panel->MakeCurrent());
    glMatrixMode(GL_MODELVIEW);
    glPushMatrix();
    glLoadIdentity();
    ApplyCameraZoom(Frame().Settings().view);
    ApplyCameraOrientation(Frame().Settings().view);
    GLdouble mv[16], pr[16], x, y, z;
    GLint vp[4];
    glGetDoublev(GL_MODELVIEW_MATRIX, mv);
    glGetDoublev(GL_PROJECTION_MATRIX, pr);
    glGetIntegerv(GL_VIEWPORT, vp);
    GLdouble wx, wy, wz;
    gluProject(0.6, 0.0, -0.6, mv, pr, vp, &wx, &wy, &wz);
    gluUnProject(wx, wy, wz + (1.0 - wz) * 0.5, mv, pr, vp, &x, &y, &z);
    glPopMatrix();
    panel->DoneCurrent();
    far.X = static_cast<float>(x);
    far.Y = static_cast<float>(z);
    far.Z = static_cast<float>(y);
  }
  Frame().DrawFrame();
  EXPECT_EQ(OutlinePixels(), 0);
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, near);
  EXPECT_EQ(View().SelectedObject(), 12);
  EXPECT_EQ(Status().Selection(), QStringLiteral("OBJ012 load port (Cube)"));
  EXPECT_GT(OutlinePixels(), 20) << "the outline shows in its own colour";

  // A drag turns the view and selects nothing new.
  QTest::mousePress(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, {20, 20});
  QTest::mouseMove(Frame().Panel(), {60, 20});
  QTest::mouseRelease(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, {60, 20});
  EXPECT_EQ(View().SelectedObject(), 12);
  Action("Act_ResetView")->trigger();

  // The floor far from everything clears the selection.
  const QPoint floor = OnScreen(-2.0, 2.0, 0.0);
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, floor);
  EXPECT_EQ(View().SelectedObject(), -1);
  EXPECT_EQ(OutlinePixels(), 0);
  // A disabled record cannot be clicked.
  Frame().Objects()[12].Enbl = false;
  Frame().DrawFrame();
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, near);
  EXPECT_EQ(View().SelectedObject(), 5) << "the box behind shows now";
}

TEST_F(ViewPickTest, CtrlAndShiftClicksSelectSeveralObjectsInThePictureAndTheList) {
  Box(12, "load port", 0.6f, -0.6f, 0.0f, 0.2f);
  Box(20, "aligner", -0.6f, 0.6f, 0.0f, 0.2f);
  Frame().DrawFrame();
  const QPoint a = OnScreen(0.6, -0.6, 0.1), b = OnScreen(-0.6, 0.6, 0.1);
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, a);
  const int one = OutlinePixels();
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::ControlModifier, b);
  EXPECT_EQ(View().Selection(), (std::vector<int>{12, 20}));
  EXPECT_EQ(Status().Selection(), QStringLiteral("2 objects: OBJ012, OBJ020"));
  EXPECT_GT(OutlinePixels(), one + 20) << "both are outlined";
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::ShiftModifier, a);
  EXPECT_EQ(View().Selection(), (std::vector<int>{20}));
  // The list shows the same rows, and a Ctrl+click there adds one.
  View().Btn_ObjListClick();
  StringGrid* grid = app->ObjectList()->Stg_Data;
  auto rows = [grid] {
    std::vector<int> r;
    for (const QModelIndex& i : grid->selectionModel()->selectedRows()) r.push_back(i.row());
    std::sort(r.begin(), r.end());
    return r;
  };
  EXPECT_EQ(rows(), (std::vector<int>{20}));
  grid->scrollToItem(grid->item(12, 1));
  QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::ControlModifier,
                    grid->visualItemRect(grid->item(12, 1)).center());
  EXPECT_EQ(View().Selection(), (std::vector<int>{12, 20}));
  EXPECT_EQ(View().SelectedObject(), 12);
  app->ObjectList()->hide();
}

TEST_F(ViewPickTest, CutCopyPasteDuplicateAndDeleteAreOneStepEachOnTheSelection) {
  auto key = [](QKeySequence::StandardKey k) {
    const QKeySequence seq(k);
    QTest::keyClick(Win()->windowHandle(), static_cast<Qt::Key>(seq[0].key()), seq[0].keyboardModifiers());
  };
  Win()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  Box(3, "load port", 0.1f, 0.2f, 0.0f, 0.2f);
  Box(7, "aligner", 0.3f, 0.2f, 0.0f, 0.2f);
  Doc().SceneChanged(QStringLiteral("Edit"));
  const std::string three = FormatObjectLine(0, Frame().Objects()[3]);
  View().SetSelection({3, 7}, 7);
  key(QKeySequence::Copy);
  const QString copied = QApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith(QString::fromLatin1(kObjectFileHeader)));
  EXPECT_EQ(copied.count(QLatin1Char('\n')), 3) << "the header and one line per record";
  // Paste: the first free records, said in the status line, one step.
  key(QKeySequence::Paste);
  EXPECT_EQ(Status().StatusText(), QStringLiteral("Pasted 2 objects into OBJ000, OBJ001"));
  EXPECT_EQ(FormatObjectLine(0, Frame().Objects()[0]), three);
  EXPECT_EQ(View().Selection(), (std::vector<int>{0, 1}));
  key(QKeySequence::Undo);
  EXPECT_FALSE(Frame().Objects()[0].Enbl || Frame().Objects()[1].Enbl);
  // Duplicate, Delete and Cut, one step each.
  struct Step {
    const char* entry;
    std::vector<int> enabledAfter;
  } steps[] = {{"Act_Duplicate", {0, 1, 3, 7}}, {"Act_Delete", {}}, {"Act_Cut", {}}};
  for (const Step& st : steps) {
    View().SetSelection({3, 7}, 7);
    Win()->findChild<QAction*>(QString::fromLatin1(st.entry))->trigger();
    std::vector<int> enabled;
    for (int r : {0, 1, 3, 7})
      if (Frame().Objects()[static_cast<size_t>(r)].Enbl) enabled.push_back(r);
    EXPECT_EQ(enabled, st.enabledAfter) << st.entry;
    Doc().EditUndo();
    EXPECT_TRUE(Frame().Objects()[3].Enbl && Frame().Objects()[7].Enbl && !Frame().Objects()[0].Enbl) << st.entry;
  }
  // Text that holds no records pastes nothing.
  const QString undo = Doc().UndoText();
  for (const QString& text : {QStringLiteral("not a scene"), QString::fromLatin1(kObjectFileHeader)}) {
    QApplication::clipboard()->setText(text);
    key(QKeySequence::Paste);
    EXPECT_EQ(Status().StatusText(), QStringLiteral("Nothing pasted: the clipboard holds no objects"));
    EXPECT_EQ(Doc().UndoText(), undo);
  }
  // Nothing selected: the entries that need a selection are off.
  View().SelectObject(-1);
  EXPECT_FALSE(Win()->findChild<QAction*>(QStringLiteral("Act_Delete"))->isEnabled());
  EXPECT_TRUE(Win()->findChild<QAction*>(QStringLiteral("Act_Paste"))->isEnabled());
}

TEST_F(ViewPickTest, DoubleClickAndToolsEditTheSelectedRecordAndTheListFollows) {
  Box(12, "load port", 0.6f, -0.6f, 0.0f, 0.2f);
  Frame().DrawFrame();
  const QPoint at = OnScreen(0.6, -0.6, 0.0);
  ASSERT_TRUE(app->ObjectSettings()->ShapeListLoaded());

  // Double-click: Object Settings on that record, saying which one.
  QString caption;
  bool seen = false;
  auto closeWhenOpen = [&] {
    QTimer* t = new QTimer(Win());
    QObject::connect(t, &QTimer::timeout, t, [&, t] {
      if (!app->ObjectSettings()->isVisible()) return;
      caption = app->ObjectSettings()->windowTitle();
      seen = true;
      app->ObjectSettings()->reject();
      t->deleteLater();
    });
    t->start(20);
  };
  closeWhenOpen();
  QTest::mouseDClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, at);
  ASSERT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000));
  EXPECT_EQ(caption, QStringLiteral("Object Setting - Record 12"));
  EXPECT_EQ(View().SelectedObject(), 12);
  Pump(50);
  EXPECT_EQ(app->ObjectSettings()->windowTitle(), QStringLiteral("Object Setting"));

  // Tools > Object Settings edits the selection too.
  seen = false;
  closeWhenOpen();
  QTimer::singleShot(0, Win(), [] { View().Btn_OBJSetClick(); });
  ASSERT_TRUE(QTest::qWaitFor([&] { return seen; }, 5000));
  EXPECT_EQ(caption, QStringLiteral("Object Setting - Record 12"));

  // The list opens on the same row; choosing a row there selects its
  // object in the picture.
  View().Btn_ObjListClick();
  ASSERT_TRUE(app->ObjectList()->isVisible());
  EXPECT_EQ(app->ObjectList()->Stg_Data->Row(), 13);
  app->ObjectList()->Stg_Data->scrollToTop();
  QTest::mouseClick(app->ObjectList()->Stg_Data->viewport(), Qt::LeftButton, Qt::NoModifier,
                    app->ObjectList()->Stg_Data->CellRect(1, 4).center());
  EXPECT_EQ(View().SelectedObject(), 3);
  EXPECT_TRUE(Status().Selection().startsWith(QStringLiteral("OBJ003"))) << Status().Selection().toStdString();
  // And a click in the picture moves the list's row.
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, at);
  EXPECT_EQ(app->ObjectList()->Stg_Data->Row(), 13);
  app->ObjectList()->close();
}

TEST_F(ViewPickTest, ObjectWindowsOpenBesideThePictureAndStayWhereTheyWerePut) {
  View().Btn_ObjListClick();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(app->ObjectList()));
  const QRect picture(Frame().Panel()->mapToGlobal(QPoint(0, 0)), Frame().Panel()->size());
  const QRect screen = Win()->screen()->availableGeometry();
  // Where the screen has room beside the window, none of the list covers
  // the picture; on a small screen as little as it can (centred, as laid
  // out, it would cover all of it).
  const QRect list = app->ObjectList()->frameGeometry();
  const long long covered =
      static_cast<long long>(list.intersected(picture).width()) * list.intersected(picture).height();
  EXPECT_TRUE(screen.contains(list.topLeft()));
  if (screen.right() - Win()->frameGeometry().right() > list.width())
    EXPECT_EQ(covered, 0);
  else
    EXPECT_LT(covered, picture.width() * picture.height() * 6 / 10);
  // Moved by the operator, closed and opened again: where it was put.
  app->ObjectList()->move(list.topLeft() + QPoint(30, 40));
  Pump(50);
  const QPoint moved = app->ObjectList()->pos();
  app->ObjectList()->close();
  View().Btn_ObjListClick();
  Pump(50);
  EXPECT_EQ(app->ObjectList()->pos(), moved);
  app->ObjectList()->close();

  // A panel of the Panels menu names itself once, in its title bar.
  QDockWidget* robot = Win()->PanelDock(QStringLiteral("Robot"));
  ASSERT_NE(robot, nullptr);
  EXPECT_EQ(static_cast<QGroupBox*>(robot->widget())->title(), QString());
}

}  // namespace

// The placement rule itself, on made-up screens.
#include "ui/WindowPlacement.h"
TEST(WindowPlacement, BesideWhereThereIsRoomSmallerIfNeedBeElseCoveringLeastOfThePicture) {
  const QRect main(100, 100, 800, 600), picture(100, 130, 600, 380);
  const QSize least(200, 150);
  // Room on the right.
  EXPECT_EQ(PlaceBesideWindow(main, picture, {}, QSize(400, 300), least, QRect(0, 0, 1600, 900)),
            QRect(904, 100, 400, 300));
  // The right taken by another tool window: the left has room too.
  EXPECT_EQ(PlaceBesideWindow(QRect(500, 100, 800, 600), QRect(500, 130, 600, 380), {QRect(1304, 100, 400, 600)},
                              QSize(400, 300), least, QRect(0, 0, 1800, 900)),
            QRect(96, 100, 400, 300));
  // Too wide for the room on the right: narrower, down to its minimum.
  EXPECT_EQ(PlaceBesideWindow(QRect(300, 100, 800, 600), QRect(300, 130, 600, 380), {}, QSize(600, 400), least,
                              QRect(0, 0, 1600, 800)),
            QRect(1104, 100, 496, 400));
  // No room anywhere: full size, on the screen, off the picture as far as
  // it goes.
  const QRect r = PlaceBesideWindow(main, picture, {}, QSize(500, 400), QSize(500, 400), QRect(0, 0, 1000, 800));
  EXPECT_EQ(r.size(), QSize(500, 400));
  EXPECT_TRUE(QRect(0, 0, 1000, 800).contains(r));
  EXPECT_LT(r.intersected(picture).width() * r.intersected(picture).height(), 500 * 400 / 2);
}
