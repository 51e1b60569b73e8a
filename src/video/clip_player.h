// `MediaPlayer1`'s device: plays one clip at a time, picture through the
// presenter into the caller's renderer, sound to the audio device. Playback
// keeps to the clip's clock: the sound's when it has sound and a device
// plays it, the wall clock otherwise. Pictures that are late are dropped,
// never shown slow; an early one waits. The end of a play is reported
// through TakeNotice, which the modal loop polls on the one thread.
#pragma once

#include <cstdint>
#include <memory>

#include "video/clip_audio.h"
#include "video/clip_decoder.h"
#include "video/clip_presenter.h"
#include "video/video_window.h"

struct SDL_Renderer;

namespace quendrix {

class ClipPlayer : public ClipDevice {
 public:
  // `clock` is the wall clock; with `sound` off the clip always plays
  // silently (no audio device is opened).
  explicit ClipPlayer(Clock& clock, bool sound = true);
  ~ClipPlayer() override;

  void Open(const std::string& path) override;
  ClipRect Where() const override;
  void Play(bool notify) override;
  void Stop() override;
  void Close() override;
  bool IsOpen() const override { return decoder_ != nullptr; }
  void SetDisplayRect(const ClipRect& rect) override { rect_ = rect; }
  void Pause(bool paused) override;
  uint32_t Advance(bool& newPicture) override;
  bool TakeNotice() override;

  // Where pictures are drawn: the caller's renderer and the logical size of
  // its current target.
  void SetRenderer(SDL_Renderer* renderer, int32_t width, int32_t height);
  // Black, then the current picture in the control's rectangle.
  void Draw();
  // Frees what belongs to the renderer; before the renderer goes away.
  void ReleasePresentation() { presenter_.Release(); }

  const ClipInfo* Info() const { return decoder_ ? &decoder_->Info() : nullptr; }
  bool Playing() const { return playing_; }
  // Seconds of the clip played so far.
  double Position();
  bool SoundOn() const { return audio_.IsOpen(); }
  int64_t PicturesShown() const { return shown_; }
  int64_t PicturesDropped() const { return dropped_; }
  // Pictures decoded and waiting for their time.
  size_t PicturesAhead() const { return decoder_ ? decoder_->PicturesQueued() : 0; }

 private:
  void Finish();
  void Halt();
  void FeedSound();

  Clock& clock_;
  bool soundWanted_;
  std::unique_ptr<ClipDecoder> decoder_;
  ClipPresenter presenter_;
  ClipAudio audio_;
  ClipRect rect_;
  bool playing_ = false, paused_ = false, atEnd_ = false;
  bool notifyPending_ = false, notice_ = false;
  // Wall clock: the clip's position `base_` seconds at `anchor_` ms.
  double base_ = 0;
  uint32_t anchor_ = 0;
  // Sound clock: the position when the device's sound started.
  double soundBase_ = 0;
  int64_t popped_ = 0;       // pictures taken off the decoder's queue
  int64_t uploaded_ = -1;    // value of popped_ when the front picture was shown
  bool pictureDue_ = false;  // the front picture's time has come
  int64_t shown_ = 0, dropped_ = 0;
};

}  // namespace quendrix
