#include "nvlogo/scramble.h"

#include <cstdint>

#include "core/numconv.h"

namespace {
// Upper-case hex without leading zeros; a negative value as its 32-bit
// two's complement.
std::string Hex(int32_t value) {
  static const char kDigits[] = "0123456789ABCDEF";
  uint32_t v = static_cast<uint32_t>(value);
  std::string out;
  do {
    out.insert(out.begin(), kDigits[v % 16]);
    v /= 16;
  } while (v != 0);
  return out;
}
}  // namespace

std::string ScrambleHex(const std::string& valueText) {
  const int32_t v = StrToInt("$" + valueText) - kScrambleOffset;
  const std::string t = Hex(v);
  const int key = StrToInt(std::string("$") + kScrambleKey);
  std::string appended;
  for (size_t i = 0; i + 1 < t.size(); i += 2) appended += Hex(StrToInt("$" + t.substr(i, 2)) ^ key);
  return appended.size() <= 2 ? appended : appended.substr(appended.size() - 2);
}
