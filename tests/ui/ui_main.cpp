#include <gtest/gtest.h>

#include <QApplication>

#include "ui/AppWindows.h"

// QApplication needs a display; listing the tests must work without one.
int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  if (::testing::GTEST_FLAG(list_tests)) return RUN_ALL_TESTS();
  PrepareGlFormat();
  QApplication app(argc, argv);
  QApplication::setApplicationName(QStringLiteral("Tessaly"));
  PrepareAppFont();
  return RUN_ALL_TESTS();
}
