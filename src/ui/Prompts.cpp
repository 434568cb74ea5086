#include "ui/Prompts.h"

#include <QApplication>
#include <QFile>
#include <QFileInfo>
#include <QColorDialog>
#include <QFileDialog>
#include <QIcon>
#include <QIdentityProxyModel>
#include <QImage>
#include <QMessageBox>
#include <QPixmap>

#include <memory>
#include <utility>

#include "objects/FileAccess.h"

namespace {
Prompts* g_installed = nullptr;

// The file model answers the header's question for its first column's
// picture (room for the file icons) with a new blank image each time the
// header is painted, and Qt's pixmap cache kept an entry for every one.
// Every dialog's header gets one kept icon instead (freed with the
// application).
QIcon KeptHeaderIcon(const QImage& image) {
  static QIcon* kept = nullptr;
  if (kept && kept->availableSizes().value(0) == image.size()) return *kept;
  if (!kept) qAddPostRoutine([] { delete std::exchange(kept, nullptr); });
  delete kept;
  kept = new QIcon(QPixmap::fromImage(image));
  return *kept;
}

class KeptHeaderIconModel : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
    QVariant v = QIdentityProxyModel::headerData(section, orientation, role);
    if (role != Qt::DecorationRole || v.typeId() != QMetaType::QImage) return v;
    return KeptHeaderIcon(v.value<QImage>());
  }
};

}  // namespace

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

QFileDialog* NewFileDialog(QWidget* parent, const QString& title, const QString& filter, bool save) {
  auto* dialog = new QFileDialog(parent, title, QString(), filter);
  dialog->setProxyModel(new KeptHeaderIconModel(dialog));
  if (save) {
    dialog->setAcceptMode(QFileDialog::AcceptSave);
    dialog->setFileMode(QFileDialog::AnyFile);
    dialog->setOption(QFileDialog::DontConfirmOverwrite);
  } else {
    dialog->setFileMode(QFileDialog::ExistingFile);
  }
  return dialog;
}

namespace {

QString AskFileName(QWidget* parent, const QString& title, const QString& filter, bool save) {
  const std::unique_ptr<QFileDialog> dialog(NewFileDialog(parent, title, filter, save));
  if (dialog->exec() != QDialog::Accepted) return QString();
  return dialog->selectedFiles().value(0);
}

}  // namespace

QString QtPrompts::OpenFile(QWidget* parent, const QString& title, const QString& filter) {
  return AskFileName(parent, title, filter, false);
}

QString QtPrompts::SaveFile(QWidget* parent, const QString& title, const QString& filter) {
  return AskFileName(parent, title, filter, true);
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
