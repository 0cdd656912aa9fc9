// The serial component against a pseudo-terminal playing the printer.
#include "link/comport.h"

#include <gtest/gtest.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <thread>

#include "core/errors.h"
#include "link/comport_rate.h"
#include "link/devices.h"
#include "tests/support/pty_pair.h"

namespace {
using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

constexpr char kXoff = 0x13;
constexpr char kXon = 0x11;

ByteString EveryByteValue() {
  ByteString all;
  for (int i = 0; i < 256; ++i) PutByte(all, i);
  return all;
}

class ComPortTest : public ::testing::Test {
 protected:
  ComPortTest() {
    map_.Set("COM3", pty_.SlavePath());
    port_.SetDeviceMap(&map_);
    port_.SetPort("COM3");
  }

  // The printer's XOFF has to pass the slave's line discipline before
  // output stops; that runs on a kernel worker, so give it a moment.
  void HoldWithXoff() {
    pty_.Write(std::string(1, kXoff));
    std::this_thread::sleep_for(100ms);
  }

  PtyPair pty_;
  DeviceMap map_;
  TComPort port_;
};

TEST_F(ComPortTest, SendsEveryByteUnchangedAt9600) {
  // The print-speed command, NULs, and every byte value: nothing may be
  // translated (LF, CR) or swallowed (XON/XOFF go out as data).
  const ByteString data = Bytes({0x1F, 0x1B, 0x1F, 0x96, 0x01, 0x02, 0x03, 0x11, 0x12, 0x13, 0x33, 0x0D}) +
                          ByteString(3, '\0') + EveryByteValue();
  port_.SetBaudRate(9600);
  port_.Open();
  EXPECT_EQ(port_.WriteStr(data), static_cast<int>(data.size()));
  port_.Close();
  EXPECT_FALSE(port_.Connected());
  EXPECT_EQ(HexDump(pty_.Read(2s, data.size())), HexDump(data));
}

TEST_F(ComPortTest, LineSettingsWhileOpen) {
  port_.SetBaudRate(9600);
  port_.Open();
  ASSERT_TRUE(port_.Connected());
  for (const termios& t : {pty_.SlaveSettingsDirect(), pty_.SlaveSettings()}) {
    EXPECT_EQ(cfgetospeed(&t), B9600);
    EXPECT_EQ(cfgetispeed(&t), B9600);
    EXPECT_EQ(t.c_cflag & CSIZE, static_cast<tcflag_t>(CS8));
    EXPECT_EQ(t.c_cflag & (PARENB | CSTOPB | CRTSCTS), 0u);
    EXPECT_EQ(t.c_cflag & (CLOCAL | CREAD), static_cast<tcflag_t>(CLOCAL | CREAD));
    EXPECT_EQ(t.c_iflag & (IXON | IXOFF | IXANY), static_cast<tcflag_t>(IXON | IXOFF));
    EXPECT_EQ(t.c_cc[VSTART], 0x11);
    EXPECT_EQ(t.c_cc[VSTOP], 0x13);
    EXPECT_EQ(t.c_cc[VMIN], 0);
    EXPECT_EQ(t.c_cc[VTIME], 0);
    // Raw: no echo, no line editing, no output or input translation.
    EXPECT_EQ(t.c_lflag & (ICANON | ECHO | ISIG | IEXTEN), 0u);
    EXPECT_EQ(t.c_oflag & OPOST, 0u);
    EXPECT_EQ(t.c_iflag & (ICRNL | INLCR | IGNCR | ISTRIP), 0u);
  }
}

TEST_F(ComPortTest, RateAppliesAtOpenAndAtOnceWhileOpen) {
  struct Row {
    int rate;
    speed_t expected;
  };
  // The first row is applied by Open, the others on the open port.
  const Row rows[] = {{9600, B9600}, {115200, B115200}, {2400, B2400}, {19200, B19200}, {57600, B57600}};
  for (const Row& row : rows) {
    SCOPED_TRACE(row.rate);
    port_.SetBaudRate(row.rate);
    port_.Open();
    EXPECT_EQ(port_.BaudRate(), row.rate);
    const termios t = pty_.SlaveSettings();
    EXPECT_EQ(cfgetospeed(&t), row.expected);
    EXPECT_EQ(cfgetispeed(&t), row.expected);
  }
}

TEST_F(ComPortTest, RateWithoutTermiosConstant) {
  // A pty may refuse arbitrary rates; whichever it does, it must do it the
  // same way every time, report it as the library does, and a later
  // standard rate must set both directions again.
  port_.SetBaudRate(14400);
  std::optional<std::string> firstError;
  for (int attempt = 0; attempt < 2; ++attempt) {
    SCOPED_TRACE(attempt);
    std::optional<std::string> error;
    try {
      port_.Open();
    } catch (const EComPort& e) {
      error = e.what();
    }
    if (attempt == 0) firstError = error;
    EXPECT_EQ(error, firstError);
    if (error) {
      EXPECT_EQ(error->rfind("SetCommState function failed (win error code: ", 0), 0u) << *error;
      EXPECT_FALSE(port_.Connected());
      continue;
    }
    int output = 0, input = 0;
    ASSERT_TRUE(ReadLineRates(pty_.Slave(), output, input));
    EXPECT_EQ(output, 14400);
    EXPECT_EQ(input, 14400);
    port_.Close();
  }
  if (firstError) return;
  port_.Open();
  port_.SetBaudRate(9600);
  int output = 0, input = 0;
  ASSERT_TRUE(ReadLineRates(pty_.Slave(), output, input));
  EXPECT_EQ(output, 9600);
  EXPECT_EQ(input, 9600);
}

TEST_F(ComPortTest, OpenFailuresLeaveThePortClosed) {
  const std::string notATty = ::testing::TempDir() + "comport_not_a_tty";
  std::FILE* f = std::fopen(notATty.c_str(), "w");
  ASSERT_NE(f, nullptr);
  std::fclose(f);
  struct Row {
    const char* name;
    std::string path;
    std::string message;
    int osError;
  };
  const Row rows[] = {
      {"missing device", "/nonexistent/ttyS2", "Unable to open com port (win error code: 2)", ENOENT},
      {"not a serial line", notATty, "SetCommState function failed (win error code: 25)", ENOTTY},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    map_.Set("COM3", row.path);
    try {
      port_.Open();
      ADD_FAILURE() << "Open succeeded";
    } catch (const EComPort& e) {
      EXPECT_STREQ(e.what(), row.message.c_str());
      EXPECT_EQ(e.OsError(), row.osError);
    }
    EXPECT_FALSE(port_.Connected());
  }
  std::filesystem::remove(notATty);
}

TEST_F(ComPortTest, SetPortSwitchesAnOpenPort) {
  PtyPair other;
  map_.Set("COM4", other.SlavePath());
  port_.Open();
  port_.Open();           // already open: nothing
  port_.SetPort("COM3");  // same name: nothing
  ASSERT_TRUE(port_.Connected());
  port_.WriteStr("a");
  port_.SetPort("COM4");
  ASSERT_TRUE(port_.Connected());
  port_.WriteStr("b");
  port_.Close();
  EXPECT_EQ(pty_.Read(300ms), "a");
  EXPECT_EQ(other.Read(300ms), "b");
  // While closed, a new name only takes effect at the next Open.
  port_.SetPort("COM3");
  EXPECT_FALSE(port_.Connected());
}

TEST_F(ComPortTest, ReadReturnsAtOnceWithWhatHasArrived) {
  port_.Open();
  const auto start = Clock::now();
  EXPECT_EQ(port_.ReadStr(1), "");
  EXPECT_LT(Clock::now() - start, 500ms);

  pty_.Write("\x12\x1A\x08");
  std::string got;
  for (auto deadline = Clock::now() + 2s; got.size() < 3 && Clock::now() < deadline;) {
    const ByteString one = port_.ReadStr(1);
    EXPECT_LE(one.size(), 1u);
    got += one;
    if (one.empty()) std::this_thread::sleep_for(5ms);
  }
  EXPECT_EQ(HexDump(got), "12 1A 08");
}

TEST_F(ComPortTest, WriteHeldByXoffTimesOutAndCloseDoesNotHang) {
  port_.Open();
  // Leave the port the only open slave, so its close is the last one.
  pty_.CloseSlave();
  HoldWithXoff();
  const auto start = Clock::now();
  // 5 bytes: 1000 ms + 5 × 100 ms. Running out of time is no error.
  const int written = port_.WriteStr("abcde");
  const auto waited = Clock::now() - start;
  EXPECT_EQ(written, 0);
  EXPECT_GE(waited, 1400ms);
  EXPECT_LT(waited, 10s);
  // Nothing of the time-out is left to interrupt this thread's next wait.
  EXPECT_EQ(poll(nullptr, 0, 50), 0);

  const auto closing = Clock::now();
  port_.Close();
  EXPECT_LT(Clock::now() - closing, 5s);
  EXPECT_FALSE(port_.Connected());
}

TEST_F(ComPortTest, TimeOutHoldsOnAThreadThatBlocksSignals) {
  port_.Open();
  HoldWithXoff();
  std::thread caller([this] {
    sigset_t all, before;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, nullptr);
    pthread_sigmask(SIG_BLOCK, nullptr, &before);  // glibc keeps a few of its own unblocked
    const auto start = Clock::now();
    EXPECT_EQ(port_.WriteStr("a"), 0);  // 1.1 s
    EXPECT_GE(Clock::now() - start, 1000ms);
    sigset_t mask, pending;
    pthread_sigmask(SIG_BLOCK, nullptr, &mask);
    sigpending(&pending);
    for (int sig = 1; sig < SIGRTMAX; ++sig) {
      EXPECT_EQ(sigismember(&mask, sig), sigismember(&before, sig)) << sig;
      EXPECT_FALSE(sigismember(&pending, sig)) << sig;
    }
  });
  caller.join();
}

TEST_F(ComPortTest, XonReleasesAHeldWrite) {
  port_.Open();
  HoldWithXoff();
  std::thread printer([this] {
    std::this_thread::sleep_for(300ms);
    pty_.Write(std::string(1, kXon));
  });
  const int written = port_.WriteStr("hello");
  printer.join();
  EXPECT_EQ(written, 5);
  EXPECT_EQ(pty_.Read(2s, 5), "hello");
}

TEST_F(ComPortTest, WriteAndReadOnAClosedPortFail) {
  try {
    port_.WriteStr("x");
    ADD_FAILURE() << "WriteStr succeeded";
  } catch (const EComPort& e) {
    EXPECT_STREQ(e.what(), "WriteFile function failed (win error code: 9)");
  }
  try {
    port_.ReadStr(1);
    ADD_FAILURE() << "ReadStr succeeded";
  } catch (const EComPort& e) {
    EXPECT_STREQ(e.what(), "ReadFile function failed (win error code: 9)");
  }
}
}  // namespace
