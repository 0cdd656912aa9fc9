#pragma once
// Texts go to the printer in its code page, GBK (code page 936).
#include <string_view>

#include "core/bytes.h"

// The GBK bytes of a UTF-8 text. A character that GBK cannot carry, or a
// byte that is no UTF-8, becomes "?", as the system's own conversion does.
ByteString ToGbk(std::string_view utf8);
