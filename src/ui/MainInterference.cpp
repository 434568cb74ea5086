// The main window's tool trail and interference check: the View menu
// entries, and what the check tells the operator in the status line.
#include <QAction>
#include <QMenu>
#include <cmath>

#include "motion/CellMotions.h"
#include "ui/ClearanceController.h"
#include "ui/Handler.h"
#include "ui/MainHelpers.h"
#include "ui/Main.h"

void TForm1::AddTrailAndCheckEntries(QMenu* view) {
  view->addSeparator();
  Act_Trail = view->addAction(QStringLiteral("&Trail"));
  Act_Trail->setCheckable(true);
  connect(Act_Trail, &QAction::toggled, this, Guarded(this, [this](bool on) { SetTrailShown(on); }));
  Act_ClearTrail = view->addAction(QStringLiteral("C&lear Trail"));
  connect(Act_ClearTrail, &QAction::triggered, this, Guarded(this, [this] { ClearTrail(); }));
  Act_CheckInterference = view->addAction(QStringLiteral("Check &Interference"));
  Act_CheckInterference->setCheckable(true);
  connect(Act_CheckInterference, &QAction::toggled, this,
          Guarded(this, [this](bool on) { SetInterferenceCheck(on); }));
}

void TForm1::SetTrailShown(bool on) {
  if (on == trailShown_) return;
  // The trail records only while shown: a path drawn later starts afresh
  // where the arm then stands.
  if (on && !trail_) trail_ = std::make_unique<ToolTrail>();
  trailShown_ = on;
  if (Act_Trail && Act_Trail->isChecked() != on) Act_Trail->setChecked(on);
  DrawFrame();
}

void TForm1::ClearTrail() {
  if (trail_) trail_->Clear();
  DrawFrame();
}

void TForm1::SetInterferenceCheck(bool on) {
  if (on == checkShown_) return;
  checkShown_ = on;
  if (Act_CheckInterference && Act_CheckInterference->isChecked() != on)
    Act_CheckInterference->setChecked(on);
  interference_ = InterferenceReport{};
  if (!on) {
    ClearContactStatus();
    clearance_->SetShown(false);
    clearance_->FrameChecked(interference_);
  }
  DrawFrame();
}

void TForm1::WatchContacts(const QString& run) {
  contactRun_ = run;
  contactStep_.clear();
  contactRunReported_ = false;
}

void TForm1::ReportInterference() {
  clearance_->FrameChecked(interference_);
  if (!interference_.Any()) {
    // A run's first contact stays in view until the next one; a plain
    // contact message goes when the contact does.
    if (!contactRun_.isEmpty() && contactRunReported_) return;
    ClearContactStatus();
    // Without a contact the clearance, when shown, takes the line.
    const QString clearance = clearance_->ClearanceText(interference_);
    if (clearance.isEmpty()) return;
    contactStatus_ = clearance;
    ShowStatus(contactStatus_);
    return;
  }
  const QString text = QString::fromStdString(DescribeReport(interference_, Objects().data()));
  QString message = text;
  if (!contactRun_.isEmpty()) {
    if (contactRunReported_) return;
    contactRunReported_ = true;
    message = QStringLiteral("%1, first contact at %2: %3").arg(contactRun_, contactStep_, text);
  }
  // Written when it changes, so that another message shown meanwhile is not
  // overwritten by the same contact at every frame.
  if (message == contactStatus_) return;
  contactStatus_ = message;
  ShowStatus(contactStatus_);
}

void TForm1::ClearContactStatus() {
  // Only the check's own message: another one written since stays.
  if (!contactStatus_.isEmpty() && StatusText() == contactStatus_) ShowStatus(QString());
  contactStatus_.clear();
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
