// The main window's key preview: the joint keys work whatever control of
// the window has the focus, except where the key is typed as text, and a
// plain letter never runs a menu.
#include <QAbstractSpinBox>
#include <QApplication>
#include <QComboBox>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTextEdit>

#include "ui/Main.h"

namespace {

// Controls that take letters as text keep them.
bool TakesText(const QWidget* w) {
  if (qobject_cast<const QLineEdit*>(w) || qobject_cast<const QAbstractSpinBox*>(w) ||
      qobject_cast<const QTextEdit*>(w) || qobject_cast<const QPlainTextEdit*>(w))
    return true;
  const auto* combo = qobject_cast<const QComboBox*>(w);
  return combo && combo->isEditable();
}

// A key that could be a mnemonic: printable, without Alt, Ctrl or Meta.
bool PlainCharacter(const QKeyEvent* e) {
  return (e->modifiers() & (Qt::AltModifier | Qt::ControlModifier | Qt::MetaModifier)) == 0 &&
         e->text().size() == 1 && e->text().at(0).isPrint() && !e->text().at(0).isSpace();
}

}  // namespace

bool TForm1::PreviewKey(QObject* watched, QKeyEvent* e) {
  // An open menu (or any other popup): a plain letter would run the entry
  // underlined with it, or reach the window behind; it does nothing. The
  // key may come through the popup's window before the popup itself.
  if (qobject_cast<QMenu*>(watched) || QApplication::activePopupWidget()) return PlainCharacter(e);
  if (auto* w = qobject_cast<QWidget*>(watched); w && TakesText(w)) return false;

  QWidget* focus = QApplication::focusWidget();
  if (!focus || !PlainCharacter(e)) return false;
  // The window's own controls and its floating panels, as while docked.
  QWidget* top = focus->window();
  auto* dock = qobject_cast<QDockWidget*>(top);
  if (top != this && !(dock && docks_.contains(dock))) return false;
  if (TakesText(focus)) return false;

  // The menu bar takes the keyboard after Escape from a menu or a lone
  // Alt; a plain letter there would open a menu. Leave that mode first.
  if (auto* bar = qobject_cast<QMenuBar*>(focus)) {
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(bar, &escape);
    FormKeyPress(e->text().at(0));
    return true;
  }
  return FormKeyPress(e->text().at(0));
}

void DropEntryMnemonics(QMenu* menu) {
  // Alt closes an open menu, so an entry's underlined letter could only
  // ever be pressed plain, which the preview forbids: entries carry none.
  // Menu titles keep theirs for Alt+F, Alt+E, ...
  for (QAction* a : menu->actions()) {
    QString text = a->text();
    text.replace(QStringLiteral("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    text.replace(QStringLiteral("\x01"), QStringLiteral("&&"));
    a->setText(text);
    if (a->menu()) DropEntryMnemonics(a->menu());
  }
}
