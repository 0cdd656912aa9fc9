#include "nvlogo/listing.h"

#include "nvlogo/scramble.h"

namespace {
constexpr const char* kLinePrefix = "\r\n.db  ";
constexpr size_t kLineStep = 57;  // 50 item characters and the 7 of the prefix
}  // namespace

std::string HexByte(unsigned char byte) {
  static const char kDigits[] = "0123456789ABCDEF";
  return {kDigits[byte >> 4], kDigits[byte & 0x0F]};
}

std::string ListingItems(const RasterGeometry& g, const ByteString& data, bool scrambled) {
  std::string out;
  out.reserve((data.size() + 8) * 5);
  auto item = [&](int value) {
    const std::string digits = HexByte(static_cast<unsigned char>(value));
    out += ",0x";
    out += scrambled ? ScrambleHex(digits) : digits;
  };
  for (int b : {0x1C, 0x71, 0x01, g.xL, g.xH, g.yL, g.yH}) item(b);
  for (char b : data) item(static_cast<unsigned char>(b));
  item(0x01);
  return out;
}

std::string LayoutListing(std::string text) {
  const std::string prefix = kLinePrefix;
  // Positions count from 1; a prefix goes in while its position is less
  // than the length the text has at that moment.
  for (size_t pos = 1; pos < text.size(); pos += kLineStep) text.insert(pos - 1, prefix);
  for (size_t at = text.find(" ,"); at != std::string::npos; at = text.find(" ,", at == 0 ? 0 : at - 1))
    text.erase(at, 2);
  return text;
}
