#pragma once
// The platform's text-to-number conversion, as the edits of the windows use it.
#include <optional>
#include <string>

// Leading blanks; then an optional sign and decimal digits, or a "$", "x",
// "X", "0x", "0X" prefix and hex digits; nothing after; signed 32-bit range.
std::optional<int> TryStrToInt(const std::string& text);

// As TryStrToInt, raising "'%s' is not a valid integer value".
int StrToInt(const std::string& text);

// The byte a number stands for on the wire: its low 8 bits.
inline int LowByte(int value) { return value & 0xFF; }
