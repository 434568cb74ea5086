#pragma once

#include <QOpenGLWidget>

#include "render/RenderContext.h"

// The drawing panel Pnl_GL. The picture is drawn on demand outside
// paintGL into the widget's framebuffer, which PartialUpdate keeps, and
// update() only puts it on screen.
class GlPanel : public QOpenGLWidget, public GlSurface {
  Q_OBJECT
 public:
  explicit GlPanel(QWidget* parent);
  ~GlPanel() override;

  bool MakeCurrent() override;
  void DoneCurrent() override;
  void SwapBuffers() override;

  bool contextReady() const { return ready_; }

 Q_SIGNALS:
  // The GL context exists (first show) and may be used.
  void contextCreated();
  // The context is about to go; GL objects made in it die with it.
  void contextLost();
  void panelResized(int width, int height);
  void mouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void mouseMove(int x, int y);
  void mouseUp(Qt::MouseButton button, int x, int y);
  void wheelTurned(int angleDelta);
  void doubleClicked(Qt::MouseButton button, int x, int y);

 protected:
  void initializeGL() override;
  void resizeGL(int w, int h) override;
  void paintGL() override;
  void mousePressEvent(QMouseEvent* e) override;
  void mouseMoveEvent(QMouseEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;
  void mouseDoubleClickEvent(QMouseEvent* e) override;
  void wheelEvent(QWheelEvent* e) override;

 private:
  bool ready_ = false;
};
