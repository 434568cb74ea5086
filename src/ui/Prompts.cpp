#include "ui/Prompts.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QColorDialog>
#include <QFileDialog>
#include <QMessageBox>

#include "objects/FileAccess.h"

namespace {
Prompts* g_installed = nullptr;
}

Prompts& Prompts::Get() {
  static QtPrompts real;
  return g_installed ? *g_installed : real;
}

void Prompts::Install(Prompts* p) {
  g_installed = p;
}

void QtPrompts::Message(QWidget* parent, const QString& text, const QString& caption) {
  QMessageBox box(parent);
  box.setWindowTitle(caption.isEmpty() ? QApplication::applicationName() : caption);
  box.setText(text);
  box.setIcon(QMessageBox::Information);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

void QtPrompts::Error(QWidget* parent, const QString& text) {
  QMessageBox box(parent);
  box.setWindowTitle(QStringLiteral("Error"));
  box.setText(text);
  box.setIcon(QMessageBox::Critical);
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

bool QtPrompts::Confirm(QWidget* parent, const QString& text, const QString& caption) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setIcon(QMessageBox::Question);
  box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Cancel);
  return box.exec() == QMessageBox::Ok;
}

bool QtPrompts::ConfirmOffer(QWidget* parent, const QString& text, const QString& caption) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setIcon(QMessageBox::Question);
  box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Ok);
  return box.exec() == QMessageBox::Ok;
}

bool QtPrompts::PickColor(QWidget* parent, uint32_t initial, uint32_t* chosen) {
  const QColor start(initial & 0xFF, (initial >> 8) & 0xFF, (initial >> 16) & 0xFF);
  const QColor c = QColorDialog::getColor(start, parent);
  if (!c.isValid()) return false;
  *chosen = static_cast<uint32_t>(c.red()) | (static_cast<uint32_t>(c.green()) << 8) |
            (static_cast<uint32_t>(c.blue()) << 16);
  return true;
}

QString QtPrompts::OpenFile(QWidget* parent, const QString& title, const QString& filter) {
  return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString QtPrompts::SaveFile(QWidget* parent, const QString& title, const QString& filter) {
  // The dialog would ask about the name as typed, before the callers add
  // the extension; they ask about the file really written instead.
  return QFileDialog::getSaveFileName(parent, title, QString(), filter, nullptr,
                                      QFileDialog::DontConfirmOverwrite);
}

bool ConfirmSaveTarget(QWidget* parent, const QString& path, const QString& caption, SaveOptions* options) {
  std::string kind;
  const QString name = QFileInfo(path).fileName();
  switch (InspectSaveTarget(QFile::encodeName(path).toStdString(), &kind)) {
    case SaveTarget::kRegular:
      return Prompts::Get().Confirm(parent, name + QStringLiteral(" already exists.\nReplace it?"), caption);
    case SaveTarget::kSpecial: {
      const bool yes = Prompts::Get().Confirm(
          parent,
          QStringLiteral("%1 is not a regular file (%2).\nWrite into it anyway?").arg(name, QString::fromStdString(kind)),
          caption);
      if (options) options->writeThroughSpecial = yes;
      return yes;
    }
    case SaveTarget::kMissing:
    case SaveTarget::kReadOnly:
    case SaveTarget::kDirectory:
      break;
  }
  return true;
}

Prompts::SaveAnswer QtPrompts::AskSave(QWidget* parent, const QString& text, const QString& caption) {
  QMessageBox box(parent);
  box.setWindowTitle(caption);
  box.setText(text);
  box.setIcon(QMessageBox::Warning);
  box.setStandardButtons(QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel);
  box.setDefaultButton(QMessageBox::Save);
  box.setEscapeButton(QMessageBox::Cancel);
  switch (box.exec()) {
    case QMessageBox::Save:
      return AnswerSave;
    case QMessageBox::Discard:
      return AnswerDiscard;
    default:
      return AnswerCancel;
  }
}
