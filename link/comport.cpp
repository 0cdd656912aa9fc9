#include "link/comport.h"

#include <fcntl.h>
#include <poll.h>
#include <pthread.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <mutex>

#include "core/errors.h"
#include "link/comport_rate.h"
#include "link/devices.h"
#include "link/timeouts.h"

// The Windows queue size (SetupComm) and read/write time-outs
// (SetCommTimeouts) have no counterpart on a tty: the kernel sizes its own
// buffers, and the time-outs are kept by WriteStr and ReadStr below. So
// "SetupComm function failed" and "SetCommTimeouts failed" cannot occur.

namespace {
using Clock = std::chrono::steady_clock;

constexpr cc_t kXon = 0x11;
constexpr cc_t kXoff = 0x13;
// Once the write time-out has run out, the alarm repeats at this interval,
// in case it fell between the deadline check and the next blocking call.
constexpr long kAlarmRepeatNs = 5'000'000;

// 0 when termios has no constant for the rate.
speed_t SpeedConstant(int rate) {
  switch (rate) {
    case 50:
      return B50;
    case 75:
      return B75;
    case 110:
      return B110;
    case 134:
      return B134;
    case 150:
      return B150;
    case 200:
      return B200;
    case 300:
      return B300;
    case 600:
      return B600;
    case 1200:
      return B1200;
    case 1800:
      return B1800;
    case 2400:
      return B2400;
    case 4800:
      return B4800;
    case 9600:
      return B9600;
    case 19200:
      return B19200;
    case 38400:
      return B38400;
    case 57600:
      return B57600;
    case 115200:
      return B115200;
    case 230400:
      return B230400;
    case 460800:
      return B460800;
    case 921600:
      return B921600;
    default:
      return 0;
  }
}

// Pseudo-terminals and some USB adapters have no modem lines; the kernel
// answers ENOTTY (its ENOIOCTLCMD) or EINVAL there, which is no fault.
bool NoModemLines(int err) { return err == ENOTTY || err == EINVAL || err == EOPNOTSUPP; }

void SetModemLine(int fd, unsigned long request, int line) {
  if (ioctl(fd, request, &line) != 0 && !NoModemLines(errno))
    throw EComPort("SetCommState function failed", errno);
}

// A blocking write keeps the waiting inside the kernel, which is what lets
// it keep up with a plain write loop (each return to user space per freed
// chunk costs a noticeable share). A tty has no write time-out, so a
// per-thread timer signal interrupts the write and the drain at the
// deadline. The handler does nothing; without SA_RESTART the call returns
// with EINTR or with the count written so far.
int AlarmSignal() { return SIGRTMIN + 6; }
void OnAlarm(int) {}

class WriteAlarm {
 public:
  explicit WriteAlarm(Clock::time_point deadline) {
    static std::once_flag installed;
    static int installError = 0;
    std::call_once(installed, [] {
      struct sigaction action {};
      action.sa_handler = OnAlarm;
      sigemptyset(&action.sa_mask);
      if (sigaction(AlarmSignal(), &action, nullptr) != 0) installError = errno;
    });
    if (installError != 0) throw EComPort("WriteFile function failed", installError);

    sigemptyset(&signal_);
    sigaddset(&signal_, AlarmSignal());
    pthread_sigmask(SIG_UNBLOCK, &signal_, &savedMask_);
    sigevent event{};
    event.sigev_notify = SIGEV_THREAD_ID;
    event.sigev_signo = AlarmSignal();
    event._sigev_un._tid = gettid();  // glibc has no name for this field yet
    if (timer_create(CLOCK_MONOTONIC, &event, &timer_) != 0) {
      const int err = errno;
      pthread_sigmask(SIG_SETMASK, &savedMask_, nullptr);
      throw EComPort("WriteFile function failed", err);
    }
    // steady_clock is CLOCK_MONOTONIC on Linux.
    const auto ns = std::chrono::duration_cast<std::chrono::nanoseconds>(deadline.time_since_epoch()).count();
    itimerspec when{};
    when.it_value.tv_sec = static_cast<time_t>(ns / 1'000'000'000);
    when.it_value.tv_nsec = static_cast<long>(ns % 1'000'000'000);
    when.it_interval.tv_nsec = kAlarmRepeatNs;
    timer_settime(timer_, TIMER_ABSTIME, &when, nullptr);
  }

  ~WriteAlarm() {
    // Block the signal before deleting the timer and take away one that is
    // already pending, so that no later call of this thread sees a stray EINTR.
    pthread_sigmask(SIG_BLOCK, &signal_, nullptr);
    timer_delete(timer_);
    const timespec now{};
    while (sigtimedwait(&signal_, nullptr, &now) == AlarmSignal()) {
    }
    pthread_sigmask(SIG_SETMASK, &savedMask_, nullptr);
  }

  WriteAlarm(const WriteAlarm&) = delete;
  WriteAlarm& operator=(const WriteAlarm&) = delete;

 private:
  timer_t timer_{};
  sigset_t signal_{};
  sigset_t savedMask_{};
};

int MillisecondsUntil(Clock::time_point deadline) {
  auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
  return static_cast<int>(std::clamp<long long>(left, 0, 1 << 30));
}
}  // namespace

TComPort::TComPort() = default;

TComPort::~TComPort() {
  try {
    Close();
  } catch (const EComPort&) {
    // The port is closed all the same; a destructor cannot report it.
  }
}

void TComPort::SetPort(const std::string& name) {
  if (name == port_) return;
  const bool wasOpen = Connected();
  if (wasOpen) Close();
  port_ = name;
  if (wasOpen) Open();
}

void TComPort::SetBaudRate(int bitsPerSecond) {
  baudRate_ = bitsPerSecond;
  if (Connected()) ApplyLineSettings();
}

void TComPort::Open() {
  if (Connected()) return;
  const std::string path = (devices_ ? *devices_ : Devices()).PathFor(port_);
  // O_NONBLOCK: do not wait for carrier on open.
  const int fd = ::open(path.c_str(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) throw EComPort("Unable to open com port", errno);
  fd_ = fd;
  try {
    ApplyLineSettings();
    // Linux raises both lines at open; the printer expects RTS low.
    SetModemLine(fd_, TIOCMBIS, TIOCM_DTR);
    SetModemLine(fd_, TIOCMBIC, TIOCM_RTS);
    // Writes block (see WriteAlarm); reads still return at once, as
    // VMIN = VTIME = 0 ask.
    const int flags = fcntl(fd_, F_GETFL);
    if (flags < 0 || fcntl(fd_, F_SETFL, flags & ~O_NONBLOCK) != 0)
      throw EComPort("SetCommState function failed", errno);
  } catch (...) {
    ::close(fd_);
    fd_ = -1;
    throw;
  }
}

void TComPort::ApplyLineSettings() {
  termios t{};
  if (tcgetattr(fd_, &t) != 0) throw EComPort("SetCommState function failed", errno);
  cfmakeraw(&t);
  t.c_cflag &= ~(CSIZE | PARENB | CSTOPB | CRTSCTS | CIBAUD);
  t.c_cflag |= CS8 | CLOCAL | CREAD;
  t.c_iflag &= ~IXANY;
  t.c_iflag |= IXON | IXOFF;
  t.c_cc[VSTART] = kXon;
  t.c_cc[VSTOP] = kXoff;
  t.c_cc[VMIN] = 0;
  t.c_cc[VTIME] = 0;
  const speed_t speed = SpeedConstant(baudRate_);
  if (speed != 0) {
    cfsetospeed(&t, speed);
    cfsetispeed(&t, speed);
  }
  if (tcsetattr(fd_, TCSANOW, &t) != 0) throw EComPort("SetCommState function failed", errno);
  if (speed == 0) {
    if (baudRate_ <= 0) throw EComPort("SetCommState function failed", EINVAL);
    if (int err = SetArbitraryRate(fd_, baudRate_); err != 0)
      throw EComPort("SetCommState function failed", err);
  }
}

int TComPort::WriteStr(const ByteString& data) {
  if (!Connected()) throw EComPort("WriteFile function failed", EBADF);
  const auto deadline =
      Clock::now() + timeouts::kSerialWriteFixed + timeouts::kSerialWritePerByte * data.size();
  WriteAlarm alarm(deadline);
  size_t written = 0;
  while (written < data.size()) {
    const ssize_t n = ::write(fd_, data.data() + written, data.size() - written);
    if (n > 0) {
      written += static_cast<size_t>(n);
    } else if (n < 0 && errno == EAGAIN) {
      // Only if someone made the descriptor non-blocking behind our back.
      pollfd p{fd_, POLLOUT, 0};
      ::poll(&p, 1, MillisecondsUntil(deadline));
    } else if (n == 0 || errno != EINTR) {
      throw EComPort("WriteFile function failed", n == 0 ? EIO : errno);
    }
    // Out of time (for example while the printer holds XOFF): no error.
    if (written < data.size() && Clock::now() >= deadline) return static_cast<int>(written);
  }
  // Wait for the line to send what the driver still holds; the alarm ends
  // the wait at the deadline.
  while (tcdrain(fd_) != 0 && errno == EINTR && Clock::now() < deadline) {
  }
  return static_cast<int>(written);
}

ByteString TComPort::ReadStr(int count) {
  if (!Connected()) throw EComPort("ReadFile function failed", EBADF);
  ByteString out;
  if (count <= 0) return out;
  out.resize(static_cast<size_t>(count));
  for (;;) {
    const ssize_t n = ::read(fd_, out.data(), out.size());
    if (n >= 0) {
      out.resize(static_cast<size_t>(n));
      return out;
    }
    if (errno == EINTR) continue;
    if (errno == EAGAIN) return {};
    throw EComPort("ReadFile function failed", errno);
  }
}

void TComPort::Close() {
  if (!Connected()) return;
  // Output still queued was held up (XOFF) past its time-out: drop it, or
  // close() waits up to 30 s for it to drain. Output already handed on is
  // left alone; on a pty that is data the other end has not read yet.
  int queued = 0;
  const bool dropOutput = ioctl(fd_, TIOCOUTQ, &queued) != 0 || queued > 0;
  const int purged = tcflush(fd_, dropOutput ? TCIOFLUSH : TCIFLUSH);
  const int err = errno;
  ::close(fd_);
  fd_ = -1;
  if (purged != 0) throw EComPort("PurgeComm function failed", err);
}
