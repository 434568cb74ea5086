#include "ui/EditController.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QKeySequence>
#include <QMenu>
#include <QMimeData>
#include <memory>

#include "objects/ObjectFile.h"
#include "objects/SceneHistory.h"
#include "ui/DocumentController.h"
#include "ui/FrameDriver.h"
#include "ui/Handler.h"
#include "ui/StatusLine.h"
#include "ui/ViewController.h"

namespace {

QString RecordName(int r) { return QStringLiteral("OBJ%1").arg(r, 3, 10, QLatin1Char('0')); }

QString RecordNames(const std::vector<int>& records) {
  QStringList names;
  for (int r : records) names << RecordName(r);
  return names.join(QStringLiteral(", "));
}

}  // namespace

EditController::EditController(QWidget* window, FrameDriver& frame, StatusLine& status, ViewController& view,
                               DocumentController& document)
    : QObject(window), window_(window), frame_(frame), status_(status), view_(view), document_(document) {
  connect(&view_, &ViewController::selectionChanged, this, [this] { FollowSelection(); });
}

void EditController::AddEditEntries(QMenu* edit) {
  edit->addSeparator();
  struct Entry {
    const char* text;
    const char* name;
    QKeySequence key;
    void (EditController::*run)();
    bool needsSelection;
  };
  const Entry entries[] = {
      {"Cut", "Act_Cut", QKeySequence::Cut, &EditController::Cut, true},
      {"Copy", "Act_Copy", QKeySequence::Copy, &EditController::Copy, true},
      {"Paste", "Act_Paste", QKeySequence::Paste, &EditController::Paste, false},
      {"Duplicate", "Act_Duplicate", QKeySequence(Qt::CTRL | Qt::Key_D), &EditController::Duplicate, true},
      {"Delete", "Act_Delete", QKeySequence::Delete, &EditController::Delete, true},
  };
  for (const Entry& e : entries) {
    QAction* a = edit->addAction(QString::fromLatin1(e.text));
    a->setObjectName(QString::fromLatin1(e.name));
    a->setShortcut(e.key);
    connect(a, &QAction::triggered, this, Guarded(window_, [this, run = e.run] { (this->*run)(); }));
    if (e.needsSelection) needSelection_.push_back(a);
  }
  FollowSelection();
}

void EditController::FollowSelection() {
  const bool any = !view_.Selection().empty();
  for (QAction* a : needSelection_) a->setEnabled(any);
}

QString EditController::RecordsText(const std::vector<int>& records) const {
  std::string text = kObjectFileHeader;
  for (int r : records) text += FormatObjectLine(r, frame_.Objects()[static_cast<size_t>(r)]);
  return QString::fromStdString(text);
}

void EditController::Copy() {
  const std::vector<int>& records = view_.Selection();
  if (records.empty()) return;
  QApplication::clipboard()->setText(RecordsText(records));
  status_.ShowStatus(QStringLiteral("Copied %1").arg(RecordNames(records)));
}

void EditController::Delete() {
  const std::vector<int> records = view_.Selection();
  if (records.empty()) return;
  for (int r : records) frame_.Objects()[static_cast<size_t>(r)].Enbl = false;
  // The step takes the selection with it: a record not drawn is not selected.
  document_.SceneChanged(QStringLiteral("Delete ") + RecordNames(records));
  status_.ShowStatus(QStringLiteral("Deleted %1").arg(RecordNames(records)));
  frame_.RequestRedraw();
}

void EditController::Cut() {
  const std::vector<int> records = view_.Selection();
  if (records.empty()) return;
  QApplication::clipboard()->setText(RecordsText(records));
  for (int r : records) frame_.Objects()[static_cast<size_t>(r)].Enbl = false;
  document_.SceneChanged(QStringLiteral("Cut ") + RecordNames(records));
  status_.ShowStatus(QStringLiteral("Cut %1").arg(RecordNames(records)));
  frame_.RequestRedraw();
}

std::vector<int> EditController::PlaceRecords(const QString& text, QString* why) {
  // Read as a scene of its own: the records it holds are those that differ
  // from a table of defaults.
  const QByteArray bytes = text.toUtf8();
  auto read = std::make_unique<ObjectTable>();
  auto blank = std::make_unique<ObjectTable>();
  InitializeRecords(read->data(), kObjectCapacity);
  InitializeRecords(blank->data(), kObjectCapacity);
  QString firstMessage;
  bool refused = false;
  const int n = ReadObjects(
      bytes.constData(), static_cast<size_t>(bytes.size()), read->data(), kObjectCapacity, frame_.Textures(),
      [&firstMessage](const std::string& m) {
        if (firstMessage.isEmpty()) firstMessage = QString::fromStdString(m);
      },
      &refused);
  std::vector<int> from;
  for (int i = 0; i < kObjectCapacity; ++i)
    if (!SameRecord((*read)[static_cast<size_t>(i)], (*blank)[static_cast<size_t>(i)])) from.push_back(i);
  if (refused || from.empty()) {
    *why = QStringLiteral("the clipboard holds no objects");
    return {};
  }
  if (n <= 0 || !firstMessage.isEmpty()) {
    *why = QStringLiteral("the clipboard's objects cannot be read: ") + firstMessage;
    return {};
  }
  // The first free records, in order.
  ObjectTable& table = frame_.Objects();
  std::vector<int> to;
  for (int i = 0; i < kObjectCapacity && to.size() < from.size(); ++i)
    if (!table[static_cast<size_t>(i)].Enbl) to.push_back(i);
  if (to.size() < from.size()) {
    *why = QStringLiteral("%1 objects need %1 free records; only %2 are free").arg(from.size()).arg(to.size());
    return {};
  }
  for (size_t k = 0; k < from.size(); ++k) {
    SceneObject rec = (*read)[static_cast<size_t>(from[k])];
    rec.Enbl = true;
    table[static_cast<size_t>(to[k])] = rec;
  }
  return to;
}

void EditController::Placed(const std::vector<int>& records, const QString& verb) {
  document_.SceneChanged(verb + QLatin1Char(' ') + RecordNames(records));
  view_.SetSelection(records, records.back());
  frame_.RequestRedraw();
}

void EditController::Paste() {
  QString why;
  const std::vector<int> placed = PlaceRecords(QApplication::clipboard()->text(), &why);
  if (placed.empty()) {
    status_.ShowStatus(QStringLiteral("Nothing pasted: ") + why);
    return;
  }
  Placed(placed, QStringLiteral("Paste"));
  status_.ShowStatus(QStringLiteral("Pasted %1 objects into %2").arg(placed.size()).arg(RecordNames(placed)));
}

void EditController::Duplicate() {
  const std::vector<int> records = view_.Selection();
  if (records.empty()) return;
  QString why;
  const std::vector<int> placed = PlaceRecords(RecordsText(records), &why);
  if (placed.empty()) {
    status_.ShowStatus(QStringLiteral("Nothing duplicated: ") + why);
    return;
  }
  Placed(placed, QStringLiteral("Duplicate"));
  status_.ShowStatus(QStringLiteral("Duplicated %1 as %2, in the same place").arg(RecordNames(records), RecordNames(placed)));
}
