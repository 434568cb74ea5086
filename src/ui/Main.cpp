#include "ui/Main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLayout>
#include <QMenuBar>
#include <QPushButton>
#include <QSplitter>
#include <QWindow>
#include <algorithm>

#include "ui/AppearanceController.h"
#include "ui/ArmController.h"
#include "ui/Controls.h"
#include "ui/DocumentController.h"
#include "ui/EditController.h"
#include "ui/FrameDriver.h"
#include "ui/GlPanel.h"
#include "ui/HelpController.h"
#include "ui/Handler.h"
#include "ui/InterferenceController.h"
#include "ui/LinkController.h"
#include "ui/ModelsController.h"
#include "ui/Objectsetting.h"
#include "ui/QtBitmapSource.h"
#include "ui/RobotsController.h"
#include "ui/StatusLine.h"
#include "ui/ViewController.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowSet.h"
#include "ui/Wiring.h"

const char* const kVersionText = "Ver0.07z3";

namespace {
// The caption as laid out; the version is appended when the form is created.
const char* const kLayoutCaption = "Tessaly ";
}  // namespace

TForm1::TForm1(const WindowSet& windows) : QMainWindow(nullptr), windows_(windows) {
  InitBuiltInBitmaps();
  setObjectName(QStringLiteral("Form1"));
  layoutCaption_ = QString::fromLatin1(kLayoutCaption);
  setWindowTitle(layoutCaption_);

  // The window as laid out, its lookup tables and its combos' first items
  // (programmatic choices: no handler runs).
  BuildLayout();
  BuildControlTables();
  InitComboDefaults();

  // The controllers, each taking its controls' handlers and writing its
  // part of the frame's settings from them.
  status_ = new StatusLine(this);
  frame_ = new FrameDriver(this, Pnl_GL, Shp_Color_Back->Color());
  appearance_ = new AppearanceController(this, *this, *frame_);
  view_ = new ViewController(this, *this, *frame_, *status_, windows_);
  arm_ = new ArmController(this, *this, *frame_, *status_, windows_);
  arm_->exitRequested = [this] { return ExitRequested; };
  robots_ = new RobotsController(this, *this, *frame_, *appearance_);
  checks_ = new InterferenceController(this, *frame_, *status_, *arm_, *robots_);
  link_ = new LinkController(this, *this, *frame_, *status_, *arm_, *robots_, *checks_);
  models_ = new ModelsController(this, *frame_, *status_, *view_);
  // The only blank between the two is the one ending the layout caption.
  const QString caption = layoutCaption_ + QString::fromLatin1(kVersionText);
  setWindowTitle(caption);
  document_ = new DocumentController(this, caption, *this, *frame_, *status_, *view_, *checks_, *models_, windows_);
  edit_ = new EditController(this, *frame_, *status_, *view_, *document_);
  help_ = new HelpController(this, *frame_);

  // The window's own controls.
  OnClick(Btn_Exit, this, this, [this] { Btn_ExitClick(); });
  OnToggle(Chk_RightBar, this, this, [this] { Chk_RightBarClick(); });
  OnToggle(Chk_ShowDetail, this, this, [this] { Chk_ShowDetailClick(); });
  BuildMenus();
  for (QAction* title : menuBar()->actions())
    if (title->menu()) DropEntryMnemonics(title->menu());

  frame_->ApplyProjection();
  document_->Start();
  // The window's keys reach it whatever control has the focus (MainKeys.cpp).
  qApp->installEventFilter(this);
}

TForm1::~TForm1() {
  qApp->removeEventFilter(this);
  // The controllers go first, while the controls they hold still exist;
  // the frame driver last, releasing the panel's GL objects.
  delete help_;
  delete edit_;
  delete document_;
  delete models_;
  delete link_;
  delete checks_;
  delete robots_;
  delete arm_;
  delete view_;
  delete appearance_;
  delete frame_;
}

void TForm1::BuildControlTables() {
  UnitAlarmChecks = {Chk_Unit01_Alarm, Chk_Unit02_Alarm, Chk_Unit03_Alarm, Chk_Unit04_Alarm, Chk_Unit05_Alarm,
                     Chk_Unit06_Alarm, Chk_Unit07_Alarm, Chk_Unit08_Alarm, Chk_Unit09_Alarm, Chk_Unit10_Alarm,
                     Chk_Unit11_Alarm, Chk_Unit12_Alarm, Chk_Unit13_Alarm};
  UnitWarningChecks = {Chk_Unit01_Warning, Chk_Unit02_Warning, Chk_Unit03_Warning, Chk_Unit04_Warning,
                       Chk_Unit05_Warning, Chk_Unit06_Warning, Chk_Unit07_Warning, Chk_Unit08_Warning,
                       Chk_Unit09_Warning, Chk_Unit10_Warning, Chk_Unit11_Warning, Chk_Unit12_Warning,
                       Chk_Unit13_Warning};
  JointBars = {Tkb_TestData01, Tkb_TestData02, Tkb_TestData03,
               Tkb_TestData04, Tkb_TestData05, Tkb_TestData06};
}

