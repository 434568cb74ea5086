#include "ui/DocumentController.h"

#include <QAction>
#include <QApplication>
#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QLocale>
#include <QLockFile>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QTimer>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

#include "objects/ObjectFile.h"
#include "objects/RecentFiles.h"
#include "objects/SceneHistory.h"
#include "ui/FrameDriver.h"
#include "ui/GlPanel.h"
#include "ui/Handler.h"
#include "ui/InterferenceController.h"
#include "ui/MainControls.h"
#include "ui/ModelsController.h"
#include "ui/Objectlist.h"
#include "ui/Prompts.h"
#include "ui/StatusLine.h"
#include "ui/UserSettings.h"
#include "ui/ViewController.h"
#include "ui/WindowSet.h"
#include "ui/Wiring.h"

// What makes the object table a document: its file, the undo history with
// the modified flag, the recovery copy and the menu entries that show them.
struct SceneDocument {
  QString file;  // empty while untitled
  SceneHistory history;
  QElapsedTimer clock;  // merge windows of the history

  QAction* undo = nullptr;
  QAction* redo = nullptr;
  QMenu* recentMenu = nullptr;

  // The recovery copy of this run: written while modified, every interval.
  QTimer* recoveryTimer = nullptr;
  QString recoveryFolder;
  std::unique_ptr<QLockFile> recoveryLock;
  long changeCount = 0;   // every recorded change, undo and redo
  long recoveredAt = -1;  // changeCount when the copy was last written
  // The lines above the records (view, allowed contacts) as last saved or
  // opened, and whether they differ now.
  std::string savedHeader;
  bool headerDiffers = false;
};

namespace {

const char* const kSceneFilter = "3D Data List file (*.3dl);;All files (*)";
// Written while the scene is modified; an unclean end leaves it behind.
constexpr int kRecoveryIntervalMs = 30000;

QString FileName(const QString& path) {
  return path.isEmpty() ? QStringLiteral("untitled") : QFileInfo(path).fileName();
}


std::vector<std::string> LoadRecent() {
  std::vector<std::string> list;
  // The recent files live with the user's settings, not with a scene.
  const QSettings settings(UserSettingsFile(), QSettings::IniFormat);
  for (const QString& s : settings.value(QStringLiteral("RecentFiles")).toStringList())
    list.push_back(s.toStdString());
  return list;
}

void StoreRecent(const std::vector<std::string>& list) {
  QStringList out;
  for (const std::string& s : list) out << QString::fromStdString(s);
  QSettings(UserSettingsFile(), QSettings::IniFormat).setValue(QStringLiteral("RecentFiles"), out);
}

}  // namespace

DocumentController::DocumentController(QWidget* window, const QString& caption, MainControls& ui,
                                       FrameDriver& frame, StatusLine& status, ViewController& view,
                                       InterferenceController& checks, ModelsController& models,
                                       const WindowSet& windows)
    : QObject(window),
      window_(window),
      caption_(caption),
      ui_(ui),
      frame_(frame),
      status_(status),
      view_(view),
      checks_(checks),
      models_(models),
      windows_(windows),
      doc_(std::make_unique<SceneDocument>()) {
  frame_.revisions = [this] { return doc_->history.Revisions(); };
  OnClick(ui_.Btn_Load_OBJ, this, window_, [this] { Btn_Load_OBJClick(); });
  // Changes kept outside the table.
  connect(&view_, &ViewController::keepViewToggled, this, [this] { HeaderChanged(); });
  connect(&checks_, &InterferenceController::allowedChanged, this, [this] { HeaderChanged(); });
  connect(&models_, &ModelsController::sceneChanged, this, [this](const QString& label) { SceneChanged(label); });
  connect(&models_, &ModelsController::openRequested, this, Guarded(window_, [this](const QString& path) {
            if (AskSaveChanges()) OpenSceneFile(path);
          }));
}

DocumentController::~DocumentController() {
  // A clean end leaves no recovery copy behind.
  RemoveRecoveryCopy();
}

std::string DocumentController::SceneHeaderExtra() const {
  return view_.ViewLine() + checks_.AllowLine();
}

