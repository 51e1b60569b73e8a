#include "game/headless_play.h"

namespace quendrix {

HeadlessPlay::HeadlessPlay(const LaunchSettings& launchSettings, std::filesystem::path dataDir,
                           uint64_t seed, ReplayRecorder* recorder, TurnInputs* turnInputs)
    : settings(launchSettings) {
  clock.Set(1000);
  PlayScreenServices services;
  services.display = &display;
  services.sound = &sound;
  services.clock = &clock;
  services.dataDir = std::move(dataDir);
  services.recorder = recorder;
  services.turnInputs = turnInputs;
  services.ticksPerSecond = 0;  // every Frame call is a frame
  services.setCursorPos = [this](int32_t x, int32_t y) {
    movePending_ = true;
    pendingX_ = x;
    pendingY_ = y;
  };
  main_ = std::make_unique<TMain>(settings, std::move(services), seed);
}

HeadlessPlay::~HeadlessPlay() = default;

void HeadlessPlay::Start() {
  main_->FormCreate();
  main_->Show();
  // The pointer starts in the middle, as over a freshly opened screen (the
  // move arrives with the first frame or input).
  main_->SetCursorPos(main_->SurfaceWidth() / 2, main_->SurfaceHeight() / 2);
}

bool HeadlessPlay::DeliverPendingMove() {
  if (!movePending_) return false;
  movePending_ = false;
  main_->MouseMove(0, pendingX_, pendingY_);
  return true;
}

bool HeadlessPlay::Frame(uint32_t ms) {
  DeliverPendingMove();
  clock.Advance(ms);
  sound.Advance(ms);
  const int before = display.PresentCount();
  main_->Idle();
  // Every frame ends with a presentation; a frame on an unready surface does
  // nothing at all and does not count.
  const bool ran = display.PresentCount() != before;
  if (ran) ++framesRun;
  return ran;
}

void HeadlessPlay::Frames(int32_t count, uint32_t ms) {
  int32_t done = 0;
  for (int32_t pass = 0; done < count && pass < 4 * count; ++pass)
    if (Frame(ms)) ++done;
}

void HeadlessPlay::MoveTo(int32_t x, int32_t y) {
  DeliverPendingMove();
  main_->MouseMove(0, x, y);
}

void HeadlessPlay::LeftDown() {
  DeliverPendingMove();
  const GameSession& s = main_->session;
  main_->MouseDown(MouseButton::kLeft, ssLeft, s.pointerX, s.pointerY);
}

void HeadlessPlay::LeftUp() {
  DeliverPendingMove();
  const GameSession& s = main_->session;
  main_->MouseUp(MouseButton::kLeft, 0, s.pointerX, s.pointerY);
}

void HeadlessPlay::RightClick() {
  DeliverPendingMove();
  const GameSession& s = main_->session;
  main_->MouseDown(MouseButton::kRight, ssRight, s.pointerX, s.pointerY);
  DeliverPendingMove();
  main_->MouseUp(MouseButton::kRight, 0, s.pointerX, s.pointerY);
}

void HeadlessPlay::Key(uint16_t key) {
  DeliverPendingMove();
  main_->KeyDown(key, 0);
  DeliverPendingMove();
  main_->KeyUp(key, 0);
}

}  // namespace quendrix
