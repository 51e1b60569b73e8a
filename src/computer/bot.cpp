#include "computer/bot.h"

#include <algorithm>
#include <cmath>

#include "computer/computer_player.h"
#include "computer/distance_map.h"
#include "computer/gesture.h"
#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/commands.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/headless_play.h"

namespace quendrix {

namespace {

// A judged putt is followed for at most this many frames.
constexpr int32_t kJudgeFrames = 1500;
// Strokes on one hole after which the bot ranks its putts by the distance
// round the walls: the straight line can keep a ball in a lane walled off
// from the cup for ever, and only training (no stroke limit) lets it go on.
constexpr int32_t kStuckStrokes = 20;
// Strokes on one hole of training after which a ball the distance map does
// not reach is taken as out of the course (the map's cells beside a wall
// can say so of a ball that is not; twenty more putts by the map get such
// a ball out or holed).
constexpr int32_t kGiveUpStrokes = 40;
// Added to the straight distance of a place the distance map does not know.
constexpr double kUnmapped = 100000;
// Penalties of a judged putt, in pixels of distance.
constexpr double kLostPenalty = 400;
constexpr double kPipePenalty = 150;

int32_t Players(const GameSession& s) {
  return std::clamp(s.playerCount, 1, kMaxPlayers);
}

bool AnyBallMoving(const GameSession& s) {
  for (int32_t p = 1; p <= Players(s); ++p)
    if (s.players[p].moving && s.players[p].inPlay) return true;
  return false;
}

double CupDistance(const GameSession& s, const playerrec& b, const DistanceMap* way) {
  const double straight = PlainDistance(Nearest(b.x), Nearest(b.y), s.cupX, s.cupY);
  if (way == nullptr) return straight;
  // Where the map knows no way (outside it, behind a wall) the straight line
  // counts, beyond every place it knows.
  const float around = way->At(b.x, b.y);
  return std::isfinite(around) ? around : kUnmapped + straight;
}

}  // namespace

PlannedPutt PullDrag(int32_t direction, double speed) {
  const Gesture g = PlanGesture(true, direction, speed);
  return {g.dragX, g.dragY, g.putt.direction, g.putt.speed};
}

double JudgePutt(const GameSession& session, const PlannedPutt& putt, const DistanceMap* way) {
  GameSession sim = session;
  SilentEvents silent;
  sim.events = &silent;
  const int32_t p = std::clamp(sim.currentPlayer, 1, kMaxPlayers);
  playerrec& b = sim.players[p];
  b.direction = putt.direction;
  b.speed = putt.speed;
  StartShot(sim, p, true);
  for (int32_t frame = 0; frame < kJudgeFrames; ++frame) {
    MoveBalls(sim);
    if (b.inCup) return 0;
    if (b.lost) return CupDistance(sim, b, way) + kLostPenalty;
    if (b.inPipe) return CupDistance(sim, b, way) + kPipePenalty;
    if (!AnyBallMoving(sim)) break;
  }
  return CupDistance(sim, b, way);
}

PlannedPutt ChoosePutt(const GameSession& session, const DistanceMap* way) {
  const playerrec& b = session.players[std::clamp(session.currentPlayer, 1, kMaxPlayers)];
  const int32_t bx = Nearest(b.x), by = Nearest(b.y);
  const int32_t toCup = BinAngle(session.cupX - bx, session.cupY - by);
  const double distance = PlainDistance(bx, by, session.cupX, session.cupY);
  // A ball rolling on the flat loses 0.005 a substep: it covers about
  // 100 v^2 pixels.
  const double reach = std::sqrt(std::max(distance, 4.0) / 100.0);

  PlannedPutt best = PullDrag(toCup, reach);
  double bestScore = 1e18;
  const auto tryPutt = [&](int32_t direction, double speed) {
    const PlannedPutt putt = PullDrag(direction, speed);
    const double score = JudgePutt(session, putt, way);
    if (score < bestScore) {
      bestScore = score;
      best = putt;
    }
  };
  if (way != nullptr) {
    for (int32_t direction = 0; direction < 256; direction += 8)
      for (const double speed : {0.8, 1.5, 2.5, 3.5}) tryPutt(direction, speed);
    return best;
  }
  for (const double factor : {1.0, 1.12, 0.9, 1.3, 1.55, 0.75, 0.5})
    for (int32_t turn = 0; turn <= 32; turn += 4) {
      tryPutt(toCup + turn, reach * factor);
      if (turn != 0) tryPutt(toCup - turn, reach * factor);
      if (bestScore == 0) return best;
    }
  // Nothing close: a coarse ring of stronger putts finds a way around.
  if (bestScore > 40)
    for (int32_t direction = 0; direction < 256; direction += 16)
      for (const double speed : {1.5, 2.5, 3.5}) tryPutt(direction, speed);
  return best;
}

LaunchSettings RandomSettings(Pcg32& random) {
  LaunchSettings s;
  s.players = random.RandomBelow(4);
  s.course = random.RandomBelow(2);
  s.training = random.RandomBelow(10) == 0;
  s.startplayer = random.RandomBelow(3);
  s.nextplayer = random.RandomBelow(2);
  s.whencollide = random.RandomBelow(2);
  s.scoring = random.RandomBelow(2);
  s.strokelimit = random.RandomBelow(4);
  s.plus1 = random.RandomBelow(2) == 1;
  s.minus1 = random.RandomBelow(2) == 1;
  for (size_t i = 0; i < 4; ++i) s.pull[i] = random.RandomBelow(3) != 0;
  s.soundon = random.RandomBelow(4) != 0;
  s.soundoff = !s.soundon;
  s.bgsounds = random.RandomBelow(2) == 1;
  s.screen640 = true;
  return s;
}

std::string CheckScoreCard(const GameSession& s) {
  if (!s.gameOver) return "the game is not over";
  if (s.holeNumber != kHoleCount + 1) return "hole number " + std::to_string(s.holeNumber);
  const int32_t count = Players(s);
  for (int32_t h = 1; h <= kHoleCount; ++h) {
    int32_t best = 1 << 30;
    for (int32_t p = 1; p <= count; ++p) best = std::min(best, s.players[p].holeScores[h]);
    if (best < 0) return "a negative score on hole " + std::to_string(h);
  }
  for (int32_t p = 1; p <= count; ++p) {
    const playerrec& b = s.players[p];
    int32_t sum = 0, won = 0;
    for (int32_t h = 1; h <= kHoleCount; ++h) {
      sum += b.holeScores[h];
      int32_t best = 1 << 30;
      for (int32_t q = 1; q <= count; ++q) best = std::min(best, s.players[q].holeScores[h]);
      if (b.holeScores[h] == best) ++won;
    }
    const std::string who = "player " + std::to_string(p) + ": ";
    if (sum != b.totalStrokes)
      return who + "hole scores add up to " + std::to_string(sum) + ", total " +
             std::to_string(b.totalStrokes);
    if (won != b.holesWon)
      return who + "won " + std::to_string(won) + " holes, card says " + std::to_string(b.holesWon);
    if (b.toPar != b.totalStrokes - s.totalPar) return who + "toPar does not match";
  }
  return "";
}

namespace {

// One frame that runs: with a slower frame timer (F5) some idle passes run
// none, and a gesture must see its frame before the next step.
void RunFrame(HeadlessPlay& play, uint32_t frameMs) {
  for (int pass = 0; pass < 16 && !play.Frame(frameMs); ++pass) {
  }
}

// The final score card: the scores, what is wrong with it, and a key that
// leaves the game.
void LeaveFinishedGame(HeadlessPlay& play, BotGame& result) {
  result.scores = Scores(play.session());
  result.problem = CheckScoreCard(play.session());
  play.Key(vk::kSpace);  // any key leaves the finished game
  result.finished = play.main().Closed();
}

// Balls still rolling after `limit` frames are stuck: the problem, or "".
std::string StuckBalls(const GameSession& s, int32_t& rolling, int32_t limit) {
  rolling = s.ballsMoving ? rolling + 1 : 0;
  if (rolling <= limit) return "";
  return "a ball still rolls after " + std::to_string(rolling) + " frames";
}

// "ball P at (X, Y)", course pixels.
std::string BallAt(const GameSession& s, int32_t p) {
  const playerrec& b = s.players[p];
  return "ball " + std::to_string(p) + " at (" + std::to_string(Nearest(b.x)) + ", " +
         std::to_string(Nearest(b.y)) + ")";
}

// Where each ball of the game lies, for a game that did not end.
std::string BallsAt(const GameSession& s) {
  std::string where;
  for (int32_t p = 1; p <= Players(s); ++p) {
    const playerrec& b = s.players[p];
    where += "; " + BallAt(s, p) + (b.inCup ? " in the cup" : "") + ", " +
             std::to_string(b.strokes) + " strokes";
  }
  return where;
}

std::string Hung(const GameSession& s, int32_t maxFrames) {
  return "the game did not end in " + std::to_string(maxFrames) + " frames (" + s.holeName +
         BallsAt(s) + ")";
}

class Bot {
 public:
  Bot(const LaunchSettings& settings, const std::filesystem::path& dataDir, uint64_t gameSeed,
      const BotOptions& options)
      : options_(options),
        play_(settings, dataDir, gameSeed, options.recorder),
        training_(settings.training),
        random_(options.seed, 7) {}

