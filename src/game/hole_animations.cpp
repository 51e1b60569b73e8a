#include "game/hole_animations.h"

#include <string_view>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/effects.h"
#include "game/game_events.h"
#include "game/game_state.h"

namespace quendrix {

namespace {

// An obstacle: the course picture that shows it, where, and the area that
// stops balls while it shows.
struct Obstacle {
  int32_t slot;
  int32_t image;
  int32_t x, y;  // top-left, course pixels
  int32_t area;
};

// "course2hole9": three obstacles taking turns over the 256-step cycle.
constexpr Obstacle kCycleFirst{35, 9, 511, 181, 40};    // cycle 0 ... 127
constexpr Obstacle kCycleSecond{36, 10, 666, 618, 41};  // cycle 129 ... 255
constexpr Obstacle kCycleThird{37, 11, 171, 881, 42};   // cycle 65 ... 191
// "course2hole5": one obstacle for the first half of the cycle.
constexpr Obstacle kTimed{40, 11, 610, 267, 53};  // cycle 0 ... 127

// Where the rumble of "course2hole5" comes from, and how fast it fades.
constexpr int32_t kTimedRumbleX = 710, kTimedRumbleY = 367, kTimedRumbleFade = 4;
// The cliff of "course2hole1": the rumble's source, the foot the rocks fall to.
constexpr int32_t kCliffX = 496, kCliffY = 817, kCliffRumbleFade = 2;
constexpr int32_t kRockX = 496, kRockY = 935;
constexpr int32_t kRockColour = 0xC9C4AF;
constexpr int32_t kRocks = 8;

void Show(GameSession& session, const Obstacle& o, bool shown) {
  courseEffect& e = session.courseEffects[o.slot];
  if (shown) {
    e.x = o.x;
    e.y = o.y;
    e.image = o.image;
    e.looping = true;
    e.blend = 0;
    e.pulse = 0;
  } else {
    e.x = e.y = 0;  // free: nothing drawn
  }
  session.areas[o.area].enabled = shown;
}

void Rumble(GameSession& session, int32_t volume) {
  session.events->SetSoundVolume(ItemIndex(EffectSound::kRumble), volume);
  session.Sound(EffectSound::kRumble);
}

}  // namespace

bool AdvanceHoleCycle(GameSession& session) {
  session.holeCycle += 2 * session.substeps;
  if (session.holeCycle > 255) {
    session.holeCycle = 0;
    return true;
  }
  return false;
}

void ShowCyclingObstacles(GameSession& session) {
  const int32_t c = session.holeCycle;
  Show(session, kCycleFirst, c < 128);
  Show(session, kCycleSecond, c > 128);
  Show(session, kCycleThird, c > 64 && c < 192);
}

void ShowTimedObstacle(GameSession& session) {
  Show(session, kTimed, session.holeCycle < 128);
}

bool HasCyclingObstacles(std::string_view holeName) {
  return holeName == "course2hole9" || holeName == "course2hole5";
}

bool IsCyclingObstacleArea(std::string_view holeName, int32_t area) {
  if (holeName == "course2hole9")
    return area == kCycleFirst.area || area == kCycleSecond.area || area == kCycleThird.area;
  return holeName == "course2hole5" && area == kTimed.area;
}

bool CycleObstacles(GameSession& session) {
  const std::string_view hole = session.holeName;
  if (!HasCyclingObstacles(hole)) return false;
  const bool restarted = AdvanceHoleCycle(session);
  if (hole == "course2hole9") {
    ShowCyclingObstacles(session);
  } else {
    ShowTimedObstacle(session);
  }
  return restarted;
}

int32_t RumbleVolume(const GameSession& session, int32_t sourceX, int32_t sourceY,
                     int32_t perPixel) {
  const int32_t p =
      OneBased<playerrec, kMaxPlayers>::Contains(session.currentPlayer) ? session.currentPlayer : 1;
  const playerrec& ball = session.players[p];
  const int64_t volume =
      -int64_t{perPixel} * PlainDistance(sourceX, sourceY, Nearest(ball.x), Nearest(ball.y));
  // A ball parked far off the course must not wrap round to full volume.
  return volume < INT32_MIN ? INT32_MIN : static_cast<int32_t>(volume);
}

void StartRockFall(GameSession& session) {
  Rumble(session, RumbleVolume(session, kCliffX, kCliffY, kCliffRumbleFade));
  Pcg32& rnd = session.visualRandom;
  // Eight records from 1 ... 23 on, whatever they held.
  const int32_t first = 1 + rnd.RandomBelow(23);
  for (int32_t i = first; i < first + kRocks; ++i) {
    Particle& p = session.particles[i];
    p.x = kRockX;
    p.y = kRockY;
    p.z = 100 + rnd.RandomBelow(8);
    p.heading = 150 + rnd.RandomBelow(32);
    p.speed = rnd.RandomBelow(12) / 3.0;
    p.rise = 0;
    p.bouncesLeft = 3;
    p.active = true;
    p.colour = kRockColour;
    p.groundDot = false;
    p.dotted = false;
  }
}

void UpdateHoleAnimations(GameSession& session, TDirectDrawSurface& screen,
                          const TDXImageList& course) {
  const std::string_view hole = session.holeName;
  if (hole == "course1hole5") {
    UpdateDrifters(session, screen, course);
  } else if (HasCyclingObstacles(hole)) {
    if (CycleObstacles(session) && hole == "course2hole5")
      Rumble(session, RumbleVolume(session, kTimedRumbleX, kTimedRumbleY, kTimedRumbleFade));
  } else if (hole == "course2hole1") {
    // About one fall in 128 frames at one substep, the same per second at four.
    if (session.visualRandom.RandomBelow(255) < 2 * session.substeps) StartRockFall(session);
  }
}

}  // namespace quendrix
