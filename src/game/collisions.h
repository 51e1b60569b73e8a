// Collisions: rebounds from the walls of the hole and hits between balls.
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;

// The mirror angle of a wall of angle 19 or 109 for a ball heading
// `direction`; any other wall angle is its own mirror angle.
int32_t WallMirrorAngle(int32_t wallAngle, int32_t direction);

// Rebounds ball `player` from a wall of angle `wallAngle` (0, 19, 32, 64, 96
// or 109): mirrors its direction and sets wallHit. The area pass then damps
// the ball and steps it back to its motion mark.
void WallRebound(GameSession& session, int32_t wallAngle, int32_t player);

// Hits of the moving ball `player` against every other ball in play.
void BallHits(GameSession& session, int32_t player);

}  // namespace quendrix
