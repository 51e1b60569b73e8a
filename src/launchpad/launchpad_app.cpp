#include "launchpad/launchpad_app.h"

#include <SDL.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <optional>
#include <random>
#include <stdexcept>
#include <vector>

#include "computer/computer_player.h"
#include "core/cp1251.h"
#include "game/mainsource19.h"
#include "game/replay.h"
#include "launchpad/launchpad_videos.h"
#include "launchpad/launchpad_view.h"
#include "media/media_error.h"
#include "platform/events.h"
#include "platform/files.h"
#include "platform/screen.h"
#include "platform/sdl_display.h"
#include "platform/sdl_sound.h"
#include "widgets/flic_player.h"
#include "widgets/flic_presenter.h"

namespace quendrix {

namespace {

// Recorded games kept in the replay folder, the new one included.
constexpr int32_t kKeptReplays = 100;
// The launch pad draws at most one frame in this many milliseconds for
// input: a mouse that reports a thousand times a second is seen at sixty.
constexpr uint32_t kShortestFrameMs = 16;

// The screen the launch pad covers: the desktop, or 640 x 480 while the
// full-screen interface is open. Both are canvases the Screen scales onto
// the one window; opening the interface only changes the canvas.
class ScreenDisplay : public LaunchpadDisplay {
 public:
  explicit ScreenDisplay(Screen& screen) : screen_(screen) {}

  int32_t ScreenWidth() const override { return interface_ ? 640 : Desktop().w; }
  int32_t ScreenHeight() const override { return interface_ ? 480 : Desktop().h; }
  bool OpenInterface(std::string& reason) override {
    if (!screen_.Open(true)) {
      reason = screen_.LastError();
      return false;
    }
    interface_ = true;
    return true;
  }
  void CloseInterface() override { interface_ = false; }
  void ShowCursor() override {
    SDL_SetRelativeMouseMode(SDL_FALSE);
    screen_.ShowCursor(true);
  }
  void SetVisible(bool visible) override {
    if (visible) screen_.SetTitle(Tlaunchpad::kCaption);
  }

 private:
  SDL_Rect Desktop() const {
    SDL_Rect r{0, 0, 640, 480};
    const int display = screen_.Window() ? SDL_GetWindowDisplayIndex(screen_.Window()) : 0;
    if (SDL_GetDisplayBounds(display < 0 ? 0 : display, &r) != 0 || r.w <= 0 || r.h <= 0)
      r = {0, 0, 640, 480};
    return r;
  }

  Screen& screen_;
  bool interface_ = false;
};

// The background animation on the screen: the FLIC player on the run's
// clock, drawn centred into the canvas. Frames shown "at once" are put on
// the window as they are shown, each after the file's own frame time, so
// that the panel change is seen rather than flashing past.
class ScreenAnimation : public AnimationPlayer {
 public:
  explicit ScreenAnimation(Clock& clock) : clock_(clock), player_(clock) {}
  ~ScreenAnimation() override { Release(); }

  // Draws and shows one launch-pad frame now.
  std::function<void()> present;

  void SetFileName(const std::filesystem::path& path) override {
    player_.SetFileName(path.string());
  }
  void Play() override { player_.Play(); }
  void Stop() override { player_.Stop(); }
  void ShowFrame(int32_t n) override {
    player_.ShowFrame(n);
    const uint32_t due = shownMs_ + static_cast<uint32_t>(std::max(player_.SpeedMs(), 0));
    const uint32_t now = clock_.Milliseconds();
    if (player_.Status() == FlicStatus::kOpen && due > now && due - now <= kLongestFrameMs)
      SDL_Delay(due - now);
    Present();
  }
  void ShowStoppedFrame(int32_t n) override {
    player_.ShowStoppedFrame(n);
    Present();
  }
  void Repaint() override {
    player_.Repaint();
    Present();
  }

  // The player's timer: true when the picture changed.
  bool Tick() { return player_.Tick(); }
  // Milliseconds until Tick has a new picture (FlicPlayer::kNotPlaying: never).
  uint32_t MillisecondsToNextFrame() const { return player_.MillisecondsToNextFrame(); }
  // Draws the current frame into the canvas (inside the ImGui frame, which
  // takes the missing-file text).
  void Draw(SDL_Renderer* renderer, int32_t width, int32_t height) {
    presenter_.Draw(renderer, player_, width, height);
  }
  void Release() { presenter_.Release(); }

 private:
  // A frame time beyond this is the file's mistake, not a pace to keep.
  static constexpr uint32_t kLongestFrameMs = 200;

  void Present() {
    if (present) present();
    shownMs_ = clock_.Milliseconds();
  }

  Clock& clock_;
  FlicPlayer player_;
  FlicPresenter presenter_;
  uint32_t shownMs_ = 0;
};

// The play screen for one game on the run's window: its own display on the
// Screen and its own sound device (the launch pad's is closed meanwhile); it
// takes the program's message loop for the game, as a nested run.
class PlayScreenRunner : public GameRunner {
 public:
  PlayScreenRunner(Screen& screen, MessageLoop& loop, std::filesystem::path dataDir)
      : screen_(screen), loop_(loop), dataDir_(std::move(dataDir)) {}

