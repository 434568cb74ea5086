#include "ui/FrameDriver.h"

#include <QTimer>
#include <QWidget>

#include "render/GlHeaders.h"
#include "render/Picking.h"
#include "ui/FramePacer.h"
#include "ui/GlPanel.h"
#include "ui/Handler.h"
#include "ui/QtBitmapSource.h"
#include "ui/Wiring.h"

FrameDriver::FrameDriver(QWidget* window, GlPanel* panel, uint32_t backColor)
    : QObject(window), window_(window), panel_(panel) {
  // The object table with its defaults.
  objects_ = std::make_unique<ObjectTable>();
  InitializeRecords(objects_->data(), kObjectCapacity);
  pacer_ = new FramePacer(this, [this] { DrawFrame(); });

  drawTimer_ = WindowTimer(window_, this, "Tim_Draw", 100, [this] { DrawPending(); });
  activeTimer_ = WindowTimer(window_, this, "Tim_ActiveCheck", 100, [this] { CheckActive(); });
  activeTimer_->start();
  blinkTimer_ = WindowTimer(window_, this, "Tim_Blink", 500, [this] { DrawFrame(); });

  // The panel's context exists only once the window is shown; the GL half
  // of these steps runs again when it is made.
  InitRenderContext(context_, panel_, backColor);
  // The pictures are decoded now and uploaded while the context is
  // current. Slot numbers (what files store) are 0 and 1; GL names are the
  // context's own.
  QtBitmapSource bitmaps;
  DecodeTextureImage("RC,logo", textures_[0], bitmaps);
  textures_[0].number = 0;
  DecodeTextureImage("RC,wafer", textures_[1], bitmaps);
  textures_[1].number = 1;
  for (int i = 2; i < kTextureSlotCount; ++i) textures_[i].number = i;

  connect(panel_, &GlPanel::contextCreated, this, Guarded(window_, [this] { ContextCreated(); }));
  connect(panel_, &GlPanel::contextLost, this, [this] { ContextLost(); });
  connect(panel_, &GlPanel::panelResized, this, Guarded(window_, [this](int w, int h) { Resized(w, h); }));
  settings_.view.panelWidth = panel_->width();
  settings_.view.panelHeight = panel_->height();
}

FrameDriver::~FrameDriver() {
  Stop();
  ReleaseRenderContext(context_);
}

void FrameDriver::Start() {
  drawTimer_->start();
  blinkTimer_->start();
}

void FrameDriver::Stop() {
  drawTimer_->stop();
  blinkTimer_->stop();
  activeTimer_->stop();
}

void FrameDriver::ApplyProjection() {
  SetProjection(context_, settings_.view.panelWidth, settings_.view.panelHeight, settings_.view.ortho);
}

void FrameDriver::ApplyBackColor() {
  SetClearColor(context_, settings_.backColor);
  ApplyProjection();
}

void FrameDriver::ContextCreated() {
  InitRenderContext(context_, panel_, settings_.backColor);
  if (panel_->MakeCurrent()) {
    glVersion_ = QString::fromLatin1(reinterpret_cast<const char*>(glGetString(GL_VERSION)));
    glRenderer_ = QString::fromLatin1(reinterpret_cast<const char*>(glGetString(GL_RENDERER)));
    for (TextureSlot& slot : textures_)
      if (slot.loaded) UploadTextureImage(slot);
    panel_->DoneCurrent();
  }
  ApplyProjection();
  RequestRedraw();
}

void FrameDriver::ContextLost() {
  // The texture objects die with the context; a new context uploads again.
  for (TextureSlot& slot : textures_) slot.glName = 0;
  context_.created = false;
  pacer_->ContextLost();
}

void FrameDriver::Resized(int width, int height) {
  settings_.view.panelWidth = width;
  settings_.view.panelHeight = height;
  ApplyProjection();
  RequestRedraw();
}

void FrameDriver::DrawPending() {
  drawTimer_->stop();
  DrawFrame();
}

void FrameDriver::CheckActive() {
  // The window came to the front: draw it at once.
  const bool active = window_->isActiveWindow();
  if (!wasActive_ && active) DrawFrame();
  wasActive_ = active;
}

void FrameDriver::RequestRedraw() {
  if (!drawTimer_->isActive()) drawTimer_->start();
}

void FrameDriver::DrawFrame() {
  if (!context_.created || !panel_->MakeCurrent()) return;
  // A frame drawn now satisfies any redraw still pending.
  drawTimer_->stop();
  FrameResult result;
  FrameInputs in;
  in.settings = &settings_;
  in.table = objects_.get();
  in.textures = textures_;
  in.result = &result;
  in.cache = pacer_->cache();
  in.revisions = revisions ? revisions() : nullptr;
  in.reducedDetail = pacer_->BeginFrame();
  in.overrides = Overrides();
  if (addInputs) addInputs(in);
  ComposeFrame(in);
  // Each record as this frame drew it (a robot following its panel, a
  // pose from the link).
  const DrawSubstitutes subs{settings_.robot, in.overrides};
  for (int r : selected_)
    DrawSelectionOutline(settings_, EffectiveRecord((*objects_)[static_cast<size_t>(r)], r, subs), textures_);
  pacer_->EndFrame();
  panel_->SwapBuffers();
  panel_->DoneCurrent();
  ++framesDrawn_;
  for (int k = 0; k < 3; ++k) toolPoint_[k] = result.toolPoint[k];
  Q_EMIT frameDrawn();
}
