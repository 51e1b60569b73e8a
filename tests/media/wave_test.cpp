#include <gtest/gtest.h>

#include "media/media_error.h"
#include "media/wave.h"
#include "test_bytes.h"

namespace quendrix {
namespace {

using test::Bytes;

Bytes RiffHeader() {
  Bytes b;
  b.Text("RIFF").U32(0).Text("WAVE");
  return b;
}

Bytes& PcmFormat(Bytes& b, uint16_t channels, uint32_t rate, uint16_t bits) {
  const uint16_t align = static_cast<uint16_t>(channels * bits / 8);
  return b.Text("fmt ")
      .U32(16)
      .U16(1)
      .U16(channels)
      .U32(rate)
      .U32(rate * align)
      .U16(align)
      .U16(bits);
}

std::string DecodeError(const std::vector<uint8_t>& bytes) {
  try {
    DecodeWave(bytes);
  } catch (const MediaError& e) {
    return e.what();
  }
  return "no error";
}

TEST(Wave, Pcm16RoundTripsThroughTheFileForm) {
  const std::vector<int16_t> samples = {0, 1, -1, 32767, -32768, 1234};
  const Wave w = Wave::FromPcm16(22050, 2, samples);
  EXPECT_EQ(w.blockAlign, 4);
  EXPECT_EQ(w.avgBytesPerSec, 88200u);
  EXPECT_EQ(w.FrameCount(), 3u);
  EXPECT_EQ(w.data[4], 0xFF);  // -1 little-endian
  EXPECT_EQ(w.data[5], 0xFF);
  EXPECT_EQ(w.data[6], 0xFF);  // 32767
  EXPECT_EQ(w.data[7], 0x7F);
  EXPECT_EQ(w.data[8], 0x00);  // -32768
  EXPECT_EQ(w.data[9], 0x80);
  const auto file = EncodeWave(w);
  EXPECT_EQ(file.size(), 44u + 12u);
  EXPECT_EQ(DecodeWave(file), w);
  EXPECT_THROW(Wave::FromPcm16(22050, 2, std::vector<int16_t>(3)), std::invalid_argument);
  EXPECT_THROW(Wave::FromPcm16(0, 1, samples), std::invalid_argument);
}

TEST(Wave, DurationRoundsUpToWholeMilliseconds) {
  EXPECT_EQ(Wave::FromPcm16(22050, 1, std::vector<int16_t>(22050)).DurationMs(), 1000u);
  EXPECT_EQ(Wave::FromPcm16(22050, 1, std::vector<int16_t>(1)).DurationMs(), 1u);
  EXPECT_EQ(Wave{}.DurationMs(), 0u);
}

TEST(DecodeWave, SkipsOtherChunksByTheirSizeWithoutPadding) {
  Bytes b = RiffHeader();
  b.Text("LIST").U32(3).Raw({1, 2, 3});  // odd size, no pad byte follows
  PcmFormat(b, 1, 11025, 8);
  b.Text("data").U32(3).Raw({10, 20, 30});
  b.Text("junk").U32(1).Raw({9});
  const Wave w = DecodeWave(b);
  EXPECT_EQ(w.channels, 1);
  EXPECT_EQ(w.samplesPerSec, 11025u);
  EXPECT_EQ(w.bitsPerSample, 8);
  EXPECT_EQ(w.data, (std::vector<uint8_t>{10, 20, 30}));
}

TEST(DecodeWave, AZeroChunkIdEndsTheChunks) {
  Bytes b = RiffHeader();
  PcmFormat(b, 1, 8000, 16);
  b.Text("data").U32(2).Raw({1, 2});
  b.U32(0).Raw({0xFF, 0xFF, 0xFF, 0xFF, 1, 2});  // garbage after the zero id is never read
  EXPECT_EQ(DecodeWave(b).data.size(), 2u);
}

TEST(DecodeWave, MendsTheFrameSizeAndDropsAPartialFrame) {
  Bytes b = RiffHeader();
  b.Text("fmt ").U32(18).U16(1).U16(2).U32(8000).U32(1).U16(99).U16(16).U16(0);  // 18-byte record
  b.Text("data").U32(7).Raw({1, 2, 3, 4, 5, 6, 7});
  const Wave w = DecodeWave(b);
  EXPECT_EQ(w.blockAlign, 4);
  EXPECT_EQ(w.avgBytesPerSec, 32000u);
  EXPECT_EQ(w.data.size(), 4u);
}

TEST(DecodeWave, FormatWithoutSamplesIsAnEmptySound) {
  Bytes b = RiffHeader();
  PcmFormat(b, 1, 22050, 16);
  const Wave w = DecodeWave(b);
  EXPECT_TRUE(w.Empty());
  EXPECT_EQ(w.samplesPerSec, 22050u);
  EXPECT_TRUE(DecodeWave(RiffHeader()).Empty());
}

TEST(DecodeWave, BrokenWavesAreRefusedWithTheWaveMessage) {
  Bytes good = RiffHeader();
  PcmFormat(good, 1, 22050, 16);
  good.Text("data").U32(4).Raw({1, 2, 3, 4});
  ASSERT_NO_THROW(DecodeWave(good));
  // Every cut either fails cleanly or, at a chunk boundary, gives the chunks
  // before it.
  for (size_t n = 0; n < good.Size(); ++n) {
    const std::vector<uint8_t> cut(good.Get().begin(), good.Get().begin() + n);
    const std::string err = DecodeError(cut);
    const bool boundary =
        (n >= 12 && n < 16) || (n >= 36 && n < 40);  // fewer than 4 bytes left end the chunks
    if (boundary) {
      EXPECT_EQ(err, "no error") << n;
    } else {
      EXPECT_EQ(err, kWaveInvalid) << n;
    }
  }
  EXPECT_EQ(DecodeError(Bytes().Text("RIFX").U32(4).Text("WAVE")), kWaveInvalid);
  EXPECT_EQ(DecodeError(Bytes().Text("RIFF").U32(4).Text("AVI ")), kWaveInvalid);
  // Samples without a format.
  EXPECT_EQ(DecodeError(RiffHeader().Text("data").U32(2).Raw({1, 2})), kWaveInvalid);
  // A chunk claiming more than there is.
  EXPECT_EQ(DecodeError(RiffHeader().Text("data").U32(0xFFFFFFF0).Raw({1, 2})), kWaveInvalid);
  // A format record too short, and formats the sound device cannot play.
  EXPECT_EQ(DecodeError(RiffHeader().Text("fmt ").U32(4).U16(1).U16(1)), kWaveInvalid);
  Bytes adpcm = RiffHeader();
  adpcm.Text("fmt ").U32(16).U16(2).U16(1).U32(8000).U32(8000).U16(1).U16(4);
  EXPECT_EQ(DecodeError(adpcm), kWaveInvalid);
  Bytes noChannels = RiffHeader();
  PcmFormat(noChannels, 0, 8000, 16);
  EXPECT_EQ(DecodeError(noChannels), kWaveInvalid);
  Bytes twelveBit = RiffHeader();
  PcmFormat(twelveBit, 1, 8000, 12);
  EXPECT_EQ(DecodeError(twelveBit), kWaveInvalid);
}

}  // namespace
}  // namespace quendrix
