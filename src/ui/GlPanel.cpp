#include "ui/GlPanel.h"

#include <QMouseEvent>
#include <QOpenGLContext>
#include <QWheelEvent>

GlPanel::GlPanel(QWidget* parent) : QOpenGLWidget(parent) {
  setObjectName(QStringLiteral("Pnl_GL"));
  setUpdateBehavior(QOpenGLWidget::PartialUpdate);
  setMouseTracking(true);
  setMinimumSize(1, 1);
  // Clicked, the picture takes the keyboard from whatever control had it.
  setFocusPolicy(Qt::ClickFocus);
}

GlPanel::~GlPanel() {
  // The context dies in the base class's destructor, after this panel has
  // stopped being one: nobody is told of it then.
  if (QOpenGLContext* c = context()) disconnect(c, nullptr, this, nullptr);
  ready_ = false;
}

bool GlPanel::MakeCurrent() {
  if (!ready_) return false;
  makeCurrent();
  return context() && context()->isValid();
}

void GlPanel::DoneCurrent() {
  if (ready_) doneCurrent();
}

void GlPanel::SwapBuffers() {
  update();
}

void GlPanel::initializeGL() {
  ready_ = true;
  connect(context(), &QOpenGLContext::aboutToBeDestroyed, this, [this] {
    Q_EMIT contextLost();
    ready_ = false;
  });
  Q_EMIT contextCreated();
}

void GlPanel::resizeGL(int w, int h) {
  Q_EMIT panelResized(w, h);
}

void GlPanel::paintGL() {
  // Nothing: the frame was drawn when it was asked for and PartialUpdate
  // keeps it.
}

void GlPanel::mousePressEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  Q_EMIT mouseDown(e->button(), e->modifiers(), p.x(), p.y());
}

void GlPanel::mouseMoveEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  Q_EMIT mouseMove(p.x(), p.y());
}

void GlPanel::mouseReleaseEvent(QMouseEvent* e) {
  const QPoint p = e->position().toPoint();
  Q_EMIT mouseUp(e->button(), p.x(), p.y());
}

void GlPanel::mouseDoubleClickEvent(QMouseEvent* e) {
  // The second press of a double-click starts no drag.
  const QPoint p = e->position().toPoint();
  Q_EMIT doubleClicked(e->button(), p.x(), p.y());
}

void GlPanel::wheelEvent(QWheelEvent* e) {
  // Only the vertical wheel zooms; a sideways tilt is left to Qt.
  const int delta = e->angleDelta().y();
  if (delta == 0) {
    e->ignore();
    return;
  }
  e->accept();
  Q_EMIT wheelTurned(delta);
}
