#include "ui/ModelsController.h"

#include <QAction>
#include <QApplication>
#include <QPointer>
#include <deque>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMimeData>
#include <QTimer>
#include <QUrl>

#include "models/ModelDrawing.h"
#include "models/ModelImport.h"
#include "models/ModelLibrary.h"
#include "models/SceneExport.h"
#include "objects/FileAccess.h"
#include "render/Frame.h"
#include "objects/ObjectFile.h"
#include "objects/ObjectGrid.h"
#include "objects/SceneHistory.h"
#include "render/Camera.h"
#include "ui/Handler.h"
#include "ui/ModelPath.h"
#include "ui/FrameDriver.h"
#include "ui/StatusLine.h"
#include "ui/ViewController.h"
#include "ui/Prompts.h"

namespace {

constexpr int kFileCheckMs = 2000;

bool IsSceneFile(const QString& path) {
  return QFileInfo(path).suffix().compare(QStringLiteral("3dl"), Qt::CaseInsensitive) == 0;
}

// The one local file a drag carries, or empty.
QString DraggedFile(const QMimeData* data) {
  if (!data || !data->hasUrls() || data->urls().size() != 1) return QString();
  const QUrl url = data->urls().first();
  return url.isLocalFile() ? url.toLocalFile() : QString();
}

}  // namespace

ModelsController::ModelsController(QWidget* window, FrameDriver& frame, StatusLine& status, ViewController& view)
    : QObject(window), window_(window), frame_(frame), status_(status), view_(view) {
  // From the library's thread: the news goes to the application's thread,
  // and is dropped there if this controller has gone meanwhile.
  const QPointer<ModelsController> self(this);
  ModelLibrary::Shared().SetOnChange([self] {
    QMetaObject::invokeMethod(
        qApp, [self] { if (self) self->LibraryChanged(); }, Qt::QueuedConnection);
  });
  fileTimer_ = new QTimer(this);
  fileTimer_->setObjectName(QStringLiteral("Tim_ModelFiles"));
  fileTimer_->setInterval(kFileCheckMs);
  connect(fileTimer_, &QTimer::timeout, this, Guarded(window_, [this] {
            if (ModelLibrary::Shared().CheckFiles()) LibraryChanged();
          }));
  fileTimer_->start();
  window_->setAcceptDrops(true);
  window_->installEventFilter(this);
}

ModelsController::~ModelsController() {
  ModelLibrary::Shared().SetOnChange(nullptr);
}

void ModelsController::AddMenuEntries(QMenu* file) {
  QAction* reload = file->addAction(QStringLiteral("Reload Models"));
  reload->setObjectName(QStringLiteral("ActReloadModels"));
  reload->setShortcut(QKeySequence(Qt::Key_F5));
  connect(reload, &QAction::triggered, this, Guarded(window_, [this] { ReloadAll(); }));
  QAction* exportAction = file->addAction(QStringLiteral("Export..."));
  exportAction->setObjectName(QStringLiteral("ActExport"));
  exportAction->setShortcut(QKeySequence(QStringLiteral("Ctrl+E")));
  connect(exportAction, &QAction::triggered, this, Guarded(window_, [this] { ExportScene(); }));
}

QString ModelsController::ExportTo(const QString& path, const SaveOptions& options) {
  std::deque<Mesh> meshes;
  const std::vector<ExportPart> parts =
      SceneExportParts(frame_.Settings(), frame_.Objects().data(), frame_.Overrides(), false, &meshes);
  std::vector<ExportFile> files;
  const std::string failed = ::ExportScene(parts, QFile::encodeName(path).toStdString(), &files);
  if (!failed.empty()) return QString::fromStdString(failed);
  for (const ExportFile& f : files) {
    std::string why;
    // Only the file asked for may be written through a special target.
    const SaveOptions own = f.path == files.front().path ? options : SaveOptions{};
    if (!SaveFileContents(f.path, f.bytes, own, &why))
      return QString::fromStdString(f.path) + QStringLiteral(": ") + QString::fromStdString(why);
  }
  return QString();
}

void ModelsController::ExportScene() {
  const QString filter = QStringLiteral(
      "glTF binary (*.glb);;glTF (*.gltf);;STL binary (*.stl);;Wavefront OBJ (*.obj)");
  QString path = Prompts::Get().SaveFile(window_, QStringLiteral("Export"), filter);
  if (path.isEmpty()) return;
  if (ExportFormatOf(QFile::encodeName(path).toStdString()) == ExportFormat::Unknown)
    path += QStringLiteral(".glb");
  SaveOptions options;
  if (!ConfirmSaveTarget(window_, path, QStringLiteral("Export"), &options)) return;
  const QString why = ExportTo(path, options);
  if (!why.isEmpty()) {
    Prompts::Get().Error(window_, QStringLiteral("The scene could not be exported to:\n") + path +
                                      QStringLiteral("\n(") + why + QStringLiteral(")"));
    return;
  }
  status_.ShowStatus(QStringLiteral("Exported to ") + QFileInfo(path).fileName());
}

void ModelsController::SceneFileChanged(const QString& path) {
  const QString folder = path.isEmpty() ? QString() : QFileInfo(path).absolutePath();
  ModelLibrary::Shared().SetBaseFolder(QFile::encodeName(folder).toStdString());
  frame_.RequestRedraw();
}