  BotGame Play() {
    play_.Start();
    TMain& main = play_.main();
    int32_t rolling = 0;
    while (!main.Closed()) {
      if (result_.frames >= options_.maxFrames) {
        result_.problem = Hung(s(), options_.maxFrames);
        break;
      }
      if (s().gameOver) {
        LeaveFinishedGame(play_, result_);
        break;
      }
      if (ShowsCard(s().gameState)) {
        play_.Key(vk::kSpace);
        continue;
      }
      result_.problem = StuckBalls(s(), rolling, options_.maxRollFrames);
      if (!result_.problem.empty()) break;
      if (ReadyToPutt() && OutOfReach()) {
        LeaveUnfinished();
        break;
      }
      if (ReadyToPutt()) {
        if (random_.RandomBelow(1000) < options_.extraKeyChance * 1000) ExtraCommand();
        if (s().gameState == GameState::kPlay && ReadyToPutt()) Putt();
        continue;
      }
      Frame();
    }
    return result_;
  }

 private:
  GameSession& s() { return play_.session(); }

  bool ReadyToPutt() {
    const playerrec& b = s().players[s().currentPlayer];
    return s().gameState == GameState::kPlay && !s().ballsMoving && s().shotPhase == 0 &&
           b.inPlay && !b.inCup && !b.moving && !s().quitAsked;
  }

