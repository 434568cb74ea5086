#include "ui/WindowMemory.h"

#include <QCheckBox>
#include <QDockWidget>
#include <QSettings>
#include <QTimer>

#include "ui/AppWindows.h"
#include "ui/ArmController.h"
#include "ui/Coordmon.h"
#include "ui/Main.h"
#include "ui/Objectlist.h"
#include "ui/Objectsetting.h"
#include "ui/ViewController.h"
#include "ui/WindowPlacement.h"

namespace {

struct Kept {
  const char* key;
  QWidget* (*window)(const AppWindows&);
  bool reopens;  // shown again at start when it was open at the end
};

const Kept kKept[] = {
    {"ObjectList", [](const AppWindows& w) -> QWidget* { return w.ObjectList(); }, true},
    {"XYZMonitor", [](const AppWindows& w) -> QWidget* { return w.Monitor(); }, true},
    {"ObjectSettings", [](const AppWindows& w) -> QWidget* { return w.ObjectSettings(); }, false},
};

}  // namespace

void SaveWindows(const AppWindows& windows, const QString& settingsFile) {
  QSettings s(settingsFile, QSettings::IniFormat);
  TForm1& main = windows.Main();
  s.beginGroup(QStringLiteral("Windows"));
  s.setValue(QStringLiteral("MainDetail"), main.Chk_ShowDetail->isChecked());
  s.setValue(QStringLiteral("MainGeometry"), main.saveGeometry());
  s.setValue(QStringLiteral("MainState"), main.saveState());
  for (const Kept& k : kKept) {
    QWidget* w = k.window(windows);
    if (!w) continue;
    // A window never opened has no place of its own yet.
    if (!w->property("tessalyPlaced").toBool() && !w->isVisible()) continue;
    s.setValue(QString::fromLatin1(k.key) + QStringLiteral("Geometry"), w->saveGeometry());
    s.setValue(QString::fromLatin1(k.key) + QStringLiteral("Open"), w->isVisible());
  }
  s.endGroup();
}

void RestoreWindows(AppWindows& windows, const QString& settingsFile) {
  QSettings s(settingsFile, QSettings::IniFormat);
  TForm1& main = windows.Main();
  s.beginGroup(QStringLiteral("Windows"));
  if (s.value(QStringLiteral("MainDetail")).toBool()) {
    main.Chk_ShowDetail->setVisible(true);
    main.Chk_ShowDetail->setChecked(true);
  }
  // The size after the first show has set the bottom panel as laid out.
  main.RestoreGeometryAtShow(s.value(QStringLiteral("MainGeometry")).toByteArray());
  const QByteArray state = s.value(QStringLiteral("MainState")).toByteArray();
  if (!state.isEmpty()) main.restoreState(state);
  for (QDockWidget* d : main.findChildren<QDockWidget*>())
    if (d->isFloating()) KeepOnScreen(d);
  for (const Kept& k : kKept) {
    QWidget* w = k.window(windows);
    const QByteArray g = s.value(QString::fromLatin1(k.key) + QStringLiteral("Geometry")).toByteArray();
    if (!w || g.isEmpty() || !w->restoreGeometry(g)) continue;
    // Where the user left it, not beside the main window again.
    w->setProperty("tessalyPlaced", true);
    KeepOnScreen(w);
    if (!k.reopens || !s.value(QString::fromLatin1(k.key) + QStringLiteral("Open")).toBool()) continue;
    // Opened as the menu would, once the main window shows.
    TForm1* m = &main;
    const bool list = w == windows.ObjectList();
    QTimer::singleShot(0, m, [m, list] {
      if (list)
        m->View().Btn_ObjListClick();
      else
        m->Arm().Btn_XYZGraphClick();
    });
  }
  s.endGroup();
}
