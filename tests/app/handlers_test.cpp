// The panels' buttons clicked through the real main window: their bytes
// reach a file mapped as LPT1, a pseudo-terminal or a listener on 127.0.0.1.
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <QImage>
#include <QToolButton>
#include <chrono>
#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "core/bytes.h"
#include "link/devices.h"
#include "tests/support/files.h"
#include "tests/support/pty_pair.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/tcp_listener.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"
#include "widgets/updown.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {
constexpr int kLPT1 = 0, kCOM2 = 3, kCOM3 = 4, kEthernet = 10;
const char* const kNotice = "NOTICE:Please select the correct communication port!";

class HandlersTest : public ::testing::Test {
 protected:
  void SetUp() override { netPort_ = Devices().NetPort(); }
  void TearDown() override {
    for (const char* name : {"COM2", "COM3"})
      Devices().Set(name, std::string("/nonexistent/printset-test/") + name);
    Devices().SetNetPort(netPort_);
  }
  // Empties the printer file, clicks, and returns what the click sent.
  std::string Sent(QAbstractButton* button) {
    std::ofstream(lpt1_).flush();
    button->click();
    return ReadFile(lpt1_);
  }
  std::string SentHex(QAbstractButton* button) { return HexDump(Sent(button)); }
  std::string Bmp(const char* name, int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const fs::path path = dir_ / name;
    EXPECT_TRUE(image.save(QString::fromStdString(path.string()), "BMP"));
    return path.string();
  }

  RecordingDialogs boxes;
  Windows w;
  TForm1& f = *w.Form1;
  TempDir temp_{"printset-panels"};
  MappedPort lpt1Port_{"LPT1", temp_.Path() / "lpt1"};
  const fs::path& dir_ = temp_.Path();
  const fs::path& lpt1_ = lpt1Port_.Path();
  int netPort_ = 0;
};
}  // namespace

TEST_F(HandlersTest, EveryButtonSendsItsBytesToLPT1) {
  for (QCheckBox* box : {f.szt, f.szt0, f.nvcb, f.bpck, f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4,
                         f.CheckBox5, f.CheckBox6})
    box->click();
  struct Case {
    QAbstractButton* button;
    size_t size;
    const char* begins;
    const char* ends;
  } cases[] = {
      {f.ph, 7, "1F 1B 1F FB 1B 64 06", ""},
      {f.st, 5, "1F 1B 1F FC 05", ""},
      {f.st0, 7, "1F 1B 1F FF 00 0A 0A", ""},
      {f.pt, 277, "1B 40 1C 2E 1B 21 00 80 81", "FE FF 0A 1B 40 1D 56 41 48 1C 26"},
      {f.sdb, 8, "1F 1B 1F 60 04 05 06 55", ""},
      {f.crb, 8, "1F 1B 1F 58 14 15 16 22", ""},
      {f.bb, 8, "1F 1B 1F 42 65 65 70 08", ""},
      {f.cdb, 8, "1F 1B 1F F4 11 22 33 55", ""},
      {f.msb, 11, "1F 1B 1F DC 10 11 12 15 16 17 55", ""},
      {f.fontb, 8, "1F 1B 1F E5 09 06 03 AA", ""},
      {f.Button1, 218, "1B 40 1B 55 00 1B 33 0E 48", "48 0A 1B 40 1B 64 06"},
      {f.Open, 6, "1B 70 00 32 32 0D", ""},
      {f.cut, 4, "1D 56 42 18", ""},
      {f.Button2, 23463, "1B 40 1B 7B 00 1B 55 00 1B 61 00 30 0A 1C 53 00 00 1B 2A 00 00 00 BA C3 46 0D 0A",
       "B3 C9 1B 64 05 1B 40"},
      {f.bpb, 4, "10 15 03 02", ""},
      {f.nvp, 4, "1C 70 01 00", ""},
      {f.Button5, 12, "1F 1B 1F 95 01 02 03 11 12 13 55 55", ""},
  };
  for (const auto& c : cases) {
    const std::string name = c.button->objectName().toStdString();
    const std::string hex = SentHex(c.button);
    EXPECT_EQ(hex.size(), c.size * 3 - 1) << name;
    EXPECT_EQ(hex.substr(0, std::string(c.begins).size()), c.begins) << name;
    EXPECT_TRUE(hex.ends_with(c.ends)) << name;
  }
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
}

