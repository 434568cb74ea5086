#include <gtest/gtest.h>

#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

#include "ui/Input.h"
#include "FakePrompts.h"
#include "support/Images.h"

// Readable failures: gtest would print a QString as bytes.
static void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

namespace {

const QString kTooLong4 = QString::fromUtf8("桁数ｵｰﾊﾞｰです。4桁以内で入力して下さい。");
const QString kEmpty = QString::fromUtf8("ﾃﾞｰﾀを入力して下さい。");
const QString kOutOfRange = QString::fromUtf8("設定値が範囲外です。");

class KeypadWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { pad = std::make_unique<TTenkey>(); }

  // Runs Execute and acts inside its modal loop. Whatever the act leaves
  // open is closed, so a failing test cannot hang; leftOpen tells.
  bool Run(int kind, double minimum, double maximum, int digits, int decimals, const QString& text,
           std::function<void()> act, QString* result = nullptr) {
    leftOpen = false;
    QTimer::singleShot(0, pad.get(), [this, act] {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(pad.get()));
      act();
      if (pad->isVisible()) {
        leftOpen = true;
        pad->reject();
      }
    });
    QString scratch;
    return pad->Execute(kind, minimum, maximum, digits, decimals, text, result ? result : &scratch);
  }

  void Click(QPushButton* b) { QTest::mouseClick(b, Qt::LeftButton); }
  void ClickDigits(const char* digits) {
    for (const char* p = digits; *p; ++p) {
      if (*p == '.')
        Click(pad->Btn_Dot);
      else if (*p == '-')
        Click(pad->Btn_Minus);
      else
        Click(pad->Btn_Num[*p - '0']);
    }
  }
  QString Shown() const { return pad->MaskEdit1->text(); }
  bool AnyDigitEnabled() const {
    for (QPushButton* b : pad->Btn_Num)
      if (b->isEnabled()) return true;
    return false;
  }

  FakePrompts prompts;
  std::unique_ptr<TTenkey> pad;
  bool leftOpen = false;
};

TestImage FromWidget(QWidget* w) {
  const QImage rgba = w->grab().toImage().convertToFormat(QImage::Format_RGBA8888);
  TestImage img;
  img.width = rgba.width();
  img.height = rgba.height();
  img.rgba.assign(rgba.constBits(), rgba.constBits() + rgba.sizeInBytes());
  return img;
}

// Visible children of parent that overlap one another or stick out.
QStringList LayoutFaults(QWidget* parent) {
  QStringList faults;
  QList<QWidget*> shown;
  for (QWidget* w : parent->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
    if (w->isVisibleTo(parent)) shown << w;
  for (int i = 0; i < shown.size(); ++i) {
    if (!parent->rect().contains(shown[i]->geometry()))
      faults << shown[i]->objectName() + " sticks out of " + parent->objectName();
    for (int j = i + 1; j < shown.size(); ++j)
      if (shown[i]->geometry().intersects(shown[j]->geometry()))
        faults << shown[i]->objectName() + " overlaps " + shown[j]->objectName();
    if (auto* b = qobject_cast<QPushButton*>(shown[i])) {
      QString text = b->text();
      text.replace(QStringLiteral("&&"), QStringLiteral("&"));
      if (b->fontMetrics().horizontalAdvance(text) > b->width() - 6)
        faults << b->objectName() + " caption does not fit";
    }
  }
  return faults;
}

}  // namespace

