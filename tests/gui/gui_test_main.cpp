// One off-screen application for every widget test, created before any test runs.
#include <QApplication>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
  // Run without a display unless the caller chose a platform.
  if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  ::testing::InitGoogleTest(&argc, argv);
  QApplication app(argc, argv);
  return RUN_ALL_TESTS();
}