  void Frame() {
    RunFrame(play_, options_.frameMs);
    ++result_.frames;
  }

  void Putt() {
    const int32_t p = s().currentPlayer;
    if (!s().players[p].pullPutt) play_.Key(kKeyF8);  // the bot putts the pull way
    PlannedPutt putt = ChoosePutt(s(), Way());
    const int32_t n = options_.directionNoise;
    const int32_t direction = putt.direction + random_.RandomBelow(2 * n + 1) - n;
    const double wobble = (random_.RandomBelow(2001) - 1000) / 1000.0 * options_.speedNoise;
    putt = PullDrag(direction, putt.speed * (1 + wobble));

    const playerrec& b = s().players[p];
    play_.MoveTo(Nearest(b.x) - s().scrollX, Nearest(b.y) - s().scrollY);
    play_.main().DXDrawMouseDown(MouseButton::kLeft);
    if (s().shotPhase != 1) {  // the press did not take: let the frames run on
      play_.main().DXDrawClick();
      play_.main().DXDrawMouseUp(MouseButton::kLeft);
      Frame();
      return;
    }
    Frame();
    play_.MoveTo(s().anchorX + putt.dragX, s().anchorY + putt.dragY);
    Frame();
    play_.LeftUp();
    ++result_.putts;
    for (int32_t i = 0; i < 200 && s().shotPhase != 0 && !play_.main().Closed(); ++i) Frame();
  }

