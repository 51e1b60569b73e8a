// Recorded games. A replay is the seed, the launch settings and, frame by
// frame, the inputs the play screen received before that frame (pointer
// moves, buttons, clicks, keys) and the tick rate the frame measured. Played
// back headless on the same data it gives the same frames.
//
// The file is a small versioned text, one record a line, written as the game
// goes and flushed after every frame, so a crash loses at most that frame:
//
//   quendrix-replay 1
//   seed 42
//   set players 1            ... every launch setting; texts as hex bytes
//   text player1 C8E3F0EEEA202031
//   language de              the language of a game not played in Russian
//   settings-end
//   m 320 240                pointer moved to (320, 240), screen pixels
//   d 0 / u 0                button down / up (0 left, 1 right, 2 middle)
//   c / b                    click / double click
//   k 13 / K 13              key down / key up (virtual-key code)
//   f 60                     one frame; the tick rate it measured
//   s 60 1f2e3d4c5b6a7988    state checksum after frame 60
//   score 1 31 2 3 4 ...     player, totalStrokes, holesWon, holeScores 1 ... 9
//   end 1234                 the game was left after this many frames
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "core/language.h"
#include "game/launch_settings.h"
#include "media/input.h"

namespace quendrix {

class GameSession;

inline constexpr int32_t kReplayVersion = 1;
// A checksum line follows every this many frames.
inline constexpr int32_t kChecksumEvery = 60;

// Values of this enum are the letters stored in files.
enum class InputKind : char {
  kMove = 'm',
  kDown = 'd',
  kUp = 'u',
  kClick = 'c',
  kDblClick = 'b',
  kKeyDown = 'k',
  kKeyUp = 'K',
};

struct InputEvent {
  InputKind kind = InputKind::kMove;
  int32_t a = 0;  // x, button or key
  int32_t b = 0;  // y
  bool operator==(const InputEvent&) const = default;
};

struct ReplayFrame {
  int32_t tickRate = 60;
  std::vector<InputEvent> inputs;  // received before the frame, in order
};

struct Checkpoint {
  int32_t frame = 0;  // frames run, counted from 1
  uint64_t checksum = 0;
  bool operator==(const Checkpoint&) const = default;
};

struct PlayerScore {
  int32_t player = 0;
  int32_t totalStrokes = 0;
  int32_t holesWon = 0;
  std::array<int32_t, 9> holeScores{};
  bool operator==(const PlayerScore&) const = default;
};

struct Replay {
  uint64_t seed = 0;
  LaunchSettings settings;
  // The texts posted in play (checksummed) are the language's.
  Language language = Language::kRussian;
  std::vector<ReplayFrame> frames;
  std::vector<InputEvent> trailingInputs;  // after the last frame (the key that left)
  std::vector<Checkpoint> checkpoints;
  std::vector<PlayerScore> scores;  // of a game that was left
  bool ended = false;
  int32_t endFrames = 0;
};

class ReplayError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Reads a replay; a malformed file throws ReplayError naming the line. A
// last line cut short (no line end) is dropped: it is what a crash leaves.
Replay ParseReplay(std::string_view text);
Replay ReadReplayFile(const std::filesystem::path& file);
// The whole replay as the recorder would have written it.
std::string FormatReplay(const Replay& replay);

// A checksum of what a frame leaves behind that matters to the game: every
// player record's ball and score, the session's states, counters, texts
// and both random streams.
uint64_t StateChecksum(const GameSession& session);
// The scores of players 1 ... playerCount.
std::vector<PlayerScore> Scores(const GameSession& session);

// Writes a replay while the game runs, in the run's language. Lines go out
// as they happen; the file is flushed after every frame.
class ReplayRecorder {
 public:
  // Opens `file` for writing and writes the header. Throws ReplayError when
  // the file cannot be made.
  ReplayRecorder(const std::filesystem::path& file, uint64_t seed, const LaunchSettings& settings);
  ~ReplayRecorder();
  ReplayRecorder(const ReplayRecorder&) = delete;
  ReplayRecorder& operator=(const ReplayRecorder&) = delete;

  void Input(const InputEvent& event);
  // After a frame ran with `tickRate`: its line, and every kChecksumEvery
  // frames the state checksum.
  void Frame(int32_t tickRate, const GameSession& session);
  // The play screen is left: final scores and the end line.
  void Finish(const GameSession& session);

  int32_t frames() const { return frames_; }
  const std::filesystem::path& path() const { return path_; }

 private:
  void Line(const std::string& line);

  std::filesystem::path path_;
  std::FILE* file_ = nullptr;
  int32_t frames_ = 0;
  bool finished_ = false;
};

// $XDG_DATA_HOME/quendrix/replays (default ~/.local/share/quendrix/replays).
// Throws ReplayError, saying why, when the user has no such folder.
std::filesystem::path DefaultReplayFolder();
// A new file name in `folder` from the local time, e.g.
// "2024-05-01_14-03-59.replay"; a number is added when the name is taken.
std::filesystem::path NewReplayPath(const std::filesystem::path& folder);
// Keeps the `keep` newest recordings the game named itself (the names
// NewReplayPath makes; newest by name, which is by time) and removes the
// older ones, so the folder does not grow without end. Files of any other
// name are never touched. Returns how many were removed; a folder that
// cannot be read removes nothing.
int32_t PruneReplays(const std::filesystem::path& folder, int32_t keep);

struct PlaybackResult {
  int32_t frames = 0;
  std::vector<Checkpoint> checkpoints;  // every kChecksumEvery frames
  std::vector<PlayerScore> scores;      // when the game was left, else at the last frame
  bool left = false;                    // the play screen was closed
  uint64_t finalChecksum = 0;
};

// Plays a replay headless on the data in `dataDir` (memory display, silent
// sound): the same start-up, the inputs in their order, each frame with its
// recorded tick rate, in the replay's language (with the catalogues beside
// the running program), the run's language given back afterwards.
PlaybackResult PlayBack(const Replay& replay, const std::filesystem::path& dataDir);

}  // namespace quendrix
