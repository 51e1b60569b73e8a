// The generator's building blocks: colour narrowing and colour keys, the
// flattening of anti-aliased art, pattern cutting, the glyph map, the pixel
// font reader and the synthesizer's buffers.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>

#include "assetgen/draw.h"
#include "assetgen/fonts.h"
#include "assetgen/image.h"
#include "assetgen/items.h"
#include "assetgen/synth.h"

namespace quendrix::assetgen {
namespace {

TEST(Narrowing, ColoursSurviveTheTripThroughRgb565) {
  for (int v = 0; v < 256; ++v) {
    uint8_t r = Narrow5(static_cast<uint8_t>(v)), g = Narrow6(static_cast<uint8_t>(v));
    // Truncating to 5 / 6 bits and widening again gives the same value,
    // whichever way the game converts.
    int r5 = r >> 3, g6 = g >> 2;
    EXPECT_EQ(r, (r5 << 3) | (r5 >> 2)) << v;
    EXPECT_EQ(g, (g6 << 2) | (g6 >> 4)) << v;
    EXPECT_LE(std::abs(r - v), 4) << v;
    EXPECT_LE(std::abs(g - v), 2) << v;
  }
}

TEST(Narrowing, TheStepBesideTheKeyIsNotTheKey) {
  for (Rgb key : {kBlack, Rgb{255, 0, 255}, Rgb{255, 255, 255}}) {
    Rgb off = NextToKey(key);
    EXPECT_FALSE(off == Narrow565(key));
    EXPECT_TRUE(off == Narrow565(off));
  }
}

TEST(Flatten, FaintRimsBecomeTheKeyAndNearBlackArtStaysVisible) {
  Canvas c(4, 1);
  cairo_t* cr = c.Cr();
  cairo_rectangle(cr, 0, 0, 1, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.1);  // a faint anti-aliased rim
  cairo_fill(cr);
  cairo_rectangle(cr, 1, 0, 1, 1);
  cairo_set_source_rgb(cr, 1.0 / 255, 0, 1.0 / 255);  // art that narrows to black
  cairo_fill(cr);
  cairo_rectangle(cr, 2, 0, 1, 1);
  cairo_set_source_rgba(cr, 1, 1, 1, 0.6);  // half covered: over the matte
  cairo_fill(cr);
  FlattenOptions o;
  o.matte = Rgb{0, 0, 200};
  Picture p = Flatten(c, o);
  EXPECT_TRUE(p.At(0, 0) == kBlack);
  EXPECT_FALSE(p.At(1, 0) == kBlack) << "art must not vanish into the key";
  EXPECT_GT(p.At(2, 0).b, p.At(2, 0).r) << "rim blends into the matte";
  EXPECT_TRUE(p.At(3, 0) == kBlack);
}

TEST(Flatten, BlendedPicturesKeepTheirFadedColours) {
  Canvas c(1, 1);
  cairo_set_source_rgba(c.Cr(), 1, 1, 1, 0.5);
  cairo_paint(c.Cr());
  FlattenOptions o;
  o.premultiplied = true;
  Picture p = Flatten(c, o);
  EXPECT_NEAR(p.At(0, 0).g, 128, 4);  // half strength in an additive blend
}

TEST(Patterns, CutRowByRowWithGaps) {
  ImageItem item;
  item.picture = Picture(100, 50);
  item.patternWidth = 24;
  item.patternHeight = 20;
  item.skipWidth = 2;
  item.skipHeight = 5;
  EXPECT_EQ(item.Columns(), (100 + 2) / 26);
  EXPECT_EQ(item.Rows(), (50 + 5) / 25);
  EXPECT_EQ(item.PatternCount(), 3 * 2);
  item.picture.Set(26 + 1, 25 + 2, Rgb{9, 9, 9});
  Picture p = item.Pattern(4);  // second row, second column
  EXPECT_TRUE(p.At(1, 2) == (Rgb{9, 9, 9}));
  EXPECT_EQ(item.Pattern(6).Width(), 0) << "beyond the last pattern";
  ImageItem whole;
  whole.picture = Picture(30, 10);
  EXPECT_EQ(whole.PatternCount(), 1);
}

TEST(GlyphMap, StoredTextsReadAsTheirRussianWords) {
  // "LI" is Ь followed by І, which the fonts draw as one Ы.
  EXPECT_EQ(ReadsAs("HAGMNTE BB0D DVR BLIX0DA"), "НАЖМИТЕ ВВОД ДЛЯ ВЬІХОДА");
  EXPECT_EQ(ReadsAs("CVNUK0M SLICTP0"), "СЛИШКОМ БЬІСТРО");
  EXPECT_EQ(ReadsAs("\xC5\xD6\xC4"), "ЕЦД");
  EXPECT_EQ(ReadsAs("12 + 5 ?"), "12 + 5 ?");
}

TEST(GlyphMap, CellLookupsFollowTheGameRules) {
  EXPECT_EQ(FontMapCell('A'), 0);
  EXPECT_EQ(FontMapCell('='), 43) << "the first of the two equals signs";
  EXPECT_EQ(FontMapCell('b'), 30) << "lower case other than a and t is blank";
  EXPECT_EQ(FontMapCell(0), 30);
  EXPECT_EQ(FontMapCell(0xC4), 64);
  EXPECT_EQ(DigitCell('o'), 10);
  EXPECT_EQ(DigitCell('x'), -1);
  EXPECT_EQ(BannerCell(' '), 0);
  EXPECT_EQ(BannerCell('\\'), 60);
  EXPECT_EQ(BannerCell('a'), 0) << "above 92";
}

class PixelFontFile : public ::testing::Test {
 protected:
  std::string Write(const std::string& text) {
    path_ = (std::filesystem::temp_directory_path() /
             ("assetgen_font_" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
              ".txt"))
                .string();
    std::ofstream(path_) << text;
    return path_;
  }
  void TearDown() override { std::remove(path_.c_str()); }
  std::string path_;
};

TEST_F(PixelFontFile, ReadsGlyphsByTheirCharacter) {
  PixelFont f = LoadPixelFont(Write("# comment line\n= Д\n..##.\n.#.#.\n= !\n..#..\n"));
  ASSERT_EQ(f.glyphs.count(U'Д'), 1u);
  EXPECT_EQ(f.glyphs[U'Д'].size(), 2u);
  EXPECT_EQ(f.glyphs[U'!'][0], "..#..");
}

TEST_F(PixelFontFile, RefusesRowsThatAreNotFiveInkOrPaperCells) {
  EXPECT_THROW(LoadPixelFont(Write("= A\n..x..\n")), std::runtime_error);
  EXPECT_THROW(LoadPixelFont(Write("= A\n...\n")), std::runtime_error);
  EXPECT_THROW(LoadPixelFont(Write("..#..\n")), std::runtime_error) << "row before any glyph";
  EXPECT_THROW(LoadPixelFont("/nonexistent/font.txt"), std::runtime_error);
}

TEST(Synth, LoopsKeepTheirLengthAndTheirEchoes) {
  synth::Buffer b(1.0);
  b.s.assign(static_cast<size_t>(synth::kRate * 1.5), 0.f);
  b.s[static_cast<size_t>(synth::kRate * 1.2)] = 0.5f;  // an echo past the seam
  synth::WrapLoop(b, 1.0);
  ASSERT_EQ(b.Size(), static_cast<size_t>(synth::kRate));
  EXPECT_FLOAT_EQ(b.s[static_cast<size_t>(synth::kRate * 0.2)], 0.5f);
}

TEST(Synth, SoundsAreScaledToTheirPeakAndLoopsAreNotTrimmed) {
  synth::Buffer b(0.5);
  for (size_t i = 0; i < 1000; ++i) b.s[i] = static_cast<float>(std::sin(i * 0.1)) * 3;
  Sound trimmed = synth::ToSound(b, 0.5, true);
  Sound whole = synth::ToSound(b, 0.5, false);
  EXPECT_EQ(whole.samples.size(), b.Size());
  EXPECT_LT(trimmed.samples.size(), 1500u) << "silent tail cut off";
  int peak = 0;
  for (int16_t v : whole.samples) peak = std::max(peak, std::abs(static_cast<int>(v)));
  EXPECT_NEAR(peak, 0.5 * 32767, 40);
  EXPECT_EQ(trimmed.samples.back(), 0) << "faded out, no click";
}

TEST(Synth, ReverbAddsItsTailAndNoiseRepeatsWithItsSeed) {
  synth::Buffer b(0.1);
  b.s[0] = 1.f;
  synth::Reverb(b, 0.5, 0.3);
  EXPECT_EQ(b.Size(), static_cast<size_t>(synth::kRate * 0.1 + 0.5) +
                          static_cast<size_t>(synth::kRate * 0.5));
  double tail = 0;
  for (size_t i = static_cast<size_t>(synth::kRate * 0.1); i < b.Size(); ++i)
    tail += std::abs(b.s[i]);
  EXPECT_GT(tail, 0.01);
  Pcg32 r1(5, 9), r2(5, 9);
  auto n1 = synth::Noise(0.05, r1, synth::Constant(1));
  auto n2 = synth::Noise(0.05, r2, synth::Constant(1));
  EXPECT_EQ(n1.s, n2.s);
}

}  // namespace
}  // namespace quendrix::assetgen
