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
#include "ui/Controls.h"
#include "ui/GlPanel.h"
#include "ui/Main.h"
#include "FakePrompts.h"
#include "support/Images.h"

// Creates the five windows as the program does, shows the main window and
// waits until its GL panel has drawn; destroys them afterwards.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowCreationLog().clear();
    CreateAppWindows();
    // The link of a test run never touches a real controller's objects.
    Form1->SetLinkNames(LinkBlock(), LinkMutex());
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    ASSERT_TRUE(
        QTest::qWaitFor([] { return Form1->Panel()->contextReady() && Form1->FramesDrawn() > 0; }, 5000));
  }
  void TearDown() override {
    DestroyAppWindows();
    SharedMemoryLink::Unlink(LinkBlock(), LinkMutex());
  }

  static std::string LinkBlock() { return "TESSALY_UI_SHM_" + std::to_string(getpid()); }
  static std::string LinkMutex() { return "TESSALY_UI_MUTEX_" + std::to_string(getpid()); }

  // Lets pending timers and events run for ms milliseconds.
  static void Pump(int ms) { QTest::qWait(ms); }

  // A 4 cm box as record 12, "load port", at scene point (x, y, z), as an
  // edit of the scene, and the frame drawn.
  static void PlaceBox(float x, float y, float z) {
    SceneObject& box = Form1->Objects()[12];
    box.Enbl = true;
    box.Shp = ShapeKind::Cube;
    box.X = x;
    box.Y = y;
    box.Z = z;
    box.W = box.D = box.H = 0.04f;
    box.Fill = true;
    box.clFill = 0x40A0E0;
    box.Name = "load port";
    Form1->SceneChanged(QStringLiteral("Edit"));
    Form1->DrawFrame();
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
    QTest::mouseDClick(Form1->Lbl_DEBUG, Qt::LeftButton);
    Click(Form1->Chk_ShowDetail);
    Pump(100);
  }

  FakePrompts prompts;
};
