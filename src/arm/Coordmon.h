#pragma once

#include <QDialog>

// The XYZ monitor: plots the tool point while one joint sweeps its range.
class TXYZ_Mon : public QDialog {
  Q_OBJECT
 public:
  explicit TXYZ_Mon(QWidget* parent = nullptr);
};

extern TXYZ_Mon* XYZ_Mon;
