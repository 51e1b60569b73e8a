// The practice data the replay and bot tests play on: the made-up holes
// written once per test program beside copies of the generated interface
// lists.
#pragma once

#include <filesystem>

namespace quendrix::testing {

const std::filesystem::path& PracticeData();

// tests/replays in the source tree, where the recorded games live.
std::filesystem::path GoldenFolder();

}  // namespace quendrix::testing
