// The computer players on the headless play screen, on small made-up holes:
// they putt through the shot control with recorded pointer and button
// inputs, the same seed plays the same game, the search keeps to its budget
// a frame, the stroke limit ends their holes, and the person at the machine
// cannot aim for them.
#include "computer/computer_player.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <algorithm>
#include <fstream>
#include <functional>
#include <memory>
#include <sstream>
#include <string>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/game_state.h"
#include "game/headless_play.h"
#include "game/play_commands.h"
#include "game/replay.h"
#include "game/scoring.h"
#include "play_data.h"

namespace quendrix {
namespace {

// A flat box 600 x 300 with the tee on the left and the cup 300 px to its
// right; `inside` adds areas from number 6 on.
std::string Box(const std::string& inside = "") {
  return R"([ball]
x=200
y=300
[course]
par=2
[area1]
kind=4
x1=100
y1=150
x2=700
y2=150
enabled=1
[area2]
kind=4
x1=100
y1=450
x2=700
y2=450
enabled=1
[area3]
kind=2
x1=100
y1=150
x2=100
y2=450
enabled=1
[area4]
kind=2
x1=700
y1=150
x2=700
y2=450
enabled=1
[area5]
kind=5
x1=500
y1=300
r=10
x2=488
y2=294
enabled=1
comment=course1hole2
)" + inside;
}

// Walls all round the cup: no putt can drop.
const std::string kWalledCup = R"([area6]
kind=4
x1=470
y1=270
x2=530
y2=270
enabled=1
[area7]
kind=4
x1=470
y1=330
x2=530
y2=330
enabled=1
[area8]
kind=2
x1=470
y1=270
x2=470
y2=330
enabled=1
[area9]
kind=2
x1=530
y1=270
x2=530
y2=330
enabled=1
)";

// A game on the box (both holes of it), the computer players plugged in as
// the program plugs them, optionally recorded.
class ComputerGame {
 public:
  ComputerGame(const LaunchSettings& settings, uint64_t seed, const std::string& hole,
               const std::filesystem::path& record = {})
      : computers(settings, seed) {
    playdata::WriteInterfaceData(data.path());
    playdata::WriteHole(data.path(), "course1hole1", hole, playdata::HoleArt{800, 600, {}});
    playdata::WriteHole(data.path(), "course1hole2", hole, playdata::HoleArt{800, 600, {}});
    if (!record.empty()) recorder = std::make_unique<ReplayRecorder>(record, seed, settings);
    play = std::make_unique<HeadlessPlay>(settings, data.path(), seed, recorder.get(), &computers);
    play->Start();
  }

  GameSession& s() { return play->session(); }

  // Frames until `done` holds; false when `limit` frames did not do it.
  bool RunUntil(const std::function<bool()>& done, int32_t limit, uint32_t ms = 16) {
    for (int32_t f = 0; f < limit; ++f) {
      if (done()) return true;
      play->Frame(ms);
      frameHook();
    }
    return done();
  }
  bool HoleOneScored() { return s().players[1].holeScores[1] != 0; }

  playdata::DataDir data;
  ComputerPlayers computers;
  std::unique_ptr<ReplayRecorder> recorder;
  std::unique_ptr<HeadlessPlay> play;
  std::function<void()> frameHook = [] {};
};

LaunchSettings Computers(std::array<int32_t, 4> levels, int32_t players = 1) {
  LaunchSettings s;
  s.players = players - 1;
  s.computer = levels;
  return s;
}

std::filesystem::path TempFile(const std::string& name) {
  return std::filesystem::temp_directory_path() /
         ("quendrix-" + name + "-" + std::to_string(::getpid()) + ".replay");
}

