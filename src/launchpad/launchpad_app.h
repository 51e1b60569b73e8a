// The program as a player starts it: the launch pad on the run's one window,
// with its services made from the platform — the screen, the launch pad's
// sound device, the animation player, the video windows, the play screen
// run modally for each game, the error box — and its message loop.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>
#include <string>

#include "launchpad/launchpad04.h"

namespace quendrix {

class Screen;

struct ProgramOptions {
  std::filesystem::path dataDir;       // the game's data
  std::filesystem::path settingsFile;  // the settings store; empty: none
  // Why there is no settings file, no replay and screenshot folder (UTF-8).
  std::string noSettingsFolder, noDataFolder;
  // Ends the run once the first launch-pad frame is on the screen, with
  // status 0, or 1 when an error was reported before it (a test hook: the
  // installed game proves it finds its data). The videos are skipped.
  bool exitAfterFirstFrame = false;
  // Plays no clips (benchmarks, the hook above).
  bool noVideos = false;
};

// Everything the launch pad needs from the platform, made once for the run.
class LaunchpadProgram {
 public:
  // `screen` must be open.
  LaunchpadProgram(Screen& screen, ProgramOptions options);
  ~LaunchpadProgram();
  LaunchpadProgram(const LaunchpadProgram&) = delete;
  LaunchpadProgram& operator=(const LaunchpadProgram&) = delete;

  // FormCreate, then FormShow (the intro on a first show), then the first
  // frame on the screen. False when the program is to end already.
  bool Start();
  // Draws one launch-pad frame and puts it on the window.
  void DrawFrame();
  // Events and idle work until the launch pad ends; the exit status.
  int Run();

  Tlaunchpad& Launchpad();

 private:
  struct Parts;
  std::unique_ptr<Parts> parts_;
};

}  // namespace quendrix
