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
inline constexpr int kNetAfterSendMs = 5;  // 10 at the NV logo download
}  // namespace timeouts