void TForm1::InitComboDefaults() {
  Cmb_TextSize->setCurrentIndex(2);
  Cmb_TextDir->setCurrentIndex(0);
  Cmb_Light1_Spot_Dir->setCurrentIndex(4);
  Cmb_Light2_Spot_Dir->setCurrentIndex(4);
  Cmb_Fog_Type->setCurrentIndex(1);
  Cmb_ColorTexture->setCurrentIndex(0);
  Cmb_ColorTex_Type->setCurrentIndex(0);
  Cmb_VARBT_Pos->setCurrentIndex(0);
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!shown_) {
    shown_ = true;
    Guarded(this, [this] { FormShow(); })();
    if (QWindow* w = windowHandle()) {
      // The window was uncovered and must be drawn again.
      w->installEventFilter(this);
    }
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
  if (watched == windowHandle() && e->type() == QEvent::Expose && frame_) frame_->RequestRedraw();
  if (e->type() == QEvent::KeyPress && PreviewKey(watched, static_cast<QKeyEvent*>(e))) return true;
  return QMainWindow::eventFilter(watched, e);
}

void TForm1::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  if (e->type() == QEvent::ActivationChange && isActiveWindow() && frame_) frame_->RequestRedraw();
}

void TForm1::keyPressEvent(QKeyEvent* e) {
  // Keys arrive here when the focused control has no use for them; combo
  // boxes and the text field keep their letters.
  if (e->text().size() == 1 && FormKeyPress(e->text().at(0))) {
    e->accept();
    return;
  }
  QMainWindow::keyPressEvent(e);
}

bool TForm1::FormKeyPress(QChar key) {
  return arm_->JointKey(key);
}

void TForm1::FormShow() {
  // Every label and setting reflects the initial controls.
  Chk_ShowDetailClick();
  view_->Tkb_AngleChange();
  appearance_->Tkb_Light_PosChange();
  appearance_->Chk_LightClick();
  appearance_->Tkb_Text_PosChange();
  robots_->Tkb_RBT_AxisChange();
  appearance_->Chk_DrawTextClick();
  appearance_->Tkb_Fog_Setting_Change();
  arm_->Tkb_TestDataChange();
  appearance_->Tkb_ColorTexChange();
  arm_->Tkb_XYZChange();
  Btn_ObjList->setEnabled(windows_.objectSettings != nullptr && windows_.objectSettings->ShapeListLoaded());
  // Where the window was at the last end, held inside the screen.
  if (!pendingGeometry_.isEmpty()) {
    restoreGeometry(pendingGeometry_);
    pendingGeometry_.clear();
    KeepOnScreen(this);
  }
  frame_->Start();
  link_->WindowShown();
}

void TForm1::closeEvent(QCloseEvent* e) {
  // Exit, Ctrl+Q, Alt+F4 and the close button: Cancel keeps the program open.
  if (!document_->AskSaveChanges()) {
    ExitRequested = false;
    e->ignore();
    return;
  }
  ExitRequested = true;
  e->accept();
  QMainWindow::closeEvent(e);
  Q_EMIT closed();
}

void TForm1::Btn_ExitClick(QObject*) {
  ExitRequested = true;
  close();
}

void TForm1::Chk_RightBarClick(QObject*) {
  const int width = Chk_RightBar->isChecked() ? 168 : 0;
  QList<int> sizes = Splitter1->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  Splitter1->setSizes({std::max(0, total - width), width});
  Pnl_VARobot->setVisible(width > 0);
}

void TForm1::Chk_ShowDetailClick(QObject*) {
  // The drawing panel keeps its height: the window grows by what the
  // bottom panel grows.
  const int delta = kBottomDetailHeight - kBottomCollapsedHeight;
  if (Chk_ShowDetail->isChecked()) {
    Pnl_Detail->show();
    Pnl_Bottom->setFixedHeight(kBottomDetailHeight);
    resize(width(), height() + delta);
    // Never beyond the screen: the picture gives up what does not fit.
    KeepOnScreen(this);
  } else {
    Pnl_Bottom->setFixedHeight(kBottomCollapsedHeight);
    Pnl_Detail->hide();
    // The layouts must know the smaller panel before the window may shrink.
    if (QLayout* l = centralWidget()->layout()) l->activate();
    if (QLayout* l = layout()) l->activate();
    resize(width(), height() - delta);
  }
}

void TForm1::Lbl_DEBUGDblClick(QObject*) {
  Chk_ShowDetail->setVisible(true);
}
