#include <QApplication>
#include <QCommandLineParser>
#include <QElapsedTimer>
#include <QMessageBox>
#include <QTimer>
#include <memory>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "link/SharedMemoryLink.h"

#include "render/DriverMemory.h"
#include "ui/AppWindows.h"
#include "ui/DocumentController.h"
#include "ui/LinkController.h"
#include "ui/UserSettings.h"
#include "ui/WindowMemory.h"
#include "ui/Main.h"

namespace {

struct CommandLine {
  QStringList scenes;
  QString linkName;
  bool linkNameGiven = false;  // else the environment's, or the controller's usual names
  bool link = false;  // the link on from the start
};

// Reads the command line with a core application only, so that --help and
// --version work without a display.
CommandLine ParseCommandLine(int argc, char** argv) {
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
  const QCommandLineOption linkName(
      QStringLiteral("link-name"),
      QStringLiteral("Names of the controller link's shared memory and mutex: NAME (the mutex is then "
                     "NAME_MUTEX) or BLOCK,MUTEX. Default: the TESSALY_LINK_NAME environment variable, "
                     "else SHAREMEM,MUTEX."),
      QStringLiteral("name"));
  parser.addOption(linkName);
  const QCommandLineOption link(
      QStringLiteral("link"),
      QStringLiteral("Switch the controller link on at start, as Tools > Shm Link does (for a controller "
                     "that starts the viewer). If it cannot be opened, the line saying why is printed and "
                     "the viewer runs unlinked."));
  parser.addOption(link);
  parser.process(core);  // --help and --version print and exit here
  return {parser.positionalArguments(), parser.value(linkName), parser.isSet(linkName), parser.isSet(link)};
}

// With TESSALY_HEAP_LOG naming a file, what the allocator holds is appended
// to it every 10 s (scripts/soak reads it beside the resident memory, to
// tell heap that is used from heap that is only kept).
void StartHeapLog(QObject* owner) {
  const char* path = std::getenv("TESSALY_HEAP_LOG");
  HeapUse use;
  if (!path || !*path || !ReadHeapUse(&use)) return;
  std::FILE* f = std::fopen(path, "w");
  if (!f) {
    fprintf(stderr, "tessaly: TESSALY_HEAP_LOG: cannot write %s\n", path);
    return;
  }
  std::fputs("seconds,heap_kib,in_use_kib,free_kib,mapped_kib,top_free_kib\n", f);
  static QElapsedTimer clock;
  clock.start();
  auto* timer = new QTimer(owner);
  QObject::connect(timer, &QTimer::timeout, owner, [f] {
    HeapUse u;
    ReadHeapUse(&u);
    std::fprintf(f, "%lld,%zu,%zu,%zu,%zu,%zu\n", static_cast<long long>(clock.elapsed() / 1000),
                 u.fromSystem >> 10, u.inUse >> 10, u.free >> 10, u.mapped >> 10, u.topFree >> 10);
    std::fflush(f);
  });
  timer->start(10000);
}

}  // namespace

int main(int argc, char** argv) {
  KeepLargeAllocationsInHeap();
  // Over a file size limit a save fails with its message instead of the
  // signal ending the program and the unsaved work with it.
  std::signal(SIGXFSZ, SIG_IGN);
  const CommandLine line = ParseCommandLine(argc, argv);
  const QStringList& args = line.scenes;
  if (args.size() > 1) {
    fputs("tessaly: only one scene can be opened (see --help)\n", stderr);
    return 2;
  }
  // The link's names: the command line's, else the environment's.
  std::string linkBlock = "SHAREMEM", linkMutex = "MUTEX";
  {
    std::string given = line.linkName.toStdString();
    const char* from = "--link-name";
    // An empty --link-name is a bad name like any other; an empty variable
    // is no variable.
    bool named = line.linkNameGiven;
    if (!named && std::getenv("TESSALY_LINK_NAME") && *std::getenv("TESSALY_LINK_NAME")) {
      given = std::getenv("TESSALY_LINK_NAME");
      from = "TESSALY_LINK_NAME";
      named = true;
    }
    std::string why;
    if (named && !ParseLinkName(given, &linkBlock, &linkMutex, &why)) {
      fprintf(stderr, "tessaly: %s: %s\n", from, why.c_str());
      return 2;
    }
  }
  PrepareGlFormat();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaly"));
  QApplication::setApplicationVersion(QStringLiteral(TESSALY_VERSION));

  PrepareAppFont();
  PrepareAppStyle();
  StartHeapLog(&app);
  std::unique_ptr<AppWindows> windows;
  try {
    windows = std::make_unique<AppWindows>();
    TForm1& main = windows->Main();
    main.Link().SetLinkNames(linkBlock, linkMutex);
    if (line.link) main.Link().OpenLinkWhenShown();
    // Closing the main window ends the program, whatever else is open.
    QApplication::setQuitOnLastWindowClosed(false);
    // The windows where they were at the last end, kept again at this one.
    RestoreWindows(*windows, UserSettingsFile());
    AppWindows* kept = windows.get();
    QObject::connect(&main, &TForm1::closed, &app, [kept] { SaveWindows(*kept, UserSettingsFile()); });
    QObject::connect(&main, &TForm1::closed, &app, &QApplication::quit);
    main.show();
    // Once the window is up, so that the questions and the loader's
    // messages have a parent. A recovered scene takes the place of the one
    // named on the command line.
    const QString scene = args.isEmpty() ? QString() : args.first();
    DocumentController& doc = main.Document();
    QTimer::singleShot(0, &main, [scene, &doc] {
      if (!doc.OfferRecovery() && !scene.isEmpty()) doc.OpenSceneFile(scene);
    });
    app.exec();
  } catch (const std::exception& e) {
    QMessageBox::critical(nullptr, QStringLiteral("Tessaly"), QString::fromUtf8(e.what()));
  } catch (...) {
    QMessageBox::critical(nullptr, QStringLiteral("Tessaly"), QStringLiteral("An unexpected error occurred."));
  }
  windows.reset();
  return 0;
}
