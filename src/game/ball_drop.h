// The drops a captured ball makes outside the physics step, once per frame in
// the ball phase (after the course effects have run, so a finished splash has
// already freed its slot): a ball lost in water sinks and is dropped back near
// the water's put-back point, a ball in a pipe falls to the pipe's exit and
// pops out, a ball in the cup sinks towards the hole-out depth.
//
// Positions in course pixels; z in pixels above the ground (negative while
// dropping into a cup or pipe); one call is one frame, so every rate here is
// per frame.
#pragma once

#include <array>
#include <cstdint>

#include "game/game_state.h"

namespace quendrix {

// Course effect slot of the water splash; the ball is dropped back once the
// splash has played and freed it.
inline constexpr int32_t kSplashSlot = 32;
// Course images of the drops.
inline constexpr int32_t kSplashImage = 4;
inline constexpr int32_t kDropMarkerImage = 13;
// A ball this deep in the cup is holed (the hole-out itself is the rules').
inline constexpr double kHoledDepth = -45;
// Below this depth a ball is no longer drawn, nor does it sink in water.
inline constexpr double kHiddenDepth = -30;

// Stage of a lost ball, for a ball that is `lost`: sinks one pixel a frame;
// the splash starts in slot 32 when one row is left; when none is left and
// the splash is over, the ball falls back from 80 px above a point 4 ... 25 px
// around (respawnX, respawnY). Returns true in the frame the ball is dropped
// back (the caller then applies the water penalty of the rules).
bool SinkLostBall(GameSession& session, int32_t player);

// Stage of a ball that is `inPipe`: it falls, held within the entrance's
// radius, until its drawn position passes below the exit mouth (x2, y2);
// then it pops out there along the entrance's arrow (x3, y3) -> (x4, y4),
// from the height |y3 - y2|, with lastArea = the entrance's p4. Returns true
// in the frame it comes out.
bool DropThroughPipe(GameSession& session, int32_t player);

// Stage of a ball that is `inCup`: it falls ever faster and is pulled
// towards the cup's centre. A ball with no valid cup area (put in by the
// stroke limit) only falls.
void SinkIntoCup(GameSession& session, int32_t player);

// The order in which the ball phase takes the players 1 ... playerCount:
// by rounded ground y, smallest first, equal ones in player order. Returns
// the count; `order` holds player numbers.
int32_t BallPhaseOrder(const GameSession& session, std::array<int32_t, kMaxPlayers>& order);

// Runs the three drops for every ball in ball-phase order (the lost-ball
// stage only for a ball in play above the hidden depth, as it is drawn).
// Returns a bit per player (bit p - 1) dropped back from water this frame.
uint32_t DropBalls(GameSession& session);

}  // namespace quendrix
