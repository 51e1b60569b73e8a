// Whole holes by the rules: three players, a scripted two-hole game for
// every way of opening a hole, choosing the next player and letting balls
// collide. At every putt the player whose turn it is must be the one the
// rules name.
#include <gtest/gtest.h>

#include <cmath>
#include <tuple>

#include "computer/bot.h"
#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/headless_play.h"
#include "replay_support.h"

namespace quendrix {
namespace {

using Rules = std::tuple<int32_t, int32_t, int32_t>;  // startplayer, nextplayer, whencollide

int32_t CupDistance(const GameSession& s, const playerrec& b) {
  return PlainDistance(Nearest(b.x), Nearest(b.y), s.cupX, s.cupY);
}

// The player after `from` whose ball is not in the cup, or `from` itself.
int32_t InTurnAfter(const GameSession& s, int32_t from) {
  for (int32_t k = 1; k < s.playerCount; ++k) {
    const int32_t p = (from - 1 + k) % s.playerCount + 1;
    if (!s.players[p].inCup) return p;
  }
  return from;
}

// The ball farthest from the cup; of equal ones the higher number.
int32_t Farthest(const GameSession& s, int32_t fallback) {
  int32_t most = 0;
  for (int32_t p = 1; p <= s.playerCount; ++p)
    if (!s.players[p].inCup) most = std::max(most, CupDistance(s, s.players[p]));
  int32_t chosen = fallback;
  for (int32_t p = 1; p <= s.playerCount; ++p)
    if (CupDistance(s, s.players[p]) == most) chosen = p;
  return chosen;
}

class TwoHoleGame : public ::testing::TestWithParam<Rules> {
 protected:
  void Shoot(int32_t direction, double speed) {
    GameSession& s = play->session();
    playerrec& b = s.players[s.currentPlayer];
    b.direction = direction;
    b.speed = std::min(speed, 4.0);
    StartShot(s, s.currentPlayer, true);
  }

  // Frames until the current player may putt; false once hole 2 is over.
  bool WaitForPutt() {
    GameSession& s = play->session();
    for (int i = 0; i < 20000; ++i) {
      if (s.holeNumber > 2 || s.gameOver) return false;
      if (ShowsCard(s.gameState)) {
        play->Key(vk::kSpace);
        continue;
      }
      const playerrec& b = s.players[s.currentPlayer];
      if (s.gameState == GameState::kPlay && !s.ballsMoving && b.inPlay && !b.inCup && !b.moving)
        return true;
      if (s.gameState == GameState::kHoleFinished) lastCurrentOfHole = s.currentPlayer;
      if (s.holeNumber == 2 && holeOneFirstIn == 0) holeOneFirstIn = s.firstHoledPlayer;
      play->Frame(66);
    }
    ADD_FAILURE() << "the balls never came to rest";
    return false;
  }

  std::unique_ptr<HeadlessPlay> play;
  int32_t lastCurrentOfHole = 0;
  int32_t holeOneFirstIn = 0;
};

TEST_P(TwoHoleGame, TheRulesNameWhoPlays) {
  const auto [startplayer, nextplayer, whencollide] = GetParam();
  LaunchSettings settings;
  settings.players = 2;
  settings.startplayer = startplayer;
  settings.nextplayer = nextplayer;
  settings.whencollide = whencollide;
  settings.plus1 = true;
  play = std::make_unique<HeadlessPlay>(settings, testing::PracticeData(), 5);
  play->Start();
  GameSession& s = play->session();

  int32_t shooter = 0, hole = 0, putts = 0;
  std::array<int32_t, 4> puttsOnHole{};
  bool bumped = false;
  while (WaitForPutt()) {
    const int32_t p = s.currentPlayer;
    if (s.holeNumber != hole) {
      // The first putt of a hole: the opening player.
      hole = s.holeNumber;
      puttsOnHole = {};
      if (startplayer != 2 && hole == 1) {
        EXPECT_EQ(p, 1);
      } else if (startplayer == 0) {
        EXPECT_EQ(p, lastCurrentOfHole);
      } else if (startplayer == 1) {
        EXPECT_EQ(p, holeOneFirstIn);
      }
      int32_t inPlay = 0;
      for (int32_t q = 1; q <= 3; ++q) inPlay += s.players[q].inPlay;
      EXPECT_EQ(inPlay, 1) << "only the opener's ball is on the course";
    } else if (s.bonusStrokeUsed && s.bonusStrokeTaken) {
      EXPECT_EQ(p, shooter) << "the extra stroke is the same player's";
    } else if (nextplayer == 0) {
      EXPECT_EQ(p, InTurnAfter(s, shooter)) << "putt " << putts;
    } else {
      EXPECT_EQ(p, Farthest(s, p)) << "putt " << putts;
    }

    const playerrec& b = s.players[p];
    const int32_t bx = Nearest(b.x), by = Nearest(b.y);
    // The second putt of the game goes at the first ball.
    const playerrec& first = s.players[shooter == 0 ? p : shooter];
    if (hole == 1 && putts == 1 && p != shooter && first.inPlay && !first.inCup) {
      const double fx = first.x, fy = first.y;
      const int32_t strokesBefore = b.strokes;
      const double d = std::hypot(fx - bx, fy - by);
      Shoot(BinAngle(Nearest(fx) - bx, Nearest(fy) - by), std::sqrt(d / 100) * 1.6);
      shooter = p;
      ++putts;
      ++puttsOnHole[static_cast<size_t>(p - 1)];
      for (int i = 0; i < 3000 && s.ballsMoving; ++i) play->Frame(66);
      const bool moved = first.x != fx || first.y != fy;
      EXPECT_EQ(moved, whencollide == 1) << "balls collide only when the rule says so";
      EXPECT_EQ(s.players[p].strokes, whencollide == 1 ? strokesBefore : strokesBefore + 1)
          << "touching a ball earns the extra stroke";
      bumped = true;
      continue;
    }
    PlannedPutt putt;
    if (puttsOnHole[static_cast<size_t>(p - 1)] == 0) {
      // Everybody's first putt of a hole stops short, so that the order of
      // play has something to decide.
      const int32_t toCup = BinAngle(s.cupX - bx, s.cupY - by);
      putt = PullDrag(toCup, std::sqrt(CupDistance(s, b) / 100.0) * 0.55);
    } else {
      putt = ChoosePutt(s);
    }
    Shoot(putt.direction, putt.speed);
    shooter = p;
    ++putts;
    ++puttsOnHole[static_cast<size_t>(p - 1)];
  }
  EXPECT_TRUE(bumped);
  EXPECT_EQ(s.holeNumber, 3);
  for (int32_t p = 1; p <= 3; ++p) {
    EXPECT_GT(s.players[p].holeScores[1], 0);
    EXPECT_GT(s.players[p].holeScores[2], 0);
    EXPECT_EQ(s.players[p].totalStrokes, s.players[p].holeScores[1] + s.players[p].holeScores[2]);
  }
}

INSTANTIATE_TEST_SUITE_P(EveryRule, TwoHoleGame,
                         ::testing::Combine(::testing::Values(0, 1, 2), ::testing::Values(0, 1),
                                            ::testing::Values(0, 1)));

}  // namespace
}  // namespace quendrix
