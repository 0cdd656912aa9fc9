#pragma once
// The real windows with LPT1 on a file of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLocale>
#include <filesystem>
#include <fstream>
#include <string>

#include "app/application.h"
#include "link/devices.h"
#include "tests/support/files.h"
#include "tests/support/recording_dialogs.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

namespace demotest {
namespace fs = std::filesystem;

constexpr int kLPT1 = 0, kCOM1 = 2, kCOM3 = 4, kCOM8 = 9, kEthernet = 10;
constexpr int k9600 = 2;

inline void WriteFile(const fs::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary | std::ios::trunc) << bytes;
}

// A decimal as the user types it, with the regional separator.
inline QString Decimal(const char* dotted) {
  QString text = QString::fromUtf8(dotted);
  return text.replace(QLatin1Char('.'), QLocale::system().decimalPoint());
}

class DemoWindowTest : public ::testing::Test {
 protected:
  void SetUp() override { w.Form1->dk->SetItemIndex(kLPT1); }
  void TearDown() override {
    for (const char* name : {"LPT2", "COM1", "COM3", "COM8"})
      Devices().Set(name, std::string("/nonexistent/printset-test/") + name);
  }
  // What the last parallel send wrote (each send empties the file first).
  std::string Sent() const { return ReadFile(lpt1_); }
  // Only ever an address of this machine, on a port the test opened.
  void UseListener(int port) {
    w.Form1->IPE->SetIPString("127.0.0.1");
    Devices().SetNetPort(port);
    w.Form1->dk->SetItemIndex(kEthernet);
  }

  RecordingDialogs boxes;
  Windows w;
  TempDir temp_{"printset-demos"};
  MappedPort lpt1Port_{"LPT1", temp_.Path() / "lpt1"};
  const fs::path& dir_ = temp_.Path();
  const fs::path& lpt1_ = lpt1Port_.Path();
};
}  // namespace demotest
