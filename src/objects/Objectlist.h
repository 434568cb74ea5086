#pragma once

#include <QDialog>

// The object list dialog: the whole table, one row per object.
class TObjList : public QDialog {
  Q_OBJECT
 public:
  explicit TObjList(QWidget* parent = nullptr);
};

extern TObjList* ObjList;
