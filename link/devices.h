#pragma once
// Where the port names of the port list live on this machine.
#include <map>
#include <string>

class DeviceMap {
 public:
  // LPT1, LPT2 -> /dev/lp0, /dev/lp1; COM1 … COM8 -> /dev/ttyS0 … /dev/ttyS7;
  // TCP port 9100.
  DeviceMap();
  // The defaults with PRINTSET_LPT1 … PRINTSET_COM8 and PRINTSET_NET_PORT applied.
  static DeviceMap FromEnvironment();

  // Device path of a port name (case ignored, as Windows does); any other
  // name is an ordinary file name and is returned as it stands.
  std::string PathFor(const std::string& name) const;
  void Set(const std::string& portName, const std::string& path);
  // True for the names of the table (LPT1, LPT2, COM1 … COM8).
  bool IsPortName(const std::string& name) const;

  int NetPort() const { return netPort_; }
  void SetNetPort(int port) { netPort_ = port; }

 private:
  std::map<std::string, std::string> paths_;  // keyed by upper-case name
  int netPort_ = 9100;
};

// The process-wide map, read from the environment at first use. Tests
// change it through Set/SetNetPort.
DeviceMap& Devices();
