// Model files through the real window: a file dropped on it, what the
// status line says, and the record that shows the model.
#include <QAction>
#include <QDropEvent>
#include <QMimeData>
#include <QTemporaryDir>
#include <QUrl>
#include <fstream>

#include "models/ModelLibrary.h"
#include "ui/GlPanel.h"
#include "ui/ModelsController.h"
#include "objects/ObjectFile.h"
#include "FakePrompts.h"
#include <QLineEdit>
#include <QPushButton>
#include "ui/Objectsetting.h"
#include "ObjSetFixture.h"
#include "ui/WindowFixture.h"

namespace {

class ModelWindowTest : public MainWindowTest {
 protected:
  // A binary STL box of 0.4 x 0.3 x 0.5 m standing on the floor.
  QString WriteBox(const QString& name) {
    const QString path = dir.filePath(name);
    std::ofstream f(QFile::encodeName(path).toStdString(), std::ios::binary);
    const float p[8][3] = {{0, 0, 0},     {.4f, 0, 0},     {0, .3f, 0},     {.4f, .3f, 0},
                           {0, 0, .5f},   {.4f, 0, .5f},   {0, .3f, .5f},   {.4f, .3f, .5f}};
    const int q[6][4] = {{0, 2, 3, 1}, {4, 5, 7, 6}, {0, 1, 5, 4}, {2, 6, 7, 3}, {0, 4, 6, 2}, {1, 3, 7, 5}};
    f << std::string(80, ' ');
    const uint32_t n = 12;
    f.write(reinterpret_cast<const char*>(&n), 4);
    for (const auto& quad : q) {
      const int tris[2][3] = {{quad[0], quad[1], quad[2]}, {quad[0], quad[2], quad[3]}};
      for (const auto& t : tris) {
        const float normal[3] = {0, 0, 0};
        f.write(reinterpret_cast<const char*>(normal), 12);
        for (int c : t) f.write(reinterpret_cast<const char*>(p[c]), 12);
        f.write("\0\0", 2);
      }
    }
    return path;
  }
  static void Drop(const QString& path, bool wanted = true) {
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(path)});
    const QPointF at(200, 200);
    QDragEnterEvent enter(at.toPoint(), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Win(), &enter);
    ASSERT_EQ(enter.isAccepted(), wanted) << "a drag the window takes shows so";
    QDropEvent drop(at, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(Win(), &drop);
    Pump(50);
  }
  static QImage Picture() {
    Frame().DrawFrame();
    return Frame().Panel()->grabFramebuffer().convertToFormat(QImage::Format_RGB32);
  }
  static int Differing(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
      for (int x = 0; x < a.width(); ++x) n += a.pixel(x, y) != b.pixel(x, y);
    return n;
  }
  // The shipped shape list names the kinds (the test's folder has none).
  QString ShapeList() const override { return ShippedShapeList(); }
  QTemporaryDir dir;
};

}  // namespace

TEST_F(ModelWindowTest, ADroppedModelIsOneRecordTheStatusNamesAndThePictureShows) {
  const QString box = WriteBox(QStringLiteral("box.stl"));
  const QImage before = Picture();
  Drop(box);
  ASSERT_EQ(View().SelectedObject(), 0);
  const SceneObject& rec = Frame().Objects()[0];
  EXPECT_TRUE(rec.Enbl);
  EXPECT_EQ(rec.Shp, ShapeKind::Model);
  EXPECT_EQ(QString::fromStdString(rec.Text), box) << "absolute while the scene has no folder";
  EXPECT_EQ(Doc().UndoText(), QStringLiteral("Undo Add model box.stl"));
  EXPECT_EQ(Status().Selection(), QStringLiteral("OBJ000 box.stl (Model)"));
  ASSERT_TRUE(ModelLibrary::Shared().WaitIdle(30));
  ASSERT_TRUE(QTest::qWaitFor([] { return Status().StatusText() == QStringLiteral("Models read"); }, 3000))
      << Status().StatusText().toStdString();
  EXPECT_GT(Differing(Picture(), before), 2000) << "the box shows";

  // A file that is not one: nothing added, the status says so; a missing
  // model is told by name.
  Drop(dir.filePath(QStringLiteral("notes.txt")), false);
  EXPECT_FALSE(Frame().Objects()[1].Enbl);
  Models().AddModelRecord(dir.filePath(QStringLiteral("gone.step")));
  ASSERT_TRUE(ModelLibrary::Shared().WaitIdle(30));
  Frame().DrawFrame();
  ASSERT_TRUE(QTest::qWaitFor(
      [] { return Status().StatusText() == QStringLiteral("Model not read: gone.step: the file does not exist"); },
      3000))
      << Status().StatusText().toStdString();
  // File > Reload Models (F5) reads them again.
  QAction* reload = Win()->findChild<QAction*>(QStringLiteral("ActReloadModels"));
  ASSERT_NE(reload, nullptr);
  EXPECT_EQ(reload->shortcut(), QKeySequence(Qt::Key_F5));
  reload->trigger();
  EXPECT_TRUE(ModelLibrary::Shared().WaitIdle(30));
  ModelLibrary::Shared().Clear();
}

