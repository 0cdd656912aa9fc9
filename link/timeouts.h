#pragma once
// Every wait of the printer link, in one place.
#include <chrono>

namespace timeouts {
using std::chrono::milliseconds;
using std::chrono::seconds;

// Serial write: a fixed part plus a part per byte written.
inline constexpr milliseconds kSerialWriteFixed{1000};
inline constexpr milliseconds kSerialWritePerByte{100};

// Network: what the program passes to TZNetOpen, and its own waits.
inline constexpr int kNetConnectSeconds = 5;
inline constexpr int kNetSendSeconds = 7;
inline constexpr milliseconds kNetAfterConnect{5};
inline constexpr int kNetAfterSendMs = 5;
// The NV logo download waits longer after sending, and lets the printer
// settle before it reports success on Ethernet.
inline constexpr int kNvDownloadAfterSendMs = 10;
inline constexpr milliseconds kNvDownloadSettle{100};

// Status check: the printer's time to answer a query (the read never waits,
// so this is all it gets), and the pause after each read.
inline constexpr milliseconds kStatusReplyWait{30};
inline constexpr milliseconds kStatusAfterReadWait{20};
}  // namespace timeouts
