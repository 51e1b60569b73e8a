#include "game/scoring.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "core/cp1251.h"
#include "game/ball_motion.h"
#include "game/font_text.h"
#include "rules_support.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::RecordingHost;
using testing::Table;

// A table of `players` balls in play on a hole whose cup is at (500, 300),
// par 3, everybody on stroke 0, player 1 to play.
struct Game {
  explicit Game(int32_t players) : table(players) {
    s().cupX = 500;
    s().cupY = 300;
    s().holePar = 3;
    s().totalPar = 3;
    s().holeNumber = 1;
    s().currentPlayer = 1;
    for (int32_t p = 1; p <= players; ++p) table.Place(p, 100, 100 + 10 * p);
  }
  GameSession& s() { return table.s(); }
  playerrec& ball(int32_t p) { return table.ball(p); }
  std::vector<int32_t>& sounds() { return table.events.sounds; }
  void HandOver() { HandOverTurn(s(), host); }
  // A ball sunk deep into the cup after `strokes` strokes, then holed.
  void Hole(int32_t p, int32_t strokes) {
    ball(p).strokes = strokes;
    ball(p).totalStrokes += strokes;
    ball(p).inCup = true;
    ball(p).z = -50;
    HoleOut(s(), p);
  }
  Table table;
  RecordingHost host;
};

// Routes the physics' turn report to a hand-over, as the play screen does.
struct HandOverEvents final : GameEvents {
  HandOverEvents(TurnHandOver& h, GameSession& s, PlayHost& p) : handOver(h), session(s), host(p) {
    session.events = this;
  }
  void PlaySound(int32_t) override {}
  void PlayBackgroundSound(int32_t) override {}
  void TurnEnded() override { handOver.TurnEnded(session, host); }
  TurnHandOver& handOver;
  GameSession& session;
  PlayHost& host;
};

// ---- Turn hand-over ---------------------------------------------------------

TEST(TurnHandOver, OnePlayerKeepsPlayingYetHearsTheTurnAndRecentres) {
  Game g(1);
  g.s().recentre = false;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 1);
  EXPECT_EQ(g.sounds(), std::vector<int32_t>{ItemIndex(EffectSound::kTurn)});
  EXPECT_TRUE(g.s().recentre);
  ASSERT_EQ(g.host.cursorMoves.size(), 1u);
  EXPECT_EQ(g.host.cursorMoves[0].x, 320);
  EXPECT_EQ(g.host.cursorMoves[0].y, 240);
}

TEST(TurnHandOver, InTurnSkipsBallsInTheCupAndWraps) {
  Game g(4);
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 2);
  g.ball(3).inCup = true;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 4);
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 1);
  // Everybody else in: the search comes back and the player stays.
  g.ball(2).inCup = g.ball(4).inCup = true;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 1);
  g.ball(1).inCup = true;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 1);
}

TEST(TurnHandOver, TheNextBallComesOntoTheCourseOnItsFirstTurn) {
  Game g(3);
  g.ball(2).inPlay = g.ball(3).inPlay = false;
  g.HandOver();
  EXPECT_TRUE(g.ball(2).inPlay);
  EXPECT_FALSE(g.ball(3).inPlay);
  // A parked ball in the cup is never brought back.
  g.ball(3).inCup = true;
  g.s().currentPlayer = 2;
  g.ball(1).inCup = true;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 2);
  EXPECT_FALSE(g.ball(3).inPlay);
}

TEST(TurnHandOver, FarthestFromTheCupPlaysAndTiesGoToTheHigherNumber) {
  Game g(3);
  g.table.settings.nextplayer = 1;
  g.table.Place(1, 400, 300);  // 100 from the cup
  g.table.Place(2, 500, 100);  // 200
  g.table.Place(3, 500, 250);  // 50
  g.s().currentPlayer = 2;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 2);  // the player who just played may go again
  g.table.Place(3, 700, 300);         // 200 as well
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 3);
  // A ball in the cup counts 0 however far it lies.
  g.ball(3).inCup = true;
  g.ball(2).inCup = true;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 1);
  // Rounded positions: 99.6 rounds to 100.
  g.ball(2).inCup = g.ball(3).inCup = false;
  g.table.Place(1, 500.4, 199.6);
  g.table.Place(2, 500, 200);
  g.table.Place(3, 500, 250);
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 2);
}

