#include "ui/ViewController.h"

#include <QAction>
#include <QCheckBox>
#include <QFileInfo>
#include <QMenu>
#include <QScreen>
#include <QSignalBlocker>
#include <QTimer>
#include <algorithm>
#include <cmath>

#include "render/Picking.h"
#include "equipment/ObjectBounds.h"
#include "render/ViewFit.h"
#include "ui/Controls.h"
#include "ui/FrameDriver.h"
#include "ui/GlPanel.h"
#include "ui/MainControls.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "ui/StatusLine.h"
#include "ui/WindowPlacement.h"
#include "ui/WindowSet.h"
#include "ui/Wiring.h"

namespace {
// A press and release this close together are a click, not a drag.
constexpr int kClickSlop = 3;
}  // namespace

ViewController::ViewController(QWidget* window, MainControls& ui, FrameDriver& frame, StatusLine& status,
                               const WindowSet& windows)
    : QObject(window), window_(window), ui_(ui), frame_(frame), status_(status), windows_(windows) {
  MainControls& c = ui_;
  TrackBar* bars[] = {c.Tkb_X_Angle, c.Tkb_Z_Angle, c.Tkb_Zoom,  c.Tkb_X_Shift,
                      c.Tkb_Y_Shift, c.Tkb_Z_Shift, c.Tkb_Trans, c.Tkb_Resolution};
  for (TrackBar* b : bars) OnAnyChange(b, this, [this] { WriteSettings(); });
  OnAnyChange(c.Chk_Ortho, this, [this] { WriteSettings(); });
  WriteSettings();
  for (TrackBar* b : bars) OnMove(b, this, window_, [this, b] { Tkb_AngleChange(b); });
  OnToggle(c.Chk_Ortho, this, window_, [this] { Chk_OrthoClick(); });
  OnClick(c.Btn_OBJSet, this, window_, [this] { Btn_OBJSetClick(); });
  OnClick(c.Btn_ObjList, this, window_, [this] { Btn_ObjListClick(); });

  GlPanel* gl = c.Pnl_GL;
  connect(gl, &GlPanel::mouseDown, this,
          Guarded(window_, [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
            Pnl_GLMouseDown(b, m, x, y);
          }));
  connect(gl, &GlPanel::mouseMove, this, Guarded(window_, [this](int x, int y) { Pnl_GLMouseMove(x, y); }));
  connect(gl, &GlPanel::mouseUp, this, Guarded(window_, [this] { Pnl_GLMouseUp(); }));
}

void ViewController::DrawFrame() { frame_.DrawFrame(); }

void ViewController::WriteSettings() {
  ViewSettings& v = frame_.Settings().view;
  const SceneView bars = CurrentView();
  v.angleX = bars.angleX;
  v.angleZ = bars.angleZ;
  v.zoom = bars.zoom;
  v.shiftX = bars.shiftX;
  v.shiftY = bars.shiftY;
  v.shiftZ = bars.shiftZ;
  v.ortho = bars.ortho;
  v.resolution = ui_.Tkb_Resolution->Position();
}

std::string ViewController::ViewLine() const {
  return KeepViewInScene() ? FormatViewLine(CurrentView()) : std::string();
}

void ViewController::AddToolsEntries(QMenu* tools) {
  connect(tools->addAction(QStringLiteral("&Object Settings...")), &QAction::triggered, this,
          Guarded(window_, [this] { Btn_OBJSetClick(); }));
  connect(tools->addAction(QStringLiteral("Object &List...")), &QAction::triggered, this,
          Guarded(window_, [this] { Btn_ObjListClick(); }));
}

void ViewController::Tkb_AngleChange(QObject*) {
  const ViewSettings& v = frame_.Settings().view;
  ui_.Lbl_X_Angle->setText(FixedText(v.angleX, 1));
  ui_.Lbl_Z_Angle->setText(FixedText(v.angleZ, 1));
  ui_.Lbl_Zoom->setText(FixedText(v.zoom, 2));
  ui_.Lbl_X_Shift->setText(FixedText(v.shiftX, 2));
  ui_.Lbl_Y_Shift->setText(FixedText(v.shiftY, 2));
  ui_.Lbl_Z_Shift->setText(FixedText(v.shiftZ, 2));
  ui_.Lbl_Trans->setText(FixedText(frame_.Settings().transparency, 1));
  ui_.Lbl_Resolution->setText(QString::number(v.resolution));
  DrawFrame();
}