TEST_F(HandlersTest, ChoiceBoxesSendTheirRowOfTheValueTable) {
  for (QCheckBox* box : {f.CheckBox1, f.CheckBox2, f.CheckBox3, f.CheckBox4, f.CheckBox5, f.CheckBox6})
    box->click();
  struct Case {
    TComboBox* box;
    QPushButton* button;
    std::vector<const char*> values;  // item 0, 1, …, then a typed text
  } cases[] = {
      {f.dc, f.sdb, {"33", "55", "77", "77"}}, {f.crc, f.crb, {"22", "11", "11"}},
      {f.bc, f.bb, {"08", "06", "06"}},        {f.cdc, f.cdb, {"55", "33", "33"}},
      {f.msc, f.msb, {"55", "33", "33"}},      {f.fontc, f.fontb, {"AA", "77", "77"}},
  };
  for (const auto& c : cases) {
    const std::string name = c.box->objectName().toStdString();
    for (size_t i = 0; i + 1 < c.values.size(); ++i) {
      c.box->PickItem(static_cast<int>(i));
      EXPECT_TRUE(SentHex(c.button).ends_with(c.values[i])) << name << " item " << i;
    }
    // The text of the first item, typed: no item is selected.
    c.box->TypeText(c.box->itemText(0).toStdString());
    EXPECT_TRUE(SentHex(c.button).ends_with(c.values.back())) << name << " typed";
  }
  f.msc->PickItem(1);
  EXPECT_EQ(SentHex(f.msb), "1F 1B 1F DC 10 11 12 15 16 17 33");
  f.fontc->PickItem(1);
  EXPECT_EQ(SentHex(f.fontb), "1F 1B 1F E5 09 06 03 77");
}

TEST_F(HandlersTest, HParameterDigitsAndTheEmptiedBox) {
  f.szt->click();
  struct Case {
    std::function<void()> set;
    const char* sent;
  } cases[] = {
      {[&] { f.cbs->PickItem(10); }, "1F 1B 1F FC 0A"},
      {[&] { f.cbs->PickItem(13); }, "1F 1B 1F FC 0D"},
      {[&] { f.cbs->TypeText("b"); }, "1F 1B 1F FC 0B"},
  };
  for (const auto& c : cases) {
    c.set();
    EXPECT_EQ(SentHex(f.st), c.sent);
  }
  f.cbs->TypeText("");
  EXPECT_EQ(Sent(f.st), "");
  EXPECT_EQ(boxes.errors, std::vector<std::string>{"'$' is not a valid integer value."});
  // The conversion comes before the link's port check.
  f.cbs->TypeText("G");
  f.dk->TypeText("");
  f.st->click();
  EXPECT_EQ(boxes.errors.back(), "'$G' is not a valid integer value.");
  EXPECT_TRUE(boxes.messages.empty());
  f.cbs->PickItem(5);
  f.st->click();
  EXPECT_EQ(boxes.messages, std::vector<std::string>{kNotice});
  f.ph->click();
  EXPECT_EQ(boxes.messages.size(), 2u);
  EXPECT_EQ(fs::file_size(lpt1_), 0u);
}

TEST_F(HandlersTest, CodePageValueAndItsPortCheckFirst) {
  f.szt0->click();
  struct Case {
    const char* text;
    const char* sent;
  } cases[] = {
      {"0", "1F 1B 1F FF 00 0A 0A"}, {"300", "1F 1B 1F FF 2C 0A 0A"}, {"-1", "1F 1B 1F FF FF 0A 0A"}};
  for (const auto& c : cases) {
    f.cst->setText(c.text);
    EXPECT_EQ(SentHex(f.st0), c.sent) << c.text;
  }
  f.cst->setText("abc");
  EXPECT_EQ(Sent(f.st0), "");
  EXPECT_EQ(boxes.errors, std::vector<std::string>{"'abc' is not a valid integer value."});
  // With no port text the notice comes first and nothing is converted.
  f.dk->TypeText("");
  for (QPushButton* b : {f.st0, f.pt}) b->click();
  EXPECT_EQ(boxes.messages, std::vector<std::string>(2, kNotice));
  EXPECT_EQ(boxes.errors.size(), 1u);
}

