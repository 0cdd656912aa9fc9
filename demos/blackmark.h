#pragma once
// Black-mark offsets of the dot-matrix printers: millimetres to motion units,
// the offset command and the two demonstrations.
#include <cstdint>

#include "core/bytes.h"

// One motion unit of the printer's paper feed, in millimetres.
inline constexpr double kMotionUnitMm = 0.1764;
// The backward buttons refuse anything longer (exactly 100 passes).
inline constexpr double kMaxBackFeedMm = 100;
inline constexpr const char* kBackFeedTooLong = "最大退纸长度不能 超过 100 毫米！！";
inline constexpr const char* kOffsetOutOfRange =
    "Offset out of range: the unit count must lie between -2147483648 and 2147483647";

// The unit count and its two command values; nL keeps the sign of n.
struct BlackMarkOffset {
  int n;
  int nL;
  int nH;
};

// mm / 0.1764 rounded to the nearest whole number, a tie to the even one.
// The value is taken as the decimal it was typed as (the shortest decimal
// that names the double), so 0.441 mm is exactly 2.5 units and gives 2.
// Raises AppError (kOffsetOutOfRange) when the count leaves the 32-bit range.
BlackMarkOffset OffsetFromMillimetres(double mm);

bool BackFeedTooLong(double mm);

enum class MarkPosition { PrintStart = 0x01, CutTear = 0x02 };
enum class FeedDirection { Forward = 0x00, Backward = 0x01 };

// 1D 54, GS ( F 04 00 a m nL nH: the low eight bits of nL and nH.
ByteString BlackMarkOffsetCommand(MarkPosition a, FeedDirection m, const BlackMarkOffset& offset);

// Sample text, then feed to the next print-start position (46 bytes).
ByteString FeedToPrintStartDemo();
// Sample text, then feed to the next cut/tear position and cut (46 bytes).
ByteString FeedToCutDemo();
