#pragma once
// Printer commands of the NV logo window: plain byte builders.
#include <string>

#include "core/bytes.h"
#include "nvlogo/geometry.h"

// ESC @, two fixed bytes 1D 54, FS q 1 with the geometry, the column-scan
// data and the closing byte 01.
ByteString NvLogoDownload(const RasterGeometry& g, const ByteString& data);

// ESC @, centre, 1D 54, FS p 1 with the print mode's decimal digit
// (0 unscaled … 3 double width and height), ESC @.
ByteString NvLogoPrint(int mode);

// FS q 1 of one blank 8 x 8 image: replaces the stored logo.
ByteString NvLogoClear();

// The size of a downloaded bit image after the command's limits: at most
// 255 units wide, 48 high and 1536 units in all.
struct DownloadSize {
  int x = 0;
  int y = 0;
};
DownloadSize LimitDownloadSize(int xBytes, int yBytes);

// The text line "xL=…;yL=…" and LF that precedes the GS * definition.
ByteString DefineBitmapTextLine(const DownloadSize& s);
// GS * x y and the data.
ByteString DefineBitmap(const DownloadSize& s, const ByteString& data);

// GS / in its four modes.
ByteString PrintDownloadedFourWays();
// Left, GS / 0, LF, the name line, LF.
ByteString PrintDownloadedWithName();

// GS v 0 of the picture: xBytes units wide, `height` dots high, the row-scan
// data and LF.
ByteString TestPageImagePart(int xBytes, int height, const ByteString& rows);
// The whole test page around the image part; zeroRun NULs after the logo.
ByteString TestPage(const ByteString& imagePart, int zeroRun);
// One numbered copy of the page.
ByteString TestPageCopy(int number, const ByteString& page);
