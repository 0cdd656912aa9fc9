// printset --script run as a separate process against a pseudo-terminal, a
// TCP listener on 127.0.0.1 and a file mapped as LPT1, compared with what
// the same clicks send through the windows in this process.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QCheckBox>
#include <QPushButton>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>

#include "app/application.h"
#include "core/bytes.h"
#include "link/devices.h"
#include "tests/support/files.h"
#include "tests/support/pty_pair.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/simulated_printer.h"
#include "tests/support/tcp_listener.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

extern char** environ;

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {
struct ScriptRun {
  int exitCode = -1;
  std::string out, err;
};

class ScriptTest : public ::testing::Test {
 protected:
  // Runs printset --script with the script text; env entries are NAME=VALUE.
  ScriptRun RunScript(const std::string& script, std::vector<std::string> env = {}, bool scriptFile = true) {
    const fs::path scriptPath = dir_ / "script.txt", outPath = dir_ / "out.txt", errPath = dir_ / "err.txt";
    if (scriptFile) std::ofstream(scriptPath, std::ios::binary) << script;
    // The child reaches nothing real: every port points at the test's own
    // files unless the case maps one.
    // The case's own entries come first: the first of a name is the one read.
    std::vector<std::string> vars = env;
    vars.push_back("PRINTSET_LPT1=" + lpt1_.string());
    vars.push_back("QT_QPA_PLATFORM=offscreen");
    for (const char* name : {"LPT2", "COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8"})
      vars.push_back(std::string("PRINTSET_") + name + "=/nonexistent/printset-test/" + name);
    for (char** e = environ; *e; ++e)
      if (std::string(*e).rfind("PRINTSET_", 0) != 0) vars.push_back(*e);
    std::vector<char*> envp;
    for (auto& v : vars) envp.push_back(v.data());
    envp.push_back(nullptr);

    std::string scriptArg = scriptFile ? scriptPath.string() : (dir_ / "missing.txt").string();
    std::string binary = PRINTSET_BINARY, flag = "--script";
    char* argv[] = {binary.data(), flag.data(), scriptArg.data(), nullptr};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, 0, "/dev/null", O_RDONLY, 0);
    posix_spawn_file_actions_addopen(&actions, 1, outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    posix_spawn_file_actions_addopen(&actions, 2, errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    pid_t pid;
    ScriptRun run;
    if (posix_spawn(&pid, argv[0], &actions, nullptr, argv, envp.data()) != 0) return run;
    posix_spawn_file_actions_destroy(&actions);
    int status = 0;
    waitpid(pid, &status, 0);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    run.out = ReadFile(outPath);
    run.err = ReadFile(errPath);
    return run;
  }

  // What the same clicks send through the windows here, onto LPT1.
  std::string Clicked(const std::function<void(Windows&)>& clicks) {
    RecordingDialogs boxes;
    Windows w;
    std::ofstream(lpt1_, std::ios::trunc).flush();
    clicks(w);
    EXPECT_TRUE(boxes.errors.empty());
    return ReadFile(lpt1_);
  }

  TempDir temp_{"printset-script"};
  MappedPort lpt1Port_{"LPT1", temp_.Path() / "lpt1"};
  const fs::path& dir_ = temp_.Path();
  const fs::path& lpt1_ = lpt1Port_.Path();
};

QPushButton* Button(QWidget* window, const char* name) { return window->findChild<QPushButton*>(name); }
}  // namespace

TEST_F(ScriptTest, PrintSpeedOnCOM3At9600LikeTheClick) {
  PtyPair printer;
  const ScriptRun run = RunScript(
      "# 300 mm/s on COM3 at 9600\n"
      "select Form1.dk COM3\n"
      "select Form1.sd 9600\n"
      "select Form1.Autocb 300mm/s\n"
      "\n"
      "click Form1.Button6\n",
      {"PRINTSET_COM3=" + printer.SlavePath()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "");
  const std::string clicked = Clicked([](Windows& w) {
    w.Form1->Autocb->PickItem(1);
    w.Form1->Button6->click();
  });
  EXPECT_EQ(HexDump(printer.Read(2000ms, clicked.size())), HexDump(clicked));
  const termios t = printer.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B9600);
}

TEST_F(ScriptTest, ParameterCommandAndMechanismTestOnLPT1) {
  ScriptRun run = RunScript("tick Form1.CheckBox1\nselect Form1.dc Dark\nclick Form1.sdb\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string density = ReadFile(lpt1_);
  EXPECT_EQ(density, Clicked([](Windows& w) {
              w.Form1->findChild<QCheckBox*>("CheckBox1")->click();
              w.Form1->findChild<TComboBox*>("dc")->PickItem(2);
              Button(w.Form1.get(), "sdb")->click();
            }));
  EXPECT_FALSE(density.empty());

  run = RunScript("tick Form1.zxck\ntype Form1.Edit2 0\ntype Form1.Edit3 0\nclick Form1.Button2\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string mechanism = ReadFile(lpt1_);
  EXPECT_EQ(mechanism.size(), 51u);
  EXPECT_EQ(mechanism, Clicked([](Windows& w) {
              w.Form1->findChild<QCheckBox*>("zxck")->click();
              w.Form1->findChild<QLineEdit*>("Edit2")->setText("0");
              w.Form1->findChild<QLineEdit*>("Edit3")->setText("0");
              Button(w.Form1.get(), "Button2")->click();
            }));
}

TEST_F(ScriptTest, NvLogoDownloadOfAChosenBitmapOverTcp) {
  const fs::path bitmap = dir_ / "logo.bmp";
  {
    // 8 × 2, 24-bit: one black dot at the top left, the rest white.
    std::string bmp = "BM";
    auto put32 = [&](uint32_t v) {
      for (int i = 0; i < 4; ++i) bmp.push_back(char(v >> (8 * i)));
    };
    auto put16 = [&](uint16_t v) {
      bmp.push_back(char(v));
      bmp.push_back(char(v >> 8));
    };
    put32(54 + 48);
    put32(0);
    put32(54);
    put32(40);
    put32(8);
    put32(2);
    put16(1);
    put16(24);
    put32(0);
    put32(48);
    put32(2835);
    put32(2835);
    put32(0);
    put32(0);
    for (int row = 0; row < 2; ++row)  // bottom row first
      for (int x = 0; x < 8; ++x)
        bmp.append(row == 1 && x == 0 ? std::string(3, '\0') : std::string(3, '\xFF'));
    std::ofstream(bitmap, std::ios::binary) << bmp;
  }
  TcpListener printer;
  const ScriptRun run = RunScript("type Form1.IPE 127.0.0.1\nselect Form1.dk Ethernet\nfile " +
                                      bitmap.string() + "\nclick nvf.BitBtn1\nclick nvf.Button2\n",
                                  {"PRINTSET_NET_PORT=" + std::to_string(printer.Port())});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  ASSERT_TRUE(printer.WaitForClosed(1, 5000ms));
  const std::string clicked = Clicked([&](Windows& w) {
    RecordingDialogs answers;
    answers.fileAnswers.push_back(bitmap.string());
    Button(w.nvf.get(), "BitBtn1")->click();
    Button(w.nvf.get(), "Button2")->click();
  });
  EXPECT_FALSE(clicked.empty());
  EXPECT_EQ(HexDump(printer.AllReceived()), HexDump(clicked));
  EXPECT_NE(run.out.find("information: "), std::string::npos) << run.out;
}

TEST_F(ScriptTest, BlackMarkOffsetAndLedAmount) {
  ScriptRun run = RunScript("type bmf.Edit1 10\nclick bmf.Button2\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(ReadFile(lpt1_), Clicked([](Windows& w) {
              w.bmf->Edit1->setText("10");
              Button(w.bmf.get(), "Button2")->click();
            }));
  run = RunScript("type ledf.Edit1 8.88\nclick ledf.Button4\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  const std::string led = ReadFile(lpt1_);
  EXPECT_EQ(led, Clicked([](Windows& w) {
              w.ledf->Edit1->setText("8.88");
              Button(w.ledf.get(), "Button4")->click();
            }));
  EXPECT_NE(led.find("8.88"), std::string::npos);
}

TEST_F(ScriptTest, StatusCheckPrintsItsVerdict) {
  SimulatedPrinter printer(3, Always('\x12'));
  const ScriptRun run =
      RunScript("select Form1.dk COM1\nselect Form1.sd 9600\nclick Form2.Button2\nprint Form2.Label2\n",
                {"PRINTSET_COM1=" + printer.SlavePath()});
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out.rfind("Form2.Label2: ", 0), 0u) << run.out;
  EXPECT_NE(run.out.find("#008000"), std::string::npos) << run.out;
  EXPECT_EQ(HexDump(printer.Received()), "10 04 01 10 04 01 10 04 01 10 04 01 10 04 01");
}

TEST_F(ScriptTest, LinesThatCannotRunEndTheRunWithCode2AndSendNothing) {
  struct Case {
    const char* script;
    const char* reason;
  } cases[] = {
      {"click Form1.Nothing\nclick Form1.Button6\n", "script:1: unknown control 'Form1.Nothing'"},
      {"select Form1.dk COM9\nclick Form1.Button6\n", "script:1: 'Form1.dk' has no item 'COM9'"},
      {"# the H print is off until its panel is ticked\nclick Form1.ph\nclick Form1.Button6\n",
       "script:2: 'Form1.ph' is disabled"},
      {"press Form1.Button6\n", "script:1: unknown command 'press'"},
  };
  for (const auto& c : cases) {
    const ScriptRun run = RunScript(c.script);
    EXPECT_EQ(run.exitCode, 2) << c.script;
    EXPECT_NE(run.err.find(c.reason), std::string::npos) << run.err;
    EXPECT_EQ(fs::file_size(lpt1_), 0u) << c.script;
  }
  const ScriptRun missing = RunScript("", {}, false);
  EXPECT_EQ(missing.exitCode, 2);
  EXPECT_NE(missing.err.find("cannot read"), std::string::npos) << missing.err;
}

TEST_F(ScriptTest, ErrorBoxesBecomeLinesAndTheScriptGoesOn) {
  const ScriptRun run =
      RunScript("select Form1.dk LPT2\nclick Form1.Button6\nselect Form1.dk LPT1\nclick Form1.Button6\n");
  EXPECT_EQ(run.exitCode, 0) << run.err;
  EXPECT_EQ(run.out, "error: File not found.\n");
  EXPECT_EQ(HexDump(ReadFile(lpt1_)), "1F 1B 1F 96 01 02 03 11 12 13 55 0D");
}
