#pragma once

#include <QObject>
#include <QString>

class QLabel;
class QStatusBar;

// The status bar's fields: the scene file, the selection, the tool point
// and the last message for the operator. Until Build has made the fields,
// what is shown is dropped.
class StatusLine : public QObject {
  Q_OBJECT
 public:
  explicit StatusLine(QObject* parent) : QObject(parent) {}
  void Build(QStatusBar* bar);

  void ShowStatus(const QString& message);
  QString StatusText() const;
  // "OBJ012 load port (Cube)", "Nothing selected".
  void SetSelection(const QString& text);
  QString Selection() const;
  // The scene's name with its modified mark; the whole path on hover.
  void SetFile(const QString& text, const QString& path);
  void SetToolPoint(const QString& text);

 private:
  QLabel* file_ = nullptr;
  QLabel* selection_ = nullptr;
  QLabel* tool_ = nullptr;
  QLabel* message_ = nullptr;
};
