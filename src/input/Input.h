#pragma once

#include <QDialog>
#include <QString>

// The modal on-screen keypad through which values are typed.
class TTenkey : public QDialog {
  Q_OBJECT
 public:
  explicit TTenkey(QWidget* parent = nullptr);
  // Shows the keypad for a value of the given kind, range, digits and
  // decimals, starting from text. Returns true when the operator accepted
  // a value, which is then in *result.
  bool Execute(int kind, double minimum, double maximum, int digits, int decimals, const QString& text,
               QString* result);
};

extern TTenkey* Tenkey;
