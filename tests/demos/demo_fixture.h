#pragma once
// The real windows with LPT1 on a file of the test's own.
#include <gtest/gtest.h>
#include <unistd.h>

#include <QLocale>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "app/application.h"
#include "link/devices.h"
#include "tests/support/recording_dialogs.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

namespace demotest {
namespace fs = std::filesystem;

constexpr int kLPT1 = 0, kCOM1 = 2, kCOM3 = 4, kCOM8 = 9, kEthernet = 10;
constexpr int k9600 = 2;

inline std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream s;
  s << in.rdbuf();
  return s.str();
}

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
  void SetUp() override {
    dir_ = fs::temp_directory_path() / ("printset-demos-" + std::to_string(getpid()));
    fs::create_directories(dir_);
    lpt1_ = dir_ / "lpt1";
    WriteFile(lpt1_, "");
    Devices().Set("LPT1", lpt1_.string());
    w.Form1->dk->SetItemIndex(kLPT1);
  }
  void TearDown() override {
    for (const char* name : {"LPT1", "LPT2", "COM1", "COM3", "COM8"})
      Devices().Set(name, std::string("/nonexistent/printset-test/") + name);
    fs::remove_all(dir_);
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
  fs::path dir_, lpt1_;
};
}  // namespace demotest
