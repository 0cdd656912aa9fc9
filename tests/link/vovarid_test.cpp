// The network library against a listener of the test's own on 127.0.0.1.
#include "link/vovarid.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <chrono>
#include <csignal>

#include "core/bytes.h"
#include "link/devices.h"
#include "tests/support/tcp_listener.h"

namespace {
using namespace std::chrono_literals;

class NetTest : public ::testing::Test {
 protected:
  NetTest() : savedPort_(Devices().NetPort()) {}
  ~NetTest() override {
    TZNetClose();
    Devices().SetNetPort(savedPort_);
  }

  int savedPort_;
};

ByteString Pattern(size_t size) {
  ByteString out(size, '\0');
  for (size_t i = 0; i < size; ++i) out[i] = static_cast<char>(i * 7 % 251);  // 0x00 every 251 bytes
  return out;
}

TEST_F(NetTest, SendArrivesWholeWithNulBytes) {
  TcpListener printer;
  Devices().SetNetPort(printer.Port());
  struct Row {
    const char* name;
    ByteString data;
  };
  const Row rows[] = {
      {"print-speed command with NULs", Bytes({0x1F, 0x1B, 0x1F, 0x96, 0x00, 0x00, 0x03, 0x00})},
      // Larger than the socket buffers, so the send has to be continued.
      {"4 MiB", Pattern(4 << 20)},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    ASSERT_EQ(TZNetOpen("127.0.0.1", 5, 7), 1);
    EXPECT_EQ(TZNetSend(row.data.data(), static_cast<int>(row.data.size())),
              static_cast<int>(row.data.size()));
    EXPECT_EQ(TZNetClose(), 0);
  }
  ASSERT_TRUE(printer.WaitForClosed(2, 10s));
  const auto received = printer.Received();
  ASSERT_EQ(received.size(), 2u);
  EXPECT_EQ(HexDump(received[0]), HexDump(rows[0].data));
  EXPECT_TRUE(received[1] == rows[1].data) << "received " << received[1].size() << " bytes";
}

TEST_F(NetTest, OpenFailsWithoutLeavingAConnection) {
  // Only ever 127.0.0.1 on a port nothing listens on: the rows that parse
  // must be refused, the others must not get as far as connecting.
  Devices().SetNetPort(TcpListener::RefusedPort());
  const char* rows[] = {"127.0.0.1", "127.0.0.x", "127.0.0", "127.0.0.1.1", "127.0.0.256",
                        "localhost", "",          "::1",     " 127.0.0.1"};
  for (const char* address : rows) {
    SCOPED_TRACE(address);
    EXPECT_NE(TZNetOpen(address, 5, 7), 1);
    EXPECT_EQ(TZNetSend("x", 1), -1);
  }
}

TEST_F(NetTest, SecondOpenReplacesTheFirstConnection) {
  TcpListener printer;
  Devices().SetNetPort(printer.Port());
  ASSERT_EQ(TZNetOpen("127.0.0.1", 5, 7), 1);
  EXPECT_EQ(TZNetSend("A", 1), 1);
  ASSERT_EQ(TZNetOpen("127.0.0.1", 5, 7), 1);
  EXPECT_EQ(TZNetSend("B", 1), 1);
  TZNetClose();
  EXPECT_EQ(TZNetSend("C", 1), -1);
  ASSERT_TRUE(printer.WaitForClosed(2, 5s));
  EXPECT_EQ(printer.Received(), (std::vector<std::string>{"A", "B"}));
}

TEST_F(NetTest, PeerResetDuringSendDoesNotKillTheProgram) {
  TcpListener printer(TcpListener::Options{.resetAfter = 64 * 1024});
  Devices().SetNetPort(printer.Port());
  const ByteString big = Pattern(32 << 20);
  // In a child with SIGPIPE at its default, so a signal would end it; the
  // test program itself ignores SIGPIPE. Sends after the reset see EPIPE.
  EXPECT_EXIT(
      {
        std::signal(SIGPIPE, SIG_DFL);
        if (TZNetOpen("127.0.0.1", 5, 7) != 1) _exit(2);
        int code = 0;
        for (int i = 0; i < 3; ++i)
          if (TZNetSend(big.data(), static_cast<int>(big.size())) >= static_cast<int>(big.size())) code = 3;
        TZNetClose();
        _exit(code);
      },
      ::testing::ExitedWithCode(0), "");
}
}  // namespace
