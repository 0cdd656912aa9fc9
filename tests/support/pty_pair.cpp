#include "tests/support/pty_pair.h"

#include <poll.h>
#include <pty.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {
[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}
}  // namespace

PtyPair::PtyPair() {
  char name[256] = {};
  if (openpty(&master_, &slave_, name, nullptr, nullptr) != 0) Fail("openpty");
  slavePath_ = name;
}

PtyPair::~PtyPair() {
  CloseSlave();
  if (master_ >= 0) close(master_);
}

void PtyPair::CloseSlave() {
  if (slave_ >= 0) close(slave_);
  slave_ = -1;
}

std::string PtyPair::Read(std::chrono::milliseconds within, size_t count) const {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + within;
  std::string out;
  char chunk[65536];
  while (out.size() < count) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    if (left <= 0) break;
    pollfd p{master_, POLLIN, 0};
    const int ready = poll(&p, 1, static_cast<int>(left));
    if (ready < 0 && errno == EINTR) continue;
    if (ready <= 0) break;
    const size_t want = std::min(sizeof chunk, count - out.size());
    const ssize_t n = read(master_, chunk, want);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;  // EIO once every slave descriptor is closed
    out.append(chunk, static_cast<size_t>(n));
  }
  return out;
}

void PtyPair::Write(std::string_view bytes) const {
  size_t done = 0;
  while (done < bytes.size()) {
    const ssize_t n = write(master_, bytes.data() + done, bytes.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) Fail("write to pty master");
    done += static_cast<size_t>(n);
  }
}

termios PtyPair::SlaveSettings() const {
  termios t{};
  if (tcgetattr(master_, &t) != 0) Fail("tcgetattr on pty master");
  return t;
}

termios PtyPair::SlaveSettingsDirect() const {
  termios t{};
  if (tcgetattr(slave_, &t) != 0) Fail("tcgetattr on pty slave");
  return t;
}
