#pragma once
// The scrambling step of the scrambled data listing.
#include <string>

// The two constants of the scrambling: a one-byte key held as two hex
// digits, and a one-byte offset. Change them here and nowhere else.
inline constexpr const char* kScrambleKey = "C3";
inline constexpr int kScrambleOffset = 0x5A;

// Scrambles the two hex digits of one byte: (value - offset) in hex, taken
// in pairs from the left, each pair XOR the key; the last two digits of the
// results, or fewer (even none) when the results are that short.
std::string ScrambleHex(const std::string& valueText);
