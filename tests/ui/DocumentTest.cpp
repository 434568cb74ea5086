// The scene as a document, through the real window: keys that menus cannot
// steal, File and Edit menus, the unsaved-changes question, undo and the
// recovery copy.
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <functional>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QWindow>
#include <iostream>

#include "objects/ObjectFile.h"
#include "objects/SceneView.h"
#include "objects/ShapeKind.h"
#include "ui/GlPanel.h"
#include "ui/Controls.h"
#include "ui/ObjSetFixture.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "ui/ObjectsettingGrid.h"
#include "ui/WindowFixture.h"

namespace {

// The record the recovery child writes and the parent expects back.
// The view it keeps in its scene.
SceneView RecoveryView() {
  SceneView v;
  v.angleX = 42.5f;
  v.zoom = -3.25f;
  return v;
}

SceneObject RecoveryRecord() {
  SceneObject r;
  r.Enbl = true;
  r.X = 0.25f;
  r.Ang[2] = 33.5f;
  r.Name = "recovered";
  return r;
}

class DocumentTest : public MainWindowTest {
 protected:
  void SetUp() override {
    MainWindowTest::SetUp();
    ASSERT_TRUE(dir.isValid());
    Doc().SetRecoveryFolder(dir.filePath(QStringLiteral("recovery")));
    Win()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(Win()));
  }

  // A scene file holding record no (enabled, at x) only.
  QString WriteScene(const QString& name, int no, float x) {
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    SceneObject& r = (*table)[static_cast<size_t>(no)];
    r.Enbl = true;
    r.X = x;
    const QString path = dir.filePath(name);
    std::string text = kObjectFileHeader + FormatObjectLine(no, r);
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text.data(), static_cast<qint64>(text.size()));
    return path;
  }

  // What Save would write now.
  QByteArray Saved() {
    const QString path = dir.filePath(QStringLiteral("snapshot.3dl"));
    EXPECT_TRUE(Doc().WriteScene(path));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    return f.readAll();
  }

  // A File or Edit menu entry by its text without the accelerator.
  static QAction* Entry(const QString& text) {
    for (QAction* title : Win()->menuBar()->actions())
      if (title->menu())
        for (QAction* a : title->menu()->actions())
          if (a->text().startsWith(text)) return a;
    ADD_FAILURE() << "no menu entry " << text.toStdString();
    return nullptr;
  }

  static void Key(char key) { QTest::keyClick(Win()->windowHandle(), key); }
  static void Key(Qt::Key key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
    QTest::keyClick(Win()->windowHandle(), key, mods);
  }
  static SceneObject& Rec(int i) { return Frame().Objects()[static_cast<size_t>(i)]; }
  static int Joint(int j) {
    return Named<TrackBar>(QStringLiteral("Tkb_TestData0%1").arg(j + 1).toLatin1().constData())->Position();
  }

  QTemporaryDir dir;
};

TEST_F(DocumentTest, PlainLettersMoveTheArmAfterAMenuAndNeverRunAnEntry) {
  QMenuBar* bar = Win()->menuBar();
  auto openFileMenu = [bar] {
    QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier,
                      bar->actionGeometry(bar->actions().first()).center());
    return QTest::qWaitFor([] { return QApplication::activePopupWidget() != nullptr; }, 2000);
  };
  const int j2 = Joint(1), j3 = Joint(2);
  ASSERT_TRUE(openFileMenu());
  QTest::keyClick(QApplication::activePopupWidget()->windowHandle(), Qt::Key_Escape);
  ASSERT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 2000));
  Key('f');
  Key('x');
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr) << "f opened a menu";
  EXPECT_EQ(Joint(1), j2 + 50);
  EXPECT_EQ(Joint(2), j3 - 10);
  EXPECT_TRUE(Win()->isVisible());
  EXPECT_FALSE(Win()->ExitRequested);

  // A lone Alt, then a letter.
  Key(Qt::Key_Alt);
  Key('v');
  EXPECT_EQ(QApplication::activePopupWidget(), nullptr);
  EXPECT_EQ(Joint(2), j3 + 40);

  // Inside an open menu a plain letter runs nothing; Alt with it still does.
  ASSERT_TRUE(openFileMenu());
  QWindow* menu = QApplication::activePopupWidget()->windowHandle();
  const int j3InMenu = Joint(2);
  QTest::keyClick(menu, 'x');
  QTest::keyClick(menu, 'n');
  Pump(50);
  EXPECT_EQ(Joint(2), j3InMenu) << "a letter in an open menu moves nothing";
  EXPECT_TRUE(Win()->isVisible());
  EXPECT_FALSE(Win()->ExitRequested);
  EXPECT_TRUE(prompts.saveQuestions.isEmpty());
  EXPECT_NE(QApplication::activePopupWidget(), nullptr);
  QTest::keyClick(menu, Qt::Key_Escape);
  EXPECT_TRUE(QTest::qWaitFor([] { return QApplication::activePopupWidget() == nullptr; }, 2000));
  Key(Qt::Key_Escape);
}

