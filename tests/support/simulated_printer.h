#pragma once
// A serial printer played on the master side of a pseudo-terminal: it reads
// whole queries and answers each one at once, as told.
#include <poll.h>
#include <unistd.h>

#include <atomic>
#include <functional>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

#include "tests/support/pty_pair.h"

// Answers the n-th query (from 0) with one byte, or keeps silent.
using Answers = std::function<std::optional<char>(int)>;

inline Answers Always(char reply, int times = 1 << 30) {
  return [=](int n) { return n < times ? std::optional<char>(reply) : std::nullopt; };
}

class SimulatedPrinter {
 public:
  SimulatedPrinter(size_t queryLength, Answers answers)
      : queryLength_(queryLength), answers_(std::move(answers)), thread_([this] { Run(); }) {}
  ~SimulatedPrinter() {
    stop_ = true;
    thread_.join();
  }
  const std::string& SlavePath() const { return pty_.SlavePath(); }
  const PtyPair& Pty() const { return pty_; }
  std::string Received() const {
    std::lock_guard lock(mutex_);
    return received_;
  }

 private:
  void Run() {
    std::string pending;
    int queries = 0;
    char chunk[256];
    while (!stop_) {
      pollfd p{pty_.Master(), POLLIN, 0};
      if (poll(&p, 1, 5) <= 0) continue;
      const ssize_t n = read(pty_.Master(), chunk, sizeof chunk);
      if (n <= 0) continue;
      {
        std::lock_guard lock(mutex_);
        received_.append(chunk, static_cast<size_t>(n));
      }
      pending.append(chunk, static_cast<size_t>(n));
      while (pending.size() >= queryLength_) {
        pending.erase(0, queryLength_);
        if (auto reply = answers_(queries++)) pty_.Write(std::string(1, *reply));
      }
    }
  }

  PtyPair pty_;
  size_t queryLength_;
  Answers answers_;
  std::atomic<bool> stop_{false};
  mutable std::mutex mutex_;
  std::string received_;
  std::thread thread_;
};
