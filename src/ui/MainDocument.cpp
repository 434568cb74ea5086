// The main window's object table as a document: File and Edit menus, the
// title, the unsaved-changes question, undo, recent files, the recovery
// copy and the status bar fields.
#include "ui/MainDocument.h"
#include "ui/InterferenceController.h"
#include "ui/ModelsController.h"

#include <QApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocale>
#include <QMenuBar>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <algorithm>
#include <sys/stat.h>
#include <unistd.h>

#include "objects/FileAccess.h"
#include "objects/ObjectFile.h"
#include "objects/RecentFiles.h"
#include "ui/Handler.h"
#include "ui/Main.h"
#include "ui/Objectlist.h"
#include "ui/Prompts.h"

namespace {

const char* const kSceneFilter = "3D Data List file (*.3dl);;All files (*)";
// Written while the scene is modified; an unclean end leaves it behind.
constexpr int kRecoveryIntervalMs = 30000;

QString FileName(const QString& path) {
  return path.isEmpty() ? QStringLiteral("untitled") : QFileInfo(path).fileName();
}

// The recent files live with the user's settings, not with a scene.
QString SettingsPath() {
  return QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation) + QStringLiteral("/tessaly.ini");
}

std::vector<std::string> LoadRecent() {
  std::vector<std::string> list;
  const QSettings settings(SettingsPath(), QSettings::IniFormat);
  for (const QString& s : settings.value(QStringLiteral("RecentFiles")).toStringList())
    list.push_back(s.toStdString());
  return list;
}

void StoreRecent(const std::vector<std::string>& list) {
  QStringList out;
  for (const std::string& s : list) out << QString::fromStdString(s);
  QSettings(SettingsPath(), QSettings::IniFormat).setValue(QStringLiteral("RecentFiles"), out);
}

}  // namespace

// --- Menus and status bar --------------------------------------------------------------

