// How a computer player chooses its putt: candidate directions and speeds,
// each made into the gesture that gives it, played on a copy of the session
// with the game's own physics and followed to rest through the hole's areas,
// the other balls and the cycling obstacles, frame by frame as the play
// screen runs them; ranked by the strokes the hole is then expected to
// take: those played (a penalty stroke included) plus none in the cup, else
// one and more for the distance the ball still has to go round the walls,
// never more than the stroke limit allows.
//
// The search runs in slices of a fixed number of simulated putts, a slice a
// frame, so no frame stalls and the same game plays the same on every
// machine. After the first allocation it allocates nothing.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "computer/distance_map.h"
#include "computer/gesture.h"
#include "game/game_events.h"
#include "game/game_state.h"

namespace quendrix {

// How widely a player searches and how exactly it makes its gesture.
struct Strength {
  // The fan of directions: every `directionStep` binary-angle steps round
  // the ball, or with `aroundWays` > 0 only up to that many steps either
  // side of the two ways to the cup (straight at it, and downhill on the
  // distance map).
  int32_t directionStep = 4;
  int32_t aroundWays = 0;
  std::span<const double> speeds;  // pixels per substep
  // Times the speed that would roll the distance to the cup on the flat.
  std::span<const double> reachFactors;
  // The best putts of the fan tried again a little to each side, and then
  // up to `polish` times round the best so far while that finds better.
  int32_t refine = 0;
  int32_t polish = 0;
  // When nothing found gets the ball nearer: every this many steps round
  // the ball at a few strengths, once (0: never).
  int32_t widenStep = 0;
  // On holes with cycling obstacles: how many moments of the cycle to try
  // releasing the putt in (1, 2 or 4).
  int32_t cyclePhases = 1;
  // The hand ends its gesture up to this many pixels off, along the drag
  // (the power) and across it (the aim).
  int32_t jitterAlong = 0;
  int32_t jitterAcross = 0;
};

// The putt chosen.
struct PuttChoice {
  Gesture gesture;
  bool timed = false;  // a hole with cycling obstacles: released so that
  int32_t cycle = 0;   // holeCycle is this as the shot starts
  float score = 0;     // strokes the hole is expected to take
  bool holes = false;  // it drops, as the game would play it
};

struct PuttOutcome {
  bool holed = false;
  bool settled = false;  // came to rest (or dropped) within the frames allowed
  double x = 0, y = 0;
  int32_t strokes = 0;   // the player's strokes on the hole after it, penalty included
  double closest = 1e9;  // nearest the ball came to the cup, ground pixels
};

// Plays `putt` by `player` on `sim`, a copy of a session at rest with its
// events silenced, as from the frame whose shot control starts it: the
// obstacles' step of that frame, then whole frames of physics, the splash
// clock, the drops and the obstacles, until every ball rests, the ball
// drops, or `maxFrames` have passed.
PuttOutcome SimulatePutt(GameSession& sim, int32_t player, const Putt& putt, int32_t maxFrames);

class PuttSearch {
 public:
  PuttSearch();
  PuttSearch(const PuttSearch&) = delete;
  PuttSearch& operator=(const PuttSearch&) = delete;

  // A search for the putt of the current player from `session`, where no
  // ball moves, ranked on `map` (built); the session is copied, `strength`
  // and `map` must outlive the search. `stuck`: the player's last putt left
  // the ball about where it was, so the wider look comes in any case.
  void Start(const GameSession& session, const Strength& strength, const DistanceMap& map,
             bool stuck = false);
  // Plays at most `putts` more candidates; true once the search is over.
  bool Step(int32_t putts);
  bool Done() const { return stage_ == Stage::kDone; }
  const PuttChoice& Best() const { return best_; }
  // Simulated putts since Start.
  int64_t PuttsPlayed() const { return played_; }

 private:
  enum class Stage { kIdle, kFan, kRefine, kDone };
  struct Candidate {
    int32_t direction = 0;
    double speed = 0;
    int32_t phase = 0;  // index into the release moments
    float score = 0;
    float closest = 0;
  };

  void AddFan();
  // The next candidates once those so far are played: the refinement after
  // the fan, the polish, the wider look. False when there are none.
  bool AddMore();
  void AddRefinement();
  void AddAround(const Candidate& base);
  void Add(int32_t direction, double speed, int32_t phase);
  void Try(Candidate& c);
  // One of the hand's worst misses of a putt that drops, each played as a
  // putt of its own (the budget counts them).
  void TryMiss();
  void Consider(const Candidate& c, const Gesture& gesture, bool holes);
  // Plays `gesture` released at moment `phase` on a fresh copy.
  PuttOutcome Play(const Gesture& gesture, int32_t phase);
  float Score(const PuttOutcome& outcome) const;

  static constexpr int32_t kMisses = 4;  // too strong, too weak, left, right
  struct Trial {
    Candidate* candidate = nullptr;  // a putt that drops, its misses being played
    Gesture gesture;
    int32_t missesPlayed = 0;
    int32_t missesDropped = 0;
  };

  Stage stage_ = Stage::kIdle;
  GameSession snapshot_;
  GameSession scratch_;
  SilentEvents silent_;
  const Strength* strength_ = nullptr;
  const DistanceMap* map_ = nullptr;
  int32_t player_ = 1;
  bool pull_ = true;
  bool timed_ = false;
  int32_t strokeLimit_ = 0;  // 0: none (training)
  std::vector<Candidate> candidates_;
  size_t next_ = 0;
  size_t fanSize_ = 0;
  std::vector<size_t> order_;
  Trial trial_;
  PuttChoice best_;
  Candidate bestCandidate_;
  bool haveBest_ = false;
  int32_t polished_ = 0;
  float polishedScore_ = 0;
  bool widened_ = false;
  bool stuck_ = false;
  float stayScore_ = 0;
  int64_t played_ = 0;
};

}  // namespace quendrix