void ViewController::Chk_OrthoClick(QObject*) {
  const bool ortho = frame_.Settings().view.ortho;
  // In ortho the zoom is a scale and must stay positive; in perspective it
  // is a distance along the view axis.
  ui_.Tkb_Zoom->setMinimum(ViewBarSteps(ortho ? kViewOrthoZoomRange.lo : kViewZoomMinAfterOrtho, 100));
  ui_.Tkb_Zoom->setMaximum(ViewBarSteps(ortho ? kViewOrthoZoomRange.hi : kViewZoomRange.hi, 100));
  ui_.Tkb_Zoom->SetPosition(ortho ? 50 : -350);
  frame_.ApplyProjection();
  DrawFrame();
}

void ViewController::Pnl_GLMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y) {
  // Many window managers keep Alt+drag for moving windows: the middle
  // button drags the tool target as Alt+left does, Shift+middle as Alt+right.
  if (button == Qt::MiddleButton) {
    DragDown(drag_, mods.testFlag(Qt::ShiftModifier) ? DragRight : DragLeft, DragAlt, x, y);
    return;
  }
  const DragMode mode = ModeFromModifiers(mods.testFlag(Qt::ShiftModifier),
                                          mods.testFlag(Qt::ControlModifier), mods.testFlag(Qt::AltModifier));
  const DragButton which = button == Qt::LeftButton    ? DragLeft
                           : button == Qt::RightButton ? DragRight
                                                       : DragOther;
  DragDown(drag_, which, mode, x, y);
}

void ViewController::Pnl_GLMouseMove(int x, int y) {
  // The mouse moves track bars, never the camera itself; each bar clamps
  // to its range and its change handler redraws.
  for (const DragStep& step : DragMove(drag_, x, y)) {
    TrackBar* bar = DragTarget(step.bar);
    bar->SetPosition(bar->Position() + step.amount);
  }
}

void ViewController::Pnl_GLMouseUp() {
  DragUp(drag_);
}

void ViewController::ClearDragState() {
  ::ClearDragState(drag_);
}

TrackBar* ViewController::DragTarget(DragBar bar) const {
  switch (bar) {
    case DragBar::XAngle:
      return ui_.Tkb_X_Angle;
    case DragBar::ZAngle:
      return ui_.Tkb_Z_Angle;
    case DragBar::Zoom:
      return ui_.Tkb_Zoom;
    case DragBar::XShift:
      return ui_.Tkb_X_Shift;
    case DragBar::YShift:
      return ui_.Tkb_Y_Shift;
    case DragBar::ZShift:
      return ui_.Tkb_Z_Shift;
    case DragBar::Light1PosX:
      return ui_.Tkb_Light1_Pos_X;
    case DragBar::Light1PosY:
      return ui_.Tkb_Light1_Pos_Y;
    case DragBar::Light1PosZ:
      return ui_.Tkb_Light1_Pos_Z;
    case DragBar::Light2PosX:
      return ui_.Tkb_Light2_Pos_X;
    case DragBar::Light2PosY:
      return ui_.Tkb_Light2_Pos_Y;
    case DragBar::Light2PosZ:
      return ui_.Tkb_Light2_Pos_Z;
    case DragBar::XX:
      return ui_.Tkb_XX;
    case DragBar::YY:
      return ui_.Tkb_YY;
    case DragBar::ZZ:
      return ui_.Tkb_ZZ;
  }
  return ui_.Tkb_X_Angle;
}

void ViewController::Pnl_GLWheel(int angleDelta) {
  // The same bar and steps as the right-button drag; the bar clamps.
  for (const DragStep& step : WheelTurn(drag_, angleDelta)) {
    TrackBar* bar = DragTarget(step.bar);
    bar->SetPosition(bar->Position() + step.amount);
  }
}

SceneView ViewController::CurrentView() const {
  SceneView v;
  v.angleX = static_cast<float>(ui_.Tkb_X_Angle->Position() * 0.1);
  v.angleZ = static_cast<float>(ui_.Tkb_Z_Angle->Position() * 0.1);
  v.zoom = static_cast<float>(ui_.Tkb_Zoom->Position() * 0.01);
  v.shiftX = static_cast<float>(ui_.Tkb_X_Shift->Position() * 0.01);
  v.shiftY = static_cast<float>(ui_.Tkb_Y_Shift->Position() * 0.01);
  v.shiftZ = static_cast<float>(ui_.Tkb_Z_Shift->Position() * 0.01);
  v.ortho = ui_.Chk_Ortho->isChecked();
  return v;
}

