#include "ui/InterferenceController.h"

#include <QAction>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPushButton>
#include <QStatusBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <cmath>
#include <memory>

#include "ui/Handler.h"
#include "ui/MainHelpers.h"
#include "motion/CellMotions.h"
#include "ui/ArmController.h"
#include "ui/FrameDriver.h"
#include "ui/RobotsController.h"
#include "ui/StatusLine.h"
#include "ui/MotionReport.h"

InterferenceController::InterferenceController(QWidget* window, FrameDriver& frame, StatusLine& status,
                                               ArmController& arm, RobotsController& robots)
    : QObject(window), window_(window), frame_(frame), status_(status), arm_(arm), robots_(robots) {
  // A named run reports its first contact with its step.
  connect(&arm_, &ArmController::runWatched, this, &InterferenceController::WatchContacts);
  connect(&arm_, &ArmController::runStep, this, &InterferenceController::SetContactStep);
  connect(&robots_, &RobotsController::runWatched, this, &InterferenceController::WatchContacts);
  connect(&robots_, &RobotsController::runStep, this, &InterferenceController::SetContactStep);
  frame_.addInputs = [this](FrameInputs& in) {
    in.trail = trail();
    in.interference = frameReport();
    in.check = check();
    in.allowed = &allowed();
    in.clearance = shown();
  };
  connect(&frame_, &FrameDriver::frameDrawn, this, [this] { FrameDrawn(); });
}
InterferenceController::~InterferenceController() = default;

void InterferenceController::AddViewEntries(QMenu* view) {
  view->addSeparator();
  trailAction_ = view->addAction(QStringLiteral("&Trail"));
  trailAction_->setCheckable(true);
  connect(trailAction_, &QAction::toggled, window_, Guarded(window_, [this](bool on) { SetTrailShown(on); }));
  clearTrailAction_ = view->addAction(QStringLiteral("C&lear Trail"));
  connect(clearTrailAction_, &QAction::triggered, window_, Guarded(window_, [this] { ClearTrail(); }));
  checkAction_ = view->addAction(QStringLiteral("Check &Interference"));
  checkAction_->setCheckable(true);
  connect(checkAction_, &QAction::toggled, window_, Guarded(window_, [this](bool on) { SetCheck(on); }));
  show_ = view->addAction(QStringLiteral("Show Clea&rance"));
  show_->setObjectName(QStringLiteral("ActShowClearance"));
  show_->setCheckable(true);
  show_->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_R));
  connect(show_, &QAction::toggled, window_, Guarded(window_, [this](bool on) { SetShown(on); }));
}

void InterferenceController::AddToolsEntries(QMenu* tools) {
  QAction* allowed = tools->addAction(QStringLiteral("&Allowed Contacts..."));
  allowed->setObjectName(QStringLiteral("ActAllowedContacts"));
  connect(allowed, &QAction::triggered, window_, Guarded(window_, [this] { ShowAllowedContacts(); }));
  QAction* report = tools->addAction(QStringLiteral("&Motion Report..."));
  report->setObjectName(QStringLiteral("ActMotionReport"));
  report->setShortcut(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M));
  connect(report, &QAction::triggered, window_, Guarded(window_, [this] { ShowMotionReport(); }));
}

void InterferenceController::BuildStatusWidgets(QStatusBar* bar) {
  allowButton_ = new QToolButton(window_);
  allowButton_->setObjectName(QStringLiteral("Btn_AllowContact"));
  allowButton_->setText(QStringLiteral("allow this contact"));
  allowButton_->setToolTip(QStringLiteral("Adds the contact named beside it to the scene's allowed contacts"));
  allowButton_->setAutoRaise(true);
  allowButton_->setVisible(false);
  bar->addPermanentWidget(allowButton_);
  connect(allowButton_, &QToolButton::clicked, window_, Guarded(window_, [this] {
            const std::string part = PartName(firstContact_), object = ObjectName(firstContact_);
            if (Allow(part, object))
              status_.ShowStatus(QStringLiteral("Allowed contact: %1 – %2")
                                      .arg(QString::fromStdString(part), QString::fromStdString(object)));
          }));
}

