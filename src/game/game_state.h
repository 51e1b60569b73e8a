// The play screen's whole game state: four player records, 99 course areas,
// the effect stores and the session globals, in fixed arrays. Nothing here
// allocates after construction; strings reserve their room up front so that
// the physics can write ticker texts and hole names without allocating.
//
// Players, areas, course-effect slots and particles are numbered from 1 as
// the game numbers them (players 1 ... 4, areas 1 ... 99); OneBased keeps that
// numbering in code.
#pragma once

#include <array>
#include <cassert>
#include <cstdint>
#include <string>

#include "core/random.h"
#include "game/data_catalogue.h"
#include "game/launch_settings.h"

namespace quendrix {

class GameEvents;

// A fixed array indexed first ... N with first = 1.
template <typename T, int32_t N>
class OneBased {
 public:
  static constexpr int32_t kSize = N;

  T& operator[](int32_t i) {
    assert(i >= 1 && i <= N);
    return items_[static_cast<size_t>(i - 1)];
  }
  const T& operator[](int32_t i) const {
    assert(i >= 1 && i <= N);
    return items_[static_cast<size_t>(i - 1)];
  }
  static constexpr bool Contains(int32_t i) { return i >= 1 && i <= N; }

  auto begin() { return items_.begin(); }
  auto end() { return items_.end(); }
  auto begin() const { return items_.begin(); }
  auto end() const { return items_.end(); }

 private:
  std::array<T, N> items_{};
};

inline constexpr int32_t kMaxPlayers = 4;
inline constexpr int32_t kMaxAreas = 99;
inline constexpr int32_t kCourseEffectSlots = 50;
inline constexpr int32_t kEffectRingSlots = 30;  // slots 1 ... 30 are the transient ring
inline constexpr int32_t kParticleCount = 33;
inline constexpr int32_t kDrifterCount = 40;
inline constexpr int32_t kHoleCount = 9;

// What the play screen shows over (or instead of) the course. The values are
// hashed into the replays' state checksums: keep them.
enum class GameState : uint8_t {
  kPlay = 0,
  kPuttHelp = 1,  // the putting help, for the current player's way of putting
  kTitleCard = 2,
  kScoreCard = 3,
  kHoleFinished = 4,  // every ball holed: the next hole loads after this frame
};

// The screens in front of the course that a click closes.
constexpr bool ShowsCard(GameState state) {
  return state == GameState::kPuttHelp || state == GameState::kTitleCard ||
         state == GameState::kScoreCard;
}

// One player's ball, shot and score. Positions in course pixels (x right,
// y down), z in pixels above the ground; directions are binary angles (256 a
// turn) kept unreduced; speeds in pixels per physics substep.
struct playerrec {
  double x = 0, y = 0;
  double z = 0;                 // > 0 in the air, < 0 dropping into a cup or pipe
  double prevX = 0, prevY = 0;  // motion mark, also the step-back point
  double safeX = 0, safeY = 0;  // trailing safe point for the stuck return
  int32_t direction = 0;
  double speed = 0;
  double fallSpeed = 0;         // in flight: positive = rising
  double rollU = 0, rollV = 0;  // texture roll, 0 <= value < 16
  uint8_t spriteAngle = 0;
  int32_t lastArea = -1;  // wall or ledge that acted last; -1 none
  bool airborne = false;
  bool inCup = false;
  bool inPipe = false;
  bool lost = false;  // in water
  uint8_t sinkCounter = 15;
  bool onSand = false;
  int32_t pushDirection = 0;  // 0 = no push; slopes towards +x use 1
  int32_t lastPushDirection = 0;
  double pushSpeed = 0;
  int32_t rampCode = 0;  // -13, 0 or 13
  int32_t lastRampCode = 0;
  bool moving = false;
  int32_t rideArea = 0;  // cup or pipe entrance the ball drops into
  bool pullPutt = false;
  bool easyTarget = false;
  int32_t strokes = 0;
  int32_t totalStrokes = 0;
  int32_t toPar = 0;
  int32_t highlight = 0;  // 0 ... 255
  bool wallHit = false;   // scratch of one area test
  bool inPlay = false;
  bool touching = false;  // scratch of one area test
  int32_t stillFrames = 0;
  std::string name;  // cp1251
  int32_t holesWon = 0;
  OneBased<int32_t, kHoleCount> holeScores;  // holes 1 ... 9; 0 = not played
};

// One course area as the hole file gives it; the shape follows from r, x3
// and x4, the meaning from kind.
struct arearec {
  AreaKind kind = AreaKind::kNone;  // any number a file gives
  int32_t x1 = 0, y1 = 0;
  int32_t r = 0;
  int32_t x2 = 0, y2 = 0, x3 = 0, y3 = 0, x4 = 0, y4 = 0;
  int32_t p1 = 0, p2 = 0, p3 = 0, p4 = 0, p5 = 0, p6 = 0;
  bool enabled = false;
  std::string comment;  // cp1251; the cup's names the next hole
};

// One slot of the course effect table. A slot with x = y = 0 is free.
struct courseEffect {
  int32_t x = 0, y = 0;  // top-left of the picture, course pixels
  int32_t image = 0;     // item of the hole's image list
  int32_t frame = 0;     // animation clock; pattern = frame div 4
  bool looping = false;
  int32_t blend = 0;  // 0 plain, > 0 additive, < 0 subtractive of -blend
  int32_t pulse = 0;  // 0 none, else the pulsing glow's phase
};

// One point particle of the burst table.
struct Particle {
  int32_t bouncesLeft = 0;
  double x = 0, y = 0, z = 0;  // ground position and height, course pixels
  double lastX = 0, lastY = 0, lastZ = 0;
  int32_t heading = 0;  // binary angle, used modulo 256
  double speed = 0;     // ground pixels per frame
  double rise = 0;      // vertical pixels per frame, positive = up
  bool active = false;
  int32_t colour = 0;  // 0x00BBGGRR
  bool groundDot = false;
  bool dotted = false;
};

// One screen-space sprite drifting over the course.
struct Drifter {
  int32_t x = 0, y = 0;  // screen pixels
  int32_t image = 0;
  int32_t frame = 0;
};

// Everything one game keeps, owned by the play screen. The launch-pad
// settings are read through `settings` at the moment of use; outward effects
// (sounds, the turn hand-over) go through `events`.
class GameSession {
 public:
  explicit GameSession(const LaunchSettings& launchSettings, GameEvents* gameEvents = nullptr,
                       uint64_t seed = 0);

