#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <string>

#include "collision/Interference.h"
#include "motion/CellMotions.h"
#include "render/RenderSettings.h"
#include "render/ToolTrail.h"
#include "objects/AllowedContacts.h"

class QAction;
class QDialog;
class QMenu;
class QToolButton;
class ArmController;
class FrameDriver;
class MotionReport;
class QStatusBar;
class QWidget;
class RobotsController;
class StatusLine;
struct CellStep;

// The main window's watch over the moving cell: View > Trail and Clear
// Trail, View > Check Interference (the red highlight, the first contact
// in the status line, also during a named run), View > Show Clearance (the
// closest pair drawn as a line with its length), the scene's allowed
// contacts (kept in its file, edited in Tools > Allowed Contacts or with
// the status line's "allow this contact"), and Tools > Motion Report. It
// keeps the trail and the check's solids from frame to frame.
class InterferenceController : public QObject {
  Q_OBJECT
 public:
  InterferenceController(QWidget* window, FrameDriver& frame, StatusLine& status, ArmController& arm,
                         RobotsController& robots);
  ~InterferenceController() override;

  // Trail, Clear Trail, Check Interference, Show Clearance.
  void AddViewEntries(QMenu* view);
  void AddToolsEntries(QMenu* tools);
  void BuildStatusWidgets(QStatusBar* bar);
  // Poses the arm and both robot panels at a motion's step and redraws.
  void PoseCell(const CellStep& step);

  void SetTrailShown(bool on);
  void ClearTrail();
  // The trail while shown, else null.
  ToolTrail* trail() const { return trailShown_ ? trail_.get() : nullptr; }
  // Off until chosen in the View menu; off takes the clearance with it.
  void SetCheck(bool on);
  bool checking() const { return checking_; }
  const InterferenceReport& report() const { return report_; }
  // What the next frame fills: the report while the check is on.
  InterferenceReport* frameReport() { return checking_ ? &report_ : nullptr; }
  // The first contact a controller may read; all 0 while the check is off.
  InterferenceState LinkState() const;
  // While a run (the arm's "Animation", the robot test run) is named, its
  // first contact is reported with the step set last; an empty name ends it.
  void WatchContacts(const QString& run);
  void SetContactStep(const QString& step) { contactStep_ = step; }
  FrameDriver& Frame() { return frame_; }
  // After a frame drawn with the check: the status line and the allow
  // button follow its report.
  void FrameDrawn();

  InterferenceCheck* check() { return &check_; }
  const AllowedContacts& allowed() const { return allowed_; }
  bool shown() const { return shown_; }
  void SetShown(bool on);


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
  MotionReport* motionReport() const { return motionReport_; }
  QDialog* allowedDialog() const { return allowedDialog_; }

  QAction* trailAction() const { return trailAction_; }
  QAction* clearTrailAction() const { return clearTrailAction_; }
  QAction* checkAction() const { return checkAction_; }
  QAction* showAction() const { return show_; }
  QToolButton* allowButton() const { return allowButton_; }

 Q_SIGNALS:
  // The allowed contacts changed: the scene has a change to save.
  void allowedChanged();

 private:
  void Changed();
  void ClearContactStatus();
  void AllowButtonFollows();

  QWidget* window_;
  FrameDriver& frame_;
  StatusLine& status_;
  ArmController& arm_;
  RobotsController& robots_;
  std::unique_ptr<ToolTrail> trail_;
  bool trailShown_ = false;
  bool checking_ = false;
  InterferenceReport report_;
  QString contactRun_, contactStep_;
  bool contactRunReported_ = false;
  QString contactStatus_;  // the check's message in the status line, if any
  QAction *trailAction_ = nullptr, *clearTrailAction_ = nullptr, *checkAction_ = nullptr;
  InterferenceCheck check_;
  LinkRecording recording_;
  AllowedContacts allowed_;
  bool shown_ = false;
  InterferenceHit firstContact_;
  QAction* show_ = nullptr;
  QToolButton* allowButton_ = nullptr;
  MotionReport* motionReport_ = nullptr;
  QDialog* allowedDialog_ = nullptr;
  std::function<void()> refill_;
};
