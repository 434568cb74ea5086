#pragma once

#include <QObject>
#include <QString>

class ArmController;
class FrameDriver;
class QDialog;
class QMenuBar;
class QWidget;

// The Help menu: User Guide (F1) shows the guide inside the program, Keys
// and Mouse lists every binding (the menus' keys as they are set, the
// joint keys and the drag modes), About names the version, the Qt and
// OpenGL in use, the renderer and the libraries with their licences.
class HelpController : public QObject {
  Q_OBJECT
 public:
  HelpController(QWidget* window, FrameDriver& frame);

  void AddHelpMenu(QMenuBar* bar);
  void ShowGuide();
  void ShowKeys();
  void ShowAbout();

  // The texts the windows show (tests and the windows alike).
  QString KeysText(const QMenuBar* bar) const;
  QString AboutText() const;

  QDialog* guide() const { return guide_; }
  QDialog* keys() const { return keys_; }
  QDialog* about() const { return about_; }

 private:
  QDialog* MakeWindow(const char* name, const QString& title, QWidget* content, QSize size);

  QWidget* window_;
  FrameDriver& frame_;
  QMenuBar* bar_ = nullptr;
  QDialog* guide_ = nullptr;
  QDialog* keys_ = nullptr;
  QDialog* about_ = nullptr;
};
