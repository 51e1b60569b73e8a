// What the game core asks of the world outside it while it plays: sounds and
// the turn hand-over. The play screen binds these to the sound device and to
// the rules; tests record them; a headless run can ignore them.
#pragma once

#include <cstdint>

namespace quendrix {

class GameEvents {
 public:
  virtual ~GameEvents() = default;

  // Item `index` of the effects sound list. Called only when soundOn is set.
  virtual void PlaySound(int32_t index) = 0;
  // Wave `index` of the current hole's own sound list. Called only when
  // soundOn is set.
  virtual void PlayBackgroundSound(int32_t index) = 0;
  // Sets the volume of item `index` of the effects sound list, in hundredths
  // of a decibel (0 = full, negative = quieter). Applies whether or not
  // soundOn is set, so that the next play of the item has it.
  virtual void SetSoundVolume(int32_t index, int32_t hundredthsDb) {
    (void)index;
    (void)hundredthsDb;
  }
  // The last moving ball in play has come to rest: the turn passes. Called
  // from inside the physics substep in which that happened.
  virtual void TurnEnded() = 0;
};

// Does nothing; the default when no one listens.
class SilentEvents final : public GameEvents {
 public:
  void PlaySound(int32_t) override {}
  void PlayBackgroundSound(int32_t) override {}
  void TurnEnded() override {}
};

}  // namespace quendrix