TEST(TurnHandOver, AnExtraStrokeIsPlayedByTheSamePlayer) {
  Game g(2);
  g.s().bonusStrokeUsed = true;
  g.s().recentre = false;
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 1);
  EXPECT_TRUE(g.s().bonusStrokeTaken);
  EXPECT_TRUE(g.s().recentre);
  EXPECT_EQ(g.host.cursorMoves.size(), 1u);
  EXPECT_TRUE(g.sounds().empty());
  // When that stroke stops, the turn passes and both flags clear.
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 2);
  EXPECT_FALSE(g.s().bonusStrokeUsed);
  EXPECT_FALSE(g.s().bonusStrokeTaken);
}

TEST(StrokeLimit, HolesTheBallWithTheLimitAndShowsItsBanner) {
  for (int32_t item = 0; item <= 3; ++item) {
    Game g(2);
    g.table.settings.strokelimit = item;
    const int32_t limit = 9 - item;
    g.ball(1).strokes = limit - 1;
    g.HandOver();
    EXPECT_FALSE(g.ball(1).inCup) << limit;
    g.s().currentPlayer = 1;
    g.ball(1).strokes = limit;
    g.ball(1).totalStrokes = limit;
    g.sounds().clear();
    g.HandOver();
    EXPECT_TRUE(g.ball(1).inCup);
    EXPECT_LT(g.ball(1).z, -45);
    EXPECT_EQ(g.sounds(), std::vector<int32_t>{ItemIndex(EffectSound::kHop)});
    EXPECT_EQ(g.s().bannerText, kBannerStrokeLimit);
    EXPECT_EQ(g.s().bannerFade, 255);
    // Holed in the ball phase with the limit; the score banner does not
    // replace the limit's.
    HoleOut(g.s(), 1);
    EXPECT_EQ(g.ball(1).holeScores[1], limit);
    EXPECT_EQ(g.s().bannerText, kBannerStrokeLimit);
  }
}

TEST(StrokeLimit, APenaltyPastTheLimitHolesWithTheHigherCount) {
  Game g(1);
  g.table.settings.strokelimit = 3;  // "6"
  g.table.settings.minus1 = true;
  g.ball(1).strokes = g.ball(1).totalStrokes = 6;
  WaterPenalty(g.s(), 1);
  g.HandOver();
  ASSERT_TRUE(g.ball(1).inCup);
  HoleOut(g.s(), 1);
  EXPECT_EQ(g.ball(1).holeScores[1], 7);
}

TEST(StrokeLimit, NoLimitInTraining) {
  Game g(1);
  g.table.settings.training = true;
  g.table.settings.strokelimit = 3;
  g.ball(1).strokes = 30;
  g.HandOver();
  EXPECT_FALSE(g.ball(1).inCup);
}

// Three players in turn: player 1 reaches the limit. The turn passes once,
// when the parked ball settles, to player 2, not past it.
TEST(StrokeLimit, TheTurnPassesOnceToTheNextPlayer) {
  Game g(3);
  g.table.settings.strokelimit = 3;
  g.ball(1).strokes = g.ball(1).totalStrokes = 6;
  TurnHandOver handOver;
  HandOverEvents events(handOver, g.s(), g.host);
  g.ball(1).moving = true;
  handOver.Arm(g.s());
  g.ball(1).moving = false;
  handOver.TurnEnded(g.s(), g.host);  // the limit
  EXPECT_EQ(g.s().currentPlayer, 1);
  HoleOut(g.s(), 1);      // ball phase of the same frame
  handOver.Arm(g.s());    // next frame: the parked ball moves
  BallSubstep(g.s(), 1);  // ... settles and reports
  EXPECT_EQ(g.s().currentPlayer, 2);
  EXPECT_TRUE(g.ball(2).inPlay);
}

TEST(TurnHandOver, ActsOncePerStopHoweverOftenThePhysicsReports) {
  Game g(3);
  TurnHandOver handOver;
  handOver.TurnEnded(g.s(), g.host);  // nothing moved: not armed
  EXPECT_EQ(g.s().currentPlayer, 1);
  g.ball(1).moving = true;
  handOver.Arm(g.s());
  EXPECT_TRUE(handOver.Armed());
  g.ball(1).moving = false;
  handOver.TurnEnded(g.s(), g.host);
  handOver.TurnEnded(g.s(), g.host);
  handOver.TurnEnded(g.s(), g.host);
  EXPECT_EQ(g.s().currentPlayer, 2);
  EXPECT_EQ(g.sounds(), std::vector<int32_t>{ItemIndex(EffectSound::kTurn)});
  handOver.Arm(g.s());  // nothing moves: stays disarmed
  handOver.TurnEnded(g.s(), g.host);
  EXPECT_EQ(g.s().currentPlayer, 2);
}

// ---- Extra stroke ----------------------------------------------------------

