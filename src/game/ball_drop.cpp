#include "game/ball_drop.h"

#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/effects.h"

namespace quendrix {

namespace {

// Sounds of the effects list.
constexpr int32_t kSoundDropBack = 7;
constexpr int32_t kSoundPipeOut = 17;

constexpr int32_t kSplashBlend = 192;
constexpr int32_t kDropMarkerBlend = 192;
// Height a lost ball falls back from.
constexpr double kDropBackHeight = 80;

int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

const arearec* RideArea(const GameSession& s, const playerrec& b) {
  if (!OneBased<arearec, kMaxAreas>::Contains(b.rideArea)) return nullptr;
  return &s.areas[b.rideArea];
}

// Keeps a dropping ball within `r` of the area's centre by stepping it from
// its motion mark towards the centre by `step` on each axis.
void HoldInside(playerrec& b, const arearec& a, double step) {
  const int32_t bx = Nearest(b.x), by = Nearest(b.y);
  if (ViewDistance(bx, by, a.x1, a.y1) <= a.r) return;
  b.direction = BinAngle(a.x1, a.y1, bx, by);
  b.x = a.x1 >= b.x ? b.prevX + step : b.prevX - step;
  b.y = a.y1 >= b.y ? b.prevY + step : b.prevY - step;
}

}  // namespace

bool SinkLostBall(GameSession& s, int32_t player) {
  playerrec& b = s.players[player];
  if (!b.lost) return false;
  if (b.sinkCounter > 0) {
    --b.sinkCounter;
    b.y += 1;
    if (b.sinkCounter == 7) b.speed = 0;
    if (b.sinkCounter == 1) {
      courseEffect& splash = s.courseEffects[kSplashSlot];
      splash.x = Wrap(int64_t{Nearest(b.x)} - 8);
      splash.y = Wrap(int64_t{Nearest(b.y)} - 25);
      splash.image = kSplashImage;
      splash.blend = kSplashBlend;
      splash.looping = false;
    }
  }
  const courseEffect& splash = s.courseEffects[kSplashSlot];
  if (b.sinkCounter != 0 || splash.x != 0 || splash.y != 0) return false;

  b.lastArea = -1;
  b.z = kDropBackHeight;
  b.fallSpeed = 0;
  b.direction = 0;
  b.speed = 0;
  b.airborne = true;
  b.moving = true;
  b.lost = false;
  b.sinkCounter = 15;
  s.recentre = true;
  const int32_t angle = s.playRandom.RandomBelow(256);
  const int32_t d = 4 + s.playRandom.RandomBelow(22);
  b.x = s.respawnX + BinCos(angle) * d;
  b.y = s.respawnY + BinSin(angle) * d * 0.5;
  AddCourseEffect(s, Wrap(int64_t{Nearest(b.x)} - 17),
                  Wrap(int64_t{Nearest(b.y)} - 28 - Nearest(b.z)), kDropMarkerImage,
                  kDropMarkerBlend);
  s.Sound(kSoundDropBack);
  return true;
}

bool DropThroughPipe(GameSession& s, int32_t player) {
  playerrec& b = s.players[player];
  if (!b.inPipe) return false;
  if (b.speed < 0.125) b.speed = 0.125;
  b.fallSpeed += 0.2;
  const double maxFall = 4.0 * s.substeps;
  if (b.fallSpeed > maxFall) b.fallSpeed = maxFall;
  b.z -= b.fallSpeed;
  const arearec* pipe = RideArea(s, b);
  if (pipe == nullptr) return false;
  HoldInside(b, *pipe, 0.5);
  if (!(b.y - b.z > pipe->y2)) return false;

  s.Sound(kSoundPipeOut);
  b.x = pipe->x2;
  b.y = pipe->y2;
  const int32_t arrow =
      BinAngle(static_cast<double>(pipe->x4) - pipe->x3, static_cast<double>(pipe->y4) - pipe->y3);
  b.direction = Wrap(int64_t{arrow} + 8 - s.playRandom.RandomBelow(16));
  b.speed = PlainDistance(pipe->x3, pipe->y3, pipe->x4, pipe->y4) / 50.0 + 0.25 -
            s.playRandom.RandomBelow(5) / 10.0;
  if (b.speed > 2.0) b.speed = 2.0;
  b.z = std::fabs(static_cast<double>(pipe->y3) - pipe->y2);
  b.fallSpeed = 0.3;
  b.airborne = true;
  b.lastArea = pipe->p4;
  b.inPipe = false;
  s.recentre = true;
  b.inPlay = true;
  return true;
}

void SinkIntoCup(GameSession& s, int32_t player) {
  playerrec& b = s.players[player];
  if (!b.inCup) return;
  if (b.speed < 0.125) b.speed = 0.125;
  b.fallSpeed += 0.35;
  b.z -= b.fallSpeed;
  if (const arearec* cup = RideArea(s, b); cup != nullptr) HoldInside(b, *cup, 1.0);
}

int32_t BallPhaseOrder(const GameSession& s, std::array<int32_t, kMaxPlayers>& order) {
  const int32_t count = s.playerCount < 1             ? 0
                        : s.playerCount > kMaxPlayers ? kMaxPlayers
                                                      : s.playerCount;
  for (int32_t p = 1; p <= count; ++p) {
    // Insertion sort keeps equal rounded y in player order.
    int32_t i = p - 1;
    const int32_t y = Nearest(s.players[p].y);
    while (i > 0 && Nearest(s.players[order[static_cast<size_t>(i - 1)]].y) > y) {
      order[static_cast<size_t>(i)] = order[static_cast<size_t>(i - 1)];
      --i;
    }
    order[static_cast<size_t>(i)] = p;
  }
  return count;
}

uint32_t DropBalls(GameSession& s) {
  std::array<int32_t, kMaxPlayers> order{};
  const int32_t count = BallPhaseOrder(s, order);
  uint32_t droppedBack = 0;
  for (int32_t k = 0; k < count; ++k) {
    const int32_t p = order[static_cast<size_t>(k)];
    const playerrec& b = s.players[p];
    if (b.inPlay && b.z > kHiddenDepth && SinkLostBall(s, p)) droppedBack |= 1u << (p - 1);
    DropThroughPipe(s, p);
    SinkIntoCup(s, p);
  }
  return droppedBack;
}

}  // namespace quendrix
