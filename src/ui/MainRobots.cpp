// The main window's transfer-robot panels (taught positions, test run,
// step animation), the controller link and the scene file commands.
#include <QCheckBox>
#include <QComboBox>
#include <QBuffer>
#include <QFile>
#include <QFileInfo>
#include <memory>
#include <QGroupBox>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>
#include <QTimer>
#include <iostream>

#include "ui/Controls.h"
#include "ui/GlPanel.h"
#include "ui/InterferenceController.h"
#include "ui/Main.h"
#include "ui/ModelsController.h"

#include <QSignalBlocker>
#include "ui/MainHelpers.h"
#include "ui/Prompts.h"
#include "objects/FileAccess.h"
#include "objects/ObjectFile.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"

namespace {

struct RobotBars {
  TrackBar *r1, *r2, *z, *t, *x;
};

}  // namespace

void TForm1::Cmb_RBT_PosChange(QObject* Sender) {
  // Tag -1: the slot combo and the light and fog combos, which move RBT1 to
  // its selected position again; 0 RBT1; 1 RBT2; anything else nothing.
  const int tag = TagOf(Sender);
  if (tag < -1 || tag > 1) return;
  const int robot = tag == 1 ? 1 : 0;
  QComboBox* pos = robot == 0 ? Cmb_RBT1_Pos : Cmb_RBT2_Pos;
  // The slot must be current for the load-port rule.
  TransferSettings();
  const RobotPanelValues& r = settings_.robot[robot];
  const AxisTargets a = LookupTeachingPosition(Teach, robot, pos->currentIndex(), r.Slot, r.Arm2, r.LLDown);
  if (a.valid) {
    const RobotBars bars = robot == 0
                               ? RobotBars{Tkb_RBT1_R1Axis, Tkb_RBT1_R2Axis, Tkb_RBT1_ZAxis, Tkb_RBT1_TAxis, Tkb_RBT1_XAxis}
                               : RobotBars{Tkb_RBT2_R1Axis, Tkb_RBT2_R2Axis, Tkb_RBT2_ZAxis, Tkb_RBT2_TAxis, Tkb_RBT2_XAxis};
    FlagScope updating(Updating);
    bars.r1->SetPosition(a.R1);
    if (a.setR2) bars.r2->SetPosition(a.R2);
    bars.t->SetPosition(a.T);
    bars.z->SetPosition(a.Z);
    bars.x->SetPosition(a.X);
  }
  Tkb_RBT_AxisChange();
}

void TForm1::Btn_RBT_TestClick(QObject*) {
  TestRunning = !TestRunning;
  Btn_RBT_Test->setText(TestRunning ? QStringLiteral("RBT Test Stop") : QStringLiteral("RBT Test Start"));
  checks_->WatchContacts(TestRunning ? QStringLiteral("RBT test run") : QString());
  if (!TestRunning) {
    Tim_RBT_Test->stop();
    return;
  }
  {
    FlagScope updating(Updating);
    for (TrackBar* b : {Tkb_RBT1_R1Axis, Tkb_RBT1_R2Axis, Tkb_RBT1_ZAxis, Tkb_RBT1_TAxis, Tkb_RBT1_XAxis,
                        Tkb_RBT2_R1Axis, Tkb_RBT2_R2Axis, Tkb_RBT2_ZAxis, Tkb_RBT2_TAxis, Tkb_RBT2_XAxis})
      b->SetPosition(0);
    for (QCheckBox* c : {Chk_RBT1_R1_Wafer, Chk_RBT1_R2_Wafer, Chk_RBT2_R1_Wafer, Chk_RBT2_R2_Wafer})
      c->setChecked(false);
  }
  TestRun = TestRunState{};
  Tim_RBT_Test->start();
  Tkb_RBT_AxisChange();
}

void TForm1::TurnViewForRotate() {
  if (!Chk_RBT_Test_Rotate->isChecked()) return;
  // Round and round: from the end of the range back to its start.
  if (Tkb_Z_Angle->Position() >= Tkb_Z_Angle->maximum())
    Tkb_Z_Angle->SetPosition(Tkb_Z_Angle->minimum());
  else
    Tkb_Z_Angle->SetPosition(Tkb_Z_Angle->Position() + 5);
}

void TForm1::Tim_RBT_TestTimer() {
  if (!TestRunning) {
    Tim_RBT_Test->stop();
    return;
  }
  checks_->SetContactStep(QStringLiteral("phase %1, tick %2").arg(TestRun.phase).arg(TestRun.tick));
  {
    FlagScope updating(Updating);
    const TestRunTick t = AdvanceTestRun(TestRun);
    if (t.R1 >= 0) Tkb_RBT1_R1Axis->SetPosition(t.R1);
    if (t.Z >= 0) Tkb_RBT1_ZAxis->SetPosition(t.Z);
    if (t.X >= 0) Tkb_RBT1_XAxis->SetPosition(t.X);
    if (t.T >= 0) Tkb_RBT1_TAxis->SetPosition(t.T);
    if (t.waferR1 >= 0) Chk_RBT1_R1_Wafer->setChecked(t.waferR1 == 1);
    TextVerticalOffset = TestRun.vibration;
  }
  TurnViewForRotate();
  Tkb_RBT_AxisChange();
}