QMenu* DocumentController::AddFileMenu(QMenuBar* bar) {
  QMenu* file = bar->addMenu(QStringLiteral("&File"));
  auto add = [this, file](const QString& text, QKeySequence key, auto handler) {
    QAction* a = file->addAction(text);
    a->setShortcut(key);
    connect(a, &QAction::triggered, this, Guarded(window_, handler));
    return a;
  };
  add(QStringLiteral("New"), QKeySequence::New, [this] { FileNew(); });
  add(QStringLiteral("Open..."), QKeySequence::Open, [this] { FileOpen(); });
  // The laid-out "Load OBJ": loads into the table, other records stay.
  add(QStringLiteral("Merge..."), QKeySequence(), [this] { FileMerge(); });
  models_.AddMenuEntries(file);
  file->addSeparator();
  add(QStringLiteral("Save"), QKeySequence::Save, [this] { FileSave(); });
  add(QStringLiteral("Save As..."), QKeySequence(QStringLiteral("Ctrl+Shift+S")), [this] { SaveSceneAs(); });
  file->addSeparator();
  doc_->recentMenu = file->addMenu(QStringLiteral("Recent Files"));
  connect(doc_->recentMenu, &QMenu::aboutToShow, this, [this] {
    QMenu* m = doc_->recentMenu;
    m->clear();
    int n = 0;
    for (const QString& path : RecentFiles()) {
      QAction* a = m->addAction(QStringLiteral("%1 %2").arg(++n).arg(
          QString(path).replace(QLatin1Char('&'), QStringLiteral("&&"))));
      connect(a, &QAction::triggered, this, Guarded(window_, [this, path] {
                if (!AskSaveChanges() || OpenSceneFile(path) || QFileInfo::exists(path)) return;
                // A file that is gone leaves the list.
                std::vector<std::string> recent = LoadRecent();
                recent.erase(std::remove(recent.begin(), recent.end(), path.toStdString()), recent.end());
                StoreRecent(recent);
              }));
    }
    if (n == 0) m->addAction(QStringLiteral("(none)"))->setEnabled(false);
  });
  file->addSeparator();
  add(QStringLiteral("Save Image..."), QKeySequence(), [this] { SaveImageAs(); });
  return file;
}

QMenu* DocumentController::AddEditMenu(QMenuBar* bar) {
  QMenu* edit = bar->addMenu(QStringLiteral("&Edit"));
  doc_->undo = edit->addAction(QStringLiteral("Undo"));
  doc_->undo->setShortcut(QKeySequence::Undo);
  connect(doc_->undo, &QAction::triggered, this, Guarded(window_, [this] { EditUndo(); }));
  doc_->redo = edit->addAction(QStringLiteral("Redo"));
  doc_->redo->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  connect(doc_->redo, &QAction::triggered, this, Guarded(window_, [this] { EditRedo(); }));
  return edit;
}

void DocumentController::Start() {
  doc_->clock.start();
  doc_->history.Reset(frame_.Objects().data(), kObjectCapacity);
  doc_->recoveryTimer = new QTimer(window_);
  doc_->recoveryTimer->setObjectName(QStringLiteral("Tim_Recovery"));
  doc_->recoveryTimer->setInterval(kRecoveryIntervalMs);
  connect(doc_->recoveryTimer, &QTimer::timeout, this, Guarded(window_, [this] { WriteRecoveryCopy(); }));
  doc_->recoveryTimer->start();
  UpdateDocumentState();
}

void DocumentController::UpdateDocumentState() {
  if (!doc_) return;
  const bool modified = SceneModified();
  window_->setWindowTitle(caption_ + QStringLiteral(" - ") +
                 FileName(doc_->file) + (modified ? QStringLiteral(" *") : QString()));
  if (doc_->undo) {
    doc_->undo->setEnabled(doc_->history.CanUndo());
    doc_->undo->setText(UndoText());
    doc_->redo->setEnabled(doc_->history.CanRedo());
    // A menu shows one shortcut of an entry; Redo has two.
    doc_->redo->setText(RedoText() + QLatin1Char('\t') +
                        QKeySequence::listToString(doc_->redo->shortcuts(), QKeySequence::NativeText)
                            .replace(QStringLiteral("; "), QStringLiteral(", ")));
  }
  status_.SetFile(FileName(doc_->file) + (modified ? QStringLiteral(" *") : QString()), doc_->file);
}

