// TMain's share of the rules, the HUD and the commands: its input handlers
// and call points hand the session to the modules that hold them (scoring,
// hud, commands), and it serves those modules as their PlayHost.
#include "game/commands.h"
#include "game/hud.h"
#include "game/mainsource19.h"
#include "game/scoring.h"

namespace quendrix {

// ---- Input handlers ---------------------------------------------------------

void TMain::FormKeyDown(VirtualKey key) {
  CommandKeyDown(session, *this, key);
}

void TMain::FormKeyUp(VirtualKey key) {
  CommandKeyUp(session, key);
}

void TMain::DXDrawMouseMove(int32_t x, int32_t y) {
  CommandMouseMove(session, x, y);
}

void TMain::DXDrawMouseDown(MouseButton button) {
  CommandMouseDown(session, *this, button);
}

void TMain::DXDrawMouseUp(MouseButton button) {
  CommandMouseUp(session, *this, button);
}

void TMain::DXDrawClick() {
  CommandClick(session, *this);
}

void TMain::DXDrawDblClick() {
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
