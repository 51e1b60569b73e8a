#include "computer/computer_player.h"

#include <algorithm>
#include <cmath>

#include "computer/solver.h"
#include "core/angles.h"
#include "core/rounding.h"
#include "game/game_state.h"

namespace quendrix {

namespace {

// Time goes in physics steps, so that a player keeps its pace whatever the
// frame rate: substeps + 1 a frame, about 120 a second.
constexpr int32_t kShortestThink = 60;  // 0.5 ... 1.5 s
constexpr int32_t kThinkSpread = 121;
constexpr int32_t kShortestPause = 10;  // before a press or click
constexpr int32_t kPauseSpread = 15;
constexpr int32_t kShortestHold = 20;  // at the end of the drag or aim
constexpr int32_t kHoldSpread = 30;
constexpr int32_t kCardTicks = 150;  // a title card nobody closes
// Pointer speeds, pixels a physics step.
constexpr int32_t kWalkPace = 5;
constexpr int32_t kDragPace = 3;
constexpr int32_t kAimPace = 2;
constexpr int32_t kSwingPace = 12;
// A push backswing arms the forward swing past 30 pixels.
constexpr int32_t kArmingBackswing = 32;
// A turn that begins within this many pixels of where the last began got
// nowhere (a ball put back from water lies a little off).
constexpr double kNowhere = 40;
// A step that has gone on this many frames has gone wrong: start over.
constexpr int32_t kStuckFrames = 3000;

// Shot phases of the shot control.
constexpr int32_t kIdle = 0;
constexpr int32_t kAiming = 1;    // push aiming; pull drawing back
constexpr int32_t kSwinging = 2;  // push backswing; pull swing
constexpr int32_t kArmed = 3;
constexpr int32_t kForward = 4;

constexpr double kMasterSpeeds[] = {0.5, 0.8, 1.2, 1.7, 2.3, 3.0, kMaxPuttSpeed};
constexpr double kMasterReach[] = {0.85, 1.0, 1.15};
constexpr double kClubSpeeds[] = {0.5, 1.0, 1.6, 2.4, 3.2, kMaxPuttSpeed};
constexpr double kClubReach[] = {1.0};
constexpr double kBeginnerReach[] = {0.75, 1.0, 1.3};

// The beginner looks only round the ways to the cup, at three strengths
// (and round about when that gets nowhere), and its hand errs by several
// pixels; the club player tries every way and a few strengths and errs
// less; the master tries twice as many ways and more strengths, looks
// closer round its best, and errs by a pixel in strength alone.
const Strength kBeginner{.directionStep = 8,
                         .aroundWays = 16,
                         .speeds = {},
                         .reachFactors = kBeginnerReach,
                         .widenStep = 16,
                         .jitterAlong = 6,
                         .jitterAcross = 5};
const Strength kClubPlayer{.directionStep = 8,
                           .speeds = kClubSpeeds,
                           .reachFactors = kClubReach,
                           .refine = 2,
                           .widenStep = 4,
                           .cyclePhases = 2,
                           .jitterAlong = 3,
                           .jitterAcross = 2};
const Strength kMaster{.directionStep = 4,
                       .speeds = kMasterSpeeds,
                       .reachFactors = kMasterReach,
                       .refine = 4,
                       .polish = 3,
                       .cyclePhases = 2,
                       .jitterAlong = 1};

int32_t Ticks(const GameSession& s) {
  return std::max(1, s.substeps + 1);
}

const playerrec& Ball(const GameSession& s, int32_t player) {
  return s.players[std::clamp(player, 1, kMaxPlayers)];
}

// A turn can start: play shows, nothing rolls, no aim is under way, and the
// ball lies still on the course.
bool ReadyToPutt(const GameSession& s) {
  const playerrec& b = Ball(s, s.currentPlayer);
  return s.gameState == GameState::kPlay && !s.gameOver && !s.quitAsked && !s.ballsMoving &&
         s.shotPhase == kIdle && b.inPlay && !b.inCup && !b.moving && !b.lost && !b.inPipe;
}

// holeCycle one frame on, as the hole animation advances it.
int32_t NextCycle(int32_t cycle, int32_t substeps) {
  cycle += 2 * substeps;
  return cycle > 255 ? 0 : cycle;
}

}  // namespace

ComputerLevel ComputerLevelOf(int32_t stored) {
  return stored >= 1 && stored <= 3 ? static_cast<ComputerLevel>(stored) : ComputerLevel::kHuman;
}

std::string_view ComputerLevelName(ComputerLevel level) {
  switch (level) {
    case ComputerLevel::kBeginner:
      return "beginner";
    case ComputerLevel::kClubPlayer:
      return "club";
    case ComputerLevel::kMaster:
      return "master";
    case ComputerLevel::kHuman:
      break;
  }
  return "human";
}

const Strength& StrengthOf(ComputerLevel level) {
  switch (level) {
    case ComputerLevel::kBeginner:
      return kBeginner;
    case ComputerLevel::kClubPlayer:
      return kClubPlayer;
    case ComputerLevel::kMaster:
    case ComputerLevel::kHuman:
      break;
  }
  return kMaster;
}

ComputerPlayers::ComputerPlayers(const LaunchSettings& settings, uint64_t seed)
    : random_(seed, kComputerStream) {
  noPerson_ = true;
  for (size_t i = 0; i < levels_.size(); ++i) {
    levels_[i] = ComputerLevelOf(settings.computer[i]);
    if (static_cast<int32_t>(i) < settings.PlayerCount() && levels_[i] == ComputerLevel::kHuman)
      noPerson_ = false;
  }
  mapName_.reserve(32);
}

bool ComputerPlayers::AnyIn(const LaunchSettings& settings) {
  for (int32_t i = 0; i < settings.PlayerCount(); ++i)
    if (ComputerLevelOf(settings.computer[static_cast<size_t>(i)]) != ComputerLevel::kHuman)
      return true;
  return false;
}

bool ComputerPlayers::Plays(int32_t player) const {
  return player >= 1 && player <= kMaxPlayers &&
         levels_[static_cast<size_t>(player - 1)] != ComputerLevel::kHuman;
}

void ComputerPlayers::BeforeFrame(const GameSession& s, InputHandler& hands) {
  puttsLastFrame_ = 0;
  mapWorkLastFrame_ = 0;
  if (s.gameOver) return;
  BuildMap(s);
  CloseTitleCard(s, hands);
  Play(s, hands);
}

void ComputerPlayers::BuildMap(const GameSession& s) {
  // A finished hole waits for its banner with the next number already set:
  // its map is built once the new hole has loaded.
  if (s.gameState == GameState::kHoleFinished) return;
  if (s.holeNumber != mapHole_ || s.holeName != mapName_) {
    mapHole_ = s.holeNumber;
    mapName_ = s.holeName;
    const playerrec& b = Ball(s, s.currentPlayer);
    map_.Start(s, Nearest(b.x), Nearest(b.y), true);
  }
  if (map_.Done()) return;
  map_.Build(kMapWorkPerFrame);
  mapWorkLastFrame_ = kMapWorkPerFrame;
}

void ComputerPlayers::CloseTitleCard(const GameSession& s, InputHandler& hands) {
  if (!noPerson_ || s.gameState != GameState::kTitleCard) {
    cardTicks_ = 0;
    return;
  }
  cardTicks_ += Ticks(s);
  if (cardTicks_ < kCardTicks) return;
  cardTicks_ = 0;
  // Any key closes the card, and the space bar's release does nothing.
  hands.KeyDown(vk::kSpace, 0);
  hands.KeyUp(vk::kSpace, 0);
}

void ComputerPlayers::GoTo(Step step, int32_t waitTicks) {
  step_ = step;
  waitTicks_ = waitTicks;
  framesInStep_ = 0;
}

void ComputerPlayers::Play(const GameSession& s, InputHandler& hands) {
  if (step_ == Step::kWaiting) {
    if (!Plays(s.currentPlayer)) return;
    // An aim nobody makes: a press on the title card may have started one
    // for this player's ball before play showed.
    if (s.gameState == GameState::kPlay && !s.quitAsked && !s.ballsMoving && s.shotPhase != kIdle) {
      player_ = s.currentPlayer;
      StartOver(s, hands);
      return;
    }
    if (!ReadyToPutt(s)) return;
    player_ = s.currentPlayer;
    framesInTurn_ = 0;
    searching_ = false;
    GoTo(Step::kThinking, kShortestThink + random_.RandomBelow(kThinkSpread));
  }
  if (s.currentPlayer != player_) {
    // The turn went on without this player (the hole ended, a key): wait
    // for the next.
    GoTo(Step::kWaiting);
    return;
  }
  // Everything waits while a card, the help or the question to leave shows.
  if (s.gameState != GameState::kPlay || s.quitAsked) return;
  ++framesInTurn_;
  ++framesInStep_;
  if (step_ == Step::kThinking) {
    Think(s);
    return;
  }
  const bool inGesture = step_ != Step::kRolling;
  if (inGesture && (Ball(s, player_).pullPutt != gesture_.pull || framesInStep_ > kStuckFrames)) {
    StartOver(s, hands);
    return;
  }
  Act(s, hands);
}

void ComputerPlayers::Think(const GameSession& s) {
  waitTicks_ -= Ticks(s);
  // A frame that built some of the map has had its share of work.
  if (!map_.Done() || mapWorkLastFrame_ > 0) return;
  if (!searching_) {
    const playerrec& b = Ball(s, player_);
    LastTurn& last = lastTurns_[static_cast<size_t>(player_ - 1)];
    const bool stuck = last.hole == s.holeNumber && b.strokes > 0 &&
                       std::hypot(b.x - last.x, b.y - last.y) < kNowhere;
    last = {s.holeNumber, b.x, b.y};
    search_.Start(s, StrengthOf(levels_[static_cast<size_t>(player_ - 1)]), map_, stuck);
    searching_ = true;
  }
  if (!search_.Done()) {
    const int64_t before = search_.PuttsPlayed();
    search_.Step(kPuttsPerFrame);
    puttsLastFrame_ = search_.PuttsPlayed() - before;
  }
  if (!search_.Done() || waitTicks_ > 0) return;
  framesToDecide_ = framesInTurn_;
  // The hand errs a little, more for a weaker player.
  const Strength& strength = StrengthOf(levels_[static_cast<size_t>(player_ - 1)]);
  const int32_t along = random_.RandomBelow(2 * strength.jitterAlong + 1) - strength.jitterAlong;
  const int32_t across = random_.RandomBelow(2 * strength.jitterAcross + 1) - strength.jitterAcross;
  gesture_ = Jittered(search_.Best().gesture, along, across);
  GoTo(Step::kToBall, kShortestPause + random_.RandomBelow(kPauseSpread));
}

void ComputerPlayers::Act(const GameSession& s, InputHandler& hands) {
  const playerrec& b = Ball(s, player_);
  const int32_t ticks = Ticks(s);
  switch (step_) {
    case Step::kWaiting:
    case Step::kThinking:
      break;
    case Step::kToBall:
      if (!MoveTowards(s, hands, Nearest(b.x) - s.scrollX, Nearest(b.y) - s.scrollY, kWalkPace))
        break;
      waitTicks_ -= ticks;
      if (waitTicks_ <= 0) GoTo(Step::kPress);
      break;
    case Step::kPress:
      // The view may have moved since: the press is made on the ball.
      if (s.pointerX != Nearest(b.x) - s.scrollX || s.pointerY != Nearest(b.y) - s.scrollY) {
        GoTo(Step::kToBall);
        break;
      }
      if (gesture_.pull) {
        Press(s, hands);
      } else {
        Click(s, hands);
      }
      if (s.shotPhase != kAiming) {
        StartOver(s, hands);
        break;
      }
      GoTo(Step::kDrag, kShortestHold + random_.RandomBelow(kHoldSpread));
      break;
    case Step::kDrag: {
      const bool there = gesture_.pull
                             ? MoveTowards(s, hands, s.anchorX + gesture_.dragX,
                                           s.anchorY + gesture_.dragY, kDragPace)
                             : MoveTowards(s, hands, s.anchorX - gesture_.aim, s.anchorY, kAimPace);
      if (!there) break;
      waitTicks_ -= ticks;
      if (waitTicks_ > 0) break;
      GoTo(gesture_.pull ? Step::kRelease : Step::kAimClick);
      break;
    }
    case Step::kAimClick:
      Click(s, hands);
      if (s.shotPhase != kSwinging) {
        StartOver(s, hands);
        break;
      }
      GoTo(Step::kBackswing);
      break;
    case Step::kBackswing: {
      // Past the arming depth first; then back to the backswing wanted.
      const int32_t depth = s.shotPhase == kArmed ? gesture_.backswing
                                                  : std::max(gesture_.backswing, kArmingBackswing);
      if (MoveTowards(s, hands, s.pointerX, s.anchorY + depth, kDragPace) && s.shotPhase == kArmed)
        GoTo(Step::kArmClick, kShortestPause + random_.RandomBelow(kPauseSpread));
      break;
    }
    case Step::kArmClick:
      waitTicks_ -= ticks;
      if (waitTicks_ > 0) break;
      Click(s, hands);
      if (s.shotPhase != kForward) {
        StartOver(s, hands);
        break;
      }
      GoTo(Step::kRelease);
      break;
    case Step::kRelease:
      if (gesture_.pull) {
        if (s.shotPhase != kAiming) {
          StartOver(s, hands);
          break;
        }
        if (!ReleaseDue(s)) break;
        hands.MouseUp(MouseButton::kLeft, 0, s.pointerX, s.pointerY);
        GoTo(Step::kRolling);
        break;
      }
      // Push: up to the anchor, then through it in one stroke.
      if (!MoveTowards(s, hands, s.pointerX, s.anchorY, kSwingPace) || !ReleaseDue(s)) break;
      hands.MouseMove(0, s.pointerX, s.anchorY - gesture_.stroke);
      GoTo(Step::kRolling);
      break;
    case Step::kRolling:
      // The release puts the pointer back in the middle.
      if (framesInStep_ == 1) hands.MouseMove(0, s.anchorX, s.anchorY);
      if (!s.ballsMoving && s.shotPhase == kIdle && framesInStep_ > 1) GoTo(Step::kWaiting);
      break;
  }
}

bool ComputerPlayers::MoveTowards(const GameSession& s, InputHandler& hands, int32_t x, int32_t y,
                                  int32_t pace) {
  const double dx = static_cast<double>(x) - s.pointerX, dy = static_cast<double>(y) - s.pointerY;
  const double distance = std::hypot(dx, dy);
  if (distance < 0.5) return true;
  const double reach = static_cast<double>(pace) * Ticks(s);
  if (distance <= reach) {
    hands.MouseMove(0, x, y);
  } else {
    hands.MouseMove(0, s.pointerX + Nearest(dx / distance * reach),
                    s.pointerY + Nearest(dy / distance * reach));
  }
  return false;
}

void ComputerPlayers::Press(const GameSession& s, InputHandler& hands) {
  hands.MouseDown(MouseButton::kLeft, ssLeft, s.pointerX, s.pointerY);
  FollowAnchor(s, hands);
}

void ComputerPlayers::Click(const GameSession& s, InputHandler& hands) {
  hands.MouseDown(MouseButton::kLeft, ssLeft, s.pointerX, s.pointerY);
  hands.MouseUp(MouseButton::kLeft, 0, s.pointerX, s.pointerY);
  FollowAnchor(s, hands);
}

void ComputerPlayers::FollowAnchor(const GameSession& s, InputHandler& hands) {
  // Only the steps that start a phase put the pointer back on the anchor.
  if (s.shotPhase == kAiming || (s.shotPhase == kSwinging && !gesture_.pull))
    hands.MouseMove(0, s.anchorX, s.anchorY);
}

void ComputerPlayers::StartOver(const GameSession& s, InputHandler& hands) {
  if (s.shotPhase != kIdle) {
    hands.MouseDown(MouseButton::kRight, ssRight, s.pointerX, s.pointerY);
    hands.MouseUp(MouseButton::kRight, 0, s.pointerX, s.pointerY);
  }
  GoTo(Step::kWaiting);
}

bool ComputerPlayers::ReleaseDue(const GameSession& s) const {
  const PuttChoice& choice = search_.Best();
  if (!choice.timed || framesInStep_ > kStuckFrames / 2) return true;
  // The frames from the release to the one that starts the ball: the pull's
  // swing; a push starts in the frame it passes the anchor.
  int32_t frames = 1;
  if (gesture_.pull) {
    const int32_t shown =
        Nearest(std::min(PlainDistance(s.anchorX, s.anchorY, s.pointerX, s.pointerY) * 0.5, 90.0));
    frames = PullSwingFrames(shown, s.pullSwingSpeed);
  }
  int32_t cycle = s.holeCycle;
  for (int32_t f = 1; f < frames; ++f) cycle = NextCycle(cycle, s.substeps);
  return cycle == choice.cycle;
}

}  // namespace quendrix
