#pragma once
// The print-speed and auto-disconnect configuration commands.
#include "core/bytes.h"

// Set Print Speed: 1F 1B 1F 96 01 02 03 11 12 13 s 0D, where s is 55 for
// the speed list's entry 0 ("250mm/s") and 33 for any other index, -1 included.
ByteString PrintSpeedCommand(int speedIndex);

// Auto disconnect mode OFF: 1F 1B 1F 95 01 02 03 11 12 13 55 55 (no CR).
ByteString AutoDisconnectOffCommand();
