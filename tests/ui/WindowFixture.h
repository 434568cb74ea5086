#pragma once

#include <gtest/gtest.h>

#include <QTest>

#include "app/AppWindows.h"
#include "app/GlPanel.h"
#include "app/Main.h"
#include "support/FakePrompts.h"

// Creates the five windows as the program does, shows the main window and
// waits until its GL panel has drawn; destroys them afterwards.
class MainWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    WindowCreationLog().clear();
    CreateAppWindows();
    Form1->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(Form1));
    ASSERT_TRUE(QTest::qWaitFor([] { return Form1->Panel()->contextReady() && Form1->FramesDrawn() > 0; }, 5000));
  }
  void TearDown() override { DestroyAppWindows(); }

  // Lets pending timers and events run for ms milliseconds.
  static void Pump(int ms) { QTest::qWait(ms); }

  FakePrompts prompts;
};
