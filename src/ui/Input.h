#pragma once

#include <QDialog>
#include <QList>
#include <QString>

#include "input/Keypad.h"

class QGroupBox;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QPushButton;

// The modal on-screen keypad through which values are typed. The keypad
// logic decides; this window only shows it and feeds it buttons and keys.
class TTenkey : public QDialog {
  Q_OBJECT
 public:
  explicit TTenkey(QWidget* parent = nullptr);
  // Shows the keypad for a value of the given kind (0 integer, 1 decimal,
  // 2 free text, 3 hexadecimal), range, digits and decimals, starting from
  // text. Returns true when the operator accepted a value, which is then
  // in *result; otherwise *result is left alone.
  bool Execute(int kind, double minimum, double maximum, int digits, int decimals, const QString& text,
               QString* result);

  const Keypad& Logic() const { return pad_; }

  // Controls as laid out.
  QLineEdit* MaskEdit1 = nullptr;
  QPushButton* Btn_Num[10] = {};  // Btn_0 .. Btn_9, Tag = the digit
  QPushButton *Btn_Dot = nullptr, *Btn_Minus = nullptr;
  QPushButton *Btn_Enter = nullptr, *Btn_Cancel = nullptr, *Btn_BS = nullptr, *Btn_Clear = nullptr;
  QPushButton* Btn_Hex[6] = {};  // Btn_A .. Btn_F
  QLabel *Lbl_Digit = nullptr, *Lbl_Min = nullptr, *Lbl_Max = nullptr;
  QGroupBox* Grp_Range = nullptr;
  QGroupBox* Grp_KeyBoard = nullptr;
  QList<QPushButton*> Keys;  // the character keys of the keyboard, row by row
  QPushButton *Btn_Shift = nullptr, *Btn_Caps = nullptr, *Btn_Space = nullptr, *Btn_Ret = nullptr;
  QPushButton *Btn_BS2 = nullptr, *Btn_Cancel2 = nullptr, *Btn_Clear2 = nullptr;
  QLabel *Shp_Caps = nullptr, *Shp_Shift = nullptr;

  // Handlers.
  void FormShow();
  bool FormKeyDown(QKeyEvent* e);
  bool MaskEdit1KeyDown(QKeyEvent* e);
  void MaskEdit1DblClick();
  void Btn_EnterClick();
  void Btn_CancelClick();
  void NumberClick(QPushButton* button);
  void NumberPress(char key);
  void Btn_DotClick();
  void Btn_MinusClick();
  void Btn_BSClick();
  void Btn_ClearClick();
  void Btn_CapsClick();
  void Btn_ShiftClick();
  void KeyClick(QPushButton* button);
  void Btn_SpaceClick();

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;
  bool eventFilter(QObject* watched, QEvent* e) override;

 private:
  // Creates every control with its caption, name and tag (InputLayout.cpp).
  void BuildLayout();
  // Places the controls and sizes the form for a kind (InputLayout.cpp).
  void PlaceForKind(int kind);
  void Connect();
  // Shows the logic's input and key states.
  void ShowState();
  void Relabel();
  void PaintIndicators();
  // The dialog's shortcut keys; true when the key was one of them.
  bool ShortcutKey(QKeyEvent* e);
  void CentreOnScreen();

  Keypad pad_;
  bool accepted_ = false;
};