std::string ReadAll(const std::filesystem::path& file) {
  std::ifstream in(file, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

class MasterPutt : public ::testing::TestWithParam<bool> {};

// The master drops a putt that has a straight line in one stroke, pulling
// and pushing; its gesture is in the replay as pointer and button inputs,
// and the replay, played back with no computer at all, goes the same way.
TEST_P(MasterPutt, HolesAOnePuttHoleThroughRecordedInputs) {
  const bool pull = GetParam();
  LaunchSettings settings = Computers({3, 0, 0, 0});
  settings.pull[0] = pull;
  const std::filesystem::path file = TempFile(pull ? "master-pull" : "master-push");
  ComputerGame game(settings, 11, Box(), file);
  ASSERT_TRUE(game.RunUntil([&] { return game.HoleOneScored(); }, 4000));
  EXPECT_EQ(game.s().players[1].holeScores[1], 1);

  const Replay replay = ReadReplayFile(file);
  std::filesystem::remove(file);
  int32_t presses = 0, releases = 0, moves = 0;
  for (const ReplayFrame& frame : replay.frames)
    for (const InputEvent& e : frame.inputs) {
      presses += e.kind == InputKind::kDown && e.a == 0;
      releases += e.kind == InputKind::kUp && e.a == 0;
      moves += e.kind == InputKind::kMove;
    }
  // Pull: one press and release; push: three clicks.
  EXPECT_EQ(presses, pull ? 1 : 3);
  EXPECT_EQ(releases, presses);
  EXPECT_GT(moves, 10);
  const PlaybackResult back = PlayBack(replay, game.data.path());
  EXPECT_EQ(back.checkpoints, replay.checkpoints);
  EXPECT_EQ(back.finalChecksum, StateChecksum(game.s()));
}

INSTANTIATE_TEST_SUITE_P(Styles, MasterPutt, ::testing::Values(true, false),
                         [](const ::testing::TestParamInfo<bool>& p) {
                           return p.param ? "Pull" : "Push";
                         });

// A cup no putt can reach: the computer putts on until the stroke limit
// holes its ball with the limit's count, as a person's.
TEST(ComputerRules, TheStrokeLimitEndsAComputersHole) {
  LaunchSettings settings = Computers({1, 0, 0, 0});
  settings.strokelimit = 3;  // 6 strokes
  ComputerGame game(settings, 5, Box(kWalledCup));
  ASSERT_TRUE(game.RunUntil([&] { return game.HoleOneScored(); }, 12000, 66));
  EXPECT_EQ(game.s().players[1].holeScores[1], 6);
  EXPECT_EQ(game.s().bannerText, kBannerStrokeLimit);
}

// Two games of the same seed play the same, frame by frame, and a game of
// another seed does not (its players think and err otherwise).
TEST(ComputerRules, TheSameSeedPlaysTheSameGame) {
  const LaunchSettings settings = Computers({1, 2, 0, 0}, 2);
  std::string text[3];
  for (int run = 0; run < 3; ++run) {
    const std::filesystem::path file = TempFile("same-seed-" + std::to_string(run));
    {
      ComputerGame game(settings, run < 2 ? 21 : 22, Box(), file);
      // Both have putted, and the ball of the second has come to rest.
      game.RunUntil([&] { return game.s().players[2].strokes > 0 && !game.s().ballsMoving; }, 3000);
    }
    text[run] = ReadAll(file);
    std::filesystem::remove(file);
  }
  // Past the settings, everything the computers did.
  EXPECT_NE(text[0].find("\nd 0\n"), std::string::npos);
  EXPECT_EQ(text[0], text[1]);
  EXPECT_NE(text[0].substr(text[0].find("settings-end")),
            text[2].substr(text[2].find("settings-end")));
}

// Each frame of a master's decision plays at most its slice of putts or of
// the distance map's work, never both; the decision takes many frames.
TEST(ComputerSearch, KeepsToItsBudgetEveryFrame) {
  ComputerGame game(Computers({3, 0, 0, 0}), 3, Box(kWalledCup));
  int64_t mostPutts = 0, mostWork = 0, framesSearching = 0, framesWithBoth = 0;
  game.frameHook = [&] {
    const int64_t putts = game.computers.PuttsLastFrame(), work = game.computers.MapWorkLastFrame();
    mostPutts = std::max(mostPutts, putts);
    mostWork = std::max(mostWork, work);
    framesSearching += putts > 0;
    framesWithBoth += putts > 0 && work > 0;
  };
  ASSERT_TRUE(game.RunUntil([&] { return game.s().shotPhase != 0; }, 3000));
  EXPECT_EQ(mostPutts, kPuttsPerFrame);
  EXPECT_EQ(mostWork, kMapWorkPerFrame);
  EXPECT_EQ(framesWithBoth, 0);
  EXPECT_GT(framesSearching, 20);
  EXPECT_GE(game.computers.FramesToDecide(), framesSearching);
}

// A person and a master: the title card waits for the person's key; in the
// master's turn the machine's pointer and buttons do not reach the game,
// nor the replay, while the keys still do; the master putts all the same.
TEST(ComputerRules, ThePersonsPointerStaysOutOfAComputersTurn) {
  const std::filesystem::path file = TempFile("person");
  ComputerGame game(Computers({0, 3, 0, 0}, 2), 8, Box(), file);
  HeadlessPlay& play = *game.play;
  play.Frames(400);
  ASSERT_EQ(game.s().gameState, GameState::kTitleCard);
  play.Key(vk::kSpace);
  ASSERT_EQ(game.s().currentPlayer, 1);
  // The person's pull putt, well short of the cup.
  play.Frames(60);
  const playerrec& mine = game.s().players[1];
  play.MoveTo(Nearest(mine.x) - game.s().scrollX, Nearest(mine.y) - game.s().scrollY);
  play.LeftDown();
  play.Frame();
  play.MoveTo(game.s().anchorX - 40, game.s().anchorY);
  play.Frame();
  play.LeftUp();
  ASSERT_TRUE(
      game.RunUntil([&] { return game.s().currentPlayer == 2 && !game.s().ballsMoving; }, 2000));
  play.Frames(5);
  const int32_t x = game.s().pointerX, y = game.s().pointerY;
  const playerrec& its = game.s().players[2];
  play.MoveTo(Nearest(its.x) - game.s().scrollX, Nearest(its.y) - game.s().scrollY);
  play.LeftDown();
  play.MoveTo(game.s().anchorX + 60, game.s().anchorY);
  play.LeftUp();
  EXPECT_EQ(game.s().pointerX, x);
  EXPECT_EQ(game.s().pointerY, y);
  EXPECT_EQ(game.s().shotPhase, 0);
  // The keys work: F4, and F1 for the help, which a click closes (the press
  // starting no aim for the master's ball, where the pointer stands).
  const bool sound = game.s().soundOn;
  play.Key(kKeyF4);
  EXPECT_NE(game.s().soundOn, sound);
  play.Key(vk::kF1);
  ASSERT_EQ(game.s().gameState, GameState::kPuttHelp);
  game.s().pointerX = Nearest(its.x) - game.s().scrollX;
  game.s().pointerY = Nearest(its.y) - game.s().scrollY;
  play.LeftClick();
  EXPECT_EQ(game.s().gameState, GameState::kPlay);
  EXPECT_EQ(game.s().shotPhase, 0);
  play.Frame();  // the recording is flushed with each frame
  const std::string text = ReadAll(file);
  EXPECT_EQ(text.find("\nm " + std::to_string(game.s().anchorX + 60) + " "), std::string::npos);
  EXPECT_TRUE(game.RunUntil([&] { return game.s().players[2].strokes == 1; }, 2000));
  game.play.reset();
  std::filesystem::remove(file);
}

}  // namespace
}  // namespace quendrix
