// Sends through the real main window onto a file, a pseudo-terminal and a
// TCP listener on 127.0.0.1.
#include <gtest/gtest.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "app/application.h"
#include "core/bytes.h"
#include "link/baudrate.h"
#include "link/devices.h"
#include "tests/support/files.h"
#include "tests/support/pty_pair.h"
#include "tests/support/recording_dialogs.h"
#include "tests/support/tcp_listener.h"
#include "widgets/combobox.h"
#include "widgets/ipedit.h"

using namespace std::chrono_literals;
namespace fs = std::filesystem;

namespace {
constexpr int kLPT1 = 0, kCOM3 = 4, kEthernet = 10;
const char* const kSpeed300 = "1F 1B 1F 96 01 02 03 11 12 13 33 0D";
const char* const kSpeed250 = "1F 1B 1F 96 01 02 03 11 12 13 55 0D";

class SendTest : public ::testing::Test {
 protected:
  void TearDown() override { Devices().Set("COM3", "/nonexistent/printset-test/COM3"); }
  // Only ever an address of this machine, on a port the test opened.
  void UseListener(TForm1& f, int port) {
    f.IPE->SetIPString("127.0.0.1");
    Devices().SetNetPort(port);
    f.dk->PickItem(kEthernet);
  }

  RecordingDialogs boxes;
  Windows w;
  TempDir temp_{"printset-send"};
  MappedPort lpt1Port_{"LPT1", temp_.Path() / "lpt1"};
  const fs::path& dir_ = temp_.Path();
  const fs::path& lpt1_ = lpt1Port_.Path();
};

// The net library's calls, recorded instead of made.
struct NetCalls {
  static inline int opens = 0, sends = 0, closes = 0;
  static inline unsigned char openResult = 0;
  static unsigned char Open(const char*, int, int) { return ++opens, openResult; }
  static int Send(const char*, int) { return ++sends, 0; }
  static int Close() { return ++closes, 0; }
};
}  // namespace

TEST_F(SendTest, PrintSpeedReachesAFileMappedAsLPT1) {
  TForm1& f = *w.Form1;
  f.Button6->click();
  EXPECT_EQ(HexDump(ReadFile(lpt1_)), kSpeed250);
  f.Autocb->PickItem(1);
  f.Button6->click();
  EXPECT_EQ(HexDump(ReadFile(lpt1_)), kSpeed300);
  // A typed speed selects no entry: the 300 byte, whatever the text says.
  f.Autocb->TypeText("250mm/s");
  f.Button6->click();
  EXPECT_EQ(HexDump(ReadFile(lpt1_)), kSpeed300);
  f.Button5->click();
  EXPECT_EQ(HexDump(ReadFile(lpt1_)), "1F 1B 1F 95 01 02 03 11 12 13 55 55");
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.errors.empty());
}

TEST_F(SendTest, PrintSpeedOverAPseudoTerminalMappedAsCOM3At9600) {
  PtyPair printer;
  Devices().Set("COM3", printer.SlavePath());
  TForm1& f = *w.Form1;
  f.dk->PickItem(kCOM3);
  f.sd->PickItem(2);  // 9600
  f.Autocb->PickItem(1);
  f.Button6->click();
  EXPECT_EQ(HexDump(printer.Read(2000ms, 12)), kSpeed300);
  EXPECT_TRUE(boxes.errors.empty()) << boxes.errors.front();
  EXPECT_EQ(f.cp.Port(), "COM3");
  EXPECT_EQ(f.cp.BaudRate(), 9600);
  EXPECT_FALSE(f.cp.Connected());

  const termios t = printer.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B9600);
  EXPECT_EQ(t.c_cflag & CSIZE, CS8);
  EXPECT_FALSE(t.c_cflag & PARENB);
  EXPECT_FALSE(t.c_cflag & CSTOPB);
  EXPECT_TRUE(t.c_iflag & IXON);
  EXPECT_TRUE(t.c_iflag & IXOFF);

  // A second send opens and closes the port again.
  f.Button6->click();
  EXPECT_EQ(HexDump(printer.Read(2000ms, 12)), kSpeed300);
  EXPECT_FALSE(f.cp.Connected());
}

TEST_F(SendTest, MainWindowSendsAtTheSelectedRateAndA_TypedRateGives9600) {
  PtyPair printer;
  Devices().Set("COM3", printer.SlavePath());
  TForm1& f = *w.Form1;
  f.dk->PickItem(kCOM3);
  f.sd->TypeText("2400");  // typed: the main window reads the selected entry, none
  f.Button6->click();
  EXPECT_EQ(printer.Read(2000ms, 12).size(), 12u);
  EXPECT_EQ(f.cp.BaudRate(), 9600);
  termios t = printer.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B9600);
  // The other windows read the shown text instead.
  f.Link().buffer = Bytes({0x41});
  f.Link().SendToPrinter(ChannelScope::Full, false, 5, NameSource::ShownText);
  EXPECT_EQ(printer.Read(2000ms, 1), "A");
  t = printer.SlaveSettings();
  EXPECT_EQ(cfgetospeed(&t), B2400);
}

TEST_F(SendTest, BufferWithZeroBytesReachesATcpListenerWhole) {
  TcpListener printer;
  TForm1& f = *w.Form1;
  UseListener(f, printer.Port());
  const ByteString data = Bytes({0x1B, 0x40, 0x00, 0x00, 0x41, 0x00});
  f.Link().buffer = data;
  EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::Full, false), SendOutcome::SentNetwork);
  ASSERT_TRUE(printer.WaitForClosed(1, 3000ms));
  EXPECT_EQ(HexDump(printer.AllReceived()), HexDump(data));
  EXPECT_EQ(f.Link().NetworkAddress(), "127.0.0.1");

  f.Button6->click();
  ASSERT_TRUE(printer.WaitForClosed(2, 3000ms));
  EXPECT_EQ(HexDump(printer.Received().at(1)), kSpeed250);
  EXPECT_TRUE(boxes.messages.empty());
}

