// The rules at the three places of the frame: the turn hand-over when the
// last moving ball stops, the hole-out of a ball deep in the cup, and the
// score card.
//
// So far the hand-over passes the turn in player order and the hole-out
// parks the ball, keeps its score and ends the hole; the extra and penalty
// strokes' banners, the stroke limit, the farthest-from-the-cup rule, the
// hole-out sounds and banners and the score card's texts join with the rules.
#include "game/mainsource19.h"

namespace quendrix {

namespace {

constexpr int32_t kSoundTurn = 24;
constexpr int32_t kMenuScoreCard = 4;
// Where a holed ball waits for the next hole: outside every course.
constexpr double kParkedX = 5000;

}  // namespace

void TMain::PassTurn() {
  GameSession& s = session;
  s.Sound(kSoundTurn);
  // In turn: the next player whose ball is not in the cup; nobody else left
  // keeps the current player.
  const int32_t start = s.currentPlayer;
  int32_t p = start;
  do {
    p = p >= s.playerCount ? 1 : p + 1;
  } while (p != start && s.players[p].inCup);
  if (!s.players[p].inCup) s.currentPlayer = p;
  playerrec& next = s.players[s.currentPlayer];
  // A ball comes onto the course on its owner's first turn of the hole.
  if (!next.inPlay && !next.inCup) next.inPlay = true;
  s.recentre = true;
  SetCursorPos(SurfaceWidth() / 2, SurfaceHeight() / 2);
  s.bonusStrokeUsed = false;
  s.bonusStrokeTaken = false;
}

void TMain::HoleOut(int32_t player) {
  GameSession& s = session;
  playerrec& b = s.players[player];
  s.bannerFade = 255;
  if (b.strokes < s.bestHoleScore) s.bestHoleScore = b.strokes;
  b.toPar = b.totalStrokes - s.totalPar;
  // Parked and moving: the next physics phase brings it to rest and passes
  // the turn, even after an extra stroke.
  b.inPlay = false;
  b.x = kParkedX;
  b.speed = 0;
  b.moving = true;
  s.bonusStrokeTaken = true;
  if (s.holeNumber >= 1 && s.holeNumber <= kHoleCount) b.holeScores[s.holeNumber] = b.strokes;
  if (s.firstHoledPlayer == 0) s.firstHoledPlayer = player;

  for (int32_t p = 1; p <= s.playerCount; ++p)
    if (!s.players[p].inCup) return;
  for (int32_t p = 1; p <= s.playerCount; ++p)
    if (s.players[p].strokes == s.bestHoleScore) ++s.players[p].holesWon;
  ++s.holeNumber;
  if (s.holeNumber > kHoleCount) {
    s.gameOver = true;
    s.gameState = 3;
  } else {
    s.gameState = 4;
  }
}

void TMain::WaterPenalty(int32_t player) {
  GameSession& s = session;
  if (!settings().minus1) return;
  s.tickerPos = 0;
  s.tickerText = "                           UTPAOH0N JDAP ";
  playerrec& b = s.players[player];
  ++b.totalStrokes;
  ++b.strokes;
  s.bannerText = "UTPAOH0N JDAP ";
  s.bannerFade = 255;
}

void TMain::DrawScoreCard() {
  DXDraw.Surface().FillRaw(0);
  DrawCentred(menu, kMenuScoreCard);
}

}  // namespace quendrix
