#pragma once

#include <QChar>
#include <QObject>
#include <QString>
#include <array>
#include <functional>
#include <vector>

#include "arm/ArmPoses.h"
#include "arm/ArmTestPath.h"

class FrameDriver;
class QMenu;
class QWidget;
class StatusLine;
class TrackBar;
class ValueLabel;
struct MainControls;
struct WindowSet;

// A row of the keypad table: what the keypad asks for when a value label
// with this Tag is double-clicked.
struct ValueEntry {
  int kind = 0;
  double minimum = 0.0;
  double maximum = 100.0;
  int digits = 3;
  int decimals = 0;
  QString text = QStringLiteral("0");
};
constexpr int kValueEntryCount = 100;

// A row of the joint and tool keys: four keys that move one bar by the
// four steps (in the bar's positions), and what the bar is.
struct JointKeyRow {
  const char* keys;
  TrackBar* MainControls::*bar;
  const char* name;
  const char* unit;  // of one step as listed: positions times scale
  double scale;
  int steps[4];
};
const std::vector<JointKeyRow>& JointKeyRows();

// The six-axis arm: the joint bars and their keys, X/Y/Z mode with its
// solver, the stored poses, the "Animation" test path, the tool point's
// labels, Tools > XYZ Monitor, and entering a value label's number with
// the keypad. It writes the arm's part of the frame's settings (joints,
// ball, mark plates, colour) whenever one of its controls changes.
class ArmController : public QObject {
  Q_OBJECT
 public:
  ArmController(QWidget* window, MainControls& ui, FrameDriver& frame, StatusLine& status,
                const WindowSet& windows);

  void WriteSettings();
  void AddToolsEntries(QMenu* tools);
  // Whether the program is ending (the test path stops then).
  std::function<bool()> exitRequested;

  void Tkb_TestDataChange(QObject* Sender = nullptr);
  void Chk_TestDataClick(QObject* Sender = nullptr);
  void Tkb_XYZChange(QObject* Sender = nullptr);
  void Chk_XYZmodeClick(QObject* Sender = nullptr);
  void Chk_J2LockClick(QObject* Sender = nullptr);
  void Btn_XYZGraphClick(QObject* Sender = nullptr);
  void Cmb_VARBT_PosChange(QObject* Sender = nullptr);
  void Btn_VARBT_TestClick(QObject* Sender = nullptr);
  void Chk_SkeletonClick(QObject* Sender = nullptr);
  // Moves the six joint sliders with redrawing held back, then draws once.
  void SetJoints(const ArmPose& pose);
  // Adds amount to joint index's slider (0..5; anything else does nothing).
  void NudgeJoint(int index, int amount);
  // A joint or tool-target key (q w e r, a s d f, ...); false for every
  // key that is not one.
  bool JointKey(QChar key);

  void Lbl_DataDblClick(QObject* Sender);
  // Steps 4 and 5 of a keypad entry: the label takes the accepted text and
  // its value goes where the label's Tag says. A text that is not a number
  // raises ConversionError and changes nothing.
  void ApplyValueEntry(ValueLabel* label, const QString& text);
  std::array<ValueEntry, kValueEntryCount>& ValueEntries() { return valueEntries_; }

  // The tool point of the last frame, GL axis order.
  const double* ToolPoint() const;

  // The arm's stored poses and its test path.
  PoseTable ArmPoses;
  ArmTestPath ArmPath;
  // While set, Tkb_TestDataChange does not draw.
  bool BulkUpdate = false;

 Q_SIGNALS:
  // The keypad gave the link's interval (ms).
  void intervalEntered(int ms);
  // The test path runs under this name ("" when it ends), at this step.
  void runWatched(const QString& run);
  void runStep(const QString& step);

 private:
  void InitValueEntries();
  void ShowToolPoint();
  void DrawFrame();

  QWidget* window_;
  MainControls& ui_;
  FrameDriver& frame_;
  StatusLine& status_;
  const WindowSet& windows_;
  std::array<ValueEntry, kValueEntryCount> valueEntries_;
};
