#include "commands/actions.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <string>

#include "core/bytes.h"
#include "core/errors.h"

namespace {
const char* const kOpening = "1B 40 1B 7B 00 1B 55 00 1B 61 00";
const char* const kClosing = "1C 21 0C 1B 61 01 0A B2 E2 CA D4 BB FA D0 BE CD EA B3 C9 1B 64 05 1B 40";
const char* const kRow0 = "30 0A 1C 53 00 00 1B 2A 00 00 00 BA C3 46 0D 0A";

MechanismTestOptions OwnRange(const char* first, const char* last) {
  MechanismTestOptions o;
  o.ownRange = true;
  o.first = first;
  o.last = last;
  return o;
}

// The row of k within a mechanism test: from its number to its row end.
std::string RowOf(const ByteString& test, int k) {
  const std::string head = std::to_string(k) + (k < 10 ? "\n" : "\r") + std::string("\x1C\x53\x00\x00", 4);
  const size_t at = test.find(head);
  if (at == std::string::npos) return {};
  const size_t mark = test.find("\xBA\xC3\x46", at);
  size_t end = mark + 3;
  if (test[end] == '\r') ++end;
  if (test[end] == '\n') ++end;
  return test.substr(at, end - at);
}
}  // namespace

TEST(PrintTestCommand, CountsLinesOfTheChosenLength) {
  const ByteString five = PrintTestCommand(5, 40);
  ASSERT_EQ(five.size(), 218u);
  EXPECT_EQ(HexDump(five.substr(0, 8)), "1B 40 1B 55 00 1B 33 0E");
  EXPECT_EQ(HexDump(five.substr(five.size() - 5)), "1B 40 1B 64 06");
  EXPECT_EQ(five.substr(8, 205), [] {
    std::string lines;
    for (int i = 0; i < 5; ++i) lines += std::string(40, 'H') + "\n";
    return lines;
  }());
  for (int none : {0, -1, INT_MIN})
    EXPECT_EQ(HexDump(PrintTestCommand(none, 40)), "1B 40 1B 55 00 1B 33 0E 1B 40 1B 64 06") << none;
  EXPECT_EQ(PrintTestCommand(1, 36).substr(8, 37), std::string(36, 'H') + "\n");
  EXPECT_EQ(PrintTestCommand(2, 42).size(), 13u + 2 * 43);
}

TEST(PrintTestCommand, ALineCountBeyondAnyPrinterIsRefusedBeforeBuilding) {
  EXPECT_THROW(PrintTestCommand(INT_MAX, 40), ETestTooLarge);
  try {
    PrintTestCommand(100000000, 42);
    FAIL();
  } catch (const AppError& e) {
    EXPECT_STREQ(e.what(), "Out of memory");
  }
  // The limit counts the whole command, its 13 fixed bytes included.
  struct Case {
    int lineLength;
    int mostLines;  // the largest count whose command stays within 64 MiB
  } cases[] = {{40, 1636801}, {42, 1560670}, {36, 1813752}};
  for (const auto& c : cases) {
    EXPECT_EQ(PrintTestCommand(c.mostLines, c.lineLength).size(),
              13u + static_cast<size_t>(c.mostLines) * (c.lineLength + 1))
        << c.lineLength;
    EXPECT_LE(13 + int64_t{c.mostLines} * (c.lineLength + 1), kMaxTestBytes) << c.lineLength;
    EXPECT_THROW(PrintTestCommand(c.mostLines + 1, c.lineLength), ETestTooLarge) << c.lineLength;
  }
}

TEST(DeviceCommands, DrawerCutterBeeperAndNvLogoPrint) {
  EXPECT_EQ(HexDump(CashDrawerCommand()), "1B 70 00 32 32 0D");
  EXPECT_EQ(HexDump(CutCommand()), "1D 56 42 18");
  EXPECT_EQ(HexDump(BeeperPromptCommand(3, 2)), "10 15 03 02");
  EXPECT_EQ(HexDump(BeeperPromptCommand(10, 10)), "10 15 0A 0A");
  EXPECT_EQ(HexDump(BeeperPromptCommand(0, 256 + 7)), "10 15 00 07");
  EXPECT_EQ(HexDump(NvLogoPrintCommand()), "1C 70 01 00");
}

TEST(MechanismTestCommand, SizesOfTheRanges) {
  struct Case {
    const char* name;
    MechanismTestOptions options;
    size_t size;
  } cases[] = {
      {"initial options, rows 0 to 200", MechanismTestOptions{}, 23463},
      {"own range 0 to 400", OwnRange("0", "400"), 86983},
      {"own range 0 to 0", OwnRange("0", "0"), 51},
      {"last below first", OwnRange("5", "4"), 35},
  };
  for (const auto& c : cases) {
    const ByteString test = MechanismTestCommand(c.options);
    EXPECT_EQ(test.size(), c.size) << c.name;
    EXPECT_EQ(HexDump(test.substr(0, 11)), kOpening) << c.name;
    EXPECT_EQ(HexDump(test.substr(test.size() - 24)), kClosing) << c.name;
  }
  EXPECT_EQ(HexDump(MechanismTestCommand(OwnRange("0", "0"))),
            std::string(kOpening) + " " + kRow0 + " " + kClosing);
  EXPECT_EQ(HexDump(MechanismTestCommand(OwnRange("7", "-3"))), std::string(kOpening) + " " + kClosing);
}

