#include <gtest/gtest.h>

#include "commands/speed.h"
#include "core/bytes.h"

TEST(PrintSpeedCommand, SpeedByteFollowsTheSelectedEntry) {
  struct Case {
    int index;
    const char* bytes;
  } cases[] = {
      {0, "1F 1B 1F 96 01 02 03 11 12 13 55 0D"},   // 250mm/s
      {1, "1F 1B 1F 96 01 02 03 11 12 13 33 0D"},   // 300mm/s
      {-1, "1F 1B 1F 96 01 02 03 11 12 13 33 0D"},  // typed text, no entry
  };
  for (const auto& c : cases) EXPECT_EQ(HexDump(PrintSpeedCommand(c.index)), c.bytes) << c.index;
}

TEST(AutoDisconnectOffCommand, EndsInTwoValueBytesWithoutCR) {
  EXPECT_EQ(HexDump(AutoDisconnectOffCommand()), "1F 1B 1F 95 01 02 03 11 12 13 55 55");
}
