#include "nvlogo/nvcommands.h"

#include "core/control_bytes.h"

using namespace ctl;

ByteString NvLogoDownload(const RasterGeometry& g, const ByteString& data) {
  ByteString out{ESC, '@', GS, 'T', FS, 'q', 0x01};
  for (int v : {g.xL, g.xH, g.yL, g.yH}) PutByte(out, v);
  out += data;
  PutByte(out, 0x01);
  return out;
}

ByteString NvLogoPrint(int mode) {
  ByteString out{ESC, '@', ESC, 'a', 0x01, GS, 'T', FS, 'p', 0x01};
  out += std::to_string(mode);
  out += {ESC, '@'};
  return out;
}

ByteString NvLogoClear() {
  return Bytes({0x1C, 0x71, 0x01, 0x01, 0x00, 0x01, 0x00, 0, 0, 0, 0, 0, 0, 0, 0, 0x01});
}

DownloadSize LimitDownloadSize(int xBytes, int yBytes) {
  // The command carries x and y in one byte each, and the printer's
  // download area holds 1536 units.
  DownloadSize s{xBytes, yBytes};
  if (s.x > 255) s.x = 255;
  if (s.y > 48) s.y = 48;
  if (s.x * s.y > 1536) s.y = 1536 / s.x;
  return s;
}

ByteString DefineBitmapTextLine(const DownloadSize& s) {
  return "xL=" + std::to_string(s.x) + ";yL=" + std::to_string(s.y) + LF;
}

ByteString DefineBitmap(const DownloadSize& s, const ByteString& data) {
  ByteString out{GS, '*'};
  PutByte(out, s.x);
  PutByte(out, s.y);
  return out + data;
}

ByteString PrintDownloadedFourWays() {
  return Bytes({0x1D, 0x2F, 0x00, 0x1D, 0x2F, 0x01, 0x1D, 0x2F, 0x02, 0x1D, 0x2F, 0x03});
}

ByteString PrintDownloadedWithName() {
  ByteString out{ESC, 'a', 0x00, GS, '/', 0x00, LF};
  return out + "velto" + LF;
}

ByteString TestPageImagePart(int xBytes, int height, const ByteString& rows) {
  ByteString out{GS, 'v', '0', '0'};
  for (int v : {xBytes % 256, xBytes / 256, height % 256, height / 256}) PutByte(out, v);
  return out + rows + LF;
}

namespace {
// Five lines of 'count' characters, line h starting at code 0x21 + h; then LF.
void CharacterLines(ByteString& out, int count) {
  for (int h = 0; h < 5; ++h) {
    for (int w = 0; w < count; ++w) PutByte(out, 0x21 + h + w);
    out += LF;
  }
  out += LF;
}
}  // namespace

ByteString TestPage(const ByteString& imagePart, int zeroRun) {
  ByteString out{ESC, '@'};
  out += {ESC, 'a', '1', ESC, '!', '0'};
  out += "Selftest";
  out += {LF, LF};
  out += imagePart;
  out += {ESC, 'a', '0'};
  if (zeroRun > 0) out.append(static_cast<size_t>(zeroRun), NUL);
  out += {ESC, '!', 0x00};
  CharacterLines(out, 42);
  out += {ESC, '!', 0x01};
  CharacterLines(out, 56);
  // GB2312 from the first character of its hanzi area, B0 A1.
  for (int h = 0; h < 5; ++h) {
    for (int w = 0; w < 21; ++w) {
      PutByte(out, 0xB0);
      PutByte(out, 0xA1 + h + w);
    }
    out += LF;
  }
  out += LF;
  out += {ESC, 'a', '1'};
  out += imagePart;
  out += {ESC, '!', '('};
  out += "*** Completed ***";
  out += LF;
  out.append(7, LF);
  out += {ESC, 'r', 0x00, ESC, 'i', ESC, '@'};
  return out;
}

ByteString TestPageCopy(int number, const ByteString& page) {
  ByteString out{ESC, 'a', '1'};
  return out + std::to_string(number) + LF + page;
}
