#include "ui/FramePacer.h"

#include <QApplication>
#include <QMouseEvent>

#include "render/GlHeaders.h"

FramePacer::FramePacer(QObject* parent, std::function<void()> drawFullFrame)
    : QObject(parent), drawFull_(std::move(drawFullFrame)) {
  rest_.setSingleShot(true);
  rest_.setInterval(kRestMs);
  connect(&rest_, &QTimer::timeout, this, [this] {
    forcingFull_ = true;
    drawFull_();
    forcingFull_ = false;
  });
  // Presses and releases anywhere in the program: a drag over the picture
  // and a slider being pulled both hold a button.
  if (qApp) qApp->installEventFilter(this);
}

FramePacer::~FramePacer() {
  if (qApp) qApp->removeEventFilter(this);
}

bool FramePacer::eventFilter(QObject* watched, QEvent* e) {
  // Each press reaches the filter once per widget it passes; count it
  // where it lands on a window-system surface only.
  if ((e->type() == QEvent::MouseButtonPress || e->type() == QEvent::MouseButtonRelease) && watched->isWidgetType()) {
    const auto* me = static_cast<QMouseEvent*>(e);
    buttonsHeld_ = static_cast<int>(me->buttons());
  }
  return QObject::eventFilter(watched, e);
}

int FramePacer::BeginFrame() {
  quick_ = !forcingFull_ && buttonsHeld_ != 0 && lastFullMs_ > slowMs_;
  clock_.start();
  return quick_ ? kQuickSegments : 0;
}

void FramePacer::EndFrame() {
  glFinish();
  const double ms = static_cast<double>(clock_.nsecsElapsed()) / 1e6;
  if (quick_) {
    // Restarted by every quick frame: the full one follows the last.
    rest_.start();
  } else {
    lastFullMs_ = ms;
    rest_.stop();
  }
}
