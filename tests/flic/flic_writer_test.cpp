// The writer's files read back through FFmpeg's FLIC demuxer and decoder,
// every pixel and colour of every frame, the ring frame included.
#include <gtest/gtest.h>

#include "assetgen/flic_writer.h"
#include "flic_support.h"
#include "widgets/flic_decoder.h"

namespace quendrix::testing {
namespace {

struct Size {
  int width, height;
};

class FlicRoundTrip : public ::testing::TestWithParam<Size> {};

void ExpectFrame(const FlicDecoder& d, const FlicClip& clip, size_t k, const char* what) {
  const int w = clip.width, h = clip.height;
  int wrong = 0, firstWrong = -1;
  for (int i = 0; i < w * h; ++i)
    if (d.Pixels()[i] != clip.pixels[k][i] && wrong++ == 0) firstWrong = i;
  EXPECT_EQ(wrong, 0) << what << " frame " << k + 1 << ": first wrong pixel (" << firstWrong % w
                      << ", " << firstWrong / w << ")";
  for (int c = 0; c < 256; ++c) {
    const uint8_t* rgb = clip.palettes[k].data() + 3 * c;
    uint32_t want = 0xFF000000u | (rgb[0] << 16) | (rgb[1] << 8) | rgb[2];
    ASSERT_EQ(d.Palette()[c], want) << what << " frame " << k + 1 << " colour " << c;
  }
}

TEST_P(FlicRoundTrip, EveryFrameDecodesAsWritten) {
  const Size s = GetParam();
  const FlicClip clip = MakeClip(s.width, s.height, 66);
  ScratchDir dir;
  FlicDecoder d;
  ASSERT_EQ(d.Open(dir.Write("clip.flc", Encode(clip))), FlicDecoder::OpenResult::kOk);
  const int n = static_cast<int>(clip.pixels.size());
  EXPECT_EQ(d.Width(), s.width);
  EXPECT_EQ(d.Height(), s.height);
  EXPECT_EQ(d.SpeedMs(), 66);
  EXPECT_EQ(d.HeaderFrames(), n);
  ASSERT_EQ(d.PacketCount(), n + 1);  // the ring frame
  EXPECT_TRUE(d.ReadToEnd());
  for (int k = 0; k < n; ++k) {
    ASSERT_TRUE(d.Decode(k)) << "frame " << k + 1;
    ExpectFrame(d, clip, static_cast<size_t>(k), "");
  }
  ASSERT_TRUE(d.Decode(n));
  ExpectFrame(d, clip, 0, "ring");
}

INSTANTIATE_TEST_SUITE_P(Sizes, FlicRoundTrip,
                         ::testing::Values(Size{640, 480}, Size{320, 40}, Size{641, 3}, Size{33, 7},
                                           Size{300, 1}, Size{1, 5}, Size{2, 2}),
                         [](const ::testing::TestParamInfo<Size>& p) {
                           return std::to_string(p.param.width) + "x" +
                                  std::to_string(p.param.height);
                         });

// Fixed encodings of the corner cases every reader must agree on.
TEST(FlicChunks, CornerCasesOfTheWordDelta) {
  using assetgen::flic::DeltaFlc;
  // Unchanged: zero lines.
  EXPECT_EQ(DeltaFlc({1, 2, 3, 4}, {1, 2, 3, 4}, 2, 2), std::string("\0\0", 2));
  // Line 1 of 3 changed at its last pixel of an odd width: skip one line,
  // one packet (skip 1, one word) that takes the left neighbour along.
  std::vector<uint8_t> a(9, 0), b = a;
  b[5] = 7;
  EXPECT_EQ(DeltaFlc(a, b, 3, 3), std::string("\1\0\xFF\xFF\1\0\1\1\0\7", 10));
  // A whole odd line: the last-byte word for its last pixel.
  EXPECT_EQ(DeltaFlc({0, 0, 0}, {5, 6, 7}, 3, 1), std::string("\1\0\7\x80\1\0\0\1\5\6", 10));
  // Pixels 300 apart: an empty packet carries the skip past 255.
  std::vector<uint8_t> c(400, 0), e = c;
  e[0] = 1;
  e[302] = 2;
  EXPECT_EQ(DeltaFlc(c, e, 400, 1), std::string("\1\0\3\0\0\1\1\0\xFF\0\x2D\1\2\0", 14));
}

TEST(FlicChunks, RunsStayWithinTheirLimits) {
  std::vector<uint8_t> px(300, 4);
  // 127 + 127 + 46 in replicate runs, and the per-line packet count first.
  EXPECT_EQ(assetgen::flic::ByteRun(px, 300, 1), std::string("\3\x7F\4\x7F\4\x2E\4", 7));
}

TEST(FlicWriter, RejectsWhatTheFormatCannotHold) {
  EXPECT_THROW(assetgen::FlicWriter(0, 10, 50), std::invalid_argument);
  EXPECT_THROW(assetgen::FlicWriter(10, 4097, 50), std::invalid_argument);
  EXPECT_THROW(assetgen::FlicWriter(10, 10, 0), std::invalid_argument);
  assetgen::FlicWriter w(4, 4, 50);
  EXPECT_THROW(w.Finish(), std::logic_error);
  EXPECT_THROW(w.AddFrame(std::vector<uint8_t>(15), {}), std::invalid_argument);
}

}  // namespace
}  // namespace quendrix::testing
