#pragma once

#include <QDateTime>
#include <QLabel>
#include <QList>
#include <QObject>
#include <QString>

class QDialog;
class QListWidget;
class QMenu;
class QStatusBar;
class QWidget;

// A label that cuts a text too long for it with "…" instead of cutting it
// off, and shows the whole of it on hover.
class ElidedLabel : public QLabel {
  Q_OBJECT
 public:
  explicit ElidedLabel(QWidget* parent) : QLabel(parent) {}
  void SetFullText(const QString& text, const QString& tip);
  // What the label shows at its present width.
  QString Shown() const;

 protected:
  void paintEvent(QPaintEvent* e) override;
};

// The status bar's fields: the scene file, the selection, the tool point
// and the last message for the operator, and the session's messages
// (View > Messages). Until Build has made the fields, what is shown is
// only logged.
class StatusLine : public QObject {
  Q_OBJECT
 public:
  explicit StatusLine(QWidget* window) : QObject(window), window_(window) {}
  void Build(QStatusBar* bar);
  void AddViewEntries(QMenu* view);

  void ShowStatus(const QString& message);
  QString StatusText() const;
  // "OBJ012 load port (Cube)", "Nothing selected".
  void SetSelection(const QString& text);
  QString Selection() const;
  // The scene's name with its modified mark; the whole path on hover.
  void SetFile(const QString& text, const QString& path);
  void SetToolPoint(const QString& text);

  struct Message {
    QDateTime when;
    QString text;
  };
  // Every message of the session, oldest first.
  const QList<Message>& Messages() const { return messages_; }
  // View > Messages: the list with the time of each.
  void ShowMessages();
  QDialog* messagesDialog() const { return dialog_; }
  ElidedLabel* messageField() const { return message_; }

 private:
  void AddToList(const Message& m);

  QWidget* window_;
  ElidedLabel* file_ = nullptr;
  ElidedLabel* selection_ = nullptr;
  ElidedLabel* tool_ = nullptr;
  ElidedLabel* message_ = nullptr;
  QList<Message> messages_;
  QDialog* dialog_ = nullptr;
  QListWidget* list_ = nullptr;
};
