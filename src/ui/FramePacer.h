#pragma once

#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <functional>

#include "render/ObjectListCache.h"

// Keeps the window responsive in heavy scenes. While a mouse button is
// held (a drag over the picture, a slider being pulled) and the last
// full-detail frame took longer than kSlowFrameMs, frames are drawn quick:
// round shapes with kQuickSegments segments, outlines left out where faces
// are filled. When no quick frame has followed for kRestMs, one full-detail
// frame is drawn. Scenes that draw fast never see a quick frame.
//
// It also owns the mesh cache of the window's drawing panel.
class FramePacer : public QObject {
 public:
  static constexpr int kSlowFrameMs = 100;
  static constexpr int kRestMs = 300;
  static constexpr int kQuickSegments = 24;

  // drawFullFrame draws one frame of the window (it calls BeginFrame and
  // EndFrame again).
  FramePacer(QObject* parent, std::function<void()> drawFullFrame);
  ~FramePacer() override;

  // Before a frame: the reduced detail to draw it with (0 for full).
  int BeginFrame();
  // After it, with the context still current: waits for GL and measures.
  void EndFrame();

  ObjectListCache* cache() { return &cache_; }
  // The panel's context is going: what the cache holds in it goes too.
  void ContextLost() { cache_.ContextLost(); }

  bool lastFrameQuick() const { return quick_; }
  double lastFullFrameMs() const { return lastFullMs_; }
  // For tests: what counts as a slow frame.
  void setSlowFrameMs(double ms) { slowMs_ = ms; }

 protected:
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  std::function<void()> drawFull_;
  ObjectListCache cache_;
  QElapsedTimer clock_;
  QTimer rest_;
  double slowMs_ = kSlowFrameMs;
  double lastFullMs_ = 0.0;
  bool quick_ = false;
  bool forcingFull_ = false;
  int buttonsHeld_ = 0;
};
