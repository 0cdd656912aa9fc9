#include "link/baudrate.h"

#include <array>

int BaudRateFromText(const std::string& text) {
  static constexpr std::array<int, 15> kRates = {110,   300,   600,   1200,  2400,   4800,   9600,  14400,
                                                 19200, 38400, 56000, 57600, 115200, 128000, 256000};
  // The names are all digits, so ignoring case changes nothing here.
  for (int rate : kRates)
    if (text == std::to_string(rate)) return rate;
  return 9600;
}
