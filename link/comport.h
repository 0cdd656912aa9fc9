#pragma once
// The serial component: one port, 8N1, DTR on, RTS off, XON/XOFF both ways.
#include <string>

#include "core/bytes.h"

class DeviceMap;

class TComPort {
 public:
  TComPort();
  ~TComPort();
  TComPort(const TComPort&) = delete;
  TComPort& operator=(const TComPort&) = delete;

  // Same name: nothing. Another name while open: close, then open the new one.
  void SetPort(const std::string& name);
  const std::string& Port() const { return port_; }
  // Applied at once when the port is open.
  void SetBaudRate(int bitsPerSecond);
  int BaudRate() const { return baudRate_; }

  // Does nothing when already open. Raises EComPort; closed after a failure.
  void Open();
  bool Connected() const { return fd_ >= 0; }
  // Writes every byte; returns when they have left the port or when the
  // write time-out (1000 ms + 100 ms per byte) has run out. Returns the
  // count written.
  int WriteStr(const ByteString& data);
  // Returns at once with what has arrived, at most count bytes.
  ByteString ReadStr(int count);
  // Drops pending transfers and closes; never waits for held-up output.
  void Close();

  // Device map used to find the port's device (the process-wide one by default).
  void SetDeviceMap(const DeviceMap* map) { devices_ = map; }

 private:
  void ApplyLineSettings();

  std::string port_ = "COM1";
  int baudRate_ = 19200;
  int fd_ = -1;
  const DeviceMap* devices_ = nullptr;
};

// Runs body on the open port, then closes the port, also when body raises:
// a port left open would carry one failure into the next send. The body's
// error is the one raised, never a failing close's.
template <class F>
void RunThenClose(TComPort& cp, F&& body) {
  try {
    body();
  } catch (...) {
    try {
      cp.Close();
    } catch (...) {
    }
    throw;
  }
  cp.Close();
}
