#include "link/devices.h"

#include <algorithm>
#include <cctype>
#include <cstdlib>

#include "core/numconv.h"

namespace {
std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return std::toupper(c); });
  return s;
}
}  // namespace

DeviceMap::DeviceMap() {
  paths_["LPT1"] = "/dev/lp0";
  paths_["LPT2"] = "/dev/lp1";
  for (int i = 1; i <= 8; ++i) paths_["COM" + std::to_string(i)] = "/dev/ttyS" + std::to_string(i - 1);
}

DeviceMap DeviceMap::FromEnvironment() {
  DeviceMap map;
  for (auto& [name, path] : map.paths_) {
    if (const char* v = std::getenv(("PRINTSET_" + name).c_str()); v && *v) path = v;
  }
  if (const char* v = std::getenv("PRINTSET_NET_PORT"); v && *v) {
    auto port = TryStrToInt(v);
    if (port && *port > 0 && *port < 65536) map.netPort_ = *port;
  }
  return map;
}

std::string DeviceMap::PathFor(const std::string& name) const {
  auto it = paths_.find(Upper(name));
  return it == paths_.end() ? name : it->second;
}

void DeviceMap::Set(const std::string& portName, const std::string& path) { paths_[Upper(portName)] = path; }

bool DeviceMap::IsPortName(const std::string& name) const { return paths_.count(Upper(name)) != 0; }

DeviceMap& Devices() {
  static DeviceMap map = DeviceMap::FromEnvironment();
  return map;
}
