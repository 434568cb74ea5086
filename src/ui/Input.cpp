#include "ui/WindowPlacement.h"
#include "ui/Input.h"

#include <QGroupBox>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>

#include "ui/Controls.h"
#include "ui/Handler.h"
#include "ui/Prompts.h"
#include "input/KeypadText.h"


TTenkey::TTenkey(QWidget* parent) : QDialog(parent) {
  setObjectName(QStringLiteral("Tenkey"));
  BuildLayout();
  Connect();
  pad_.onMessage = [this](const std::string& text) {
    Prompts::Get().Message(this, QString::fromStdString(text));
  };
  // The form sees every key before the control that has the focus.
  for (QWidget* w : findChildren<QWidget*>()) w->installEventFilter(this);
  PaintIndicators();
}

void TTenkey::Connect() {
  // Enter reads a number and may raise a conversion error; the guard shows
  // it and the keypad stays open.
  const auto enter = Guarded(this, [this] { Btn_EnterClick(); });
  connect(Btn_Enter, &QPushButton::clicked, this, enter);
  connect(Btn_Ret, &QPushButton::clicked, this, enter);
  connect(Btn_Cancel, &QPushButton::clicked, this, [this] { Btn_CancelClick(); });
  connect(Btn_Cancel2, &QPushButton::clicked, this, [this] { Btn_CancelClick(); });
  for (QPushButton* b : Btn_Num) connect(b, &QPushButton::clicked, this, [this, b] { NumberClick(b); });
  connect(Btn_Dot, &QPushButton::clicked, this, [this] { Btn_DotClick(); });
  connect(Btn_Minus, &QPushButton::clicked, this, [this] { Btn_MinusClick(); });
  connect(Btn_BS, &QPushButton::clicked, this, [this] { Btn_BSClick(); });
  connect(Btn_BS2, &QPushButton::clicked, this, [this] { Btn_BSClick(); });
  connect(Btn_Clear, &QPushButton::clicked, this, [this] { Btn_ClearClick(); });
  connect(Btn_Clear2, &QPushButton::clicked, this, [this] { Btn_ClearClick(); });
  connect(Btn_Caps, &QPushButton::clicked, this, [this] { Btn_CapsClick(); });
  connect(Btn_Shift, &QPushButton::clicked, this, [this] { Btn_ShiftClick(); });
  connect(Btn_Space, &QPushButton::clicked, this, [this] { Btn_SpaceClick(); });
  for (QPushButton* b : Btn_Hex) connect(b, &QPushButton::clicked, this, [this, b] { KeyClick(b); });
  for (QPushButton* b : Keys) connect(b, &QPushButton::clicked, this, [this, b] { KeyClick(b); });
}

bool TTenkey::Execute(int kind, double minimum, double maximum, int digits, int decimals, const QString& text,
                      QString* result) {
  // One question at a time; a second caller while the keypad is up gets
  // nothing rather than a keypad prepared under the first one's feet.
  if (isVisible()) return false;
  accepted_ = false;
  pad_.Prepare(kind, minimum, maximum, digits, decimals, text.toStdString());
  PlaceForKind(pad_.Kind());
  Lbl_Digit->setText(QString::fromStdString(pad_.DigitText()));
  Lbl_Min->setText(QString::fromStdString(pad_.MinimumText()));
  Lbl_Max->setText(QString::fromStdString(pad_.MaximumText()));
  ShowState();
  CentreOnScreen();
  exec();
  if (accepted_ && result) *result = QString::fromStdString(pad_.Input());
  return accepted_;
}

void TTenkey::CentreOnScreen() {
  QScreen* screen = parentWidget() ? parentWidget()->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  const QRect area = screen->availableGeometry();
  move(area.center() - QPoint(width() / 2, height() / 2));
  KeepOnScreen(this);
}

void TTenkey::ShowState() {
  MaskEdit1->setText(QString::fromStdString(pad_.Input()));
  // A selected text is the one the next key replaces.
  if (pad_.Replacing()) MaskEdit1->selectAll();
  for (QPushButton* b : Btn_Num) b->setEnabled(pad_.DigitsEnabled());
  Btn_Dot->setEnabled(pad_.DotEnabled());
  Btn_Minus->setEnabled(pad_.MinusEnabled());
  for (QPushButton* b : Btn_Hex) b->setEnabled(pad_.HexEnabled());
}

void TTenkey::Relabel() {
  for (QPushButton* b : Keys) {
    const std::string caption = b->text().toStdString();
    b->setText(QString::fromStdString(RelabelKey(caption, pad_.Caps(), pad_.Shift())));
  }
}

