// TMain, the play screen: one game from start-up to shutdown. It owns the
// drawing surface, the sound device, the image and sound lists, the frame
// timer and the game session, and runs every frame in `gengineTimer`.
//
// The platform around it supplies a display, a sound device, a clock and the
// system pointer, then calls FormCreate, Show, the input handlers, and Idle
// from its message loop until Closed(). Tests and tools do the same with a
// memory display, the silent sound device and a manual clock.
#pragma once

#include <array>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <string>

#include "game/aiming.h"
#include "game/ball_sprites.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/launch_settings.h"
#include "game/play_host.h"
#include "game/replay.h"
#include "game/scoring.h"
#include "game/turn_inputs.h"
#include "media/display.h"
#include "media/dx_draw.h"
#include "media/dx_timer.h"
#include "media/image_list.h"
#include "media/input.h"
#include "media/sound_device.h"
#include "media/sound_list.h"

namespace quendrix {

// What the play screen needs from the program around it.
struct PlayScreenServices {
  DisplayDevice* display = nullptr;
  SoundDevice* sound = nullptr;
  Clock* clock = nullptr;  // required: the frame timer runs on it
  // The program's folder: lists, hole files, "skins" and "textures".
  std::filesystem::path dataDir;
  // A game path (cp1251, "\" between folders, relative to the program's
  // folder) -> a path of this system. Unset: dataDir joined with the UTF-8
  // name, "\" read as "/".
  std::function<std::filesystem::path(const std::string& gamePath)> mapPath;
  // Moves the system pointer to a surface point. The platform reports the
  // move later through MouseMove, like any move of the pointer, once the
  // handler that asked for it has returned.
  std::function<void(int32_t x, int32_t y)> setCursorPos;
  // Shows (true) or hides the system pointer over the play surface.
  std::function<void(bool visible)> showCursor;
  // When set, every input and frame is written to it as the game goes.
  ReplayRecorder* recorder = nullptr;
  // The computer players, when any: asked for their inputs before each
  // frame; the machine's pointer stays out of their turns.
  TurnInputs* turnInputs = nullptr;
  // Frames a second of the 60-frames item (interval 0), kept by deadlines.
  // 0: a frame on every idle pass, for drivers that pace the frames
  // themselves (tests and tools on a manual clock).
  uint32_t ticksPerSecond = 60;
};

// Physics substeps per frame minus one for a measured frame rate: 4 below 21
// ticks per second, 2 from 21 to 40, 1 from 41 on.
int32_t SubstepsForTickRate(int32_t ticksPerSecond);

// The display mode the settings choose: 1024, 800, 640 and 512 are tested in
// that order and the last checked one wins; none checked gives 640 x 480.
DisplayMode ScreenModeFromSettings(const LaunchSettings& settings);

// The first hole of a game: "training1" when training, else the course's
// first hole.
std::string FirstHoleName(const LaunchSettings& settings);

class TMain final : public GameEvents, public PlayHost, public InputHandler {
 public:
  // `settings` is the launch pad's, read at the moment of use; it must
  // outlive the play screen. `seed` seeds both random streams.
  TMain(const LaunchSettings& settings, PlayScreenServices services, uint64_t seed);
  ~TMain() override;
  TMain(const TMain&) = delete;
  TMain& operator=(const TMain&) = delete;

  // ---- Life cycle --------------------------------------------------------
  // Display mode, options and timer interval from the settings; hides the
  // pointer; opens the sound device (which runs DXSoundInitialize).
  void FormCreate();
  void DXSoundInitialize();
  // The form is shown: the drawing surface opens itself, which runs
  // DXDrawInitialize (lists, skin, players, first hole, ball textures).
  // Errors of the display or of a missing list propagate.
  void Show();
  void DXDrawInitialize();
  // Sets up the hole named by holeName and leaves the title card showing.
  void HoleInit();
  // One frame; does nothing while the surface is not ready.
  void gengineTimer(int32_t lagCount);
  // One frame as if the timer had measured `tickRate` ticks a second (the
  // playback of a recorded game).
  void RunFrame(int32_t tickRate);
  // Stops the timer, releases the surface and the sound device; the play
  // screen is then closed.
  void Shutdown();
  bool Closed() const { return closed_; }

  // One pass of the message loop's idle processing: runs a frame when the
  // timer is due. True while the timer is running.
  bool Idle() { return gengine.Idle(); }
  // How long the message loop may sleep before the next frame is due
  // (TDXTimer::kNoTick while the timer is stopped).
  uint32_t MillisecondsToNextFrame() { return gengine.MillisecondsToNextTick(); }

  // ---- Input handlers (screen pixels) ------------------------------------
  void FormKeyDown(uint16_t key);
  void FormKeyUp(uint16_t key);
  void DXDrawMouseMove(int32_t x, int32_t y);
  void DXDrawMouseDown(MouseButton button);
  void DXDrawMouseUp(MouseButton button);
  // A left press and release on the surface (comes before MouseUp).
  void DXDrawClick();
  void DXDrawDblClick();

