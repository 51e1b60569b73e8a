// The rules of a game at the three places of the frame where they act: the
// turn hand-over when the last moving ball comes to rest (inside the
// physics), the hole-out of a ball sunk deep into the cup (in the ball
// phase), and the score card among the state screens. Plus the water penalty
// a dropped-back ball may cost.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quendrix {

class GameSession;
class PlayHost;
class TDirectDrawSurface;
class TDXImageList;

// Banners and ticker texts of the rules, as stored (blanks included); the
// game draws them in the run's language (play_texts.h).
inline constexpr const char* kBannerStrokeLimit = "YPEBLIUEH VNMNT  ";
inline constexpr const char* kBannerHoleInOne = "   VJHKA   ";
inline constexpr const char* kBannerPenalty = "UTPAOH0N JDAP ";
inline constexpr const char* kTickerPenalty = "                           UTPAOH0N JDAP ";

// Where a holed ball waits for the next hole: outside every course.
inline constexpr double kParkedX = 5000;

// The physics reports a finished turn from every substep in which no ball in
// play moves, which can be several times for one stop (a parked ball may
// take a substep more to settle). The hand-over acts once per stop: it is
// armed before each frame's physics while some ball moves, and disarmed by
// the hand-over it lets through.
class TurnHandOver {
 public:
  // Before the frame's physics.
  void Arm(const GameSession& session);
  // From the physics' turn-ended report: runs HandOverTurn once.
  void TurnEnded(GameSession& session, PlayHost& host);
  bool Armed() const { return armed_; }

 private:
  bool armed_ = false;
};

// The turn hand-over: the extra stroke, the stroke limit, the next player by
// the `nextplayer` rule, the new ball brought onto the course, recentring.
void HandOverTurn(GameSession& session, PlayHost& host);

// The banner a ball holed with `strokes` on a hole of par `par` earns, in
// the run's language (a C string: the texts hold no NUL).
const char* HoleOutBanner(int32_t strokes, int32_t par);

// Ball `player` has sunk below z = -45 in the cup: sound, banner, best score,
// toPar, the ball parked, its hole score, the first holed player, and the end
// of the hole (holes won, next hole or the end of the game) when every ball
// is in.
void HoleOut(GameSession& session, int32_t player);

// Ball `player` has been dropped back after falling into water: one penalty
// stroke when `minus1` is on.
void WaterPenalty(GameSession& session, int32_t player);

// The score card's summary line (leader or single player's score), built
// into session.tickerText as the card draws it.
void BuildScoreSummary(GameSession& session);

// Game state 3: a black surface, `menu` image 4 centred, every player's row
// and the summary line in the menu font.
void DrawScoreCard(GameSession& session, TDirectDrawSurface& screen, const TDXImageList& menu);

}  // namespace quendrix
