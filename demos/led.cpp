#include "demos/led.h"

#include "core/control_bytes.h"
#include "demos/gbk.h"

ByteString LightUnitPrice() { return Bytes({ctl::ESC, 's', '1'}); }

ByteString LightTotal() { return Bytes({ctl::ESC, 's', '2'}); }

ByteString ShowAmount(std::string_view amountUtf8) {
  ByteString out = Bytes({ctl::ESC, 'Q', 'A'});
  out += ToGbk(amountUtf8);
  out += ctl::CR;
  return out;
}

ByteString ClearScreen() { return Bytes({ctl::FF}); }

ByteString ClearCursorLine() { return Bytes({ctl::CAN}); }

ByteString InitialiseLed() { return Bytes({ctl::ESC, '@'}); }