TEST(ExtraStroke, TouchingTwoBallsInOneShotEarnsOneStrokeOnly) {
  Table t(3);
  t.settings.plus1 = true;
  t.settings.whencollide = 1;
  t.Place(1, 100, 100);
  // Ball 2 is struck obliquely ahead; ball 1 steps back from it and touches
  // ball 3 beside it in the same substep.
  t.Place(2, 115, 97);
  t.Place(3, 105, 106);
  t.s().currentPlayer = 1;
  t.ball(1).strokes = t.ball(1).totalStrokes = 3;
  t.Shoot(1, 0, 3.0);  // stroke 4
  for (int i = 0; i < 200 && (t.ball(1).moving || t.ball(2).moving || t.ball(3).moving); ++i)
    MoveBalls(t.s());
  EXPECT_NE(t.ball(2).x, 115);  // both were struck
  EXPECT_NE(t.ball(3).x, 105);
  EXPECT_EQ(t.ball(1).strokes, 3);
  EXPECT_EQ(t.ball(1).totalStrokes, 3);
  EXPECT_TRUE(t.s().bonusStrokeUsed);
  EXPECT_EQ(std::count(t.events.sounds.begin(), t.events.sounds.end(), 21), 1);
}

// ---- Water penalty -------------------------------------------------------

TEST(WaterPenalty, CostsAStrokeOnlyWhenTheRuleIsOn) {
  Game g(2);
  g.ball(2).strokes = g.ball(2).totalStrokes = 2;
  WaterPenalty(g.s(), 2);
  EXPECT_EQ(g.ball(2).strokes, 2);
  EXPECT_EQ(g.s().bannerFade, 0);
  g.table.settings.minus1 = true;
  WaterPenalty(g.s(), 2);
  EXPECT_EQ(g.ball(2).strokes, 3);
  EXPECT_EQ(g.ball(2).totalStrokes, 3);
  EXPECT_EQ(g.ball(1).strokes, 0);
  EXPECT_EQ(g.s().bannerText, kBannerPenalty);
  EXPECT_EQ(g.s().bannerFade, 255);
  EXPECT_EQ(g.s().tickerText, kTickerPenalty);
  EXPECT_EQ(g.s().tickerPos, 0);
}

// ---- Hole-out --------------------------------------------------------------

TEST(HoleOut, BannerFollowsTheScoreAgainstPar) {
  EXPECT_STREQ(HoleOutBanner(2, 4), "0PEV ");
  EXPECT_STREQ(HoleOutBanner(2, 3), "PEUKA ");
  EXPECT_STREQ(HoleOutBanner(3, 3), "F0V");
  EXPECT_STREQ(HoleOutBanner(4, 3), "+JDAP");
  EXPECT_STREQ(HoleOutBanner(5, 3), "  + 2 JDAPA ");
  EXPECT_STREQ(HoleOutBanner(6, 3), "  + 3 JDAPA ");
  EXPECT_STREQ(HoleOutBanner(7, 3), "B VJHKE");
  EXPECT_STREQ(HoleOutBanner(2, 5), "B VJHKE");  // three under
  EXPECT_STREQ(HoleOutBanner(1, 3), kBannerHoleInOne);
  EXPECT_STREQ(HoleOutBanner(1, 1), kBannerHoleInOne);  // even on a par-1 hole
  EXPECT_STREQ(HoleOutBanner(1, 2), kBannerHoleInOne);
}

TEST(HoleOut, SoundsGoodAtParOrBetterBadAboveAndNothingInTraining) {
  Game g(3);
  g.Hole(1, 3);
  g.Hole(2, 4);
  EXPECT_EQ(g.sounds(), (std::vector<int32_t>{ItemIndex(EffectSound::kGoodHole),
                                              ItemIndex(EffectSound::kBadHole)}));
  g.sounds().clear();
  g.table.settings.training = true;
  g.Hole(3, 1);
  EXPECT_TRUE(g.sounds().empty());
  EXPECT_EQ(g.s().bannerText, kBannerHoleInOne);
}

