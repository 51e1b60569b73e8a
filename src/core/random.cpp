#include "core/random.h"

namespace quendrix {

void Pcg32::Seed(uint64_t seed, uint64_t sequence) {
  state_ = 0;
  inc_ = (sequence << 1u) | 1u;
  Next32();
  state_ += seed;
  Next32();
}

uint32_t Pcg32::Next32() {
  const uint64_t old = state_;
  state_ = old * 6364136223846793005ULL + inc_;
  const auto xorshifted = static_cast<uint32_t>(((old >> 18u) ^ old) >> 27u);
  const auto rot = static_cast<uint32_t>(old >> 59u);
  return (xorshifted >> rot) | (xorshifted << ((0u - rot) & 31u));
}

}  // namespace quendrix