void TForm1::Btn_AnimationStartClick(QObject*) {
  AnimationRunning = !AnimationRunning;
  Btn_AnimationStart->setText(AnimationRunning ? QStringLiteral("Anime Stop") : QStringLiteral("Anime Start"));
  // The link and the animation never run together.
  Chk_ShmLink->setEnabled(!AnimationRunning);
  if (!AnimationRunning) {
    Tim_Animation->stop();
    return;
  }
  Animation.step = 0;
  Animation.tick = 0;
  {
    FlagScope updating(Updating);
    TextVerticalOffset = 0.0f;
    Lbl_AnimationStep->setText(QStringLiteral("0"));
  }
  DrawFrame();
  Tim_Animation->start();
}

void TForm1::Tim_AnimationTimer() {
  if (!AnimationRunning) {
    Tim_Animation->stop();
    return;
  }
  const AnimationTick t = AdvanceAnimation(Animation, Chk_Pause->isChecked());
  if (t.reset) {
    FlagScope updating(Updating);
    TextVerticalOffset = 0.0f;
    Lbl_AnimationStep->setText(QStringLiteral("0"));
  }
  if (!t.draw) return;
  TurnViewForRotate();
  StepFollowedRobots(Animation.step);
  DrawFrame();
  Lbl_AnimationStep->setText(QString::number(Animation.step));
}

// --- Controller link -------------------------------------------------------------------

void TForm1::Chk_ShmLinkClick(QObject*) {
  TransferSettings();
  if (!link_) link_ = std::make_unique<SharedMemoryLink>(linkMessages_, linkBlockName_, linkMutexName_);
  const bool on = Chk_ShmLink->isChecked();
  // A new link starts from the stored poses, not from an earlier link's.
  if (on) {
    linkSession_->Reset();
    checks_->recording().Clear();  // a new session
  }
  const bool done = on ? link_->OpenSharedMemoryLink() == 1 : link_->CloseSharedMemoryLink() == 1;
  // What the link said goes to standard output, as it always has, and its
  // last line to the status line.
  const std::string said = linkMessages_.str();
  linkMessages_.str(std::string());
  if (!said.empty()) {
    std::cout << said << std::flush;
    ShowStatus(QString::fromStdString(said).trimmed().section(QLatin1Char('\n'), -1));
  }
  if (done) {
    SetShmLinkLock(on);
    return;
  }
  UncheckLink();
}

void TForm1::UncheckLink() {
  // The box is unchecked without a second toggled signal, which would reach
  // the box's handler (and the menu entry, which would check the box again)
  // while the first is still being delivered.
  {
    const QSignalBlocker quiet(Chk_ShmLink);
    Chk_ShmLink->setChecked(false);
  }
  if (shmLinkAction_) shmLinkAction_->setChecked(false);
  SetShmLinkLock(false);
}

void TForm1::OpenLinkWhenShown() {
  if (shown_)
    Chk_ShmLink->setChecked(true);
  else
    linkOnShow_ = true;
}

void TForm1::SetLinkNames(const std::string& blockName, const std::string& mutexName) {
  if (blockName == linkBlockName_ && mutexName == linkMutexName_) return;
  linkBlockName_ = blockName;
  linkMutexName_ = mutexName;
  // An open link keeps the objects it has; the next open uses the new names.
  if (link_ && !link_->IsOpen()) link_.reset();
}

void TForm1::ShowStatus(const QString& message) {
  if (!statusMessage_) return;
  statusMessage_->setText(message);
  // The field cuts a long message; the whole of it shows on hover.
  statusMessage_->setToolTip(message);
}

QString TForm1::StatusText() const { return statusMessage_ ? statusMessage_->text() : QString(); }

void TForm1::SetShmLinkLock(bool linked) {
  Btn_AnimationStart->setEnabled(!linked);
  Grp_Robot->setEnabled(!linked);
  Grp_Equipment->setEnabled(!linked);
  SetShmTimerEnabled(linked);
}

void TForm1::Tim_ShmMonitorTimer() {
  // One poll of the link: a controller that speaks the protocol is read
  // (MainLink.cpp); any other block is left alone.
  {
    FlagScope updating(Updating);
    PollLink();
  }
  DrawFrame();
}

// --- Scene files and the object dialogs ------------------------------------------------

