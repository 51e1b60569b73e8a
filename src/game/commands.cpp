#include "game/commands.h"

#include "core/angles.h"
#include "game/game_state.h"
#include "game/hud.h"
#include "game/play_host.h"
#include "game/play_texts.h"
#include "media/surface.h"

namespace quendrix {

namespace {

// Frame timer intervals F5 cycles through, milliseconds.
constexpr int32_t kInterval60 = 0;
constexpr int32_t kInterval30 = 33;
constexpr int32_t kInterval15 = 66;

void Click(GameSession& s) {
  s.Sound(EffectSound::kClick);
}

void Post(GameSession& s, std::string_view text) {
  s.tickerText.assign(text.data(), text.size());
  s.tickerPos = 0;
}

playerrec& CurrentBall(GameSession& s) {
  const int32_t p = s.currentPlayer < 1 || s.currentPlayer > kMaxPlayers ? 1 : s.currentPlayer;
  return s.players[p];
}

void TogglePuttStyle(GameSession& s) {
  playerrec& b = CurrentBall(s);
  b.pullPutt = !b.pullPutt;
  Post(s, Text(b.pullPutt ? PlayText::kPullOn : PlayText::kPullOff));
}

// The ambient loop plays only while both switches are on.
void FollowAmbient(GameSession& s, PlayHost& host) {
  host.SetAmbientLoop(s.soundOn && s.ambientOn);
}

void ToggleSound(GameSession& s, PlayHost& host, std::string_view onText) {
  s.soundOn = !s.soundOn;
  // Turning the sound on is confirmed by the click; turning it off is silent.
  if (s.soundOn) Click(s);
  Post(s, s.soundOn ? onText : Text(PlayText::kSoundOff));
  FollowAmbient(s, host);
}

void CycleFrameRate(GameSession& s, PlayHost& host) {
  s.tickerPos = 0;
  Click(s);
  switch (host.FrameInterval()) {
    case kInterval60:
      host.SetFrameInterval(kInterval15);
      Post(s, Text(PlayText::kFrameRate15));
      break;
    case kInterval15:
      host.SetFrameInterval(kInterval30);
      Post(s, Text(PlayText::kFrameRate30));
      break;
    case kInterval30:
      host.SetFrameInterval(kInterval60);
      Post(s, Text(PlayText::kFrameRate60));
      break;
    default:  // an interval set elsewhere: only the ticker restarts
      break;
  }
}

void ShowScoreCardIfStill(GameSession& s) {
  if (!s.ballsMoving) s.gameState = GameState::kScoreCard;
}

}  // namespace

void ReAnchorPointer(GameSession& s, PlayHost& host) {
  s.anchorX = host.SurfaceWidth() / 2;
  s.anchorY = host.SurfaceHeight() / 2;
  host.SetCursorPos(s.anchorX, s.anchorY);
}

namespace {

// ---- Keys, one handler per phase ---------------------------------------------

bool Gives(uint16_t key, PlayAction action) {
  const PlayCommand* command = FindPlayCommand(key);
  return command != nullptr && command->action == action;
}

// A finished game: any key leaves.
void KeyEndsGame(GameSession& s, PlayHost& host) {
  Click(s);
  host.LeavePlayScreen();
}

// The title card or the score card: any key closes it, and does nothing else.
void KeyClosesCard(GameSession& s) {
  s.gameState = GameState::kPlay;
  Click(s);
}

// The quit question: Enter leaves, any other key withdraws it.
void KeyAnswersQuit(GameSession& s, PlayHost& host, uint16_t key) {
  Click(s);
  if (key == vk::kReturn) {
    host.LeavePlayScreen();
  } else {
    s.quitAsked = false;
  }
}

// The putting help: F8 switches the putting (the help's picture follows it),
// any other key closes the help.
void KeyOnHelp(GameSession& s, PlayHost& host, uint16_t key) {
  if (Gives(key, PlayAction::kPuttStyle)) {
    Click(s);
    TogglePuttStyle(s);
    return;
  }
  s.gameState = GameState::kPlay;
  ReAnchorPointer(s, host);
}

// The commands that act while their key is held, and their flags.
struct HeldFlag {
  PlayAction action;
  bool GameSession::*flag;
};
constexpr HeldFlag kHeldFlags[] = {
    {PlayAction::kScrollUp, &GameSession::scrollUpHeld},
    {PlayAction::kScrollDown, &GameSession::scrollDownHeld},
    {PlayAction::kScrollLeft, &GameSession::scrollLeftHeld},
    {PlayAction::kScrollRight, &GameSession::scrollRightHeld},
    {PlayAction::kShowNames, &GameSession::enterHeld},
};

// Sets or clears the flag of a command that acts while its key is held.
void Hold(GameSession& s, PlayAction action, bool held) {
  for (const HeldFlag& h : kHeldFlags)
    if (h.action == action) s.*h.flag = held;
}

bool IsScroll(PlayAction action) {
  return action == PlayAction::kScrollUp || action == PlayAction::kScrollDown ||
         action == PlayAction::kScrollLeft || action == PlayAction::kScrollRight;
}

// The course (also in the frame a hole is finished): the command the key
// gives, if any.
void KeyInPlay(GameSession& s, PlayHost& host, uint16_t key) {
  const PlayCommand* command = FindPlayCommand(key);
  if (command == nullptr) return;
  switch (command->action) {
    case PlayAction::kPuttStyle:
      Click(s);
      TogglePuttStyle(s);
      break;
    case PlayAction::kScoreCard:
      Click(s);
      ShowScoreCardIfStill(s);
      break;
    case PlayAction::kQuit:
      Click(s);
      s.quitAsked = true;
      break;
    case PlayAction::kCompactPanel:
      Click(s);
      s.compactHud = !s.compactHud;
      break;
    case PlayAction::kRecentre:
      s.recentre = true;
      Click(s);
      break;
    case PlayAction::kFrameRate:
      CycleFrameRate(s, host);
      break;
    case PlayAction::kSound:
      ToggleSound(s, host, Text(PlayText::kSoundOnKey));
      break;
    case PlayAction::kAmbientSound:
      Click(s);
      s.ambientOn = !s.ambientOn;
      Post(s, Text(s.ambientOn ? PlayText::kAmbientOn : PlayText::kAmbientOff));
      FollowAmbient(s, host);
      break;
    case PlayAction::kPuttHelp:
      if (s.gameState == GameState::kPlay) {
        Click(s);
        s.gameState = GameState::kPuttHelp;
      }
      break;
    case PlayAction::kTitleCard:
      if (s.gameState == GameState::kPlay) {
        Click(s);
        s.gameState = GameState::kTitleCard;
      }
      break;
    case PlayAction::kScrollUp:
    case PlayAction::kScrollDown:
    case PlayAction::kScrollLeft:
    case PlayAction::kScrollRight:
      // The view scrolls by the arrows only while no ball moves.
      if (!s.ballsMoving) Hold(s, command->action, true);
      break;
    case PlayAction::kShowNames:  // held already
    case PlayAction::kCancelAim:  // the mouse's
    case PlayAction::kPutt:
      break;
  }
}

}  // namespace

void CommandKeyDown(GameSession& s, PlayHost& host, uint16_t key) {
  // The phases in the order they take the key.
  if (s.gameOver) return KeyEndsGame(s, host);
  if (s.gameState == GameState::kTitleCard || s.gameState == GameState::kScoreCard)
    return KeyClosesCard(s);
  if (s.quitAsked) return KeyAnswersQuit(s, host, key);
  // Enter shows the labels while held, also as it closes the help.
  if (Gives(key, PlayAction::kShowNames)) Hold(s, PlayAction::kShowNames, true);
  if (s.gameState == GameState::kPuttHelp) return KeyOnHelp(s, host, key);
  KeyInPlay(s, host, key);
}

void CommandKeyUp(GameSession& s, uint16_t key) {
  const PlayCommand* command = FindPlayCommand(key);
  if (command == nullptr) return;
  // A key released while a ball rolls leaves its flag set: the view goes on
  // scrolling once the balls stop, until the key is pressed and released.
  if (IsScroll(command->action) && s.ballsMoving) return;
  Hold(s, command->action, false);
}

void CommandMouseMove(GameSession& s, int32_t x, int32_t y) {
  s.pointerStep = PlainDistance(s.pointerX, s.pointerY, x, y);
  s.pointerX = x;
  s.pointerY = y;
}

namespace {

// The right button, pressed or released: cancels an aim and takes back a
// pending question to leave.
void RightButton(GameSession& s, PlayHost& host) {
  host.ShotCancel();
  if (s.quitAsked) {
    Click(s);
    s.quitAsked = false;
  }
}

}  // namespace

void CommandMouseDown(GameSession& s, PlayHost& host, MouseButton button) {
  switch (button) {
    case MouseButton::kRight:
      RightButton(s, host);
      return;
    case MouseButton::kMiddle:
      return;
    case MouseButton::kLeft:
      break;
  }
  host.ShotLeftDown();
  if (s.shotPhase != 0) return;
  const TPoint at{s.pointerX, s.pointerY};
  for (int32_t k = 1; k <= 5; ++k)
    if (InsideRect(at, ButtonPressRect(k))) s.buttonDown[k] = true;
}

void CommandMouseUp(GameSession& s, PlayHost& host, MouseButton button) {
  switch (button) {
    case MouseButton::kRight:
      RightButton(s, host);
      return;
    case MouseButton::kMiddle:
      return;
    case MouseButton::kLeft:
      host.ShotLeftUp();
      return;
  }
}

void CommandClick(GameSession& s, PlayHost& host) {
  // 1.
  if (s.gameOver) {
    Click(s);
    host.LeavePlayScreen();
    return;
  }
  // 2. A click closes the help screen, the title card and the score card.
  if (ShowsCard(s.gameState)) {
    Click(s);
    s.gameState = GameState::kPlay;
    ReAnchorPointer(s, host);
    return;
  }
  // 3. The panel does not answer while aiming or while a ball rolls.
  if (s.shotPhase != 0 || s.ballsMoving) return;

  const TPoint at{s.pointerX, s.pointerY};
  // 4. Button 1 runs the last ticker text again.
  if (InsideRect(at, ButtonPressRect(1))) {
    s.tickerPos = 0;
    Click(s);
    s.buttonDown[1] = false;
    return;
  }
  // 5, 6. The putt-style sign and button 2 switch push and pull.
  if (InsideRect(at, kPuttSign)) {
    Click(s);
    TogglePuttStyle(s);
    return;
  }
  if (InsideRect(at, ButtonPressRect(2))) {
    Click(s);
    TogglePuttStyle(s);
    s.buttonDown[2] = false;
    return;
  }
  // 7. Button 3, the sound; the tests go on.
  if (InsideRect(at, ButtonPressRect(3))) ToggleSound(s, host, Text(PlayText::kSoundOnButton));
  // 8. Button 4, the putt help.
  if (InsideRect(at, ButtonPressRect(4))) {
    Click(s);
    s.buttonDown[4] = false;
    s.gameState = GameState::kPuttHelp;
  }
  // 9. Button 5, back to the ball.
  if (InsideRect(at, ButtonPressRect(5))) {
    s.recentre = true;
    Click(s);
    s.buttonDown[5] = false;
    return;
  }
  // 10.
  if (InsideRect(at, kCloseBox)) {
    Click(s);
    s.quitAsked = true;
  }
  // 11, 12. The score-card area exists on the full panel only.
  if (s.compactHud) return;
  if (InsideRect(at, kScoreCardArea)) {
    Click(s);
    ShowScoreCardIfStill(s);
  }
}

void CommandDblClick(GameSession& s, PlayHost&) {
  if (!InsideRect({s.pointerX, s.pointerY}, kPanelTopStrip)) return;
  Click(s);
  s.compactHud = !s.compactHud;
}

}  // namespace quendrix
