// Ball motion: one physics substep of a moving ball and the frame's run of
// substeps for every ball. Positions in course pixels, speeds in pixels per
// substep, directions binary angles (256 a turn, stored unreduced).
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;
struct playerrec;

// One physics substep of ball `player`: stillness and safe point, the stuck
// return, velocity with slope push, rolling texture, friction and drag,
// flight, ramp edges, ball-to-ball hits, the stop rule, the turn check and
// the pass over the course areas.
void BallSubstep(GameSession& session, int32_t player);

// The physics of one frame: for each player 1 ... playerCount in turn,
// substeps + 1 substeps of that ball while it is moving.
void MoveBalls(GameSession& session);

// The common release of a shot, after the caller has set the ball's
// direction and speed: the ball starts moving, the stroke is counted when
// `countStroke`, and a ball lying in sand is chipped out.
void StartShot(GameSession& session, int32_t player, bool countStroke);

// Advances the rolling texture of a ball moved by (vx, vy).
void AdvanceRoll(playerrec& ball, double vx, double vy);

}  // namespace quendrix