// Saving the scene into another folder keeps every model found: a path
// relative to the old folder names the same file from the new one.
TEST_F(ModelWindowTest, SaveAsIntoAnotherFolderKeepsTheModelsFound) {
  QDir(dir.path()).mkpath(QStringLiteral("cell/parts"));
  const QString old = dir.filePath(QStringLiteral("cell/scene.3dl"));
  const struct {
    const char* to;
    QString want;
  } cases[] = {
      {"scene.3dl", QStringLiteral("cell/parts/box.stl")},
      {"cell/parts/scene.3dl", QStringLiteral("box.stl")},
      {"elsewhere/scene.3dl", dir.filePath(QStringLiteral("cell/parts/box.stl"))},
  };
  for (const auto& c : cases) {
    Models().SceneFileChanged(old);
    SceneObject& rec = Frame().Objects()[7];
    rec.Enbl = true;
    rec.Shp = ShapeKind::Model;
    rec.Text = "parts/box.stl";
    Doc().SceneChanged(QStringLiteral("Add"));
    Models().RebaseModelPaths(dir.filePath(QString::fromLatin1(c.to)));
    EXPECT_EQ(QString::fromStdString(Frame().Objects()[7].Text), c.want) << c.to;
  }
  Models().SceneFileChanged(QString());
}

// A scene file dropped on the window is opened, after the question about
// unsaved changes; Object Settings offers the model file button for Model
// records only.
TEST_F(ModelWindowTest, ADroppedSceneOpensAndSettingsOfferTheModelFile) {
  FakePrompts prompts;
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  (*table)[2].Enbl = true;
  const QString scene = dir.filePath(QStringLiteral("cell.3dl"));
  ASSERT_EQ(SaveObjects(QFile::encodeName(scene).toStdString(), table->data(), kObjectCapacity, SaveOptions{},
                        nullptr),
            1);
  Frame().Objects()[5].Enbl = true;
  Doc().SceneChanged(QStringLiteral("Edit"));
  prompts.saveQuestionAnswers.push_back(Prompts::AnswerDiscard);
  Drop(scene);
  Pump(50);
  EXPECT_TRUE(Frame().Objects()[2].Enbl);
  EXPECT_FALSE(Frame().Objects()[5].Enbl) << "the scene replaced the table";
  EXPECT_EQ(Doc().SceneFile(), scene);

  SceneObject rec = Frame().Objects()[0];
  for (int kind : {ShapeKind::Cube, ShapeKind::Model}) {
    rec.Shp = kind;
    app->ObjectSettings()->Prepare(rec, Frame().Textures());
    EXPECT_EQ(app->ObjectSettings()->Btn_ModelFile->isVisibleTo(app->ObjectSettings()), kind == ShapeKind::Model) << kind;
  }
  // The button puts the file's path into the text.
  prompts.openAnswers.push_back(dir.filePath(QStringLiteral("cell/parts/box.stl")));
  QTest::mouseClick(app->ObjectSettings()->Btn_ModelFile, Qt::LeftButton);
  EXPECT_EQ(app->ObjectSettings()->Edt_Text->text(), QStringLiteral("cell/parts/box.stl")) << "relative to the scene's folder";
}

// A merged scene's relative model paths named files from its own folder;
// merged in, they name the same files from this scene's.
TEST_F(ModelWindowTest, AMergeKeepsItsModelsFound) {
  Models().SceneFileChanged(dir.filePath(QStringLiteral("cell/scene.3dl")));
  const struct {
    const char* from;
    QString want;
  } cases[] = {
      {"cell/sub/part.3dl", QStringLiteral("sub/parts/box.stl")},
      {"other/part.3dl", dir.filePath(QStringLiteral("other/parts/box.stl"))},
  };
  for (const auto& c : cases) {
    const QString file = dir.filePath(QString::fromLatin1(c.from));
    QDir().mkpath(QFileInfo(file).absolutePath());
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    SceneObject& rec = (*table)[4];
    rec.Enbl = true;
    rec.Shp = ShapeKind::Model;
    rec.Text = "parts/box.stl";
    ASSERT_EQ(SaveObjects(QFile::encodeName(file).toStdString(), table->data(), 5, SaveOptions{}, nullptr), 1);
    Doc().LoadSceneFile(file);
    EXPECT_EQ(QString::fromStdString(Frame().Objects()[4].Text), c.want) << c.from;
  }
  Models().SceneFileChanged(QString());
}
