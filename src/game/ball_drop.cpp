#include "game/ball_drop.h"

#include <array>

#include "game/ball_sprites.h"
#include "game/game_state.h"

namespace quendrix {

uint32_t DropBalls(GameSession& s) {
  std::array<int32_t, 4> order{};
  const int32_t count = BallDrawOrder(s, order);
  uint32_t droppedBack = 0;
  for (int32_t k = 0; k < count; ++k) {
    const int32_t p = order[static_cast<size_t>(k)];
    const playerrec& b = s.players[p];
    if (BallShown(b) && b.lost && SinkInWater(s, p)) droppedBack |= 1u << (p - 1);
    if (b.inPipe) FallThroughPipe(s, p);
    if (b.inCup) SinkInCup(s, p);
  }
  return droppedBack;
}

}  // namespace quendrix
