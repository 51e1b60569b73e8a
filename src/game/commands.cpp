// The play screen's key and mouse handlers. They only set flags, phases and
// states; the next frame acts on them.
//
// So far: leaving the title card and the other state screens, Esc then
// Enter to quit, any key or click after the game, Enter labels, Home, the
// arrow keys' free scroll and the putting buttons. The panel buttons, F1,
// F3, F4, F5, F8, Space, End and Page Up join with the HUD.
#include <cstdlib>

#include "core/angles.h"
#include "game/mainsource19.h"

namespace quendrix {

void TMain::FormKeyDown(uint16_t key) {
  GameSession& s = session;
  if (s.gameOver) {
    PlayClick();
    Shutdown();
    return;
  }
  if (s.gameState == 2 || s.gameState == 3) {
    s.gameState = 0;
    PlayClick();
    return;
  }
  if (key == vk::kReturn) {
    if (s.quitAsked) {
      PlayClick();
      Shutdown();
      return;
    }
    s.enterHeld = true;
  }
  if (s.quitAsked) {
    PlayClick();
    s.quitAsked = false;
    return;
  }
  if (s.gameState == 1) {
    s.gameState = 0;
    ReAnchor(s, *this);
    return;
  }
  switch (key) {
    case vk::kEscape:
      PlayClick();
      s.quitAsked = true;
      break;
    case vk::kHome:
      s.recentre = true;
      PlayClick();
      break;
    default:
      break;
  }
  // The view scrolls by the arrows only while no ball moves.
  if (!s.ballsMoving) {
    if (key == vk::kUp) s.scrollUpHeld = true;
    if (key == vk::kDown) s.scrollDownHeld = true;
    if (key == vk::kLeft) s.scrollLeftHeld = true;
    if (key == vk::kRight) s.scrollRightHeld = true;
  }
}

void TMain::FormKeyUp(uint16_t key) {
  GameSession& s = session;
  if (!s.ballsMoving) {
    if (key == vk::kUp) s.scrollUpHeld = false;
    if (key == vk::kDown) s.scrollDownHeld = false;
    if (key == vk::kLeft) s.scrollLeftHeld = false;
    if (key == vk::kRight) s.scrollRightHeld = false;
  }
  if (key == vk::kReturn) s.enterHeld = false;
}

void TMain::DXDrawMouseMove(int32_t x, int32_t y) {
  session.pointerStep = PlainDistance(session.pointerX, session.pointerY, x, y);
  session.pointerX = x;
  session.pointerY = y;
}

void TMain::DXDrawMouseDown(MouseButton button) {
  GameSession& s = session;
  switch (button) {
    case MouseButton::kRight:
      OnRightButton(s);
      if (s.quitAsked) {
        PlayClick();
        s.quitAsked = false;
      }
      break;
    case MouseButton::kLeft:
      OnLeftDown(s, *this);
      break;
    case MouseButton::kMiddle:
      break;
  }
}

void TMain::DXDrawMouseUp(MouseButton button) {
  GameSession& s = session;
  switch (button) {
    case MouseButton::kRight:
      OnRightButton(s);
      if (s.quitAsked) {
        PlayClick();
        s.quitAsked = false;
      }
      break;
    case MouseButton::kLeft:
      OnLeftUp(s, *this);
      break;
    case MouseButton::kMiddle:
      break;
  }
}

void TMain::DXDrawClick() {
  GameSession& s = session;
  if (s.gameOver) {
    PlayClick();
    Shutdown();
    return;
  }
  if (s.gameState >= 1 && s.gameState <= 3) {
    PlayClick();
    s.gameState = 0;
    ReAnchor(s, *this);
  }
}

void TMain::DXDrawDblClick() {}

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
  if (!closed_) DXDrawMouseMove(x, y);
}

void TMain::MouseDown(MouseButton button, uint32_t /*shift*/, int32_t x, int32_t y) {
  if (closed_) return;
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
  if (button == MouseButton::kLeft && !doublePress_ && x >= 0 && y >= 0 && x < SurfaceWidth() &&
      y < SurfaceHeight()) {
    DXDrawClick();
    if (closed_) return;
  }
  if (button == MouseButton::kLeft) doublePress_ = false;
  DXDrawMouseUp(button);
}

void TMain::CloseRequested() {
  if (!closed_) Shutdown();
}

}  // namespace quendrix