TEST_F(DocumentTest, SelectionKeepViewAndRedoFollowWhatTheSceneIs) {
  EXPECT_TRUE(Entry(QStringLiteral("Redo"))->text().endsWith(QStringLiteral("\tCtrl+Shift+Z, Ctrl+Y")));
  // Ticking Keep View is a change Save would write; unticking it again is none.
  QAction* keep = Win()->findChild<QAction*>(QStringLiteral("Act_KeepView"));
  keep->trigger();
  EXPECT_TRUE(Doc().SceneModified());
  keep->trigger();
  EXPECT_FALSE(Doc().SceneModified());
  // The selection goes with its record's Enbl, and with the scene.
  const QString other = WriteScene(QStringLiteral("other.3dl"), 4, 0.5f);
  prompts.saveQuestionAnswers = {Prompts::AnswerDiscard, Prompts::AnswerDiscard};
  const std::function<void()> leaves[] = {
      [] { Rec(3).Enbl = false, Doc().SceneChanged(QStringLiteral("Edit")); },
      [] { Doc().FileNew(); },
      [&other] { Doc().OpenSceneFile(other); },
  };
  for (const auto& leave : leaves) {
    Rec(3).Enbl = true;
    Doc().SceneChanged(QStringLiteral("Edit"));
    View().SelectObject(3);
    ASSERT_EQ(View().SelectedObject(), 3);
    leave();
    EXPECT_EQ(View().SelectedObject(), -1);
    EXPECT_TRUE(View().Selection().empty());
    EXPECT_EQ(Status().Selection(), QStringLiteral("Nothing selected"));
  }
}

TEST_F(DocumentTest, ControlsPassTheJointKeysButTextFieldsKeepTheirLetters) {
  OpenDetail();
  QComboBox* combo = Named<QComboBox>("Cmb_Light1_Spot_Dir");
  combo->setFocus();
  ASSERT_TRUE(QTest::qWaitFor([combo] { return combo->hasFocus(); }, 2000));
  const int index = combo->currentIndex();
  const int j1 = Joint(0);
  Key('q');
  EXPECT_EQ(Joint(0), j1 - 50);
  EXPECT_EQ(combo->currentIndex(), index);

  // A click gives the picture the keyboard.
  QTest::mouseClick(Frame().Panel(), Qt::LeftButton, Qt::NoModifier, {20, 20});
  EXPECT_EQ(QApplication::focusWidget(), Frame().Panel());
  Key('r');
  EXPECT_EQ(Joint(0), j1);

  QDockWidget* dock = Win()->PanelDock(QStringLiteral("Text Draw"));
  ASSERT_NE(dock, nullptr);
  // Docked, so that the window keeps the keyboard without a window manager.
  dock->setFloating(false);
  dock->show();
  Named<QCheckBox>("Chk_DrawText")->setChecked(true);
  Named<QLineEdit>("Edt_TextData")->clear();
  Named<QLineEdit>("Edt_TextData")->setFocus();
  Key('q');
  EXPECT_EQ(Joint(0), j1);
  EXPECT_EQ(Named<QLineEdit>("Edt_TextData")->text(), QStringLiteral("q"));
  // The panel's other controls pass the keys as the window's do.
  Named<QCheckBox>("Chk_DrawText")->setFocus();
  Key('q');
  EXPECT_EQ(Joint(0), j1 - 50);
}

TEST_F(DocumentTest, ExitAsksWhileModifiedAndCancelKeepsEverything) {
  prompts.openAnswers.push_back(WriteScene(QStringLiteral("b.3dl"), 3, 0.5f));
  Entry(QStringLiteral("Merge"))->trigger();
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - untitled *"));
  EXPECT_EQ(Status().StatusText(), QStringLiteral("Merged 1 objects from b.3dl"));

  Key(Qt::Key_Q, Qt::ControlModifier);  // unscripted: Cancel
  ASSERT_EQ(prompts.saveQuestions, QStringList{QStringLiteral("Save changes to untitled?")});
  EXPECT_TRUE(Win()->isVisible());
  EXPECT_FALSE(Win()->ExitRequested);
  EXPECT_TRUE(Rec(3).Enbl);

  // A save that fails keeps the question open.
  prompts.saveQuestionAnswers = {Prompts::AnswerSave, Prompts::AnswerCancel};
  prompts.saveAnswers.push_back(dir.filePath(QStringLiteral("no such folder/x.3dl")));
  Win()->close();
  EXPECT_EQ(prompts.saveQuestions.size(), 3);
  EXPECT_TRUE(prompts.messages.last().startsWith(QStringLiteral("Object data could not be saved")));
  EXPECT_TRUE(Win()->isVisible());

  prompts.saveQuestionAnswers = {Prompts::AnswerDiscard};
  Win()->close();
  EXPECT_FALSE(Win()->isVisible());
}

