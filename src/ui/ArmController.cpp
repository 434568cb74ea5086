#include "ui/ArmController.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QMenu>
#include <QPushButton>
#include <QThread>
#include <algorithm>
#include <cmath>

#include "arm/Kinematics.h"
#include "objects/Convert.h"
#include "ui/Controls.h"
#include "ui/Coordmon.h"
#include "ui/FrameDriver.h"
#include "ui/Input.h"
#include "ui/MainControls.h"
#include "ui/MainHelpers.h"
#include "ui/StatusLine.h"
#include "ui/WindowSet.h"
#include "ui/Wiring.h"

ArmController::ArmController(QWidget* window, MainControls& ui, FrameDriver& frame, StatusLine& status,
                             const WindowSet& windows)
    : QObject(window), window_(window), ui_(ui), frame_(frame), status_(status), windows_(windows) {
  // The keypad rows start with empty text.
  for (ValueEntry& v : valueEntries_) v.text.clear();
  InitValueEntries();

  MainControls& c = ui_;
  for (TrackBar* b : c.JointBars) OnAnyChange(b, this, [this] { WriteSettings(); });
  for (QWidget* w : {static_cast<QWidget*>(c.Chk_TestData01), static_cast<QWidget*>(c.Chk_TestData02),
                     static_cast<QWidget*>(c.Shp_VARobot_Body)})
    OnAnyChange(w, this, [this] { WriteSettings(); });
  WriteSettings();

  for (TrackBar* b : c.JointBars) OnMove(b, this, window_, [this, b] { Tkb_TestDataChange(b); });
  for (TrackBar* b : {c.Tkb_XX, c.Tkb_YY, c.Tkb_ZZ}) OnMove(b, this, window_, [this, b] { Tkb_XYZChange(b); });
  OnToggle(c.Chk_XYZmode, this, window_, [this] { Chk_XYZmodeClick(); });
  for (QCheckBox* b : {c.Chk_TestData01, c.Chk_TestData02, c.Chk_TestData03, c.Chk_TestData04})
    OnToggle(b, this, window_, [this, b] { Chk_TestDataClick(b); });
  OnToggle(c.Chk_J2Lock, this, window_, [this] { Chk_J2LockClick(); });
  OnToggle(c.Chk_Skeleton, this, window_, [this] { Chk_SkeletonClick(); });
  OnPick(c.Cmb_VARBT_Pos, this, window_, [this] { Cmb_VARBT_PosChange(); });
  OnClick(c.Btn_VARBT_Test, this, window_, [this] { Btn_VARBT_TestClick(); });
  OnClick(c.Btn_XYZGraph, this, window_, [this] { Btn_XYZGraphClick(); });
  for (ValueLabel* l : c.KeypadLabels) OnDoubleClick(l, this, window_, [this, l] { Lbl_DataDblClick(l); });
  connect(&frame_, &FrameDriver::frameDrawn, this, [this] { ShowToolPoint(); });
}

void ArmController::DrawFrame() { frame_.DrawFrame(); }

void ArmController::WriteSettings() {
  RenderSettings& s = frame_.Settings();
  for (int j = 0; j < 6; ++j) s.joints[j] = Scaled(ui_.JointBars[static_cast<size_t>(j)], 0.01);
  s.ball = ui_.Chk_TestData01->isChecked();
  s.markPlate = ui_.Chk_TestData02->isChecked();
  s.armColor = ui_.Shp_VARobot_Body->Color();
}

void ArmController::AddToolsEntries(QMenu* tools) {
  connect(tools->addAction(QStringLiteral("&XYZ Monitor...")), &QAction::triggered, this,
          Guarded(window_, [this] { Btn_XYZGraphClick(); }));
}

const double* ArmController::ToolPoint() const { return frame_.ToolPoint(); }

void ArmController::ShowToolPoint() {
  const double* p = frame_.ToolPoint();
  // Rewritten only when the text changes, so an unmoved arm costs no
  // relayout of the right bar.
  QLabel* labels[3] = {ui_.Lbl_Test_X, ui_.Lbl_Test_Y, ui_.Lbl_Test_Z};
  for (int k = 0; k < 3; ++k) {
    const QString text = FixedText(p[k], 4);
    if (labels[k]->text() != text) labels[k]->setText(text);
  }
  status_.SetToolPoint(
      QStringLiteral("Tool %1, %2, %3").arg(labels[0]->text(), labels[1]->text(), labels[2]->text()));
}

const std::vector<JointKeyRow>& JointKeyRows() {
  static const std::vector<JointKeyRow> rows = {
      {"qwer", &MainControls::Tkb_TestData01, "J1", "°", 0.01, {-50, -10, 10, 50}},
      {"asdf", &MainControls::Tkb_TestData02, "J2", "°", 0.01, {-50, -10, 10, 50}},
      {"zxcv", &MainControls::Tkb_TestData03, "J3", "°", 0.01, {-50, -10, 10, 50}},
      {"tyui", &MainControls::Tkb_XX, "tool target X", " mm", 1.0, {-50, -10, 10, 50}},
      {"ghjk", &MainControls::Tkb_YY, "tool target Y", " mm", 1.0, {-50, -10, 10, 50}},
      {"bnm,", &MainControls::Tkb_ZZ, "tool target Z", " mm", 1.0, {-50, -10, 10, 50}},
  };
  return rows;
}

