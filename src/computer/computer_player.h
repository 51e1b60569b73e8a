// The computer players: any of the four players can be the computer, at
// three strengths. A computer player is an input source, not a rule: at its
// turn, once no ball moves, it thinks for a human moment while its search
// runs a slice a frame (putt_search.h), then makes the gesture of its
// putting style with the pointer and the left button, at a human pace,
// through the play screen's input side — so the shot control, the rules,
// the HUD and the replay see a player like any other.
//
// Its randomness (how long it thinks, how its hand errs) comes from a
// stream of its own seeded from the game's seed: the same seed and the same
// inputs of the people at the machine play the same game.
//
// A game of computer players only plays itself: the title card that waits
// for a key gets one after a moment, as if a player had pressed it. The
// final score card waits for a person (any key leaves).
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "computer/distance_map.h"
#include "computer/putt_search.h"
#include "core/random.h"
#include "game/launch_settings.h"
#include "game/turn_inputs.h"

namespace quendrix {

// The values of the launch pad's "Игрок" list and of the stored "Computer
// 1" ... "Computer 4": keep them.
enum class ComputerLevel : int32_t { kHuman = 0, kBeginner = 1, kClubPlayer = 2, kMaster = 3 };

// The level a stored value names; anything else is a person.
ComputerLevel ComputerLevelOf(int32_t stored);
// "beginner", "club" or "master" (the tools' names), "human".
std::string_view ComputerLevelName(ComputerLevel level);
// How a level searches and how exactly it plays.
const Strength& StrengthOf(ComputerLevel level);

// Simulated putts each frame at most, and work on the distance map (areas
// tested against cells, cells settled): the same on every machine.
inline constexpr int32_t kPuttsPerFrame = 10;
inline constexpr int64_t kMapWorkPerFrame = 60000;

class ComputerPlayers final : public TurnInputs {
 public:
  // The levels of players 1 ... 4 are the settings' `computer` values, read
  // now; `seed` is the game's.
  ComputerPlayers(const LaunchSettings& settings, uint64_t seed);
  ComputerPlayers(const ComputerPlayers&) = delete;
  ComputerPlayers& operator=(const ComputerPlayers&) = delete;

  // Whether the settings make any of the game's players a computer.
  static bool AnyIn(const LaunchSettings& settings);

  bool Plays(int32_t player) const override;
  void BeforeFrame(const GameSession& session, InputHandler& hands) override;

  // No person plays: the title card closes by itself.
  bool NoPersonPlays() const { return noPerson_; }

  // What the last frame cost the search (tests, benchmarks).
  int64_t PuttsLastFrame() const { return puttsLastFrame_; }
  int64_t MapWorkLastFrame() const { return mapWorkLastFrame_; }
  // Frames from the start of the last decided turn to its decision.
  int32_t FramesToDecide() const { return framesToDecide_; }

 private:
  enum class Step {
    kWaiting,   // for a turn of one of ours with every ball at rest
    kThinking,  // the search runs; the think time passes
    kToBall,    // the pointer goes to the ball
    kPress,     // pull: the press on the ball; push: the click that starts the aim
    kDrag,      // pull: the drag back; push: the sideways aim
    kAimClick,  // push: the click that starts the backswing
    kBackswing,
    kArmClick,  // push: the click that starts the forward swing
    kRelease,   // pull: the button comes up; push: the forward swing passes the anchor
    kRolling,   // after the release, until every ball rests
  };

  void BuildMap(const GameSession& s);
  void Think(const GameSession& s);
  void Play(const GameSession& s, InputHandler& hands);
  void Act(const GameSession& s, InputHandler& hands);
  void GoTo(Step step, int32_t waitTicks = 0);
  // Moves the pointer up to `pace` pixels a physics step towards (x, y);
  // true when it stood there already, so a frame has seen it there.
  bool MoveTowards(const GameSession& s, InputHandler& hands, int32_t x, int32_t y, int32_t pace);
  // A press and release of the left button where the pointer is, and then
  // the pointer where the shot control put it back (the platform's report
  // of that move does not reach the game during this player's turn).
  void Click(const GameSession& s, InputHandler& hands);
  void Press(const GameSession& s, InputHandler& hands);
  void FollowAnchor(const GameSession& s, InputHandler& hands);
  // The gesture went another way than planned (a key switched the putting,
  // a press missed): cancel any aim and make it again.
  void StartOver(const GameSession& s, InputHandler& hands);
  // Whether releasing now starts the shot at the chosen moment of the cycle.
  bool ReleaseDue(const GameSession& s) const;
  void CloseTitleCard(const GameSession& s, InputHandler& hands);

  std::array<ComputerLevel, 4> levels_{};
  bool noPerson_ = false;
  Pcg32 random_;

  DistanceMap map_;
  int32_t mapHole_ = -1;  // holeNumber and name of the hole the map is of; -1 none
  std::string mapName_;
  PuttSearch search_;
  bool searching_ = false;

  // Where each player's last turn began, and on which hole: a turn that
  // begins there again got nowhere.
  struct LastTurn {
    int32_t hole = 0;
    double x = 0, y = 0;
  };
  std::array<LastTurn, 4> lastTurns_{};

  Step step_ = Step::kWaiting;
  int32_t player_ = 0;
  int32_t waitTicks_ = 0;  // physics steps still to wait in this step
  int32_t framesInStep_ = 0;
  int32_t framesInTurn_ = 0;
  int32_t cardTicks_ = 0;
  Gesture gesture_;  // as the hand will make it

  int64_t puttsLastFrame_ = 0;
  int64_t mapWorkLastFrame_ = 0;
  int32_t framesToDecide_ = 0;
};

}  // namespace quendrix