void InterferenceController::SetShown(bool on) {
  if (on == shown_) return;
  shown_ = on;
  if (show_ && show_->isChecked() != on) show_->setChecked(on);
  // The clearance is the check's: showing it turns the check on.
  if (on) SetCheck(true);
  frame_.DrawFrame();
}

void InterferenceController::SetTrailShown(bool on) {
  if (on == trailShown_) return;
  // The trail records only while shown: a path drawn later starts afresh
  // where the arm then stands.
  if (on && !trail_) trail_ = std::make_unique<ToolTrail>();
  trailShown_ = on;
  if (trailAction_ && trailAction_->isChecked() != on) trailAction_->setChecked(on);
  frame_.DrawFrame();
}

void InterferenceController::ClearTrail() {
  if (trail_) trail_->Clear();
  frame_.DrawFrame();
}

void InterferenceController::SetCheck(bool on) {
  if (on == checking_) return;
  checking_ = on;
  if (checkAction_ && checkAction_->isChecked() != on) checkAction_->setChecked(on);
  report_ = InterferenceReport{};
  if (!on) {
    ClearContactStatus();
    SetShown(false);
    AllowButtonFollows();
  }
  frame_.DrawFrame();
}

void InterferenceController::PoseCell(const CellStep& step) {
  ArmPose pose;
  for (size_t j = 0; j < 6; ++j) pose[j] = static_cast<int32_t>(std::lround(step.joints[j] * 100.0f));
  {
    FlagScope bulk(arm_.BulkUpdate);
    for (int i = 0; i < 2; ++i) robots_.SetRobotPanel(i, step.robot[i]);
  }
  arm_.SetJoints(pose);
  robots_.WriteRobotLabels();
  frame_.DrawFrame();
}

InterferenceState InterferenceController::LinkState() const {
  return checking_ ? SummarizeInterference(report_) : InterferenceState();
}

void InterferenceController::WatchContacts(const QString& run) {
  contactRun_ = run;
  contactStep_.clear();
  contactRunReported_ = false;
}

void InterferenceController::AllowButtonFollows() {
  const bool contact = report_.Any();
  if (contact) firstContact_ = report_.hits[0];
  if (allowButton_ && allowButton_->isVisible() != contact) allowButton_->setVisible(contact);
}

void InterferenceController::FrameDrawn() {
  if (!checking_) return;
  AllowButtonFollows();
  if (!report_.Any()) {
    // A run's first contact stays in view until the next one; a plain
    // contact message goes when the contact does.
    if (!contactRun_.isEmpty() && contactRunReported_) return;
    ClearContactStatus();
    // Without a contact the clearance, when shown, takes the line.
    if (!shown_ || !report_.measured) return;
    contactStatus_ = QString::fromStdString(DescribeClearance(report_, frame_.Objects().data()));
    status_.ShowStatus(contactStatus_);
    return;
  }
  const QString text = QString::fromStdString(DescribeReport(report_, frame_.Objects().data()));
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
  status_.ShowStatus(contactStatus_);
}

void InterferenceController::ClearContactStatus() {
  // Only the check's own message: another one written since stays.
  if (!contactStatus_.isEmpty() && status_.StatusText() == contactStatus_) status_.ShowStatus(QString());
  contactStatus_.clear();
}

void InterferenceController::SceneOpened(const QString& path) {
  allowed_ = AllowedContacts{};
  if (path.isEmpty()) return;
  if (ReadAllowLine(QFile::encodeName(path).toStdString(), allowed_) == AllowLineState::Malformed)
    status_.ShowStatus(QStringLiteral("The allowed contacts line of %1 cannot be read; no contact is allowed")
                            .arg(QFileInfo(path).fileName()));
}

bool InterferenceController::Allow(const std::string& part, const std::string& object) {
  if (!allowed_.Add(part, object)) return false;
  Changed();
  return true;
}

void InterferenceController::SetAllowed(const AllowedContacts& list) {
  if (list == allowed_) return;
  allowed_ = list;
  Changed();
}

void InterferenceController::Changed() {
  Q_EMIT allowedChanged();
  frame_.DrawFrame();
}

