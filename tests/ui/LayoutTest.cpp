#include <QDockWidget>

#include "ui/WindowFixture.h"

TEST_F(MainWindowTest, ScreenshotsOfDetailAndPanels) {
  OpenDetail();
  Shot(Form1, "main-window-detail.png");
  for (const char* caption : {"Robot", "Text Draw", "Fog Setting", "Control Box", "Equipment", "OHT System",
                              "Unuse Item", "For V/A Robot Test", "Other Controls"}) {
    QDockWidget* d = Form1->PanelDock(QString::fromUtf8(caption));
    ASSERT_NE(d, nullptr) << caption;
    d->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(d));
    Pump(50);
    std::string name = std::string("panel-") + caption + ".png";
    for (char& c : name)
      if (c == ' ' || c == '/') c = '_';
    Shot(d, name);
    d->hide();
  }
}