void ModelsController::RebaseModelPaths(const QString& newSceneFile) {
  const QString oldBase = QString::fromStdString(ModelLibrary::Shared().BaseFolder());
  const QDir newBase = QFileInfo(newSceneFile).absoluteDir();
  if (oldBase.isEmpty() || QDir(oldBase) == newBase) return;
  bool changed = false;
  for (SceneObject& rec : frame_.Objects()) {
    if (rec.Shp != ShapeKind::Model || rec.Text.empty() || rec.Text[0] == '/') continue;
    const QString file = QDir(oldBase).absoluteFilePath(QFile::decodeName(rec.Text.c_str()));
    const QString relative = newBase.relativeFilePath(file);
    const QString stored = relative.startsWith(QStringLiteral("../")) ? file : relative;
    rec.Text = QFile::encodeName(stored).toStdString();
    changed = true;
  }
  if (changed) Q_EMIT sceneChanged(QStringLiteral("Model paths for ") + QFileInfo(newSceneFile).fileName());
}

void ModelsController::RebaseMergedPaths(const QString& mergedFile, const ObjectTable& before) {
  const QDir from = QFileInfo(mergedFile).absoluteDir();
  ObjectTable& table = frame_.Objects();
  for (size_t i = 0; i < table.size(); ++i) {
    SceneObject& rec = table[i];
    if (rec.Shp != ShapeKind::Model || rec.Text.empty() || rec.Text[0] == '/' || SameRecord(rec, before[i]))
      continue;
    const QString file = from.absoluteFilePath(QFile::decodeName(rec.Text.c_str()));
    rec.Text = QFile::encodeName(StoredModelPath(file)).toStdString();
  }
}

void ModelsController::ReloadAll() {
  ModelLibrary::Shared().ReloadAll();
  LibraryChanged();
}

void ModelsController::LibraryChanged() {
  ModelLibrary& lib = ModelLibrary::Shared();
  const std::vector<std::string> refused = lib.TakeMessages();
  const size_t pending = lib.Pending();
  if (!refused.empty()) {
    // The newest refusal; every one of them stays in the record's red box.
    status_.ShowStatus(QStringLiteral("Model not read: ") + QString::fromStdString(refused.back()));
  } else if (pending > 0) {
    status_.ShowStatus(QStringLiteral("Reading models: %1 left").arg(pending));
  } else {
    status_.ShowStatus(QStringLiteral("Models read"));
  }
  frame_.RequestRedraw();
}

int ModelsController::AddModelRecord(const QString& path) {
  const std::string text = QFile::encodeName(path).toStdString();
  if (BreaksFileField(text)) {
    Prompts::Get().Error(window_, QStringLiteral("A model path cannot hold a comma or a line break:\n") + path);
    return -1;
  }
  ObjectTable& table = frame_.Objects();
  int index = -1;
  for (int i = 0; i < kObjectCapacity && index < 0; ++i)
    if (!table[static_cast<size_t>(i)].Enbl) index = i;
  if (index < 0) {
    Prompts::Get().Error(window_, QStringLiteral("Every one of the 1000 records is in use; the model was not added."));
    return -1;
  }
  double at[2] = {0.0, 0.0};
  if (!ViewCentreOnFloor(frame_.Settings().view, at)) at[0] = at[1] = 0.0;
  SceneObject& rec = table[static_cast<size_t>(index)];
  const std::string name = rec.Name;
  InitializeRecords(&rec, 1);
  rec.Name = name;
  rec.Enbl = true;
  rec.Shp = ShapeKind::Model;
  rec.X = static_cast<float>(at[0]);
  rec.Y = static_cast<float>(at[1]);
  rec.Z = 0.0f;
  rec.Text = QFile::encodeName(StoredModelPath(path)).toStdString();
  Q_EMIT sceneChanged(QStringLiteral("Add model ") + QFileInfo(path).fileName());
  view_.SelectObject(index);
  frame_.RequestRedraw();
  return index;
}

bool ModelsController::DropFile(const QString& path) {
  if (path.isEmpty()) return false;
  if (IsSceneFile(path)) {
    Q_EMIT openRequested(path);
    return true;
  }
  if (ModelFormatOf(QFile::encodeName(path).toStdString()) == ModelFormat::Unknown) {
    status_.ShowStatus(QStringLiteral("Not a scene or model file: ") + QFileInfo(path).fileName());
    return false;
  }
  return AddModelRecord(path) >= 0;
}

bool ModelsController::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) return false;
  if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
    auto* e = static_cast<QDropEvent*>(event);
    const QString path = DraggedFile(e->mimeData());
    const bool wanted =
        !path.isEmpty() && (IsSceneFile(path) ||
                            ModelFormatOf(QFile::encodeName(path).toStdString()) != ModelFormat::Unknown);
    if (wanted) e->acceptProposedAction();
    else e->ignore();
    return true;
  }
  if (event->type() == QEvent::Drop) {
    auto* e = static_cast<QDropEvent*>(event);
    const QString path = DraggedFile(e->mimeData());
    // The question a scene file asks must not run inside the drag.
    QTimer::singleShot(0, this, Guarded(window_, [this, path] { DropFile(path); }));
    e->acceptProposedAction();
    return true;
  }
  return false;
}
