#pragma once

#include <QDialog>
#include <functional>
#include <vector>

#include "objects/SceneObject.h"
#include "render/Texture.h"

class QCheckBox;
class QPushButton;
class StringGrid;
class TObjSet;

// The object list dialog: the whole table, one row per object. It keeps
// no copy of the objects, only the texts and colours of its last rebuild;
// it loads and saves the object data file and opens the object settings
// dialog on a row.
class TObjList : public QDialog {
  Q_OBJECT
 public:
  explicit TObjList(QWidget* parent = nullptr);

  // Shows the list of table (not modally) once the settings dialog has its
  // shape list; does nothing otherwise. Always false: the list itself
  // changes nothing.
  bool Open(ObjectTable& table, TextureSlot* slots);
  // Rows 1 to 1000 from the table.
  void Rebuild();
  // The settings dialog rows are edited in and whose shape names the list
  // shows; the program's own one unless set.
  void SetEditor(TObjSet* editor) { editor_ = editor; }

  // Runs whenever the table changed through the list (a load, an edit),
  // so that the opener can redraw the scene.
  std::function<void()> onChanged;
  // Runs when the operator selects other rows (Ctrl+click and Shift+click
  // select several): the records, and the current one, so that the
  // picture selects the same objects.
  std::function<void(const std::vector<int>&, int)> onRecordsSelected;
  // Selects the rows of these records, the last one current and shown,
  // without running onRecordsSelected.
  void SelectRecords(const std::vector<int>& records);
  // While onChanged runs: what the change was ("Load demo-cell.3dl").
  QString ChangeName() const { return changeName_; }

  // --- Controls, named as laid out -------------------------------------------
  StringGrid* Stg_Data = nullptr;
  QPushButton* Btn_Close = nullptr;
  QPushButton* Btn_Load = nullptr;
  QPushButton* Btn_Save = nullptr;
  QCheckBox* Chk_StayOnTop = nullptr;

  // --- Handlers --------------------------------------------------------------
  void Btn_CloseClick();
  void Btn_LoadClick();
  void Btn_SaveClick();
  void Stg_DataDblClick();
  void Chk_StayOnTopClick();

 protected:
  bool event(QEvent* e) override;

 private:
  // Creates every control with its caption, name and place.
  void BuildLayout();
  void Connect();
  TObjSet* Editor() const;
  void SetTopmost(bool on);
  void CentreOnScreen();
  void PaintCell(QPainter* p, const QRect& r, int col, int row, bool selected);
  void NotifyChanged();

  ObjectTable* table_ = nullptr;
  TextureSlot* slots_ = nullptr;
  TObjSet* editor_ = nullptr;
  bool placed_ = false;
  bool selecting_ = false;
  QString changeName_;
};