void ViewController::SetView(const SceneView& view) {
  // The ortho switch first: its handler sets the zoom bar's range.
  if (ui_.Chk_Ortho->isChecked() != view.ortho) ui_.Chk_Ortho->setChecked(view.ortho);
  // The perspective zoom bar reaches -40 at start and -10 once ortho was
  // used; a distance beyond it is the same move as shift Y, so a kept view
  // looks the same whatever range the bar has now. The headless renderer
  // holds a view by the same rule.
  const SceneView v = ClampView(view, static_cast<float>(ui_.Tkb_Zoom->minimum() * 0.01));
  struct Target {
    TrackBar* bar;
    double value, scale;
  } targets[] = {{ui_.Tkb_X_Angle, v.angleX, 10.0}, {ui_.Tkb_Z_Angle, v.angleZ, 10.0}, {ui_.Tkb_Zoom, v.zoom, 100.0},
                 {ui_.Tkb_X_Shift, v.shiftX, 100.0}, {ui_.Tkb_Y_Shift, v.shiftY, 100.0}, {ui_.Tkb_Z_Shift, v.shiftZ, 100.0}};
  for (const Target& t : targets) {
    // One frame for the whole view, not one per bar.
    const QSignalBlocker quiet(t.bar);
    t.bar->SetPosition(static_cast<int>(std::lround(t.value * t.scale)));
  }
  WriteSettings();
  Tkb_AngleChange();
}

void ViewController::ResetView() {
  SetView(SceneView{});
}

void ViewController::FitScene() {
  int objects = 0;
  const std::vector<BoundSphere> balls = SceneFitBounds(frame_.Settings(), frame_.Objects().data(), frame_.Overrides(), &objects);
  ViewLimits limits;
  limits.zoomMin = ui_.Tkb_Zoom->minimum() * 0.01;
  limits.zoomMax = ui_.Tkb_Zoom->maximum() * 0.01;
  limits.shiftMin = ui_.Tkb_X_Shift->minimum() * 0.01;
  limits.shiftMax = ui_.Tkb_X_Shift->maximum() * 0.01;
  const ViewSettings fitted = FitViewToBounds(frame_.Settings().view, balls, limits);
  SceneView v = CurrentView();
  v.zoom = fitted.zoom;
  v.shiftX = fitted.shiftX;
  v.shiftY = fitted.shiftY;
  v.shiftZ = fitted.shiftZ;
  SetView(v);
  status_.ShowStatus(QStringLiteral("Fit Scene: %1 objects and the arm in view").arg(objects));
}

bool ViewController::KeepViewInScene() const {
  return keepViewAction_ && keepViewAction_->isChecked();
}

void ViewController::SetKeepViewInScene(bool keep) {
  // Programmatic: not a change the operator made, so nothing to save.
  if (keepViewAction_) keepViewAction_->setChecked(keep);
}

bool ViewController::ApplyViewOfScene(const QString& path) {
  SceneView v;
  switch (ReadViewLine(path.toStdString(), v)) {
    case ViewLineState::Present:
      SetView(v);
      SetKeepViewInScene(true);
      return true;
    case ViewLineState::Malformed:
      status_.ShowStatus(QStringLiteral("The view line of %1 cannot be read; the view stays as it was")
                     .arg(QFileInfo(path).fileName()));
      break;
    case ViewLineState::Absent:
      break;
  }
  SetKeepViewInScene(false);
  return false;
}