  // ---- InputHandler: the platform's events as the handlers above want them.
  // A left release is a click and then a button-up; a second press soon
  // after the first, near it, is a double click and then a button-down, and
  // its release is no click.
  void KeyDown(uint16_t key, uint32_t shift) override;
  void KeyUp(uint16_t key, uint32_t shift) override;
  void MouseDown(MouseButton button, uint32_t shift, int32_t x, int32_t y) override;
  void MouseUp(MouseButton button, uint32_t shift, int32_t x, int32_t y) override;
  void MouseMove(uint32_t shift, int32_t x, int32_t y) override;
  // The window's close button leaves the game like Esc then Enter.
  void CloseRequested() override;
  // A pad's button stands for its command's key or mouse button (the
  // command table), pressed and released with it. While the game asks
  // whether to leave, A and Start are Enter, which answers yes.
  void PadDown(PadButton button) override;
  void PadUp(PadButton button) override;

  // ---- GameEvents: sounds and the turn hand-over from the physics --------
  void PlaySound(int32_t index) override;
  void PlayBackgroundSound(int32_t index) override;
  void SetSoundVolume(int32_t index, int32_t hundredthsDb) override;
  void TurnEnded() override;

  // ---- PlayHost: pointer, frame timer, ambient loop, shot, leaving -------
  int32_t SurfaceWidth() const override;
  int32_t SurfaceHeight() const override;
  void SetCursorPos(int32_t x, int32_t y) override;
  int32_t FrameInterval() const override;
  void SetFrameInterval(int32_t ms) override;
  void SetAmbientLoop(bool playing) override;
  void ShotLeftDown() override;
  void ShotLeftUp() override;
  void ShotCancel() override;
  void LeavePlayScreen() override;

  // ---- Components --------------------------------------------------------
  TDXDraw DXDraw;
  TDXSound DXSound;
  TDXImageList menu;
  TDXImageList gui;
  TDXImageList course;
  TDXWaveList sounds;
  TDXWaveList bgsounds;
  TDXTimer gengine;
  GameSession session;

  // Ball textures of players 1 ... 4 in the surface's pixel format.
  const BallTexture& ballTexture(int32_t player) const {
    return ballTextures_[static_cast<size_t>(player - 1)];
  }
  // A finished hole waits for its banner to fade before the next one loads,
  // even when a help or score screen was opened over it meanwhile.
  bool HoleChangePending() const { return holeChangePending_; }

 private:
  const LaunchSettings& settings() const { return *session.settings; }
  // A file of the program's folder by its game path.
  std::filesystem::path DataFile(const std::string& gamePath) const;
  // The file in the language's folder of the data when it is there, else
  // the shared one.
  std::filesystem::path LanguageFile(const std::string& gamePath) const;
  // A shared image list, then the items with words of the language's list
  // of the same name over it.
  void LoadImageList(TDXImageList& list, const std::string& gamePath);
  TWaveCollectionItem* Sound(int32_t index);
  TWaveCollectionItem* Sound(EffectSound sound) { return Sound(ItemIndex(sound)); }
  TWaveCollectionItem* BackgroundWave(int32_t index);
  TWaveCollectionItem* BackgroundWave(HoleSound sound) { return BackgroundWave(ItemIndex(sound)); }

  void LoadSkin();
  void LoadBallTextures();
  void PlaceDecorations();
  void DrawCentred(const TDXImageList& list, int32_t index);
  template <typename Item>
  void DrawCentred(const TDXImageList& list, Item item) {
    DrawCentred(list, ItemIndex(item));
  }

  // ---- Phases of a frame -------------------------------------------------
  void BallPhase();
  void NextHoleIfDue();
  void DrawStateScreens();
  void DrawPointer();

  // ---- Call points of the rules, HUD and effects (play_screen.cpp,
  // course_effects.cpp, hole_animations.cpp) ---------------------------------
  // A ball deep enough in the cup is holed: score, banner, end of the hole.
  void HoleOut(int32_t player);
  // A lost ball has been dropped back onto the course.
  void WaterPenalty(int32_t player);
  // Course effect slots and particles, after the course picture.
  void UpdateCourseEffects();
  void UpdateParticles();
  // The drifting sprites: reset once the surface is ready.
  void ResetDrifters();
  // Per-hole animations after the shot control.
  void UpdateHoleAnimations();
  // Name boxes, panel, ticker and banner.
  void DrawHud();
  // Game state 3 over a black surface.
  void DrawScoreCard();

  PlayScreenServices services_;
  std::array<BallTexture, kMaxPlayers> ballTextures_{};
  // Lets the physics' turn report through once per stop of the balls.
  TurnHandOver turnHandOver_;
  // A played-back frame's tick rate; -1 = the timer's own.
  int32_t forcedTickRate_ = -1;
  void Record(const InputEvent& event) {
    if (services_.recorder != nullptr) services_.recorder->Input(event);
  }
  // The turn inputs' share of a frame, and whether the machine's pointer
  // and buttons are kept out now (a computer player's turn).
  void FeedTurnInputs();
  bool PointerKeptOut() const;
  bool feedingTurnInputs_ = false;
  bool holeChangePending_ = false;
  bool closed_ = false;
  // The last left press, for double clicks.
  bool pressed_ = false;
  bool doublePress_ = false;
  uint32_t pressMs_ = 0;
  int32_t pressX_ = 0, pressY_ = 0;
  // What each pad button's press stood for, so that its release lets go of
  // the same key or mouse button.
  struct PadPress {
    uint16_t key = 0;  // a key; 0 for a mouse button or nothing
    MouseButton mouse = MouseButton::kLeft;
    bool held = false;
  };
  std::array<PadPress, kPadButtons> padPresses_{};
};

}  // namespace quendrix
