#include "nvlogo/bmp.h"

#include <algorithm>
#include <bit>
#include <cerrno>

#include "link/devicefile.h"

namespace {
constexpr uint32_t kRgb = 0, kRle8 = 1, kRle4 = 2, kBitFields = 3;
constexpr int kFileHeader = 14;
// Files larger than any picture we accept can hold are not read at all.
constexpr int64_t kMaxFileSize = kMaxBitmapPixels * 4 + (1 << 20);

[[noreturn]] void Fail(const std::string& why) { throw EBitmapError(why); }

class Reader {
 public:
  explicit Reader(std::string_view data) : d_(data) {}
  size_t Size() const { return d_.size(); }
  uint8_t U8(size_t at) const { return static_cast<uint8_t>(d_[at]); }
  uint16_t U16(size_t at) const { return static_cast<uint16_t>(U8(at) | U8(at + 1) << 8); }
  uint32_t U32(size_t at) const { return U16(at) | static_cast<uint32_t>(U16(at + 2)) << 16; }
  int32_t I32(size_t at) const { return static_cast<int32_t>(U32(at)); }

 private:
  std::string_view d_;
};

uint32_t ColourRef(uint8_t r, uint8_t g, uint8_t b) { return r | g << 8 | static_cast<uint32_t>(b) << 16; }

// One channel of a bit-field pixel, scaled to 0..255.
struct Channel {
  uint32_t mask = 0;
  int shift = 0;
  uint32_t max = 0;
  explicit Channel(uint32_t m) : mask(m) {
    if (m == 0) return;
    shift = std::countr_zero(m);
    max = m >> shift;
  }
  uint8_t Of(uint32_t pixel) const {
    if (max == 0) return 0;
    return static_cast<uint8_t>((uint64_t{(pixel & mask) >> shift} * 255 + max / 2) / max);
  }
};

struct Header {
  int width = 0;
  int height = 0;
  bool topDown = false;
  int bpp = 0;
  uint32_t compression = kRgb;
  uint32_t colours = 0;  // colour-table entries the file declares, 0 = the full set
  uint32_t masks[3] = {0, 0, 0};
  bool hasMasks = false;
  size_t tableAt = 0;
  int entrySize = 4;
};

Header ReadHeader(const Reader& in) {
  if (in.Size() < 2 || in.U8(0) != 'B' || in.U8(1) != 'M')
    Fail("it does not begin with the bitmap signature BM");
  if (in.Size() < kFileHeader + 4) Fail("it ends inside its header");
  const uint32_t size = in.U32(kFileHeader);
  if (size != 12 && size != 16 && size != 40 && size != 52 && size != 56 && size != 64 && size != 108 &&
      size != 124)
    Fail("its header size " + std::to_string(size) + " is not that of a bitmap header");
  if (in.Size() < kFileHeader + size) Fail("it ends inside its header");

  Header h;
  const size_t at = kFileHeader;
  int64_t height;
  if (size == 12) {
    h.width = in.U16(at + 4);
    height = in.U16(at + 6);
    h.bpp = in.U16(at + 10);
    h.entrySize = 3;
  } else {
    h.width = in.I32(at + 4);
    height = in.I32(at + 8);
    h.bpp = in.U16(at + 14);
    if (size >= 20) h.compression = in.U32(at + 16);
    if (size >= 36) h.colours = in.U32(at + 32);
  }
  h.tableAt = at + size;
  if (height < 0) {
    h.topDown = true;
    height = -height;
  }
  if (h.width <= 0) Fail("its width " + std::to_string(h.width) + " is not a picture width");
  if (height == 0) Fail("its height 0 is not a picture height");
  if (h.width > kMaxBitmapSide || height > kMaxBitmapSide || h.width * height > kMaxBitmapPixels)
    Fail("its size " + std::to_string(h.width) + " x " + std::to_string(height) +
         " is larger than this tool loads");
  h.height = static_cast<int>(height);

  if (h.bpp != 1 && h.bpp != 4 && h.bpp != 8 && h.bpp != 16 && h.bpp != 24 && h.bpp != 32)
    Fail(std::to_string(h.bpp) + " bits per pixel is not a bitmap format");
  // The OS/2 header gives compression 3 and 4 other meanings; only the
  // common ones are taken from it.
  if (size == 64 && h.compression > kRle4)
    Fail("compression " + std::to_string(h.compression) + " is not supported");
  switch (h.compression) {
    case kRgb:
      break;
    case kRle8:
      if (h.bpp != 8) Fail("RLE8 compression needs 8 bits per pixel, not " + std::to_string(h.bpp));
      break;
    case kRle4:
      if (h.bpp != 4) Fail("RLE4 compression needs 4 bits per pixel, not " + std::to_string(h.bpp));
      break;
    case kBitFields:
      if (h.bpp != 16 && h.bpp != 32)
        Fail("bit-field colours need 16 or 32 bits per pixel, not " + std::to_string(h.bpp));
      h.hasMasks = true;
      if (size >= 52) {
        for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(at + 40 + 4 * i);
      } else {
        // The three masks follow a plain info header, before any colour table.
        if (in.Size() < h.tableAt + 12) Fail("it ends inside its colour masks");
        for (int i = 0; i < 3; ++i) h.masks[i] = in.U32(h.tableAt + 4 * i);
        h.tableAt += 12;
      }
      break;
    default:
      Fail("compression " + std::to_string(h.compression) + " is not supported");
  }
  if (h.topDown && (h.compression == kRle8 || h.compression == kRle4))
    Fail("a top-down bitmap cannot be RLE compressed");
  return h;
}

std::vector<uint32_t> ReadColourTable(const Reader& in, const Header& h) {
  if (h.bpp > 8) return {};
  const uint32_t full = 1u << h.bpp;
  const uint32_t count = h.colours == 0 || h.colours > full ? full : h.colours;
  if (h.tableAt + static_cast<uint64_t>(count) * h.entrySize > in.Size())
    Fail("its colour table lies outside the file");
  std::vector<uint32_t> table(full, 0);  // indices past the table's end show black
  for (uint32_t i = 0; i < count; ++i) {
    const size_t e = h.tableAt + i * h.entrySize;
    table[i] = ColourRef(in.U8(e + 2), in.U8(e + 1), in.U8(e));
  }
  return table;
}

void DecodeRows(const Reader& in, size_t dataAt, const Header& h, const std::vector<uint32_t>& table,
                Picture& p) {
  const int64_t stride = (int64_t{h.width} * h.bpp + 31) / 32 * 4;
  // A last row without its padding is still a whole picture.
  const int64_t need = stride * (h.height - 1) + (int64_t{h.width} * h.bpp + 7) / 8;
  if (static_cast<int64_t>(dataAt) + need > static_cast<int64_t>(in.Size()))
    Fail("it ends inside the pixel data");

  uint32_t defaults[3] = {0x7C00, 0x03E0, 0x001F};
  if (h.bpp == 32) {
    defaults[0] = 0xFF0000;
    defaults[1] = 0xFF00;
    defaults[2] = 0xFF;
  }
  const uint32_t* masks = h.hasMasks ? h.masks : defaults;
  const Channel red(masks[0]), green(masks[1]), blue(masks[2]);

  for (int row = 0; row < h.height; ++row) {
    const size_t base = dataAt + static_cast<size_t>(row * stride);
    const int y = h.topDown ? row : h.height - 1 - row;
    uint32_t* out = &p.pixels[static_cast<size_t>(y) * h.width];
    for (int x = 0; x < h.width; ++x) {
      switch (h.bpp) {
        case 1:
          out[x] = table[in.U8(base + x / 8) >> (7 - x % 8) & 1];
          break;
        case 4:
          out[x] = table[in.U8(base + x / 2) >> (x % 2 ? 0 : 4) & 0x0F];
          break;
        case 8:
          out[x] = table[in.U8(base + x)];
          break;
        case 16: {
          const uint32_t v = in.U16(base + 2 * x);
          out[x] = ColourRef(red.Of(v), green.Of(v), blue.Of(v));
          break;
        }
        case 24: {
          const size_t e = base + 3 * x;
          out[x] = ColourRef(in.U8(e + 2), in.U8(e + 1), in.U8(e));
          break;
        }
        case 32: {
          const uint32_t v = in.U32(base + 4 * x);
          out[x] = ColourRef(red.Of(v), green.Of(v), blue.Of(v));
          break;
        }
      }
    }
  }
}

// RLE8 and RLE4: runs and literal groups, rows bottom first. Pixels the data
// never reaches keep colour 0 of the table; pixels past a row's end are dropped.
void DecodeRle(const Reader& in, size_t at, const Header& h, const std::vector<uint32_t>& table, Picture& p) {
  const bool four = h.compression == kRle4;
  int x = 0, row = 0;
  auto put = [&](int index) {
    if (x < h.width && row < h.height)
      p.pixels[static_cast<size_t>(h.height - 1 - row) * h.width + x] = table[index];
    ++x;
  };
  auto need = [&](size_t n) {
    if (at + n > in.Size()) Fail("its compressed data ends before the end-of-picture mark");
  };
  std::fill(p.pixels.begin(), p.pixels.end(), table[0]);
  for (;;) {
    need(2);
    const int count = in.U8(at), value = in.U8(at + 1);
    at += 2;
    if (count > 0) {
      for (int i = 0; i < count; ++i) put(four ? (i % 2 ? value & 0x0F : value >> 4) : value);
      continue;
    }
    if (value == 0) {  // end of row
      x = 0;
      ++row;
    } else if (value == 1) {  // end of picture
      return;
    } else if (value == 2) {  // move right and up
      need(2);
      x += in.U8(at);
      row += in.U8(at + 1);
      at += 2;
    } else {  // a literal group, padded to a 16-bit boundary
      const size_t bytes = four ? (value + 1) / 2 : value;
      need(bytes + bytes % 2);
      for (int i = 0; i < value; ++i) {
        const int b = in.U8(at + (four ? i / 2 : i));
        put(four ? (i % 2 ? b & 0x0F : b >> 4) : b);
      }
      at += bytes + bytes % 2;
    }
    // Data past the top row cannot show; the picture is complete.
    if (row >= h.height) return;
  }
}
}  // namespace

