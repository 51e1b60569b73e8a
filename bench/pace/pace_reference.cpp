// The limits the pace benchmark compares the running game with: what one
// frame costs the process (its CPU time, as the game's use is measured),
// drawn and presented on the X display of $DISPLAY through the renderer
// the game would choose, times the frames a second it runs.
//   pace_reference DATA_DIR SETTINGS_FILE
// First writes a new user's settings with the intro skipped to
// SETTINGS_FILE (the game the benchmark runs reads them too). Prints two
// lines, "play MS PERCENT" (one play-screen frame of the first
// hole with the ball rolling, at the settings' screen mode, times 60) and
// "launchpad MS PERCENT" (one launch-pad frame with the main menu and the
// background animation's next picture decoded and uploaded, times the
// animation's frames a second).
#include <SDL.h>
#include <time.h>

#include <cstdio>
#include <filesystem>
#include <functional>

#include "game/ball_motion.h"
#include "game/headless_play.h"
#include "launchpad/launchpad04.h"
#include "launchpad/launchpad_app.h"
#include "launchpad/settings.h"
#include "platform/screen.h"
#include "platform/sdl_display.h"
#include "widgets/flic_player.h"
#include "widgets/flic_presenter.h"

namespace quendrix {
namespace {

double CpuMs() {
  timespec t{};
  clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &t);
  return static_cast<double>(t.tv_sec) * 1e3 + static_cast<double>(t.tv_nsec) / 1e6;
}

// Mean CPU milliseconds of `frame` over `count` calls, after a few to warm up.
double MeanMs(int count, const std::function<void()>& frame) {
  for (int i = 0; i < 10; ++i) frame();
  const double start = CpuMs();
  for (int i = 0; i < count; ++i) frame();
  return (CpuMs() - start) / count;
}

// Frames a second of the launch pad's background animation.
constexpr double kAnimationFps = 1000.0 / 60.0;

int Run(const std::filesystem::path& data, const std::filesystem::path& settingsFile) {
  LaunchSettings settings;
  settings.skipintro = true;
  std::filesystem::create_directories(settingsFile.parent_path());
  TAMReg reg(settingsFile);
  WriteAllSettings(reg, settings);
  Screen screen(Tlaunchpad::kCaption);
  if (!screen.Open(true)) {
    std::fprintf(stderr, "pace_reference: %s\n", screen.LastError().c_str());
    return 1;
  }
  double playMs = 0;
  {
    SdlDisplay display(screen);
    HeadlessPlay play(settings, data, 5);
    play.main().DXDraw.SetDevice(&display);
    play.Start();
    play.Frames(3);
    play.LeftClick();  // the title card goes
    play.Frames(3);
    GameSession& s = play.session();
    int32_t n = 0;
    playMs = MeanMs(600, [&] {
      playerrec& ball = s.players[1];
      if (!ball.moving && !ball.lost && !ball.inCup && !ball.inPipe) {
        ball.direction = (++n * 53) & 255;
        ball.speed = 3.0;
        StartShot(s, 1, false);
      }
      play.Frame();
    });
    play.main().Shutdown();
  }
  ProgramOptions options;
  options.dataDir = data;
  options.settingsFile = settingsFile;
  options.noVideos = true;
  LaunchpadProgram program(screen, options);
  if (!program.Start()) return 1;
  const double drawMs = MeanMs(200, [&] { program.DrawFrame(); });
  // The animation's next picture, which DrawFrame alone never needs.
  ManualClock clock;
  FlicPlayer player(clock);
  player.SetFileName((data / "interface_loop.flc").string());
  FlicPresenter presenter;
  if (!player.Play()) return 1;
  const double pictureMs = MeanMs(200, [&] {
    clock.Advance(static_cast<uint32_t>(player.SpeedMs()));
    player.Tick();
    presenter.Draw(screen.BeginFrame(640, 480), player, 640, 480);
  });
  presenter.Release();
  const double launchpadMs = drawMs + pictureMs;
  std::printf("play %.3f %.2f\n", playMs, playMs * 60 / 10);
  std::printf("launchpad %.3f %.2f\n", launchpadMs, launchpadMs * kAnimationFps / 10);
  return 0;
}

}  // namespace
}  // namespace quendrix

int main(int argc, char** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: pace_reference DATA_DIR SETTINGS_FILE\n");
    return 2;
  }
  return quendrix::Run(argv[1], argv[2]);
}
