// Program start-up: the application's title, the one window of the run, the
// launch pad (which shows the intro on its first showing and plays a game
// modally for each launch), then its message loop until the player quits.
// Alt+Enter or F11 switch between full screen and a window, F12 saves a
// screenshot. Each game is recorded under $XDG_DATA_HOME/quendrix/replays.
//
// QUENDRIX_EXIT_AFTER_FIRST_FRAME=1 makes the program end as soon as the
// launch pad's first frame is on the screen: with status 0, or 1 when an
// error (a missing data file) was reported before it. The install test
// starts an installed copy this way on SDL's dummy drivers to prove it
// finds its data.
//
// The language follows the locale variables (LANGUAGE, LC_ALL, LC_MESSAGES,
// LANG): Russian, English or German.
//
// QUENDRIX_PACE_REPORT=1 writes one line to standard error at the end: the
// frames presented in the run and the delay from input to the frame that
// showed it (the pace benchmark reads it).
#include <SDL.h>

#include <cinttypes>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "core/language.h"
#include "core/program_folder.h"
#include "launchpad/launchpad04.h"
#include "launchpad/launchpad_app.h"
#include "launchpad/settings.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/screen.h"
#include "widgets/flic_decoder.h"

int main() {
  using namespace quendrix;
  const char* flag = std::getenv("QUENDRIX_EXIT_AFTER_FIRST_FRAME");
  // The language is chosen here, once, before any text is shown.
  StartLanguage(ExecutableFolder());
  ProgramOptions options;
  options.exitAfterFirstFrame = flag != nullptr && std::strcmp(flag, "1") == 0;
  options.dataDir = DataDir();
  // A user with no home folder plays on: the settings in memory, no replays
  // or screenshots, and the launch pad says so once.
  try {
    options.settingsFile = DefaultSettingsPath();
  } catch (const SettingsFileError& e) {
    options.noSettingsFolder = e.what();
  }
  std::string why;
  if (DataHomeDir(why).empty()) options.noDataFolder = why;

  // A damaged animation is the player's to show, not FFmpeg's to report on
  // standard error, once per frame.
  FlicDecoder::QuietLibraryLog();
  SDL_SetHint("SDL_APP_NAME", "Quendrix");
  Screen screen(Tlaunchpad::kCaption);
  if (!screen.Open(true)) {
    ShowMessageBox(kDisplayErrorTitle, DisplayErrorText(screen.LastError()), MessageIcon::kWarning);
    return 1;
  }
  // Pads drive the menus; a machine without the subsystem simply has none.
  SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER);

  int status = 0;
  {
    LaunchpadProgram program(screen, options);
    status = program.Start() ? program.Run() : program.Launchpad().ExitStatus();
  }
  const char* report = std::getenv("QUENDRIX_PACE_REPORT");
  if (report != nullptr && std::strcmp(report, "1") == 0) {
    const Screen::PaceCounts& p = screen.Pace();
    std::fprintf(stderr,
                 "quendrix pace: %" PRIu64 " frames, %" PRIu64
                 " with input, input to screen %.1f ms on average, %" PRIu32 " ms at most\n",
                 p.frames, p.inputs,
                 p.inputs > 0 ? static_cast<double>(p.inputDelayMs) / p.inputs : 0.0,
                 p.longestInputDelayMs);
  }
  return status;
}
