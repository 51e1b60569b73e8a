// The launch pad's FLIC animation player as plain state: which file, which
// frame, playing or not, and the current picture in 32-bit colour. No SDL
// here: a clock drives it, tests move a manual one, and FlicPresenter puts
// the picture on the screen.
//
// Frames are numbered 1 ... FrameCount(). A file's ring frame (the change
// from its last frame back to its first) is not a frame of the animation: a
// loop goes from frame N to frame 1 through it, so frame 1 is never shown
// twice in a row.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "core/language.h"
#include "media/dx_timer.h"
#include "widgets/flic_decoder.h"

namespace quendrix {

enum class FlicStatus {
  kNoFile,   // no file opened yet (or the name just changed)
  kOpen,     // frames decode
  kMissing,  // the file does not exist: the missing-file text is shown
  kDamaged,  // not a FLIC file, or a frame that would not decode: stopped
};

class FlicPlayer {
 public:
  // Painted at (kMissingTextX, kMissingTextY) of the player's area instead
  // of a picture when the file does not exist.
  static constexpr const char* kMissingText = TrNoop("Fatal Error: File does not exist!");
  static constexpr int kMissingTextX = 5;
  static constexpr int kMissingTextY = 5;
  // A tick this many frames late or more skips ahead instead of catching up.
  static constexpr int kMaxCatchUpFrames = 4;

  explicit FlicPlayer(Clock& clock) : clock_(clock) {}

  // Stops a running file and forgets it; the next Play or ShowFrame opens
  // the new one. The picture stays until a frame of the new file replaces
  // it.
  void SetFileName(const std::string& path);
  const std::string& FileName() const { return fileName_; }
  // On (the default): after the last frame comes the first again.
  void SetLoop(bool loop) { loop_ = loop; }
  bool Loop() const { return loop_; }

  // Opens the file if needed and runs its frames on the clock, from frame 1
  // for a file just opened (shown at once), else from the current frame.
  // False when the file is missing or shows no frame.
  bool Play();
  void Stop() { playing_ = false; }
  // Decodes up to frame n (clamped to 1 ... FrameCount()) and paints it at
  // once; a playing file goes on from there. False when it cannot be shown
  // or n was out of range.
  bool ShowFrame(int n);
  // Opens the file, shows frame n, stops.
  bool ShowStoppedFrame(int n);
  // Paints the current frame again.
  void Repaint();
  // The polled timer: advances as many frames as the file's speed says are
  // due since the last one. True when the picture changed.
  bool Tick();
  // Milliseconds until Tick moves the picture on (0: due now); kNotPlaying
  // while the file does not play.
  static constexpr uint32_t kNotPlaying = 0xFFFFFFFFu;
  uint32_t MillisecondsToNextFrame() const;

  bool Playing() const { return playing_; }
  FlicStatus Status() const { return status_; }
  bool FileMissing() const { return status_ == FlicStatus::kMissing; }
  int FrameCount() const { return frames_; }
  int CurrentFrame() const { return current_; }  // 0: none shown yet
  int SpeedMs() const { return decoder_.SpeedMs(); }
  int Width() const { return width_; }
  int Height() const { return height_; }
  // Width x Height pixels 0xAARRGGBB (alpha 255), rows Width apart;
  // nullptr when there is no picture.
  const uint32_t* Picture() const { return hasPicture_ ? picture_.data() : nullptr; }
  // Changes whenever the picture does (or is painted again).
  uint64_t PictureVersion() const { return version_; }

  // Top-left corner of a frame centred, at its own size, in an area:
  // negative when the frame is larger (it is cropped, never scaled).
  struct Placement {
    int x, y;
  };
  static Placement Centre(int areaWidth, int areaHeight, int frameWidth, int frameHeight);
  Placement FramePlacement(int areaWidth, int areaHeight) const {
    return Centre(areaWidth, areaHeight, width_, height_);
  }

 private:
  bool EnsureOpen();
  // Decodes the frame after the current one (frame 1 after the last);
  // stops and marks the file damaged when it does not decode.
  bool Advance();
  void Paint();
  void Fail();

  Clock& clock_;
  FlicDecoder decoder_;
  std::string fileName_;
  FlicStatus status_ = FlicStatus::kNoFile;
  bool loop_ = true;
  bool playing_ = false;
  int frames_ = 0;  // frames of the animation, the ring frame not counted
  bool ring_ = false;
  int current_ = 0;
  uint32_t nextDue_ = 0;  // clock time of the next frame
  int width_ = 0, height_ = 0;
  std::vector<uint32_t> picture_;
  bool hasPicture_ = false;
  uint64_t version_ = 0;
};

}  // namespace quendrix
