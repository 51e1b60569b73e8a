// Program start-up. The one window of the run (the Screen) is made first
// and every screen draws into it. Until the launch pad exists the program
// opens the play screen directly, on the stored settings (first-run
// defaults when there are none), and ends when the play screen closes.
// Alt+Enter or F11 switch between full screen and a window, F12 saves a
// screenshot. Each game is recorded under $XDG_DATA_HOME/quendrix/replays.
//
// QUENDRIX_EXIT_AFTER_FIRST_FRAME=1 makes the program end with status 0 as
// soon as its first frame is on the screen (with a message and status 1, as
// ever, when its data cannot be loaded): the install test starts an
// installed copy this way on SDL's dummy drivers to prove it finds its data.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <exception>
#include <filesystem>
#include <memory>
#include <random>
#include <string>

#include "core/cp1251.h"
#include "game/launch_settings.h"
#include "game/mainsource19.h"
#include "game/replay.h"
#include "launchpad/settings.h"
#include "media/media_error.h"
#include "media/sound_device.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/screen.h"
#include "platform/sdl_display.h"
#include "platform/sdl_sound.h"

namespace {

using namespace quendrix;

// Recorded games kept in the replay folder, this one included.
constexpr int32_t kKeptReplays = 100;

void ErrorBox(const std::string& cp1251Text) {
  ShowMessageBox("Quendrix", cp1251Text, MessageIcon::kError);
}

// The stored settings, or the first-run defaults when they cannot be read.
LaunchSettings ReadSettings(const std::filesystem::path& dataDir) {
  LaunchSettings settings;
  try {
    TAMReg reg(DefaultSettingsPath());
    const LaunchSettingsLoad load = LoadLaunchSettings(reg, dataDir, settings);
    if (!load.read.error.empty())
      std::fprintf(stderr, "quendrix: settings: %s\n", Cp1251ToUtf8(load.read.error).c_str());
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrix: settings: %s\n", e.what());
  }
  return settings;
}

}  // namespace

int main() {
  const char* exitAfterFirstFrameFlag = std::getenv("QUENDRIX_EXIT_AFTER_FIRST_FRAME");
  const bool exitAfterFirstFrame =
      exitAfterFirstFrameFlag != nullptr && std::strcmp(exitAfterFirstFrameFlag, "1") == 0;
  const std::filesystem::path dataDir = DataDir();
  const LaunchSettings settings = ReadSettings(dataDir);

  // A window that cannot be made now is tried again when the play screen
  // opens its display, which reports the failure in its own words.
  Screen screen("Quendrix Demo");
  if (!screen.Open(true))
    std::fprintf(stderr, "quendrix: no window (%s)\n", screen.LastError().c_str());
  SdlDisplay display(screen);
  SdlSoundDevice sound;
  SilentSoundDevice silence;
  SdlClock clock;
  MessageLoop loop(&screen);

  PlayScreenServices services;
  services.display = &display;
  services.sound = &sound;
  services.clock = &clock;
  services.dataDir = dataDir;
  // Game paths are cp1251 with "\" between folders, relative to the data folder.
  services.mapPath = [](const std::string& gamePath) {
    return std::filesystem::path(MapPath(Utf8ToCp1251(DataDir()) + gamePath));
  };
  services.setCursorPos = [&loop](int32_t x, int32_t y) { loop.SetCursorPos(x, y); };
  services.showCursor = [&loop, &screen](bool visible) {
    loop.GetPointer().SetVisible(visible);
    screen.ShowCursor(visible);
  };

  std::random_device entropy;
  const uint64_t seed = (uint64_t{entropy()} << 32) | entropy();
  // Every game is recorded as it goes; a folder that cannot be written to
  // only costs the recording.
  std::unique_ptr<ReplayRecorder> recorder;
  try {
    const std::filesystem::path folder = DefaultReplayFolder();
    // The newest games stay; a recording is a few hundred kilobytes at most.
    PruneReplays(folder, kKeptReplays - 1);
    recorder = std::make_unique<ReplayRecorder>(NewReplayPath(folder), seed, settings);
    services.recorder = recorder.get();
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrix: not recording the game: %s\n", e.what());
  }
  TMain main(settings, services, seed);
  loop.SetHandler(&main);
  try {
    try {
      main.FormCreate();
    } catch (const MediaError&) {
      // No audio device: play on without sound rather than not at all.
      std::fprintf(stderr, "quendrix: no sound (%s)\n", sound.LastError().c_str());
      main.DXSound.SetDevice(&silence);
      main.FormCreate();
    }
    main.Show();
  } catch (const std::exception& e) {
    ErrorBox(e.what());
    return 1;
  }
  // The pointer starts in the middle of the new screen, as the system's
  // would over a freshly opened full-screen window; the move reaches the
  // game (and its recording) as the loop's first event.
  loop.GetPointer().SetArea(main.SurfaceWidth(), main.SurfaceHeight());
  loop.SetCursorPos(main.SurfaceWidth() / 2, main.SurfaceHeight() / 2);

  int status = 0;
  loop.Run([&] {
    if (main.Closed()) {
      loop.Terminate();
      return false;
    }
    try {
      const bool busy = main.Idle();
      if (exitAfterFirstFrame && display.FramesPresented() > 0) {
        main.Shutdown();
        loop.Terminate();
        return false;
      }
      return busy;
    } catch (const std::exception& e) {
      ErrorBox(e.what());
      main.Shutdown();
      loop.Terminate();
      status = 1;
      return false;
    }
  });
  return status;
}