TEST(MechanismTestCommand, RowsEndAndCarryTheirBitImage) {
  const ByteString test = MechanismTestCommand(OwnRange("0", "400"));
  EXPECT_EQ(HexDump(RowOf(test, 0)), kRow0);
  EXPECT_EQ(HexDump(RowOf(test, 5)), "35 0A 1C 53 00 00 1B 2A 00 05 00 01 01 01 01 01 BA C3 46 0D");
  const std::string row10 = RowOf(test, 10);
  EXPECT_EQ(HexDump(row10.substr(0, 11)), "31 30 0D 1C 53 00 00 1B 2A 00 0A");
  EXPECT_EQ(HexDump(row10.substr(row10.size() - 5)), "BA C3 46 0D 0A");
  const std::string row11 = RowOf(test, 11);
  EXPECT_EQ(HexDump(row11.substr(row11.size() - 4)), "BA C3 46 0D");
  const std::string row300 = RowOf(test, 300);
  EXPECT_EQ(HexDump(row300.substr(0, 13)), "33 30 30 0D 1C 53 00 00 1B 2A 00 2C 01");
  EXPECT_EQ(row300.substr(13, 300), std::string(300, '\x01'));
  EXPECT_EQ(HexDump(row300.substr(313)), "BA C3 46 0D 0A");

  // With the line feed option every row ends in CR LF.
  MechanismTestOptions lf = OwnRange("10", "12");
  lf.lineFeed = true;
  const ByteString fed = MechanismTestCommand(lf);
  for (int k : {10, 11, 12}) {
    const std::string row = RowOf(fed, k);
    EXPECT_EQ(HexDump(row.substr(row.size() - 2)), "0D 0A") << k;
  }
}

TEST(MechanismTestCommand, OptionBytesAndModeByte) {
  MechanismTestOptions o = OwnRange("1", "1");
  o.upsideDown = o.unidirectional = o.align = true;
  o.mode = "33";
  const ByteString test = MechanismTestCommand(o);
  EXPECT_EQ(HexDump(test.substr(0, 11)), "1B 40 1B 7B 01 1B 55 01 1B 61 01");
  EXPECT_EQ(HexDump(RowOf(test, 1)), "31 0A 1C 53 00 00 1B 2A 21 01 00 01 BA C3 46 0D");
  // Each option on its own.
  struct Case {
    bool MechanismTestOptions::*flag;
    const char* opening;
  } cases[] = {{&MechanismTestOptions::upsideDown, "1B 40 1B 7B 01 1B 55 00 1B 61 00"},
               {&MechanismTestOptions::unidirectional, "1B 40 1B 7B 00 1B 55 01 1B 61 00"},
               {&MechanismTestOptions::align, "1B 40 1B 7B 00 1B 55 00 1B 61 01"}};
  for (const auto& c : cases) {
    MechanismTestOptions one;
    one.*c.flag = true;
    EXPECT_EQ(HexDump(MechanismTestCommand(one).substr(0, 11)), c.opening);
  }
}

TEST(MechanismTestCommand, NegativeRowsTakeTheLowBytesOfTheirDivision) {
  // -5 mod 256 is -5 (FB), -5 div 256 is 0; no data bytes.
  const ByteString test = MechanismTestCommand(OwnRange("-5", "-5"));
  EXPECT_EQ(HexDump(test.substr(11, test.size() - 35)), "2D 35 0A 1C 53 00 00 1B 2A 00 FB 00 BA C3 46 0D");
  // -300: mod -44 (D4), div -1 (FF); a multiple of 10 ends in CR LF.
  const ByteString t300 = MechanismTestCommand(OwnRange("-300", "-300"));
  EXPECT_EQ(HexDump(t300.substr(11, t300.size() - 35)),
            "2D 33 30 30 0A 1C 53 00 00 1B 2A 00 D4 FF BA C3 46 0D 0A");
}

TEST(MechanismTestCommand, ConversionErrorsOnlyWhereTheTextIsUsed) {
  auto errorOf = [](const MechanismTestOptions& o) -> std::string {
    try {
      MechanismTestCommand(o);
    } catch (const EConvertError& e) {
      return e.what();
    }
    return {};
  };
  MechanismTestOptions o;
  o.first = "x";
  o.last = "y";
  EXPECT_EQ(errorOf(o), "") << "the range texts count only with the own range";
  o.ownRange = true;
  EXPECT_EQ(errorOf(o), "'x' is not a valid integer value");
  o.first = "3";
  EXPECT_EQ(errorOf(o), "'y' is not a valid integer value");
  o = OwnRange("3", "2");
  o.mode = "m";
  EXPECT_EQ(errorOf(o), "") << "no row reads the mode";
  o.last = "3";
  EXPECT_EQ(errorOf(o), "'m' is not a valid integer value");
}

TEST(MechanismTestCommand, RangesBeyondAnyPrinterAreRefusedBeforeBuilding) {
  for (auto [first, last] : {std::pair{"0", "2147483647"}, std::pair{"2147483647", "2147483647"},
                             std::pair{"-2147483648", "2147483647"}, std::pair{"-2147483648", "-1"}})
    EXPECT_THROW(MechanismTestCommand(OwnRange(first, last)), ETestTooLarge) << first << " " << last;
  // A range ending at the largest number with no data rows does not wrap.
  EXPECT_EQ(MechanismTestCommand(OwnRange("2147483647", "2147483646")).size(), 35u);
  // The limit holds to the byte: rows 0 to 11566 make 67101816 bytes, one
  // row more 67113402, past 64 MiB.
  EXPECT_EQ(MechanismTestCommand(OwnRange("0", "11566")).size(), 67101816u);
  EXPECT_THROW(MechanismTestCommand(OwnRange("0", "11567")), ETestTooLarge);
  // The mode is read at the first row, before the test could outgrow memory.
  MechanismTestOptions wide = OwnRange("0", "2147483647");
  wide.mode = "m";
  EXPECT_THROW(MechanismTestCommand(wide), EConvertError);
}
