#include <gtest/gtest.h>

#include <stdexcept>

#include "media/bitmap.h"
#include "media/media_error.h"
#include "test_bytes.h"

namespace quendrix {
namespace {

using test::Bytes;

// A BMP with a 40-byte info header (or a 12-byte core header), the given
// palette (4 bytes per entry, or 3 for the core header), optional bit-field
// masks after the header, and raw pixel rows.
std::vector<uint8_t> MakeBmp(int32_t w, int32_t h, uint16_t bpp, uint32_t compression,
                             const std::vector<uint8_t>& palette,
                             const std::vector<uint8_t>& pixels,
                             const std::vector<uint32_t>& masks = {}, bool core = false) {
  const uint32_t info = core ? 12 : 40;
  const uint32_t offset = 14 + info + static_cast<uint32_t>(masks.size() * 4 + palette.size());
  Bytes b;
  b.Text("BM").U32(offset + static_cast<uint32_t>(pixels.size())).U32(0).U32(offset).U32(info);
  if (core) {
    b.U16(static_cast<uint16_t>(w)).U16(static_cast<uint16_t>(h)).U16(1).U16(bpp);
  } else {
    const uint32_t colors = bpp <= 8 ? static_cast<uint32_t>(palette.size() / 4) : 0;
    b.I32(w).I32(h).U16(1).U16(bpp).U32(compression).U32(0).U32(0).U32(0).U32(colors).U32(0);
  }
  for (uint32_t m : masks) b.U32(m);
  b.Raw(palette).Raw(pixels);
  return b.Get();
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  try {
    DecodeBmp(bytes);
  } catch (const MediaError& e) {
    return e.what();
  }
  return "no error";
}

constexpr TColor kRed = MakeColor(255, 0, 0);
constexpr TColor kGreen = MakeColor(0, 255, 0);
constexpr TColor kBlue = MakeColor(0, 0, 255);

TEST(DecodeBmp, PaletteDepthsPickTheirEntriesBottomRowFirst) {
  // Palette: 0 red, 1 green, 2 blue (blue, green, red, reserved).
  const std::vector<uint8_t> pal2 = {0, 0, 255, 0, 0, 255, 0, 0};
  const std::vector<uint8_t> pal3 = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  // 1-bit, 3 x 2: bottom row 1 0 1, top row 0 1 1; rows padded to 4 bytes.
  const Bitmap one =
      DecodeBmp(MakeBmp(3, 2, 1, 0, pal2, {0b10100000, 0, 0, 0, 0b01100000, 0, 0, 0}));
  ASSERT_EQ(one.Width(), 3);
  ASSERT_EQ(one.Height(), 2);
  EXPECT_EQ(one.Pixel(0, 0), kRed);
  EXPECT_EQ(one.Pixel(1, 0), kGreen);
  EXPECT_EQ(one.Pixel(2, 0), kGreen);
  EXPECT_EQ(one.Pixel(0, 1), kGreen);
  EXPECT_EQ(one.Pixel(1, 1), kRed);

  // 4-bit, 3 x 1: indexes 2 1 0, high nibble first.
  const Bitmap four = DecodeBmp(MakeBmp(3, 1, 4, 0, pal3, {0x21, 0x00, 0, 0}));
  EXPECT_EQ(four.Pixel(0, 0), kBlue);
  EXPECT_EQ(four.Pixel(1, 0), kGreen);
  EXPECT_EQ(four.Pixel(2, 0), kRed);

  // 8-bit, 2 x 1, the second index beyond the stored palette reads as black.
  const Bitmap eight = DecodeBmp(MakeBmp(2, 1, 8, 0, pal3, {2, 200, 0, 0}));
  EXPECT_EQ(eight.Pixel(0, 0), kBlue);
  EXPECT_EQ(eight.Pixel(1, 0), clBlack);
}

TEST(DecodeBmp, TrueColourDepthsAndBitFields) {
  // 16-bit 5-5-5: pure red (0x7C00) and pure blue (0x001F).
  const Bitmap rgb555 = DecodeBmp(MakeBmp(2, 1, 16, 0, {}, {0x00, 0x7C, 0x1F, 0x00}));
  EXPECT_EQ(rgb555.Pixel(0, 0), kRed);
  EXPECT_EQ(rgb555.Pixel(1, 0), kBlue);
  // 16-bit 5-6-5 through bit fields: full green 0x07E0, a mid grey.
  const uint16_t grey = (16 << 11) | (32 << 5) | 16;
  const Bitmap rgb565 = DecodeBmp(MakeBmp(
      2, 1, 16, 3, {}, {0xE0, 0x07, static_cast<uint8_t>(grey), static_cast<uint8_t>(grey >> 8)},
      {0xF800, 0x07E0, 0x001F}));
  EXPECT_EQ(rgb565.Pixel(0, 0), kGreen);
  EXPECT_EQ(rgb565.Pixel(1, 0), MakeColor(132, 130, 132));
  // 24-bit, width 1: 3 bytes and one pad byte per row; blue, green, red order.
  const Bitmap rgb24 = DecodeBmp(MakeBmp(1, 2, 24, 0, {}, {10, 20, 30, 0, 40, 50, 60, 0}));
  EXPECT_EQ(rgb24.Pixel(0, 1), MakeColor(30, 20, 10));
  EXPECT_EQ(rgb24.Pixel(0, 0), MakeColor(60, 50, 40));
  // 32-bit plain: blue, green, red, ignored.
  const Bitmap rgb32 = DecodeBmp(MakeBmp(1, 1, 32, 0, {}, {1, 2, 3, 99}));
  EXPECT_EQ(rgb32.Pixel(0, 0), MakeColor(3, 2, 1));
  // 32-bit with masks in red-green-blue-alpha byte order.
  const Bitmap rgba = DecodeBmp(MakeBmp(1, 1, 32, 3, {}, {7, 8, 9, 255}, {0xFF, 0xFF00, 0xFF0000}));
  EXPECT_EQ(rgba.Pixel(0, 0), MakeColor(7, 8, 9));
}

TEST(DecodeBmp, TopDownRowsAndTheCoreHeader) {
  const std::vector<uint8_t> rows = {0, 0, 255, 0, 255, 0, 0, 0};  // 24-bit: red row, then blue row
  const Bitmap bottomUp = DecodeBmp(MakeBmp(1, 2, 24, 0, {}, rows));
  const Bitmap topDown = DecodeBmp(MakeBmp(1, -2, 24, 0, {}, rows));
  EXPECT_EQ(bottomUp.Pixel(0, 1), kRed);
  EXPECT_EQ(bottomUp.Pixel(0, 0), kBlue);
  EXPECT_EQ(topDown.Pixel(0, 0), kRed);
  EXPECT_EQ(topDown.Pixel(0, 1), kBlue);
  // Core header: 3-byte palette entries.
  const Bitmap core = DecodeBmp(MakeBmp(1, 1, 8, 0, {0, 0, 0, 255, 0, 0}, {1, 0, 0, 0}, {}, true));
  EXPECT_EQ(core.Pixel(0, 0), kBlue);
}

TEST(DecodeBmp, RunLengthEncodedPictures) {
  const std::vector<uint8_t> pal = {0, 0, 255, 0, 0, 255, 0, 0, 255, 0, 0, 0};
  // RLE8, 4 x 2: bottom row "three 1s, then literal 2", top row "move, 2".
  const Bitmap rle8 = DecodeBmp(MakeBmp(4, 2, 8, 1, pal,
                                        {3, 1, 0, 3, 2, 2, 2, 0,  // run, literal of 3 (padded)
                                         0, 0,                    // end of line
                                         0, 2, 3, 0,              // move 3 right
                                         1, 2, 0, 1}));           // one 2, end of picture
  EXPECT_EQ(rle8.Pixel(0, 1), kGreen);
  EXPECT_EQ(rle8.Pixel(2, 1), kGreen);
  EXPECT_EQ(rle8.Pixel(3, 1), kBlue);  // literal beyond the row is dropped, not written elsewhere
  EXPECT_EQ(rle8.Pixel(0, 0), kRed);   // skipped pixels keep index 0
  EXPECT_EQ(rle8.Pixel(3, 0), kBlue);
  // RLE4, 3 x 1: a run of 3 alternating 1 and 2.
  const Bitmap rle4 = DecodeBmp(MakeBmp(3, 1, 4, 2, pal, {3, 0x12, 0, 1}));
  EXPECT_EQ(rle4.Pixel(0, 0), kGreen);
  EXPECT_EQ(rle4.Pixel(1, 0), kBlue);
  EXPECT_EQ(rle4.Pixel(2, 0), kGreen);
}

TEST(EncodeBmp, RoundTripsOddWidthsExactly) {
  Bitmap b(5, 3);
  for (int y = 0; y < 3; ++y)
    for (int x = 0; x < 5; ++x) b.SetPixel(x, y, MakeColor(x * 50, y * 100, (x * y * 37) & 255));
  const auto bytes = EncodeBmp(b);
  EXPECT_EQ(bytes.size(), 14u + 40u + 3u * 16u);  // rows of 15 bytes padded to 16
  EXPECT_EQ(DecodeBmp(bytes), b);
}

TEST(EncodeBmp, EightBitPicturesKeepEveryColourAndReportTheirDepth) {
  // 256 colours on an odd width: every palette index is used, rows padded.
  Bitmap b(17, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 17; ++x) b.SetPixel(x, y, MakeColor((x * 16 + y) & 255, y * 9, 200 - y));
  const auto bytes = EncodeBmp(b, 8);
  EXPECT_EQ(bytes.size(), 14u + 40u + 4u * 256u + 20u * 16u);
  uint16_t bits = 0;
  EXPECT_EQ(DecodeBmp(bytes, &bits), b);
  EXPECT_EQ(bits, 8);
  EXPECT_EQ(EncodeBmp(b, 8), bytes);

  b.SetPixel(16, 15, MakeColor(1, 2, 3));  // the 257th colour
  EXPECT_THROW(EncodeBmp(b, 8), std::invalid_argument);
  EXPECT_THROW(EncodeBmp(b, 16), std::invalid_argument);
}

TEST(DecodeBmp, BrokenPicturesAreRefusedWithTheBitmapMessage) {
  // Width 4 at 24 bits: rows of 12 bytes without padding, so every cut loses pixels.
  const std::vector<uint8_t> good = MakeBmp(4, 2, 24, 0, {}, std::vector<uint8_t>(24, 7));
  ASSERT_NO_THROW(DecodeBmp(good));
  for (size_t n = 0; n < good.size(); ++n) {
    const std::vector<uint8_t> cut(good.begin(), good.begin() + n);
    EXPECT_EQ(DecodeError(cut), kBitmapNotValid) << "cut at " << n;
  }
  auto bad = good;
  bad[0] = 'X';
  EXPECT_EQ(DecodeError(bad), kBitmapNotValid);
  EXPECT_EQ(DecodeError(MakeBmp(0, 2, 24, 0, {}, {})), kBitmapNotValid);
  EXPECT_EQ(DecodeError(MakeBmp(2, 0, 24, 0, {}, {})), kBitmapNotValid);
  EXPECT_EQ(DecodeError(MakeBmp(1, 1, 2, 0, {}, {0, 0, 0, 0})), kBitmapNotValid);   // 2 bits
  EXPECT_EQ(DecodeError(MakeBmp(1, 1, 24, 4, {}, {0, 0, 0, 0})), kBitmapNotValid);  // JPEG inside
  EXPECT_EQ(DecodeError(MakeBmp(1, -1, 8, 1, {}, {0, 1})), kBitmapNotValid);        // top-down RLE
  EXPECT_EQ(DecodeError(MakeBmp(100000, 100000, 1, 0, {}, {0, 0, 0, 0})), kBitmapNotValid);  // huge
  EXPECT_EQ(DecodeError(MakeBmp(INT32_MAX, 1, 32, 0, {}, {0, 0, 0, 0})), kBitmapNotValid);
  EXPECT_EQ(DecodeError(MakeBmp(1, INT32_MIN, 32, 0, {}, {0, 0, 0, 0})), kBitmapNotValid);
  // Pixel offset pointing past the end.
  bad = good;
  bad[10] = 0xFF;
  bad[11] = 0xFF;
  EXPECT_EQ(DecodeError(bad), kBitmapNotValid);
  // Header size that is neither the core nor an info header.
  bad = good;
  bad[14] = 20;
  EXPECT_EQ(DecodeError(bad), kBitmapNotValid);
}

TEST(DecodeBmp, HostileRunLengthDataStaysInsideThePicture) {
  // Runs, moves and literals far beyond a 2 x 2 picture, then the data ends
  // without an end-of-picture code.
  Bytes rle;
  for (int i = 0; i < 50; ++i) rle.Raw({255, 1, 0, 2, 255, 0, 0, 3, 1, 1, 1, 0});
  const Bitmap b = DecodeBmp(MakeBmp(2, 2, 8, 1, {0, 0, 0, 0, 1, 1, 1, 0}, rle.Get()));
  EXPECT_EQ(b.Width(), 2);
  EXPECT_EQ(b.Pixel(0, 1), MakeColor(1, 1, 1));
  // Data that stops at once leaves every pixel at palette entry 0, however
  // large the picture says it is (2686985 x 4: a few bytes, ten million pixels).
  const Bitmap wide = DecodeBmp(MakeBmp(2686985, 4, 8, 1, {5, 6, 7, 0, 1, 1, 1, 0}, {0, 1}));
  ASSERT_EQ(wide.Width(), 2686985);
  EXPECT_EQ(wide.Pixel(0, 0), MakeColor(7, 6, 5));
  EXPECT_EQ(wide.Pixel(2686984, 3), MakeColor(7, 6, 5));
  // A literal run announced but missing.
  EXPECT_EQ(DecodeError(MakeBmp(4, 1, 8, 1, {}, {0, 4, 1})), kBitmapNotValid);
}

TEST(Bitmap, PixelAccessOutsideThePictureIsHarmless) {
  Bitmap b(2, 2, clWhite);
  b.SetPixel(-1, 0, clRed);
  b.SetPixel(2, 1, clRed);
  EXPECT_EQ(b.Pixel(-1, 0), Bitmap::kInvalidPixel);
  EXPECT_EQ(b.Pixel(0, 2), Bitmap::kInvalidPixel);
  EXPECT_EQ(b.Pixel(1, 1), clWhite);
  EXPECT_TRUE(Bitmap(-3, 4).Empty());
  EXPECT_THROW(Bitmap::FromRgb24(2, 2, std::vector<uint8_t>(11)), std::invalid_argument);
  const Bitmap rgb = Bitmap::FromRgb24(1, 2, std::vector<uint8_t>{1, 2, 3, 4, 5, 6});
  EXPECT_EQ(rgb.Pixel(0, 1), MakeColor(4, 5, 6));
}

}  // namespace
}  // namespace quendrix