void ViewController::AddViewEntries(QMenu* view) {
  view->addSeparator();
  QAction* fit = view->addAction(QStringLiteral("Fit Scene"));
  fit->setObjectName(QStringLiteral("Act_FitScene"));
  fit->setShortcut(QKeySequence(QStringLiteral("Ctrl+0")));
  connect(fit, &QAction::triggered, this, Guarded(window_, [this] { FitScene(); }));
  QAction* reset = view->addAction(QStringLiteral("Reset View"));
  reset->setObjectName(QStringLiteral("Act_ResetView"));
  reset->setShortcut(QKeySequence(QStringLiteral("Ctrl+Home")));
  connect(reset, &QAction::triggered, this, Guarded(window_, [this] { ResetView(); }));
  keepViewAction_ = view->addAction(QStringLiteral("Keep View in Scene"));
  keepViewAction_->setObjectName(QStringLiteral("Act_KeepView"));
  keepViewAction_->setCheckable(true);
  // Only the operator's own tick changes what a save writes.
  connect(keepViewAction_, &QAction::triggered, this, [this] { Q_EMIT keepViewToggled(); });
  connect(ui_.Pnl_GL, &GlPanel::wheelTurned, this, Guarded(window_, [this](int delta) { Pnl_GLWheel(delta); }));
  ConnectPicking();
}

void ViewController::ConnectPicking() {
  connect(ui_.Pnl_GL, &GlPanel::mouseDown, this, [this](Qt::MouseButton b, Qt::KeyboardModifiers m, int x, int y) {
    // Ctrl or Shift with the click adds the object to the selection, or
    // takes it out.
    clickPending_ = b == Qt::LeftButton && (m & ~(Qt::ControlModifier | Qt::ShiftModifier)) == Qt::NoModifier;
    clickAdds_ = (m & (Qt::ControlModifier | Qt::ShiftModifier)) != Qt::NoModifier;
    clickX_ = x;
    clickY_ = y;
  });
  connect(ui_.Pnl_GL, &GlPanel::mouseMove, this, [this](int x, int y) {
    if (clickPending_ && (std::abs(x - clickX_) > kClickSlop || std::abs(y - clickY_) > kClickSlop))
      clickPending_ = false;
  });
  connect(ui_.Pnl_GL, &GlPanel::mouseUp, this, Guarded(window_, [this](Qt::MouseButton b, int x, int y) {
            const bool click = clickPending_ && b == Qt::LeftButton && std::abs(x - clickX_) <= kClickSlop &&
                               std::abs(y - clickY_) <= kClickSlop;
            clickPending_ = false;
            if (click) Pnl_GLClick(x, y);
          }));
  connect(ui_.Pnl_GL, &GlPanel::doubleClicked, this, Guarded(window_, [this](Qt::MouseButton b, int x, int y) {
            if (b == Qt::LeftButton) Pnl_GLDoubleClick(x, y);
          }));
}

int ViewController::PickAt(int x, int y) {
  if (!frame_.Context().created || !ui_.Pnl_GL->MakeCurrent()) return -1;
  // The projection the last frame used is still in force in the context.
  const DrawSubstitutes subs{frame_.Settings().robot, frame_.Overrides()};
  const int index = PickObject(frame_.Settings(), frame_.Objects().data(), kObjectCapacity, frame_.Textures(), x, y, &subs);
  ui_.Pnl_GL->DoneCurrent();
  return index;
}

void ViewController::Pnl_GLClick(int x, int y) {
  if (!clickAdds_) {
    SelectObject(PickAt(x, y));
    return;
  }
  const int index = PickAt(x, y);
  if (index < 0) return;
  std::vector<int> records = selection_;
  const auto at = std::find(records.begin(), records.end(), index);
  if (at != records.end()) {
    records.erase(at);
    SetSelection(records, records.empty() ? -1 : records.back());
  } else {
    records.push_back(index);
    SetSelection(records, index);
  }
}

void ViewController::Pnl_GLDoubleClick(int x, int y) {
  const int index = PickAt(x, y);
  if (index < 0) return;
  SelectObject(index);
  // After the mouse event has been handled: the dialog runs its own loop.
  QTimer::singleShot(0, this, Guarded(window_, [this] { Btn_OBJSetClick(); }));
}

void ViewController::SelectObject(int index) {
  if (index < 0 || index >= kObjectCapacity)
    SetSelection({}, -1);
  else
    SetSelection({index}, index);
}

