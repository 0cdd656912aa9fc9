#pragma once
// Byte strings as the printer sees them: std::string holds any byte,
// 0x00 included, and its size() is the count that goes on the wire.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

using ByteString = std::string;

// Builds a byte string from byte values, e.g. Bytes({0x1F, 0x1B, 0x1F}).
ByteString Bytes(std::initializer_list<int> values);

// Appends one byte (the low 8 bits of the value).
void PutByte(ByteString& out, int value);

// "1F 1B 1F" style text, for messages and tests.
std::string HexDump(std::string_view bytes);