TEST_F(KeypadWindowTest, ControlsAsLaidOut) {
  EXPECT_EQ(pad->windowTitle(), QStringLiteral("Data Input"));
  EXPECT_FALSE(pad->windowFlags() & Qt::WindowCloseButtonHint);
  EXPECT_FALSE(pad->windowFlags() & Qt::WindowSystemMenuHint);
  EXPECT_TRUE(pad->MaskEdit1->isReadOnly());
  EXPECT_EQ(pad->MaskEdit1->text(), QStringLiteral("0"));
  EXPECT_FALSE(pad->Btn_Dot->isEnabled());
  EXPECT_FALSE(pad->Btn_Minus->isEnabled());
  EXPECT_TRUE(pad->Grp_KeyBoard->isHidden());
  EXPECT_EQ(pad->Grp_KeyBoard->title(), QStringLiteral("KeyBoard"));
  EXPECT_EQ(pad->Grp_Range->title(), QStringLiteral("Input Range"));

  const struct {
    const char* name;
    const char* caption;
  } buttons[] = {
      {"Btn_0", "0"},         {"Btn_9", "9"},        {"Btn_Dot", "."},       {"Btn_Minus", "-"},
      {"Btn_Enter", "ENT"},   {"Btn_Cancel", "CAN"}, {"Btn_BS", "BS"},       {"Btn_Clear", "CLR"},
      {"Btn_A", "A"},         {"Btn_F", "F"},        {"Btn_Shift", "Shift"}, {"Btn_Caps", "Caps"},
      {"Btn_Space", "Space"}, {"Btn_Ret", "RET"},    {"Btn_BS2", "BS"},      {"Btn_Cancel2", "Cancel"},
      {"Btn_Clear2", "Clear"}};
  for (const auto& b : buttons) {
    auto* w = pad->findChild<QPushButton*>(QString::fromUtf8(b.name));
    ASSERT_NE(w, nullptr) << b.name;
    EXPECT_EQ(w->text(), QString::fromUtf8(b.caption)) << b.name;
    EXPECT_FALSE(w->autoDefault()) << b.name;
  }
  for (const char* name : {"Lbl_Digit", "Lbl_Min", "Lbl_Max", "Shp_Caps", "Shp_Shift"})
    EXPECT_NE(pad->findChild<QLabel*>(QString::fromUtf8(name)), nullptr) << name;
  EXPECT_EQ(pad->Shp_Caps->text(), QStringLiteral("CAPS"));
  EXPECT_EQ(pad->Shp_Shift->text(), QStringLiteral("SHIFT"));

  // The number row shows its shifted symbols until the keypad is shown.
  const char* numberRow[] = {"!", "\"", "#", "$", "%", "&&", "'", "(", ")", "0"};
  for (int i = 0; i < 10; ++i) EXPECT_EQ(pad->Keys[i]->text(), QString::fromUtf8(numberRow[i])) << i;
}

