#pragma once
// Hand-made bitmap files for the NV logo tests, and the conversion worked
// out directly from the drawing they encode.
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

namespace fixture {

// Colours as the files hold them, written 0x00BBGGRR.
inline const std::map<char, uint32_t> kInk = {
    {'#', 0x000000},  // black: dot
    {'.', 0xFFFFFF},  // white: blank
    {'r', 0x0000FF},  // pure red: dot
    {'b', 0xFF0000},  // pure blue: blank
    {'g', 0x7F7F7F},  // blue 127: dot
    {'G', 0x808080},  // blue 128: blank
};

inline bool InkIsDot(char c) { return c == '#' || c == 'r' || c == 'g'; }

inline void Put16(std::string& s, size_t at, uint32_t v) {
  s[at] = static_cast<char>(v);
  s[at + 1] = static_cast<char>(v >> 8);
}
inline void Put32(std::string& s, size_t at, uint32_t v) {
  Put16(s, at, v & 0xFFFF);
  Put16(s, at + 2, v >> 16);
}

struct Layout {
  int bpp = 8;
  bool topDown = false;
  uint32_t compression = 0;
  int headerSize = 40;
};

// A file with the given colour table (COLORREF entries) and pixel bytes.
inline std::string File(int width, int height, const Layout& l, const std::vector<uint32_t>& table,
                        const std::string& pixels) {
  const size_t entry = l.headerSize == 12 ? 3 : 4;
  const size_t off = 14 + l.headerSize + table.size() * entry;
  std::string f(off, '\0');
  f[0] = 'B';
  f[1] = 'M';
  Put32(f, 2, static_cast<uint32_t>(off + pixels.size()));
  Put32(f, 10, static_cast<uint32_t>(off));
  Put32(f, 14, l.headerSize);
  if (l.headerSize == 12) {
    Put16(f, 18, width);
    Put16(f, 20, height);
    Put16(f, 22, 1);
    Put16(f, 24, l.bpp);
  } else {
    Put32(f, 18, static_cast<uint32_t>(width));
    Put32(f, 22, static_cast<uint32_t>(l.topDown ? -height : height));
    Put16(f, 26, 1);
    Put16(f, 28, l.bpp);
    Put32(f, 30, l.compression);
    Put32(f, 34, static_cast<uint32_t>(pixels.size()));
    Put32(f, 46, static_cast<uint32_t>(table.size()));
  }
  for (size_t i = 0; i < table.size(); ++i) {
    const size_t e = 14 + l.headerSize + i * entry;
    f[e] = static_cast<char>(table[i] >> 16);
    f[e + 1] = static_cast<char>(table[i] >> 8);
    f[e + 2] = static_cast<char>(table[i]);
  }
  return f + pixels;
}

// Encodes a drawing (rows top first, characters of kInk) at the given
// depth: a colour table of the drawing's inks for 1, 4 and 8 bits.
inline std::string Encode(const std::vector<std::string>& drawing, const Layout& l) {
  const int height = static_cast<int>(drawing.size());
  const int width = static_cast<int>(drawing[0].size());
  std::vector<uint32_t> table;
  std::map<char, int> index;
  if (l.bpp <= 8) {
    // White first, so index 0 is not the ink a fault would most likely give.
    for (char c : std::string(".#rbgG")) {
      index[c] = static_cast<int>(table.size());
      table.push_back(kInk.at(c));
    }
    if (l.bpp == 1) table.resize(2);
    // The OS/2 header has no count: its table is always full.
    if (l.headerSize == 12) table.resize(size_t{1} << l.bpp);
  }
  const int stride = (width * l.bpp + 31) / 32 * 4;
  std::string pixels;
  for (int row = 0; row < height; ++row) {
    const std::string& line = drawing[l.topDown ? row : height - 1 - row];
    std::string bytes(stride, '\0');
    for (int x = 0; x < width; ++x) {
      const char c = line[x];
      const uint32_t colour = kInk.at(c);
      switch (l.bpp) {
        case 1:
          if (c != '.' && c != '#') throw std::logic_error("1-bit drawings hold . and # only");
          if (index[c]) bytes[x / 8] = static_cast<char>(bytes[x / 8] | 0x80 >> x % 8);
          break;
        case 4:
          bytes[x / 2] = static_cast<char>(bytes[x / 2] | index[c] << (x % 2 ? 0 : 4));
          break;
        case 8:
          bytes[x] = static_cast<char>(index[c]);
          break;
        case 24:
          bytes[3 * x] = static_cast<char>(colour >> 16);
          bytes[3 * x + 1] = static_cast<char>(colour >> 8);
          bytes[3 * x + 2] = static_cast<char>(colour);
          break;
        case 32:
          Put32(bytes, 4 * x, (colour & 0xFF) << 16 | (colour & 0xFF00) | colour >> 16 | 0xFF000000u);
          break;
        default:
          throw std::logic_error("unsupported depth");
      }
    }
    pixels += bytes;
  }
  return File(width, height, l, table, pixels);
}

// A plain drawing of the given size: a dark frame round white.
inline std::vector<std::string> Frame(int width, int height) {
  std::vector<std::string> d(height, std::string(width, '.'));
  for (int y = 0; y < height; ++y)
    for (int x = 0; x < width; ++x)
      if (x == 0 || y == 0 || x == width - 1 || y == height - 1) d[y][x] = '#';
  return d;
}

// What the column scan must give for the drawing: `columns` x `rows`
// samples from column `crop` on; outside the drawing it is white fill or
// window background, both blank.
inline std::string ColumnBytes(const std::vector<std::string>& d, int crop, int columns, int rows) {
  std::string out;
  for (int c = 0; c < columns; ++c) {
    for (int r0 = 0; r0 < rows; r0 += 8) {
      unsigned byte = 0;
      for (int r = r0; r < r0 + 8; ++r) {
        const int x = c + crop;
        const bool dot =
            r < static_cast<int>(d.size()) && x < static_cast<int>(d[0].size()) && InkIsDot(d[r][x]);
        byte = byte << 1 | (dot ? 1 : 0);
      }
      out.push_back(static_cast<char>(byte));
    }
  }
  return out;
}

// What the row scan must give: rows outer, columns in groups of 8.
inline std::string RowBytes(const std::vector<std::string>& d, int columns) {
  std::string out;
  for (const std::string& line : d) {
    for (int c0 = 0; c0 < columns; c0 += 8) {
      unsigned byte = 0;
      for (int c = c0; c < c0 + 8; ++c)
        byte = byte << 1 | (c < static_cast<int>(line.size()) && InkIsDot(line[c]) ? 1 : 0);
      out.push_back(static_cast<char>(byte));
    }
  }
  return out;
}

inline void WriteFile(const std::filesystem::path& path, const std::string& bytes) {
  std::ofstream(path, std::ios::binary) << bytes;
}

}  // namespace fixture
