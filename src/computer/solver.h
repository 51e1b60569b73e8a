// The hole solver behind quendrix-solve: searches putts with the game's own
// physics until a ball played from the tee centre drops into the cup, and
// reports the shortest sequence of shots it found.
//
// One player, one physics substep setting (substeps = 1: two physics steps a
// frame, as at 60 frames a second); a shot is played once the ball has come
// to rest, exactly as a player would. Besides the physics each frame runs what
// the play screen does to a captured ball (the water put-back, the pipe
// exits) and the cycling obstacles of the holes that have them, so a found
// sequence also plays in the game given the same random draws.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix {

class GameSession;

// The strongest putt the shot control gives: a full backswing of 90 half
// pixels divided by 22, in pixels per physics substep.
inline constexpr double kMaxPuttSpeed = 90.0 / 22.0;

struct SolveShot {
  int32_t waitFrames = 0;       // frames waited before the putt (obstacles cycle meanwhile)
  int32_t direction = 0;        // binary angle 0 ... 255
  double speed = 0;             // pixels per substep, 0 ... kMaxPuttSpeed
  double fromX = 0, fromY = 0;  // where the ball lay, course pixels
};

struct SolveOptions {
  uint64_t seed = 1;                // of both random streams
  int32_t maxStrokes = 6;           // deepest search
  int32_t beamWidth = 8;            // resting places kept per stroke
  int64_t shotBudget = 40000;       // simulated putts at most; the search gives up after
  int32_t maxFramesPerShot = 2500;  // a ball still moving after this is written off
  int32_t splashPatterns = 8;  // patterns of the splash picture: a lost ball waits 4 frames each
  int32_t startCycle = 0;      // obstacle cycle counter when the hole begins
  bool recordPath = false;     // ReplayShots: keep the ball's place after every frame
};

struct PathPoint {
  int32_t frame = 0;  // frame of its shot, from 0
  double x = 0, y = 0, z = 0;
};

struct SolveResult {
  bool holed = false;
  int32_t strokes = 0;  // the ball's stroke count as it dropped (extra strokes taken off)
  int32_t par = 0;
  std::vector<SolveShot> shots;
  int64_t shotsSimulated = 0;
  std::string error;            // set when the hole could not be read
  std::vector<PathPoint> path;  // ReplayShots with recordPath
};

// Searches the hole whose file text is `holeText`; `holeName` (for example
// "course2hole9") selects the hole's own animations.
SolveResult SolveHoleText(std::string_view holeText, std::string_view holeName,
                          const SolveOptions& options = {});

// The same for a hole file; the hole name is the file's stem.
SolveResult SolveHoleFile(const std::filesystem::path& holeFile, const SolveOptions& options = {});

// Plays `shots` from the tee centre with the same seed and reports whether
// the ball dropped and with how many strokes; every shot's fromX, fromY is
// filled in with where the ball lay.
SolveResult ReplayShots(std::string_view holeText, std::string_view holeName,
                        std::vector<SolveShot> shots, const SolveOptions& options = {});

// One frame of what the solver runs besides the physics, in the play
// screen's order (exposed for tests and the computer players' search): the
// splash clock of slot 32, the drops of captured balls and the cycling
// obstacles of "course2hole5" and "course2hole9". Returns the balls dropped
// back from water, a bit per player (bit p - 1).
uint32_t SolverFrameExtras(GameSession& session, int32_t splashPatterns);

}  // namespace quendrix
