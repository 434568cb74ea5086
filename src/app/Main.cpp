#include "app/Main.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QPushButton>
#include <QScreen>
#include <QSplitter>
#include <QTimer>
#include <QWindow>

#include "app/Controls.h"
#include "app/GlPanel.h"
#include "app/Handler.h"
#include "app/QtBitmapSource.h"
#include "render/GlHeaders.h"

TForm1* Form1 = nullptr;
const char* const kVersionText = "Ver0.07z3";

namespace {
// The caption as laid out; the version is appended when the form is created.
const char* const kLayoutCaption = "Tessaly ";
}  // namespace

TForm1::TForm1() : QMainWindow(nullptr) {
  Q_INIT_RESOURCE(resources);
  setObjectName(QStringLiteral("Form1"));
  layoutCaption_ = QString::fromLatin1(kLayoutCaption);
  setWindowTitle(layoutCaption_);

  // C1: the window as laid out.
  BuildLayout();
  BuildMenus();
  BuildTimers();
  // C2: the keypad rows start with empty text.
  for (ValueEntry& v : valueEntries_) v.text.clear();
  // C3, C7: the object table with its defaults.
  objects_ = std::make_unique<ObjectTable>();
  InitializeRecords(objects_->data(), kObjectCapacity);
  // C4-C6.
  BlockTextString.clear();
  InitValueEntries();
  BulkUpdate = false;
  TextVerticalOffset = 0.0f;

  FormCreate();
}

TForm1::~TForm1() { FormDestroy(); }