void InterferenceController::ShowAllowedContacts() {
  if (!allowedDialog_) {
    auto* d = new QDialog(window_);
    allowedDialog_ = d;
    d->setObjectName(QStringLiteral("AllowedContacts"));
    d->setWindowTitle(QStringLiteral("Allowed Contacts"));
    auto* layout = new QVBoxLayout(d);
    layout->addWidget(new QLabel(
        QStringLiteral("Contacts the check neither reports nor measures: a moving part (ARM.J1 ... ARM.J6, "
                       "ARM.base, OBJ005.hand, OBJ005.wafer, or OBJ007 moved by a controller) and what it meets "
                       "(OBJ012, or another robot's OBJ006.hand)."),
        d));
    qobject_cast<QLabel*>(layout->itemAt(0)->widget())->setWordWrap(true);
    auto* list = new QListWidget(d);
    list->setObjectName(QStringLiteral("Lst_Allowed"));
    layout->addWidget(list, 1);
    auto* row = new QHBoxLayout;
    auto* part = new QLineEdit(d);
    part->setObjectName(QStringLiteral("Edt_Part"));
    part->setPlaceholderText(QStringLiteral("OBJ005.hand"));
    auto* object = new QLineEdit(d);
    object->setObjectName(QStringLiteral("Edt_Object"));
    object->setPlaceholderText(QStringLiteral("OBJ012"));
    auto* add = new QPushButton(QStringLiteral("&Add"), d);
    add->setObjectName(QStringLiteral("Btn_Add"));
    auto* remove = new QPushButton(QStringLiteral("&Remove"), d);
    remove->setObjectName(QStringLiteral("Btn_Remove"));
    row->addWidget(part);
    row->addWidget(object);
    row->addWidget(add);
    row->addWidget(remove);
    layout->addLayout(row);
    auto* error = new QLabel(d);
    error->setObjectName(QStringLiteral("Lbl_Error"));
    error->setStyleSheet(QStringLiteral("color: #b00000"));
    layout->addWidget(error);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, d);
    layout->addWidget(buttons);
    d->resize(520, 360);
    auto pairs = std::make_shared<AllowedContacts>();
    auto refill = [list, pairs] {
      list->clear();
      for (const AllowedContact& c : pairs->pairs) {
        auto* item = new QListWidgetItem(QStringLiteral("%1 – %2").arg(QString::fromStdString(c.part),
                                                                       QString::fromStdString(c.object)));
        item->setData(Qt::UserRole, QString::fromStdString(c.part));
        item->setData(Qt::UserRole + 1, QString::fromStdString(c.object));
        list->addItem(item);
      }
    };
    connect(add, &QPushButton::clicked, d, [=] {
      const std::string p = part->text().trimmed().toStdString(), o = object->text().trimmed().toStdString();
      if (!IsPartName(p) || !IsObjectName(o)) {
        error->setText(QStringLiteral("Not a pair: a moving part such as OBJ005.hand or ARM.J3, and an object "
                                      "such as OBJ012."));
        return;
      }
      error->clear();
      if (pairs->Add(p, o)) refill();
      part->clear();
      object->clear();
    });
    connect(remove, &QPushButton::clicked, d, [=] {
      QListWidgetItem* item = list->currentItem();
      if (!item) return;
      pairs->Remove(item->data(Qt::UserRole).toString().toStdString(),
                    item->data(Qt::UserRole + 1).toString().toStdString());
      refill();
    });
    connect(buttons, &QDialogButtonBox::accepted, d, [=] {
      SetAllowed(*pairs);
      d->accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, d, &QDialog::reject);
    // Each opening starts from the scene's list.
    refill_ = [pairs, refill, error, this] {
      *pairs = allowed_;
      error->clear();
      refill();
    };
  }
  refill_();
  allowedDialog_->show();
  allowedDialog_->raise();
  allowedDialog_->activateWindow();
}

void InterferenceController::ShowMotionReport() {
  if (!motionReport_) motionReport_ = new MotionReport(window_, frame_, recording_, allowed_, [this](const CellStep& s) { PoseCell(s); });
  motionReport_->show();
  motionReport_->raise();
  motionReport_->activateWindow();
}
