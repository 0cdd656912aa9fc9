#pragma once
// Status check of serial printers: the queries, the exchange and the verdict.
#include <chrono>
#include <string>

#include "core/bytes.h"
#include "link/timeouts.h"

class TComPort;

// Five queries per check, each answered (or not) by one byte.
inline constexpr int kStatusCycles = 5;
using timeouts::kStatusAfterReadWait;
using timeouts::kStatusReplyWait;

inline constexpr const char* kSelectSerialPort = "You must select Serial Port!!";
inline constexpr const char* kOnlinePattern = "00000";

// What the chosen model family asks and how its answer reads.
struct StatusFamily {
  ByteString query;
  int mask;
  std::string offlinePattern;
};

// 0, 1, 2: DLE EOT 1 with the offline bit 3; 3: ESC v with bit 2.
StatusFamily StatusFamilyOfIndex(int index);

// One decimal number per reply byte: the byte AND the mask.
std::string ReplyDigits(const ByteString& reply, int mask);

struct Rgb {
  int r, g, b;
  bool operator==(const Rgb&) const = default;
};

enum class Verdict { Online, Offline, NotDetected };

struct StatusVerdict {
  Verdict verdict;
  const char* text;
  Rgb colour;
};

// Exactly five clear bits: online; exactly the offline pattern: offline;
// anything else (fewer replies, a mix): no printer detected.
StatusVerdict JudgeReply(const std::string& digits, const std::string& offlinePattern);

// Opens cp on the port at the rate, runs the five query/read cycles and
// closes it again; the port is closed also when the component fails on the
// way. Returns the bytes that came back, in order, 0 to 5 of them.
ByteString ExchangeStatus(TComPort& cp, const std::string& port, int baudRate, const ByteString& query);
