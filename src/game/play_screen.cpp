// TMain's share of the rules, the HUD and the commands: its input handlers
// and call points hand the session to the modules that hold them (scoring,
// hud, commands), and it serves those modules as their PlayHost. Every input
// is also written to the replay recorder when there is one.
#include "game/commands.h"
#include "game/hud.h"
#include "game/mainsource19.h"
#include "game/scoring.h"

namespace quendrix {

// ---- Input handlers ---------------------------------------------------------

void TMain::FormKeyDown(VirtualKey key) {
  Record({InputKind::kKeyDown, static_cast<int32_t>(key), 0});
  CommandKeyDown(session, *this, key);
}

void TMain::FormKeyUp(VirtualKey key) {
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
}

void TMain::SetAmbientLoop(bool playing) {
  TWaveCollectionItem* ambient = BackgroundWave(0);
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
