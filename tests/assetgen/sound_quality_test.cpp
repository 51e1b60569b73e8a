// What a player hears: every effect is audible but not clipped, and the two
// loops turn round without a click at the seam.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

#include "data_test_util.h"
#include "game/data_catalogue.h"
#include "media/list_file.h"

namespace quendrix::testing {
namespace {

std::vector<int16_t> Samples(const Wave& w) {
  std::vector<int16_t> s(w.data.size() / 2);
  std::memcpy(s.data(), w.data.data(), s.size() * 2);
  return s;
}

TEST(SoundQuality, EffectsAreAudibleAndNeverClip) {
  std::vector<WaveItemData> items;
  LoadSoundListFile(DataPath("sound.dxw"), items);
  for (const auto& item : items) {
    SCOPED_TRACE(item.name);
    auto s = Samples(item.wave);
    ASSERT_FALSE(s.empty());
    int peak = 0;
    double energy = 0;
    for (int16_t v : s) {
      peak = std::max(peak, std::abs(static_cast<int>(v)));
      energy += static_cast<double>(v) * v;
    }
    double rmsDb = 20 * std::log10(std::sqrt(energy / s.size()) / 32768);
    EXPECT_LT(peak, 32767) << "clipped";
    EXPECT_GT(peak, 32768 / 4) << "too quiet to hear over the ambient loop";
    EXPECT_GT(rmsDb, -40);
    // Starts at once: a sound triggered by a hit must not lag behind it.
    size_t onset = 0;
    while (onset < s.size() && std::abs(static_cast<int>(s[onset])) < peak / 10) ++onset;
    EXPECT_LT(onset, 22050u / 20) << "more than 50 ms of silence first";
  }
}

void ExpectSeamless(const WaveItemData& item) {
  auto s = Samples(item.wave);
  ASSERT_GT(s.size(), 100u);
  // The step from the last sample back to the first is no bigger than the
  // steps inside the sound.
  int largest = 0;
  for (size_t i = 1; i < s.size(); ++i)
    largest = std::max(largest, std::abs(static_cast<int>(s[i]) - s[i - 1]));
  EXPECT_LE(std::abs(static_cast<int>(s.front()) - s.back()), largest) << item.name;
}

TEST(SoundQuality, LoopsTurnRoundWithoutAClick) {
  std::vector<WaveItemData> effects, menu;
  LoadSoundListFile(DataPath("sound.dxw"), effects);
  LoadSoundListFile(DataPath("menu.dxw"), menu);
  ASSERT_EQ(effects.size(), static_cast<size_t>(kEffectSoundCount));
  ASSERT_EQ(menu.size(), static_cast<size_t>(kMenuSoundCount));
  ExpectSeamless(effects[ItemIndex(EffectSound::kLoadingLoop)]);
  ExpectSeamless(menu[ItemIndex(MenuSound::kMusic)]);
}

}  // namespace
}  // namespace quendrix::testing
