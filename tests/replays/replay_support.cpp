#include "replay_support.h"

#include <random>

#include "bot/practice_course.h"

namespace quendrix::testing {

namespace {

struct Practice {
  Practice() {
    path = std::filesystem::temp_directory_path() /
           ("quendrix-practice-" + std::to_string(std::random_device{}()) + "-" +
            std::to_string(std::random_device{}()));
    // The tests run in the build folder; the generated lists are in bin/.
    WritePracticeData(path, "bin");
  }
  ~Practice() {
    std::error_code error;
    std::filesystem::remove_all(path, error);
  }
  std::filesystem::path path;
};

}  // namespace

const std::filesystem::path& PracticeData() {
  static Practice practice;
  return practice.path;
}

std::filesystem::path GoldenFolder() {
  return std::filesystem::path(QUENDRIX_SOURCE_DIR) / "tests" / "replays";
}

}  // namespace quendrix::testing