TEST_F(DocumentTest, OpenReplacesMergeKeepsAndUndoGivesTheSameFileBack) {
  const QString a = WriteScene(QStringLiteral("a.3dl"), 1, 0.1f);
  const QString b = WriteScene(QStringLiteral("b.3dl"), 3, 0.3f);
  prompts.openAnswers.push_back(a);
  Key(Qt::Key_O, Qt::ControlModifier);
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - a.3dl"));
  EXPECT_EQ(Doc().SceneFile(), a);
  const QByteArray opened = Saved();

  prompts.openAnswers.push_back(b);
  Entry(QStringLiteral("Merge"))->trigger();
  EXPECT_TRUE(Rec(1).Enbl && Rec(3).Enbl) << "a merge keeps the other records";
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - a.3dl *"));
  EXPECT_EQ(Entry(QStringLiteral("Undo"))->text(), QStringLiteral("Undo Merge b.3dl"));
  const QByteArray merged = Saved();

  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Saved(), opened);
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - a.3dl"));
  Key(Qt::Key_Y, Qt::ControlModifier);
  EXPECT_EQ(Saved(), merged);
  Key(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);  // redo: nothing left to redo
  EXPECT_EQ(Saved(), merged);

  // Open asks first; Discard, and the table holds b only.
  prompts.saveQuestionAnswers = {Prompts::AnswerDiscard};
  prompts.openAnswers.push_back(b);
  Entry(QStringLiteral("Open"))->trigger();
  EXPECT_EQ(prompts.saveQuestions.size(), 1);
  EXPECT_FALSE(Rec(1).Enbl);
  EXPECT_TRUE(Rec(3).Enbl);
  EXPECT_FALSE(Doc().SceneModified());
  EXPECT_FALSE(Entry(QStringLiteral("Undo"))->isEnabled());
  EXPECT_EQ(Doc().RecentFiles().mid(0, 2), (QStringList{b, a}));

  // New: the start-up table, untitled.
  Rec(5).Enbl = true;
  Doc().SceneChanged(QStringLiteral("Apply OBJ005"));
  prompts.saveQuestionAnswers = {Prompts::AnswerDiscard};
  Key(Qt::Key_N, Qt::ControlModifier);
  EXPECT_FALSE(Rec(3).Enbl || Rec(5).Enbl);
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - untitled"));
  EXPECT_TRUE(Status().Selection().isEmpty());
}

TEST_F(DocumentTest, DialogApplyStepsAndListLoadsAreUndoneExactly) {
  // The program's dialog with the shipped shape list (the test's folder has none).
  app.reset();
  MakeWindows(ShippedShapeList());
  Doc().SetRecoveryFolder(dir.filePath(QStringLiteral("recovery")));
  const QByteArray start = Saved();
  const float x0 = Rec(0).X;
  // Tools > Object Settings: a name, Apply, then three +X steps with auto apply.
  QTimer::singleShot(0, app->ObjectSettings(), [] {
    if (!QTest::qWaitFor([] { return app->ObjectSettings()->isVisible(); }, 3000)) return;
    app->ObjectSettings()->Edt_Name->setText(QStringLiteral("load port"));
    QTest::mouseClick(app->ObjectSettings()->Btn_Apply, Qt::LeftButton);
    app->ObjectSettings()->Chk_AutoApplyChange->setChecked(true);
    for (int i = 0; i < 3; ++i) QTest::mouseClick(app->ObjectSettings()->Btn_Inc[0], Qt::LeftButton);
    app->ObjectSettings()->reject();
  });
  View().Btn_OBJSetClick();
  EXPECT_TRUE(prompts.messages.isEmpty()) << prompts.messages.join(QLatin1Char('|')).toStdString();
  EXPECT_EQ(Rec(0).Name, "load port");
  EXPECT_GT(Rec(0).X, x0);
  EXPECT_EQ(Doc().UndoText(), QStringLiteral("Undo Step +X OBJ000"));
  Doc().EditUndo();
  EXPECT_EQ(Rec(0).X, x0) << "the three auto-applied steps are one";
  EXPECT_EQ(Doc().UndoText(), QStringLiteral("Undo Apply OBJ000"));
  Doc().EditUndo();
  EXPECT_EQ(Saved(), start);
  EXPECT_FALSE(Doc().SceneModified());

  // A load in the object list.
  View().Btn_ObjListClick();
  ASSERT_TRUE(app->ObjectList()->isVisible());
  prompts.openAnswers.push_back(WriteScene(QStringLiteral("c.3dl"), 7, 0.7f));
  QTest::mouseClick(app->ObjectList()->Btn_Load, Qt::LeftButton);
  EXPECT_TRUE(Rec(7).Enbl);
  EXPECT_EQ(Doc().UndoText(), QStringLiteral("Undo Load c.3dl"));
  Doc().EditUndo();
  EXPECT_EQ(Saved(), start);
  EXPECT_EQ(app->ObjectList()->Stg_Data->Cell(4, 8), app->ObjectList()->Stg_Data->Cell(4, 9))
      << "the list shows the undone table";
}