void ViewController::SetSelection(std::vector<int> records, int primary) {
  records.erase(std::remove_if(records.begin(), records.end(),
                               [](int r) { return r < 0 || r >= kObjectCapacity; }),
                records.end());
  std::sort(records.begin(), records.end());
  records.erase(std::unique(records.begin(), records.end()), records.end());
  if (!std::binary_search(records.begin(), records.end(), primary))
    primary = records.empty() ? -1 : records.back();
  const bool changed = records != selection_;
  selection_ = std::move(records);
  selected_ = primary;
  frame_.SetSelected(selection_);
  ShowSelection();
  if (windows_.objectList && windows_.objectList->isVisible()) windows_.objectList->SelectRecords(selection_);
  // The outlines moved: one frame. A click that selects what was selected
  // draws nothing new.
  if (changed) {
    DrawFrame();
    Q_EMIT selectionChanged();
  }
}

void ViewController::TableChanged() {
  if (selection_.empty()) return;
  // A record that is no longer drawn is no longer selected.
  std::vector<int> kept;
  for (int r : selection_)
    if (frame_.Objects()[static_cast<size_t>(r)].Enbl) kept.push_back(r);
  if (kept != selection_)
    SetSelection(kept, selected_);
  else
    ShowSelection();
}

void ViewController::ShowSelection() {
  // The selection's own field of the status bar.
  if (selected_ < 0) {
    status_.SetSelection(QStringLiteral("Nothing selected"));
    return;
  }
  if (selection_.size() > 1) {
    QStringList numbers;
    for (int r : selection_) numbers << QStringLiteral("OBJ%1").arg(r, 3, 10, QLatin1Char('0'));
    status_.SetSelection(QStringLiteral("%1 objects: %2").arg(selection_.size()).arg(numbers.join(QStringLiteral(", "))));
    return;
  }
  const SceneObject& rec = (frame_.Objects())[static_cast<size_t>(selected_)];
  const QString number = QStringLiteral("OBJ%1").arg(selected_, 3, 10, QLatin1Char('0'));
  const QString name = QString::fromStdString(rec.Name).trimmed();
  const QString shape = windows_.objectSettings ? windows_.objectSettings->ShapeName(rec.Shp) : QString::number(rec.Shp);
  QString text = number;
  if (!name.isEmpty() && name != number) {
    text += QLatin1Char(' ') + name;
  } else if (rec.Shp == ShapeKind::Model && !rec.Text.empty()) {
    text += QLatin1Char(' ') + QFileInfo(QString::fromStdString(rec.Text)).fileName();
  }
  text += QStringLiteral(" (%1)").arg(shape.trimmed());
  if (!rec.Enbl) text += QStringLiteral(" - not drawn");
  status_.SetSelection(text);
}

void ViewController::PlaceBeside(QWidget* w) {
  if (!w || w->property("tessalyPlaced").toBool()) return;
  w->setProperty("tessalyPlaced", true);
  QScreen* screen = window_->screen();
  if (!screen) return;
  const QRect picture(ui_.Pnl_GL->mapToGlobal(QPoint(0, 0)), ui_.Pnl_GL->size());
  QList<QRect> others;
  for (QWidget* o : {static_cast<QWidget*>(windows_.objectSettings), static_cast<QWidget*>(windows_.objectList)})
    if (o && o != w && o->isVisible()) others << o->frameGeometry();
  // The frame the window manager adds is not known before the first show;
  // the difference the main window has is a fair guess. A window never
  // shown has no size of its own yet: its layout's is the one it opens at.
  const QSize decoration = window_->frameGeometry().size() - window_->geometry().size();
  const QSize inner = w->testAttribute(Qt::WA_Resized) ? w->size() : w->sizeHint().expandedTo(w->size());
  const QRect at = PlaceBesideWindow(window_->frameGeometry(), picture, others, inner + decoration,
                                     w->minimumSizeHint() + decoration, screen->availableGeometry());
  w->resize(at.size() - decoration);
  w->move(at.topLeft());
}

void ViewController::Btn_OBJSetClick(QObject*) {
  // The selected object, object 0 when none is (as laid out); the list
  // edits any row.
  if (!windows_.objectSettings) return;
  PlaceBeside(windows_.objectSettings);
  if (windows_.objectSettings->Edit(frame_.Objects(), frame_.Textures(), selected_ >= 0 ? selected_ : 0)) DrawFrame();
}

void ViewController::Btn_ObjListClick(QObject*) {
  if (!windows_.objectList) return;
  PlaceBeside(windows_.objectList);
  windows_.objectList->Open(frame_.Objects(), frame_.Textures());
  if (!selection_.empty()) windows_.objectList->SelectRecords(selection_);
}
