// quendrix-bot: plays whole games headless and checks every score card.
//
//   quendrix-bot [--data DIR | --practice] [--games N] [--seed S]
//                [--record DIR] [--frame-ms MS]
//   quendrix-bot --computer LEVEL [--course 1|2|training] [--games N] [--seed S]
//                [--data DIR | --practice] [--record DIR] [--frame-ms MS]
//   quendrix-bot --write-practice DIR [--data DIR]
//
// --computer plays games of one computer player of LEVEL (beginner, club or
// master; 1, 2 or 3) through the real frame loop, and prints each game's
// strokes per hole and total and, as the last line, "mean M": the mean
// strokes for the nine holes over the games, one decimal.
// --practice plays the made-up practice holes (written to a temporary
// folder beside the interface lists of the data folder) instead of the real
// ones. --record writes each game as a replay into DIR. Each game's settings
// are drawn from the seed. Exit status 1 when a game hangs, a ball gets
// stuck or a score card does not add up. --write-practice only writes the
// practice data set (holes and interface lists) into DIR, where a copy of
// the game can play it.
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <random>
#include <string>

#include "bot/practice_course.h"
#include "computer/bot.h"
#include "computer/computer_player.h"
#include "core/program_folder.h"

namespace {

using namespace quendrix;

[[noreturn]] void Usage() {
  std::fprintf(
      stderr,
      "usage: quendrix-bot [--data DIR | --practice] [--games N] [--seed S]\n"
      "                    [--record DIR] [--frame-ms MS]\n"
      "       quendrix-bot --computer LEVEL [--course 1|2|training] [--games N] [--seed S]\n"
      "                    [--data DIR | --practice] [--record DIR] [--frame-ms MS]\n"
      "       quendrix-bot --write-practice DIR [--data DIR]\n");
  std::exit(2);
}

// The recorder of game `g` of the run with `seed` into `dir`
// ("PREFIX-SEED-G.replay"), or none when no folder was given.
std::unique_ptr<ReplayRecorder> Recorder(const std::filesystem::path& dir, const char* prefix,
                                         uint64_t seed, int g, uint64_t gameSeed,
                                         const LaunchSettings& settings) {
  if (dir.empty()) return nullptr;
  return std::make_unique<ReplayRecorder>(dir / (std::string(prefix) + "-" + std::to_string(seed) +
                                                 "-" + std::to_string(g) + ".replay"),
                                          gameSeed, settings);
}

// Plays games 1 ... `games`: `play` plays game g and prints its line up to
// the problem, which is added here. Returns how many went wrong (a problem,
// a game not left, or an error).
int PlayEach(int games, const std::function<BotGame(int g)>& play) {
  int failures = 0;
  for (int g = 1; g <= games; ++g) {
    try {
      const BotGame game = play(g);
      std::printf("%s%s%s%s\n", game.left.empty() ? "" : "; ", game.left.c_str(),
                  game.problem.empty() ? "" : ": ", game.problem.c_str());
      if (!game.problem.empty() || !game.finished) ++failures;
    } catch (const std::exception& e) {
      std::printf("game %d: %s\n", g, e.what());
      ++failures;
    }
    std::fflush(stdout);
  }
  return failures;
}

// "beginner", "club", "master" or 1 ... 3; kHuman for anything else.
ComputerLevel ParseLevel(const std::string& text) {
  for (int32_t n = 1; n <= 3; ++n) {
    const ComputerLevel level = ComputerLevelOf(n);
    if (text == ComputerLevelName(level) || text == std::to_string(n)) return level;
  }
  return ComputerLevel::kHuman;
}

// Games of one computer player: strokes per hole, total, and the mean.
int PlayComputerGames(ComputerLevel level, const std::string& course,
                      const std::filesystem::path& data, int games, uint64_t seed, uint32_t frameMs,
                      const std::filesystem::path& recordDir) {
  LaunchSettings settings;
  settings.computer[0] = static_cast<int32_t>(level);
  settings.training = course == "training";
  settings.course = course == "2" ? 1 : 0;
  Pcg32 random(seed, 11);
  int64_t strokes = 0;
  const int failures = PlayEach(games, [&](int g) {
    const uint64_t gameSeed = random.Next32();
    BotOptions options;
    options.frameMs = frameMs;
    const auto recorder = Recorder(recordDir, "computer", seed, g, gameSeed, settings);
    options.recorder = recorder.get();
    const BotGame game = PlayComputerGame(settings, data, gameSeed, options);
    std::printf("game %d:", g);
    if (!game.scores.empty()) {
      for (const int32_t h : game.scores[0].holeScores) std::printf(" %d", h);
      std::printf(", total %d", game.scores[0].totalStrokes);
      strokes += game.scores[0].totalStrokes;
    }
    return game;
  });
  if (failures > 0) std::printf("%d of %d games went wrong\n", failures, games);
  std::printf("mean %.1f\n", static_cast<double>(strokes) / games);
  return failures == 0 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path data = ExecutableFolder(argv[0]);
  bool practice = false;
  int games = 1;
  uint64_t seed = 1;
  uint32_t frameMs = 16;
  std::filesystem::path recordDir, writePractice;
  std::string computer, course = "1";
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    const bool hasValue = i + 1 < argc;
    if (a == "--computer" && hasValue) {
      computer = argv[++i];
    } else if (a == "--course" && hasValue) {
      course = argv[++i];
    } else if (a == "--practice") {
      practice = true;
    } else if (a == "--write-practice" && hasValue) {
      writePractice = argv[++i];
    } else if (a == "--data" && hasValue) {
      data = argv[++i];
    } else if (a == "--games" && hasValue) {
      games = std::atoi(argv[++i]);
    } else if (a == "--seed" && hasValue) {
      seed = std::strtoull(argv[++i], nullptr, 10);
    } else if (a == "--record" && hasValue) {
      recordDir = argv[++i];
    } else if (a == "--frame-ms" && hasValue) {
      frameMs = static_cast<uint32_t>(std::atoi(argv[++i]));
    } else {
      Usage();
    }
  }
  if (games < 1 || frameMs < 1) Usage();
  const ComputerLevel level = ParseLevel(computer);
  if ((!computer.empty() && level == ComputerLevel::kHuman) ||
      (course != "1" && course != "2" && course != "training"))
    Usage();
  if (!writePractice.empty()) {
    try {
      WritePracticeData(writePractice, data);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quendrix-bot: %s\n", e.what());
      return 1;
    }
    return 0;
  }

