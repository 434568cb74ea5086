#include "ui/LinkController.h"

#include <QAction>
#include <QCheckBox>
#include <QEvent>
#include <QGroupBox>
#include <QMenu>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>
#include <iostream>

#include "collision/Interference.h"
#include "objects/Convert.h"
#include "ui/ArmController.h"
#include "ui/Controls.h"
#include "ui/FrameDriver.h"
#include "ui/InterferenceController.h"
#include "ui/MainControls.h"
#include "ui/MainHelpers.h"
#include "ui/RobotsController.h"
#include "ui/StatusLine.h"
#include "ui/Wiring.h"

namespace {


// Keeps a menu entry's enabled state equal to a control's, whatever changes
// the control (its own setEnabled or a parent's).
class EnabledFollower : public QObject {
 public:
  EnabledFollower(QWidget* control, QAction* entry) : QObject(control), control_(control), entry_(entry) {}
  bool eventFilter(QObject* watched, QEvent* e) override {
    if (watched == control_ && e->type() == QEvent::EnabledChange) entry_->setEnabled(control_->isEnabled());
    return false;
  }

 private:
  QWidget* control_;
  QAction* entry_;
};

}  // namespace

LinkController::LinkController(QWidget* window, MainControls& ui, FrameDriver& frame, StatusLine& status,
                               ArmController& arm, RobotsController& robots, InterferenceController& checks)
    : QObject(window),
      window_(window),
      ui_(ui),
      frame_(frame),
      status_(status),
      arm_(arm),
      robots_(robots),
      checks_(checks) {
  Tim_ShmMonitor = WindowTimer(window_, this, "Tim_ShmMonitor", 500, [this] { Tim_ShmMonitorTimer(); });

  OnAnyChange(ui_.Chk_ShmLink, this, [this] { WriteSettings(); });
  WriteSettings();
  OnToggle(ui_.Chk_ShmLink, this, window_, [this] { Chk_ShmLinkClick(); });
  connect(&arm_, &ArmController::intervalEntered, this, [this] { WriteSettings(); });
  frame_.overrides = [this] { return LinkOverrides(); };
}

LinkController::~LinkController() = default;

void LinkController::WriteSettings() {
  RenderSettings& s = frame_.Settings();
  // A caption that is not a number stops here.
  s.shmLink = ui_.Chk_ShmLink->isChecked();
  s.shmInterval = StrToInt(ui_.Lbl_ShmInterval->text().toStdString());
  SetShmInterval(s.shmInterval);
}

void LinkController::AddToolsEntries(QMenu* tools) {
  QAction* link = tools->addAction(QStringLiteral("&Shm Link"));
  shmLinkAction_ = link;
  link->setCheckable(true);
  link->setEnabled(ui_.Chk_ShmLink->isEnabled());
  connect(link, &QAction::toggled, ui_.Chk_ShmLink, &QCheckBox::setChecked);
  // The entry shows the box as it is once the handler has run, not the value
  // the signal carried: a link that failed to open has unchecked the box
  // again, and re-checking it from here would open it again, without end.
  connect(ui_.Chk_ShmLink, &QCheckBox::toggled, link, [link, this] { link->setChecked(ui_.Chk_ShmLink->isChecked()); });
  // Whoever disables the box (the step animation, a locked group), the
  // entry follows at once.
  ui_.Chk_ShmLink->installEventFilter(new EnabledFollower(ui_.Chk_ShmLink, link));
}

void LinkController::WindowShown() {
  shown_ = true;
  // Asked for on the command line: once every control is in place.
  if (linkOnShow_) {
    linkOnShow_ = false;
    OpenLinkWhenShown();
  }
}

void LinkController::SetShmTimerEnabled(bool enabled) {
  shmTimerEnabled_ = enabled;
  // A toolkit timer with interval 0 never fires; a Qt one would fire on
  // every pass of the event loop.
  if (enabled && Tim_ShmMonitor->interval() > 0) {
    if (!Tim_ShmMonitor->isActive()) Tim_ShmMonitor->start();
  } else {
    Tim_ShmMonitor->stop();
  }
}

void LinkController::SetShmInterval(int ms) {
  // Setting a running timer's interval restarts it, even to the same
  // value: only a new interval is set.
  ms = std::max(0, ms);
  if (Tim_ShmMonitor->interval() != ms) Tim_ShmMonitor->setInterval(ms);
  SetShmTimerEnabled(shmTimerEnabled_);
}

void LinkController::Chk_ShmLinkClick(QObject*) {
  if (!link_) link_ = std::make_unique<SharedMemoryLink>(linkMessages_, linkBlockName_, linkMutexName_);
  const bool on = ui_.Chk_ShmLink->isChecked();
  // A new link starts from the stored poses, not from an earlier link's.
  if (on) {
    linkSession_->Reset();
    checks_.recording().Clear();  // a new session
  }
  const bool done = on ? link_->OpenSharedMemoryLink() == 1 : link_->CloseSharedMemoryLink() == 1;
  // What the link said goes to standard output, as it always has, and its
  // last line to the status line.
  const std::string said = linkMessages_.str();
  linkMessages_.str(std::string());
  if (!said.empty()) {
    std::cout << said << std::flush;
    status_.ShowStatus(QString::fromStdString(said).trimmed().section(QLatin1Char('\n'), -1));
  }
  if (done) {
    SetShmLinkLock(on);
    return;
  }
  UncheckLink();
}

