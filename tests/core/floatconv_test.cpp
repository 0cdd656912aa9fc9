#include "core/floatconv.h"

#include <gtest/gtest.h>

#include "core/errors.h"

TEST(StrToFloat, AcceptsDecimalsWithTheGivenSeparator) {
  struct Case {
    const char* text;
    const char* separator;
    double value;
  } cases[] = {
      {"0", ".", 0},          {"25.4", ".", 25.4}, {"-5", ".", -5},         {"+0.441", ".", 0.441},
      {".5", ".", 0.5},       {"5.", ".", 5},      {"  7.25  ", ".", 7.25}, {"1e3", ".", 1000},
      {"1.5E-2", ".", 0.015}, {"2e+1", ".", 20},   {"25,4", ",", 25.4},     {"-0,2646", ",", -0.2646},
      {"1٫5", "٫", 1.5},  // a separator of more than one byte
      {"007.50", ".", 7.5},
  };
  for (const auto& c : cases) {
    auto v = TryStrToFloat(c.text, c.separator);
    ASSERT_TRUE(v.has_value()) << c.text;
    EXPECT_DOUBLE_EQ(*v, c.value) << c.text;
  }
}

TEST(StrToFloat, RefusesEverythingElse) {
  struct Case {
    const char* text;
    const char* separator;
  } cases[] = {
      {"", "."},     {" ", "."},   {"abc", "."},     {".", "."},    {"-", "."},   {"1.2.3", "."},
      {"1e", "."},   {"e5", "."},  {"1e+", "."},     {"--1", "."},  {"1 2", "."}, {"1,5", "."},
      {"1.5", ","},  {"inf", "."}, {"nan", "."},     {"0x10", "."}, {"$10", "."}, {"1e400", "."},
      {"12mm", "."}, {"\t1", "."}, {"1,000.5", "."},
  };
  for (const auto& c : cases)
    EXPECT_FALSE(TryStrToFloat(c.text, c.separator).has_value()) << "'" << c.text << "'";
}

TEST(StrToFloat, RaisesTheConversionErrorWithTheText) {
  try {
    StrToFloat("12,5", ".");
    FAIL() << "no error raised";
  } catch (const EConvertError& e) {
    EXPECT_STREQ(e.what(), "'12,5' is not a valid floating point value");
  }
  EXPECT_DOUBLE_EQ(StrToFloat("12,5", ","), 12.5);
}
