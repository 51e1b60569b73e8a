// A bot that plays whole games on the headless play screen, for tools and
// tests: it putts with the pull gesture a player would make, choosing each
// putt by trying candidates on a copy of the game with the real physics and
// then spoiling the best a little with noise. Now and then it also presses
// the play screen's other keys, so long runs touch every command. And whole
// games of the computer players, headless.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "core/random.h"
#include "game/launch_settings.h"
#include "game/replay.h"

namespace quendrix {

class DistanceMap;
class GameSession;

struct BotOptions {
  uint64_t seed = 1;             // the bot's own choices (noise, extra keys)
  int32_t directionNoise = 2;    // binary-angle steps, at most this far off
  double speedNoise = 0.06;      // fraction of the speed, at most this far off
  double extraKeyChance = 0.1;   // per putt: press one of the other commands
  uint32_t frameMs = 16;         // clock per frame: 16 about 60, 66 about 15 a second
  int32_t maxFrames = 200000;    // a game still running after this many frames hangs
  int32_t maxRollFrames = 6000;  // balls still moving after this many frames are stuck
  ReplayRecorder* recorder = nullptr;
};

struct BotGame {
  bool finished = false;  // the game reached its end and the play screen was left
  int32_t frames = 0;
  int32_t putts = 0;
  std::vector<PlayerScore> scores;
  std::string problem;  // empty when all went well
  // Why the bot left the game before its end, as a player would, or "": in
  // training (no stroke limit) a ball knocked through a wall by another can
  // never be holed again.
  std::string left;
};

// A putt as the pull gesture makes it: the drag from the anchor, screen
// pixels, and what the shot control will make of it.
struct PlannedPutt {
  int32_t dragX = 0, dragY = 0;
  int32_t direction = 0;  // binary angle the ball leaves at
  double speed = 0;       // pixels per substep
};

// The drag that sends a ball at `direction` (binary angle) with about
// `speed` (at most 4, the pull putt's limit).
PlannedPutt PullDrag(int32_t direction, double speed);

// Where putt `putt` by the current player would leave the ball, judged on a
// copy of the session: 0 in the cup, else the distance to the cup (in a
// straight line, or round the walls on `way` when given), more for a ball
// lost in water or gone into a pipe.
double JudgePutt(const GameSession& session, const PlannedPutt& putt,
                 const DistanceMap* way = nullptr);

// The best candidate putt for the current player. Without `way` it aims at
// the cup in a straight line; with it (built for the hole) it looks round
// every way and ranks by the distance round the walls.
PlannedPutt ChoosePutt(const GameSession& session, const DistanceMap* way = nullptr);

// Rule settings drawn at random: 1 ... 4 players, either course, every rule
// switch, sometimes training; display 640 x 480.
LaunchSettings RandomSettings(Pcg32& random);

// What is wrong with a finished game's score card, or "": strokes add up to
// the total, holes won match the hole scores, toPar matches, nine holes.
std::string CheckScoreCard(const GameSession& session);

// Plays one game from start-up to leaving the final score card.
BotGame PlayBotGame(const LaunchSettings& settings, const std::filesystem::path& dataDir,
                    uint64_t gameSeed, const BotOptions& options);

// Plays one game whose players are all the computer players the settings
// name (`computer`), through the real frame loop, from start-up to the
// final score card, which a key then leaves. Only `frameMs`, `maxFrames`,
// `maxRollFrames` and `recorder` of the options count; the computers draw
// from the game's seed.
BotGame PlayComputerGame(const LaunchSettings& settings, const std::filesystem::path& dataDir,
                         uint64_t gameSeed, const BotOptions& options);

}  // namespace quendrix
