// Test entry point: a QApplication on the offscreen platform, so window
// tests use real widgets without a display.
#include <gtest/gtest.h>

#include <QApplication>
#include <csignal>
#include <cstdlib>

#include "link/devices.h"

int main(int argc, char** argv) {
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  std::signal(SIGPIPE, SIG_IGN);
  // No test may reach a real port: every name points nowhere until a test
  // maps it to a pseudo-terminal or a file of its own.
  for (const char* name : {"LPT1", "LPT2", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"})
    Devices().Set(name, std::string("/nonexistent/printset-test/") + name);
  QApplication app(argc, argv);
  ::testing::InitGoogleTest(&argc, argv);
  return RUN_ALL_TESTS();
}
