// PCM sound data with its format, as a sound-list item owns it, and its
// RIFF WAVE file form.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quendrix {

struct Wave {
  static constexpr uint16_t kPcm = 1;

  uint16_t formatTag = 0;  // 1 = PCM; 0 while empty
  uint16_t channels = 0;
  uint32_t samplesPerSec = 0;
  uint32_t avgBytesPerSec = 0;
  uint16_t blockAlign = 0;  // bytes per frame (all channels)
  uint16_t bitsPerSample = 0;
  std::vector<uint8_t> data;  // interleaved samples, whole frames

  // A sound without samples plays nothing.
  bool Empty() const { return data.empty() || blockAlign == 0; }
  uint32_t FrameCount() const {
    return blockAlign ? static_cast<uint32_t>(data.size() / blockAlign) : 0;
  }
  // Length in milliseconds, rounded up so a non-empty sound lasts at least 1.
  uint32_t DurationMs() const;

  // 16-bit PCM from interleaved samples (channels values per frame).
  // Throws std::invalid_argument for a zero rate or channel count or a sample
  // count that is not whole frames.
  static Wave FromPcm16(uint32_t samplesPerSec, uint16_t channels,
                        std::span<const int16_t> samples);

  bool operator==(const Wave&) const = default;
};

// RIFF WAVE bytes -> sound. The "fmt " chunk gives the format, "data" the
// samples; other chunks are skipped by their size (no pad byte for odd
// sizes), and reading stops at the end of the bytes or at a chunk id of zero.
// Throws MediaError "Wave is invalid" for anything without "RIFF"/"WAVE", for
// a chunk that runs past the end, for samples without a format, and for
// formats other than 8 or 16-bit PCM with 1 to 8 channels.
Wave DecodeWave(std::span<const uint8_t> bytes);

// Sound -> a RIFF WAVE file ("fmt " with the 16-byte PCM record, "data").
std::vector<uint8_t> EncodeWave(const Wave& wave);

Wave LoadWaveFile(const std::string& path);
void SaveWaveFile(const std::string& path, const Wave& wave);

}  // namespace quendrix
