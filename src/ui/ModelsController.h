#pragma once

#include <QObject>
#include <QString>

#include "objects/SceneObject.h"

struct SaveOptions;
class QAction;
class QMenu;
class QTimer;
class FrameDriver;
class QWidget;
class StatusLine;
class ViewController;

// The main window's model files: it tells the status line what is being
// read and what was refused, redraws when a model arrives, reads a file
// again when it changes on disk (File > Reload Models reads them all),
// keeps relative paths starting at the scene's folder, and takes files
// dropped on the window: a model file becomes a Model record at the
// middle of the picture, a scene file is opened.

class ModelsController : public QObject {
  Q_OBJECT
 public:
  ModelsController(QWidget* window, FrameDriver& frame, StatusLine& status, ViewController& view);
  ~ModelsController() override;

  // The File menu's entries (Reload Models, Export...).
  void AddMenuEntries(QMenu* file);
  // Before the scene is saved into another folder: every Model record's
  // relative path is rewritten to name the same file from there (relative
  // when inside it, absolute otherwise), as one undo step.
  void RebaseModelPaths(const QString& newSceneFile);
  // After a merge of mergedFile: the records it wrote (those that differ
  // from before) that name a model by a relative path named it from that
  // file's folder; they are rewritten to name the same file from this
  // scene's. No undo step of its own: the merge's takes it in.
  void RebaseMergedPaths(const QString& mergedFile, const ObjectTable& before);
  // The scene's file is now path (empty: untitled).
  void SceneFileChanged(const QString& path);
  void ReloadAll();
  // File > Export...: what the picture shows, to a file the user names.
  void ExportScene();
  // Writes what the picture shows to path (.glb, .gltf, .stl or .obj) and
  // its companions through the safe save; "" or why not.
  QString ExportTo(const QString& path, const SaveOptions& options);
  // A file dropped on the window, as if by the mouse; true when taken.
  bool DropFile(const QString& path);
  // Adds a Model record of path at the middle of the picture on the floor,
  // in the first free record, as one undo step; its index or -1.
  int AddModelRecord(const QString& path);

  QTimer* fileTimer() const { return fileTimer_; }

 Q_SIGNALS:
  // A change to the table, as one undo step with this label.
  void sceneChanged(const QString& label);
  // A scene file was dropped: it is to be opened (after the question
  // about unsaved changes).
  void openRequested(const QString& path);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void LibraryChanged();

  QWidget* window_;
  FrameDriver& frame_;
  StatusLine& status_;
  ViewController& view_;
  QTimer* fileTimer_ = nullptr;
};