  void RunGame(const LaunchSettings& settings) override {
    screen_.SetTitle("Quendrix Demo");
    SdlDisplay display(screen_);
    SdlSoundDevice sound;
    SilentSoundDevice silence;
    SdlClock clock;
    MessageLoop& loop = loop_;

    PlayScreenServices services;
    services.display = &display;
    services.sound = &sound;
    services.clock = &clock;
    services.dataDir = dataDir_;
    // Game paths are cp1251 with "\" between folders, relative to the data folder.
    const std::string base = Utf8ToCp1251(dataDir_.string() + "/");
    services.mapPath = [base](const std::string& gamePath) {
      return std::filesystem::path(MapPath(base + gamePath));
    };
    services.setCursorPos = [&loop](int32_t x, int32_t y) { loop.SetCursorPos(x, y); };
    services.showCursor = [&loop, this](bool visible) {
      loop.GetPointer().SetVisible(visible);
      screen_.ShowCursor(visible);
    };

    std::random_device entropy;
    const uint64_t seed = (uint64_t{entropy()} << 32) | entropy();
    // Every game is recorded as it goes; a folder that cannot be written to
    // only costs the recording.
    std::unique_ptr<ReplayRecorder> recorder;
    try {
      const std::filesystem::path folder = DefaultReplayFolder();
      PruneReplays(folder, kKeptReplays - 1);
      recorder = std::make_unique<ReplayRecorder>(NewReplayPath(folder), seed, settings);
      services.recorder = recorder.get();
    } catch (const std::exception& e) {
      std::fprintf(stderr, "quendrix: not recording the game: %s\n", e.what());
    }

    // The computer players among them play through the play screen's
    // input side, drawing on a stream of their own from the same seed.
    std::optional<ComputerPlayers> computers;
    if (ComputerPlayers::AnyIn(settings)) {
      computers.emplace(settings, seed);
      services.turnInputs = &*computers;
    }

    TMain main(settings, services, seed);
    // The game takes the loop's events, gamepads included, until it closes.
    InputHandler* const launchpadHandler = loop.Handler();
    loop.SetHandler(&main);
    loop.SetGamepadPlay(true);
    struct GiveBack {
      MessageLoop& loop;
      InputHandler* handler;
      ~GiveBack() {
        loop.SetGamepadPlay(false);
        loop.SetHandler(handler);
      }
    } giveBack{loop, launchpadHandler};
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
    } catch (...) {
      // What opened is released before the launch pad takes the screen back.
      main.Shutdown();
      throw;
    }
    // The pointer starts in the middle of the new screen, as the system's
    // would over a freshly opened full-screen window.
    loop.GetPointer().SetArea(main.SurfaceWidth(), main.SurfaceHeight());
    loop.SetCursorPos(main.SurfaceWidth() / 2, main.SurfaceHeight() / 2);

    std::string error;
    // Frames by the frame timer's deadlines; the loop sleeps in between.
    loop.Run(
        [&]() -> uint32_t {
          try {
            main.Idle();
            if (main.Closed()) return 0;
            const uint32_t wait = main.MillisecondsToNextFrame();
            return wait == TDXTimer::kNoTick ? EventPump::kForever : wait;
          } catch (const std::exception& e) {
            error = e.what();
            main.Shutdown();
            return 0;
          }
        },
        [&] { return main.Closed(); });
    if (!main.Closed()) main.Shutdown();
    if (!error.empty()) throw std::runtime_error(error);
  }

 private:
  Screen& screen_;
  MessageLoop& loop_;
  std::filesystem::path dataDir_;
};

}  // namespace

struct LaunchpadProgram::Parts : SdlEventHandler {
  Parts(Screen& s, ProgramOptions o)
      : screen(s),
        options(std::move(o)),
        loop(&s),
        display(s),
        animation(clock),
        videos(s, loop, shown, options.dataDir,
               [this](const std::string& text) { Report("Quendrix", text); }),
        game(s, loop, options.dataDir) {
    loop.SetSdlHandler(this);
  }

  // The launch pad's events, pointer positions in canvas pixels; each asks
  // for the picture to be drawn again. A key or pad button acts on what
  // the earlier input did (the text typed, the press made), so a frame
  // still owed to that input is drawn, and its presses delivered, first.
  void HandleEvent(const SDL_Event& e) override {
    if (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP || e.type == SDL_CONTROLLERBUTTONDOWN ||
        e.type == SDL_CONTROLLERBUTTONUP)
      DrawOwedFrame();
    redraw = 2;
    if (e.type == SDL_QUIT) {
      quit = true;
      return;
    }
    view->HandleEvent(e);
  }

