#include <QApplication>
#include <QCommandLineParser>
#include <QMessageBox>
#include <QTimer>
#include <exception>

#include "ui/AppWindows.h"
#include "ui/Main.h"

namespace {

// Reads the command line with a core application only, so that --help and
// --version work without a display.
QStringList ParseCommandLine(int argc, char** argv) {
  QCoreApplication core(argc, argv);
  QCoreApplication::setApplicationName(QStringLiteral("tessaly"));
  QCoreApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));
  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Tessaly: 3-D viewer and kinematic simulator for wafer-handling robots."));
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addPositionalArgument(QStringLiteral("scene"), QStringLiteral("A *.3dl scene to open at start."),
                               QStringLiteral("[scene.3dl]"));
  parser.process(core);  // --help and --version print and exit here
  return parser.positionalArguments();
}

}  // namespace

int main(int argc, char** argv) {
  const QStringList args = ParseCommandLine(argc, argv);
  if (args.size() > 1) {
    fputs("tessaly: only one scene can be opened (see --help)\n", stderr);
    return 2;
  }
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
    // Once the window is up, so that the questions and the loader's
    // messages have a parent. A recovered scene takes the place of the one
    // named on the command line.
    const QString scene = args.isEmpty() ? QString() : args.first();
    QTimer::singleShot(0, Form1, [scene] {
      if (!Form1->OfferRecovery() && !scene.isEmpty()) Form1->OpenSceneFile(scene);
    });
    app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Tessaly"), QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("Tessaly"), QStringLiteral("An unexpected error occurred."));
  }
  DestroyAppWindows();
  return 0;
}
