// A play screen without a screen, for tests and tools: the memory display,
// the silent sound device and a manual clock, driven frame by frame with
// injected pointer, button and key events in the order the platform
// delivers them.
#pragma once

#include <cstdint>
#include <filesystem>
#include <memory>

#include "game/launch_settings.h"
#include "game/mainsource19.h"
#include "media/display.h"
#include "media/dx_timer.h"
#include "media/sound_device.h"

namespace quendrix {

class HeadlessPlay {
 public:
  // The play screen of a game with these settings on the data in `dataDir`.
  // With a recorder every input and frame is written to it; with turn
  // inputs the computer players among them play their turns.
  HeadlessPlay(const LaunchSettings& settings, std::filesystem::path dataDir, uint64_t seed = 1,
               ReplayRecorder* recorder = nullptr, TurnInputs* turnInputs = nullptr);
  ~HeadlessPlay();
  HeadlessPlay(const HeadlessPlay&) = delete;
  HeadlessPlay& operator=(const HeadlessPlay&) = delete;

  // FormCreate and Show: start-up up to the first hole's title card, with
  // the pointer in the middle of the screen.
  void Start();

  // Lets `ms` milliseconds pass and runs the message loop's idle pass once.
  // True when a frame ran.
  bool Frame(uint32_t ms = 16);
  // Runs frames until `count` have run (at most 4 count idle passes).
  void Frames(int32_t count, uint32_t ms = 16);

  // Input, as the platform delivers it (through the InputHandler side of
  // TMain, at the pointer's position).
  void MoveTo(int32_t x, int32_t y);
  void LeftDown();
  // Release: the click comes before the button-up.
  void LeftUp();
  void LeftClick() {
    LeftDown();
    LeftUp();
  }
  void RightClick();
  void Key(uint16_t key);

  // A pointer move the game asked for (SetCursorPos) reaches it as a move
  // before the next frame or input, as the platform reports it. Playback of
  // a recording leaves it out: the recording holds the move.
  bool DeliverPendingMove();

  TMain& main() { return *main_; }
  GameSession& session() { return main_->session; }
  playerrec& ball(int32_t player) { return main_->session.players[player]; }
  // The back surface: what the last frame drew.
  const TDirectDrawSurface& BackSurface() { return main_->DXDraw.Surface(); }

  LaunchSettings settings;
  MemoryDisplay display;
  SilentSoundDevice sound;
  ManualClock clock;
  int32_t framesRun = 0;

 private:
  std::unique_ptr<TMain> main_;
  bool movePending_ = false;
  int32_t pendingX_ = 0, pendingY_ = 0;
};

}  // namespace quendrix
