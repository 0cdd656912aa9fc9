#include <gtest/gtest.h>

#include <cerrno>

#include "core/bytes.h"
#include "core/errors.h"
#include "core/numconv.h"

TEST(ErrorBoxText, AppendsAFullStopAfterCharactersThatSortAfterTheDot) {
  struct Case {
    const char* text;
    const char* shown;
  } cases[] = {
      {"File not found", "File not found."},
      {"'$' is not a valid integer value", "'$' is not a valid integer value."},
      {"I/O error 32", "I/O error 32."},
      {"Unable to open com port (win error code: 2)", "Unable to open com port (win error code: 2)"},
      {"Done.", "Done."},
      {"Stop!", "Stop!"},
      {"BMP图形太大", "BMP图形太大."},
      {"ends in a path/", "ends in a path/."},
      {"ends in a comma,", "ends in a comma,"},
      {"", ""},
  };
  for (const auto& c : cases) EXPECT_EQ(ErrorBoxText(c.text), c.shown) << c.text;
}

TEST(StrToInt, AcceptsThePlatformForms) {
  struct Case {
    const char* text;
    int value;
  } cases[] = {
      {"0", 0},        {"300", 300},       {"-1", -1},          {"+7", 7},           {"   42", 42},
      {"$A", 10},      {"$ff", 255},       {"x1F", 31},         {"X1f", 31},         {"0x10", 16},
      {"0X7fffffff", 2147483647},          {"2147483647", 2147483647},              {"-2147483648", -2147483647 - 1},
      {"007", 7},
  };
  for (const auto& c : cases) {
    auto v = TryStrToInt(c.text);
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_EQ(*v, c.value) << c.text;
  }
}

TEST(StrToInt, RefusesEverythingElse) {
  for (const char* text : {"", " ", "$", "0x", "-", "+", "12 ", "1a", "A", "-$5", "$-5", "2147483648",
                           "-2147483649", "$80000000", "\t5", "1.5", "0x1G"}) {
    EXPECT_FALSE(TryStrToInt(text).has_value()) << "'" << text << "'";
  }
  try {
    StrToInt("$");
    FAIL() << "no error raised";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'$' is not a valid integer value");
  }
}

TEST(StrToInt, ByteIsTheLowEightBits) {
  EXPECT_EQ(LowByte(StrToInt("300")), 0x2C);
  EXPECT_EQ(LowByte(StrToInt("-1")), 0xFF);
  EXPECT_EQ(LowByte(StrToInt("256")), 0x00);
}

TEST(InOutError, CodesAndTextsFollowTheErrnoTable) {
  struct Case {
    int err;
    const char* text;
  } cases[] = {
      {ENOENT, "File not found"},     {ENOTDIR, "Invalid filename"},   {ENAMETOOLONG, "Invalid filename"},
      {EMFILE, "Too many open files"}, {ENFILE, "Too many open files"}, {EACCES, "File access denied"},
      {EPERM, "File access denied"},  {EROFS, "File access denied"},   {ENOSPC, "Disk full"},
      {EIO, "I/O error 5"},           {EPIPE, "I/O error 32"},         {EINTR, "I/O error 4"},
      {ENETUNREACH, "I/O error 101"},
  };
  for (const auto& c : cases) EXPECT_EQ(InOutErrorFromErrno(c.err).what(), std::string(c.text)) << c.err;
  EXPECT_STREQ(EInOutError(100).what(), "Read beyond end of file");
  EXPECT_STREQ(EInOutError(106).what(), "Invalid numeric input");
}

TEST(EComPort, CarriesTheOsErrorInTheText) {
  EXPECT_STREQ(EComPort("Unable to open com port", 16).what(), "Unable to open com port (win error code: 16)");
}

TEST(Bytes, HoldsZeroBytesAndDumps) {
  ByteString b = Bytes({0x1F, 0x00, 0xFF, 0x100 + 0x0D});
  ASSERT_EQ(b.size(), 4u);
  EXPECT_EQ(HexDump(b), "1F 00 FF 0D");
}