void DocumentController::SceneChanged(const QString& label, const QString& mergeKey) {
  if (!doc_) return;
  const double now = static_cast<double>(doc_->clock.elapsed()) / 1000.0;
  if (!doc_->history.Commit(frame_.Objects().data(), kObjectCapacity, label.toStdString(), mergeKey.toStdString(),
                            now))
    return;
  ++doc_->changeCount;
  UpdateDocumentState();
  view_.TableChanged();
}

void DocumentController::HeaderChanged() {
  // Modified while the lines Save writes above the records differ from the
  // file's: ticking Keep View and unticking it again is no change.
  doc_->headerDiffers = SceneHeaderExtra() != doc_->savedHeader;
  ++doc_->changeCount;
  UpdateDocumentState();
}

void DocumentController::MarkSceneModified() {
  doc_->history.MarkModified();
  ++doc_->changeCount;
  UpdateDocumentState();
}

bool DocumentController::SceneModified() const {
  return doc_ && (doc_->history.Modified() || doc_->headerDiffers);
}

QString DocumentController::SceneFile() const {
  return doc_ ? doc_->file : QString();
}

QString DocumentController::UndoText() const {
  // A file name's "&" would underline the next letter.
  const QString label =
      QString::fromStdString(doc_->history.UndoLabel()).replace(QLatin1Char('&'), QStringLiteral("&&"));
  return label.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + label;
}

QString DocumentController::RedoText() const {
  const QString label =
      QString::fromStdString(doc_->history.RedoLabel()).replace(QLatin1Char('&'), QStringLiteral("&&"));
  return label.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + label;
}

void DocumentController::EditUndo() {
  const QString what = QString::fromStdString(doc_->history.UndoLabel());
  if (doc_->history.Undo(frame_.Objects().data(), kObjectCapacity))
    AfterHistoryMove(QStringLiteral("Undone: ") + what);
}

void DocumentController::EditRedo() {
  const QString what = QString::fromStdString(doc_->history.RedoLabel());
  if (doc_->history.Redo(frame_.Objects().data(), kObjectCapacity))
    AfterHistoryMove(QStringLiteral("Redone: ") + what);
}

void DocumentController::AfterHistoryMove(const QString& what) {
  ++doc_->changeCount;
  UpdateDocumentState();
  if (windows_.objectList && windows_.objectList->isVisible()) windows_.objectList->Rebuild();
  view_.TableChanged();
  status_.ShowStatus(what);
  frame_.RequestRedraw();
}

bool DocumentController::WriteScene(const QString& path, const SaveOptions& options, QString* why) {
  std::string reason;
  // The view line goes right after the header while Keep View in Scene
  // is ticked.
  if (SaveObjects(QFile::encodeName(path).toStdString(), frame_.Objects().data(), kObjectCapacity, options, &reason,
                  SceneHeaderExtra()) == 1)
    return true;
  if (why) *why = QString::fromStdString(reason);
  return false;
}

void DocumentController::ResetDocument(const QString& path) {
  doc_->file = path;
  models_.SceneFileChanged(path);
  doc_->history.Reset(frame_.Objects().data(), kObjectCapacity);
  doc_->savedHeader = SceneHeaderExtra();
  doc_->headerDiffers = false;
  ++doc_->changeCount;
  RemoveRecoveryCopy();
  // Another scene: nothing of it is selected yet.
  if (!view_.Selection().empty()) view_.SelectObject(-1);
  if (!path.isEmpty()) {
    std::vector<std::string> recent = LoadRecent();
    PushRecentFile(recent, QFileInfo(path).absoluteFilePath().toStdString());
    StoreRecent(recent);
  }
  if (windows_.objectList && windows_.objectList->isVisible()) windows_.objectList->Rebuild();
  UpdateDocumentState();
  frame_.RequestRedraw();
}

void DocumentController::SceneSaved(const QString& path) {
  doc_->file = path;
  models_.SceneFileChanged(path);
  doc_->history.MarkSaved();
  doc_->savedHeader = SceneHeaderExtra();
  doc_->headerDiffers = false;
  RemoveRecoveryCopy();
  std::vector<std::string> recent = LoadRecent();
  PushRecentFile(recent, QFileInfo(path).absoluteFilePath().toStdString());
  StoreRecent(recent);
  status_.ShowStatus(QStringLiteral("Saved ") + FileName(path));
  UpdateDocumentState();
}

QStringList DocumentController::RecentFiles() const {
  QStringList out;
  for (const std::string& s : LoadRecent()) out << QString::fromStdString(s);
  return out;
}