TEST_F(HandlersTest, ConversionErrorSendsNothingAndTheNextClickWorks) {
  f.Edit1->setText("abc");
  EXPECT_EQ(Sent(f.Button1), "");
  EXPECT_EQ(boxes.errors, std::vector<std::string>{"'abc' is not a valid integer value."});
  f.Edit1->setText("5");
  EXPECT_EQ(Sent(f.Button1).size(), 218u);
  EXPECT_EQ(boxes.errors.size(), 1u);
}

TEST_F(HandlersTest, PrintTestLinesFollowTheCountAndTheTickedRadioButton) {
  for (const char* none : {"0", "-3"}) {
    f.Edit1->setText(none);
    EXPECT_EQ(SentHex(f.Button1), "1B 40 1B 55 00 1B 33 0E 1B 40 1B 64 06") << none;
  }
  struct Case {
    QRadioButton* radio;
    int h;
  } cases[] = {{f.RadioButton2, 42}, {f.RadioButton3, 36}, {f.RadioButton1, 40}};
  f.Edit1->setText("2");
  for (const auto& c : cases) {
    c.radio->click();
    const std::string line = std::string(c.h, 'H') + "\n";
    EXPECT_EQ(Sent(f.Button1).substr(8, 2 * line.size() + 2), line + line + "\x1B\x40") << c.h;
  }
  std::ofstream(lpt1_).flush();
  f.dk->TypeText("");
  for (QPushButton* b : {f.Button1, f.Open, f.cut}) b->click();
  EXPECT_EQ(boxes.messages, std::vector<std::string>(3, kNotice));
  EXPECT_EQ(fs::file_size(lpt1_), 0u);
}

TEST_F(HandlersTest, MechanismTestOptionsRangeAndItsLatePortCheck) {
  f.zxck->click();
  EXPECT_EQ(Sent(f.Button2).size(), 86983u);
  f.Edit3->setText("0");
  EXPECT_EQ(Sent(f.Button2).size(), 51u);
  f.Edit2->setText("9");
  f.Edit3->setText("8");
  EXPECT_EQ(Sent(f.Button2).size(), 35u);
  for (QCheckBox* box : {f.dck, f.bick, f.dqck}) box->click();
  EXPECT_EQ(HexDump(Sent(f.Button2).substr(0, 11)), "1B 40 1B 7B 01 1B 55 01 1B 61 01");

  // Options are converted before the port check.
  std::ofstream(lpt1_).flush();
  f.Edit2->setText("x");
  f.Edit3->setText("0");
  f.dk->TypeText("");
  f.Button2->click();
  EXPECT_EQ(boxes.errors, std::vector<std::string>{"'x' is not a valid integer value."});
  EXPECT_TRUE(boxes.messages.empty());
  f.Edit2->setText("0");
  f.Button2->click();
  EXPECT_EQ(boxes.messages, std::vector<std::string>{kNotice});
  EXPECT_EQ(f.Link().buffer.size(), 51u) << "built in full before the check";
  EXPECT_EQ(fs::file_size(lpt1_), 0u);
}

TEST_F(HandlersTest, BeeperFollowsItsSpinners) {
  f.bpck->click();
  for (int i = 0; i < 10; ++i) {
    f.UpDown1->UpButton()->click();
    f.UpDown2->UpButton()->click();
  }
  EXPECT_EQ(SentHex(f.bpb), "10 15 0A 0A");
  f.UpDown1->SetPosition(0);
  EXPECT_EQ(SentHex(f.bpb), "10 15 00 0A");
  // The list beside the panel has no say in the command.
  f.ComboBox1->PickItem(1);
  EXPECT_EQ(SentHex(f.bpb), "10 15 00 0A");
}

