// The status window against a printer played on a real pseudo-terminal.
#include <poll.h>
#include <unistd.h>

#include <QImage>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

#include "core/bytes.h"
#include "demos/status.h"
#include "tests/demos/demo_fixture.h"
#include "tests/support/pty_pair.h"
#include "tests/support/simulated_printer.h"
#include "tests/support/tcp_listener.h"

using namespace demotest;
using namespace std::chrono_literals;

namespace {
const char* const kDleEot1 = "10 04 01";
const char* const kEscV = "1B 76";
const QColor kGreen(0, 128, 0), kYellow(255, 255, 0), kRed(255, 0, 0);

class Form2Test : public DemoWindowTest {
 protected:
  void SetUp() override {
    DemoWindowTest::SetUp();
    w.Form1->sd->SetItemIndex(k9600);
    f().show();
  }
  TForm2& f() { return *w.Form2; }
  void Map(int portIndex, const SimulatedPrinter& printer) {
    const std::string name = "COM" + std::to_string(portIndex - 1);
    Devices().Set(name, printer.SlavePath());
    w.Form1->dk->SetItemIndex(portIndex);
  }
  QColor LabelColour() { return f().Label2->palette().color(QPalette::WindowText); }
  QColor LampColour() { return f().grab().toImage().pixelColor(110, 125); }
};

TEST_F(Form2Test, VerdictsFollowTheMaskedBitOfFiveReplies) {
  struct Case {
    const char* name;
    int family;
    int port;
    const char* query;
    Answers answers;
    const char* verdict;
    QColor colour;
  } cases[] = {
      {"0x12 five times", 2, kCOM3, kDleEot1, Always(0x12), "打印机 联机.", kGreen},
      {"0x1A five times", 0, kCOM1, kDleEot1, Always(0x1A), "打印机 脱机!", kYellow},
      {"0x1A four times, then 0x12", 2, kCOM3, kDleEot1,
       [](int n) { return std::optional<char>(n < 4 ? 0x1A : 0x12); }, "未检测到 打印机!", kRed},
      {"three replies only", 1, kCOM8, kDleEot1, Always(0x12, 3), "未检测到 打印机!", kRed},
      {"silent", 2, kCOM3, kDleEot1, Always(0x12, 0), "未检测到 打印机!", kRed},
      {"ESC v, 0x04 five times", 3, kCOM3, kEscV, Always(0x04), "打印机 脱机!", kYellow},
      {"ESC v, 0x08 five times", 3, kCOM8, kEscV, Always(0x08), "打印机 联机.", kGreen},
  };
  for (auto& c : cases) {
    SCOPED_TRACE(c.name);
    SimulatedPrinter printer(c.family == 3 ? 2 : 3, c.answers);
    Map(c.port, printer);
    f().RadioGroup1Items[c.family]->click();
    f().Button2->click();
    ASSERT_TRUE(boxes.errors.empty()) << boxes.errors.front();
    EXPECT_EQ(f().Label2->text().toStdString(), c.verdict);
    EXPECT_EQ(LabelColour(), c.colour);
    EXPECT_EQ(LampColour(), c.colour);
    const std::string q = c.query;
    EXPECT_EQ(HexDump(printer.Received()), q + " " + q + " " + q + " " + q + " " + q);
    EXPECT_EQ(HexDump(w.Form1->Link().buffer), c.query);
    EXPECT_FALSE(w.Form1->cp.Connected());
    EXPECT_EQ(w.Form1->cp.BaudRate(), 9600);
  }
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(Form2Test, OnlySerialPortsAreChecked) {
  TcpListener network;  // nothing may reach it
  w.Form1->IPE->SetIPString("127.0.0.1");
  Devices().SetNetPort(network.Port());
  f().RadioGroup1Items[3]->click();
  for (int index : {kLPT1, 1, kEthernet}) {
    w.Form1->dk->SetItemIndex(index);
    f().Button2->click();
  }
  w.Form1->dk->TypeText("COM3");
  f().Button2->click();
  EXPECT_EQ(boxes.messages, std::vector<std::string>(4, kSelectSerialPort));
  EXPECT_TRUE(boxes.errors.empty());
  EXPECT_EQ(f().Label2->text(), "");
  EXPECT_FALSE(network.WaitForClosed(1, 100ms));
  EXPECT_EQ(Sent(), "");
  // The query is placed before the port is looked at, and stays.
  EXPECT_EQ(HexDump(w.Form1->Link().buffer), kEscV);
}

TEST_F(Form2Test, EachCheckAsksAfreshAndAUsersAaBinSurvives) {
  struct WorkingDirectory {
    fs::path before = fs::current_path();
    ~WorkingDirectory() { fs::current_path(before); }
  } restore;
  fs::current_path(dir_);
  WriteFile("aa.bin", "the user's own file");
  // Answers the first check's five queries, then falls silent.
  SimulatedPrinter printer(3, Always(0x12, 5));
  Map(kCOM3, printer);
  f().Button2->click();
  EXPECT_EQ(f().Label2->text().toStdString(), "打印机 联机.");
  EXPECT_EQ(printer.Received().size(), 15u);
  f().Button2->click();
  EXPECT_EQ(f().Label2->text().toStdString(), "未检测到 打印机!");
  EXPECT_EQ(printer.Received().size(), 30u);
  EXPECT_EQ(ReadFile("aa.bin"), "the user's own file");
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(dir_)) files.push_back(entry.path().filename().string());
  std::sort(files.begin(), files.end());
  EXPECT_EQ(files, (std::vector<std::string>{"aa.bin", "lpt1"}));
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}

TEST_F(Form2Test, APortThatWillNotOpenEndsTheCheckWithoutAVerdict) {
  SimulatedPrinter printer(3, Always(0x12));
  Map(kCOM3, printer);
  f().Button2->click();
  ASSERT_EQ(f().Label2->text().toStdString(), "打印机 联机.");
  Devices().Set("COM3", (dir_ / "no-such-port").string());
  f().Button2->click();
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_EQ(boxes.errors[0].rfind("Unable to open com port (win error code: ", 0), 0u) << boxes.errors[0];
  EXPECT_EQ(f().Label2->text().toStdString(), "打印机 联机.");
  EXPECT_FALSE(w.Form1->cp.Connected());
}

TEST_F(Form2Test, TheLampGoesWithTheNextShowingWhileTheVerdictStays) {
  SimulatedPrinter printer(3, Always(0x1A));
  Map(kCOM3, printer);
  f().Button2->click();
  ASSERT_EQ(LampColour(), kYellow);
  f().Button1->click();
  EXPECT_FALSE(f().isVisible());
  f().show();
  EXPECT_NE(LampColour(), kYellow);
  EXPECT_EQ(f().Label2->text().toStdString(), "打印机 脱机!");
  EXPECT_EQ(LabelColour(), kYellow);
  EXPECT_EQ(f().RadioGroup1Index(), 2);
}

TEST_F(Form2Test, OpensFromTheMainWindowsStatusButton) {
  f().hide();
  w.Form1->CheckBox7->click();
  w.Form1->Button3->click();
  ASSERT_TRUE(f().isVisible());
  SimulatedPrinter printer(2, Always(0x0C));
  Map(kCOM3, printer);
  f().RadioGroup1Items[3]->click();
  f().Button2->click();
  EXPECT_EQ(f().Label2->text().toStdString(), "打印机 脱机!");
  EXPECT_EQ(LampColour(), kYellow);
  EXPECT_EQ(HexDump(printer.Received()), "1B 76 1B 76 1B 76 1B 76 1B 76");
}
}  // namespace