TEST_F(SendTest, RefusedConnectionShowsConnectErrorAndTheNextClickTriesAgain) {
  TForm1& f = *w.Form1;
  UseListener(f, TcpListener::RefusedPort());
  f.Button6->click();
  EXPECT_EQ(boxes.messages, std::vector<std::string>{"Connect error"});

  TcpListener printer;
  Devices().SetNetPort(printer.Port());
  f.Button6->click();
  ASSERT_TRUE(printer.WaitForClosed(1, 3000ms));
  EXPECT_EQ(HexDump(printer.AllReceived()), kSpeed250);
  EXPECT_EQ(boxes.messages.size(), 1u);
}

TEST_F(SendTest, RefusedConnectionCallsNeitherSendNorClose) {
  TForm1& f = *w.Form1;
  f.IPE->SetIPString("127.0.0.1");
  f.dk->PickItem(kEthernet);
  f.Link().SetNetLibrary({&NetCalls::Open, &NetCalls::Send, &NetCalls::Close});
  NetCalls::opens = NetCalls::sends = NetCalls::closes = 0;
  for (unsigned char refused : {0, 2, 255}) {
    NetCalls::openResult = refused;
    EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::Full, false), SendOutcome::ConnectFailed);
  }
  EXPECT_EQ(NetCalls::opens, 3);
  EXPECT_EQ(NetCalls::sends, 0);
  EXPECT_EQ(NetCalls::closes, 0);
  NetCalls::openResult = 1;
  EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::Full, false), SendOutcome::SentNetwork);
  EXPECT_EQ(NetCalls::sends, 1);
  EXPECT_EQ(NetCalls::closes, 1);
}

TEST_F(SendTest, MissingDeviceShowsFileNotFoundAndTheProgramGoesOn) {
  TForm1& f = *w.Form1;
  Devices().Set("LPT1", (dir_ / "no-such-dir" / "lp0").string());
  f.Button6->click();
  EXPECT_EQ(boxes.errors, std::vector<std::string>{"File not found."});
  Devices().Set("LPT1", lpt1_.string());
  f.Button6->click();
  EXPECT_EQ(HexDump(ReadFile(lpt1_)), kSpeed250);
  EXPECT_EQ(boxes.errors.size(), 1u);
}

TEST_F(SendTest, SerialPortThatCannotBeOpenedShowsTheComponentsError) {
  TForm1& f = *w.Form1;
  f.dk->PickItem(kCOM3);
  f.Button6->click();
  ASSERT_EQ(boxes.errors.size(), 1u);
  EXPECT_EQ(boxes.errors[0], "Unable to open com port (win error code: 2)");
  EXPECT_FALSE(f.cp.Connected());
}

TEST_F(SendTest, NoEntrySelectedSendsNothingAndShowsNothing) {
  TForm1& f = *w.Form1;
  f.dk->TypeText("LPT1");
  f.Button6->click();
  f.Button5->click();
  EXPECT_EQ(fs::file_size(lpt1_), 0u);
  EXPECT_TRUE(boxes.messages.empty());
  EXPECT_TRUE(boxes.errors.empty());
  // With the port check, only an empty port text shows the notice.
  f.Link().buffer = Bytes({0x41});
  EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::Full, true), SendOutcome::NothingSent);
  EXPECT_TRUE(boxes.messages.empty());
  f.dk->TypeText("");
  EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::Full, true), SendOutcome::NothingSent);
  EXPECT_EQ(boxes.messages, std::vector<std::string>{"NOTICE:Please select the correct communication port!"});
}

TEST_F(SendTest, EveryScopeServesEveryChannel) {
  TForm1& f = *w.Form1;
  f.Link().buffer = Bytes({0x00, 0x42});
  for (ChannelScope scope : {ChannelScope::Full, ChannelScope::NoNetwork, ChannelScope::ShortSerial}) {
    std::ofstream(lpt1_).flush();
    EXPECT_EQ(f.Link().SendToPrinter(scope, false), SendOutcome::SentParallel);
    EXPECT_EQ(HexDump(ReadFile(lpt1_)), "00 42");
  }
  PtyPair printer;
  Devices().Set("COM8", printer.SlavePath());
  f.dk->PickItem(9);  // COM8, outside the short serial scope
  EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::ShortSerial, false), SendOutcome::SentSerial);
  EXPECT_EQ(HexDump(printer.Read(2000ms, 2)), "00 42");
  Devices().Set("COM8", "/nonexistent/printset-test/COM8");

  TcpListener net;
  UseListener(f, net.Port());
  EXPECT_EQ(f.Link().SendToPrinter(ChannelScope::NoNetwork, false), SendOutcome::SentNetwork);
  ASSERT_TRUE(net.WaitForClosed(1, 3000ms));
  EXPECT_EQ(HexDump(net.AllReceived()), "00 42");
}

TEST(BaudRateFromText, KnownNamesGiveTheirRateAndAnythingElse9600) {
  struct Case {
    const char* text;
    int rate;
  } cases[] = {{"110", 110},       {"2400", 2400},     {"14400", 14400},   {"19200", 19200}, {"56000", 56000},
               {"115200", 115200}, {"128000", 128000}, {"256000", 256000}, {"", 9600},       {"1234", 9600},
               {" 2400", 9600},    {"2400bps", 9600},  {"230400", 9600}};
  for (const auto& c : cases) EXPECT_EQ(BaudRateFromText(c.text), c.rate) << c.text;
}
