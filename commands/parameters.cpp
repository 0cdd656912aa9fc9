#include "commands/parameters.h"

#include <initializer_list>
#include <string_view>

#include "commands/vendor.h"
#include "core/numconv.h"

namespace {
ByteString Fixed(std::initializer_list<int> values) { return Bytes(values); }

// The value of the item at index; every other state takes the fallback.
int Choice(int index, std::initializer_list<int> values, int fallback) {
  if (index < 0 || index >= static_cast<int>(values.size())) return fallback;
  return values.begin()[index];
}

ByteString ChoiceCommand(int function, std::initializer_list<int> fixed, int value) {
  ByteString out = VendorCommand(function, Fixed(fixed));
  PutByte(out, value);
  return out;
}

// The first character of a UTF-8 text, whole: a typed double-byte character
// must reach the error text intact.
std::string FirstCharacter(const std::string& text) {
  if (text.empty()) return {};
  size_t n = 1;
  while (n < text.size() && (static_cast<unsigned char>(text[n]) & 0xC0) == 0x80) ++n;
  return text.substr(0, n);
}

void AppendRange(ByteString& out, int first, int last) {
  for (int b = first; b <= last; ++b) PutByte(out, b);
}
}  // namespace

ByteString PrintHCommand() {
  ByteString out = VendorCommand(0xFB);
  out += Bytes({ctl::ESC, 0x64, 0x06});
  return out;
}

ByteString HParameterCommand(const std::string& digitText) {
  const int t = StrToInt("$" + digitText);
  ByteString out = VendorCommand(0xFC);
  PutByte(out, LowByte(t));
  return out;
}

ByteString CodePageCommand(const std::string& numberText) {
  const int n = StrToInt(numberText);
  ByteString out = VendorCommand(0xFF);
  PutByte(out, LowByte(n));
  out += Bytes({ctl::LF, ctl::LF});
  return out;
}

ByteString CodePagePrintCommand() {
  ByteString out = Bytes({ctl::ESC, 0x40, ctl::FS, 0x2E, ctl::ESC, 0x21, 0x00});
  AppendRange(out, 0x80, 0xFF);
  out += Bytes({ctl::LF, ctl::LF, ctl::ESC, 0x21, 0x30});
  AppendRange(out, 0x80, 0xFF);
  out += Bytes({ctl::LF, ctl::ESC, 0x40, ctl::GS, 0x56, 0x41, 0x48, ctl::FS, 0x26});
  return out;
}

ByteString SerialBaudCommand(const std::string& choiceText) {
  const int b = StrToInt(FirstCharacter(choiceText));
  ByteString out = VendorCommand(0xFD);
  PutByte(out, LowByte(b));
  return out;
}

ByteString DensityCommand(int itemIndex) {
  return ChoiceCommand(0x60, {0x04, 0x05, 0x06}, Choice(itemIndex, {0x33, 0x55, 0x77}, 0x77));
}

ByteString AutoLineFeedCommand(int itemIndex) {
  return ChoiceCommand(0x58, {0x14, 0x15, 0x16}, Choice(itemIndex, {0x22, 0x11}, 0x11));
}

ByteString BuzzerCommand(int itemIndex) {
  return ChoiceCommand(0x42, {0x65, 0x65, 0x70}, Choice(itemIndex, {0x08, 0x06}, 0x06));
}

ByteString ReprintCommand(int itemIndex) {
  return ChoiceCommand(0xF4, {0x11, 0x22, 0x33}, Choice(itemIndex, {0x55, 0x33}, 0x33));
}

ByteString EmulationCommand(int itemIndex) {
  return ChoiceCommand(0xDC, {0x10, 0x11, 0x12, 0x15, 0x16, 0x17}, Choice(itemIndex, {0x55, 0x33}, 0x33));
}

ByteString SmallFontCommand(int itemIndex) {
  return ChoiceCommand(0xE5, {0x09, 0x06, 0x03}, Choice(itemIndex, {0xAA, 0x77}, 0x77));
}
