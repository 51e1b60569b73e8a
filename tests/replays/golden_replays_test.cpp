// Recorded games played back headless: every 60 frames the state checksum
// and at the end the scores must be what they were when the game was
// recorded. A change that alters how the game plays shows up here.
//
// The games were played by the bot on the practice holes. After a change
// that is meant to alter play, record them again with
//   QUENDRIX_RECORD_GOLDENS=1 build/check/bin/test_replays --gtest_filter='Golden*'
// (from the build folder) and look at what changed before committing.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "computer/bot.h"
#include "game/replay.h"
#include "replay_support.h"

namespace quendrix {
namespace {

struct GoldenGame {
  const char* name;
  uint64_t seed;
  uint32_t frameMs;
  void (*rules)(LaunchSettings&);
};

// Every player count, both courses and training, every rule setting used.
const GoldenGame kGoldenGames[] = {
    {"solo_course1", 11, 16, [](LaunchSettings& s) { s.players = 0; }},
    {"pair_course2_farthest_collide", 12, 33,
     [](LaunchSettings& s) {
       s.players = 1;
       s.course = 1;
       s.nextplayer = 1;
       s.whencollide = 1;
       s.plus1 = true;
     }},
    {"trio_course1_most_holes_first_in", 13, 66,
     [](LaunchSettings& s) {
       s.players = 2;
       s.scoring = 1;
       s.startplayer = 1;
       s.minus1 = true;
       s.strokelimit = 3;
     }},
    {"quartet_course2_by_lot", 14, 66,
     [](LaunchSettings& s) {
       s.players = 3;
       s.course = 1;
       s.startplayer = 2;
       s.whencollide = 1;
       s.plus1 = true;
       s.minus1 = true;
     }},
    {"training_solo", 15, 66,
     [](LaunchSettings& s) {
       s.players = 0;
       s.training = true;
     }},
    {"pair_course1_push_and_keys", 16, 16,
     [](LaunchSettings& s) {
       s.players = 1;
       s.pull[1] = false;
       s.soundon = false;
       s.soundoff = true;
     }},
    {"quartet_course1_limit_farthest", 17, 66,
     [](LaunchSettings& s) {
       s.players = 3;
       s.strokelimit = 3;
       s.nextplayer = 1;
       s.scoring = 1;
       s.whencollide = 1;
     }},
};

std::vector<std::string> GoldenFiles() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry : std::filesystem::directory_iterator(testing::GoldenFolder(), error))
    if (entry.path().extension() == ".replay") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

class GoldenReplay : public ::testing::TestWithParam<std::string> {};

TEST_P(GoldenReplay, PlaysBackTheSame) {
  const Replay replay = ReadReplayFile(testing::GoldenFolder() / (GetParam() + ".replay"));
  ASSERT_TRUE(replay.ended) << "a golden game is a whole game";
  const PlaybackResult result = PlayBack(replay, testing::PracticeData());
  ASSERT_EQ(result.checkpoints.size(), replay.checkpoints.size());
  for (size_t i = 0; i < replay.checkpoints.size(); ++i)
    ASSERT_EQ(result.checkpoints[i], replay.checkpoints[i])
        << "the game went another way by frame " << replay.checkpoints[i].frame;
  EXPECT_EQ(result.frames, replay.endFrames);
  EXPECT_EQ(result.scores, replay.scores);
  EXPECT_TRUE(result.left);
}

INSTANTIATE_TEST_SUITE_P(Recorded, GoldenReplay, ::testing::ValuesIn(GoldenFiles()));

TEST(GoldenReplays, CoverEveryPlayerCountBothCoursesAndTheRules) {
  if (std::getenv("QUENDRIX_RECORD_GOLDENS") != nullptr) {
    for (const GoldenGame& g : kGoldenGames) {
      LaunchSettings settings;
      g.rules(settings);
      const auto file = testing::GoldenFolder() / (std::string(g.name) + ".replay");
      ReplayRecorder recorder(file, g.seed, settings);
      BotOptions options;
      options.seed = g.seed;
      options.frameMs = g.frameMs;
      options.recorder = &recorder;
      if (std::string(g.name).find("keys") != std::string::npos) options.extraKeyChance = 0.6;
      const BotGame game = PlayBotGame(settings, testing::PracticeData(), g.seed, options);
      EXPECT_TRUE(game.finished) << g.name << ": " << game.problem;
    }
  }
  // What the recorded games hold between them.
  std::array<bool, 4> playerCounts{};
  std::array<bool, 3> courses{};  // course 1, course 2, training
  bool farthest = false, collide = false, mostHoles = false, limit = false, byLot = false;
  const auto files = GoldenFiles();
  EXPECT_GE(files.size(), 6u);
  for (const std::string& name : files) {
    const Replay r = ReadReplayFile(testing::GoldenFolder() / (name + ".replay"));
    playerCounts[static_cast<size_t>(r.settings.PlayerCount() - 1)] = true;
    courses[r.settings.training ? 2 : static_cast<size_t>(r.settings.course)] = true;
    farthest |= r.settings.nextplayer == 1;
    collide |= r.settings.whencollide == 1;
    mostHoles |= r.settings.scoring == 1;
    limit |= r.settings.strokelimit == 3;
    byLot |= r.settings.startplayer == 2;
  }
  for (const bool b : playerCounts) EXPECT_TRUE(b);
  for (const bool b : courses) EXPECT_TRUE(b);
  EXPECT_TRUE(farthest && collide && mostHoles && limit && byLot);
}

}  // namespace
}  // namespace quendrix