bool DocumentController::AskSaveChanges() {
  // Whatever wrote the table without saying so is caught here, so the
  // question never misses a change.
  SceneChanged(QStringLiteral("Edit"));
  while (SceneModified()) {
    switch (Prompts::Get().AskSave(window_, QStringLiteral("Save changes to %1?").arg(FileName(doc_->file)),
                                   QApplication::applicationName())) {
      case Prompts::AnswerSave:
        // A save that failed or was cancelled asks again.
        if (FileSave()) return true;
        break;
      case Prompts::AnswerDiscard:
        return true;
      case Prompts::AnswerCancel:
        return false;
    }
  }
  return true;
}

void DocumentController::FileNew() {
  if (!AskSaveChanges()) return;
  InitializeRecords(frame_.Objects().data(), kObjectCapacity);
  view_.SetKeepViewInScene(false);
  checks_.SceneOpened(QString());
  ResetDocument(QString());
  status_.ShowStatus(QStringLiteral("New scene"));
}

void DocumentController::FileOpen() {
  if (!AskSaveChanges()) return;
  const QString path =
      Prompts::Get().OpenFile(window_, QStringLiteral("Open"), QString::fromLatin1(kSceneFilter));
  if (!path.isEmpty()) OpenSceneFile(path);
}

bool DocumentController::OpenSceneFile(const QString& path) {
  const QFileInfo info(path);
  // Read into a table of its own: a file that cannot be read, or that is
  // no scene, costs nothing of the scene on screen and never becomes the
  // scene's file (a Save would write over it).
  auto table = std::make_unique<ObjectTable>();
  InitializeRecords(table->data(), kObjectCapacity);
  int reported = 0;
  bool refused = false;
  const int n = ReadSceneInto(path, table->data(), &reported, &refused);
  if (n < 0) return false;
  if (refused) {
    status_.ShowStatus(QStringLiteral("%1 was not opened: it is not a scene file; the scene stays as it was")
                   .arg(info.fileName()));
    return false;
  }
  frame_.Objects() = *table;
  // Opening (not merging) brings the view the scene keeps, and its
  // allowed contacts.
  view_.ApplyViewOfScene(path);
  checks_.SceneOpened(path);
  if (reported > 0) {
    // What the reader could not take would be lost if Save wrote over the
    // file: the scene stays untitled and modified.
    ResetDocument(QString());
    MarkSceneModified();
    status_.ShowStatus(QStringLiteral("Opened %1 objects from %2 with errors; saved only under a new name")
                   .arg(n)
                   .arg(info.fileName()));
    return true;
  }
  ResetDocument(path);
  status_.ShowStatus(QStringLiteral("Opened %1 objects from %2").arg(n).arg(info.fileName()));
  return true;
}

void DocumentController::FileMerge() {
  Btn_Load_OBJClick();
}

bool DocumentController::FileSave() {
  SceneChanged(QStringLiteral("Edit"));
  if (doc_->file.isEmpty()) return SaveSceneAs();
  QString why;
  if (!WriteScene(doc_->file, SaveOptions(), &why)) {
    status_.ShowStatus(QStringLiteral("Object data could not be saved to: %1 (%2)").arg(doc_->file, why));
    Prompts::Get().Error(window_, QStringLiteral("Object data could not be saved to: %1\n(%2)").arg(doc_->file, why));
    return false;
  }
  SceneSaved(doc_->file);
  return true;
}

void DocumentController::SetRecoveryFolder(const QString& folder) {
  RemoveRecoveryCopy();
  doc_->recoveryLock.reset();
  doc_->recoveryFolder = folder;
}

