// Decoding Windows bitmap files: depths, row orders, tables, compression,
// and files that are damaged.
#include "nvlogo/bmp.h"

#include <gtest/gtest.h>

#include "tests/nvlogo/bmp_fixture.h"

namespace {
using fixture::Encode;
using fixture::File;
using fixture::kInk;
using fixture::Layout;
using fixture::Put16;
using fixture::Put32;

void ExpectDrawing(const Picture& p, const std::vector<std::string>& d) {
  ASSERT_EQ(p.width, static_cast<int>(d[0].size()));
  ASSERT_EQ(p.height, static_cast<int>(d.size()));
  for (int y = 0; y < p.height; ++y)
    for (int x = 0; x < p.width; ++x)
      EXPECT_EQ(p.At(x, y), kInk.at(d[y][x])) << "pixel " << x << "," << y << " '" << d[y][x] << "'";
}

TEST(DecodeBmp, DepthsAndRowOrders) {
  struct {
    const char* name;
    Layout layout;
    std::vector<std::string> drawing;
  } cases[] = {
      {"1-bit, 10 wide, bottom-up", {1}, {"#.#.#.#..#", "..........", "##......##"}},
      {"1-bit, 16 wide, top-down", {1, true}, {"#..............#", ".##.##.##.##.##."}},
      {"4-bit, 8 wide, top-down", {4, true}, {"#rbgG.#.", ".#.#.#.#", "rrrrbbbb", "gGgGgGgG"}},
      {"4-bit, 5 wide", {4}, {"#r.bg", "Gg.r#"}},
      {"8-bit, 3 wide, 9 high", {8}, {"#..", ".#.", "..#", "r..", ".b.", "..g", "G..", ".#.", "#.#"}},
      {"24-bit, 9 wide (padded rows)", {24}, {"#.rbgG#.r", "Ggbr.#..#"}},
      {"24-bit, top-down", {24, true}, {"#.rbgG#.r#.rbgG#.", "................."}},
      {"32-bit", {32}, {"#rbgG", ".....", "G#.r."}},
      {"8-bit, OS/2 core header", {8, false, 0, 12}, {"#.r.", "bG#g"}},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    ExpectDrawing(DecodeBmp(Encode(c.drawing, c.layout)), c.drawing);
  }
}

TEST(DecodeBmp, CompressedAndBitFields) {
  // Table: 0 white, 1 black, 2 red, 3 blue.
  const std::vector<uint32_t> table = {0xFFFFFF, 0x000000, 0x0000FF, 0xFF0000};
  // RLE8, rows bottom first: "#..#" as runs, end of row, "rr" then a move
  // right past two pixels (left at colour 0), end of picture.
  const std::string rle8("\x01\x01\x02\x00\x01\x01\x00\x00\x02\x02\x00\x02\x02\x00\x00\x01", 16);
  ExpectDrawing(DecodeBmp(File(4, 2, {8, false, 1}, table, rle8)), {"rr..", "#..#"});
  // RLE8 literal group of three, padded to a word.
  const std::string literal("\x00\x03\x01\x02\x03\x00\x00\x01", 8);
  ExpectDrawing(DecodeBmp(File(3, 1, {8, false, 1}, table, literal)), {"#rb"});
  // RLE4: a literal of five nibbles, then a run alternating two colours.
  const std::string rle4("\x00\x05\x12\x03\x10\x00\x00\x00\x04\x21\x00\x01", 12);
  ExpectDrawing(DecodeBmp(File(5, 2, {4, false, 2}, table, rle4)), {"r#r#.", "#r.b#"});

  // 16 bits per pixel, 5-6-5 masks after the header: red, then blue.
  std::string px(4, '\0');
  Put16(px, 0, 0xF800);
  Put16(px, 2, 0x001F);
  std::string f = File(2, 1, {16, false, 3}, {}, std::string(12, '\0') + px);
  Put32(f, 54, 0xF800);
  Put32(f, 58, 0x07E0);
  Put32(f, 62, 0x001F);
  Put32(f, 10, 14 + 40 + 12);
  ExpectDrawing(DecodeBmp(f), {"rb"});
  // 16 bits without masks: 5-5-5.
  std::string px555(4, '\0');
  Put16(px555, 0, 0x7C00);
  Put16(px555, 2, 0x7FFF);
  ExpectDrawing(DecodeBmp(File(2, 1, {16}, {}, px555)), {"r."});
}

TEST(DecodeBmp, DamagedFilesSayWhy) {
  const std::string good = Encode({"#.r.", "bG#g"}, {8});
  auto with = [&](size_t at, uint32_t v, bool wide = true) {
    std::string f = good;
    wide ? Put32(f, at, v) : Put16(f, at, v);
    return f;
  };
  const std::vector<uint32_t> table = {0xFFFFFF, 0};
  struct {
    const char* name;
    std::string file;
    const char* reason;
  } cases[] = {
      {"empty", "", "it does not begin with the bitmap signature BM"},
      {"other signature", "XM" + good.substr(2), "it does not begin with the bitmap signature BM"},
      {"cut in the file header", good.substr(0, 12), "it ends inside its header"},
      {"cut in the info header", good.substr(0, 30), "it ends inside its header"},
      {"unknown header size", with(14, 20), "its header size 20 is not that of a bitmap header"},
      {"cut in the colour table", good.substr(0, 60), "its colour table lies outside the file"},
      {"cut in the pixels", good.substr(0, good.size() - 3), "it ends inside the pixel data"},
      {"pixel offset past the end", with(10, 5000), "its pixel data lies outside the file"},
      {"pixel offset inside the header", with(10, 20), "its pixel data lies outside the file"},
      {"7 bits per pixel", with(28, 7, false), "7 bits per pixel is not a bitmap format"},
      {"JPEG inside", with(30, 4), "compression 4 is not supported"},
      {"RLE4 at 8 bits", with(30, 2), "RLE4 compression needs 4 bits per pixel, not 8"},
      {"bit fields at 8 bits", with(30, 3), "bit-field colours need 16 or 32 bits per pixel, not 8"},
      {"width 0", with(18, 0), "its width 0 is not a picture width"},
      {"negative width", with(18, static_cast<uint32_t>(-4)), "its width -4 is not a picture width"},
      {"height 0", with(22, 0), "its height 0 is not a picture height"},
      {"huge", with(18, 100000), "its size 100000 x 2 is larger than this tool loads"},
      {"top-down RLE", File(4, 2, {8, true, 1}, table, std::string("\x00\x01", 2)),
       "a top-down bitmap cannot be RLE compressed"},
      {"RLE without its end", File(4, 2, {8, false, 1}, table, std::string("\x04\x01\x00\x00\x04", 5)),
       "its compressed data ends before the end-of-picture mark"},
      {"RLE literal cut short", File(4, 1, {8, false, 1}, table, std::string("\x00\x04\x01\x01", 4)),
       "its compressed data ends before the end-of-picture mark"},
  };
  for (const auto& c : cases) {
    try {
      DecodeBmp(c.file);
      ADD_FAILURE() << c.name << ": decoded";
    } catch (const EBitmapError& e) {
      EXPECT_EQ(e.what(), std::string(c.reason)) << c.name;
    }
  }
}

TEST(LoadBmpFile, ErrorsNameTheFile) {
  const std::string missing = ::testing::TempDir() + "no_such_picture.bmp";
  try {
    LoadBmpFile(missing);
    ADD_FAILURE() << "loaded";
  } catch (const AppError& e) {
    EXPECT_EQ(e.what(), "Cannot load the bitmap " + missing + ": File not found");
  }
  const std::string cut = ::testing::TempDir() + "cut_picture.bmp";
  fixture::WriteFile(cut, Encode({"#.#"}, {24}).substr(0, 40));
  try {
    LoadBmpFile(cut);
    ADD_FAILURE() << "loaded";
  } catch (const EBitmapError& e) {
    EXPECT_EQ(e.what(), "Cannot load the bitmap " + cut + ": it ends inside its header");
  }
}

}  // namespace
