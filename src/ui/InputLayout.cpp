// The keypad as laid out: every control, its caption, name, tag and place.

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include "ui/Controls.h"
#include "ui/Input.h"

namespace {

// Form and control sizes. The form is 265 wide for numbers and 754 wide
// with the full keyboard; the field grows from 193 to 593 with it.
constexpr int kNarrowWidth = 265, kWideWidth = 754;
constexpr int kNarrowField = 193, kWideField = 593;
constexpr int kFormHeight = 298;
constexpr int kMargin = 8;
constexpr int kPadTop = 118, kPadKeyHeight = 40, kPadGap = 4;
constexpr int kPadWidth = kNarrowWidth - 2 * kMargin;

// The keyboard group beside the number keys, and its key grid.
constexpr int kBoardLeft = kNarrowWidth, kBoardTop = 44, kBoardWidth = 481, kBoardHeight = 246;
constexpr int kKeyPitch = 33, kKeyWidth = 31, kRowPitch = 44, kRowTop = 22;

// Captions of the character keys as laid out, row by row (a Japanese
// layout); the number row shows its shifted symbols until the form is shown.
const char* const kKeyRows[4][13] = {
    {"!", "\"", "#", "$", "%", "&&", "'", "(", ")", "0", "-", "^", "\\"},
    {"Q", "W", "E", "R", "T", "Y", "U", "I", "O", "P", "@", "["},
    {"A", "S", "D", "F", "G", "H", "J", "K", "L", ";", ":", "]"},
    {"Z", "X", "C", "V", "B", "N", "M", ",", ".", "/", "_"},
};
// Where each row starts inside the group, staggered like a keyboard.
constexpr int kRowIndent[4] = {0, 6, 12, 18};

QPushButton* MakeButton(QWidget* parent, const char* name, const char* caption, int pixelSize) {
  auto* b = new QPushButton(QString::fromUtf8(caption), parent);
  b->setObjectName(QString::fromUtf8(name));
  // Enter is the keypad's own key; no button may take it as a default.
  b->setAutoDefault(false);
  b->setDefault(false);
  QFont f = b->font();
  f.setPixelSize(pixelSize);
  b->setFont(f);
  return b;
}

QLabel* MakeLabel(QWidget* parent, const char* name, const char* caption) {
  auto* l = new QLabel(QString::fromUtf8(caption), parent);
  l->setObjectName(QString::fromUtf8(name));
  return l;
}

QLabel* MakeIndicator(QWidget* parent, const char* name, const char* caption) {
  QLabel* l = MakeLabel(parent, name, caption);
  l->setAlignment(Qt::AlignCenter);
  l->setFrameShape(QFrame::Box);
  l->setAutoFillBackground(true);
  return l;
}

// Places a number-pad key at a cell of a grid of `columns` columns.
void PlaceCell(QWidget* w, int column, int row, int columns) {
  const int width = (kPadWidth - (columns - 1) * kPadGap) / columns;
  w->setGeometry(kMargin + column * (width + kPadGap), kPadTop + row * (kPadKeyHeight + kPadGap), width,
                 kPadKeyHeight);
}

}  // namespace

