#include "video/video_window.h"

#include <filesystem>
#include <utility>

#include "core/language.h"

namespace quendrix {

void TMediaPlayer::SetBounds(int32_t left, int32_t top, int32_t width, int32_t height) {
  Left = left;
  Top = top;
  Width = width;
  Height = height;
  device_.SetDisplayRect({left, top, left + width, top + height});
}

TVideoWindow::TVideoWindow(ClipDevice& device, SystemPointer& pointer, VideoClock& clock,
                           std::string folder)
    : MediaPlayer1(device), pointer_(pointer), clock_(clock), folder_(std::move(folder)) {}

TVideoWindow::~TVideoWindow() {
  // The device is closed when its window goes.
  MediaPlayer1.Close();
}

void TVideoWindow::SetScreen(int32_t width, int32_t height) {
  screenWidth_ = width;
  screenHeight_ = height;
}

void TVideoWindow::BeginModal() {
  Showing = true;
  ModalResult = mrNone;
}

void TVideoWindow::SetCursorNone(bool none) {
  if (CursorNone == none) return;
  CursorNone = none;
  pointer_.SetWindowCursor(none);
}

void TMediaPlayer::Open() {
  if (LanguageFolder().empty()) {
    device_.Open(FileName);
    return;
  }
  const std::filesystem::path path(FileName);
  device_.Open(LanguageVariant(path.parent_path(), path.filename()).string());
}

void TVideoWindow::PrepareClip(const char* name, bool onShow) {
  // The pointer goes at once, not only once the wait is over and the clip
  // plays: the black window shows no pointer from its first moment.
  SetCursorNone(true);
  if (onShow) {
    Left = 0;
    Top = 0;
    Width = screenWidth_;
    Height = screenHeight_;
  }
  MediaPlayer1.Notify = false;
  MediaPlayer1.FileName = folder_ + name;
  MediaPlayer1.Open();
  MediaPlayer1.Notify = true;
  const ClipRect r = MediaPlayer1.DisplayRect();
  const int32_t w = r.right - r.left, h = r.bottom - r.top;
  // C++ division truncates towards zero, as the centring wants.
  MediaPlayer1.SetBounds(Width / 2 - w / 2, Height / 2 - h / 2, w, h);
}

void TVideoWindow::FormActivate() {
  // The black window stands still: the tick counter is watched, but no
  // message is handled until the clip starts.
  const uint32_t start = clock_.Milliseconds();
  for (uint32_t passed = 0; passed < kActivationWait; passed = clock_.Milliseconds() - start)
    clock_.Sleep(kActivationWait - passed);
  MediaPlayer1.Play();
  pointer_.SetCursorPos(Width, Height);
  pointer_.ShowCursor(false);
  pointerHidden_ = true;
}

void TVideoWindow::EndWindow() {
  // A second end (a late completion of the credits clip) finds the window
  // closed and must not give the pointer a second step up the count.
  if (!Showing) return;
  // The file name goes first, so that a completion the stopped play still
  // reports matches no clip.
  MediaPlayer1.FileName.clear();
  MediaPlayer1.Notify = false;
  MediaPlayer1.Stop();
  Showing = false;
  ModalResult = mrOk;
  GivePointerBack();
}

void TVideoWindow::GivePointerBack() {
  if (pointerHidden_) {
    pointer_.ShowCursor(true);
    pointerHidden_ = false;
  }
  // The window has gone, and its cursor shape with it.
  SetCursorNone(false);
}

void TVideoWindow::FormKeyDown(uint16_t, uint32_t) {
  EndWindow();
}

void TVideoWindow::FormMouseDown(MouseButton, uint32_t, int32_t, int32_t) {
  EndWindow();
}

void TVideoWindow::FormMouseMove(uint32_t, int32_t, int32_t) {
  pointer_.SetCursorPos(Width, Height);
}

void TVideoWindow::CloseAfterError() {
  if (!Showing) return;
  MediaPlayer1.FileName.clear();
  MediaPlayer1.Notify = false;
  if (MediaPlayer1.Device().IsOpen()) MediaPlayer1.Stop();
  Showing = false;
  ModalResult = mrCancel;
  GivePointerBack();
}

void TVideoWindow::CloseRequested() {
  if (!Showing) return;
  if (MediaPlayer1.Device().IsOpen()) {
    EndWindow();
  } else {
    CloseAfterError();
  }
}

}  // namespace quendrix
