// Recorded games: a replay file is read (a clear error or a replay), what
// was read is written and read again to the same text, and then the first
// frames are played back headless on the practice holes, with whatever
// settings, inputs and tick rates the file holds.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

#include "bot/practice_course.h"
#include "fuzz_support.h"
#include "game/replay.h"

namespace {

using namespace quendrix;

// Start-up loads the interface lists and the first hole (about 0.4 s of CPU
// in this instrumented build), and a frame at 640 x 480 takes some 20 ms.
constexpr int kDeadlineMs = 3000;
constexpr size_t kMaxFrames = 60;
constexpr size_t kMaxInputsPerFrame = 64;

const std::filesystem::path& PracticeFolder() {
  static const std::filesystem::path folder = [] {
    const std::filesystem::path dir = fuzz::ScratchFolder() / "practice";
    WritePracticeData(dir, fuzz::DataFolder());
    return dir;
  }();
  return folder;
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  PracticeFolder();
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputDeadline deadline(kDeadlineMs);
  Replay replay;
  try {
    replay = ParseReplay(std::string_view(reinterpret_cast<const char*>(data), size));
  } catch (const ReplayError&) {
    return 0;
  }
  const std::string text = FormatReplay(replay);
  try {
    if (FormatReplay(ParseReplay(text)) != text)
      fuzz::Finding("a replay reads differently once written");
  } catch (const ReplayError&) {
    fuzz::Finding("a replay as written does not read");
  }

  // A bounded piece of the game: the first frames, each with a bounded
  // number of inputs.
  if (replay.frames.size() > kMaxFrames) {
    replay.frames.resize(kMaxFrames);
    replay.trailingInputs.clear();
  }
  for (ReplayFrame& frame : replay.frames)
    if (frame.inputs.size() > kMaxInputsPerFrame) frame.inputs.resize(kMaxInputsPerFrame);
  if (replay.trailingInputs.size() > kMaxInputsPerFrame)
    replay.trailingInputs.resize(kMaxInputsPerFrame);
  PlayBack(replay, PracticeFolder());
  return 0;
}
