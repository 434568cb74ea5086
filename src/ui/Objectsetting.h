#pragma once

#include <QDialog>
#include <QString>
#include <functional>

#include "objects/ObjectGrid.h"
#include "objects/SceneObject.h"
#include "objects/ShapeListFile.h"
#include "objects/StepRepeat.h"
#include "render/Texture.h"
#include "objects/ColorTex.h"

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;
class ColorSwatch;
class StringGrid;

// The object settings dialog: edits one scene object field by field. The
// shape list says, per kind, which controls and grid cells mean something;
// the record is written on Apply, on OK and, with "Auto Apply Change", on
// every change.
class TTenkey;

class TObjSet : public QDialog {
  Q_OBJECT
 public:
  // Loads the program's shape list (beside the program, or where it is
  // installed: ShapeListPath).
  explicit TObjSet(QWidget* parent = nullptr);
  // Loads the shape list from shapeListPath instead.
  TObjSet(QWidget* parent, const QString& shapeListPath);
  ~TObjSet() override;

  // True when the shape list file was read when the dialog was created.
  bool ShapeListLoaded() const { return shapeListLoaded_; }
  const ShapeList& Shapes() const { return shapes_; }
  // The name of kind k in the list ("????" outside 0..499) and the first
  // enabled kind of a name (-1 when none).
  QString ShapeName(int kind) const;
  int KindOfName(const QString& name) const;

  // Edits rec modally; true when closed with OK. Whatever Apply wrote
  // stays written either way. slots are the ten texture slots.
  bool Execute(SceneObject& rec, TextureSlot* slots);
  // Edits object index of the table; false for an index outside it.
  bool Edit(ObjectTable& table, TextureSlot* slots, int index);
  // True when the last opening changed its record in any way (Apply, auto
  // apply, Restore, a sub colour, a robot's colours).
  bool RecordChanged() const { return changed_; }

  // Runs whenever the dialog has written into the record, so that the
  // opener can redraw the scene.
  std::function<void()> onChanged;
  // While onChanged runs: what the write was ("Apply", "Step +X",
  // "Restore", ...) and whether "Auto Apply Change" made it.
  QString ChangeName() const { return changeName_; }
  bool ChangeIsAuto() const { return changeAuto_; }
  // The keypad that grid cells open (none: they open nothing).
  void SetKeypad(TTenkey* keypad) { keypad_ = keypad; }
  // The record being edited, or nullptr.
  const SceneObject* Record() const { return rec_; }

  // Takes rec and fills the controls without showing the dialog (Execute
  // does this, then runs it modally).
  void Prepare(SceneObject& rec, TextureSlot* slots);

  // The grid's texts as they stand (not yet applied).
  const GridTexts& Cells() const { return cells_; }

  // --- Controls, named as laid out -------------------------------------------
  QCheckBox* Chk_Enable = nullptr;
  QComboBox* Cmb_Shape = nullptr;
  QLabel* Lbl_Name = nullptr;
  QLineEdit* Edt_Name = nullptr;
  QLabel* Lbl_CircReso = nullptr;
  QComboBox* Cmb_CircReso = nullptr;
  QLabel* Lbl_Direction = nullptr;
  QComboBox* Cmb_Direction = nullptr;
  QCheckBox* Chk_Fill = nullptr;
  ColorSwatch* Shp_Color_Fill = nullptr;
  QCheckBox* Chk_Frame = nullptr;
  ColorSwatch* Shp_Color_Frame = nullptr;
  QCheckBox* Chk_ColorTex = nullptr;
  QCheckBox* Chk_ColorTex_ByTypeColor = nullptr;
  QComboBox* Cmb_ColorTex_Type = nullptr;
  ColorSwatch* Shp_ColorTex_Color = nullptr;
  QCheckBox* Chk_Text = nullptr;
  QLineEdit* Edt_Text = nullptr;
  QCheckBox* Chk_Texture = nullptr;
  QComboBox* Cmb_Texture = nullptr;
  // Offered for the transfer robots only: the panel whose axes the robot
  // takes (its Opt[8]: "none", "RBT1", "RBT2").
  QLabel* Lbl_FollowPanel = nullptr;
  QComboBox* Cmb_FollowPanel = nullptr;
  // Offered for Model records only: picks the model file into Text.
  QPushButton* Btn_ModelFile = nullptr;
  StringGrid* Stg_Data = nullptr;
  QGroupBox* Grp_Inc = nullptr;
  QComboBox* Cmb_Inc_Type = nullptr;
  QPushButton* Btn_Inc[kStepButtonCount] = {};  // in caption order +X, ++X, -X, --X, +Y, ...
  QPushButton* Btn_Inc_ORG = nullptr;
  QCheckBox* Chk_AutoApplyChange = nullptr;
  QPushButton* Btn_Apply = nullptr;
  QPushButton* Btn_Restore = nullptr;
  QPushButton* Btn_OK = nullptr;
  QPushButton* Btn_Cancel = nullptr;
  QTimer* Tim_Inc = nullptr;

  // --- Handlers --------------------------------------------------------------
  void ControlChange();  // any control that only needs the live state updated
  void Cmb_ShapeChange();
  void Cmb_FollowPanelChange();
  void Btn_ModelFileClick();
  void ColorTexTypeChange();  // type, "Type,Color" and the type colour
  void Shp_ColorMouseDown(ColorSwatch* swatch);
  void Stg_DataDblClick(int col, int row);
  void Btn_ApplyClick();
  void Btn_OKClick();
  void Btn_CancelClick();
  void Btn_RestoreClick();
  void Chk_AutoApplyChangeClick();
  void Cmb_Inc_TypeChange();
  void Btn_IncMouseDown(int button);
  void Btn_IncMouseUp();
  void Tim_IncTimer();
  void Btn_Inc_ORGClick();

 public Q_SLOTS:
  void reject() override;

 protected:
  void hideEvent(QHideEvent* e) override;

 private:
  TTenkey* keypad_ = nullptr;
  // Creates every control with its caption, name, items and place
  // (ObjectsettingLayout.cpp).
  void BuildLayout();
  void Connect();
  void LoadShapeListFile(const QString& path);
  void FillShapeSelector();

  // Controls from the record, with the change handlers silenced.
  void LoadControls();
  // Enables what the current kind uses, repaints the grid, and applies
  // when "Auto Apply Change" is on.
  void UpdateLiveState();
  // Validates and writes the controls into the record; false when a
  // message stopped it.
  bool Apply();
  bool Validate();
  // The kind the shape selector shows; the record's own when it shows
  // none.
  int CurrentKind() const;
  bool CellLive(int col, int row) const;
  void ShowGrid();
  void PaintCell(QPainter* p, const QRect& r, int col, int row, bool selected);
  void StepOnce(int button);
  void StopStepping();
  void NotifyChanged();

  ShapeList shapes_;
  bool shapeListLoaded_ = false;

  SceneObject* rec_ = nullptr;
  SceneObject restore_;
  TextureSlot* slots_ = nullptr;
  ::ColorTex work_;  // the working copy of the record's material
  GridTexts cells_;
  bool filling_ = false;
  bool result_ = false;
  bool changed_ = false;
  StepRepeat repeat_;
  int stepButton_ = -1;
  bool stepping_ = false;
  QString changeName_;
  QString stepName_;
  bool changeAuto_ = false;
};