QString DocumentController::RecoveryFolder() const {
  if (!doc_->recoveryFolder.isEmpty()) return doc_->recoveryFolder;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString DocumentController::RecoveryFile() const {
  return RecoveryFolder() + QStringLiteral("/scene-%1.3dl").arg(QCoreApplication::applicationPid());
}

void DocumentController::SetRecoveryInterval(int ms) {
  doc_->recoveryTimer->setInterval(std::max(ms, 1));
}

void DocumentController::WriteRecoveryCopy() {
  SceneChanged(QStringLiteral("Edit"));
  if (!SceneModified()) {
    RemoveRecoveryCopy();
    return;
  }
  if (doc_->recoveredAt == doc_->changeCount) return;
  // The copies hold the user's work: a folder of theirs alone, never
  // reached through a link someone planted there.
  std::string why;
  if (!MakePrivateFolder(QFile::encodeName(RecoveryFolder()).toStdString(), &why)) {
    status_.ShowStatus(QStringLiteral("No recovery copy is kept: %1").arg(QString::fromStdString(why)));
    return;
  }
  if (!doc_->recoveryLock) {
    // The lock tells the next start whether this run still owns its copy.
    auto lock = std::make_unique<QLockFile>(
        RecoveryFolder() + QStringLiteral("/scene-%1.lock").arg(QCoreApplication::applicationPid()));
    lock->setStaleLockTime(0);
    if (!lock->tryLock(0)) return;
    doc_->recoveryLock = std::move(lock);
  }
  // The writer writes beside the target and renames, so a copy is never
  // half written.
  SaveOptions options;
  options.privateFile = true;
  QString failed;
  if (WriteScene(RecoveryFile(), options, &failed))
    doc_->recoveredAt = doc_->changeCount;
  else
    status_.ShowStatus(QStringLiteral("The recovery copy could not be written: %1").arg(failed));
}

void DocumentController::RemoveRecoveryCopy() {
  if (!doc_) return;
  if (doc_->recoveredAt >= 0 || QFileInfo::exists(RecoveryFile())) QFile::remove(RecoveryFile());
  doc_->recoveredAt = -1;
}

bool DocumentController::OfferRecovery() {
  QDir dir(RecoveryFolder());
  // Only a folder of this user's alone holds copies worth offering.
  struct stat folder {};
  if (::lstat(QFile::encodeName(RecoveryFolder()).constData(), &folder) != 0 || !S_ISDIR(folder.st_mode) ||
      folder.st_uid != ::geteuid())
    return false;
  const QFileInfoList copies = dir.entryInfoList({QStringLiteral("scene-*.3dl")}, QDir::Files | QDir::NoSymLinks,
                                                 QDir::Time);  // newest first
  const QString own = QFileInfo(RecoveryFile()).absoluteFilePath();
  for (const QFileInfo& copy : copies) {
    if (copy.absoluteFilePath() == own) continue;
    struct stat st {};
    if (::lstat(QFile::encodeName(copy.absoluteFilePath()).constData(), &st) != 0 || !S_ISREG(st.st_mode) ||
        st.st_uid != ::geteuid())
      continue;
    // A copy whose program still runs is locked; one left by an unclean
    // end is not (its lock is stale or gone).
    QLockFile lock(dir.filePath(copy.completeBaseName() + QStringLiteral(".lock")));
    lock.setStaleLockTime(0);
    if (!lock.tryLock(0)) continue;
    const QString when = QLocale().toString(copy.lastModified(), QLocale::ShortFormat);
    if (!Prompts::Get().ConfirmOffer(
            window_, QStringLiteral("Recover unsaved scene from %1?\n(Cancel discards it.)").arg(when),
            QStringLiteral("Recover"))) {
      QFile::remove(copy.absoluteFilePath());
      continue;
    }
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    const int n = LoadObjects(
        QFile::encodeName(copy.absoluteFilePath()).toStdString(), table->data(), kObjectCapacity, frame_.Textures(),
        [this](const std::string& m) { Prompts::Get().Error(window_, QString::fromStdString(m)); });
    if (n < 0) continue;
    frame_.Objects() = *table;
    // The view the run kept in its scene comes back with it.
    view_.ApplyViewOfScene(copy.absoluteFilePath());
    checks_.SceneOpened(copy.absoluteFilePath());
    ResetDocument(QString());
    MarkSceneModified();
    // Our own copy first, then the old one goes.
    WriteRecoveryCopy();
    QFile::remove(copy.absoluteFilePath());
    status_.ShowStatus(QStringLiteral("Recovered %1 objects from %2").arg(n).arg(when));
    return true;
  }
  return false;
}

int DocumentController::ReadSceneInto(const QString& path, SceneObject* table, int* reported, bool* refused) {
  std::string why;
  const int n = LoadObjects(
      QFile::encodeName(path).toStdString(), table, kObjectCapacity, frame_.Textures(),
      [this, reported](const std::string& m) {
        ++*reported;
        Prompts::Get().Error(window_, QString::fromStdString(m));
      },
      &why, refused);
  if (n < 0) {
    status_.ShowStatus(QStringLiteral("Cannot open the file: %1 (%2)").arg(path, QString::fromStdString(why)));
    Prompts::Get().Error(window_, QStringLiteral("Cannot open the file: %1\n(%2)").arg(path, QString::fromStdString(why)));
  }
  return n;
}

int DocumentController::LoadSceneFile(const QString& path, int* reported) {
  int messages = 0;
  bool refused = false;
  // What the merge writes is found by comparing with the table before it.
  const auto before = std::make_unique<ObjectTable>(frame_.Objects());
  const int n = ReadSceneInto(path, frame_.Objects().data(), &messages, &refused);
  if (n > 0) models_.RebaseMergedPaths(path, *before);
  if (reported) *reported = messages;
  if (refused) {
    // Nothing of it reached the table.
    status_.ShowStatus(QStringLiteral("%1 was not merged: it is not a scene file").arg(QFileInfo(path).fileName()));
    return 0;
  }
  if (n >= 0 && windows_.objectList && windows_.objectList->isVisible()) windows_.objectList->Rebuild();
  if (n > 0) frame_.RequestRedraw();
  if (n >= 0) {
    const QString name = QFileInfo(path).fileName();
    SceneChanged(QStringLiteral("Merge ") + name);
    status_.ShowStatus(QStringLiteral("Merged %1 objects from %2").arg(n).arg(name) +
               (messages > 0 ? QStringLiteral(" (%1 errors)").arg(messages) : QString()));
  }
  return n;
}

void DocumentController::Btn_Load_OBJClick(QObject*) {
  const QString path =
      Prompts::Get().OpenFile(window_, QStringLiteral("Load OBJ"), QStringLiteral("3D Data List file (*.3dl);;All files (*)"));
  if (path.isEmpty()) return;
  LoadSceneFile(path);
}

bool DocumentController::SaveSceneAs() {
  QString path =
      Prompts::Get().SaveFile(window_, QStringLiteral("Save OBJ"), QStringLiteral("3D Data List file (*.3dl)"));
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".3dl");
  SaveOptions options;
  if (!ConfirmSaveTarget(window_, path, QStringLiteral("Save OBJ"), &options)) return false;
  // Model files keep being found from the new folder.
  models_.RebaseModelPaths(path);
  QString why;
  if (!WriteScene(path, options, &why)) {
    status_.ShowStatus(QStringLiteral("Object data could not be saved to: %1 (%2)").arg(path, why));
    Prompts::Get().Error(window_, QStringLiteral("Object data could not be saved to: %1\n(%2)").arg(path, why));
    return false;
  }
  // The status line says so ("Saved <file>"); no box to click away.
  SceneSaved(path);
  return true;
}

