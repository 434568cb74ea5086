#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QPushButton>
#include <QRegularExpression>
#include <QStringList>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>
#include <memory>
#include <ostream>

#include "ui/Input.h"
#include "ui/Objectsetting.h"
#include "ui/ObjectsettingGrid.h"
#include "objects/SceneObject.h"
#include "render/Texture.h"
#include "FakePrompts.h"
#include "support/Images.h"

// Readable failures: gtest would print a QString as bytes.
inline void PrintTo(const QString& s, std::ostream* os) {
  *os << '"' << s.toStdString() << '"';
}

// The shape list the program ships.
inline QString ShippedShapeList() {
  return QFileInfo(QStringLiteral(__FILE__))
      .absoluteDir()
      .absoluteFilePath(QStringLiteral("../../data/ShapeList.dat"));
}

inline TestImage FromWidget(QWidget* w) {
  const QImage rgba = w->grab().toImage().convertToFormat(QImage::Format_RGBA8888);
  TestImage img;
  img.width = rgba.width();
  img.height = rgba.height();
  img.rgba.assign(rgba.constBits(), rgba.constBits() + rgba.sizeInBytes());
  return img;
}

// Named controls of the form that overlap one another or stick out of
// it, and push buttons whose caption does not fit.
inline QStringList LayoutFaultsOf(QWidget* form) {
  static const QRegularExpression named(QStringLiteral("^(Btn|Chk|Cmb|Lbl|Shp|Edt|Grp|Stg)_"));
  QStringList faults;
  QList<QWidget*> shown;
  for (QWidget* w : form->findChildren<QWidget*>())
    if (w->isVisibleTo(form) && named.match(w->objectName()).hasMatch()) shown << w;
  for (int i = 0; i < shown.size(); ++i) {
    const QRect a(shown[i]->mapTo(form, QPoint(0, 0)), shown[i]->size());
    if (!form->rect().contains(a)) faults << shown[i]->objectName() + " sticks out";
    for (int j = i + 1; j < shown.size(); ++j) {
      if (shown[i]->isAncestorOf(shown[j]) || shown[j]->isAncestorOf(shown[i])) continue;
      const QRect b(shown[j]->mapTo(form, QPoint(0, 0)), shown[j]->size());
      if (a.intersects(b)) faults << shown[i]->objectName() + " overlaps " + shown[j]->objectName();
    }
    if (auto* btn = qobject_cast<QPushButton*>(shown[i]))
      if (btn->fontMetrics().horizontalAdvance(btn->text()) > btn->width() - 6)
        faults << btn->objectName() + " caption does not fit";
  }
  return faults;
}

// A settings dialog on the shipped shape list, the keypad it types into,
// and a table of 1000 default records with ten texture slots.
class ObjSetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    keypad = std::make_unique<TTenkey>();
    table = std::make_unique<ObjectTable>();
    InitializeRecords(table->data(), kObjectCapacity);
    dlg = std::make_unique<TObjSet>(nullptr, ShippedShapeList());
    dlg->SetKeypad(keypad.get());
  }
  void TearDown() override {
    dlg.reset();
    keypad.reset();
  }

  SceneObject& Rec(int i = 0) { return (*table)[static_cast<size_t>(i)]; }

  // Opens the dialog on record i without its modal loop.
  void Open(int i = 0) {
    dlg->Prepare(Rec(i), slots);
    dlg->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dlg.get()));
  }

  QString Cell(int col, int row) const { return dlg->Stg_Data->Cell(col, row); }

  void DoubleClickCell(StringGrid* grid, int col, int row) {
    grid->scrollTo(grid->model()->index(row - 1, col - 1));
    const QPoint at = grid->CellRect(col, row).center();
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(grid->viewport(), Qt::LeftButton, Qt::NoModifier, at);
  }

  // When the keypad shows, clicks the keys of text ('0'-'9', '.', '-') and
  // then ENT, or CAN when enter is false. Whatever stays open is closed so
  // that a failing test cannot hang.
  void AnswerKeypad(const QString& text, bool enter = true) {
    keypadShown = false;
    QTimer::singleShot(0, keypad.get(), [this, text, enter] {
      if (!QTest::qWaitFor([this] { return keypad->isVisible(); }, 3000)) return;
      keypadShown = true;
      for (QChar ch : text) {
        if (ch == QLatin1Char('.'))
          QTest::mouseClick(keypad->Btn_Dot, Qt::LeftButton);
        else if (ch == QLatin1Char('-'))
          QTest::mouseClick(keypad->Btn_Minus, Qt::LeftButton);
        else
          QTest::mouseClick(keypad->Btn_Num[ch.digitValue()], Qt::LeftButton);
      }
      QTest::mouseClick(enter ? keypad->Btn_Enter : keypad->Btn_Cancel, Qt::LeftButton);
      if (keypad->isVisible()) keypad->reject();
    });
  }

  // Runs act inside the dialog's modal loop, then closes whatever is left
  // open; returns Execute's result.
  bool RunModal(int i, std::function<void()> act) {
    leftOpen = false;
    QTimer::singleShot(0, dlg.get(), [this, act] {
      if (!QTest::qWaitFor([this] { return dlg->isVisible(); }, 3000)) return;
      act();
      if (dlg->isVisible()) {
        leftOpen = true;
        dlg->reject();
      }
    });
    return dlg->Execute(Rec(i), slots);
  }

  FakePrompts prompts;
  std::unique_ptr<TTenkey> keypad;
  std::unique_ptr<ObjectTable> table;
  TextureSlot slots[kTextureSlotCount];
  std::unique_ptr<TObjSet> dlg;
  bool keypadShown = false;
  bool leftOpen = false;
};
