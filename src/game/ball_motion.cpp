#include "game/ball_motion.h"

#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/collisions.h"
#include "game/course_areas.h"
#include "game/effects.h"
#include "game/game_events.h"
#include "game/game_state.h"

namespace quendrix {

namespace {

// Sounds of the effects list.

// A ball that stays within 2 px of its motion mark for more than this many
// substeps is wedged and put back.
constexpr int32_t kStuckSubsteps = 60;

int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// Keeps a texture offset in 0 ... 16.
double WrapRoll(double v) {
  if (v > 16) v -= 16;
  if (v < 0) v += 16;
  return v;
}

// Launches the ball off a ramp's edge.
void Jump(playerrec& b) {
  b.fallSpeed = 0.92 * b.speed;
  b.airborne = true;
}

void RampEdges(playerrec& b) {
  const auto bend = [&b] {
    return Nearest(std::fabs(BinCos(Wrap(int64_t{b.direction} - 19))) * 15);
  };
  // Each rule acts only while the ball is on the ground when it is tried.
  if (!b.airborne && b.lastRampCode == 13 && b.rampCode == 0)
    b.direction = Wrap(int64_t{b.direction} - bend());
  if (!b.airborne && b.lastRampCode == 0 && b.rampCode == 13)
    b.direction = Wrap(int64_t{b.direction} + bend());
  if (!b.airborne && b.lastRampCode == -13 && b.rampCode == 0)
    b.direction = Wrap(int64_t{b.direction} + bend());
  if (!b.airborne && b.lastRampCode == 0 && b.rampCode == -13)
    b.direction = Wrap(int64_t{b.direction} - bend());
  // Direction ranges compare the stored value as it stands.
  const int32_t d = b.direction;
  if (!b.airborne && b.lastRampCode == -13 && b.rampCode == 0 && b.speed > 2 &&
      ((d > 208 && d < 240) || (d > 0 && d < 32)))
    Jump(b);
  if (!b.airborne && b.lastRampCode == 13 && b.rampCode == 0 && b.speed > 2 &&
      ((d > 144 && d < 176) || (d > 96 && d < 128)))
    Jump(b);
}

// The stillness sample against the motion mark, and the safe
// point trailing the ball by at least 6 px.
void TrackMarks(playerrec& b) {
  const int32_t rx = Nearest(b.x), ry = Nearest(b.y);
  if (PlainDistance(Nearest(b.prevX), Nearest(b.prevY), rx, ry) < 2) {
    ++b.stillFrames;
  } else {
    b.prevX = b.x;
    b.prevY = b.y;
    b.stillFrames = 0;
  }
  if (PlainDistance(Nearest(b.safeX), Nearest(b.safeY), rx, ry) >= 6) {
    b.safeX = b.x;
    b.safeY = b.y;
  }
}

// The stuck return: a ball still too long on open ground hops back
// to the safe point, heading roughly backwards.
void StuckReturn(GameSession& session, playerrec& b) {
  if (b.stillFrames <= kStuckSubsteps || b.airborne || b.onSand || b.lost || b.inPipe || b.inCup)
    return;
  b.x = b.safeX;
  b.y = b.safeY;
  b.airborne = true;
  b.direction = Wrap(int64_t{b.direction} - (session.playRandom.RandomBelow(128) + 64));
  b.speed = 1.0;
  b.fallSpeed = 1.0;
  b.lastArea = -1;
  b.moving = true;
  b.stillFrames = 0;
  session.Sound(EffectSound::kStuck);
  SpawnBurst(session, BurstRecipe::kGrey, b);
}

// The slope push of the last area pass folds into the motion
// (not in the air), the ball moves, its texture rolls.
void Step(playerrec& b) {
  double vx = BinCos(b.direction) * b.speed;
  double vy = BinSin(b.direction) * b.speed;
  double px = BinCos(b.pushDirection) * b.pushSpeed;
  double py = BinSin(b.pushDirection) * b.pushSpeed;
  if (b.z > 1.5) px = py = 0;
  vx += px;
  vy += py;
  b.direction = BinAngle(vx, vy);
  b.speed = std::sqrt(vx * vx + vy * vy);
  b.x += vx;
  b.y += vy;
  AdvanceRoll(b, vx, vy);
}

// The speed limit, friction, water and sand drag (a fast ball
// into sand is cut down with a spray), never below 0.
void Drag(GameSession& session, playerrec& b) {
  if (b.speed > 5) b.speed = 5.0;
  b.speed -= 0.005;
  if (b.lost) {
    if (b.speed > 0.5) {
      b.speed = 0.5;
    } else {
      b.speed -= 0.065;
    }
  }
  if (b.onSand) {
    if (b.speed > 2.5) {
      b.speed = 2.0;
      session.Sound(EffectSound::kSand);
      SpawnBurst(session, BurstRecipe::kSandSpray, b);
    } else {
      b.speed -= 0.025;
    }
  }
  if (b.speed < 0) b.speed = 0;
}

// Flight: bounce on landing, gravity, rest on the ground.
void Fly(GameSession& session, playerrec& b) {
  if (!b.airborne) return;
  b.z += b.fallSpeed;
  if (b.z < 0) {
    b.fallSpeed = -0.65 * b.fallSpeed;
    b.z = 0;
    if (b.fallSpeed >= 1.5) SpawnBurst(session, BurstRecipe::kGrassPuffs, b);
    session.Sound(EffectSound::kSand);
  }
  b.fallSpeed -= 0.2;
  if (b.z == 0 && std::fabs(b.fallSpeed) < 0.5) b.airborne = false;
}

// The hand-over: the area pass sets these again for the next
// substep.
void HandOverAreaState(playerrec& b) {
  b.lastRampCode = b.rampCode;
  b.lastPushDirection = b.pushDirection;
  b.rampCode = 0;
  b.pushDirection = 0;
  b.pushSpeed = 0;
  b.onSand = false;
}

// The stop rule (direction 0 means "no push" here), and
// the turn passing in the substep in which the last ball comes to rest.
void StopAndHandOverTurn(GameSession& session, playerrec& b) {
  if (b.speed == 0 && !b.airborne && !b.lost && !b.inPipe && b.lastPushDirection == 0) {
    b.moving = false;
    b.stillFrames = 0;
  }
  bool anyMoving = false;
  const int32_t count = session.playerCount < kMaxPlayers ? session.playerCount : kMaxPlayers;
  for (int32_t p = 1; p <= count && !anyMoving; ++p)
    anyMoving = session.players[p].moving && session.players[p].inPlay;
  session.ballsMoving = anyMoving;
  if (!anyMoving) session.events->TurnEnded();
}

}  // namespace

void AdvanceRoll(playerrec& ball, double vx, double vy) {
  ball.spriteAngle =
      static_cast<uint8_t>(Mod256(Wrap(int64_t{ball.spriteAngle} + Nearest(vx * 2.75))));
  ball.rollU = WrapRoll(ball.rollU + BinSin(ball.spriteAngle) * vy / 2);
  ball.rollV = WrapRoll(ball.rollV + BinSin(ball.spriteAngle + 64) * vy / 2);
}

void BallSubstep(GameSession& session, int32_t player) {
  // In this order, which the replays depend on.
  playerrec& b = session.players[player];
  TrackMarks(b);
  StuckReturn(session, b);
  Step(b);
  Drag(session, b);
  Fly(session, b);
  RampEdges(b);  // ramp edges bend the ball or throw it off
  HandOverAreaState(b);
  if (session.settings->whencollide == 1) BallHits(session, player);  // when balls collide at all
  StopAndHandOverTurn(session, b);
  AreaPass(session, player);  // also when the ball has just stopped
}

void MoveBalls(GameSession& session) {
  const int32_t count = session.playerCount < kMaxPlayers ? session.playerCount : kMaxPlayers;
  for (int32_t p = 1; p <= count; ++p) {
    for (int32_t step = 0; step <= session.substeps; ++step) {
      if (session.players[p].moving) BallSubstep(session, p);
    }
  }
}

void StartShot(GameSession& session, int32_t player, bool countStroke) {
  playerrec& b = session.players[player];
  b.moving = true;
  session.ballsMoving = true;
  b.lastArea = -1;
  session.pullSwingSpeed = 1;
  session.shotPhase = 0;
  if (countStroke) {
    ++b.strokes;
    ++b.totalStrokes;
  }
  if (b.onSand) {
    b.fallSpeed = b.speed * 0.5 + 1;
    b.airborne = true;
  }
}

}  // namespace quendrix
