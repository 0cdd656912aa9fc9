#include "tests/support/tcp_listener.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <stdexcept>

namespace {
[[noreturn]] void Fail(const char* what) {
  throw std::runtime_error(std::string(what) + ": " + std::strerror(errno));
}

// A socket bound to 127.0.0.1 on a port the kernel picks.
int BindLoopback(int& port) {
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) Fail("socket");
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  socklen_t len = sizeof addr;
  if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0 ||
      getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &len) != 0) {
    close(fd);
    Fail("bind 127.0.0.1");
  }
  port = ntohs(addr.sin_port);
  return fd;
}

void Reset(int fd) {
  linger hard{1, 0};
  setsockopt(fd, SOL_SOCKET, SO_LINGER, &hard, sizeof hard);
  close(fd);
}
}  // namespace

TcpListener::TcpListener() : TcpListener(Options{}) {}

TcpListener::TcpListener(Options options) : options_(options) {
  listener_ = BindLoopback(port_);
  if (listen(listener_, 8) != 0 || pipe2(stopPipe_, O_CLOEXEC) != 0) {
    close(listener_);
    Fail("listen");
  }
  thread_ = std::thread([this] { Run(); });
}

TcpListener::~TcpListener() {
  const char stop = 0;
  (void)!write(stopPipe_[1], &stop, 1);
  thread_.join();
  close(stopPipe_[0]);
  close(stopPipe_[1]);
  close(listener_);
}

int TcpListener::RefusedPort() {
  int port = 0;
  close(BindLoopback(port));
  return port;
}

void TcpListener::Run() {
  struct Connection {
    int fd;
    size_t index;
    size_t count;
  };
  std::vector<Connection> open;
  std::vector<char> chunk(65536);
  for (;;) {
    std::vector<pollfd> fds{{stopPipe_[0], POLLIN, 0}, {listener_, POLLIN, 0}};
    for (const auto& c : open) fds.push_back({c.fd, POLLIN, 0});
    if (poll(fds.data(), fds.size(), -1) < 0) {
      if (errno == EINTR) continue;
      break;
    }
    if (fds[0].revents) break;
    if (fds[1].revents & POLLIN) {
      const int fd = accept4(listener_, nullptr, nullptr, SOCK_CLOEXEC);
      if (fd >= 0) {
        std::lock_guard lock(mutex_);
        open.push_back({fd, received_.size(), 0});
        received_.emplace_back();
      }
    }
    // Connections accepted just now were not polled yet.
    for (size_t i = 0; i + 2 < fds.size(); ++i) {
      if (!fds[i + 2].revents) continue;
      Connection& c = open[i];
      size_t want = chunk.size();
      if (options_.resetAfter > 0) want = std::min(want, options_.resetAfter - c.count);
      const ssize_t n = recv(c.fd, chunk.data(), want, 0);
      if (n < 0 && errno == EINTR) continue;
      bool ended = n <= 0;
      {
        std::lock_guard lock(mutex_);
        if (n > 0) received_[c.index].append(chunk.data(), static_cast<size_t>(n));
      }
      if (n > 0) c.count += static_cast<size_t>(n);
      if (!ended && options_.resetAfter > 0 && c.count >= options_.resetAfter) {
        Reset(c.fd);
        c.fd = -1;
        ended = true;
      } else if (ended) {
        close(c.fd);
        c.fd = -1;
      }
      if (ended) {
        std::lock_guard lock(mutex_);
        ++closed_;
      }
      changed_.notify_all();
    }
    std::erase_if(open, [](const Connection& c) { return c.fd < 0; });
  }
  for (const auto& c : open) close(c.fd);
}

bool TcpListener::WaitForClosed(size_t count, std::chrono::milliseconds within) const {
  std::unique_lock lock(mutex_);
  return changed_.wait_for(lock, within, [&] { return closed_ >= count; });
}

std::vector<std::string> TcpListener::Received() const {
  std::lock_guard lock(mutex_);
  return received_;
}

std::string TcpListener::AllReceived() const {
  std::string all;
  for (const auto& r : Received()) all += r;
  return all;
}
