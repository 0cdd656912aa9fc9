#include "commands/parameters.h"

#include <gtest/gtest.h>

#include <functional>

#include "core/bytes.h"
#include "core/errors.h"

namespace {
// The text of the conversion error a builder raises, or "" when it builds.
std::string ErrorOf(const std::function<ByteString()>& build) {
  try {
    build();
  } catch (const EConvertError& e) {
    return e.what();
  }
  return {};
}
}  // namespace

TEST(PrintHCommand, IsTheVendorCommandWithFeedSix) {
  EXPECT_EQ(HexDump(PrintHCommand()), "1F 1B 1F FB 1B 64 06");
}

TEST(HParameterCommand, TheShownDigitIsReadAsHexadecimal) {
  struct Case {
    const char* text;
    const char* bytes;
  } cases[] = {{"0", "1F 1B 1F FC 00"}, {"5", "1F 1B 1F FC 05"}, {"9", "1F 1B 1F FC 09"},
               {"A", "1F 1B 1F FC 0A"}, {"D", "1F 1B 1F FC 0D"}, {"F", "1F 1B 1F FC 0F"},
               {"a", "1F 1B 1F FC 0A"}, {"d", "1F 1B 1F FC 0D"}, {"f", "1F 1B 1F FC 0F"}};
  for (const auto& c : cases) EXPECT_EQ(HexDump(HParameterCommand(c.text)), c.bytes) << c.text;
}

TEST(HParameterCommand, AnEmptiedBoxOrANonDigitIsAConversionErrorOfTheDollarText) {
  EXPECT_EQ(ErrorOf([] { return HParameterCommand(""); }), "'$' is not a valid integer value");
  EXPECT_EQ(ErrorOf([] { return HParameterCommand("G"); }), "'$G' is not a valid integer value");
  EXPECT_EQ(ErrorOf([] { return HParameterCommand(" "); }), "'$ ' is not a valid integer value");
}

TEST(CodePageCommand, SendsTheLowByteOfTheNumberAndTwoLineFeeds) {
  struct Case {
    const char* text;
    const char* bytes;
  } cases[] = {{"0", "1F 1B 1F FF 00 0A 0A"},   {"300", "1F 1B 1F FF 2C 0A 0A"},
               {"-1", "1F 1B 1F FF FF 0A 0A"},  {"255", "1F 1B 1F FF FF 0A 0A"},
               {"256", "1F 1B 1F FF 00 0A 0A"}, {" 16", "1F 1B 1F FF 10 0A 0A"},
               {"$1F", "1F 1B 1F FF 1F 0A 0A"}};
  for (const auto& c : cases) EXPECT_EQ(HexDump(CodePageCommand(c.text)), c.bytes) << c.text;
  for (const char* bad : {"abc", "", "1 ", "1.5"})
    EXPECT_EQ(ErrorOf([bad] { return CodePageCommand(bad); }),
              "'" + std::string(bad) + "' is not a valid integer value")
        << bad;
}

TEST(CodePagePrintCommand, IsTheUpperHalfTwiceBetweenResetAndCut) {
  const ByteString bytes = CodePagePrintCommand();
  ASSERT_EQ(bytes.size(), 277u);
  EXPECT_EQ(HexDump(bytes.substr(0, 7)), "1B 40 1C 2E 1B 21 00");
  EXPECT_EQ(HexDump(bytes.substr(bytes.size() - 6)), "1D 56 41 48 1C 26");
  int seen[256] = {};
  for (unsigned char c : bytes.substr(7, 128)) ++seen[c];
  for (unsigned char c : bytes.substr(7 + 128 + 5, 128)) ++seen[c];
  for (int b = 0x80; b <= 0xFF; ++b) EXPECT_EQ(seen[b], 2) << b;
  // Ascending, with normal then doubled print between the two halves.
  EXPECT_EQ(static_cast<unsigned char>(bytes[7]), 0x80);
  EXPECT_EQ(static_cast<unsigned char>(bytes[7 + 127]), 0xFF);
  EXPECT_EQ(HexDump(bytes.substr(135, 5)), "0A 0A 1B 21 30");
  EXPECT_EQ(HexDump(bytes.substr(268, 3)), "0A 1B 40");
}

TEST(SerialBaudCommand, TheFirstCharacterOfTheChoiceIsTheCode) {
  struct Case {
    const char* text;
    const char* bytes;
  } cases[] = {
      {"0:4800bps", "1F 1B 1F FD 00"},  {"1:9600bps", "1F 1B 1F FD 01"},  {"2:19200bps", "1F 1B 1F FD 02"},
      {"3:38400bps", "1F 1B 1F FD 03"}, {"4:57600bps", "1F 1B 1F FD 04"}, {"5:115200bps", "1F 1B 1F FD 05"},
      {"6:2400bps", "1F 1B 1F FD 06"},  {"1: 9600bps", "1F 1B 1F FD 01"}, {"9", "1F 1B 1F FD 09"}};
  for (const auto& c : cases) EXPECT_EQ(HexDump(SerialBaudCommand(c.text)), c.bytes) << c.text;
  EXPECT_EQ(ErrorOf([] { return SerialBaudCommand("x:9600"); }), "'x' is not a valid integer value");
  EXPECT_EQ(ErrorOf([] { return SerialBaudCommand(""); }), "'' is not a valid integer value");
  // A double-byte first character stays whole in the message.
  EXPECT_EQ(ErrorOf([] { return SerialBaudCommand("波特率"); }), "'波' is not a valid integer value");
}

TEST(ChoiceCommands, EveryRowOfTheValueTableWithTheTypedTextColumn) {
  struct Case {
    const char* name;
    ByteString (*build)(int);
    const char* prefix;
    std::vector<int> items;  // value of item 0, 1, …
    int other;               // typed text (no item) and any other position
  } cases[] = {
      {"density", &DensityCommand, "1F 1B 1F 60 04 05 06", {0x33, 0x55, 0x77}, 0x77},
      {"line feed", &AutoLineFeedCommand, "1F 1B 1F 58 14 15 16", {0x22, 0x11}, 0x11},
      {"buzzer", &BuzzerCommand, "1F 1B 1F 42 65 65 70", {0x08, 0x06}, 0x06},
      {"reprint", &ReprintCommand, "1F 1B 1F F4 11 22 33", {0x55, 0x33}, 0x33},
      {"emulation", &EmulationCommand, "1F 1B 1F DC 10 11 12 15 16 17", {0x55, 0x33}, 0x33},
      {"small font", &SmallFontCommand, "1F 1B 1F E5 09 06 03", {0xAA, 0x77}, 0x77},
  };
  for (const auto& c : cases) {
    auto expect = [&](int index, int value) {
      EXPECT_EQ(HexDump(c.build(index)), std::string(c.prefix) + " " + HexDump(Bytes({value})))
          << c.name << " index " << index;
    };
    for (size_t i = 0; i < c.items.size(); ++i) expect(static_cast<int>(i), c.items[i]);
    expect(-1, c.other);
    expect(static_cast<int>(c.items.size()), c.other);
  }
  EXPECT_EQ(DensityCommand(1).size(), 8u);
  EXPECT_EQ(EmulationCommand(1).size(), 11u);
}