  // Seeds both random streams: play (sequence 1) and visual (sequence 2).
  void Seed(uint64_t seed);

  // Plays an effect sound when soundOn is set.
  void Sound(EffectSound sound);
  // Plays a sound of the hole's own list when soundOn is set.
  void BackgroundSound(HoleSound sound);

  const LaunchSettings* settings;
  GameEvents* events;

  // Draws that change the game (tee spread, physics, opening player).
  Pcg32 playRandom;
  // Draws that only change what is seen or whether a sound plays.
  Pcg32 visualRandom;

  OneBased<playerrec, kMaxPlayers> players;
  OneBased<arearec, kMaxAreas> areas;
  OneBased<courseEffect, kCourseEffectSlots> courseEffects;
  OneBased<Particle, kParticleCount> particles;
  OneBased<Drifter, kDrifterCount> drifters;

  GameState gameState = GameState::kPlay;
  int32_t playerCount = 1;
  int32_t currentPlayer = 1;
  std::string holeName;
  std::string nextHoleName;
  int32_t holePar = 3;
  int32_t totalPar = 0;
  int32_t holeNumber = 1;
  int32_t bestHoleScore = 99;
  int32_t firstHoledPlayer = 0;
  int32_t cupX = 0, cupY = 0;
  int32_t substeps = 1;  // physics steps per frame minus one: 1, 2 or 4
  int32_t scrollX = 0, scrollY = 0;
  int32_t lastScrollX = 0, lastScrollY = 0, scrollVelX = 0, scrollVelY = 0;
  bool scrollUpHeld = false, scrollDownHeld = false, scrollLeftHeld = false,
       scrollRightHeld = false;
  int32_t lastFrameScrollX = 0, lastFrameScrollY = 0;
  bool recentre = false;
  bool ballsMoving = false;
  bool bonusStrokeUsed = false;
  bool bonusStrokeTaken = false;
  int32_t respawnX = 0, respawnY = 0;  // course pixels
  int32_t pointerX = 0, pointerY = 0;  // screen pixels
  int32_t anchorX = 0, anchorY = 0;    // screen pixels
  int32_t pointerStep = 0;
  int32_t shotPhase = 0;
  int32_t pullSwing = 0, pullSwingSpeed = 0;
  double backswingPeak = 0;
  int32_t targetFrame = 0;
  int32_t effectSlot = 1;  // next ring slot 1 ... 30
  int32_t holeCycle = 0;
  std::string tickerText;
  int32_t tickerPos = -1;  // -1 = idle
  std::string bannerText;
  int32_t bannerFade = 0;  // 255 ... 0
  std::string hoverHint;
  OneBased<bool, 5> buttonDown;
  bool enterHeld = false;
  bool compactHud = false;
  bool soundOn = true;
  bool ambientOn = true;
  bool quitAsked = false;
  bool gameOver = false;
};

// The per-hole reset of every player record (the hole set-up runs it after
// the hole file is loaded): off the course, at rest, no strokes on this hole.
void ResetPlayersForHole(GameSession& session);

}  // namespace quendrix
