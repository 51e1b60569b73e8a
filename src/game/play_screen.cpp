// TMain's share of the rules, the HUD and the commands: its input handlers
// and call points hand the session to the modules that hold them (scoring,
// hud, commands), and it serves those modules as their PlayHost. Every input
// is also written to the replay recorder when there is one.
#include <cstdlib>

#include "game/commands.h"
#include "game/hud.h"
#include "game/mainsource19.h"
#include "game/play_commands.h"
#include "game/scoring.h"

namespace quendrix {

// ---- Input handlers ---------------------------------------------------------

void TMain::FormKeyDown(uint16_t key) {
  Record({InputKind::kKeyDown, static_cast<int32_t>(key), 0});
  CommandKeyDown(session, *this, key);
}

void TMain::FormKeyUp(uint16_t key) {
  Record({InputKind::kKeyUp, static_cast<int32_t>(key), 0});
  CommandKeyUp(session, key);
}

void TMain::DXDrawMouseMove(int32_t x, int32_t y) {
  Record({InputKind::kMove, x, y});
  CommandMouseMove(session, x, y);
}

void TMain::DXDrawMouseDown(MouseButton button) {
  Record({InputKind::kDown, static_cast<int32_t>(button), 0});
  CommandMouseDown(session, *this, button);
}

void TMain::DXDrawMouseUp(MouseButton button) {
  Record({InputKind::kUp, static_cast<int32_t>(button), 0});
  CommandMouseUp(session, *this, button);
}

void TMain::DXDrawClick() {
  Record({InputKind::kClick, 0, 0});
  CommandClick(session, *this);
}

void TMain::DXDrawDblClick() {
  Record({InputKind::kDblClick, 0, 0});
  CommandDblClick(session, *this);
}

// ---- InputHandler: the platform's events as the handlers above want them ----

namespace {

// A second press within this time and distance of the first is a double click.
constexpr uint32_t kDoubleClickMs = 500;
constexpr int32_t kDoubleClickPixels = 4;

}  // namespace

void TMain::KeyDown(uint16_t key, uint32_t /*shift*/) {
  if (!closed_) FormKeyDown(key);
}

void TMain::KeyUp(uint16_t key, uint32_t /*shift*/) {
  if (!closed_) FormKeyUp(key);
}

void TMain::MouseMove(uint32_t /*shift*/, int32_t x, int32_t y) {
  if (!closed_ && !PointerKeptOut()) DXDrawMouseMove(x, y);
}

void TMain::MouseDown(MouseButton button, uint32_t /*shift*/, int32_t x, int32_t y) {
  if (closed_ || PointerKeptOut()) return;
  if (button == MouseButton::kLeft) {
    const uint32_t now = services_.clock->Milliseconds();
    doublePress_ = pressed_ && now - pressMs_ <= kDoubleClickMs &&
                   std::abs(x - pressX_) <= kDoubleClickPixels &&
                   std::abs(y - pressY_) <= kDoubleClickPixels;
    // A third press starts counting afresh.
    pressed_ = !doublePress_;
    pressMs_ = now;
    pressX_ = x;
    pressY_ = y;
    if (doublePress_) DXDrawDblClick();
  }
  DXDrawMouseDown(button);
}

void TMain::MouseUp(MouseButton button, uint32_t /*shift*/, int32_t x, int32_t y) {
  if (closed_) return;
  const bool onSurface = x >= 0 && y >= 0 && x < SurfaceWidth() && y < SurfaceHeight();
  if (PointerKeptOut()) {
    // A card over the course still closes on a click, and on nothing more.
    if (button == MouseButton::kLeft && onSurface && ShowsCard(session.gameState)) DXDrawClick();
    return;
  }
  if (button == MouseButton::kLeft && !doublePress_ && onSurface) {
    DXDrawClick();
    if (closed_) return;
  }
  if (button == MouseButton::kLeft) doublePress_ = false;
  DXDrawMouseUp(button);
}

void TMain::PadDown(PadButton button) {
  const PlayCommand* command = FindPadCommand(button);
  if (closed_ || command == nullptr) return;
  PadPress& press = padPresses_[static_cast<size_t>(button)];
  if (press.held) return;
  press = PadPress{command->key, MouseButton::kLeft, true};
  const bool answersQuit = button == PadButton::kA || button == PadButton::kStart;
  if (session.quitAsked && answersQuit) {
    press.key = vk::kReturn;
  } else if (command->action == PlayAction::kCancelAim) {
    press.mouse = MouseButton::kRight;
  }
  if (press.key != 0) {
    KeyDown(press.key, 0);
  } else {
    MouseDown(press.mouse, press.mouse == MouseButton::kLeft ? ssLeft : ssRight, session.pointerX,
              session.pointerY);
  }
}

void TMain::PadUp(PadButton button) {
  if (button == PadButton::kNone) return;
  PadPress& press = padPresses_[static_cast<size_t>(button)];
  if (!press.held) return;
  press.held = false;
  if (press.key != 0) {
    KeyUp(press.key, 0);
  } else {
    MouseUp(press.mouse, 0, session.pointerX, session.pointerY);
  }
}

void TMain::CloseRequested() {
  if (!closed_) Shutdown();
}

// ---- Turn inputs (computer players) -------------------------------------------

// In a computer player's turn the machine's pointer moves and buttons are
// dropped before they are recorded, so that a replay, which runs no
// computer player, gets the same inputs; even a press on a card could
// start an aim for it. A card still closes on a click (MouseUp), and the
// finished game still takes every click.
bool TMain::PointerKeptOut() const {
  const TurnInputs* inputs = services_.turnInputs;
  return inputs != nullptr && !feedingTurnInputs_ && !session.gameOver &&
         inputs->Plays(session.currentPlayer);
}

void TMain::FeedTurnInputs() {
  if (services_.turnInputs == nullptr) return;
  struct Feeding {
    bool& flag;
    ~Feeding() { flag = false; }
  } feeding{feedingTurnInputs_};
  feedingTurnInputs_ = true;
  services_.turnInputs->BeforeFrame(session, *this);
}

// ---- Call points of the frame -----------------------------------------------

void TMain::HoleOut(int32_t player) {
  quendrix::HoleOut(session, player);
}

void TMain::WaterPenalty(int32_t player) {
  quendrix::WaterPenalty(session, player);
}

void TMain::DrawHud() {
  quendrix::DrawHud(session, DXDraw.Surface(), gui, menu);
}

void TMain::DrawScoreCard() {
  quendrix::DrawScoreCard(session, DXDraw.Surface(), menu);
}

// ---- PlayHost ---------------------------------------------------------------

int32_t TMain::FrameInterval() const {
  return static_cast<int32_t>(gengine.Interval());
}

void TMain::SetFrameInterval(int32_t ms) {
  gengine.SetInterval(ms);
  // F5 comes round to 0 as the 60-frames item, even after "no limit".
  if (ms == 0) gengine.SetPace(services_.ticksPerSecond);
}

void TMain::SetAmbientLoop(bool playing) {
  TWaveCollectionItem* ambient = BackgroundWave(HoleSound::kAmbient);
  if (ambient == nullptr) return;
  if (playing) {
    ambient->SetLooped(true);
    ambient->PlaySound();
  } else {
    ambient->StopSound();
  }
}

void TMain::ShotLeftDown() {
  OnLeftDown(session, *this);
}

void TMain::ShotLeftUp() {
  OnLeftUp(session, *this);
}

void TMain::ShotCancel() {
  OnRightButton(session);
}

void TMain::LeavePlayScreen() {
  Shutdown();
}

}  // namespace quendrix