void TTenkey::PaintIndicators() {
  const auto paint = [](QLabel* l, bool on) {
    QPalette p = l->palette();
    p.setColor(QPalette::Window, on ? QColor(255, 0, 0) : QColor(255, 255, 255));
    p.setColor(QPalette::WindowText, on ? QColor(255, 255, 255) : QColor(0, 0, 0));
    l->setPalette(p);
  };
  paint(Shp_Caps, pad_.Caps());
  paint(Shp_Shift, pad_.Shift());
}

void TTenkey::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  FormShow();
}

void TTenkey::FormShow() {
  Relabel();
  PaintIndicators();
  MaskEdit1->setFocus();
  MaskEdit1->selectAll();
}

void TTenkey::keyPressEvent(QKeyEvent* e) {
  // Reached only when the form itself has the focus; Escape and the rest
  // go on to the dialog's own handling (Escape closes without a value).
  if (!FormKeyDown(e)) QDialog::keyPressEvent(e);
}

bool TTenkey::eventFilter(QObject* watched, QEvent* e) {
  if (e->type() == QEvent::KeyPress) {
    // Each key is taken once, here, and never reaches the control: a
    // focused button must not click itself on Enter or Space.
    auto* key = static_cast<QKeyEvent*>(e);
    return watched == MaskEdit1 ? MaskEdit1KeyDown(key) : FormKeyDown(key);
  }
  if (watched == MaskEdit1 && e->type() == QEvent::MouseButtonDblClick) {
    MaskEdit1DblClick();
    return true;
  }
  return QDialog::eventFilter(watched, e);
}

bool TTenkey::FormKeyDown(QKeyEvent* e) {
  return ShortcutKey(e);
}

bool TTenkey::MaskEdit1KeyDown(QKeyEvent* e) {
  return ShortcutKey(e);
}

bool TTenkey::ShortcutKey(QKeyEvent* e) {
  // Keys with Ctrl, Alt or Meta belong to the system, not to the keypad.
  if (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) return false;
  const bool numberPad = e->modifiers() & Qt::KeypadModifier;
  const int k = e->key();
  if (k >= Qt::Key_0 && k <= Qt::Key_9) {
    NumberPress(static_cast<char>('0' + (k - Qt::Key_0)));
  } else if (k >= Qt::Key_A && k <= Qt::Key_F) {
    NumberPress(static_cast<char>('A' + (k - Qt::Key_A)));
  } else if (k == Qt::Key_Period || (numberPad && k == Qt::Key_Comma)) {
    // The number pad's point and minus follow their buttons.
    if (!numberPad || Btn_Dot->isEnabled()) Btn_DotClick();
  } else if (k == Qt::Key_Minus) {
    if (!numberPad || Btn_Minus->isEnabled()) Btn_MinusClick();
  } else if (k == Qt::Key_Return || k == Qt::Key_Enter) {
    Guarded(this, [this] { Btn_EnterClick(); })();
  } else if (k == Qt::Key_Backspace || k == Qt::Key_Delete) {
    Btn_BSClick();
  } else if (k == Qt::Key_Space) {
    Btn_SpaceClick();
  } else {
    return false;
  }
  return true;
}

void TTenkey::MaskEdit1DblClick() {
  pad_.ReplaceNext();
  ShowState();
}

void TTenkey::Btn_EnterClick() {
  const KeypadEnter outcome = pad_.Enter();
  ShowState();
  switch (outcome) {
    case KeypadEnter::Accepted:
      accepted_ = true;
      accept();
      break;
    case KeypadEnter::TooLong:
    case KeypadEnter::OutOfRange:
      MaskEdit1->setFocus();
      MaskEdit1->selectAll();
      break;
    case KeypadEnter::Empty:
      break;
  }
}

void TTenkey::Btn_CancelClick() {
  accepted_ = false;
  reject();
}

void TTenkey::NumberClick(QPushButton* button) {
  pad_.Digit(static_cast<char>('0' + TagOf(button)));
  ShowState();
}

void TTenkey::NumberPress(char key) {
  if (key >= '0' && key <= '9')
    pad_.Digit(key);
  else
    pad_.Letter(key);
  ShowState();
}

void TTenkey::Btn_DotClick() {
  pad_.Point();
  ShowState();
}

void TTenkey::Btn_MinusClick() {
  pad_.Minus();
  ShowState();
}

void TTenkey::Btn_BSClick() {
  pad_.BackSpace();
  ShowState();
}

void TTenkey::Btn_ClearClick() {
  pad_.Clear();
  ShowState();
}

void TTenkey::Btn_CapsClick() {
  pad_.ToggleCaps();
  PaintIndicators();
  Relabel();
}

void TTenkey::Btn_ShiftClick() {
  pad_.ToggleShift();
  PaintIndicators();
  Relabel();
}

void TTenkey::KeyClick(QPushButton* button) {
  pad_.Key(button->text().toStdString());
  ShowState();
}

void TTenkey::Btn_SpaceClick() {
  pad_.Space();
  ShowState();
}
