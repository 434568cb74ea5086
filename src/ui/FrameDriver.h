#pragma once

#include <QObject>
#include <QString>
#include <functional>
#include <memory>
#include <vector>

#include "objects/SceneObject.h"
#include "render/Frame.h"
#include "render/RenderContext.h"
#include "render/RenderSettings.h"
#include "render/Texture.h"

class FramePacer;
class GlPanel;
class QTimer;
class QWidget;

// What the picture is made of and when it is drawn: the object table and
// its textures, the render settings (each controller writes its own part
// when its controls change), the panel's GL context, the draw, blink and
// activation timers, and the per-frame update and draw.
class FrameDriver : public QObject {
  Q_OBJECT
 public:
  FrameDriver(QWidget* window, GlPanel* panel, uint32_t backColor);
  ~FrameDriver() override;

  ObjectTable& Objects() { return *objects_; }
  TextureSlot* Textures() { return textures_; }
  RenderSettings& Settings() { return settings_; }
  const RenderSettings& Settings() const { return settings_; }
  RenderContext& Context() { return context_; }
  GlPanel* Panel() const { return panel_; }
  FramePacer* Pacer() const { return pacer_; }

  // Draws now; RequestRedraw draws once, soon, however often it is asked.
  void DrawFrame();
  void RequestRedraw();
  int FramesDrawn() const { return framesDrawn_; }
  // The arm's tool point of the last frame, GL axis order.
  const double* ToolPoint() const { return toolPoint_; }

  // The timers run from when the window first shows until it is destroyed.
  void Start();
  void Stop();
  // The projection again, for the panel's size and the view's mode.
  void ApplyProjection();
  // The clear colour from the settings' background, and the projection.
  void ApplyBackColor();

  // The records drawn with the selection outline.
  void SetSelected(const std::vector<int>& records) { selected_ = records; }
  // Where the frame takes what others keep: the table's revisions (the
  // history), the link's object poses, the interference check's inputs.
  std::function<const uint64_t*()> revisions;
  std::function<const ObjectOverrides*()> overrides;
  std::function<void(FrameInputs&)> addInputs;
  const ObjectOverrides* Overrides() const { return overrides ? overrides() : nullptr; }

  // What the panel's context says it is ("" before it exists).
  const QString& GlVersion() const { return glVersion_; }
  const QString& GlRenderer() const { return glRenderer_; }

  QTimer* drawTimer() const { return drawTimer_; }
  QTimer* blinkTimer() const { return blinkTimer_; }

 Q_SIGNALS:
  // A frame was drawn (ToolPoint is its tool point).
  void frameDrawn();

 private:
  void DrawPending();
  void CheckActive();
  void ContextCreated();
  void ContextLost();
  void Resized(int width, int height);

  QWidget* window_;
  GlPanel* panel_;
  std::unique_ptr<ObjectTable> objects_;
  TextureSlot textures_[kTextureSlotCount];
  RenderSettings settings_;
  RenderContext context_;
  FramePacer* pacer_ = nullptr;  // quick frames while dragging, the mesh cache
  QTimer* drawTimer_ = nullptr;
  QTimer* activeTimer_ = nullptr;
  QTimer* blinkTimer_ = nullptr;
  bool wasActive_ = false;
  std::vector<int> selected_;
  int framesDrawn_ = 0;
  double toolPoint_[3] = {0.0, 0.56, 0.37};
  QString glVersion_, glRenderer_;
};
