#pragma once
// The vendor's configuration family: 1F 1B 1F, a function byte, then the rest.
#include <string_view>

#include "core/bytes.h"
#include "core/control_bytes.h"

inline ByteString VendorCommand(int function, std::string_view rest = {}) {
  ByteString out{'\x1F', ctl::ESC, '\x1F'};
  PutByte(out, function);
  out.append(rest);
  return out;
}