TEST_F(DocumentTest, AFileThatIsNoSceneIsNeitherOpenedNorMergedNorWrittenOver) {
  const QString a = WriteScene(QStringLiteral("a.3dl"), 1, 0.1f);
  ASSERT_TRUE(Doc().OpenSceneFile(a));
  const QByteArray scene = Saved();
  const QByteArray notes = "Notes\r\nwithout a single comma\r\n";
  const QString text = dir.filePath(QStringLiteral("notes.3dl"));
  QFile f(text);
  ASSERT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(notes);
  f.close();
  EXPECT_FALSE(Doc().OpenSceneFile(text));
  prompts.openAnswers.push_back(text);
  Entry(QStringLiteral("Merge"))->trigger();
  EXPECT_EQ(Status().StatusText(), QStringLiteral("notes.3dl was not merged: it is not a scene file"));
  EXPECT_EQ(prompts.messages.size(), 2);
  EXPECT_TRUE(prompts.messages.last().startsWith(QStringLiteral("Not a scene file")));
  EXPECT_EQ(Doc().SceneFile(), a);
  EXPECT_FALSE(Doc().SceneModified());
  EXPECT_EQ(Saved(), scene) << "the scene on screen stays";
  ASSERT_TRUE(Doc().FileSave());
  QFile kept(text);
  ASSERT_TRUE(kept.open(QIODevice::ReadOnly));
  EXPECT_EQ(kept.readAll(), notes);
}

TEST_F(DocumentTest, ARecoveryCopyOutlivesAKillAndComesBackModified) {
  const QString folder = dir.filePath(QStringLiteral("recovery"));
  QProcess child;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert(QStringLiteral("TESSALY_TEST_RECOVERY_CHILD"), folder);
  child.setProcessEnvironment(env);
  child.start(QCoreApplication::applicationFilePath(), {});
  ASSERT_TRUE(child.waitForStarted(5000));
  QByteArray out;
  while (!out.contains("READY") && child.waitForReadyRead(20000)) out += child.readAllStandardOutput();
  ASSERT_TRUE(out.contains("READY")) << out.toStdString();
  ::kill(static_cast<pid_t>(child.processId()), SIGKILL);
  ASSERT_TRUE(child.waitForFinished(5000));
  EXPECT_EQ(child.exitStatus(), QProcess::CrashExit);
  ASSERT_EQ(QDir(folder).entryList({QStringLiteral("scene-*.3dl")}).size(), 1);

  prompts.confirmAnswers.push_back(true);
  ASSERT_TRUE(Doc().OfferRecovery());
  ASSERT_EQ(prompts.confirmations.size(), 1);
  EXPECT_TRUE(prompts.confirmations[0].startsWith(QStringLiteral("Recover unsaved scene from ")));
  EXPECT_EQ(FormatObjectLine(5, Rec(5)), FormatObjectLine(5, RecoveryRecord()));
  EXPECT_EQ(FormatViewLine(View().CurrentView()), FormatViewLine(RecoveryView()));
  EXPECT_TRUE(View().KeepViewInScene());
  EXPECT_EQ(Win()->windowTitle(), QStringLiteral("Tessaly Ver0.07z3 - untitled *"));
  // The dead run's copy is gone; this run's own stands in for it.
  EXPECT_EQ(QDir(folder).entryList({QStringLiteral("scene-*.3dl")}),
            QStringList{QFileInfo(Doc().RecoveryFile()).fileName()});
  EXPECT_FALSE(Doc().OfferRecovery()) << "a running program's own copy is never offered";

  // A clean end removes the copy.
  app.reset();
  EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("scene-*.3dl")}).isEmpty());
  MakeWindows();
}

