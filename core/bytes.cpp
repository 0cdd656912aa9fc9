#include "core/bytes.h"

ByteString Bytes(std::initializer_list<int> values) {
  ByteString out;
  out.reserve(values.size());
  for (int v : values) PutByte(out, v);
  return out;
}

void PutByte(ByteString& out, int value) { out.push_back(static_cast<char>(value & 0xFF)); }

std::string HexDump(std::string_view bytes) {
  static const char digits[] = "0123456789ABCDEF";
  std::string out;
  out.reserve(bytes.size() * 3);
  for (unsigned char c : bytes) {
    if (!out.empty()) out.push_back(' ');
    out.push_back(digits[c >> 4]);
    out.push_back(digits[c & 0x0F]);
  }
  return out;
}
