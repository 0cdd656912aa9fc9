#pragma once
// Test and device actions: print test, drawer, cutter, mechanism test,
// beeper prompt, NV logo print.
#include <cstdint>
#include <string>

#include "core/bytes.h"
#include "core/errors.h"

// A test string this large is refused before it is built: the ranges and
// line counts are typed by hand, and a slip of a digit must not take all
// the machine's memory. The text is what a failed allocation reads.
inline constexpr int64_t kMaxTestBytes = int64_t{64} << 20;
class ETestTooLarge : public AppError {
 public:
  ETestTooLarge() : AppError("Out of memory") {}
};

// Print test: ESC @, ESC U 0, ESC 3 14, `lines` lines of `lineLength` "H"
// each ending in LF (none when lines <= 0), ESC @, ESC d 6.
ByteString PrintTestCommand(int lines, int lineLength);

// Cash drawer pulse on pin 2, then CR: 1B 70 00 32 32 0D.
ByteString CashDrawerCommand();

// Feed past the cutting position and cut partly: 1D 56 42 18.
ByteString CutCommand();

// The options of the dot-matrix mechanism test, as the window holds them.
// The texts are converted only where the test uses them: first and last
// with ownRange, mode when the range has a row.
struct MechanismTestOptions {
  bool upsideDown = false;
  bool unidirectional = false;
  bool align = false;
  bool ownRange = false;
  bool lineFeed = false;
  std::string first = "0";
  std::string last = "400";
  std::string mode = "0";
};

// One row per k of the range: k in decimal, a bit image k columns wide
// of lowest dots, and a double-byte character; then the closing lines.
ByteString MechanismTestCommand(const MechanismTestOptions& options);

// Beeper prompt: 10 15 n t, each the low 8 bits of its number.
ByteString BeeperPromptCommand(int count, int time);

// Print stored NV bit image 1 in normal size: 1C 70 01 00.
ByteString NvLogoPrintCommand();
