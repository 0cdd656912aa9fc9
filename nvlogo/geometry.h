#pragma once
// Raster geometry of a picture sent as printer bit-image data.

// All values are plain ints with C++'s / and % (truncate toward zero, the
// remainder takes the dividend's sign), as the printer commands count them.
struct RasterGeometry {
  int W = 0;           // source width in dots
  int H = 0;           // source height in rows
  int fillX = 0;       // white columns added at the right to reach a multiple of 8
  int fillY = 0;       // white rows added at the bottom
  int xBytes = 0;      // width in 8-dot units
  int yBytes = 0;      // height in 8-dot units
  int xL = 0, xH = 0;  // xBytes as low and high byte
  int yL = 0, yH = 0;  // yBytes as low and high byte
  int byteCount = 0;   // 8 * xBytes * yBytes, the size of the bit-image data
};

// Bit-image data larger than this is refused: the printer's NV area holds less.
inline constexpr int kByteCountLimit = 50000;

// The geometry of a W x H dot picture padded with white to whole 8-dot units.
// Callers pass the picture's size, adjusted as their command asks (a crop
// offset taken off W, an extra row added to H).
RasterGeometry ComputeGeometry(int W, int H);