void TForm1::BuildFileMenu() {
  if (!doc_) doc_ = std::make_unique<SceneDocument>();
  QMenu* file = menuBar()->addMenu(QStringLiteral("&File"));
  auto add = [this, file](const QString& text, QKeySequence key, auto handler) {
    QAction* a = file->addAction(text);
    a->setShortcut(key);
    connect(a, &QAction::triggered, this, Guarded(this, handler));
    return a;
  };
  add(QStringLiteral("New"), QKeySequence::New, [this] { FileNew(); });
  add(QStringLiteral("Open..."), QKeySequence::Open, [this] { FileOpen(); });
  // The laid-out "Load OBJ": loads into the table, other records stay.
  add(QStringLiteral("Merge..."), QKeySequence(), [this] { FileMerge(); });
  if (models_) models_->AddMenuEntries(file);
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
      connect(a, &QAction::triggered, this, Guarded(this, [this, path] {
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
  file->addSeparator();
  // Ctrl+Q, the close button and Alt+F4 all end in closeEvent's question.
  add(QStringLiteral("Exit"), QKeySequence::Quit, [this] { Btn_ExitClick(); });
}

void TForm1::BuildEditMenu() {
  QMenu* edit = menuBar()->addMenu(QStringLiteral("&Edit"));
  doc_->undo = edit->addAction(QStringLiteral("Undo"));
  doc_->undo->setShortcut(QKeySequence::Undo);
  connect(doc_->undo, &QAction::triggered, this, Guarded(this, [this] { EditUndo(); }));
  doc_->redo = edit->addAction(QStringLiteral("Redo"));
  doc_->redo->setShortcuts(
      {QKeySequence(QStringLiteral("Ctrl+Shift+Z")), QKeySequence(QStringLiteral("Ctrl+Y"))});
  connect(doc_->redo, &QAction::triggered, this, Guarded(this, [this] { EditRedo(); }));
}

void TForm1::BuildStatusBar() {
  // One line: file, selection, tool point, then the last message.
  // A long name or message is cut, never widens the window.
  auto field = [this](const char* name, int minWidth, int maxWidth) {
    auto* l = new QLabel(this);
    l->setObjectName(QString::fromLatin1(name));
    l->setMinimumWidth(minWidth);
    l->setMaximumWidth(maxWidth);
    statusBar()->addWidget(l);
    return l;
  };
  doc_->statusFile = field("StatusFile", 120, 240);
  doc_->statusSelection = field("StatusSelection", 160, 260);
  doc_->statusTool = field("StatusToolPoint", 220, 260);
  statusMessage_ = new QLabel(this);
  statusMessage_->setObjectName(QStringLiteral("StatusMessage"));
  statusMessage_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  statusBar()->addWidget(statusMessage_, 1);
  checks_->BuildStatusWidgets();
}

void TForm1::SetStatusSelection(const QString& text) {
  if (doc_ && doc_->statusSelection) doc_->statusSelection->setText(text);
}

QString TForm1::StatusSelection() const {
  return doc_ && doc_->statusSelection ? doc_->statusSelection->text() : QString();
}

void TForm1::StartDocument() {
  doc_->clock.start();
  doc_->history.Reset(objects_->data(), kObjectCapacity);
  doc_->recoveryTimer = new QTimer(this);
  doc_->recoveryTimer->setObjectName(QStringLiteral("Tim_Recovery"));
  doc_->recoveryTimer->setInterval(kRecoveryIntervalMs);
  connect(doc_->recoveryTimer, &QTimer::timeout, this, Guarded(this, [this] { WriteRecoveryCopy(); }));
  doc_->recoveryTimer->start();
  for (QAction* title : menuBar()->actions())
    if (title->menu()) DropEntryMnemonics(title->menu());
  UpdateDocumentState();
}

void TForm1::UpdateDocumentState() {
  if (!doc_) return;
  const bool modified = doc_->history.Modified();
  setWindowTitle(layoutCaption_ + QString::fromLatin1(kVersionText) + QStringLiteral(" - ") +
                 FileName(doc_->file) + (modified ? QStringLiteral(" *") : QString()));
  if (doc_->undo) {
    doc_->undo->setEnabled(doc_->history.CanUndo());
    doc_->undo->setText(UndoText());
    doc_->redo->setEnabled(doc_->history.CanRedo());
    doc_->redo->setText(RedoText());
  }
  if (doc_->statusFile) {
    doc_->statusFile->setText(FileName(doc_->file) + (modified ? QStringLiteral(" *") : QString()));
    doc_->statusFile->setToolTip(doc_->file);
  }
}

// --- Changes and history -------------------------------------------------------------

void TForm1::SceneChanged(const QString& label, const QString& mergeKey) {
  if (!doc_) return;
  const double now = static_cast<double>(doc_->clock.elapsed()) / 1000.0;
  if (!doc_->history.Commit(objects_->data(), kObjectCapacity, label.toStdString(), mergeKey.toStdString(),
                            now))
    return;
  ++doc_->changeCount;
  UpdateDocumentState();
}

void TForm1::MarkSceneModified() {
  doc_->history.MarkModified();
  ++doc_->changeCount;
  UpdateDocumentState();
}

bool TForm1::SceneModified() const {
  return doc_ && doc_->history.Modified();
}

QString TForm1::SceneFile() const {
  return doc_ ? doc_->file : QString();
}

QString TForm1::UndoText() const {
  // A file name's "&" would underline the next letter.
  const QString label =
      QString::fromStdString(doc_->history.UndoLabel()).replace(QLatin1Char('&'), QStringLiteral("&&"));
  return label.isEmpty() ? QStringLiteral("Undo") : QStringLiteral("Undo ") + label;
}

QString TForm1::RedoText() const {
  const QString label =
      QString::fromStdString(doc_->history.RedoLabel()).replace(QLatin1Char('&'), QStringLiteral("&&"));
  return label.isEmpty() ? QStringLiteral("Redo") : QStringLiteral("Redo ") + label;
}

void TForm1::EditUndo() {
  const QString what = QString::fromStdString(doc_->history.UndoLabel());
  if (doc_->history.Undo(objects_->data(), kObjectCapacity))
    AfterHistoryMove(QStringLiteral("Undone: ") + what);
}

void TForm1::EditRedo() {
  const QString what = QString::fromStdString(doc_->history.RedoLabel());
  if (doc_->history.Redo(objects_->data(), kObjectCapacity))
    AfterHistoryMove(QStringLiteral("Redone: ") + what);
}

void TForm1::AfterHistoryMove(const QString& what) {
  ++doc_->changeCount;
  UpdateDocumentState();
  if (ObjList && ObjList->isVisible()) ObjList->Rebuild();
  ShowStatus(what);
  RequestRedraw();
}

// --- Files -----------------------------------------------------------------------------

bool TForm1::WriteScene(const QString& path, const SaveOptions& options, QString* why) {
  std::string reason;
  // The view line goes right after the header while Keep View in Scene
  // is ticked.
  if (SaveObjects(QFile::encodeName(path).toStdString(), objects_->data(), kObjectCapacity, options, &reason,
                  SceneHeaderExtra()) == 1)
    return true;
  if (why) *why = QString::fromStdString(reason);
  return false;
}

void TForm1::ResetDocument(const QString& path) {
  doc_->file = path;
  if (models_) models_->SceneFileChanged(path);
  doc_->history.Reset(objects_->data(), kObjectCapacity);
  ++doc_->changeCount;
  RemoveRecoveryCopy();
  if (!path.isEmpty()) {
    std::vector<std::string> recent = LoadRecent();
    PushRecentFile(recent, QFileInfo(path).absoluteFilePath().toStdString());
    StoreRecent(recent);
  }
  if (ObjList && ObjList->isVisible()) ObjList->Rebuild();
  UpdateDocumentState();
  RequestRedraw();
}

void TForm1::SceneSaved(const QString& path) {
  doc_->file = path;
  if (models_) models_->SceneFileChanged(path);
  doc_->history.MarkSaved();
  RemoveRecoveryCopy();
  std::vector<std::string> recent = LoadRecent();
  PushRecentFile(recent, QFileInfo(path).absoluteFilePath().toStdString());
  StoreRecent(recent);
  ShowStatus(QStringLiteral("Saved ") + FileName(path));
  UpdateDocumentState();
}

QStringList TForm1::RecentFiles() const {
  QStringList out;
  for (const std::string& s : LoadRecent()) out << QString::fromStdString(s);
  return out;
}

bool TForm1::AskSaveChanges() {
  // Whatever wrote the table without saying so is caught here, so the
  // question never misses a change.
  SceneChanged(QStringLiteral("Edit"));
  while (SceneModified()) {
    switch (Prompts::Get().AskSave(this, QStringLiteral("Save changes to %1?").arg(FileName(doc_->file)),
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

void TForm1::FileNew() {
  if (!AskSaveChanges()) return;
  InitializeRecords(objects_->data(), kObjectCapacity);
  SetKeepViewInScene(false);
  checks_->SceneOpened(QString());
  ResetDocument(QString());
  ShowStatus(QStringLiteral("New scene"));
}

void TForm1::FileOpen() {
  if (!AskSaveChanges()) return;
  const QString path =
      Prompts::Get().OpenFile(this, QStringLiteral("Open"), QString::fromLatin1(kSceneFilter));
  if (!path.isEmpty()) OpenSceneFile(path);
}

bool TForm1::OpenSceneFile(const QString& path) {
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
    ShowStatus(QStringLiteral("%1 was not opened: it is not a scene file; the scene stays as it was")
                   .arg(info.fileName()));
    return false;
  }
  *objects_ = *table;
  // Opening (not merging) brings the view the scene keeps, and its
  // allowed contacts.
  ApplyViewOfScene(path);
  checks_->SceneOpened(path);
  if (reported > 0) {
    // What the reader could not take would be lost if Save wrote over the
    // file: the scene stays untitled and modified.
    ResetDocument(QString());
    MarkSceneModified();
    ShowStatus(QStringLiteral("Opened %1 objects from %2 with errors; saved only under a new name")
                   .arg(n)
                   .arg(info.fileName()));
    return true;
  }
  ResetDocument(path);
  ShowStatus(QStringLiteral("Opened %1 objects from %2").arg(n).arg(info.fileName()));
  return true;
}

void TForm1::FileMerge() {
  Btn_Load_OBJClick();
}

bool TForm1::FileSave() {
  SceneChanged(QStringLiteral("Edit"));
  if (doc_->file.isEmpty()) return SaveSceneAs();
  QString why;
  if (!WriteScene(doc_->file, SaveOptions(), &why)) {
    ShowStatus(QStringLiteral("Object data could not be saved to: %1 (%2)").arg(doc_->file, why));
    Prompts::Get().Error(this, QStringLiteral("Object data could not be saved to: %1\n(%2)").arg(doc_->file, why));
    return false;
  }
  SceneSaved(doc_->file);
  return true;
}

// --- Recovery --------------------------------------------------------------------------

void TForm1::SetRecoveryFolder(const QString& folder) {
  RemoveRecoveryCopy();
  doc_->recoveryLock.reset();
  doc_->recoveryFolder = folder;
}

QString TForm1::RecoveryFolder() const {
  if (!doc_->recoveryFolder.isEmpty()) return doc_->recoveryFolder;
  return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) + QStringLiteral("/recovery");
}

QString TForm1::RecoveryFile() const {
  return RecoveryFolder() + QStringLiteral("/scene-%1.3dl").arg(QCoreApplication::applicationPid());
}

void TForm1::SetRecoveryInterval(int ms) {
  doc_->recoveryTimer->setInterval(std::max(ms, 1));
}

void TForm1::WriteRecoveryCopy() {
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
    ShowStatus(QStringLiteral("No recovery copy is kept: %1").arg(QString::fromStdString(why)));
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
    ShowStatus(QStringLiteral("The recovery copy could not be written: %1").arg(failed));
}

void TForm1::RemoveRecoveryCopy() {
  if (!doc_) return;
  if (doc_->recoveredAt >= 0 || QFileInfo::exists(RecoveryFile())) QFile::remove(RecoveryFile());
  doc_->recoveredAt = -1;
}

bool TForm1::OfferRecovery() {
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
            this, QStringLiteral("Recover unsaved scene from %1?\n(Cancel discards it.)").arg(when),
            QStringLiteral("Recover"))) {
      QFile::remove(copy.absoluteFilePath());
      continue;
    }
    auto table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    const int n = LoadObjects(
        QFile::encodeName(copy.absoluteFilePath()).toStdString(), table->data(), kObjectCapacity, textures_,
        [this](const std::string& m) { Prompts::Get().Error(this, QString::fromStdString(m)); });
    if (n < 0) continue;
    *objects_ = *table;
    // The view the run kept in its scene comes back with it.
    ApplyViewOfScene(copy.absoluteFilePath());
    checks_->SceneOpened(copy.absoluteFilePath());
    ResetDocument(QString());
    MarkSceneModified();
    // Our own copy first, then the old one goes.
    WriteRecoveryCopy();
    QFile::remove(copy.absoluteFilePath());
    ShowStatus(QStringLiteral("Recovered %1 objects from %2").arg(n).arg(when));
    return true;
  }
  return false;
}
