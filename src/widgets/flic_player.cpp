#include "widgets/flic_player.h"

#include <algorithm>

namespace quendrix {

void FlicPlayer::SetFileName(const std::string& path) {
  playing_ = false;
  decoder_.Close();
  fileName_ = path;
  status_ = FlicStatus::kNoFile;
  frames_ = current_ = 0;
  ring_ = false;
}

FlicPlayer::Placement FlicPlayer::Centre(int areaWidth, int areaHeight, int frameWidth,
                                         int frameHeight) {
  // Halves truncate towards zero, as the launch pad places its panels.
  return {(areaWidth - frameWidth) / 2, (areaHeight - frameHeight) / 2};
}

void FlicPlayer::Fail() {
  playing_ = false;
  status_ = FlicStatus::kDamaged;
}

bool FlicPlayer::EnsureOpen() {
  if (status_ == FlicStatus::kOpen) return true;
  if (status_ == FlicStatus::kDamaged && decoder_.IsOpen()) return current_ > 0;
  switch (decoder_.Open(fileName_)) {
    case FlicDecoder::OpenResult::kMissing:
      status_ = FlicStatus::kMissing;
      playing_ = false;
      // The text replaces the picture.
      hasPicture_ = false;
      ++version_;
      return false;
    case FlicDecoder::OpenResult::kUnreadable:
      Fail();
      return false;
    case FlicDecoder::OpenResult::kOk:
      break;
  }
  status_ = FlicStatus::kOpen;
  const int packets = decoder_.PacketCount();
  const int announced = decoder_.HeaderFrames();
  frames_ = announced > 0 ? announced : packets;
  ring_ = packets > frames_;
  current_ = 0;
  if (width_ != decoder_.Width() || height_ != decoder_.Height() || picture_.empty()) {
    width_ = decoder_.Width();
    height_ = decoder_.Height();
    picture_.assign(static_cast<size_t>(width_) * height_, 0);
    hasPicture_ = false;
  }
  return true;
}

bool FlicPlayer::Advance() {
  if (current_ >= frames_) {
    // Back to frame 1: through the ring frame where the file has one, else
    // (or when the ring frame is damaged) by decoding the first frame anew.
    if (ring_ && decoder_.Decode(frames_)) {
      current_ = 1;
      return true;
    }
    current_ = 0;
    if (!decoder_.Restart()) {
      Fail();
      return false;
    }
  }
  if (!decoder_.Decode(current_)) {
    Fail();
    return false;
  }
  ++current_;
  return true;
}

void FlicPlayer::Paint() {
  if (current_ <= 0 || picture_.empty()) return;
  const uint8_t* src = decoder_.Pixels();
  const uint32_t* pal = decoder_.Palette();
  uint32_t* dst = picture_.data();
  const size_t n = picture_.size();
  for (size_t i = 0; i < n; ++i) dst[i] = pal[src[i]] | 0xFF000000u;
  hasPicture_ = true;
  ++version_;
}

void FlicPlayer::Repaint() {
  if (status_ == FlicStatus::kMissing) {
    ++version_;
    return;
  }
  Paint();
}

bool FlicPlayer::ShowFrame(int n) {
  if (!EnsureOpen()) return false;
  const bool inRange = n >= 1 && n <= frames_;
  n = std::clamp(n, 1, frames_);
  if (n < current_) {
    if (!decoder_.Restart()) {
      Fail();
      return false;
    }
    current_ = 0;
  }
  bool ok = true;
  while (current_ < n && ok) ok = Advance();
  Paint();
  nextDue_ = clock_.Milliseconds() + static_cast<uint32_t>(SpeedMs());
  return ok && inRange && current_ == n;
}

bool FlicPlayer::ShowStoppedFrame(int n) {
  playing_ = false;
  bool ok = ShowFrame(n);
  playing_ = false;
  return ok;
}

bool FlicPlayer::Play() {
  if (!EnsureOpen()) return false;
  if (current_ == 0 || (current_ >= frames_ && !loop_)) {
    if (!ShowFrame(1)) return false;
  }
  playing_ = true;
  nextDue_ = clock_.Milliseconds() + static_cast<uint32_t>(SpeedMs());
  return true;
}

uint32_t FlicPlayer::MillisecondsToNextFrame() const {
  if (!playing_) return kNotPlaying;
  const auto left = static_cast<int32_t>(nextDue_ - clock_.Milliseconds());
  return left > 0 ? static_cast<uint32_t>(left) : 0;
}

bool FlicPlayer::Tick() {
  if (!playing_) return false;
  const uint32_t now = clock_.Milliseconds();
  const int32_t late = static_cast<int32_t>(now - nextDue_);
  if (late < 0) return false;
  const uint32_t speed = static_cast<uint32_t>(SpeedMs());
  uint32_t due = 1 + static_cast<uint32_t>(late) / speed;
  if (due >= static_cast<uint32_t>(kMaxCatchUpFrames)) {
    // Far behind (the loop was blocked): one frame now, the pace from here.
    due = 1;
    nextDue_ = now + speed;
  } else {
    nextDue_ += due * speed;
  }
  bool moved = false;
  for (uint32_t i = 0; i < due; ++i) {
    if (current_ >= frames_ && !loop_) {
      playing_ = false;
      break;
    }
    if (!Advance()) break;
    moved = true;
  }
  // Frames passed over while catching up are decoded but never painted.
  if (moved) Paint();
  return moved;
}

}  // namespace quendrix
