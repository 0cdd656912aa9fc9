#pragma once
// Raster conversion: a picture as drawn on the window, padded with white,
// sampled dot by dot and packed into printer bit-image bytes.
#include <cstdint>
#include <string>
#include <vector>

#include "core/bytes.h"
#include "nvlogo/bmp.h"
#include "nvlogo/geometry.h"

// Colours are 0x00BBGGRR, as the window surface reports them.
inline constexpr uint32_t kWhite = 0x00FFFFFF;
// The classic button face: the window background, whatever the desktop
// theme, so that the unpainted row and columns never turn into dots.
inline constexpr uint32_t kWindowBackground = 0x00F0F0F0;
// What a sample outside the drawn area reads: all bits set.
inline constexpr uint32_t kInvalidColour = 0xFFFFFFFF;
// The dot threshold of every conversion but the NV logo download's own.
inline constexpr int32_t kDefaultThreshold = 0x800000;

// An off-screen drawing of the window's client area: background, the
// picture at the image control's place and whatever fill was painted.
class Surface {
 public:
  Surface(int width, int height, uint32_t background);

  int Width() const { return width_; }
  int Height() const { return height_; }
  // kInvalidColour outside the surface.
  uint32_t Pixel(int x, int y) const {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return kInvalidColour;
    return pixels_[static_cast<size_t>(y) * width_ + x];
  }
  // Outside the surface: nothing happens.
  void SetPixel(int x, int y, uint32_t colour) {
    if (x < 0 || y < 0 || x >= width_ || y >= height_) return;
    pixels_[static_cast<size_t>(y) * width_ + x] = colour;
  }
  void Draw(const Picture& picture, int left, int top);

 private:
  int width_;
  int height_;
  std::vector<uint32_t> pixels_;
};

// Where the image control sits in the client area and how large it is.
struct ImagePlace {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
};

// The client area as the window draws it. The drawing reaches at least a
// byte's worth of columns and rows past the picture even when the window is
// smaller, so a shrunken window still converts like the full one.
Surface DrawClientArea(int clientWidth, int clientHeight, const Picture& picture, const ImagePlace& place);

// Which white strips a conversion paints before it samples.
enum class FillVariant {
  NvLogoDownload,  // bottom strip; right strip one row deeper than the picture
  DefineBitmap,    // bottom strip; right strip beside the picture
  TestPage,        // right strip only
  Listing,         // as DefineBitmap
};

// Paints the white strips right of and below the picture, in image
// coordinates; fillX and fillY come from the conversion's own geometry.
void PaintWhiteFill(Surface& surface, const ImagePlace& place, int fillX, int fillY, FillVariant variant);

// The dot test: the colour as a signed 32-bit number below the threshold
// is a dot. An unreadable sample (-1) is therefore a dot.
inline bool IsDot(uint32_t colour, int32_t threshold) { return static_cast<int32_t>(colour) < threshold; }

// A text of 0 and 1 digits, most significant first, as upper-case hex with
// at least two digits ("00000001" gives "01"). Each character counts as a
// decimal digit times its power of two.
std::string BinStrToHex(const std::string& bits);

// Column scan: columns outer, rows inner, starting at (left, top) on the
// surface; each column gives rows / 8 bytes, top group first.
ByteString ScanColumns(const Surface& surface, int left, int top, int columns, int rows, int32_t threshold);

// Row scan: rows outer, columns inner; each row gives columns / 8 bytes,
// leftmost group first.
ByteString ScanRows(const Surface& surface, int left, int top, int columns, int rows, int32_t threshold);
