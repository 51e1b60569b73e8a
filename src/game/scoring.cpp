#include "game/scoring.h"

#include <cstring>
#include <string_view>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/font_text.h"
#include "game/game_state.h"
#include "game/list_items.h"
#include "game/play_host.h"
#include "game/play_texts.h"
#include "media/surface.h"

namespace quendrix {

namespace {

constexpr int32_t kNameCellsOnCard = 14;
constexpr size_t kSummaryCells = 39;
// A ball this deep in the cup (z, pixels) is holed in the ball phase; the
// stroke limit drops the ball below it at once.
constexpr double kStrokeLimitDepth = -100;

int32_t Players(const GameSession& s) {
  return s.playerCount < 1 ? 1 : s.playerCount > kMaxPlayers ? kMaxPlayers : s.playerCount;
}

void CentrePointer(PlayHost& host) {
  host.SetCursorPos(host.SurfaceWidth() / 2, host.SurfaceHeight() / 2);
}

int32_t CupDistance(const GameSession& s, const playerrec& b) {
  return PlainDistance(Nearest(b.x), Nearest(b.y), s.cupX, s.cupY);
}

// The player after `from`, in number order, whose ball is not in the cup;
// `from` itself when the search comes back to it.
int32_t NextInTurn(const GameSession& s, int32_t from) {
  const int32_t count = Players(s);
  int32_t p = from;
  do {
    p = p >= count ? 1 : p + 1;
  } while (p != from && s.players[p].inCup);
  return p;
}

// The ball farthest from the cup plays; among equal distances the higher
// number. A ball in the cup counts 0 for the farthest distance but is
// compared with its own distance, so it cannot match unless it lies on the
// cup's centre.
int32_t FarthestFromCup(const GameSession& s, int32_t current) {
  const int32_t count = Players(s);
  int32_t farthest = 0;
  for (int32_t p = 1; p <= count; ++p) {
    const playerrec& b = s.players[p];
    const int32_t d = b.inCup ? 0 : CupDistance(s, b);
    if (d > farthest) farthest = d;
  }
  for (int32_t p = 1; p <= count; ++p)
    if (CupDistance(s, s.players[p]) == farthest) current = p;
  return current;
}

// The banner a holed ball earns.
PlayText HoleOutText(int32_t strokes, int32_t par) {
  if (strokes == 1) return PlayText::kHoleInOne;
  switch (strokes - par) {
    case -2:
      return PlayText::kEagle;
    case -1:
      return PlayText::kBirdie;
    case 0:
      return PlayText::kPar;
    case 1:
      return PlayText::kBogey;
    case 2:
      return PlayText::kDoubleBogey;
    case 3:
      return PlayText::kTripleBogey;
    default:
      return PlayText::kHoled;
  }
}

}  // namespace

void TurnHandOver::Arm(const GameSession& session) {
  const int32_t count = Players(session);
  for (int32_t p = 1; p <= count; ++p)
    if (session.players[p].moving) {
      armed_ = true;
      return;
    }
}

void TurnHandOver::TurnEnded(GameSession& session, PlayHost& host) {
  if (!armed_) return;
  armed_ = false;
  HandOverTurn(session, host);
}

void HandOverTurn(GameSession& s, PlayHost& host) {
  const LaunchSettings& rules = *s.settings;
  if (s.currentPlayer < 1 || s.currentPlayer > Players(s)) s.currentPlayer = 1;

  // 1. The extra stroke earned this turn is played by the same player.
  if (s.bonusStrokeUsed && !s.bonusStrokeTaken) {
    s.bonusStrokeTaken = true;
    s.recentre = true;
    CentrePointer(host);
    return;
  }

  // 2. Stroke limit: the ball is dropped deep into the cup and holed with its
  // count in this frame's ball phase. The turn passes at the rest of the
  // parked ball that follows, like after any hole-out; passing it here as
  // well would skip the next player with three or four players in turn.
  playerrec& current = s.players[s.currentPlayer];
  if (!rules.training && !current.inCup && current.strokes >= rules.StrokeLimit()) {
    current.inCup = true;
    current.z = kStrokeLimitDepth;
    s.Sound(EffectSound::kHop);
    s.bannerText = Text(PlayText::kStrokeLimit);
    s.bannerFade = 255;
    return;
  }

  // 3.
  s.Sound(EffectSound::kTurn);

  // 4, 5. Who plays next.
  int32_t next = NextInTurn(s, s.currentPlayer);
  if (rules.nextplayer == 1) next = FarthestFromCup(s, next);
  s.currentPlayer = next;

  // 6. A ball comes onto the course on its owner's first turn of the hole.
  playerrec& b = s.players[s.currentPlayer];
  if (!b.inPlay && !b.inCup) b.inPlay = true;

  // 7.
  s.recentre = true;
  CentrePointer(host);
  s.bonusStrokeUsed = false;
  s.bonusStrokeTaken = false;
}

const char* HoleOutBanner(int32_t strokes, int32_t par) {
  return Text(HoleOutText(strokes, par)).data();
}

void HoleOut(GameSession& s, int32_t player) {
  const LaunchSettings& rules = *s.settings;
  playerrec& b = s.players[player];

  // 1, 2, 3. Sound and banner; the stroke-limit message stays.
  if (!rules.training)
    s.Sound(b.strokes - s.holePar < 1 ? EffectSound::kGoodHole : EffectSound::kBadHole);
  if (s.bannerText != Text(PlayText::kStrokeLimit))
    s.bannerText = HoleOutBanner(b.strokes, s.holePar);
  s.bannerFade = 255;

  // 4, 5.
  if (b.strokes < s.bestHoleScore) s.bestHoleScore = b.strokes;
  b.toPar = b.totalStrokes - s.totalPar;

  // 6. Parked but moving: the next physics phase brings the ball to rest and
  // passes the turn, even after an extra stroke.
  b.inPlay = false;
  b.x = kParkedX;
  b.speed = 0;
  b.moving = true;
  s.bonusStrokeTaken = true;

  // 7, 8.
  if (s.holeNumber >= 1 && s.holeNumber <= kHoleCount) b.holeScores[s.holeNumber] = b.strokes;
  if (s.firstHoledPlayer == 0) s.firstHoledPlayer = player;

  // 9. The hole is over when every ball is in.
  const int32_t count = Players(s);
  for (int32_t p = 1; p <= count; ++p)
    if (!s.players[p].inCup) return;
  for (int32_t p = 1; p <= count; ++p)
    if (s.players[p].strokes == s.bestHoleScore) ++s.players[p].holesWon;
  ++s.holeNumber;
  if (s.holeNumber > kHoleCount) {
    s.gameOver = true;
    s.gameState = GameState::kScoreCard;
    s.Sound(EffectSound::kGoodHole);
  } else {
    s.gameState = GameState::kHoleFinished;
  }
}

void WaterPenalty(GameSession& s, int32_t player) {
  if (!s.settings->minus1) return;
  s.tickerPos = 0;
  s.tickerText = Text(PlayText::kPenaltyTicker);
  playerrec& b = s.players[player];
  ++b.totalStrokes;
  ++b.strokes;
  s.bannerText = Text(PlayText::kPenaltyBanner);
  s.bannerFade = 255;
}

void BuildScoreSummary(GameSession& s) {
  const int32_t count = Players(s);
  std::string& line = s.tickerText;
  line.clear();

  if (count == 1) {
    const int32_t toPar = s.players[1].toPar;
    if (toPar == 0) {
      line = Text(s.gameOver ? PlayText::kFinalEven : PlayText::kRunningEven);
      return;
    }
    line = Text(s.gameOver ? PlayText::kFinalPrefix : PlayText::kRunningPrefix);
    AppendNumber(line, toPar < 0 ? -toPar : toPar);
    line += Text(toPar < 0 ? PlayText::kUnderPar : PlayText::kOverPar);
    return;
  }

  if (s.settings->scoring == 1) {
    int32_t most = 0;
    for (int32_t p = 1; p <= count; ++p)
      if (s.players[p].holesWon > most) most = s.players[p].holesWon;
    line = Text(s.gameOver ? PlayText::kWinner : PlayText::kLeader);
    for (int32_t p = 1; p <= count; ++p) {
      if (s.players[p].holesWon != most) continue;
      AppendFontName(line, s.players[p].name, s.players[p].name.size());
      line += ' ';
    }
    return;
  }

  int32_t lowest = 500;
  for (int32_t p = 1; p <= count; ++p)
    if (s.players[p].toPar < lowest) lowest = s.players[p].toPar;
  // The running line of stroke play has no word before the names.
  line = s.gameOver ? Text(PlayText::kFinalWinner) : "  -    ";
  for (int32_t p = 1; p <= count; ++p) {
    if (s.players[p].toPar != lowest) continue;
    AppendFontName(line, s.players[p].name, s.players[p].name.size());
    line += ' ';
  }
}

void DrawScoreCard(GameSession& s, TDirectDrawSurface& screen, const TDXImageList& menu) {
  screen.FillRaw(0);
  int32_t cx = 0, cy = 0;
  if (const TPictureCollectionItem* card = ImageItem(menu, MenuImage::kScoreCard)) {
    cx = (screen.Width() - card->PatternWidth()) / 2;
    cy = (screen.Height() - card->PatternHeight()) / 2;
    card->DrawPattern(screen, cx, cy, 0);
  }

  // Room for a name of any length spelled for the font; reserved once so a
  // drawn card does not allocate.
  thread_local std::string cell = [] {
    std::string text;
    text.reserve(256);
    return text;
  }();
  const int32_t count = Players(s);
  for (int32_t i = 1; i <= count; ++i) {
    const playerrec& p = s.players[i];
    const int32_t y = cy + 139 + 36 * i;
    cell.clear();
    AppendFontName(cell, p.name, kNameCellsOnCard);
    DrawMenuText(screen, menu, cell, cx + 28, y);
    for (int32_t h = 1; h <= kHoleCount; ++h) {
      if (p.holeScores[h] == 0) continue;
      cell.clear();
      AppendNumber(cell, p.holeScores[h]);
      DrawMenuText(screen, menu, cell, cx + 128 + 39 * h, y);
    }
    cell.clear();
    AppendNumber(cell, p.totalStrokes);
    DrawMenuText(screen, menu, cell, p.totalStrokes < 10 ? cx + 534 : cx + 526, y);
    if (s.settings->scoring == 1 && count != 1) {
      cell.clear();
      AppendNumber(cell, p.holesWon);
      DrawMenuText(screen, menu, cell, cx + 572, y);
    }
  }

  BuildScoreSummary(s);
  const std::string_view summary = s.tickerText;
  DrawMenuText(screen, menu, summary.substr(0, kSummaryCells), cx + 154, cy + 319);
}

}  // namespace quendrix
