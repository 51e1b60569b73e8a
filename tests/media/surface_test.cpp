#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "core/random.h"
#include "media/blit.h"
#include "media/surface.h"

namespace quendrix {
namespace {

constexpr uint16_t Raw(int r5, int g6, int b5) {
  return static_cast<uint16_t>((r5 << 11) | (g6 << 5) | b5);
}

// Channels widen by a plain shift: source (16, 32, 8) is (128, 128, 64) at 8 bits,
// destination (8, 16, 31) is (64, 64, 248).
constexpr uint16_t kSrc = Raw(16, 32, 8);
constexpr uint16_t kDst = Raw(8, 16, 31);
constexpr uint16_t kKey = Raw(31, 0, 31);

// A one-pixel source blended onto a one-pixel destination.
uint16_t Blend1(bool (TDirectDrawSurface::*draw)(const TRect&, const TDirectDrawSurface&,
                                                 const TRect&, bool, int32_t),
                uint16_t s, uint16_t d, int32_t alpha) {
  TDirectDrawSurface src(1, 1), dst(1, 1);
  src.PutRawPixel(0, 0, s);
  dst.PutRawPixel(0, 0, d);
  (dst.*draw)({0, 0, 1, 1}, src, {0, 0, 1, 1}, false, alpha);
  return static_cast<uint16_t>(dst.RawPixel(0, 0));
}

TEST(Blends, AddMatchesHandComputedPixels) {
  const auto add = &TDirectDrawSurface::DrawAdd;
  EXPECT_EQ(Blend1(add, kSrc, kDst, 0), kDst);  // alpha 0: nothing drawn
  EXPECT_EQ(Blend1(add, kSrc, kDst, -7), kDst);
  EXPECT_EQ(Blend1(add, kSrc, kDst, 1), Raw(8, 16, 31));     // (128*1)>>8 = 0 added
  EXPECT_EQ(Blend1(add, kSrc, kDst, 128), Raw(16, 32, 31));  // 64+64=128, 64+64, 32+248 -> 255
  EXPECT_EQ(Blend1(add, kSrc, kDst, 254), Raw(23, 47, 31));  // 127+64=191
  EXPECT_EQ(Blend1(add, kSrc, kDst, 255), Raw(24, 48, 31));  // 128+64=192
  EXPECT_EQ(Blend1(add, kSrc, kDst, 300), Raw(24, 48, 31));  // beyond 255: full strength
  // (1, 1, 3) is (8, 4, 24): at 254 every channel loses its last step.
  EXPECT_EQ(Blend1(add, Raw(1, 1, 3), 0, 254), Raw(0, 0, 2));  // 7, 3, 23
  EXPECT_EQ(Blend1(add, Raw(1, 1, 3), 0, 255), Raw(1, 1, 3));
  EXPECT_EQ(Blend1(add, 0xFFFF, 0xFFFF, 255), 0xFFFF);  // saturates, never wraps
}

TEST(Blends, AlphaMatchesHandComputedPixels) {
  const auto alpha = &TDirectDrawSurface::DrawAlpha;
  EXPECT_EQ(Blend1(alpha, kSrc, kDst, 0), kDst);
  EXPECT_EQ(Blend1(alpha, kSrc, kDst, 1), Raw(8, 16, 30));     // (64+248*254)>>8 = 246
  EXPECT_EQ(Blend1(alpha, kSrc, kDst, 128), Raw(11, 23, 19));  // 95, 95, 155
  EXPECT_EQ(Blend1(alpha, kSrc, kDst, 254), Raw(15, 31, 8));   // 127, 127, 64
  EXPECT_EQ(Blend1(alpha, kSrc, kDst, 255), kSrc);             // plain copy
  EXPECT_EQ(Blend1(alpha, kSrc, kDst, 1000), kSrc);
  EXPECT_EQ(Blend1(alpha, Raw(1, 1, 3), 0, 254), Raw(0, 0, 2));
  EXPECT_EQ(Blend1(alpha, 0xFFFF, 0, 128), Raw(15, 31, 15));  // 248*128>>8 = 124
}

TEST(Blends, SubMatchesHandComputedPixels) {
  const auto sub = &TDirectDrawSurface::DrawSub;
  EXPECT_EQ(Blend1(sub, kSrc, kDst, 0), kDst);
  EXPECT_EQ(Blend1(sub, kSrc, kDst, 1), kDst);
  EXPECT_EQ(Blend1(sub, kSrc, kDst, 128), Raw(0, 0, 27));              // 64-64, 64-64, 248-32 = 216
  EXPECT_EQ(Blend1(sub, kSrc, kDst, 254), Raw(0, 0, 23));              // 248-63 = 185
  EXPECT_EQ(Blend1(sub, kSrc, kDst, 255), Raw(0, 0, 23));              // 248-64 = 184
  EXPECT_EQ(Blend1(sub, 0xFFFF, Raw(3, 3, 3), 255), 0);                // floors at 0
  EXPECT_EQ(Blend1(sub, Raw(1, 1, 3), 0xFFFF, 254), Raw(30, 62, 28));  // 248-7, 252-3, 248-23
}

// Runs `check` once with every kernel set this processor has, then goes
// back to the best one.
template <typename Check>
void ForEachKernelSet(Check check) {
  const std::string best = blit::KernelName();
  for (const char* name : {"scalar", "sse2", "avx2", "avx512"}) {
    if (!blit::SelectKernels(name)) continue;
    SCOPED_TRACE(name);
    check();
  }
  blit::SelectKernels(best.c_str());
}

TEST(Blends, EveryKernelSetAgreesWithThePixelByPixelReference) {
  ForEachKernelSet([] {
    Pcg32 rng(99, kVisualStream);
    std::vector<uint16_t> src(300), a(300), b(300);
    for (auto op : {blit::BlendOp::kAdd, blit::BlendOp::kAlpha, blit::BlendOp::kSub}) {
      for (int32_t alpha : {1, 2, 77, 128, 200, 254, 255, 256, 100000}) {
        for (int32_t n : {0, 1, 7, 8, 9, 15, 16, 17, 31, 33, 64, 299}) {
          for (bool keyed : {false, true}) {
            for (int i = 0; i < 300; ++i) {
              src[i] = rng.RandomBelow(4) == 0 ? kKey : static_cast<uint16_t>(rng.Next32());
              a[i] = b[i] = static_cast<uint16_t>(rng.Next32());
            }
            blit::BlendRow(op, a.data() + 1, src.data() + 1, n, alpha, keyed, kKey);
            blit::BlendRowScalar(op, b.data() + 1, src.data() + 1, n, alpha, keyed, kKey);
            ASSERT_EQ(a, b) << blit::KernelName() << " op " << static_cast<int>(op) << " alpha "
                            << alpha << " n " << n << " keyed " << keyed;
          }
        }
      }
    }
  });
}

TEST(Blends, DoubledWidthKernelsAgreeWithThePixelByPixelReference) {
  ForEachKernelSet([] {
    Pcg32 rng(5, kVisualStream);
    std::vector<uint16_t> src(160), wide(320), a(320), b(320);
    for (auto op : {blit::BlendOp::kAdd, blit::BlendOp::kAlpha, blit::BlendOp::kSub}) {
      for (int32_t alpha : {1, 128, 254, 255}) {
        if (op == blit::BlendOp::kAlpha && alpha == 255) continue;  // a copy, never doubled
        for (int32_t n : {0, 1, 2, 15, 16, 17, 33, 64, 301}) {
          for (int i = 0; i < 160; ++i)
            src[i] = rng.RandomBelow(3) == 0 ? kKey : static_cast<uint16_t>(rng.Next32());
          for (int i = 0; i < 320; ++i) {
            wide[i] = src[i / 2];
            a[i] = b[i] = static_cast<uint16_t>(rng.Next32());
          }
          blit::BlendRowDoubled(op, a.data(), src.data(), n, alpha, true, kKey);
          blit::BlendRowScalar(op, b.data(), wide.data(), n, alpha, true, kKey);
          ASSERT_EQ(a, b) << "op " << static_cast<int>(op) << " alpha " << alpha << " n " << n;
        }
      }
    }
  });
}

TEST(Blends, KeyedCopiesAgreeOnEveryKernelSet) {
  Pcg32 rng(11, kVisualStream);
  std::vector<uint16_t> src(200), expected(200), got(200);
  for (int i = 0; i < 200; ++i)
    src[i] = rng.RandomBelow(3) == 0 ? kKey : static_cast<uint16_t>(rng.Next32());
  for (int i = 0; i < 200; ++i) expected[i] = src[i] == kKey ? uint16_t{0x1234} : src[i];
  ForEachKernelSet([&] {
    for (int32_t n : {0, 5, 8, 16, 32, 47, 199}) {
      std::fill(got.begin(), got.end(), uint16_t{0x1234});
      blit::CopyRow(got.data(), src.data(), n, true, kKey);
      for (int i = 0; i < 200; ++i)
        ASSERT_EQ(got[i], i < n ? expected[i] : 0x1234) << n << " at " << i;
    }
  });
}

TEST(Blends, ColourKeyIsSkippedOnlyWhenTransparent) {
  TDirectDrawSurface src(2, 1), dst(2, 1);
  src.SetColorKey(kKey);
  src.PutRawPixel(0, 0, kKey);
  src.PutRawPixel(1, 0, kSrc);
  dst.FillRaw(kDst);
  dst.DrawAlpha({0, 0, 2, 1}, src, {0, 0, 2, 1}, true, 255);
  EXPECT_EQ(dst.RawPixel(0, 0), kDst);
  EXPECT_EQ(dst.RawPixel(1, 0), kSrc);
  dst.DrawAlpha({0, 0, 2, 1}, src, {0, 0, 2, 1}, false, 255);
  EXPECT_EQ(dst.RawPixel(0, 0), kKey);
  dst.FillRaw(kDst);
  dst.Draw(0, 0, src, {0, 0, 2, 1}, true);
  EXPECT_EQ(dst.RawPixel(0, 0), kDst);
  EXPECT_EQ(dst.RawPixel(1, 0), kSrc);
  dst.Draw(0, 0, src, {0, 0, 2, 1}, false);
  EXPECT_EQ(dst.RawPixel(0, 0), kKey);
}

// A 4 x 4 source whose pixel (x, y) has the raw value 1 + x + 4y.
TDirectDrawSurface& Numbered() {
  static TDirectDrawSurface s(4, 4);
  for (int y = 0; y < 4; ++y)
    for (int x = 0; x < 4; ++x) s.PutRawPixel(x, y, static_cast<uint32_t>(1 + x + 4 * y));
  s.SetColorKey(0xFFFF);
  return s;
}

int ChangedPixels(const TDirectDrawSurface& s) {
  int n = 0;
  for (uint16_t p : s.Pixels()) n += p != 0;
  return n;
}

TEST(Clipping, CopiesAreClippedAtEveryEdgeAndSkippedFullyOutside) {
  const auto& src = Numbered();
  TDirectDrawSurface dst(6, 5);
  struct Case {
    int x, y, expected, firstX, firstY;
    uint16_t firstValue;
  };
  const Case cases[] = {
      {-2, 1, 8, 0, 1, 3},    // left: source columns 2, 3
      {4, 1, 8, 4, 1, 1},     // right: columns 0, 1
      {1, -3, 4, 1, 0, 13},   // top: row 3 only
      {1, 3, 8, 1, 3, 1},     // bottom: rows 0, 1
      {-3, -3, 1, 0, 0, 16},  // corner
      {-4, 0, 0, 0, 0, 0},    // fully outside, each side
      {6, 0, 0, 0, 0, 0},         {0, -4, 0, 0, 0, 0},
      {0, 5, 0, 0, 0, 0},         {INT32_MAX, INT32_MAX, 0, 0, 0, 0},
      {INT32_MIN, 0, 0, 0, 0, 0},
  };
  for (const auto& c : cases) {
    dst.FillRaw(0);
    dst.Draw(c.x, c.y, src, {0, 0, 4, 4}, true);
    EXPECT_EQ(ChangedPixels(dst), c.expected) << c.x << "," << c.y;
    if (c.expected) {
      EXPECT_EQ(dst.RawPixel(c.firstX, c.firstY), c.firstValue) << c.x << "," << c.y;
    }
  }
}

TEST(Clipping, BlendsAreClippedAtEveryEdgeAndSkippedFullyOutside) {
  const auto& src = Numbered();
  TDirectDrawSurface dst(6, 5);
  struct Case {
    TRect dest;
    int expected;
  };
  const Case cases[] = {
      {{-2, 1, 2, 5}, 8}, {{4, 1, 8, 5}, 8},  {{1, -3, 5, 1}, 4},           {{1, 3, 5, 7}, 8},
      {{-4, 0, 0, 4}, 0}, {{6, 0, 10, 4}, 0}, {{0, -4, 4, 0}, 0},           {{0, 5, 4, 9}, 0},
      {{3, 3, 3, 5}, 0},  {{3, 3, 1, 5}, 0},  {{-100, -100, 100, 100}, 30},  // empty, inverted,
                                                                             // huge
  };
  for (const auto& c : cases) {
    dst.FillRaw(0);
    dst.DrawAlpha(c.dest, src, {0, 0, 4, 4}, true, 255);
    EXPECT_EQ(ChangedPixels(dst), c.expected) << c.dest.left << "," << c.dest.top;
  }
  // The left edge clip starts sampling two source columns in.
  dst.FillRaw(0);
  dst.DrawAdd({-2, 0, 2, 4}, src, {0, 0, 4, 4}, false, 255);
  EXPECT_EQ(dst.RawPixel(0, 0), 3u);
  EXPECT_EQ(dst.RawPixel(1, 3), 16u);
}

TEST(Scaling, EnlargesAndShrinksByNearestSample) {
  const auto& src = Numbered();
  TDirectDrawSurface dst(8, 8);
  dst.DrawAlpha({0, 0, 8, 8}, src, {0, 0, 4, 4}, false, 255);  // 2x: each source pixel covers 2 x 2
  EXPECT_EQ(dst.RawPixel(0, 0), 1u);
  EXPECT_EQ(dst.RawPixel(1, 1), 1u);
  EXPECT_EQ(dst.RawPixel(2, 1), 2u);
  EXPECT_EQ(dst.RawPixel(7, 7), 16u);
  EXPECT_EQ(dst.RawPixel(5, 2), 7u);
  dst.FillRaw(0);
  dst.DrawAlpha({0, 0, 2, 2}, src, {0, 0, 4, 4}, false, 255);  // half size: every other pixel
  EXPECT_EQ(dst.RawPixel(0, 0), 1u);
  EXPECT_EQ(dst.RawPixel(1, 0), 3u);
  EXPECT_EQ(dst.RawPixel(1, 1), 11u);
  EXPECT_EQ(dst.RawPixel(2, 0), 0u);
  // Three source pixels over seven: step = 3*65536 div 7 = 28086.
  dst.FillRaw(0);
  dst.DrawAlpha({0, 0, 7, 1}, src, {1, 0, 4, 1}, false, 255);
  const uint32_t expected[7] = {2, 2, 2, 3, 3, 4, 4};
  for (int x = 0; x < 7; ++x) EXPECT_EQ(dst.RawPixel(x, 0), expected[x]) << x;
  // Scaled and clipped: the destination starts 2 pixels off the surface, so
  // the visible part starts one source pixel in.
  dst.FillRaw(0);
  dst.DrawAlpha({-2, -2, 6, 6}, src, {0, 0, 4, 4}, false, 255);
  EXPECT_EQ(dst.RawPixel(0, 0), 6u);   // source (1, 1)
  EXPECT_EQ(dst.RawPixel(3, 3), 11u);  // source (2, 2)
  EXPECT_EQ(dst.RawPixel(5, 5), 16u);  // source (3, 3)
  EXPECT_EQ(dst.RawPixel(6, 6), 0u);   // beyond the destination rectangle
}

TEST(Scaling, TwiceSizeBlendsStartingHalfwayIntoASourcePixel) {
  // 40 source pixels drawn 80 wide from x = -3: the visible row starts on
  // the second half of source pixel 1.
  TDirectDrawSurface src(40, 1), dst(100, 1), expected(100, 1);
  for (int x = 0; x < 40; ++x) src.PutRawPixel(x, 0, static_cast<uint32_t>(x * 1601 + 7));
  dst.FillRaw(0x39E7);
  expected.FillRaw(0x39E7);
  dst.DrawAdd({-3, 0, 77, 1}, src, {0, 0, 40, 1}, false, 100);
  std::vector<uint16_t> wide(77);
  for (int x = 0; x < 77; ++x) wide[x] = static_cast<uint16_t>(src.RawPixel((x + 3) / 2, 0));
  blit::BlendRowScalar(blit::BlendOp::kAdd, expected.Row(0), wide.data(), 77, 100, false, 0);
  EXPECT_EQ(dst.Pixels(), expected.Pixels());
}

TEST(Scaling, ASourceRectangleOutsideTheSourceCancelsTheDraw) {
  const auto& src = Numbered();
  TDirectDrawSurface dst(4, 4);
  EXPECT_FALSE(dst.DrawAdd({0, 0, 4, 4}, src, {2, 0, 6, 4}, false, 255));
  EXPECT_FALSE(dst.DrawAdd({0, 0, 4, 4}, src, {-1, 0, 3, 4}, false, 255));
  EXPECT_FALSE(dst.DrawAdd({0, 0, 4, 4}, src, {0, 0, 0, 4}, false, 255));
  EXPECT_EQ(ChangedPixels(dst), 0);
  EXPECT_TRUE(dst.DrawAdd({0, 0, 4, 4}, src, {0, 0, 4, 4}, false, 255));
}

TEST(NativeColor, PacksRgb565AndRoundTripsEveryRawValue) {
  TDirectDrawSurface s(2, 2);
  s.PutRawPixel(0, 0, 0x1234);
  EXPECT_EQ(s.NativeColor(clWhite), 0xFFFFu);
  EXPECT_EQ(s.NativeColor(clRed), 0xF800u);
  EXPECT_EQ(s.NativeColor(clLime), 0x07E0u);
  EXPECT_EQ(s.NativeColor(clBlue), 0x001Fu);
  EXPECT_EQ(s.NativeColor(clGray), Raw(16, 32, 16));
  EXPECT_EQ(s.NativeColor(0x80000005), 0xFFFFu);  // clWindow: white in the classic scheme
  EXPECT_EQ(s.RawPixel(0, 0), 0x1234u);           // the scratch pixel is left as it was
  for (uint32_t raw = 0; raw < 65536; ++raw)
    ASSERT_EQ(s.NativeColor(TDirectDrawSurface::FromRgb565(static_cast<uint16_t>(raw))), raw);
}

TEST(Surface, RawPixelsFillAndStayInside) {
  TDirectDrawSurface s(3, 2);
  s.FillRaw(0x12345);  // low 16 bits
  EXPECT_EQ(s.RawPixel(2, 1), 0x2345u);
  s.PutRawPixel(3, 0, 1);
  s.PutRawPixel(-1, 0, 1);
  s.PutRawPixel(0, 2, 1);
  s.PutRawPixel(1, 1, 0xABCDEF);
  EXPECT_EQ(s.RawPixel(1, 1), 0xCDEFu);
  int ones = 0;
  for (uint16_t p : s.Pixels()) ones += p == 1;
  EXPECT_EQ(ones, 0);
  TDirectDrawSurface empty(-5, 3);
  EXPECT_EQ(empty.Width(), 0);
  empty.FillRaw(1);
  empty.PutRawPixel(0, 0, 1);
}

TEST(Canvas, LinesStopShortOfTheirEndAndPixelsUseRgb) {
  TDirectDrawSurface s(10, 10);
  TCanvas& c = s.Canvas();
  EXPECT_TRUE(s.CanvasInUse());
  c.SetPenColor(clWhite);
  c.MoveTo(1, 1);
  c.LineTo(5, 1);
  EXPECT_EQ(s.RawPixel(1, 1), 0xFFFFu);
  EXPECT_EQ(s.RawPixel(4, 1), 0xFFFFu);
  EXPECT_EQ(s.RawPixel(5, 1), 0u);
  EXPECT_EQ(c.PenPos().x, 5);
  c.LineTo(5, 5);  // continues from the pen position
  EXPECT_EQ(s.RawPixel(5, 1), 0xFFFFu);
  EXPECT_EQ(s.RawPixel(5, 4), 0xFFFFu);
  EXPECT_EQ(s.RawPixel(5, 5), 0u);
  c.MoveTo(0, 9);
  c.LineTo(3, 6);  // diagonal
  EXPECT_EQ(s.RawPixel(1, 8), 0xFFFFu);
  EXPECT_EQ(s.RawPixel(2, 7), 0xFFFFu);
  EXPECT_EQ(s.RawPixel(3, 6), 0u);
  c.MoveTo(-1000000, 3);
  c.LineTo(1000000, 3);  // far outside: only the visible part is drawn
  EXPECT_EQ(s.RawPixel(9, 3), 0xFFFFu);
  c.SetPixel(8, 8, clRed);
  EXPECT_EQ(s.RawPixel(8, 8), 0xF800u);
  EXPECT_EQ(c.Pixel(8, 8), clRed);
  EXPECT_EQ(c.Pixel(10, 0), TCanvas::kInvalid);
  s.ReleaseCanvas();
  EXPECT_FALSE(s.CanvasInUse());
}

TEST(InsideRect, AllFourEdgesCount) {
  const TRect r{10, 5, 30, 20};
  EXPECT_TRUE(InsideRect({10, 20}, r));
  EXPECT_TRUE(InsideRect({30, 5}, r));
  EXPECT_TRUE(InsideRect({20, 10}, r));
  EXPECT_FALSE(InsideRect({9, 10}, r));
  EXPECT_FALSE(InsideRect({31, 10}, r));
  EXPECT_FALSE(InsideRect({20, 4}, r));
  EXPECT_FALSE(InsideRect({20, 21}, r));
}

}  // namespace
}  // namespace quendrix
