#pragma once
// The printer parameter commands of the feature panels. Texts are the
// controls' texts as the user left them; a text that does not convert
// raises the conversion error before anything is built.
#include <string>

#include "core/bytes.h"

// Print H: 1F 1B 1F FB, then ESC d 6.
ByteString PrintHCommand();

// Set parameter T: 1F 1B 1F FC t, t the hexadecimal digit the box shows.
ByteString HParameterCommand(const std::string& digitText);

// Set parameter t (code page): 1F 1B 1F FF n 0A 0A, n a decimal number.
ByteString CodePageCommand(const std::string& numberText);

// Print the code page's upper half twice, normal and doubled, then cut.
ByteString CodePagePrintCommand();

// Serial baud: 1F 1B 1F FD b, b the number the choice text begins with.
ByteString SerialBaudCommand(const std::string& choiceText);

// The choice commands take the selected item's position; -1 (a typed text)
// and any position past the items give the value of the last item.
ByteString DensityCommand(int itemIndex);       // 1F 1B 1F 60 04 05 06 d
ByteString AutoLineFeedCommand(int itemIndex);  // 1F 1B 1F 58 14 15 16 v
ByteString BuzzerCommand(int itemIndex);        // 1F 1B 1F 42 65 65 70 v
ByteString ReprintCommand(int itemIndex);       // 1F 1B 1F F4 11 22 33 v
ByteString EmulationCommand(int itemIndex);     // 1F 1B 1F DC 10 11 12 15 16 17 v
ByteString SmallFontCommand(int itemIndex);     // 1F 1B 1F E5 09 06 03 v
