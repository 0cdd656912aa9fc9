#include "nvlogo/raster.h"

#include <algorithm>

#include "core/numconv.h"

Surface::Surface(int width, int height, uint32_t background)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pixels_(static_cast<size_t>(width_) * height_, background) {}

void Surface::Draw(const Picture& picture, int left, int top) {
  for (int y = 0; y < picture.height; ++y) {
    const int sy = top + y;
    if (sy < 0 || sy >= height_) continue;
    for (int x = 0; x < picture.width; ++x) SetPixel(left + x, sy, picture.At(x, y));
  }
}

Surface DrawClientArea(int clientWidth, int clientHeight, const Picture& picture, const ImagePlace& place) {
  // The fill reaches at most 7 columns right and 8 rows (one extra) below.
  constexpr int kMargin = 16;
  Surface s(std::max(clientWidth, place.left + place.width + kMargin),
            std::max(clientHeight, place.top + place.height + kMargin), kWindowBackground);
  s.Draw(picture, place.left, place.top);
  return s;
}

void PaintWhiteFill(Surface& surface, const ImagePlace& place, int fillX, int fillY, FillVariant variant) {
  const int width = place.width, height = place.height;
  if (variant != FillVariant::TestPage) {
    for (int c = 0; c < width + fillX; ++c)
      for (int r = height; r < height + fillY; ++r) surface.SetPixel(place.left + c, place.top + r, kWhite);
  }
  const int lastRow = variant == FillVariant::NvLogoDownload ? height : height - 1;
  for (int c = width; c < width + fillX; ++c)
    for (int r = 0; r <= lastRow; ++r) surface.SetPixel(place.left + c, place.top + r, kWhite);
}

std::string BinStrToHex(const std::string& bits) {
  uint64_t value = 0;
  for (char c : bits) value = value * 2 + static_cast<uint64_t>(StrToInt(std::string(1, c)));
  static const char kDigits[] = "0123456789ABCDEF";
  std::string hex;
  do {
    hex.insert(hex.begin(), kDigits[value % 16]);
    value /= 16;
  } while (value != 0);
  if (hex.size() < 2) hex.insert(hex.begin(), '0');
  return hex;
}

namespace {
// Packing: eight samples make a byte, the first of them bit 7 (the value
// BinStrToHex gives for their bit text). The order is a template argument
// so that each scan keeps a loop of its own, with nothing decided per dot.
template <bool kColumnsOuter>
ByteString Scan(const Surface& surface, int left, int top, int columns, int rows, int32_t threshold) {
  ByteString out;
  if (columns <= 0 || rows <= 0) return out;
  const int outer = kColumnsOuter ? columns : rows;
  const int inner = kColumnsOuter ? rows : columns;
  out.reserve(static_cast<size_t>(outer) * (inner / 8));
  unsigned byte = 0;
  int bits = 0;
  for (int o = 0; o < outer; ++o) {
    for (int i = 0; i < inner; ++i) {
      const int c = kColumnsOuter ? o : i;
      const int r = kColumnsOuter ? i : o;
      byte = byte << 1 | (IsDot(surface.Pixel(left + c, top + r), threshold) ? 1u : 0u);
      if (++bits == 8) {
        out.push_back(static_cast<char>(byte));
        byte = 0;
        bits = 0;
      }
    }
  }
  return out;
}
}  // namespace

ByteString ScanColumns(const Surface& surface, int left, int top, int columns, int rows, int32_t threshold) {
  return Scan<true>(surface, left, top, columns, rows, threshold);
}

ByteString ScanRows(const Surface& surface, int left, int top, int columns, int rows, int32_t threshold) {
  return Scan<false>(surface, left, top, columns, rows, threshold);
}