bool ArmController::JointKey(QChar key) {
  for (const JointKeyRow& r : JointKeyRows())
    for (int i = 0; i < 4; ++i)
      if (key == QLatin1Char(r.keys[i])) {
        TrackBar* bar = ui_.*r.bar;
        bar->SetPosition(bar->Position() + r.steps[i]);
        return true;
      }
  return false;
}

void ArmController::InitValueEntries() {
  for (ValueEntry& v : valueEntries_) v = ValueEntry{};
  auto set = [this](int tag, int kind, double mn, double mx, int digits, int decimals, const char* text) {
    valueEntries_[tag] = ValueEntry{kind, mn, mx, digits, decimals, QString::fromLatin1(text)};
  };
  set(0, 0, 0, 9999, 4, 0, "100");
  set(5, 0, 0, 9999, 4, 0, "1");
  set(10, 1, -240, 240, 7, 2, "0");
  set(11, 1, -90, 120, 6, 2, "0");
  set(12, 1, -180, 180, 7, 2, "0");
  set(13, 1, -200, 200, 7, 2, "0");
  set(14, 1, -120, 120, 7, 2, "0");
  set(15, 1, -360, 360, 7, 2, "0");
}

void ArmController::Tkb_TestDataChange(QObject*) {
  if (ui_.Chk_XYZmode->isChecked()) {
    // The tool keeps its attitude: J2 + J3 + J5 stays 180 degrees. Moving
    // J5 runs this handler once more.
    // Worked on the positions, which are exact: the float angles can make
    // 50.00 degrees come out as 49.99.
    ui_.Tkb_TestData05->SetPosition(XyzModeJ5Position(ui_.Tkb_TestData02->Position(), ui_.Tkb_TestData03->Position()));
  }
  ValueLabel* labels[6] = {ui_.Lbl_TestData01, ui_.Lbl_TestData02, ui_.Lbl_TestData03,
                           ui_.Lbl_TestData04, ui_.Lbl_TestData05, ui_.Lbl_TestData06};
  for (int j = 0; j < 6; ++j) labels[j]->setText(FixedText(frame_.Settings().joints[j], 2));
  if (!BulkUpdate) DrawFrame();
}

void ArmController::Chk_TestDataClick(QObject*) {
  DrawFrame();
}

void ArmController::Chk_XYZmodeClick(QObject*) {
  const bool on = ui_.Chk_XYZmode->isChecked();
  for (TrackBar* b : {ui_.Tkb_XX, ui_.Tkb_YY, ui_.Tkb_ZZ}) b->setEnabled(on);
  // J4 stays free in both modes.
  ValueLabel* labels[6] = {ui_.Lbl_TestData01, ui_.Lbl_TestData02, ui_.Lbl_TestData03,
                           ui_.Lbl_TestData04, ui_.Lbl_TestData05, ui_.Lbl_TestData06};
  for (int j : {0, 1, 2, 4, 5}) {
    ui_.JointBars[static_cast<size_t>(j)]->setEnabled(!on);
    labels[j]->setEnabled(!on);
  }
  if (on)
    Tkb_XYZChange(ui_.Tkb_XX);
  else
    Tkb_TestDataChange();
}

void ArmController::Chk_J2LockClick(QObject*) {
  Tkb_TestDataChange();
}

void ArmController::Tkb_XYZChange(QObject* Sender) {
  // The target in metres (positions are millimetres).
  const double x = ui_.Tkb_XX->Position() * 0.001;
  const double y = ui_.Tkb_YY->Position() * 0.001;
  const double z = ui_.Tkb_ZZ->Position() * 0.001;
  ui_.Lbl_XX->setText(FixedText(x, 3));
  ui_.Lbl_YY->setText(FixedText(y, 3));
  ui_.Lbl_ZZ->setText(FixedText(z, 3));
  // A refresh of the labels alone solves nothing; a moved slider does.
  if (Sender != ui_.Tkb_XX && Sender != ui_.Tkb_YY && Sender != ui_.Tkb_ZZ) return;

  const ArmSolution s = SolveArm(x, y, z);
  if (!s.reachable) {
    for (ValueLabel* l : {ui_.Lbl_TestData01, ui_.Lbl_TestData02, ui_.Lbl_TestData03, ui_.Lbl_TestData05})
      l->setText(QString::fromLatin1(kOutOfReachText));
    return;
  }
  const ArmSolutionPositions p = ToSliderPositions(s);
  {
    FlagScope bulk(BulkUpdate);
    ui_.Tkb_TestData01->SetPosition(p.j1);
    ui_.Tkb_TestData02->SetPosition(p.j2);
    ui_.Tkb_TestData03->SetPosition(p.j3);
    ui_.Tkb_TestData06->SetPosition(p.j6);
    ui_.Lbl_Ans_J1->setText(FixedText(s.j1, 3));
    ui_.Lbl_Ans_J2->setText(FixedText(s.j2, 3));
    ui_.Lbl_Ans_J3->setText(FixedText(s.j3, 3));
  }
  // The joint labels may still show "----" from an unreachable target.
  Tkb_TestDataChange();
}

