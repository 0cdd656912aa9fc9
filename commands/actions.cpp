#include "commands/actions.h"

#include "core/control_bytes.h"
#include "core/numconv.h"

namespace {
// "测试机芯完成" (mechanism test complete) in GBK.
constexpr char kTestComplete[] = "\xB2\xE2\xCA\xD4\xBB\xFA\xD0\xBE\xCD\xEA\xB3\xC9";
// A GBK double-byte character followed by the letter F, closing every row.
constexpr char kRowMark[] = "\xBA\xC3\x46";
// The shortest row: one digit, its line end, FS S, ESC * m nL nH, the mark, CR.
constexpr int64_t kShortestRow = 1 + 1 + 4 + 5 + 3 + 1;
// The options before the rows and the closing lines after them.
constexpr int64_t kMechanismFrame = 11 + 24;
// ESC @, ESC U 0, ESC 3 14 before the lines; ESC @, ESC d 6 after them.
constexpr int64_t kPrintTestFrame = 8 + 5;

int64_t DecimalLength(int64_t k) {
  int64_t n = k < 0 ? 2 : 1;
  for (int64_t a = k < 0 ? -k : k; a >= 10; a /= 10) ++n;
  return n;
}

// The whole mechanism test's length, or a length past the limit as soon as
// it is clear the test exceeds it. The shortest rows settle the far larger
// ranges at once; what is left has few enough rows to count one by one.
int64_t MechanismTestSize(int first, int last, bool lineFeed) {
  const int64_t rows = int64_t{last} - first + 1;
  const int64_t dataFrom = first > 1 ? first : 1;
  const int64_t data = last >= dataFrom ? (dataFrom + last) * (last - dataFrom + 1) / 2 : 0;
  int64_t size = kMechanismFrame + rows * kShortestRow + data;
  for (int64_t k = first; k <= last && size <= kMaxTestBytes; ++k)
    size += DecimalLength(k) - 1 + (lineFeed || k % 10 == 0 ? 1 : 0);
  return size;
}
}  // namespace

ByteString PrintTestCommand(int lines, int lineLength) {
  if (lines > 0 && kPrintTestFrame + int64_t{lines} * (lineLength + 1) > kMaxTestBytes) throw ETestTooLarge();
  ByteString out = Bytes({ctl::ESC, 0x40, ctl::ESC, 0x55, 0x00, ctl::ESC, 0x33, 0x0E});
  if (lines > 0) {
    ByteString line(lineLength, 'H');
    line.push_back(ctl::LF);
    out.reserve(out.size() + static_cast<size_t>(lines) * line.size() + 5);
    for (int i = 0; i < lines; ++i) out += line;
  }
  out += Bytes({ctl::ESC, 0x40, ctl::ESC, 0x64, 0x06});
  return out;
}

ByteString CashDrawerCommand() { return Bytes({ctl::ESC, 0x70, 0x00, 0x32, 0x32, ctl::CR}); }

ByteString CutCommand() { return Bytes({ctl::GS, 0x56, 0x42, 0x18}); }

ByteString MechanismTestCommand(const MechanismTestOptions& o) {
  ByteString out = Bytes({ctl::ESC, 0x40, ctl::ESC, 0x7B, o.upsideDown ? 0x01 : 0x00});
  out += Bytes({ctl::ESC, 0x55, o.unidirectional ? 0x01 : 0x00});
  out += Bytes({ctl::ESC, 0x61, o.align ? 0x01 : 0x00});

  int first = 0;
  int last = 200;
  if (o.ownRange) {
    first = StrToInt(o.first);
    last = StrToInt(o.last);
  }
  if (last >= first) {
    // The mode box is read for every row; nothing changes it in between.
    // Its first reading, at the first row, comes before the test could grow
    // too large, so a bad mode is reported even for a far too wide range.
    const int m = StrToInt(o.mode);
    const int64_t size = MechanismTestSize(first, last, o.lineFeed);
    if (size > kMaxTestBytes) throw ETestTooLarge();
    out.reserve(static_cast<size_t>(size));
    // A 64-bit counter: a range ending at the largest int must not wrap.
    for (int64_t k64 = first; k64 <= last; ++k64) {
      const int k = static_cast<int>(k64);
      out += std::to_string(k);
      out.push_back(k < 10 ? ctl::LF : ctl::CR);
      out += Bytes({ctl::FS, 0x53, 0x00, 0x00});
      out += Bytes({ctl::ESC, 0x2A, LowByte(m), LowByte(k % 256), LowByte(k / 256)});
      if (k > 0) out.append(static_cast<size_t>(k), '\x01');
      out += kRowMark;
      if (o.lineFeed || k % 10 == 0)
        out += Bytes({ctl::CR, ctl::LF});
      else
        out.push_back(ctl::CR);
    }
  }

  out += Bytes({ctl::FS, 0x21, 0x0C, ctl::ESC, 0x61, 0x01, ctl::LF});
  out += kTestComplete;
  out += Bytes({ctl::ESC, 0x64, 0x05, ctl::ESC, 0x40});
  return out;
}

ByteString BeeperPromptCommand(int count, int time) {
  return Bytes({0x10, 0x15, LowByte(count), LowByte(time)});
}

ByteString NvLogoPrintCommand() { return Bytes({ctl::FS, 0x70, 0x01, 0x00}); }