TEST(HoleOut, ParksTheBallAndKeepsTheScore) {
  Game g(2);
  g.ball(1).totalStrokes = 10;  // from earlier holes
  g.s().totalPar = 12;
  g.s().holeNumber = 4;
  g.Hole(1, 2);
  const playerrec& b = g.ball(1);
  EXPECT_FALSE(b.inPlay);
  EXPECT_EQ(b.x, kParkedX);
  EXPECT_EQ(b.speed, 0);
  EXPECT_TRUE(b.moving);
  EXPECT_TRUE(g.s().bonusStrokeTaken);
  EXPECT_EQ(b.holeScores[4], 2);
  EXPECT_EQ(b.toPar, 0);
  EXPECT_EQ(g.s().bestHoleScore, 2);
  EXPECT_EQ(g.s().firstHoledPlayer, 1);
  EXPECT_EQ(g.s().bannerText, "PEUKA ");
  EXPECT_EQ(g.s().bannerFade, 255);
  EXPECT_EQ(g.s().gameState, GameState::kPlay);  // player 2 still out
  g.Hole(2, 5);
  EXPECT_EQ(g.s().firstHoledPlayer, 1);
  EXPECT_EQ(g.s().bestHoleScore, 2);
  EXPECT_EQ(g.s().gameState, GameState::kHoleFinished);
  EXPECT_EQ(g.s().holeNumber, 5);
}

TEST(HoleOut, AfterAnExtraStrokeTheNextStopStillPassesTheTurn) {
  Game g(2);
  g.s().bonusStrokeUsed = true;
  g.Hole(1, 3);
  g.HandOver();
  EXPECT_EQ(g.s().currentPlayer, 2);
}

TEST(HoleOut, TiedPlayersAllWinTheHole) {
  Game g(4);
  g.Hole(1, 3);
  g.Hole(2, 2);
  g.Hole(3, 4);
  g.Hole(4, 2);
  EXPECT_EQ(g.ball(1).holesWon, 0);
  EXPECT_EQ(g.ball(2).holesWon, 1);
  EXPECT_EQ(g.ball(3).holesWon, 0);
  EXPECT_EQ(g.ball(4).holesWon, 1);
}

TEST(HoleOut, TheNinthHoleEndsTheGameWithTheScoreCard) {
  Game g(1);
  g.s().holeNumber = 9;
  g.s().soundOn = false;
  g.Hole(1, 4);
  EXPECT_TRUE(g.s().gameOver);
  EXPECT_EQ(g.s().gameState, GameState::kScoreCard);
  EXPECT_EQ(g.s().holeNumber, 10);
  EXPECT_TRUE(g.sounds().empty());  // sound off
  Game loud(1);
  loud.s().holeNumber = 9;
  loud.Hole(1, 2);
  EXPECT_EQ(loud.sounds(), (std::vector<int32_t>{ItemIndex(EffectSound::kGoodHole),
                                                 ItemIndex(EffectSound::kGoodHole)}));
}

// ---- Score card ------------------------------------------------------------

TEST(ScoreSummary, LowestScoreNamesEveryLeader) {
  Game g(3);
  g.ball(1).name = "Ann";
  g.ball(2).name = Utf8ToCp1251("Игрок  2");
  g.ball(3).name = "Bo";
  g.ball(1).toPar = 2;
  g.ball(2).toPar = -1;
  g.ball(3).toPar = -1;
  BuildScoreSummary(g.s());
  EXPECT_EQ(g.s().tickerText, "  -    NFP0K  2 BO ");
  g.s().gameOver = true;
  BuildScoreSummary(g.s());
  EXPECT_EQ(g.s().tickerText, "Y0SEDA-NFP0K  2 BO ");
}

TEST(ScoreSummary, MostHolesNamesTheLeadersAndZeroWinsNamesEverybody) {
  Game g(2);
  g.table.settings.scoring = 1;
  g.ball(1).name = "ann";
  g.ball(2).name = "bo";
  BuildScoreSummary(g.s());
  EXPECT_EQ(g.s().tickerText, " VNDEP- ANN BO ");
  g.ball(2).holesWon = 3;
  g.s().gameOver = true;
  BuildScoreSummary(g.s());
  EXPECT_EQ(g.s().tickerText, "Y0SEDA- BO ");
}

TEST(ScoreSummary, OnePlayerSeesTheScoreAgainstPar) {
  Game g(1);
  g.table.settings.scoring = 1;  // ignored with one player
  const auto line = [&](int32_t toPar, bool over) {
    g.ball(1).toPar = toPar;
    g.s().gameOver = over;
    BuildScoreSummary(g.s());
    return g.s().tickerText;
  };
  EXPECT_EQ(line(0, false), "C4ET - P0BH0");
  EXPECT_EQ(line(-3, false), "C4ET  - 3 - VNMNT  ");
  EXPECT_EQ(line(12, false), "C4ET  - 12 + VNMNT ");
  EXPECT_EQ(line(0, true), "NT0F - P0BH0    ");
  EXPECT_EQ(line(-1, true), "NT0F  -     1 - VNMNT  ");
  EXPECT_EQ(line(2, true), "NT0F  -     2 + VNMNT ");
}

