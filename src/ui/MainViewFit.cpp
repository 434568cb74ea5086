// The view you can point at: wheel zoom, Fit Scene, Reset View, and the
// view a scene file keeps.
#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenu>
#include <QSignalBlocker>
#include <algorithm>
#include <cmath>

#include "equipment/ObjectBounds.h"
#include "render/ViewFit.h"
#include "ui/Controls.h"
#include "ui/GlPanel.h"
#include "ui/Handler.h"
#include "ui/InterferenceController.h"
#include "ui/Main.h"

void TForm1::Pnl_GLWheel(int angleDelta) {
  // The same bar and steps as the right-button drag; the bar clamps.
  for (const DragStep& step : WheelTurn(drag_, angleDelta)) {
    TrackBar* bar = DragTarget(step.bar);
    bar->SetPosition(bar->Position() + step.amount);
  }
}

SceneView TForm1::CurrentView() const {
  SceneView v;
  v.angleX = static_cast<float>(Tkb_X_Angle->Position() * 0.1);
  v.angleZ = static_cast<float>(Tkb_Z_Angle->Position() * 0.1);
  v.zoom = static_cast<float>(Tkb_Zoom->Position() * 0.01);
  v.shiftX = static_cast<float>(Tkb_X_Shift->Position() * 0.01);
  v.shiftY = static_cast<float>(Tkb_Y_Shift->Position() * 0.01);
  v.shiftZ = static_cast<float>(Tkb_Z_Shift->Position() * 0.01);
  v.ortho = Chk_Ortho->isChecked();
  return v;
}

void TForm1::SetView(const SceneView& view) {
  // The ortho switch first: its handler sets the zoom bar's range.
  if (Chk_Ortho->isChecked() != view.ortho) Chk_Ortho->setChecked(view.ortho);
  // The perspective zoom bar reaches -40 at start and -10 once ortho was
  // used; a distance beyond it is the same move as shift Y, so a kept view
  // looks the same whatever range the bar has now. The headless renderer
  // holds a view by the same rule.
  const SceneView v = ClampView(view, static_cast<float>(Tkb_Zoom->minimum() * 0.01));
  struct Target {
    TrackBar* bar;
    double value, scale;
  } targets[] = {{Tkb_X_Angle, v.angleX, 10.0}, {Tkb_Z_Angle, v.angleZ, 10.0}, {Tkb_Zoom, v.zoom, 100.0},
                 {Tkb_X_Shift, v.shiftX, 100.0}, {Tkb_Y_Shift, v.shiftY, 100.0}, {Tkb_Z_Shift, v.shiftZ, 100.0}};
  for (const Target& t : targets) {
    // One frame for the whole view, not one per bar.
    const QSignalBlocker quiet(t.bar);
    t.bar->SetPosition(static_cast<int>(std::lround(t.value * t.scale)));
  }
  Tkb_AngleChange();
}

void TForm1::ResetView() {
  SetView(SceneView{});
}

void TForm1::FitScene() {
  TransferSettings();
  int objects = 0;
  const std::vector<BoundSphere> balls = SceneFitBounds(settings_, objects_->data(), LinkOverrides(), &objects);
  ViewLimits limits;
  limits.zoomMin = Tkb_Zoom->minimum() * 0.01;
  limits.zoomMax = Tkb_Zoom->maximum() * 0.01;
  limits.shiftMin = Tkb_X_Shift->minimum() * 0.01;
  limits.shiftMax = Tkb_X_Shift->maximum() * 0.01;
  const ViewSettings fitted = FitViewToBounds(settings_.view, balls, limits);
  SceneView v = CurrentView();
  v.zoom = fitted.zoom;
  v.shiftX = fitted.shiftX;
  v.shiftY = fitted.shiftY;
  v.shiftZ = fitted.shiftZ;
  SetView(v);
  ShowStatus(QStringLiteral("Fit Scene: %1 objects and the arm in view").arg(objects));
}

bool TForm1::KeepViewInScene() const {
  return keepViewAction_ && keepViewAction_->isChecked();
}

void TForm1::SetKeepViewInScene(bool keep) {
  // Programmatic: not a change the operator made, so nothing to save.
  if (keepViewAction_) keepViewAction_->setChecked(keep);
}

std::string TForm1::SceneHeaderExtra() const {
  // The view line while Keep View in Scene is ticked, then the allowed
  // contacts when there are any.
  return (KeepViewInScene() ? FormatViewLine(CurrentView()) : std::string()) + checks_->AllowLine();
}

bool TForm1::ApplyViewOfScene(const QString& path) {
  SceneView v;
  switch (ReadViewLine(path.toStdString(), v)) {
    case ViewLineState::Present:
      SetView(v);
      SetKeepViewInScene(true);
      return true;
    case ViewLineState::Malformed:
      ShowStatus(QStringLiteral("The view line of %1 cannot be read; the view stays as it was")
                     .arg(QFileInfo(path).fileName()));
      break;
    case ViewLineState::Absent:
      break;
  }
  SetKeepViewInScene(false);
  return false;
}

void TForm1::BuildViewMenu(QMenu* view) {
  view->addSeparator();
  QAction* fit = view->addAction(QStringLiteral("Fit Scene"));
  fit->setObjectName(QStringLiteral("Act_FitScene"));
  fit->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
  connect(fit, &QAction::triggered, this, Guarded(this, [this] { FitScene(); }));
  QAction* reset = view->addAction(QStringLiteral("Reset View"));
  reset->setObjectName(QStringLiteral("Act_ResetView"));
  reset->setShortcut(QKeySequence(QStringLiteral("Ctrl+Home")));
  connect(reset, &QAction::triggered, this, Guarded(this, [this] { ResetView(); }));
  keepViewAction_ = view->addAction(QStringLiteral("Keep View in Scene"));
  keepViewAction_->setObjectName(QStringLiteral("Act_KeepView"));
  keepViewAction_->setCheckable(true);
  // Only the operator's own tick changes what a save writes.
  connect(keepViewAction_, &QAction::triggered, this, [this] { MarkSceneModified(); });
  connect(Pnl_GL, &GlPanel::wheelTurned, this, Guarded(this, [this](int delta) { Pnl_GLWheel(delta); }));
  ConnectPicking();
}
