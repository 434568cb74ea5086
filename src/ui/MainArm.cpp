// The main window's arm handlers: the tool target and its solver, the
// stored poses, nudging a joint, the "Animation" test path and the XYZ
// monitor.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QPushButton>
#include <QThread>

#include <cmath>

#include "ui/Controls.h"
#include "motion/CellMotions.h"
#include "ui/InterferenceController.h"
#include "ui/Main.h"
#include "ui/MainHelpers.h"
#include "ui/Coordmon.h"
#include "arm/Kinematics.h"

void TForm1::Tkb_XYZChange(QObject* Sender) {
  // The target in metres (positions are millimetres).
  const double x = Tkb_XX->Position() * 0.001;
  const double y = Tkb_YY->Position() * 0.001;
  const double z = Tkb_ZZ->Position() * 0.001;
  Lbl_XX->setText(FixedText(x, 3));
  Lbl_YY->setText(FixedText(y, 3));
  Lbl_ZZ->setText(FixedText(z, 3));
  // A refresh of the labels alone solves nothing; a moved slider does.
  if (Sender != Tkb_XX && Sender != Tkb_YY && Sender != Tkb_ZZ) return;

  const ArmSolution s = SolveArm(x, y, z);
  if (!s.reachable) {
    for (ValueLabel* l : {Lbl_TestData01, Lbl_TestData02, Lbl_TestData03, Lbl_TestData05})
      l->setText(QString::fromLatin1(kOutOfReachText));
    return;
  }
  const ArmSolutionPositions p = ToSliderPositions(s);
  {
    FlagScope bulk(BulkUpdate);
    Tkb_TestData01->SetPosition(p.j1);
    Tkb_TestData02->SetPosition(p.j2);
    Tkb_TestData03->SetPosition(p.j3);
    Tkb_TestData06->SetPosition(p.j6);
    Lbl_Ans_J1->setText(FixedText(s.j1, 3));
    Lbl_Ans_J2->setText(FixedText(s.j2, 3));
    Lbl_Ans_J3->setText(FixedText(s.j3, 3));
  }
  // The joint labels may still show "----" from an unreachable target.
  Tkb_TestDataChange();
}

void TForm1::SetJoints(const ArmPose& pose) {
  {
    FlagScope bulk(BulkUpdate);
    for (size_t j = 0; j < 6; ++j) JointBars[j]->SetPosition(pose[j]);
  }
  DrawFrame();
}

void TForm1::NudgeJoint(int index, int amount) {
  if (index < 0 || index > 5) return;
  TrackBar* bar = JointBars[static_cast<size_t>(index)];
  bar->SetPosition(static_cast<int>(std::clamp<long long>(static_cast<long long>(bar->Position()) + amount,
                                                          bar->minimum(), bar->maximum())));
}

void TForm1::Cmb_VARBT_PosChange(QObject*) {
  if (const ArmPose* pose = ArmPoses.Find(Cmb_VARBT_Pos->currentIndex())) SetJoints(*pose);
  Tkb_TestData01->setFocus();
}

void TForm1::Btn_XYZGraphClick(QObject*) {
  if (!XYZ_Mon) return;
  // The monitor reads the angles of the last settings transfer and moves
  // the arm through its sliders.
  TransferSettings();
  XYZ_Mon->Attach(settings_.joints, [this](int joint, int amount) {
    NudgeJoint(joint, amount);
    TransferSettings();
  });
}

void TForm1::Btn_VARBT_TestClick(QObject*) {
  // A click while the path runs only asks it to stop.
  if (!ArmPath.Click()) return;
  Chk_XYZmode->setChecked(true);
  if (const ArmPose* pose = ArmPoses.Find(ArmTestPath::kStartPose)) SetJoints(*pose);
  Tkb_YY->SetPosition(ArmTestPath::kStartY);
  Tkb_ZZ->SetPosition(ArmTestPath::kStartZ);

  TrackBar* bars[3] = {Tkb_XX, Tkb_YY, Tkb_ZZ};
  // The interference check names the step of the path's first contact.
  checks_->WatchContacts(QStringLiteral("Animation"));
  struct EndWatch {
    TForm1* f;
    ~EndWatch() { f->Checks()->WatchContacts(QString()); }
  } endWatch{this};
  int moves = 0;
  for (;;) {
    const ArmTestPath::Step st = ArmPath.Next(Chk_x2->isChecked());
    if (st.kind == ArmTestPath::StepKind::Finished) break;
    if (st.kind == ArmTestPath::StepKind::Move) {
      checks_->SetContactStep(QStringLiteral("step %1 (phase %2)").arg(++moves).arg(st.phase));
      bars[static_cast<int>(st.axis)]->SetPosition(st.value);
    }
    else
      QThread::msleep(static_cast<unsigned long>(st.waitMs));
    if (st.endsPhase) continue;
    if (ArmPath.TakeStopRequest()) return;
    // Other handlers run here: a second click, Exit, the timers.
    QApplication::processEvents();
    if (ExitRequested) {
      ArmPath.Abort();
      return;
    }
    QThread::msleep(ArmTestPath::kBetweenStepsMs);
  }
}

void TForm1::PoseCell(const CellStep& step) {
  ArmPose pose;
  for (size_t j = 0; j < 6; ++j) pose[j] = static_cast<int32_t>(std::lround(step.joints[j] * 100.0f));
  {
    FlagScope bulk(BulkUpdate);
    for (int i = 0; i < 2; ++i) SetRobotPanel(i, step.robot[i]);
  }
  SetJoints(pose);
  TransferSettings();
  WriteRobotLabels();
  DrawFrame();
}
