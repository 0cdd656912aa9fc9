#include "demos/blackmark.h"

#include <charconv>
#include <cmath>
#include <limits>
#include <string>

#include "core/control_bytes.h"
#include "core/errors.h"
#include "demos/gbk.h"

namespace {
using Wide = __int128;

// Beyond this the count is outside 32 bits whatever the rounding.
constexpr double kSurelyOutOfRangeMm = 4e8;

Wide PowerOfTen(int exponent) {
  Wide p = 1;
  for (int i = 0; i < exponent; ++i) p *= 10;
  return p;
}

// The shortest decimal of a finite double as digits times a power of ten.
void ShortestDecimal(double value, Wide& mantissa, int& exponent10) {
  char text[64];
  const auto result =
      std::to_chars(text, text + sizeof text, std::fabs(value), std::chars_format::scientific);
  mantissa = 0;
  int fractionDigits = 0;
  bool inFraction = false;
  const char* p = text;
  for (; p < result.ptr && *p != 'e'; ++p) {
    if (*p == '.') {
      inFraction = true;
      continue;
    }
    mantissa = mantissa * 10 + (*p - '0');
    if (inFraction) ++fractionDigits;
  }
  int exponent = 0;
  if (p < result.ptr) std::from_chars(*(p + 1) == '+' ? p + 2 : p + 1, result.ptr, exponent);
  exponent10 = exponent - fractionDigits;
}
}  // namespace

BlackMarkOffset OffsetFromMillimetres(double mm) {
  if (!std::isfinite(mm) || std::fabs(mm) > kSurelyOutOfRangeMm) throw AppError(kOffsetOutOfRange);

  // units = mantissa * 10^exponent10 / 0.1764 = mantissa * 10^(exponent10 + 4) / 1764, exactly.
  Wide mantissa = 0;
  int exponent10 = 0;
  ShortestDecimal(mm, mantissa, exponent10);
  Wide numerator = mantissa;
  Wide denominator = 1764;
  const int shift = exponent10 + 4;
  if (shift >= 0) {
    numerator *= PowerOfTen(shift);
  } else if (shift >= -30) {
    denominator *= PowerOfTen(-shift);
  } else {
    numerator = 0;  // far below half a unit
  }
  Wide units = numerator / denominator;
  const Wide twiceRest = 2 * (numerator % denominator);
  if (twiceRest > denominator || (twiceRest == denominator && units % 2 != 0)) ++units;
  if (mm < 0) units = -units;

  if (units > std::numeric_limits<int32_t>::max() || units < std::numeric_limits<int32_t>::min())
    throw AppError(kOffsetOutOfRange);
  const int n = static_cast<int>(units);
  // C++ division truncates toward zero and the remainder keeps the sign of n.
  return BlackMarkOffset{n, n % 256, n / 256};
}

bool BackFeedTooLong(double mm) { return mm > kMaxBackFeedMm; }

ByteString BlackMarkOffsetCommand(MarkPosition a, FeedDirection m, const BlackMarkOffset& offset) {
  ByteString out = Bytes({ctl::GS, 0x54, ctl::GS, 0x28, 0x46, 0x04, 0x00});
  PutByte(out, static_cast<int>(a));
  PutByte(out, static_cast<int>(m));
  PutByte(out, offset.nL);
  PutByte(out, offset.nH);
  return out;
}

namespace {
// "Start printing", LF, the line about where the paper goes, then ESC d 5 and LF.
ByteString DemoText(const char* secondLine) {
  ByteString out = ToGbk("开始打印");
  out += ctl::LF;
  out += ToGbk(secondLine);
  out += Bytes({ctl::ESC, 0x64, 0x05, ctl::LF});
  return out;
}
}  // namespace

ByteString FeedToPrintStartDemo() {
  ByteString out = DemoText("然后走纸到下一个起始打印位置");
  // 1D 54, then GS FF: feed marked paper to the print-start position.
  out += Bytes({ctl::GS, 0x54, ctl::GS, ctl::FF, ctl::CR});
  return out;
}

ByteString FeedToCutDemo() {
  ByteString out = DemoText("然后走纸到下一个切/撕纸位置");
  // 1D 54, then GS V B 13: feed to the cut position plus 13 units and cut.
  out += Bytes({ctl::GS, 0x54, ctl::GS, 0x56, 0x42, ctl::CR});
  return out;
}