  // The distance map of the hole, once the current player's ball has been
  // putted kStuckStrokes times on it; else none.
  const DistanceMap* Way() {
    const playerrec& b = s().players[s().currentPlayer];
    if (b.strokes < kStuckStrokes) return nullptr;
    if (wayHole_ != s().holeName) {
      way_.BuildAll(s(), Nearest(b.x), Nearest(b.y));
      wayHole_ = s().holeName;
    }
    return &way_;
  }

  // In training, a ball the hole's way round the walls does not reach (one
  // knocked through a wall by another ball): nothing ends its hole.
  bool OutOfReach() {
    const playerrec& b = s().players[s().currentPlayer];
    if (!training_ || b.strokes < kGiveUpStrokes) return false;
    const DistanceMap* way = Way();
    return way != nullptr && !std::isfinite(way->At(b.x, b.y));
  }

  // Leaves the game as a player would: Esc, then Enter to confirm.
  void LeaveUnfinished() {
    result_.left =
        BallAt(s(), s().currentPlayer) + " out of reach on " + s().holeName + ": left the game";
    play_.Key(vk::kEscape);
    Frame();
    play_.main().FormKeyDown(vk::kReturn);
    result_.finished = play_.main().Closed();
    if (!result_.finished) result_.problem = "Esc and Enter did not leave the game";
  }

  // One of the other commands, undone again, so that long runs press them all.
  void ExtraCommand() {
    TMain& main = play_.main();
    switch (random_.RandomBelow(12)) {
      case 0:
        play_.Key(kKeyF5);
        break;
      case 1:
        play_.Key(vk::kSpace);
        break;
      case 2:
        play_.Key(vk::kEnd);  // the score card; closed by the next pass
        break;
      case 3:
        play_.Key(vk::kF1);
        break;
      case 4:
        play_.Key(vk::kPrior);
        break;
      case 5:
        main.FormKeyDown(vk::kReturn);
        Frame();
        main.FormKeyUp(vk::kReturn);
        break;
      case 6:
        play_.Key(kKeyF4);
        Frame();
        play_.Key(kKeyF4);
        break;
      case 7:
        play_.Key(kKeyF3);
        play_.Key(kKeyF3);
        break;
      case 8:
        play_.Key(vk::kHome);
        break;
      case 9:
        play_.MoveTo(150, 10);
        main.DXDrawDblClick();
        break;
      case 10:
        play_.MoveTo(25, 85);  // button 1: the ticker once more
        play_.LeftClick();
        break;
      default:
        play_.Key(vk::kEscape);  // asked, then withdrawn by the next key
        Frame();
        play_.Key(vk::kHome);
        break;
    }
  }

  BotOptions options_;
  HeadlessPlay play_;
  bool training_;
  Pcg32 random_;
  BotGame result_;
  DistanceMap way_;
  std::string wayHole_;
};

}  // namespace

BotGame PlayBotGame(const LaunchSettings& settings, const std::filesystem::path& dataDir,
                    uint64_t gameSeed, const BotOptions& options) {
  Bot bot(settings, dataDir, gameSeed, options);
  return bot.Play();
}

BotGame PlayComputerGame(const LaunchSettings& settings, const std::filesystem::path& dataDir,
                         uint64_t gameSeed, const BotOptions& options) {
  ComputerPlayers computers(settings, gameSeed);
  HeadlessPlay play(settings, dataDir, gameSeed, options.recorder, &computers);
  BotGame result;
  play.Start();
  int32_t rolling = 0;
  while (!play.main().Closed()) {
    if (play.session().gameOver) {
      LeaveFinishedGame(play, result);
      break;
    }
    if (result.frames >= options.maxFrames) {
      result.problem = Hung(play.session(), options.maxFrames);
      break;
    }
    result.problem = StuckBalls(play.session(), rolling, options.maxRollFrames);
    if (!result.problem.empty()) break;
    RunFrame(play, options.frameMs);
    ++result.frames;
  }
  return result;
}

}  // namespace quendrix
