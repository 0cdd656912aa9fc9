// The demo windows' byte builders, without any window.
#include <gtest/gtest.h>

#include "core/bytes.h"
#include "core/errors.h"
#include "demos/blackmark.h"
#include "demos/gbk.h"
#include "demos/status.h"

TEST(OffsetFromMillimetres, TiesGoToTheEvenCountAndSignsStayOnBothHalves) {
  struct Case {
    double mm;
    int n, nL, nH;
  } cases[] = {
      {0.0882, 0, 0, 0},     // 0.5 units
      {0.2646, 2, 2, 0},     // 1.5
      {0.441, 2, 2, 0},      // 2.5
      {0.6174, 4, 4, 0},     // 3.5
      {-0.441, -2, -2, 0},   // -2.5
      {-0.2646, -2, -2, 0},  // -1.5
      {45.1584, 256, 0, 1},  // exactly 256 units
      {-45.1584, -256, 0, -1}, {-45.3348, -257, -1, -1}, {1e-300, 0, 0, 0},
  };
  for (const auto& c : cases) {
    const BlackMarkOffset o = OffsetFromMillimetres(c.mm);
    EXPECT_EQ(o.n, c.n) << c.mm;
    EXPECT_EQ(o.nL, c.nL) << c.mm;
    EXPECT_EQ(o.nH, c.nH) << c.mm;
  }
}

TEST(OffsetFromMillimetres, CountsOutside32BitsAreRefused) {
  // 378816115.3308 mm is exactly 2147483647 units.
  EXPECT_EQ(OffsetFromMillimetres(378816115.4).n, 2147483647);
  EXPECT_EQ(OffsetFromMillimetres(-378816115.5).n, -2147483647 - 1);
  for (double mm : {378816115.5, -378816115.6, 1e12, -1e300}) {
    try {
      OffsetFromMillimetres(mm);
      ADD_FAILURE() << mm << " accepted";
    } catch (const AppError& e) {
      EXPECT_STREQ(e.what(), kOffsetOutOfRange);
    }
  }
}

TEST(BlackMarkOffsetCommand, CarriesPositionDirectionAndTheLowBytes) {
  EXPECT_EQ(HexDump(BlackMarkOffsetCommand(MarkPosition::CutTear, FeedDirection::Backward,
                                           OffsetFromMillimetres(-100))),
            "1D 54 1D 28 46 04 00 02 01 C9 FE");
}

TEST(ToGbk, EncodesChineseAndReplacesWhatGbkCannotCarry) {
  EXPECT_EQ(HexDump(ToGbk("开始打印")), "BF AA CA BC B4 F2 D3 A1");
  EXPECT_EQ(ToGbk("12345678"), "12345678");
  EXPECT_EQ(HexDump(ToGbk("￥1")), "A3 A4 31");
  EXPECT_EQ(ToGbk("a😀b"), "a?b");
  EXPECT_EQ(ToGbk("a\xFF"
                  "b"),
            "a?b");
  EXPECT_EQ(ToGbk("a\xE5\xBC"), "a?");  // cut off in the middle of a character
  EXPECT_EQ(ToGbk(""), "");
}

TEST(JudgeReply, OnlyFiveEqualAnswersGiveAVerdictOfAPrinter) {
  struct Case {
    ByteString reply;
    int family;
    Verdict verdict;
  } cases[] = {
      {Bytes({0x12, 0x12, 0x12, 0x12, 0x12}), 2, Verdict::Online},
      {Bytes({0x1A, 0x1A, 0x1A, 0x1A, 0x1A}), 0, Verdict::Offline},
      {Bytes({0xFF, 0x08, 0x18, 0x28, 0x88}), 1, Verdict::Offline},
      {Bytes({0x12, 0x12, 0x12, 0x12}), 2, Verdict::NotDetected},
      {Bytes({}), 2, Verdict::NotDetected},
      {Bytes({0x1A, 0x1A, 0x1A, 0x1A, 0x12}), 2, Verdict::NotDetected},
      {Bytes({0x04, 0x04, 0x04, 0x04, 0x04}), 3, Verdict::Offline},
      {Bytes({0x08, 0x08, 0x08, 0x08, 0x08}), 3, Verdict::Online},
      {Bytes({0x1A, 0x1A, 0x1A, 0x1A, 0x1A}), 3, Verdict::Online},  // bit 3 is not looked at
      {Bytes({0x04, 0x04, 0x00, 0x04, 0x04}), 3, Verdict::NotDetected},
  };
  for (const auto& c : cases) {
    const StatusFamily f = StatusFamilyOfIndex(c.family);
    EXPECT_EQ(JudgeReply(ReplyDigits(c.reply, f.mask), f.offlinePattern).verdict, c.verdict)
        << HexDump(c.reply) << " family " << c.family;
  }
}