void ArmController::SetJoints(const ArmPose& pose) {
  {
    FlagScope bulk(BulkUpdate);
    for (size_t j = 0; j < 6; ++j) ui_.JointBars[j]->SetPosition(pose[j]);
  }
  DrawFrame();
}

void ArmController::NudgeJoint(int index, int amount) {
  if (index < 0 || index > 5) return;
  TrackBar* bar = ui_.JointBars[static_cast<size_t>(index)];
  bar->SetPosition(static_cast<int>(std::clamp<long long>(static_cast<long long>(bar->Position()) + amount,
                                                          bar->minimum(), bar->maximum())));
}

void ArmController::Cmb_VARBT_PosChange(QObject*) {
  if (const ArmPose* pose = ArmPoses.Find(ui_.Cmb_VARBT_Pos->currentIndex())) SetJoints(*pose);
  ui_.Tkb_TestData01->setFocus();
}

void ArmController::Btn_XYZGraphClick(QObject*) {
  if (!windows_.monitor) return;
  // The monitor reads the arm's angles from the frame's settings and moves
  // the arm through its sliders.
  windows_.monitor->Attach(frame_.Settings().joints, [this](int joint, int amount) {
    NudgeJoint(joint, amount);
  });
}

void ArmController::Btn_VARBT_TestClick(QObject*) {
  // A click while the path runs only asks it to stop.
  if (!ArmPath.Click()) return;
  ui_.Chk_XYZmode->setChecked(true);
  if (const ArmPose* pose = ArmPoses.Find(ArmTestPath::kStartPose)) SetJoints(*pose);
  ui_.Tkb_YY->SetPosition(ArmTestPath::kStartY);
  ui_.Tkb_ZZ->SetPosition(ArmTestPath::kStartZ);

  TrackBar* bars[3] = {ui_.Tkb_XX, ui_.Tkb_YY, ui_.Tkb_ZZ};
  // The interference check names the step of the path's first contact.
  Q_EMIT runWatched(QStringLiteral("Animation"));
  struct EndWatch {
    ArmController* arm;
    ~EndWatch() { Q_EMIT arm->runWatched(QString()); }
  } endWatch{this};
  int moves = 0;
  for (;;) {
    const ArmTestPath::Step st = ArmPath.Next(ui_.Chk_x2->isChecked());
    if (st.kind == ArmTestPath::StepKind::Finished) break;
    if (st.kind == ArmTestPath::StepKind::Move) {
      Q_EMIT runStep(QStringLiteral("step %1 (phase %2)").arg(++moves).arg(st.phase));
      bars[static_cast<int>(st.axis)]->SetPosition(st.value);
    }
    else
      QThread::msleep(static_cast<unsigned long>(st.waitMs));
    if (st.endsPhase) continue;
    if (ArmPath.TakeStopRequest()) return;
    // Other handlers run here: a second click, Exit, the timers.
    QApplication::processEvents();
    if (exitRequested && exitRequested()) {
      ArmPath.Abort();
      return;
    }
    QThread::msleep(ArmTestPath::kBetweenStepsMs);
  }
}

void ArmController::Chk_SkeletonClick(QObject*) {
  // The arm has no skeleton drawing; the box only keeps its state.
}

void ArmController::Lbl_DataDblClick(QObject* Sender) {
  auto* label = qobject_cast<ValueLabel*>(Sender);
  if (!label) return;
  const int k = TagOf(label);
  if (k < 0 || k >= kValueEntryCount) return;
  ValueEntry& row = valueEntries_[static_cast<size_t>(k)];
  row.text = label->text();
  QString entered;
  if (!windows_.keypad ||
      !windows_.keypad->Execute(row.kind, row.minimum, row.maximum, row.digits, row.decimals, row.text, &entered))
    return;
  ApplyValueEntry(label, entered);
}

void ArmController::ApplyValueEntry(ValueLabel* label, const QString& text) {
  const int k = TagOf(label);
  const std::string t = text.toStdString();
  // The number is read before the caption changes, so a text that is not
  // one leaves the label as it was.
  if (k == 0) {
    const int ms = StrToInt(t);
    label->setText(text);
    Q_EMIT intervalEntered(ms);
  } else if (k >= 10 && k <= 15) {
    const double degrees = StrToFloat(t);
    label->setText(text);
    TrackBar* bar = ui_.JointBars[static_cast<size_t>(k - 10)];
    // The bar's change handler moves the arm and rewrites the label.
    bar->SetPosition(TruncatedPosition(degrees * 100.0, bar));
  } else {
    // The caption itself is the value the equipment reads.
    label->setText(text);
  }
}