  // The practice data set goes again when the run ends, however it ends.
  struct Removed {
    std::filesystem::path folder;
    ~Removed() {
      std::error_code error;
      if (!folder.empty()) std::filesystem::remove_all(folder, error);
    }
  } practiceData;
  std::filesystem::path& practiceDir = practiceData.folder;
  if (practice) {
    practiceDir = std::filesystem::temp_directory_path() /
                  ("quendrix-practice-" + std::to_string(std::random_device{}()));
    try {
      WritePracticeData(practiceDir, data);
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quendrix-bot: %s\n", e.what());
      return 1;
    }
    data = practiceDir;
  }

  if (!computer.empty()) {
    return PlayComputerGames(level, course, data, games, seed, frameMs, recordDir);
  }

  Pcg32 random(seed, 11);
  const int failures = PlayEach(games, [&](int g) {
    const LaunchSettings settings = RandomSettings(random);
    const uint64_t gameSeed = random.Next32();
    BotOptions options;
    options.seed = random.Next32();
    options.frameMs = frameMs;
    const auto recorder = Recorder(recordDir, "bot", seed, g, gameSeed, settings);
    options.recorder = recorder.get();
    const BotGame game = PlayBotGame(settings, data, gameSeed, options);
    std::printf("game %d: %d players, %s, frames %d, putts %d, scores", g, settings.PlayerCount(),
                settings.training      ? "training"
                : settings.course == 0 ? "course 1"
                                       : "course 2",
                game.frames, game.putts);
    for (const PlayerScore& s : game.scores) std::printf(" %d", s.totalStrokes);
    return game;
  });
  std::printf("%d of %d games went wrong\n", failures, games);
  return failures == 0 ? 0 : 1;
}
