#pragma once
// A printer's print port on 127.0.0.1: listens on a port of its own, accepts
// connections on a thread and keeps what each one received.
#include <chrono>
#include <condition_variable>
#include <cstddef>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

class TcpListener {
 public:
  struct Options {
    // After this many bytes on a connection, reset it (RST) instead of
    // reading on; 0 never resets.
    size_t resetAfter = 0;
  };

  // Raises std::runtime_error when it cannot listen.
  TcpListener();
  explicit TcpListener(Options options);
  ~TcpListener();
  TcpListener(const TcpListener&) = delete;
  TcpListener& operator=(const TcpListener&) = delete;

  int Port() const { return port_; }

  // Waits until `count` connections have ended (closed by the peer or reset)
  // or `within` has passed; true when they have.
  bool WaitForClosed(size_t count, std::chrono::milliseconds within) const;
  // Bytes received, one entry per accepted connection in order of arrival.
  std::vector<std::string> Received() const;
  // All bytes of all connections, in order.
  std::string AllReceived() const;

  // A port on 127.0.0.1 that refuses connections: bound, then let go.
  static int RefusedPort();

 private:
  void Run();

  Options options_;
  int listener_ = -1;
  int stopPipe_[2] = {-1, -1};
  int port_ = 0;
  mutable std::mutex mutex_;
  mutable std::condition_variable changed_;
  std::vector<std::string> received_;
  size_t closed_ = 0;
  std::thread thread_;
};
