#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <string>

#include "collision/Interference.h"
#include "motion/CellMotions.h"
#include "render/RenderSettings.h"
#include "objects/AllowedContacts.h"

class QAction;
class QDialog;
class QMenu;
class QToolButton;
class TForm1;
class MotionReport;

// The main window's clearance: View > Show Clearance (the closest pair
// drawn as a line with its length, the status line naming it), the
// scene's allowed contacts (kept in its file, edited in Tools > Allowed
// Contacts or with the status line's "allow this contact"), and Tools >
// Motion Report. It keeps the check's solids from frame to frame.
class ClearanceController : public QObject {
  Q_OBJECT
 public:
  explicit ClearanceController(TForm1* window);
  ~ClearanceController() override;

  void AddViewEntries(QMenu* view);
  void AddToolsEntries(QMenu* tools);
  void BuildStatusWidgets();

  InterferenceCheck* check() { return &check_; }
  const AllowedContacts& allowed() const { return allowed_; }
  bool shown() const { return shown_; }
  void SetShown(bool on);

  // After each frame the check ran in: the button that allows the first
  // contact shows while there is one.
  void FrameChecked(const InterferenceReport& report);
  // The status line's text for a report without contacts, when shown.
  QString ClearanceText(const InterferenceReport& report) const;

  // The scene's list from the file just opened (empty for a new scene,
  // or for a line that cannot be read, which the status line tells).
  void SceneOpened(const QString& path);
  // The line the scene is saved with ("" for an empty list).
  std::string AllowLine() const { return FormatAllowLine(allowed_); }
  // Adds a pair (the first contact's, from the status line), marks the
  // scene modified and redraws; false when it was there or malformed.
  bool Allow(const std::string& part, const std::string& object);
  // Replaces the whole list (the dialog's OK), as one modification.
  void SetAllowed(const AllowedContacts& list);

  // A controller's write applied: the cell as it left it, for the Motion
  // Report's recorded session.
  void RecordLinkTick(const RenderSettings& s, const ObjectOverrides& poses) {
    recording_.Add(s.joints, s.robot, poses);
  }
  LinkRecording& recording() { return recording_; }

  void ShowAllowedContacts();
  void ShowMotionReport();
  MotionReport* report() const { return report_; }
  QDialog* allowedDialog() const { return allowedDialog_; }

  QAction* showAction() const { return show_; }
  QToolButton* allowButton() const { return allowButton_; }

 private:
  void Changed();

  TForm1* window_;
  InterferenceCheck check_;
  LinkRecording recording_;
  AllowedContacts allowed_;
  bool shown_ = false;
  InterferenceHit firstContact_;
  QAction* show_ = nullptr;
  QToolButton* allowButton_ = nullptr;
  MotionReport* report_ = nullptr;
  QDialog* allowedDialog_ = nullptr;
  std::function<void()> refill_;
};
