// The bot plays whole games with random settings: no game may hang, no
// ball may stay stuck, every final score card must add up. A short run
// here; `make soak` plays a thousand.
#include <gtest/gtest.h>

#include <cstdlib>

#include "computer/bot.h"
#include "replay_support.h"

namespace quendrix {
namespace {

// Games per seed: QUENDRIX_SOAK_GAMES, else two (one in the much slower
// sanitizer build, which looks for memory faults rather than rare games).
int GamesPerSeed() {
  if (const char* games = std::getenv("QUENDRIX_SOAK_GAMES")) return std::atoi(games);
#ifdef __SANITIZE_ADDRESS__
  return 1;
#else
  return 2;
#endif
}

class Soak : public ::testing::TestWithParam<int> {};

TEST_P(Soak, RandomGamesEndWithConsistentScoreCards) {
  const int count = GamesPerSeed();
  Pcg32 random(static_cast<uint64_t>(GetParam()), 21);
  for (int g = 0; g < count; ++g) {
    const LaunchSettings settings = RandomSettings(random);
    BotOptions options;
    options.seed = random.Next32();
    options.frameMs = 66;
    options.directionNoise = 4;
    const BotGame game = PlayBotGame(settings, testing::PracticeData(), random.Next32(), options);
    EXPECT_TRUE(game.finished) << "game " << g << ": " << game.problem;
    EXPECT_EQ(game.problem, "") << "game " << g;
    EXPECT_EQ(static_cast<int32_t>(game.scores.size()), settings.PlayerCount());
  }
}

INSTANTIATE_TEST_SUITE_P(Seeds, Soak, ::testing::Values(1, 2, 3, 4));

}  // namespace
}  // namespace quendrix
