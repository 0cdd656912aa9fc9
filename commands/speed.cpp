#include "commands/speed.h"

#include "commands/vendor.h"

namespace {
// Fixed bytes that both commands carry between function and value.
constexpr char kFixed[] = {0x01, 0x02, 0x03, 0x11, 0x12, 0x13};
}  // namespace

ByteString PrintSpeedCommand(int speedIndex) {
  ByteString out = VendorCommand(0x96, std::string_view(kFixed, sizeof kFixed));
  PutByte(out, speedIndex == 0 ? 0x55 : 0x33);
  out.push_back(ctl::CR);
  return out;
}

ByteString AutoDisconnectOffCommand() {
  ByteString out = VendorCommand(0x95, std::string_view(kFixed, sizeof kFixed));
  PutByte(out, 0x55);
  PutByte(out, 0x55);
  return out;
}