bool DocumentController::SaveImage(const QString& path, QString* why, bool writeThrough) {
  frame_.DrawFrame();
  const QImage img = ui_.Pnl_GL->grabFramebuffer();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (img.isNull() || !img.save(&buffer, "PNG")) {
    if (why) *why = QStringLiteral("the picture cannot be made");
    return false;
  }
  // The program's safe save: a full disk leaves the old picture, never an
  // empty one.
  SaveOptions options;
  options.writeThroughSpecial = writeThrough;
  std::string reason;
  if (SaveFileContents(QFile::encodeName(path).toStdString(),
                       std::string(png.constData(), static_cast<size_t>(png.size())), options, &reason))
    return true;
  if (why) *why = QString::fromStdString(reason);
  return false;
}

void DocumentController::SaveImageAs() {
  QString path = Prompts::Get().SaveFile(window_, QStringLiteral("Save Image"), QStringLiteral("PNG image (*.png)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
  SaveOptions options;
  if (!ConfirmSaveTarget(window_, path, QStringLiteral("Save Image"), &options)) return;
  QString why;
  if (!SaveImage(path, &why, options.writeThroughSpecial)) {
    status_.ShowStatus(QStringLiteral("The image could not be saved to: %1 (%2)").arg(path, why));
    Prompts::Get().Error(window_, QStringLiteral("The image could not be saved to: %1\n(%2)").arg(path, why));
    return;
  }
  status_.ShowStatus(QStringLiteral("Saved the picture to %1").arg(QDir::toNativeSeparators(path)));
}
