#include <QApplication>
#include <QMessageBox>
#include <exception>

#include "app/AppWindows.h"
#include "app/Main.h"

int main(int argc, char** argv) {
  PrepareGlFormat();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaly"));
  QApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
  PrepareAppFont();
  try {
    CreateAppWindows();
    // Closing the main window ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);
    QObject::connect(Form1, &TForm1::closed, &app, &QApplication::quit);
    Form1->show();
    app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Tessaly"), QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("Tessaly"),
                          QStringLiteral("An unexpected error occurred."));
  }
  DestroyAppWindows();
  return 0;
}
