// gengineTimer: one frame of play, its thirteen steps in their order.
#include "game/ball_motion.h"
#include "game/camera.h"
#include "game/hud.h"
#include "game/mainsource19.h"

namespace quendrix {

void TMain::gengineTimer(int32_t /*lagCount*/) {
  // 1. Nothing at all while the surface cannot be drawn on.
  if (!DXDraw.IsReady()) return;
  // The computer players' inputs come first, as any input before a frame.
  FeedTurnInputs();
  if (closed_ || !DXDraw.IsReady()) return;
  TDirectDrawSurface& screen = DXDraw.Surface();

  // 2. Physics: every substep of ball 1, then of ball 2 ... The turn passes
  // inside, once, when the last moving ball comes to rest.
  turnHandOver_.Arm(session);
  MoveBalls(session);

  // 3. Camera and course picture.
  const CameraView view = MakeCameraView(screen, course);
  UpdateCamera(session, view);
  DrawCourse(session, view, screen, course);

  // 4. Course effects, then particles.
  UpdateCourseEffects();
  UpdateParticles();

  // 5. Balls in depth order with their drops, and the hole-out.
  BallPhase();

  // 6. The next hole, once the finished one's banner has faded.
  NextHoleIfDue();

  // 7. Shot control of the current player.
  UpdateAiming(session, *this, screen, gui);

  // 8. Animations of particular holes.
  UpdateHoleAnimations();

  // 9. Labels, panel, ticker and banner.
  DrawHud();

  // 10. Score card, putt help, title card.
  DrawStateScreens();

  // 11. Physics rate of the next frame from this tick's measured rate.
  const int32_t tickRate = forcedTickRate_ >= 0 ? forcedTickRate_ : gengine.TickRate();
  session.substeps = SubstepsForTickRate(tickRate);

  // 12. The game's own pointer.
  DrawPointer();

  // 13. The frame onto the display.
  DXDraw.Present();

  if (services_.recorder != nullptr) services_.recorder->Frame(tickRate, session);
}

void TMain::RunFrame(int32_t tickRate) {
  forcedTickRate_ = tickRate;
  gengineTimer(1);
  forcedTickRate_ = -1;
}

void TMain::BallPhase() {
  TDirectDrawSurface& screen = DXDraw.Surface();
  std::array<int32_t, 4> order{};
  const int32_t count = BallDrawOrder(session, order);
  for (int32_t k = 0; k < count; ++k) {
    const int32_t p = order[static_cast<size_t>(k)];
    playerrec& b = session.players[p];
    if (BallShown(b)) {
      DrawBall(session, p, screen, gui, course, ballTexture(p));
      if (b.lost && SinkInWater(session, p)) WaterPenalty(p);
    }
    if (b.inPipe) FallThroughPipe(session, p);
    if (b.inCup) SinkInCup(session, p);
    if (ReadyToHoleOut(b)) HoleOut(p);
  }
}

void TMain::NextHoleIfDue() {
  // A help or score screen opened over a finished hole replaces state 4;
  // the hole change waits until play shows again instead of being lost.
  if (session.gameState == GameState::kHoleFinished) holeChangePending_ = true;
  if (!holeChangePending_) return;
  if (session.gameState != GameState::kHoleFinished && session.gameState != GameState::kPlay)
    return;
  if (session.bannerFade >= 1) return;
  session.bannerText.clear();
  session.gameState = GameState::kPlay;
  session.holeName = session.nextHoleName;
  HoleInit();
}

void TMain::DrawStateScreens() {
  TDirectDrawSurface& screen = DXDraw.Surface();
  if (session.gameState == GameState::kScoreCard) DrawScoreCard();
  if (session.gameState == GameState::kPuttHelp) {
    screen.FillRaw(0);
    DrawCentred(menu, session.players[session.currentPlayer].pullPutt ? MenuImage::kPullHelp
                                                                      : MenuImage::kPushHelp);
  }
  if (session.gameState == GameState::kTitleCard) {
    screen.FillRaw(0);
    DrawCentred(course, HoleImage::kTitleCard);
  }
}

void TMain::DrawPointer() {
  quendrix::DrawPointer(session, DXDraw.Surface(), gui);
}

}  // namespace quendrix
