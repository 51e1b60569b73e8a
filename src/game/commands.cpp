// The play screen's key and mouse handlers. They only set flags, phases and
// states; the next frame acts on them.
//
// So far: leaving the title card and the other state screens, Esc then
// Enter to quit, any key or click after the game, Enter labels, Home, the
// arrow keys' free scroll and the putting buttons. The panel buttons, F1,
// F3, F4, F5, F8, Space, End and Page Up join with the HUD.
#include "core/angles.h"
#include "game/mainsource19.h"

namespace quendrix {

void TMain::FormKeyDown(VirtualKey key) {
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
  if (key == kVkReturn) {
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
    case kVkEscape:
      PlayClick();
      s.quitAsked = true;
      break;
    case kVkHome:
      s.recentre = true;
      PlayClick();
      break;
    default:
      break;
  }
  // The view scrolls by the arrows only while no ball moves.
  if (!s.ballsMoving) {
    if (key == kVkUp) s.scrollUpHeld = true;
    if (key == kVkDown) s.scrollDownHeld = true;
    if (key == kVkLeft) s.scrollLeftHeld = true;
    if (key == kVkRight) s.scrollRightHeld = true;
  }
}

void TMain::FormKeyUp(VirtualKey key) {
  GameSession& s = session;
  if (!s.ballsMoving) {
    if (key == kVkUp) s.scrollUpHeld = false;
    if (key == kVkDown) s.scrollDownHeld = false;
    if (key == kVkLeft) s.scrollLeftHeld = false;
    if (key == kVkRight) s.scrollRightHeld = false;
  }
  if (key == kVkReturn) s.enterHeld = false;
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

}  // namespace quendrix