Picture DecodeBmp(std::string_view file) {
  const Reader in(file);
  const Header h = ReadHeader(in);
  const std::vector<uint32_t> table = ReadColourTable(in, h);
  const uint32_t dataAt = in.U32(10);
  if (dataAt < h.tableAt || dataAt >= in.Size()) Fail("its pixel data lies outside the file");

  Picture p;
  p.width = h.width;
  p.height = h.height;
  p.pixels.assign(static_cast<size_t>(h.width) * h.height, 0);
  if (h.compression == kRle8 || h.compression == kRle4)
    DecodeRle(in, dataAt, h, table, p);
  else
    DecodeRows(in, dataAt, h, table, p);
  return p;
}

Picture LoadBmpFile(const std::string& path) {
  auto fail = [&](const std::string& why) -> EBitmapError {
    return EBitmapError("Cannot load the bitmap " + path + ": " + why);
  };
  std::string data;
  try {
    data = ReadFileBytes(path, static_cast<size_t>(kMaxFileSize));
  } catch (const EFileTooLarge&) {
    throw fail("the file is larger than any picture this tool loads");
  } catch (const EInOutError& e) {
    throw fail(e.what());
  }
  try {
    return DecodeBmp(data);
  } catch (const EBitmapError& e) {
    throw fail(e.what());
  }
}
