#pragma once
// The control-byte table that every command builder draws from.
namespace ctl {
inline constexpr char NUL = 0x00;
inline constexpr char ESC = 0x1B;
inline constexpr char FS = 0x1C;
inline constexpr char GS = 0x1D;
inline constexpr char LF = 0x0A;
inline constexpr char FF = 0x0C;
inline constexpr char CR = 0x0D;
inline constexpr char SP = 0x20;
inline constexpr char CAN = 0x18;
}  // namespace ctl
