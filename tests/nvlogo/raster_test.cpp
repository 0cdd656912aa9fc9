// Raster geometry, the dot test, packing, scans, scrambling, listings and
// the command builders, as plain functions.
#include "nvlogo/raster.h"

#include <gtest/gtest.h>

#include "core/errors.h"
#include "core/numconv.h"
#include "nvlogo/geometry.h"
#include "nvlogo/listing.h"
#include "nvlogo/nvcommands.h"
#include "nvlogo/scramble.h"

namespace {

TEST(Geometry, FiguresOfTheTable) {
  struct {
    int W, H;
    int fillX, fillY, xBytes, yBytes, xL, xH, yL, yH, byteCount;
  } cases[] = {
      {167, 49, 1, 7, 21, 7, 21, 0, 7, 0, 1176},         // the default picture
      {167, 50, 1, 6, 21, 7, 21, 0, 7, 0, 1176},         // with the download's extra row
      {168, 48, 0, 0, 21, 6, 21, 0, 6, 0, 1008},         // multiples of 8: no fill
      {2048, 8, 0, 0, 256, 1, 0, 1, 1, 0, 2048},         // xBytes needs its high byte
      {2041, 2049, 7, 7, 256, 257, 0, 1, 1, 1, 526336},  //
      {24, 16664, 0, 0, 3, 2083, 3, 0, 35, 8, 49992},    // 8 below the limit
      {1000, 400, 0, 0, 125, 50, 125, 0, 50, 0, 50000},  // at the limit
  };
  for (const auto& c : cases) {
    const RasterGeometry g = ComputeGeometry(c.W, c.H);
    SCOPED_TRACE(std::to_string(c.W) + " x " + std::to_string(c.H));
    EXPECT_EQ(g.W, c.W);
    EXPECT_EQ(g.H, c.H);
    EXPECT_EQ(g.fillX, c.fillX);
    EXPECT_EQ(g.fillY, c.fillY);
    EXPECT_EQ(g.xBytes, c.xBytes);
    EXPECT_EQ(g.yBytes, c.yBytes);
    EXPECT_EQ(g.xL, c.xL);
    EXPECT_EQ(g.xH, c.xH);
    EXPECT_EQ(g.yL, c.yL);
    EXPECT_EQ(g.yH, c.yH);
    EXPECT_EQ(g.byteCount, c.byteCount);
  }
  // A size past any picture saturates instead of wrapping into a small count.
  EXPECT_EQ(ComputeGeometry(1 << 30, 1 << 20).byteCount, INT_MAX);
}

TEST(BinStrToHex, ValuesAndDigits) {
  struct {
    const char* bits;
    const char* hex;
  } cases[] = {
      {"00000001", "01"},
      {"11111111", "FF"},
      {"10000001", "81"},
      {"00000000", "00"},
      {"1", "01"},
      {"100000000", "100"},
      // Each character is a decimal digit weighted by its power of two.
      {"2", "02"},
      {"12", "04"},
  };
  for (const auto& c : cases) EXPECT_EQ(BinStrToHex(c.bits), c.hex) << c.bits;
  EXPECT_THROW(BinStrToHex("10x"), EConvertError);
}

TEST(DotTest, ColoursAgainstTheDefaultThreshold) {
  struct {
    uint32_t colour;
    bool dot;
    const char* name;
  } cases[] = {
      {0x0000FF, true, "pure red"},   {0x00FF00, true, "pure green"},
      {0xFF0000, false, "pure blue"}, {0x800000, false, "0x800000"},
      {0x7FFFFF, true, "0x7FFFFF"},   {kInvalidColour, true, "unreadable sample"},
      {kWhite, false, "white fill"},  {kWindowBackground, false, "window background"},
      {0x000000, true, "black"},
  };
  for (const auto& c : cases) EXPECT_EQ(IsDot(c.colour, kDefaultThreshold), c.dot) << c.name;
  // The download's own threshold moves the line.
  EXPECT_FALSE(IsDot(0x7FFFFF, 0x7FFFFF));
  EXPECT_TRUE(IsDot(0x7FFFFE, 0x7FFFFF));
}

// Eight samples down one column make one byte; the first is bit 7, which is
// the value BinStrToHex gives for their bit text.
TEST(Packing, EveryPatternMatchesItsBitText) {
  for (int pattern = 0; pattern < 256; ++pattern) {
    Surface s(1, 8, kWhite);
    std::string bits;
    for (int r = 0; r < 8; ++r) {
      const bool dot = pattern >> (7 - r) & 1;
      if (dot) s.SetPixel(0, r, 0);
      bits += dot ? '1' : '0';
    }
    const ByteString packed = ScanColumns(s, 0, 0, 1, 8, kDefaultThreshold);
    ASSERT_EQ(packed.size(), 1u);
    EXPECT_EQ(static_cast<unsigned char>(packed[0]), StrToInt("$" + BinStrToHex(bits))) << bits;
  }
  Surface s(8, 1, kWhite);
  for (int c : {0, 7}) s.SetPixel(c, 0, 0);
  EXPECT_EQ(ScanRows(s, 0, 0, 8, 1, kDefaultThreshold), Bytes({0x81}));
}

TEST(Scans, OrderOfBytes) {
  // 16 x 16 surface, dots at (0,0), (1,9) and (15,15).
  Surface s(16, 16, kWhite);
  s.SetPixel(0, 0, 0);
  s.SetPixel(1, 9, 0);
  s.SetPixel(15, 15, 0);
  const ByteString cols = ScanColumns(s, 0, 0, 16, 16, kDefaultThreshold);
  ASSERT_EQ(cols.size(), 32u);
  EXPECT_EQ(cols.substr(0, 4), Bytes({0x80, 0x00, 0x00, 0x40}));  // column 0 top, bottom; column 1 …
  EXPECT_EQ(cols.back(), 0x01);
  const ByteString rows = ScanRows(s, 0, 0, 16, 16, kDefaultThreshold);
  ASSERT_EQ(rows.size(), 32u);
  EXPECT_EQ(rows.substr(0, 2), Bytes({0x80, 0x00}));
  EXPECT_EQ(rows.substr(18, 2), Bytes({0x40, 0x00}));  // row 9
  EXPECT_EQ(rows.back(), 0x01);
  // Left of the surface nothing can be read: every sample is a dot.
  EXPECT_EQ(ScanColumns(s, -8, 0, 1, 8, kDefaultThreshold), Bytes({0xFF}));
}

// A 10 x 3 picture at (5, 4): fillX 6; the strips per variant.
TEST(PaintWhiteFill, StripsPerVariant) {
  Picture p{10, 3, std::vector<uint32_t>(30, 0)};
  const ImagePlace place{5, 4, 10, 3};
  auto paint = [&](FillVariant v, int fillY) {
    Surface s = DrawClientArea(40, 30, p, place);
    PaintWhiteFill(s, place, 6, fillY, v);
    return s;
  };
  auto at = [&](const Surface& s, int c, int r) { return s.Pixel(place.left + c, place.top + r); };

  // Without a bottom strip the right strips show their own depth.
  const Surface download = paint(FillVariant::NvLogoDownload, 0);
  EXPECT_EQ(at(download, 10, 0), kWhite);
  EXPECT_EQ(at(download, 15, 3), kWhite);  // one row deeper than the picture
  EXPECT_EQ(at(download, 15, 4), kWindowBackground);
  EXPECT_EQ(at(download, 16, 0), kWindowBackground);
  EXPECT_EQ(at(download, 9, 2), 0u);  // the picture itself
  const Surface define = paint(FillVariant::DefineBitmap, 0);
  EXPECT_EQ(at(define, 15, 2), kWhite);
  EXPECT_EQ(at(define, 15, 3), kWindowBackground);

  const Surface listing = paint(FillVariant::Listing, 5);
  EXPECT_EQ(at(listing, 0, 3), kWhite);  // bottom strip, full filled width
  EXPECT_EQ(at(listing, 15, 7), kWhite);
  EXPECT_EQ(at(listing, 0, 8), kWindowBackground);
  EXPECT_EQ(at(listing, 16, 7), kWindowBackground);

  const Surface page = paint(FillVariant::TestPage, 5);
  EXPECT_EQ(at(page, 12, 2), kWhite);
  EXPECT_EQ(at(page, 0, 3), kWindowBackground);  // no bottom strip

  // Width a multiple of 8: nothing painted to the right.
  Picture q{8, 3, std::vector<uint32_t>(24, 0)};
  Surface s = DrawClientArea(40, 30, q, {5, 4, 8, 3});
  PaintWhiteFill(s, {5, 4, 8, 3}, 0, 5, FillVariant::NvLogoDownload);
  EXPECT_EQ(s.Pixel(13, 4), kWindowBackground);
  EXPECT_EQ(s.Pixel(12, 7), kWhite);
}

TEST(DrawClientArea, ReachesPastAPictureLargerThanTheWindow) {
  Picture p{100, 100, std::vector<uint32_t>(10000, 0)};
  const Surface s = DrawClientArea(50, 50, p, {272, 40, 100, 100});
  EXPECT_EQ(s.Pixel(371, 139), 0u);
  EXPECT_EQ(s.Pixel(379, 148), kWindowBackground);
  EXPECT_EQ(s.Pixel(0, 0), kWindowBackground);
  EXPECT_EQ(s.Pixel(-1, 0), kInvalidColour);
}

// Key "C3", offset 0x5A: the table below is worked out for these two.
static_assert(kScrambleOffset == 0x5A);

TEST(ScrambleHex, Cases) {
  ASSERT_STREQ(kScrambleKey, "C3");
  struct {
    const char* value;
    const char* result;
    const char* why;
  } cases[] = {
      {"FF", "66", "v = A5, one pair: A5 xor C3"},
      {"6A", "D3", "v = 10"},
      {"61", "", "v = 7: one digit, no pair"},
      {"5A", "", "v = 0 is the single digit 0"},
      {"00", "65", "v negative: FFFFFFA6, the last pair decides"},
      {"1A", "C3", "v = FFFFFFC0: last pair xor key is 3, so the third pair's last digit leads"},
  };
  for (const auto& c : cases) EXPECT_EQ(ScrambleHex(c.value), c.result) << c.why;
}

TEST(ListingLayout, LinePrefixesAndCommas) {
  const std::string prefix = "\r\n.db  ";
  const std::string a50(50, 'a');
  EXPECT_EQ(LayoutListing(a50), prefix + a50);
  EXPECT_EQ(LayoutListing(a50 + "b"), prefix + a50 + "b");  // 51 characters stay on one line
  EXPECT_EQ(LayoutListing(a50 + "bc"), prefix + a50 + prefix + "bc");

  // Items of five characters: ten to a line, the first without its comma.
  std::string items;
  for (int i = 0; i < 12; ++i) items += ",0x" + HexByte(static_cast<unsigned char>(i));
  EXPECT_EQ(LayoutListing(items),
            "\r\n.db 0x00,0x01,0x02,0x03,0x04,0x05,0x06,0x07,0x08,0x09"
            "\r\n.db 0x0A,0x0B");
  // A break inside an item keeps both blanks.
  EXPECT_EQ(LayoutListing(std::string(49, 'x') + ",0x12"),
            prefix + std::string(49, 'x') + "," + prefix + "0x12");
}

TEST(Listing, DefaultGeometryGives6515CharactersIn119Lines) {
  const RasterGeometry g = ComputeGeometry(167, 49);
  const std::string text = LayoutListing(ListingItems(g, ByteString(1176, '\x5A'), false));
  EXPECT_EQ(text.size(), 6515u);
  size_t lines = 0;
  for (size_t at = text.find("\r\n"); at != std::string::npos; at = text.find("\r\n", at + 1)) ++lines;
  EXPECT_EQ(lines, 119u);
  EXPECT_EQ(text.substr(0, 55), "\r\n.db 0x1C,0x71,0x01,0x15,0x00,0x07,0x00,0x5A,0x5A,0x5A");
  EXPECT_EQ(text.substr(text.rfind("\r\n")), "\r\n.db 0x5A,0x5A,0x5A,0x01");
}

TEST(Commands, FixedBytes) {
  const char* modes[] = {"1B 40 1B 61 01 1D 54 1C 70 01 30 1B 40", "1B 40 1B 61 01 1D 54 1C 70 01 31 1B 40",
                         "1B 40 1B 61 01 1D 54 1C 70 01 32 1B 40", "1B 40 1B 61 01 1D 54 1C 70 01 33 1B 40"};
  for (int m = 0; m < 4; ++m) EXPECT_EQ(HexDump(NvLogoPrint(m)), modes[m]) << m;
  EXPECT_EQ(HexDump(NvLogoClear()), "1C 71 01 01 00 01 00 00 00 00 00 00 00 00 00 01");
  EXPECT_EQ(HexDump(PrintDownloadedFourWays()), "1D 2F 00 1D 2F 01 1D 2F 02 1D 2F 03");
  EXPECT_EQ(HexDump(PrintDownloadedWithName()), "1B 61 00 1D 2F 00 0A 76 65 6C 74 6F 0A");
}

TEST(Commands, DownloadedBitmapLimits) {
  struct {
    int xBytes, yBytes, x, y;
  } cases[] = {
      {21, 7, 21, 7},     // the default picture
      {50, 38, 50, 30},   // 400 x 300: 1900 units, y cut to 1536 / 50
      {13, 63, 13, 48},   // 100 x 500: y at most 48
      {300, 10, 255, 6},  // x at most 255, then 1536 / 255
      {32, 48, 32, 48},   // exactly 1536
  };
  for (const auto& c : cases) {
    const DownloadSize s = LimitDownloadSize(c.xBytes, c.yBytes);
    EXPECT_EQ(s.x, c.x) << c.xBytes << " x " << c.yBytes;
    EXPECT_EQ(s.y, c.y) << c.xBytes << " x " << c.yBytes;
  }
  EXPECT_EQ(DefineBitmapTextLine({21, 7}), "xL=21;yL=7\n");
}

TEST(Commands, TestPageLayout) {
  const ByteString rows(1029, '\x0F');
  const ByteString part = TestPageImagePart(21, 49, rows);
  EXPECT_EQ(HexDump(part.substr(0, 8)), "1D 76 30 30 15 00 31 00");
  EXPECT_EQ(part.size(), 8u + 1029 + 1);
  EXPECT_EQ(part.back(), '\n');

  const ByteString page = TestPage(part, 1);
  EXPECT_EQ(page.size(), 2860u);
  EXPECT_EQ(page.substr(0, 18), ByteString("\x1B@\x1B"
                                           "a1\x1B!0Selftest\n\n"));
  EXPECT_EQ(page.substr(18, part.size()), part);
  EXPECT_EQ(HexDump(page.substr(18 + part.size(), 7)), "1B 61 30 00 1B 21 00");
  // The first line of the normal font: 42 characters from '!'.
  EXPECT_EQ(page.substr(18 + part.size() + 7, 43),
            ByteString("!\"#$%&'()*+,-./0123456789:;<=>?@ABCDEFGHIJ\n"));
  EXPECT_EQ(page.find(ByteString("\xB0\xA1\xB0\xA2")), 18 + part.size() + 7 + 216 + 3 + 286);
  EXPECT_EQ(page.substr(page.size() - 35), ByteString("\x1B!(*** Completed ***\n") + ByteString(7, '\n') +
                                               ByteString("\x1Br\0\x1Bi\x1B@", 7));
  EXPECT_EQ(page.substr(page.size() - 35 - part.size() - 3, 3),
            "\x1B"
            "a1");

  // No zero run for 0 or a negative count.
  EXPECT_EQ(TestPage(part, 0).size(), 2859u);
  EXPECT_EQ(TestPage(part, -5).size(), 2859u);
  EXPECT_EQ(TestPage(part, 40).size(), 2899u);

  const ByteString copy = TestPageCopy(1, page);
  EXPECT_EQ(copy.size(), 2865u);
  EXPECT_EQ(copy.substr(0, 5),
            "\x1B"
            "a11\n");
  EXPECT_EQ(TestPageCopy(12, page).substr(0, 6),
            "\x1B"
            "a112\n");
}

}  // namespace
