#pragma once
// Windows bitmap files, read without the toolkit so that the raster
// conversion sees exactly the colours the file holds.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/errors.h"

// A decoded picture. Colours are 0x00BBGGRR (red in the low byte, as the
// dot test reads them); rows top first.
struct Picture {
  int width = 0;
  int height = 0;
  std::vector<uint32_t> pixels;

  uint32_t At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// A file that cannot be read as a bitmap; what() says why.
class EBitmapError : public AppError {
 public:
  using AppError::AppError;
};

// Larger pictures are refused before any memory is taken for them.
inline constexpr int kMaxBitmapSide = 32767;
inline constexpr int64_t kMaxBitmapPixels = int64_t{4096} * 4096;

// Decodes a whole .bmp file: 1, 4, 8, 16, 24 and 32 bits per pixel, colour
// tables, bottom-up and top-down rows, RLE4/RLE8 and bit-field masks.
// Raises EBitmapError for a file that is not one or is cut short.
Picture DecodeBmp(std::string_view file);

// Reads and decodes the file; errors name the file.
Picture LoadBmpFile(const std::string& path);