TEST_F(KeypadWindowTest, DecimalByButtonsIsRoundedToItsDecimals) {
  QString result;
  const bool ok = Run(
      1, -90, 120, 7, 2, QStringLiteral("100"),
      [this] {
        EXPECT_EQ(pad->width(), 265);
        EXPECT_EQ(pad->MaskEdit1->width(), 193);
        EXPECT_TRUE(pad->Grp_KeyBoard->isHidden());
        EXPECT_TRUE(pad->Btn_Hex[0]->isHidden());
        EXPECT_EQ(pad->MaskEdit1->selectedText(), QStringLiteral("100"));
        EXPECT_TRUE(pad->MaskEdit1->hasFocus());
        EXPECT_EQ(pad->Lbl_Digit->text(), QStringLiteral("7"));
        EXPECT_EQ(pad->Lbl_Min->text(), QStringLiteral("-90.00"));
        EXPECT_EQ(pad->Lbl_Max->text(), QStringLiteral("120.00"));
        EXPECT_TRUE(pad->Btn_Dot->isEnabled());
        EXPECT_TRUE(pad->Btn_Minus->isEnabled());
        const QPoint centre = pad->screen()->availableGeometry().center();
        EXPECT_LE((pad->frameGeometry().center() - centre).manhattanLength(), 2);

        ClickDigits("12.349");
        EXPECT_EQ(Shown(), QStringLiteral("12.349"));
        EXPECT_FALSE(pad->Btn_Dot->isEnabled());
        EXPECT_FALSE(pad->Btn_Minus->isEnabled());
        Click(pad->Btn_Enter);
      },
      &result);
  EXPECT_TRUE(ok);
  EXPECT_FALSE(leftOpen);
  EXPECT_EQ(result, QStringLiteral("12.35"));
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(KeypadWindowTest, KeysActWhereverTheFocusIsAndNumberPadKeysCountOnce) {
  QString result;
  const bool ok = Run(
      1, 0, 9999, 7, 2, QStringLiteral("0"),
      [this] {
        // The field, a button and the form itself each get one key.
        QTest::keyClick(pad->MaskEdit1, Qt::Key_1, Qt::KeypadModifier);
        QTest::keyClick(pad->Btn_Num[7], Qt::Key_2, Qt::KeypadModifier);
        QTest::keyClick(pad.get(), Qt::Key_3, Qt::KeypadModifier);
        EXPECT_EQ(Shown(), QStringLiteral("123"));
        QTest::keyClicks(pad->MaskEdit1, QStringLiteral(".4"));
        // The number pad's point follows its disabled button; so does its
        // minus while the minimum is 0.
        QTest::keyClick(pad->MaskEdit1, Qt::Key_Period, Qt::KeypadModifier);
        QTest::keyClick(pad->MaskEdit1, Qt::Key_Minus, Qt::KeypadModifier);
        EXPECT_EQ(Shown(), QStringLiteral("123.4"));
        // Space and Enter on a focused button do not click it.
        pad->Btn_Cancel->setFocus();
        QTest::keyClick(pad->Btn_Cancel, Qt::Key_Space);
        EXPECT_TRUE(pad->isVisible());
        QTest::keyClick(pad->Btn_Cancel, Qt::Key_Backspace);
        QTest::keyClick(pad->Btn_Cancel, Qt::Key_9);
        EXPECT_EQ(Shown(), QStringLiteral("123.9"));
        QTest::keyClick(pad->Btn_Cancel, Qt::Key_Enter, Qt::KeypadModifier);
      },
      &result);
  EXPECT_TRUE(ok);
  EXPECT_EQ(result, QStringLiteral("123.90"));
}

TEST_F(KeypadWindowTest, MainKeyboardTyping) {
  QString result;
  EXPECT_TRUE(Run(
      1, 0, 100, 7, 2, QStringLiteral("5"),
      [this] {
        QTest::keyClicks(pad->MaskEdit1, QStringLiteral("12.349"));
        QTest::keyClick(pad->MaskEdit1, Qt::Key_Return);
      },
      &result));
  EXPECT_EQ(result, QStringLiteral("12.35"));

  // Letters are hexadecimal digits: an integer refuses them, the main
  // keyboard's minus starts a negative number.
  EXPECT_TRUE(Run(
      0, -10, 100, 3, 0, QStringLiteral("5"),
      [this] {
        QTest::keyClicks(pad->MaskEdit1, QStringLiteral("-a7"));
        EXPECT_EQ(Shown(), QStringLiteral("-7"));
        QTest::keyClick(pad->MaskEdit1, Qt::Key_Return);
      },
      &result));
  EXPECT_EQ(result, QStringLiteral("-7"));
}

TEST_F(KeypadWindowTest, EscapeCancelAndCloseReturnFalseAndLeaveTheResult) {
  QString result = QStringLiteral("kept");
  EXPECT_FALSE(Run(
      0, 0, 100, 3, 0, QStringLiteral("5"),
      [this] {
        ClickDigits("42");
        QTest::keyClick(pad->MaskEdit1, Qt::Key_Escape);
      },
      &result));
  EXPECT_FALSE(leftOpen);
  EXPECT_FALSE(Run(
      0, 0, 100, 3, 0, QStringLiteral("5"),
      [this] {
        ClickDigits("42");
        Click(pad->Btn_Cancel);
      },
      &result));
  EXPECT_FALSE(leftOpen);
  EXPECT_FALSE(Run(
      0, 0, 100, 3, 0, QStringLiteral("5"), [this] { pad->close(); }, &result));
  EXPECT_FALSE(leftOpen);
  EXPECT_EQ(result, QStringLiteral("kept"));
  EXPECT_TRUE(prompts.messages.isEmpty());
}

TEST_F(KeypadWindowTest, OutOfRangeIsReportedAndTheValueTypedAnew) {
  QString result;
  const bool ok = Run(
      1, -90, 120, 6, 2, QStringLiteral("0"),
      [this] {
        ClickDigits("130");
        Click(pad->Btn_Enter);
        EXPECT_EQ(prompts.messages, QStringList{kOutOfRange});
        EXPECT_TRUE(pad->isVisible());
        EXPECT_TRUE(pad->MaskEdit1->hasFocus());
        EXPECT_EQ(pad->MaskEdit1->selectedText(), QStringLiteral("130"));
        EXPECT_TRUE(pad->Btn_Minus->isEnabled());
        ClickDigits("-12.5");
        Click(pad->Btn_Enter);
      },
      &result);
  EXPECT_TRUE(ok);
  EXPECT_EQ(result, QStringLiteral("-12.50"));
}

TEST_F(KeypadWindowTest, DigitCountEmptyInputAndNotANumberKeepItOpen) {
  EXPECT_FALSE(Run(0, 0, 9999, 4, 0, QStringLiteral("12345"), [this] {
    Click(pad->Btn_Enter);
    Click(pad->Btn_Clear);
    Click(pad->Btn_Enter);
    EXPECT_TRUE(pad->isVisible());
  }));
  EXPECT_TRUE(leftOpen);
  EXPECT_EQ(prompts.messages, (QStringList{kTooLong4, kEmpty}));

  prompts.messages.clear();
  QString result;
  EXPECT_TRUE(Run(
      1, -10, 10, 6, 2, QStringLiteral("0"),
      [this] {
        Click(pad->Btn_Minus);
        Click(pad->Btn_Enter);
        EXPECT_EQ(prompts.messages, QStringList{QStringLiteral("'-' is not a valid floating point value")});
        EXPECT_TRUE(pad->isVisible());
        ClickDigits("5");
        Click(pad->Btn_Enter);
      },
      &result));
  EXPECT_EQ(result, QStringLiteral("-5.00"));
}

TEST_F(KeypadWindowTest, FullInputDisablesTheNumberButtons) {
  EXPECT_FALSE(Run(0, 0, 9999, 4, 0, QStringLiteral("0"), [this] {
    ClickDigits("1234");
    EXPECT_FALSE(AnyDigitEnabled());
    Click(pad->Btn_Num[5]);
    EXPECT_EQ(Shown(), QStringLiteral("1234"));
    Click(pad->Btn_BS);
    EXPECT_TRUE(AnyDigitEnabled());
    EXPECT_EQ(Shown(), QStringLiteral("123"));
    // A double-click on the field lets the next key start anew.
    QTest::mouseDClick(pad->MaskEdit1, Qt::LeftButton);
    EXPECT_EQ(pad->MaskEdit1->selectedText(), QStringLiteral("123"));
    ClickDigits("8");
    EXPECT_EQ(Shown(), QStringLiteral("8"));
  }));
}

TEST_F(KeypadWindowTest, FreeTextWithTheFullKeyboard) {
  auto key = [this](const char* caption) -> QPushButton* {
    for (QPushButton* b : pad->Keys)
      if (b->text() == QString::fromUtf8(caption)) return b;
    ADD_FAILURE() << "no key " << caption;
    return pad->Btn_Space;
  };
  const QColor red(255, 0, 0), white(255, 255, 255);
  QString result;
  EXPECT_TRUE(Run(
      2, 0, 0, 10, 0, QStringLiteral("old"),
      [&] {
        EXPECT_EQ(pad->width(), 754);
        EXPECT_EQ(pad->MaskEdit1->width(), 593);
        EXPECT_TRUE(pad->Grp_KeyBoard->isVisible());
        EXPECT_TRUE(pad->Btn_Hex[0]->isHidden());
        EXPECT_EQ(pad->Lbl_Min->text(), QStringLiteral("------"));
        EXPECT_EQ(pad->Lbl_Max->text(), QStringLiteral("------"));
        const char* plain[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9", "0", "-", "^", "\\", "q"};
        for (int i = 0; i < 14; ++i) EXPECT_EQ(pad->Keys[i]->text(), QString::fromUtf8(plain[i])) << i;
        EXPECT_EQ(pad->Shp_Shift->palette().color(QPalette::Window), white);

        Click(pad->Btn_Shift);
        const char* shifted[] = {"!", "\"", "#", "$", "%", "&&", "'", "(", ")", "0", "=", "~", "|", "q"};
        for (int i = 0; i < 14; ++i) EXPECT_EQ(pad->Keys[i]->text(), QString::fromUtf8(shifted[i])) << i;
        EXPECT_EQ(pad->Shp_Shift->palette().color(QPalette::Window), red);
        Click(key("&&"));
        EXPECT_EQ(Shown(), QStringLiteral("&"));
        Click(pad->Btn_Shift);
        Click(pad->Btn_Caps);
        EXPECT_EQ(pad->Shp_Caps->palette().color(QPalette::Window), red);
        Click(key("Q"));
        Click(pad->Btn_Space);
        Click(key("1"));
        ClickDigits("-2.");
        EXPECT_EQ(Shown(), QStringLiteral("&Q 1-2."));
        Click(pad->Btn_BS2);
        Click(pad->Btn_Ret);
      },
      &result));
  EXPECT_EQ(result, QStringLiteral("&Q 1-2"));

  // Caps carries over to the next entry; the text does not.
  EXPECT_FALSE(Run(2, 0, 0, 10, 0, QStringLiteral(""), [&] {
    EXPECT_EQ(pad->Keys[13]->text(), QStringLiteral("Q"));
    EXPECT_EQ(pad->Shp_Caps->palette().color(QPalette::Window), red);
    Click(key("W"));
    Click(pad->Btn_Clear2);
    EXPECT_EQ(Shown(), QString());
    Click(pad->Btn_Cancel2);
  }));
  EXPECT_FALSE(leftOpen);
}

TEST_F(KeypadWindowTest, HexadecimalKeys) {
  QString result;
  EXPECT_TRUE(Run(
      3, 0, 255, 2, 0, QStringLiteral("0"),
      [this] {
        for (QPushButton* b : pad->Btn_Hex) EXPECT_TRUE(b->isVisible());
        EXPECT_EQ(pad->Lbl_Min->text(), QStringLiteral("00"));
        EXPECT_EQ(pad->Lbl_Max->text(), QStringLiteral("FF"));
        Click(pad->Btn_Hex[5]);
        QTest::keyClick(pad->MaskEdit1, Qt::Key_F);
        EXPECT_EQ(Shown(), QStringLiteral("FF"));
        EXPECT_FALSE(pad->Btn_Hex[0]->isEnabled());
        Click(pad->Btn_Enter);
      },
      &result));
  EXPECT_EQ(result, QStringLiteral("FF"));
}

TEST_F(KeypadWindowTest, ScreenshotsAreReadable) {
  struct Shot {
    int kind;
    const char* file;
  } shots[] = {
      {0, "keypad-kind0.png"}, {1, "keypad-kind1.png"}, {2, "keypad-kind2.png"}, {3, "keypad-kind3.png"}};
  for (const Shot& s : shots) {
    Run(s.kind, -90, 120, 7, 2, QStringLiteral("12.5"), [&] {
      QTest::qWait(50);
      WriteArtifact(FromWidget(pad.get()), s.file);
      EXPECT_EQ(LayoutFaults(pad.get()), QStringList()) << s.file;
      EXPECT_EQ(LayoutFaults(pad->Grp_KeyBoard), QStringList()) << s.file;
      EXPECT_EQ(LayoutFaults(pad->Grp_Range), QStringList()) << s.file;
    });
  }

  // The messages are shown in a font that has their glyphs.
  const QString all = kTooLong4 + kEmpty + kOutOfRange;
  const QFontMetrics fm(QApplication::font());
  for (const uint c : all.toUcs4()) EXPECT_TRUE(fm.inFontUcs4(c)) << std::hex << c;
  QMessageBox box;
  box.setText(kTooLong4 + QLatin1Char('\n') + kEmpty + QLatin1Char('\n') + kOutOfRange);
  box.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&box));
  WriteArtifact(FromWidget(&box), "keypad-messages.png");
}
