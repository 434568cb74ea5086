#pragma once

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QImage>
#include <QPainter>
#include <QTest>
#include <QWidget>
#include <string>
#include <unistd.h>

#include "link/SharedMemoryLink.h"

#include "ui/AppWindows.h"
#include "ui/AppearanceController.h"
#include "ui/ArmController.h"
#include "ui/Controls.h"
#include "ui/DocumentController.h"
#include "ui/FrameDriver.h"
#include "ui/GlPanel.h"
#include "ui/InterferenceController.h"
#include "ui/LinkController.h"
#include "ui/Main.h"
#include "ui/ModelsController.h"
#include "ui/RobotsController.h"
#include "ui/StatusLine.h"
#include "ui/ViewController.h"
#include "FakePrompts.h"
#include "support/Images.h"

// Creates the five windows as the program does, shows the main window and
// waits until its GL panel has drawn; destroys them afterwards.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { MakeWindows(ShapeList()); }
  void TearDown() override {
    app.reset();
    SharedMemoryLink::Unlink(LinkBlock(), LinkMutex());
  }

  // The shape list the object windows read ("" for the one beside the
  // program, which a test build does not have).
  virtual QString ShapeList() const { return QString(); }

  // The windows as the program makes them, the main one shown and drawn.
  void MakeWindows(const QString& shapeList = QString()) {
    app = std::make_unique<AppWindows>(shapeList);
    // The link of a test run never touches a real controller's objects.
    Link().SetLinkNames(LinkBlock(), LinkMutex());
    Win()->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Win()));
    ASSERT_TRUE(QTest::qWaitFor([] { return Frame().Panel()->contextReady() && Frame().FramesDrawn() > 0; }, 5000));
  }

  // The main window, its controllers and its controls by name.
  static TForm1* Win() { return &app->Main(); }
  static FrameDriver& Frame() { return Win()->Frame(); }
  static StatusLine& Status() { return Win()->Status(); }
  static AppearanceController& Appearance() { return Win()->Appearance(); }
  static ViewController& View() { return Win()->View(); }
  static ArmController& Arm() { return Win()->Arm(); }
  static RobotsController& Robots() { return Win()->Robots(); }
  static InterferenceController& Checks() { return Win()->Checks(); }
  static LinkController& Link() { return Win()->Link(); }
  static ModelsController& Models() { return Win()->Models(); }
  static DocumentController& Doc() { return Win()->Document(); }
  template <class T>
  static T* Named(const char* name) {
    T* w = Win()->findChild<T*>(QString::fromLatin1(name));
    EXPECT_NE(w, nullptr) << name;
    return w;
  }

  static std::string LinkBlock() { return "TESSALY_UI_SHM_" + std::to_string(getpid()); }
  static std::string LinkMutex() { return "TESSALY_UI_MUTEX_" + std::to_string(getpid()); }

  // Lets pending timers and events run for ms milliseconds.
  static void Pump(int ms) { QTest::qWait(ms); }

  // A 4 cm box as record 12, "load port", at scene point (x, y, z), as an
  // edit of the scene, and the frame drawn.
  static void PlaceBox(float x, float y, float z) {
    SceneObject& box = Frame().Objects()[12];
    box.Enbl = true;
    box.Shp = ShapeKind::Cube;
    box.X = x;
    box.Y = y;
    box.Z = z;
    box.W = box.D = box.H = 0.04f;
    box.Fill = true;
    box.clFill = 0x40A0E0;
    box.Name = "load port";
    Doc().SceneChanged(QStringLiteral("Edit"));
    Frame().DrawFrame();
  }

  // Writes what the widget shows (GL panel included) as a PNG artefact and
  // returns the path.
  static std::string Shot(QWidget* w, const std::string& fileName) {
    QImage shot = w->grab().toImage().convertToFormat(QImage::Format_RGBA8888);
    // A widget grab leaves GL panels empty; their own framebuffers go on top.
    {
      QPainter p(&shot);
      for (GlPanel* gl : w->findChildren<GlPanel*>())
        if (gl->isVisible() && gl->contextReady())
          p.drawImage(gl->mapTo(w, QPoint(0, 0)), gl->grabFramebuffer());
    }
    const QImage& rgba = shot;
    TestImage img;
    img.width = rgba.width();
    img.height = rgba.height();
    img.rgba.resize(static_cast<size_t>(img.width) * img.height * 4);
    for (int y = 0; y < img.height; ++y)
      std::copy(rgba.constScanLine(y), rgba.constScanLine(y) + img.width * 4,
                img.rgba.begin() + static_cast<long>(y) * img.width * 4);
    return WriteArtifact(img, fileName);
  }

  // Clicks a check box on its indicator (a box wider than its caption does
  // not react to clicks beside the caption).
  static void Click(QCheckBox* c) {
    QTest::mouseClick(c, Qt::LeftButton, Qt::NoModifier, QPoint(8, c->height() / 2));
  }

  // Opens the bottom panel the laid-out way: double-click the empty label,
  // then tick "Show Detail".
  static void OpenDetail() {
    QTest::mouseDClick(Named<ValueLabel>("Lbl_DEBUG"), Qt::LeftButton);
    Click(Named<QCheckBox>("Chk_ShowDetail"));
    Pump(100);
  }

  FakePrompts prompts;
  static inline std::unique_ptr<AppWindows> app;
};
