#include "game/collisions.h"

#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/play_texts.h"

namespace quendrix {

namespace {

// Balls closer than this (view distance) touch; a struck ball is pushed out
// to kSeparation.
constexpr int32_t kTouch = 15;
constexpr int32_t kSeparation = 18;
// The push-out moves one pixel per step along the line of the hit; this
// bound only guards against a corrupt position.
constexpr int kMaxSeparationSteps = 100000;

int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// Mirror angles of the walls of angle 19 and 109, by FoldHalfTurn(direction)
// in bands of eight: 0-8, 9-16, ..., 121-128.
constexpr int32_t kMirror19[16] = {32, 38, 45, 42, 39, 37, 34, 32, 32, 29, 26, 24, 21, 19, 26, 32};
constexpr int32_t kMirror109[16] = {96, 102, 109, 107, 104, 102, 99, 96,
                                    96, 94,  91,  89,  86,  83,  90, 96};

}  // namespace

int32_t WallMirrorAngle(int32_t wallAngle, int32_t direction) {
  if (wallAngle != 19 && wallAngle != 109) return wallAngle;
  const int32_t h = FoldHalfTurn(direction);
  const int32_t band = h <= 8 ? 0 : (h - 1) / 8;
  return wallAngle == 19 ? kMirror19[band] : kMirror109[band];
}

void WallRebound(GameSession& session, int32_t wallAngle, int32_t player) {
  playerrec& b = session.players[player];
  if (b.z > 10) {
    // A high hit flashes where the ball struck.
    const int32_t image = wallAngle == 0 ? 16 : wallAngle == 19 ? 14 : wallAngle == 109 ? 15 : 0;
    if (image != 0) {
      AddCourseEffect(session, Wrap(int64_t{Nearest(b.x)} - 30),
                      Wrap(int64_t{Nearest(b.y)} - 30 - Nearest(b.z)), image, 192);
    }
    session.Sound(EffectSound::kHighHit);
  } else {
    session.Sound(EffectSound::kLowHit);
  }
  const int32_t mirror = WallMirrorAngle(wallAngle, b.direction);
  b.direction = Wrap(-2 * int64_t{mirror} - b.direction);
  b.wallHit = true;
}

void BallHits(GameSession& session, int32_t player) {
  playerrec& b = session.players[player];
  const int32_t count = session.playerCount < kMaxPlayers ? session.playerCount : kMaxPlayers;
  for (int32_t other = 1; other <= count; ++other) {
    if (other == player) continue;
    playerrec& j = session.players[other];
    if (!j.inPlay || j.inCup) continue;
    if (ViewDistance(Nearest(b.x), Nearest(b.y), Nearest(j.x), Nearest(j.y)) >= kTouch ||
        !(std::fabs(j.z - b.z) < kTouch))
      continue;

    // The struck ball takes the part of the speed along the line of centres.
    const int32_t phi = BinAngle(Nearest(j.x), Nearest(j.y), Nearest(b.x), Nearest(b.y));
    j.direction = phi;
    j.speed = 0.95 * std::fabs(BinCos(Wrap(int64_t{b.direction} - phi)) * b.speed);
    b.speed = 0.95 * b.speed - j.speed;
    if (b.speed < 0) b.speed = 0;
    // The striker turns aside, to whichever side it was heading.
    const int32_t delta = Mod256(Wrap(int64_t{b.direction} - phi));
    b.direction = delta <= 128 ? phi + 64 : phi - 64;
    j.lastArea = -1;
    b.x = b.prevX;
    b.y = b.prevY;

    // Push the struck ball out along the line, one pixel at a time.
    const double ux = BinCos(phi), uy = BinSin(phi);
    for (int step = 0; step < kMaxSeparationSteps; ++step) {
      j.x += ux;
      j.y += uy;
      j.prevX = j.x;
      j.prevY = j.y;
      AdvanceRoll(j, ux, uy);
      if (ViewDistance(Nearest(b.x), Nearest(b.y), Nearest(j.x), Nearest(j.y)) >= kSeparation)
        break;
    }
    j.moving = true;
    b.lastArea = -1;
    session.Sound(EffectSound::kLowHit);

    // The first hit of a turn earns the player whose turn it is an extra
    // stroke, when the rule is on.
    if (!session.bonusStrokeUsed && session.settings->plus1) {
      session.bonusStrokeUsed = true;
      session.Sound(EffectSound::kBonus);
      session.tickerPos = 0;
      session.tickerText.assign(19, ' ');
      session.tickerText += Text(PlayText::kExtraStroke);
      if (OneBased<playerrec, kMaxPlayers>::Contains(session.currentPlayer)) {
        playerrec& current = session.players[session.currentPlayer];
        --current.strokes;
        --current.totalStrokes;
      }
      session.bannerText = Text(PlayText::kOneMoreStroke);
      session.bannerFade = 255;
    }
  }
}

}  // namespace quendrix