void TForm1::InitValueEntries() {
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

void TForm1::BuildTimers() {
  auto make = [this](const char* name, int interval, bool enabled, void (TForm1::*tick)()) {
    auto* t = new QTimer(this);
    t->setObjectName(QString::fromLatin1(name));
    t->setInterval(interval);
    connect(t, &QTimer::timeout, this, Guarded(this, [this, tick] { (this->*tick)(); }));
    if (enabled) t->start();
    return t;
  };
  Tim_Draw = make("Tim_Draw", 100, false, &TForm1::Tim_DrawTimer);
  Tim_ActiveCheck = make("Tim_ActiveCheck", 100, true, &TForm1::Tim_ActiveCheckTimer);
  Tim_Blink = make("Tim_Blink", 500, false, &TForm1::Tim_BlinkTimer);
  Tim_Animation = make("Tim_Animation", 100, false, nullptr);
  Tim_RBT_Test = make("Tim_RBT_Test", 50, false, nullptr);
  Tim_ShmMonitor = make("Tim_ShmMonitor", 500, false, nullptr);
  for (QTimer* t : {Tim_Animation, Tim_RBT_Test, Tim_ShmMonitor}) disconnect(t, nullptr, this, nullptr);
}

void TForm1::BuildControlTables() {}

void TForm1::InitComboDefaults() {}

void TForm1::FormCreate() {
  // F1.
  BuildControlTables();
  // F2: the only blank between the two is the one ending the layout caption.
  setWindowTitle(layoutCaption_ + QString::fromLatin1(kVersionText));
  // F3.
  InitComboDefaults();
  // F4: the panel's context exists only once the window is shown; the GL
  // half of these steps runs again from OnContextCreated.
  InitRenderContext(renderContext_, Pnl_GL, Shp_Color_Back->Color());
  // F5, F6.
  TransferSettings();
  SetProjection(renderContext_, settings_.view.panelWidth, settings_.view.panelHeight, settings_.view.ortho);
  // F7: the pictures are decoded now and uploaded while the context is
  // current. Slot numbers (what files store) are 0 and 1; GL names are the
  // context's own.
  QtBitmapSource bitmaps;
  DecodeTextureImage("RC,logo", textures_[0], bitmaps);
  textures_[0].number = 0;
  DecodeTextureImage("RC,wafer", textures_[1], bitmaps);
  textures_[1].number = 1;
  for (int i = 2; i < kTextureSlotCount; ++i) textures_[i].number = i;
}

void TForm1::OnContextCreated() {
  InitRenderContext(renderContext_, Pnl_GL, Shp_Color_Back->Color());
  TransferSettings();
  if (Pnl_GL->MakeCurrent()) {
    for (TextureSlot& slot : textures_)
      if (slot.loaded) UploadTextureImage(slot);
    Pnl_GL->DoneCurrent();
  }
  SetProjection(renderContext_, settings_.view.panelWidth, settings_.view.panelHeight, settings_.view.ortho);
  RequestRedraw();
}

void TForm1::OnContextLost() {
  // The texture objects die with the context; a new context uploads again.
  for (TextureSlot& slot : textures_) slot.glName = 0;
  renderContext_.created = false;
}

void TForm1::showEvent(QShowEvent* e) {
  QMainWindow::showEvent(e);
  if (!shown_) {
    shown_ = true;
    FormShow();
    if (QWindow* w = windowHandle()) {
      // FormPaint: the window was uncovered and must be drawn again.
      w->installEventFilter(this);
    }
  }
}

bool TForm1::eventFilter(QObject* watched, QEvent* e) {
  if (watched == windowHandle() && e->type() == QEvent::Expose) RequestRedraw();
  return QMainWindow::eventFilter(watched, e);
}

void TForm1::changeEvent(QEvent* e) {
  QMainWindow::changeEvent(e);
  // FormActivate.
  if (e->type() == QEvent::ActivationChange && isActiveWindow()) RequestRedraw();
}

void TForm1::FormShow() {
  // S1: every label and setting reflects the initial controls.
  Chk_ShowDetailClick();
  // S3, S4.
  Tim_Draw->start();
  Tim_Blink->start();
}

void TForm1::closeEvent(QCloseEvent* e) {
  ExitRequested = true;
  e->accept();
  QMainWindow::closeEvent(e);
  Q_EMIT closed();
}

void TForm1::Btn_ExitClick() {
  ExitRequested = true;
  close();
}

void TForm1::FormDestroy() {
  if (destroyed_) return;
  destroyed_ = true;
  Tim_Draw->stop();
  Tim_Blink->stop();
  Tim_ActiveCheck->stop();
  ReleaseRenderContext(renderContext_);
}

void TForm1::RequestRedraw() {
  if (!Tim_Draw->isActive()) Tim_Draw->start();
}

void TForm1::Tim_DrawTimer() {
  Tim_Draw->stop();
  DrawFrame();
}

void TForm1::Tim_ActiveCheckTimer() {
  const bool active = isActiveWindow();
  if (!wasActive_ && active) DrawFrame();
  wasActive_ = active;
}

void TForm1::Tim_BlinkTimer() { DrawFrame(); }

void TForm1::Pnl_GLResize(int width, int height) {
  TransferSettings();
  SetProjection(renderContext_, width, height, settings_.view.ortho);
  RequestRedraw();
}

void TForm1::TransferSettings() {
  // 1. Panel size and view.
  settings_.view.panelWidth = Pnl_GL->width();
  settings_.view.panelHeight = Pnl_GL->height();
  // 2. Fill and frame.
  settings_.drawFill = Chk_DrawFill->isChecked();
  settings_.drawFrame = Chk_DrawFrame->isChecked();
  // 5. Floor.
  settings_.drawFloor = Chk_DrawFloor->isChecked();
  // 7. Background and frame colours.
  settings_.backColor = Shp_Color_Back->Color();
  settings_.frameColor = Shp_Color_Frame->Color();
}

void TForm1::DrawFrame() {
  TransferSettings();
  if (!renderContext_.created || !Pnl_GL->MakeCurrent()) return;
  // A frame drawn now satisfies any redraw still pending.
  Tim_Draw->stop();
  FrameInputs in;
  in.settings = &settings_;
  in.table = objects_.get();
  in.textures = textures_;
  ComposeFrame(in);
  Pnl_GL->SwapBuffers();
  Pnl_GL->DoneCurrent();
  ++framesDrawn_;
}

void TForm1::Chk_RightBarClick() {
  const int width = Chk_RightBar->isChecked() ? 168 : 0;
  QList<int> sizes = Splitter1->sizes();
  const int total = sizes.value(0) + sizes.value(1);
  Splitter1->setSizes({std::max(0, total - width), width});
  Pnl_VARobot->setVisible(width > 0);
}

void TForm1::Chk_ShowDetailClick() {
  if (Chk_ShowDetail->isChecked()) {
    Pnl_Detail->show();
    Pnl_Bottom->setFixedHeight(230);
    resize(width(), height() + 190);
  } else {
    Pnl_Bottom->setFixedHeight(40);
    Pnl_Detail->hide();
    resize(width(), std::max(minimumSizeHint().height(), height() - 190));
  }
}

void TForm1::Lbl_DEBUGDblClick() { Chk_ShowDetail->setVisible(true); }