void TTenkey::BuildLayout() {
  setWindowTitle(QStringLiteral("Data Input"));
  // No border icons: the keypad closes through its own keys.
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

  MaskEdit1 = new QLineEdit(QStringLiteral("0"), this);
  MaskEdit1->setObjectName(QStringLiteral("MaskEdit1"));
  MaskEdit1->setReadOnly(true);
  QFont big = MaskEdit1->font();
  big.setPixelSize(18);
  MaskEdit1->setFont(big);

  MakeLabel(this, "Lbl_DigitCaption", "Max Digits:")->setGeometry(kMargin, 44, 72, 18);
  Lbl_Digit = MakeLabel(this, "Lbl_Digit", "0");
  Lbl_Digit->setGeometry(kMargin + 74, 44, 60, 18);

  Grp_Range = new QGroupBox(QStringLiteral("Input Range"), this);
  Grp_Range->setObjectName(QStringLiteral("Grp_Range"));
  Grp_Range->setGeometry(kMargin, 62, kPadWidth, 50);
  MakeLabel(Grp_Range, "Lbl_MinCaption", "Min:")->setGeometry(8, 22, 30, 20);
  Lbl_Min = MakeLabel(Grp_Range, "Lbl_Min", "0");
  Lbl_Min->setGeometry(38, 22, 86, 20);
  MakeLabel(Grp_Range, "Lbl_MaxCaption", "Max:")->setGeometry(126, 22, 30, 20);
  Lbl_Max = MakeLabel(Grp_Range, "Lbl_Max", "0");
  Lbl_Max->setGeometry(156, 22, 86, 20);

  for (int d = 0; d < 10; ++d) {
    const QByteArray name = "Btn_" + QByteArray::number(d);
    const QByteArray caption = QByteArray::number(d);
    Btn_Num[d] = MakeButton(this, name.constData(), caption.constData(), 16);
    SetTag(Btn_Num[d], d);
  }
  Btn_Dot = MakeButton(this, "Btn_Dot", ".", 16);
  Btn_Minus = MakeButton(this, "Btn_Minus", "-", 16);
  Btn_Dot->setEnabled(false);
  Btn_Minus->setEnabled(false);
  Btn_Enter = MakeButton(this, "Btn_Enter", "ENT", 14);
  Btn_Cancel = MakeButton(this, "Btn_Cancel", "CAN", 14);
  Btn_BS = MakeButton(this, "Btn_BS", "BS", 14);
  Btn_Clear = MakeButton(this, "Btn_Clear", "CLR", 14);
  const char* const hexNames[6] = {"Btn_A", "Btn_B", "Btn_C", "Btn_D", "Btn_E", "Btn_F"};
  const char* const hexCaptions[6] = {"A", "B", "C", "D", "E", "F"};
  for (int i = 0; i < 6; ++i) {
    Btn_Hex[i] = MakeButton(this, hexNames[i], hexCaptions[i], 16);
    Btn_Hex[i]->setVisible(false);
  }

  Grp_KeyBoard = new QGroupBox(QStringLiteral("KeyBoard"), this);
  Grp_KeyBoard->setObjectName(QStringLiteral("Grp_KeyBoard"));
  Grp_KeyBoard->setGeometry(kBoardLeft, kBoardTop, kBoardWidth, kBoardHeight);
  int number = 1;
  for (int row = 0; row < 4; ++row) {
    for (int col = 0; col < 13 && kKeyRows[row][col]; ++col) {
      const QByteArray name = QByteArray("Btn_Key") + (number < 10 ? "0" : "") + QByteArray::number(number);
      ++number;
      QPushButton* key = MakeButton(Grp_KeyBoard, name.constData(), kKeyRows[row][col], 13);
      key->setGeometry(kMargin + kRowIndent[row] + col * kKeyPitch, kRowTop + row * kRowPitch, kKeyWidth,
                       kPadKeyHeight);
      Keys.append(key);
    }
  }
  const int inner = kBoardWidth - 2 * kMargin;
  const auto at = [](QWidget* w, int x, int row, int width, int rows = 1) {
    w->setGeometry(kMargin + x, kRowTop + row * kRowPitch, width,
                   rows * kRowPitch - (kRowPitch - kPadKeyHeight));
  };
  Btn_BS2 = MakeButton(Grp_KeyBoard, "Btn_BS2", "BS", 13);
  at(Btn_BS2, 13 * kKeyPitch, 0, inner - 13 * kKeyPitch);
  Btn_Ret = MakeButton(Grp_KeyBoard, "Btn_Ret", "RET", 13);
  at(Btn_Ret, 408, 1, inner - 408, 2);
  Btn_Shift = MakeButton(Grp_KeyBoard, "Btn_Shift", "Shift", 13);
  at(Btn_Shift, 383, 3, inner - 383);
  Btn_Caps = MakeButton(Grp_KeyBoard, "Btn_Caps", "Caps", 13);
  at(Btn_Caps, 0, 4, 56);
  Shp_Caps = MakeIndicator(Grp_KeyBoard, "Shp_Caps", "CAPS");
  at(Shp_Caps, 60, 4, 44);
  Shp_Shift = MakeIndicator(Grp_KeyBoard, "Shp_Shift", "SHIFT");
  at(Shp_Shift, 108, 4, 48);
  Btn_Space = MakeButton(Grp_KeyBoard, "Btn_Space", "Space", 13);
  at(Btn_Space, 160, 4, 150);
  Btn_Cancel2 = MakeButton(Grp_KeyBoard, "Btn_Cancel2", "Cancel", 13);
  at(Btn_Cancel2, 314, 4, 76);
  Btn_Clear2 = MakeButton(Grp_KeyBoard, "Btn_Clear2", "Clear", 13);
  at(Btn_Clear2, 394, 4, inner - 394);
  Grp_KeyBoard->setVisible(false);

  PlaceForKind(kKeypadInteger);
}

void TTenkey::PlaceForKind(int kind) {
  const bool board = kind == kKeypadText;
  const bool hex = kind == kKeypadHex;
  setFixedSize(board ? kWideWidth : kNarrowWidth, kFormHeight);
  MaskEdit1->setGeometry(kMargin, kMargin, board ? kWideField : kNarrowField, 30);
  MaskEdit1->setAlignment(board ? Qt::AlignLeft | Qt::AlignVCenter : Qt::AlignRight | Qt::AlignVCenter);
  Grp_KeyBoard->setVisible(board);
  for (QPushButton* b : Btn_Hex) b->setVisible(hex);

  // Calculator order: 7 8 9 on top, the editing keys in the last column;
  // hexadecimal adds two columns of letters, A B at the bottom.
  const int columns = hex ? 6 : 4;
  const int last = columns - 1;
  const int digitRows[10][2] = {{0, 3}, {0, 2}, {1, 2}, {2, 2}, {0, 1},
                                {1, 1}, {2, 1}, {0, 0}, {1, 0}, {2, 0}};
  for (int d = 0; d < 10; ++d) PlaceCell(Btn_Num[d], digitRows[d][0], digitRows[d][1], columns);
  PlaceCell(Btn_Dot, 1, 3, columns);
  PlaceCell(Btn_Minus, 2, 3, columns);
  PlaceCell(Btn_BS, last, 0, columns);
  PlaceCell(Btn_Clear, last, 1, columns);
  PlaceCell(Btn_Cancel, last, 2, columns);
  PlaceCell(Btn_Enter, last, 3, columns);
  if (hex) {
    const int hexCells[6][2] = {{3, 2}, {4, 2}, {3, 1}, {4, 1}, {3, 0}, {4, 0}};
    for (int i = 0; i < 6; ++i) PlaceCell(Btn_Hex[i], hexCells[i][0], hexCells[i][1], columns);
  }
}
