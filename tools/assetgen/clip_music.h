// The clips' sound, from the game's own synthesizer: 22050 Hz mono, each
// exactly as long as its clip and faded out at its end.
#pragma once

#include <cstdint>
#include <vector>

namespace quendrix::assetgen {

// The logo's chime (seconds: the clip's length).
std::vector<int16_t> LogoChime(double seconds);
// The title sequence's tune: bright, a bar of two seconds.
std::vector<int16_t> IntroTune(double seconds);
// The credits' tune: slower and gentle.
std::vector<int16_t> CreditsTune(double seconds);

// Peak and RMS of 16-bit samples, dB below full scale (0 = full scale).
struct SoundLevels {
  double peakDb = -120, rmsDb = -120;
  int clipped = 0;  // samples at the 16-bit limits
};
SoundLevels MeasureLevels(const std::vector<int16_t>& samples);

}  // namespace quendrix::assetgen
