#pragma once
// The data listings: the NV logo command as assembler ".db" lines.
#include <string>

#include "core/bytes.h"
#include "nvlogo/geometry.h"

// Upper-case hex digits of a byte: "0A".
std::string HexByte(unsigned char byte);

// The items ",0x.." of the NV bit-image command (FS q 1, the geometry, the
// data, the closing 01), before the line layout. Scrambled items carry
// ScrambleHex of the byte's digits instead of the digits.
std::string ListingItems(const RasterGeometry& g, const ByteString& data, bool scrambled);

// Cuts the items into lines: CR LF ".db  " before character 1, 58, 115, …
// while that position lies inside the text, then every " ," removed.
std::string LayoutListing(std::string items);
