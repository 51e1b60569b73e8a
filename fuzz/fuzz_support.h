// What every harness shares: a scratch folder for the files it hands to the
// loaders (the game reads files, so the harnesses do too), the data folder,
// and a CPU-time budget per input so runaway work is a finding, not a
// silent slowdown.
#pragma once

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string_view>

namespace quendrix::fuzz {

// A folder of this process alone, on /dev/shm when there is one; removed
// when the process ends normally.
const std::filesystem::path& ScratchFolder();

// Writes `size` bytes to ScratchFolder()/name, replacing the file.
std::filesystem::path WriteScratchFile(std::string_view name, const uint8_t* data, size_t size);

// The generated game data: $QUENDRIX_FUZZ_DATA, else the folder of the
// running harness (the build's bin folder, where the generator writes it).
std::filesystem::path DataFolder();

// Reports a broken promise of the code under test ("ERROR: what", as the
// sanitizers report theirs) and aborts, so libFuzzer saves the input.
[[noreturn]] void Finding(const char* what);

// While alive, the process may spend `milliseconds` of CPU time on the
// input (CPU, not wall time: a loaded machine must not make findings). Past
// that it prints why and aborts, which libFuzzer reports as a crash and
// saves the input for. $QUENDRIX_FUZZ_DEADLINE_MS overrides the budget; 0
// turns it off.
class InputDeadline {
 public:
  explicit InputDeadline(int milliseconds);
  ~InputDeadline();
  InputDeadline(const InputDeadline&) = delete;
  InputDeadline& operator=(const InputDeadline&) = delete;
};

}  // namespace quendrix::fuzz