struct Card {
  Card() {
    testing::AddMarkedItem(menu, 4, 600, 400, 1);
    testing::AddMarkedItem(menu, 5, 7, 9, 67);
  }
  // The cell of the menu font drawn as character k (from 1) of a text
  // drawn at (x, y).
  testing::CellId Char(int32_t x, int32_t y, int32_t k) const { return screen.At(x + 7 * k, y); }
  TDXImageList menu;
  testing::Screen screen{640, 480};
  static constexpr int32_t cx = 20, cy = 40;  // (640 - 600) / 2, (480 - 400) / 2
};

TEST(ScoreCard, DrawsRowsTotalsAndTheSummary) {
  Game g(2);
  Card c;
  g.ball(1).name = Utf8ToCp1251("Пётр Первый Великий");  // cut to 14
  g.ball(2).name = "bo the great golfer";
  g.ball(1).holeScores[1] = 3;
  g.ball(1).holeScores[2] = 0;  // not played: nothing
  g.ball(1).holeScores[3] = 12;
  g.ball(1).totalStrokes = 9;
  g.ball(2).totalStrokes = 10;
  g.ball(1).toPar = g.ball(2).toPar = 0;
  DrawScoreCard(g.s(), c.screen.surface, c.menu);

  const int32_t row1 = Card::cy + 175, row2 = Card::cy + 211;
  EXPECT_EQ(c.Char(Card::cx + 28, row1, 1),
            (testing::CellId{MenuImage::kScoreFont, FontCell('Y')}));
  // "Пётр Первый Ве" spells "YETP YEPBLIN BE": Ы takes two cells.
  EXPECT_EQ(c.Char(Card::cx + 28, row1, 14),
            (testing::CellId{MenuImage::kScoreFont, FontCell('B')}));
  EXPECT_EQ(c.Char(Card::cx + 28, row1, 15),
            (testing::CellId{MenuImage::kScoreFont, FontCell('E')}));
  EXPECT_EQ(c.Char(Card::cx + 28, row1, 16).item, 4);  // the card: the rest is cut
  EXPECT_EQ(c.Char(Card::cx + 128 + 39, row1, 1),
            (testing::CellId{MenuImage::kScoreFont, FontCell('3')}));
  EXPECT_EQ(c.Char(Card::cx + 128 + 78, row1, 1).item, 4);
  EXPECT_EQ(c.Char(Card::cx + 128 + 117, row1, 2),
            (testing::CellId{MenuImage::kScoreFont, FontCell('2')}));
  EXPECT_EQ(c.Char(Card::cx + 534, row1, 1),
            (testing::CellId{MenuImage::kScoreFont, FontCell('9')}));
  EXPECT_EQ(c.Char(Card::cx + 526, row2, 2),
            (testing::CellId{MenuImage::kScoreFont, FontCell('0')}));
  EXPECT_EQ(c.Char(Card::cx + 572, row1, 1).item, 4);  // holes won: most-holes only

  // Both lead on 0: "  -    YETP YEPBLIN BEVNKNN BO THE GREAT GOLFER " cut to 39.
  EXPECT_EQ(g.s().tickerText.substr(0, 12), "  -    YETP ");
  EXPECT_GT(g.s().tickerText.size(), 39u);
  EXPECT_EQ(c.Char(Card::cx + 154, Card::cy + 319, 8),
            (testing::CellId{MenuImage::kScoreFont, FontCell('Y')}));
  EXPECT_EQ(c.Char(Card::cx + 154, Card::cy + 319, 40).item, 4);
}

TEST(ScoreCard, MostHolesShowsHolesWonUnlessAlone) {
  Game g(2);
  g.table.settings.scoring = 1;
  Card c;
  g.ball(1).holesWon = 7;
  DrawScoreCard(g.s(), c.screen.surface, c.menu);
  EXPECT_EQ(c.Char(Card::cx + 572, Card::cy + 175, 1),
            (testing::CellId{MenuImage::kScoreFont, FontCell('7')}));
  EXPECT_EQ(c.Char(Card::cx + 572, Card::cy + 211, 1),
            (testing::CellId{MenuImage::kScoreFont, FontCell('0')}));

  Game alone(1);
  alone.table.settings.scoring = 1;
  Card c1;
  alone.ball(1).holesWon = 7;
  DrawScoreCard(alone.s(), c1.screen.surface, c1.menu);
  EXPECT_EQ(c1.Char(Card::cx + 572, Card::cy + 175, 1).item, 4);
}

}  // namespace
}  // namespace quendrix