void LinkController::UncheckLink() {
  // The box is unchecked without a second toggled signal, which would reach
  // the box's handler (and the menu entry, which would check the box again)
  // while the first is still being delivered.
  {
    const QSignalBlocker quiet(ui_.Chk_ShmLink);
    ui_.Chk_ShmLink->setChecked(false);
  }
  if (shmLinkAction_) shmLinkAction_->setChecked(false);
  SetShmLinkLock(false);
}

void LinkController::OpenLinkWhenShown() {
  if (shown_)
    ui_.Chk_ShmLink->setChecked(true);
  else
    linkOnShow_ = true;
}

void LinkController::SetLinkNames(const std::string& blockName, const std::string& mutexName) {
  if (blockName == linkBlockName_ && mutexName == linkMutexName_) return;
  linkBlockName_ = blockName;
  linkMutexName_ = mutexName;
  // An open link keeps the objects it has; the next open uses the new names.
  if (link_ && !link_->IsOpen()) link_.reset();
}

void LinkController::SetShmLinkLock(bool linked) {
  ui_.Btn_AnimationStart->setEnabled(!linked);
  ui_.Grp_Robot->setEnabled(!linked);
  ui_.Grp_Equipment->setEnabled(!linked);
  SetShmTimerEnabled(linked);
}

void LinkController::Tim_ShmMonitorTimer() {
  // One poll of the link: a controller that speaks the protocol is read;
  // any other block is left alone.
  {
    FlagScope updating(robots_.Updating);
    PollLink();
  }
  frame_.DrawFrame();
}

const ObjectOverrides* LinkController::LinkOverrides() const {
  return link_ && link_->IsOpen() ? &linkSession_->Overrides() : nullptr;
}

void LinkController::PollLink() {
  if (!link_ || !link_->IsOpen()) return;
  // The tool point of the last frame, in the scene's axes.
  LinkViewerReport& report = linkSession_->report;
  report.tool[0] = static_cast<float>(frame_.ToolPoint()[0]);
  report.tool[1] = static_cast<float>(frame_.ToolPoint()[2]);
  report.tool[2] = static_cast<float>(frame_.ToolPoint()[1]);
  // The check's first contact, all 0 while it is off or finds nothing.
  const InterferenceState contact = checks_.LinkState();
  report.interference = contact.contacts > 0 ? 1u : 0u;
  report.interferenceRecord = contact.contacts > 0 ? contact.firstObject : 0;
  report.interferencePart = contact.contacts == 0 ? 0
                            : contact.firstArmLink >= 0 ? contact.firstArmLink
                                                         : kLinkPartRobotBase + contact.firstRobot;
  LinkCommand command;
  const LinkStatus s = linkSession_->Tick(*link_, &command);
  if (s == LinkStatus::Shrunk) {
    // A controller cut the block: nothing of it can be trusted any more,
    // and the next open looks at whatever the controller left.
    link_->CloseSharedMemoryLink();
    UncheckLink();
    const std::string line = LinkStatusText(s);
    std::cout << line << std::endl;
    status_.ShowStatus(QString::fromStdString(line));
    return;
  }
  if (s == LinkStatus::Applied) {
    ApplyLinkCommand(command);
    // Kept for the Motion Report: where the write left the cell.
    checks_.RecordLinkTick(frame_.Settings(), linkSession_->Overrides());
  }
  // Without the magic the block is not ours to speak of.
  if (s != LinkStatus::NoMagic && linkSession_->ShouldReport(s)) {
    status_.ShowStatus(QString::fromStdString(LinkStatusText(s)));
    linkSession_->MarkReported(s);
  }
}

void LinkController::ApplyLinkCommand(const LinkCommand& command) {
  const tessaly_link_controller& c = command.raw;
  if (command.flags & TESSALY_LINK_ARM) {
    // Labels follow the bars; the frame is drawn once, after the tick.
    FlagScope bulk(arm_.BulkUpdate);
    TrackBar* joints[6] = {ui_.Tkb_TestData01, ui_.Tkb_TestData02, ui_.Tkb_TestData03,
                           ui_.Tkb_TestData04, ui_.Tkb_TestData05, ui_.Tkb_TestData06};
    for (int k = 0; k < 6; ++k) joints[k]->SetPosition(BarPosition(c.joints[k], 100.0));
  }
  bool robots = false;
  for (int i = 0; i < 2; ++i) {
    if (!(command.flags & (i == 0 ? TESSALY_LINK_RBT1 : TESSALY_LINK_RBT2))) continue;
    const tessaly_link_robot& r = c.robot[i];
    RobotPanelValues v;
    v.R1 = r.r1;
    v.R2 = r.r2;
    v.Z = r.z;
    v.T = r.t;
    v.X = r.x;
    v.RT1 = r.rt1;
    v.RT2 = r.rt2;
    v.WaferR1 = r.wafer & TESSALY_LINK_WAFER_HAND1;
    v.WaferR2 = r.wafer & TESSALY_LINK_WAFER_HAND2;
    robots_.SetRobotPanel(i, v);
    robots = true;
  }
  if (robots) robots_.WriteRobotLabels();
}
