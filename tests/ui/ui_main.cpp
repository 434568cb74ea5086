#include <gtest/gtest.h>

#include <QApplication>
#include <QStandardPaths>

#include "ui/AppWindows.h"

// The child process of the recovery test (DocumentTest.cpp).
int RunRecoveryChild(const QString& folder);

// QApplication needs a display; listing the tests must work without one.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  PrepareGlFormat();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaly"));
  PrepareAppFont();
  PrepareAppStyle();
  // Recent files and recovery copies stay out of the user's own folders.
  QStandardPaths::setTestModeEnabled(true);
  const QString recoveryChild = qEnvironmentVariable("TESSALY_TEST_RECOVERY_CHILD");
  if (!recoveryChild.isEmpty()) return RunRecoveryChild(recoveryChild);
  return RUN_ALL_TESTS();
}