  // The frame input asked for, if one is owed and the launch pad shows.
  void DrawOwedFrame() {
    if (redraw <= 0 || !lp->Visible()) return;
    --redraw;
    draw();
    lastDrawn = clock.Milliseconds();
    // Clicks on the panels run here, with no frame open.
    if (view->DeliverReleases()) redraw = 2;
  }

  // The error box; counted for the first-frame test hook.
  void Report(const std::string& title, const std::string& text) {
    ++errors;
    ShowMessageBox(title, text,
                   title == kDisplayErrorTitle ? MessageIcon::kWarning : MessageIcon::kError);
  }

  Screen& screen;
  ProgramOptions options;
  MessageLoop loop;  // the program's one loop: launch pad, clips, games
  SdlClock clock;
  SdlSoundDevice sound;  // the launch pad's own
  ScreenDisplay display;
  ScreenAnimation animation;
  const Tlaunchpad* shown = nullptr;  // the screen the videos cover
  ScreenVideos videos;
  PlayScreenRunner game;
  int errors = 0;
  std::unique_ptr<Tlaunchpad> lp;
  std::unique_ptr<LaunchpadView> view;
  std::function<void()> draw;  // the program's DrawFrame
  int redraw = 0;              // frames still to draw for input to take effect
  uint32_t lastDrawn = 0;      // clock time of the last frame drawn for it
  bool quit = false;
};

LaunchpadProgram::LaunchpadProgram(Screen& screen, ProgramOptions options)
    : parts_(std::make_unique<Parts>(screen, std::move(options))) {
  Parts& p = *parts_;
  LaunchpadServices s;
  s.display = &p.display;
  s.sound = &p.sound;
  s.animation = &p.animation;
  s.videos = p.options.noVideos || p.options.exitAfterFirstFrame ? nullptr : &p.videos;
  s.game = &p.game;
  s.dataDir = p.options.dataDir;
  s.settingsFile = p.options.settingsFile;
  s.noSettingsFolder = p.options.noSettingsFolder;
  s.noDataFolder = p.options.noDataFolder;
  s.messageBox = [&p](const std::string& title, const std::string& text) { p.Report(title, text); };
  p.lp = std::make_unique<Tlaunchpad>(std::move(s));
  p.shown = p.lp.get();
  MenuPictures menu = LoadMenuPictures(p.options.dataDir);
  p.view = std::make_unique<LaunchpadView>(*p.lp, screen.Renderer(), std::move(menu.picture),
                                           std::move(menu.lit));
  if (!p.view->HasFlatFont()) std::fprintf(stderr, "quendrix: DejaVu Sans not found\n");
  p.animation.present = [this] { DrawFrame(); };
  p.draw = [this] { DrawFrame(); };
}

LaunchpadProgram::~LaunchpadProgram() {
  parts_->view->Release();
  parts_->animation.Release();
}

Tlaunchpad& LaunchpadProgram::Launchpad() {
  return *parts_->lp;
}

bool LaunchpadProgram::Start() {
  Parts& p = *parts_;
  p.lp->FormCreate();
  p.lp->FormShow();
  if (p.lp->Terminated() || p.videos.CloseRequested()) return false;
  DrawFrame();
  return true;
}

void LaunchpadProgram::DrawFrame() {
  Parts& p = *parts_;
  Tlaunchpad& lp = *p.lp;
  SDL_Renderer* renderer = p.screen.BeginFrame(lp.Width(), lp.Height());
  if (renderer == nullptr) return;
  p.view->Draw([&] { p.animation.Draw(renderer, lp.Width(), lp.Height()); });
  p.screen.EndFrame();
}

int LaunchpadProgram::Run() {
  Parts& p = *parts_;
  Tlaunchpad& lp = *p.lp;
  if (p.options.exitAfterFirstFrame) return p.errors > 0 ? 1 : 0;
  // With the queue empty: the held pad direction's repeat, the animation's
  // next picture, the frames that input asked for, then the presses those
  // frames completed; then sleep until the next picture or repeat is due.
  auto idle = [&]() -> uint32_t {
    p.view->Tick();
    if (p.animation.Tick()) p.redraw = std::max(p.redraw, 1);
    if (!lp.Visible()) p.redraw = 0;
    if (p.clock.Milliseconds() - p.lastDrawn >= kShortestFrameMs) p.DrawOwedFrame();
    const uint32_t wait =
        std::min(p.animation.MillisecondsToNextFrame(), p.view->MillisecondsToNextTick());
    if (p.redraw == 0) return wait;
    const uint32_t sinceNow = p.clock.Milliseconds() - p.lastDrawn;
    return std::min(wait, sinceNow >= kShortestFrameMs ? 0 : kShortestFrameMs - sinceNow);
  };
  // "No deadline" is the same number everywhere, so the smallest wait wins.
  static_assert(FlicPlayer::kNotPlaying == EventPump::kForever &&
                widgets::MenuInput::kNoRepeat == EventPump::kForever);
  p.loop.Run(idle, [&] { return lp.Terminated() || p.quit || p.videos.CloseRequested(); });
  return lp.ExitStatus();
}

}  // namespace quendrix
