// The drops a captured ball makes outside the physics step, once per frame in
// the ball phase (after the course effects have run, so a finished splash has
// already freed its slot): a ball lost in water sinks and is dropped back near
// the water's put-back point, a ball in a pipe falls to the pipe's exit and
// pops out, a ball in the cup sinks towards the hole-out depth.
//
// The play screen runs these stages between drawing the balls; tools that
// play without drawing (the solver) run them through DropBalls.
//
// Positions in course pixels; z in pixels above the ground (negative while
// dropping into a cup or pipe); one call is one frame, so every rate here is
// per frame.
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;
struct playerrec;

// Course effect slot of the water splash; the ball is dropped back once the
// splash has played and freed it.
inline constexpr int32_t kSplashSlot = 32;
// A ball this deep in the cup is holed (the hole-out itself is the rules').
inline constexpr double kHoledDepth = -45;
// Below this depth a ball is no longer drawn, nor does it sink in water.
inline constexpr double kHiddenDepth = -30;

// For a `lost` ball: sinks a pixel a frame, starts the splash in slot 32,
// and once that has played drops the ball back near (respawnX, respawnY).
// True in the frame it is dropped back (the caller then applies the water
// penalty of the rules).
bool SinkInWater(GameSession& session, int32_t player);

// For a ball `inPipe`: the fall through the entrance and the pop out of its
// exit. True in the frame it comes out.
bool FallThroughPipe(GameSession& session, int32_t player);

// For a ball `inCup`: the sink, held inside the cup's radius.
void SinkInCup(GameSession& session, int32_t player);

// Deep enough in the cup to be holed.
bool ReadyToHoleOut(const playerrec& ball);

// The three drops for every ball in ball-phase order (the lost-ball stage
// only for a ball that is shown), without drawing. Returns a bit per player
// (bit p - 1) dropped back from water this frame.
uint32_t DropBalls(GameSession& session);

}  // namespace quendrix