int TForm1::ReadSceneInto(const QString& path, SceneObject* table, int* reported, bool* refused) {
  std::string why;
  const int n = LoadObjects(
      QFile::encodeName(path).toStdString(), table, kObjectCapacity, textures_,
      [this, reported](const std::string& m) {
        ++*reported;
        Prompts::Get().Error(this, QString::fromStdString(m));
      },
      &why, refused);
  if (n < 0) {
    ShowStatus(QStringLiteral("Cannot open the file: %1 (%2)").arg(path, QString::fromStdString(why)));
    Prompts::Get().Error(this, QStringLiteral("Cannot open the file: %1\n(%2)").arg(path, QString::fromStdString(why)));
  }
  return n;
}

int TForm1::LoadSceneFile(const QString& path, int* reported) {
  int messages = 0;
  bool refused = false;
  // What the merge writes is found by comparing with the table before it.
  const auto before = std::make_unique<ObjectTable>(*objects_);
  const int n = ReadSceneInto(path, objects_->data(), &messages, &refused);
  if (n > 0 && models_) models_->RebaseMergedPaths(path, *before);
  if (reported) *reported = messages;
  if (refused) {
    // Nothing of it reached the table.
    ShowStatus(QStringLiteral("%1 was not merged: it is not a scene file").arg(QFileInfo(path).fileName()));
    return 0;
  }
  if (n >= 0 && ObjList && ObjList->isVisible()) ObjList->Rebuild();
  if (n > 0) RequestRedraw();
  if (n >= 0) {
    const QString name = QFileInfo(path).fileName();
    SceneChanged(QStringLiteral("Merge ") + name);
    ShowStatus(QStringLiteral("Merged %1 objects from %2").arg(n).arg(name) +
               (messages > 0 ? QStringLiteral(" (%1 errors)").arg(messages) : QString()));
  }
  return n;
}

void TForm1::Btn_Load_OBJClick(QObject*) {
  const QString path =
      Prompts::Get().OpenFile(this, QStringLiteral("Load OBJ"), QStringLiteral("3D Data List file (*.3dl);;All files (*)"));
  if (path.isEmpty()) return;
  LoadSceneFile(path);
}

bool TForm1::SaveSceneAs() {
  QString path =
      Prompts::Get().SaveFile(this, QStringLiteral("Save OBJ"), QStringLiteral("3D Data List file (*.3dl)"));
  if (path.isEmpty()) return false;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".3dl");
  SaveOptions options;
  if (!ConfirmSaveTarget(this, path, QStringLiteral("Save OBJ"), &options)) return false;
  // Model files keep being found from the new folder.
  if (models_) models_->RebaseModelPaths(path);
  QString why;
  if (!WriteScene(path, options, &why)) {
    ShowStatus(QStringLiteral("Object data could not be saved to: %1 (%2)").arg(path, why));
    Prompts::Get().Error(this, QStringLiteral("Object data could not be saved to: %1\n(%2)").arg(path, why));
    return false;
  }
  SceneSaved(path);
  Prompts::Get().Message(this, QStringLiteral("Object data save completed."));
  return true;
}

bool TForm1::SaveImage(const QString& path, QString* why, bool writeThrough) {
  DrawFrame();
  const QImage img = Pnl_GL->grabFramebuffer();
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  if (img.isNull() || !img.save(&buffer, "PNG")) {
    if (why) *why = QStringLiteral("the picture cannot be made");
    return false;
  }
  // The program's safe save: a full disk leaves the old picture, never an
  // empty one.
  SaveOptions options;
  options.writeThroughSpecial = writeThrough;
  std::string reason;
  if (SaveFileContents(QFile::encodeName(path).toStdString(),
                       std::string(png.constData(), static_cast<size_t>(png.size())), options, &reason))
    return true;
  if (why) *why = QString::fromStdString(reason);
  return false;
}

void TForm1::SaveImageAs() {
  QString path = Prompts::Get().SaveFile(this, QStringLiteral("Save Image"), QStringLiteral("PNG image (*.png)"));
  if (path.isEmpty()) return;
  if (QFileInfo(path).suffix().isEmpty()) path += QStringLiteral(".png");
  SaveOptions options;
  if (!ConfirmSaveTarget(this, path, QStringLiteral("Save Image"), &options)) return;
  QString why;
  if (!SaveImage(path, &why, options.writeThroughSpecial)) {
    ShowStatus(QStringLiteral("The image could not be saved to: %1 (%2)").arg(path, why));
    Prompts::Get().Error(this, QStringLiteral("The image could not be saved to: %1\n(%2)").arg(path, why));
  }
}

void TForm1::Btn_OBJSetClick(QObject*) {
  // The selected object, object 0 when none is (as laid out); the list
  // edits any row.
  if (!ObjSet) return;
  PlaceBeside(ObjSet);
  if (ObjSet->Edit(*objects_, textures_, selected_ >= 0 ? selected_ : 0)) DrawFrame();
}

void TForm1::Btn_ObjListClick(QObject*) {
  if (!ObjList) return;
  PlaceBeside(ObjList);
  ObjList->Open(*objects_, textures_);
  if (selected_ >= 0) ObjList->SelectRecord(selected_);
}