TEST_F(DocumentTest, RecoveryCopiesAreThisUsersAloneAndNeverFollowALink) {
  const QString folder = dir.filePath(QStringLiteral("recovery"));
  ASSERT_TRUE(QDir().mkpath(folder));
  ::chmod(QFile::encodeName(folder).constData(), 0755);
  const QString victim = WriteScene(QStringLiteral("victim.3dl"), 3, 1.0f);
  QFile v(victim);
  ASSERT_TRUE(v.open(QIODevice::ReadOnly));
  const QByteArray precious = v.readAll();
  v.close();
  // Planted: this run's own copy as a link, and copies of "dead runs" that
  // are a link and another user's file.
  ASSERT_TRUE(QFile::link(victim, Doc().RecoveryFile()));
  ASSERT_TRUE(QFile::link(victim, folder + QStringLiteral("/scene-99999.3dl")));
  const QString theirs = folder + QStringLiteral("/scene-99998.3dl");
  ASSERT_TRUE(QFile::copy(victim, theirs));
  ASSERT_EQ(::chown(QFile::encodeName(theirs).constData(), 65534, 65534), 0);

  Frame().Objects()[5] = RecoveryRecord();
  Doc().SceneChanged(QStringLiteral("Apply OBJ005"));
  Doc().WriteRecoveryCopy();
  ASSERT_TRUE(v.open(QIODevice::ReadOnly));
  EXPECT_EQ(v.readAll(), precious);
  EXPECT_TRUE(Status().StatusText().startsWith(QStringLiteral("The recovery copy could not be written")))
      << Status().StatusText().toStdString();
  struct stat st {};
  ASSERT_EQ(::stat(QFile::encodeName(folder).constData(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0700u);

  EXPECT_FALSE(Doc().OfferRecovery());
  EXPECT_TRUE(prompts.confirmations.isEmpty());
}

}  // namespace

// The child of the recovery test: a modified scene, its recovery copy
// written, then "READY" and a wait for the kill.
int RunRecoveryChild(const QString& folder) {
  AppWindows windows;
  TForm1& w = windows.Main();
  w.show();
  DocumentController& doc = w.Document();
  doc.SetRecoveryFolder(folder);
  doc.SetRecoveryInterval(100);
  w.Frame().Objects()[5] = RecoveryRecord();
  w.View().SetView(RecoveryView());
  w.View().SetKeepViewInScene(true);
  doc.SceneChanged(QStringLiteral("Apply OBJ005"));
  if (!QTest::qWaitFor([&doc] { return QFileInfo::exists(doc.RecoveryFile()); }, 10000)) return 1;
  std::cout << "READY" << std::endl;
  for (;;) QTest::qWait(1000);
}

// A colour written through the document, and taken back with Ctrl+Z,
// shows in the next frame: the kept mesh follows the record's history.
TEST_F(DocumentTest, AnEditAndItsUndoShowInTheNextFrame) {
  SceneObject& box = Rec(12);
  box.Enbl = true;
  box.Shp = ShapeKind::Cube;
  box.W = box.D = box.H = 0.5f;
  // Which of pure red and pure blue covers more of the picture.
  auto hue = [] {
    Frame().DrawFrame();
    const QImage shot = Frame().Panel()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
    int red = 0, blue = 0;
    for (int y = 0; y < shot.height(); ++y)
      for (int x = 0; x < shot.width(); ++x) {
        const QRgb c = shot.pixel(x, y);
        red += qRed(c) > 150 && qGreen(c) < 80 && qBlue(c) < 80;
        blue += qBlue(c) > 150 && qGreen(c) < 80 && qRed(c) < 80;
      }
    return red > blue + 500 ? 'r' : blue > red + 500 ? 'b' : '?';
  };
  box.clFill = 0x0000FF;
  Doc().SceneChanged(QStringLiteral("Add"));
  EXPECT_EQ(hue(), 'r');
  box.clFill = 0xFF0000;
  Doc().SceneChanged(QStringLiteral("Colour"));
  EXPECT_EQ(hue(), 'b');
  Key(Qt::Key_Z, Qt::ControlModifier);
  EXPECT_EQ(Rec(12).clFill, 0x0000FFu);
  EXPECT_EQ(hue(), 'r');
}
