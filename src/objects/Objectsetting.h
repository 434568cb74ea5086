#pragma once

#include <QDialog>

// The object settings dialog: edits one scene object field by field.
class TObjSet : public QDialog {
  Q_OBJECT
 public:
  explicit TObjSet(QWidget* parent = nullptr);
  // True when the shape list was loaded when the dialog was created.
  bool ShapeListLoaded() const { return shapeListLoaded_; }

 private:
  bool shapeListLoaded_ = false;
};

extern TObjSet* ObjSet;
