#include "game/collisions.h"

#include "game/game_state.h"

namespace quendrix {

int32_t WallMirrorAngle(int32_t wallAngle, int32_t) {
  return wallAngle;
}

void WallRebound(GameSession&, int32_t, int32_t) {}

// Ball-to-ball hits come with the collisions.
void BallHits(GameSession&, int32_t) {}

}  // namespace quendrix
