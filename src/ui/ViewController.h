#pragma once

#include <QObject>
#include <QString>
#include <string>
#include <vector>

#include "objects/SceneView.h"
#include "render/Camera.h"

class FrameDriver;
class QAction;
class QMenu;
class QWidget;
class StatusLine;
class TrackBar;
struct MainControls;
struct WindowSet;

// Where the picture is seen from and what is picked in it: the "View
// Setting" bars and Ortho, mouse drags and the wheel, Fit Scene, Reset
// View, Keep View in Scene, picking and the selection, and the object
// windows that edit it (Tools > Object Settings, Object List). It writes
// the view part of the frame's settings whenever a view control changes.
class ViewController : public QObject {
  Q_OBJECT
 public:
  ViewController(QWidget* window, MainControls& ui, FrameDriver& frame, StatusLine& status,
                 const WindowSet& windows);

  void WriteSettings();
  // Fit Scene, Reset View, Keep View in Scene; Object Settings, Object List.
  void AddViewEntries(QMenu* view);
  void AddToolsEntries(QMenu* tools);

  void Tkb_AngleChange(QObject* Sender = nullptr);
  void Chk_OrthoClick(QObject* Sender = nullptr);
  void Pnl_GLMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers mods, int x, int y);
  void Pnl_GLMouseMove(int x, int y);
  void Pnl_GLMouseUp();
  void ClearDragState();
  const DragState& Drag() const { return drag_; }
  // The wheel zooms in the right-button drag's steps (delta in eighths of
  // a degree, positive away from the user).
  void Pnl_GLWheel(int angleDelta);
  // View > Fit Scene: zoom and shift so that every enabled object, the arm
  // and the floor under them are in the picture; the angles stay.
  void FitScene();
  // View > Reset View: angles, zoom, shift and projection as laid out.
  void ResetView();
  // The view bars as a scene file keeps them, and back (one redraw).
  SceneView CurrentView() const;
  void SetView(const SceneView& v);
  // View > Keep View in Scene.
  bool KeepViewInScene() const;
  void SetKeepViewInScene(bool keep);
  // The view line while Keep View in Scene is ticked, else "".
  std::string ViewLine() const;
  // Opening a scene (not merging one): applies the view line of path when
  // it has one and ticks Keep View in Scene, else unticks it. Returns
  // whether a view was applied.
  bool ApplyViewOfScene(const QString& path);

  // The record Object Settings edits: the one selected last, -1 for none.
  int SelectedObject() const { return selected_; }
  // Every record drawn with the outline, in ascending order.
  const std::vector<int>& Selection() const { return selection_; }
  // Selects record index alone (-1 clears), redraws, tells the status line
  // and the object list.
  void SelectObject(int index);
  // Selects these records, primary the one Object Settings edits.
  void SetSelection(std::vector<int> records, int primary);
  // After the table changed: records no longer drawn leave the selection.
  void TableChanged();
  // The nearest enabled record under panel pixel (x, y), or -1.
  int PickAt(int x, int y);
  // A click without a drag; a double-click opens Object Settings on the
  // record under the pointer.
  void Pnl_GLClick(int x, int y);
  void Pnl_GLDoubleClick(int x, int y);
  // Tools > Object Settings (the selected record, record 0 when none is)
  // and Object List.
  void Btn_OBJSetClick(QObject* Sender = nullptr);
  void Btn_ObjListClick(QObject* Sender = nullptr);
  // Places Object Settings or Object List beside the main window the
  // first time, where the user left it afterwards.
  void PlaceBeside(QWidget* w);

 Q_SIGNALS:
  // The operator ticked or unticked Keep View in Scene.
  void keepViewToggled();
  // Other records are selected now.
  void selectionChanged();

 private:
  void ConnectPicking();
  void ShowSelection();
  TrackBar* DragTarget(DragBar bar) const;
  void DrawFrame();

  QWidget* window_;
  MainControls& ui_;
  FrameDriver& frame_;
  StatusLine& status_;
  const WindowSet& windows_;
  DragState drag_;
  QAction* keepViewAction_ = nullptr;
  int selected_ = -1;
  std::vector<int> selection_;
  bool clickPending_ = false;
  bool clickAdds_ = false;
  int clickX_ = 0, clickY_ = 0;
};
