#include "link/vovarid.h"

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>

#include "link/devices.h"

namespace {
// The library keeps one connection, as the printer's print port takes one.
int g_socket = -1;

void CloseSocket() {
  if (g_socket < 0) return;
  shutdown(g_socket, SHUT_WR);
  // Unread input would make close() reset the connection, and a reset can
  // drop bytes of ours still on their way; so read away what has come.
  char sink[512];
  while (recv(g_socket, sink, sizeof sink, MSG_DONTWAIT) > 0) {
  }
  close(g_socket);
  g_socket = -1;
}

bool WaitConnected(int fd, int timeoutSeconds) {
  using Clock = std::chrono::steady_clock;
  const auto deadline = Clock::now() + std::chrono::seconds(timeoutSeconds > 0 ? timeoutSeconds : 0);
  for (;;) {
    const auto left = std::chrono::ceil<std::chrono::milliseconds>(deadline - Clock::now()).count();
    pollfd p{fd, POLLOUT, 0};
    const int ready = poll(&p, 1, left > 0 ? static_cast<int>(left) : 0);
    if (ready > 0) break;
    if (ready == 0) return false;
    if (errno != EINTR) return false;
  }
  int err = 0;
  socklen_t len = sizeof err;
  return getsockopt(fd, SOL_SOCKET, SO_ERROR, &err, &len) == 0 && err == 0;
}
}  // namespace

extern "C" unsigned char TZNetOpen(const char* address, int connectTimeout, int sendTimeout) {
  CloseSocket();
  if (address == nullptr) return 0;
  sockaddr_in peer{};
  peer.sin_family = AF_INET;
  peer.sin_port = htons(static_cast<uint16_t>(Devices().NetPort()));
  if (inet_pton(AF_INET, address, &peer.sin_addr) != 1) return 0;

  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
  if (fd < 0) return 0;
  bool connected = connect(fd, reinterpret_cast<const sockaddr*>(&peer), sizeof peer) == 0;
  if (!connected && errno == EINPROGRESS) connected = WaitConnected(fd, connectTimeout);
  if (connected) {
    const int flags = fcntl(fd, F_GETFL);
    timeval send{sendTimeout > 0 ? sendTimeout : 0, 0};
    connected = flags >= 0 && fcntl(fd, F_SETFL, flags & ~O_NONBLOCK) == 0 &&
                setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &send, sizeof send) == 0;
  }
  if (!connected) {
    close(fd);
    return 0;
  }
  g_socket = fd;
  return 1;
}

extern "C" int TZNetSend(const char* data, int length) {
  if (g_socket < 0 || length < 0 || (data == nullptr && length > 0)) return -1;
  int sent = 0;
  while (sent < length) {
    // MSG_NOSIGNAL: a printer that resets the connection must not end the program.
    const ssize_t n = send(g_socket, data + sent, static_cast<size_t>(length - sent), MSG_NOSIGNAL);
    if (n > 0) {
      sent += static_cast<int>(n);
    } else if (n < 0 && errno == EINTR) {
      continue;
    } else {
      // Reset, or the send time-out ran out: say how far it got.
      return sent > 0 ? sent : -1;
    }
  }
  return sent;
}

extern "C" int TZNetClose(void) {
  CloseSocket();
  return 0;
}
