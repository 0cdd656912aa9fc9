#pragma once
#include <string>

#include "core/bytes.h"

// Writes the whole buffer to a port's device ("LPT1", through the device map)
// or to a file, created or emptied. Raises EInOutError on a failing step.
void WriteBufferToFile(const std::string& name, const ByteString& buffer);
