// The launch pad on a 1024 x 768 screen (SDL's window-less driver and its
// software renderer, the dummy audio driver), each figure beside a
// reference measured in the same run:
// - BM_StartUp: from nothing to the first launch-pad frame on the window,
//   the intro skipped: the window and renderer made, the menu sounds and
//   the settings read, the skins and textures listed, the sound device
//   opened, the main menu drawn and presented. Goal: 300 ms or less.
// - BM_WindowCreateAndPresent (reference): the same window made, one empty
//   frame presented, the window destroyed.
// - BM_IdleFrame/P/F: one launch-pad frame while nothing happens
//   (background, the main menu's panel and picture, the copyright line)
//   drawn and presented; P=1 the start panel and its controls instead.
//   F=1: the full-screen interface, a 640 x 480 picture stretched 1.6 times
//   onto the screen (by the CPU on this software renderer: see
//   BM_EmptyFrame); F=0: drawn at the desktop's size, nothing stretched.
//   Goal: 2 ms or less.
// - BM_EmptyFrame (reference): an empty 640 x 480 frame put on the window.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "launchpad/launchpad04.h"
#include "launchpad/launchpad_app.h"
#include "launchpad/settings.h"
#include "platform/screen.h"

namespace quendrix {
namespace {

void UseDummyDrivers() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
  SDL_SetHint(SDL_HINT_RENDER_DRIVER, "software");
}

// A settings file of a player who skips the intro, in a scratch folder.
std::filesystem::path SettingsFile(bool fullScreenInterface) {
  const auto dir = std::filesystem::temp_directory_path() / "quendrix-bench-launchpad";
  std::filesystem::create_directories(dir);
  const auto path = dir / (fullScreenInterface ? "settings.reg" : "settings-desktop.reg");
  TAMReg reg(path);
  LaunchSettings s;
  s.skipintro = true;
  s.forceinterface = fullScreenInterface;
  WriteAllSettings(reg, s);
  return path;
}

ProgramOptions Options(bool fullScreenInterface = true) {
  ProgramOptions o;
  o.dataDir = QUENDRIX_DATA_DIR;
  o.settingsFile = SettingsFile(fullScreenInterface);
  o.noVideos = true;
  return o;
}

void BM_StartUp(benchmark::State& state) {
  UseDummyDrivers();
  const ProgramOptions options = Options();
  for (auto _ : state) {
    Screen screen(Tlaunchpad::kCaption);
    if (!screen.Open(true)) std::abort();
    LaunchpadProgram program(screen, options);
    if (!program.Start()) std::abort();
  }
}
BENCHMARK(BM_StartUp)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_WindowCreateAndPresent(benchmark::State& state) {
  UseDummyDrivers();
  for (auto _ : state) {
    Screen screen(Tlaunchpad::kCaption);
    if (!screen.Open(true)) std::abort();
    screen.BeginFrame(640, 480);
    screen.EndFrame();
  }
}
BENCHMARK(BM_WindowCreateAndPresent)->Unit(benchmark::kMillisecond)->MinTime(2.0);

void BM_IdleFrame(benchmark::State& state) {
  UseDummyDrivers();
  Screen screen(Tlaunchpad::kCaption);
  if (!screen.Open(true)) std::abort();
  LaunchpadProgram program(screen, Options(state.range(1) == 1));
  if (!program.Start()) std::abort();
  Tlaunchpad& lp = program.Launchpad();
  if (state.range(0) == 1)
    lp.MenuAction(widgets::MenuAction::kDown), lp.MenuAction(widgets::MenuAction::kSelect);
  for (auto _ : state) program.DrawFrame();
}
BENCHMARK(BM_IdleFrame)->ArgsProduct({{0, 1}, {1, 0}})->Unit(benchmark::kMicrosecond);

void BM_EmptyFrame(benchmark::State& state) {
  UseDummyDrivers();
  Screen screen(Tlaunchpad::kCaption);
  if (!screen.Open(true)) std::abort();
  for (auto _ : state) {
    screen.BeginFrame(640, 480);
    screen.EndFrame();
  }
}
BENCHMARK(BM_EmptyFrame)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace quendrix

BENCHMARK_MAIN();
