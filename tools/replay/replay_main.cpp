// quendrix-replay: plays recorded games headless and compares each with what
// was recorded: the state checksum every 60 frames and the final scores.
//
//   quendrix-replay FILE... [--data DIR | --practice]
//
// --practice plays on the made-up practice holes (as quendrix-bot
// --practice records them). Exit status 1 when a game plays differently.
#include <cstdio>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

#include "bot/practice_course.h"
#include "core/program_folder.h"
#include "game/replay.h"

namespace {

using namespace quendrix;

}  // namespace

int main(int argc, char** argv) {
  std::filesystem::path data = ExecutableFolder(argv[0]);
  bool practice = false;
  std::vector<std::filesystem::path> files;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--practice") {
      practice = true;
    } else if (a == "--data" && i + 1 < argc) {
      data = argv[++i];
    } else {
      files.emplace_back(a);
    }
  }
  if (files.empty()) {
    std::fprintf(stderr, "usage: quendrix-replay FILE... [--data DIR | --practice]\n");
    return 2;
  }
  std::filesystem::path practiceDir;
  if (practice) {
    practiceDir = std::filesystem::temp_directory_path() /
                  ("quendrix-practice-" + std::to_string(std::random_device{}()));
    WritePracticeData(practiceDir, data);
    data = practiceDir;
  }
  int differ = 0;
  for (const auto& file : files) {
    try {
      const Replay replay = ReadReplayFile(file);
      const PlaybackResult result = PlayBack(replay, data);
      std::string why;
      for (size_t i = 0; i < replay.checkpoints.size() && why.empty(); ++i) {
        if (i >= result.checkpoints.size() || result.checkpoints[i] != replay.checkpoints[i])
          why = "state differs at frame " + std::to_string(replay.checkpoints[i].frame);
      }
      if (why.empty() && replay.ended && result.scores != replay.scores) why = "scores differ";
      if (why.empty() && replay.ended && !result.left) why = "the game was not left";
      std::printf("%s: %d frames%s%s\n", file.string().c_str(), result.frames,
                  why.empty() ? ", same game" : ": ", why.c_str());
      if (!why.empty()) ++differ;
    } catch (const std::exception& e) {
      std::printf("%s: %s\n", file.string().c_str(), e.what());
      ++differ;
    }
  }
  if (!practiceDir.empty()) {
    std::error_code error;
    std::filesystem::remove_all(practiceDir, error);
  }
  return differ == 0 ? 0 : 1;
}
