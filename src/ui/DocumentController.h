#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "objects/FileAccess.h"
#include "objects/SceneObject.h"

class FrameDriver;
class InterferenceController;
class ModelsController;
class QMenu;
class QMenuBar;
class QWidget;
class StatusLine;
class ViewController;
struct MainControls;
struct SceneDocument;
struct WindowSet;

// The object table as a document: File and Edit, the window's title, the
// question about unsaved changes, undo and redo, recent files, the
// recovery copy, merging ("Load OBJ"), saving the scene and the picture.
class DocumentController : public QObject {
  Q_OBJECT
 public:
  // caption: the window's title in front of " - <file>".
  DocumentController(QWidget* window, const QString& caption, MainControls& ui, FrameDriver& frame,
                     StatusLine& status, ViewController& view, InterferenceController& checks,
                     ModelsController& models, const WindowSet& windows);
  ~DocumentController() override;

  // New ... Save Image (the caller adds Exit), and Undo, Redo.
  QMenu* AddFileMenu(QMenuBar* bar);
  QMenu* AddEditMenu(QMenuBar* bar);
  // The history starts at the table as it is; the recovery timer runs.
  void Start();

  // Every change to the object table ends here: it becomes one undo step
  // named label and marks the scene modified. Writes with the same
  // non-empty mergeKey less than a second apart are one step.
  void SceneChanged(const QString& label, const QString& mergeKey = QString());
  // A change the scene file keeps outside the table: modified until saved.
  void MarkSceneModified();
  bool SceneModified() const;
  // The scene's file, empty while untitled.
  QString SceneFile() const;
  void FileNew();
  void FileOpen();
  // The table back to its defaults, then path loaded; false when the file
  // cannot be read (nothing changes then).
  bool OpenSceneFile(const QString& path);
  void FileMerge();
  // Saves to the scene's file (Save As while untitled); true when written.
  bool FileSave();
  // The whole table to a scene file the operator names; true when written.
  bool SaveSceneAs();
  // Writes the table to path through the program's safe save; false with
  // *why (if given) when it could not.
  bool WriteScene(const QString& path, const SaveOptions& options = SaveOptions(), QString* why = nullptr);
  // What a save writes right after the header: the view line while Keep
  // View in Scene is ticked, then the allowed contacts.
  std::string SceneHeaderExtra() const;
  // "Save changes to <file>?" while modified; false when the operator
  // chose Cancel, so whatever asked must stop.
  bool AskSaveChanges();
  void EditUndo();
  void EditRedo();
  QString UndoText() const;
  QString RedoText() const;
  QStringList RecentFiles() const;

  // Loads a scene file into the table, reporting through message boxes;
  // returns the reader's result (objects read, 0 on an error, -1 unreadable).
  // Every load is one undo step; reported counts the loader's messages.
  int LoadSceneFile(const QString& path, int* reported = nullptr);
  // Reads a scene file into table (kObjectCapacity records), showing the
  // reader's messages (counted in *reported) and why a file cannot be
  // opened; *refused when it is no scene. The loader's result.
  int ReadSceneInto(const QString& path, SceneObject* table, int* reported, bool* refused);
  void Btn_Load_OBJClick(QObject* Sender = nullptr);
  // The picture to a PNG file the operator names.
  void SaveImageAs();
  // Writes the frame as PNG with the safe save; *why says why not.
  bool SaveImage(const QString& path, QString* why = nullptr, bool writeThrough = false);

  // The recovery copy: where it goes, how often it is written (ms), and
  // the offer, at start, of a copy an unclean end left behind.
  void SetRecoveryFolder(const QString& folder);
  QString RecoveryFolder() const;
  QString RecoveryFile() const;
  void SetRecoveryInterval(int ms);
  void WriteRecoveryCopy();
  void RemoveRecoveryCopy();
  bool OfferRecovery();

 private:
  void UpdateDocumentState();
  // Keep View or the allowed contacts changed what Save writes above the
  // records.
  void HeaderChanged();
  // The scene is now path, as saved (or loaded); the history starts over
  // when fresh is set.
  void SceneSaved(const QString& path);
  void ResetDocument(const QString& path);
  void AfterHistoryMove(const QString& what);

  QWidget* window_;
  QString caption_;
  MainControls& ui_;
  FrameDriver& frame_;
  StatusLine& status_;
  ViewController& view_;
  InterferenceController& checks_;
  ModelsController& models_;
  const WindowSet& windows_;
  std::unique_ptr<SceneDocument> doc_;
};
