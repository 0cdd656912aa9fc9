#pragma once
// A pseudo-terminal pair standing in for a serial printer: the code under
// test opens SlavePath() as its port, the test plays the printer on Master().
#include <termios.h>

#include <chrono>
#include <cstddef>
#include <string>
#include <string_view>

class PtyPair {
 public:
  // Raises std::runtime_error when no pseudo-terminal can be had.
  PtyPair();
  ~PtyPair();
  PtyPair(const PtyPair&) = delete;
  PtyPair& operator=(const PtyPair&) = delete;

  int Master() const { return master_; }
  // The pair keeps a slave descriptor of its own, so the line stays up
  // while the code under test opens and closes it; -1 after CloseSlave().
  int Slave() const { return slave_; }
  const std::string& SlavePath() const { return slavePath_; }
  void CloseSlave();

  // What reaches the master until `count` bytes have come or `within` has
  // passed, whichever is first.
  std::string Read(std::chrono::milliseconds within, size_t count = std::string::npos) const;
  // Plays the printer: bytes sent towards the port (XON/XOFF, replies).
  void Write(std::string_view bytes) const;

  // The slave's settings read from the master side (Linux answers with the
  // slave's termios there), so no slave descriptor is needed.
  termios SlaveSettings() const;
  // The same through tcgetattr on the pair's own slave descriptor.
  termios SlaveSettingsDirect() const;

 private:
  int master_ = -1;
  int slave_ = -1;
  std::string slavePath_;
};