TEST_F(HandlersTest, SerialBaudIsRefusedOffTheSerialLinesAndSentOverCOM3At9600) {
  f.tcb->click();
  f.dk->PickItem(kLPT1);
  f.tb->click();
  f.dk->TypeText("COM3");  // typed: no entry selected
  f.tb->click();
  EXPECT_EQ(boxes.messages,
            std::vector<std::string>(2, "You must select Serial Port for TZ-R21II with serial port!!"));

  PtyPair printer;
  Devices().Set("COM3", printer.SlavePath());
  f.tcb->click();
  f.tcb->click();  // ticked again: COM3 at 9600
  f.tc->PickItem(3);
  f.tb->click();
  EXPECT_EQ(HexDump(printer.Read(2000ms, 5)), "1F 1B 1F FD 03");
  ASSERT_TRUE(boxes.errors.empty()) << boxes.errors.front();
  const termios t = printer.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_EQ(f.cp.Port(), "COM3");
  EXPECT_EQ(boxes.messages.size(), 2u);
}

TEST_F(HandlersTest, SerialBaudStartTextAndEthernet) {
  TcpListener printer;
  f.IPE->SetIPString("127.0.0.1");
  Devices().SetNetPort(printer.Port());
  f.tcb->click();
  f.dk->PickItem(kEthernet);
  f.tb->click();  // the start text "1: 9600bps"
  ASSERT_TRUE(printer.WaitForClosed(1, 3000ms));
  EXPECT_EQ(HexDump(printer.AllReceived()), "1F 1B 1F FD 01");
  f.tc->TypeText("x");
  f.tb->click();
  EXPECT_EQ(boxes.errors, std::vector<std::string>{"'x' is not a valid integer value."});
  EXPECT_EQ(printer.Received().size(), 1u);
}

TEST_F(HandlersTest, NvLogoPrintNamesThePortFromTheShownTexts) {
  PtyPair printer;
  Devices().Set("COM2", printer.SlavePath());
  f.nvcb->click();
  f.dk->PickItem(kCOM2);
  f.sd->TypeText("2400");
  f.nvp->click();
  EXPECT_EQ(HexDump(printer.Read(2000ms, 4)), "1C 70 01 00");
  ASSERT_TRUE(boxes.errors.empty()) << boxes.errors.front();
  EXPECT_EQ(f.cp.Port(), "COM2");
  const termios t = printer.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B2400);
}

TEST_F(HandlersTest, BitmapLoadChecksTheSizeRule) {
  f.nvcb->click();
  struct Case {
    std::optional<std::string> file;  // nothing: the dialog is cancelled
    QSize size;
    bool tooLarge;
  } cases[] = {
      {std::nullopt, {133, 39}, false},
      {Bmp("wide.bmp", 2000, 200), {2000, 200}, true},
      {std::nullopt, {2000, 200}, true},  // a cancel tests the loaded picture again
      {Bmp("fits.bmp", 1992, 200), {1992, 200}, false},
  };
  for (const auto& c : cases) {
    boxes.messages.clear();
    boxes.fileAnswers = {c.file};
    f.bbn->click();
    EXPECT_EQ(f.Image1->size(), c.size) << c.file.value_or("cancel");
    EXPECT_EQ(boxes.messages,
              c.tooLarge ? std::vector<std::string>{"BMP图形太大!请重新选择!"} : std::vector<std::string>{})
        << c.file.value_or("cancel");
  }
  EXPECT_EQ(boxes.filters.front(), "位图文件（*.Bmp)");
  EXPECT_TRUE(boxes.errors.empty());

  // A file that is no bitmap: the loader's error, the picture stays, no size test.
  const fs::path junk = dir_ / "junk.bmp";
  std::ofstream(junk) << "not a bitmap";
  boxes.messages.clear();
  boxes.fileAnswers = {junk.string()};
  f.bbn->click();
  EXPECT_EQ(boxes.errors.size(), 1u);
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_EQ(f.Image1->size(), QSize(1992, 200));
  EXPECT_EQ(fs::file_size(lpt1_), 0u);
}
