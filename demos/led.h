#pragma once
// Commands of the customer LED display.
#include <string_view>

#include "core/bytes.h"

// The most characters the amount edit takes.
inline constexpr int kLedAmountMaxLength = 9;

ByteString LightUnitPrice();  // ESC s 1
ByteString LightTotal();      // ESC s 2
// ESC Q A, the amount as typed (its GBK bytes, nothing checked), CR.
ByteString ShowAmount(std::string_view amountUtf8);
ByteString ClearScreen();      // FF
ByteString ClearCursorLine();  // CAN
ByteString InitialiseLed();    // ESC @
