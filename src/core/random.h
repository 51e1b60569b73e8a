// Seeded random streams. The game owns two: the play stream (sequence 1)
// serves every draw that changes the game; the visual stream (sequence 2)
// serves draws that only change what is seen or heard. The same seed and the
// same inputs therefore give the same game, whatever the display and sound
// settings.
#pragma once

#include <cstdint>

namespace quendrix {

// PCG32 (XSH-RR output, 64-bit state, LCG multiplier 6364136223846793005).
class Pcg32 {
 public:
  Pcg32() { Seed(0, 0); }
  Pcg32(uint64_t seed, uint64_t sequence) { Seed(seed, sequence); }

  void Seed(uint64_t seed, uint64_t sequence);
  uint32_t Next32();

  // Uniform integer 0 ... n - 1 by multiply-and-shift; n <= 0 gives 0 and
  // draws nothing.
  int32_t RandomBelow(int32_t n) {
    if (n <= 0) return 0;
    return static_cast<int32_t>((static_cast<uint64_t>(Next32()) * static_cast<uint64_t>(n)) >> 32);
  }

  uint64_t State() const { return state_; }
  uint64_t Increment() const { return inc_; }

 private:
  uint64_t state_ = 0;
  uint64_t inc_ = 1;
};

inline constexpr uint64_t kPlayStream = 1;
inline constexpr uint64_t kVisualStream = 2;
// The computer players' own draws (how long they think, how their hands
// err), seeded from the game's seed like the other two.
inline constexpr uint64_t kComputerStream = 3;

}  // namespace quendrix
