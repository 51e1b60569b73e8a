#include "video/clip_player.h"

#include <algorithm>
#include <cmath>

namespace quendrix {
namespace {

// Sound kept queued ahead of the hardware, seconds: enough to ride over a
// slow frame, little enough that a stop is heard at once.
constexpr double kSoundAhead = 0.25;
// Pictures decoded ahead at most while they are all that is wanted.
constexpr size_t kPicturesAhead = 16;
// Pictures decoded ahead at most while looking for sound (two seconds at
// 25 a second): sound may lie a little behind the pictures in the file,
// and a clip whose sound ends before its pictures must not be decoded
// whole into memory.
constexpr size_t kPicturesAheadForSound = 50;
// Packets read in one Advance at most, so events keep flowing.
constexpr int kStepsPerAdvance = 96;

}  // namespace

ClipPlayer::ClipPlayer(Clock& clock, bool sound) : clock_(clock), soundWanted_(sound) {}

ClipPlayer::~ClipPlayer() {
  Close();
}

void ClipPlayer::Open(const std::string& path) {
  Close();
  const SoundFormat sound =
      soundWanted_ ? SoundFormat{ClipAudio::kRate, ClipAudio::kChannels} : SoundFormat{0, 0};
  decoder_ = std::make_unique<ClipDecoder>(path, sound);
  presenter_.Clear();
  base_ = 0;
  atEnd_ = false;
}

ClipRect ClipPlayer::Where() const {
  if (!decoder_) return {};
  return {0, 0, decoder_->Info().width, decoder_->Info().height};
}

void ClipPlayer::Play(bool notify) {
  if (!decoder_) throw ClipError(kNoDeviceOpen);
  // A play still running is superseded: its end is reported now.
  if (notifyPending_) notice_ = true;
  notifyPending_ = notify;
  if (atEnd_) {
    Finish();
    return;
  }
  if (!playing_) {
    playing_ = true;
    anchor_ = clock_.Milliseconds();
    if (soundWanted_ && decoder_->Info().hasAudio && audio_.Open()) {
      soundBase_ = base_;
      if (paused_) audio_.Pause(true);
    }
  }
}

void ClipPlayer::Halt() {
  base_ = Position();
  playing_ = false;
  audio_.Close();
}

void ClipPlayer::Stop() {
  if (!decoder_) throw ClipError(kNoDeviceOpen);
  if (playing_) Halt();
  if (notifyPending_) notice_ = true;  // an interrupted play still reports
  notifyPending_ = false;
}

void ClipPlayer::Close() {
  if (playing_) Halt();
  decoder_.reset();
  presenter_.Clear();
  // A play cut short by the close still reports its end, as one cut short
  // by Stop does; a notice not yet taken stays.
  if (notifyPending_) notice_ = true;
  notifyPending_ = false;
  popped_ = 0;
  uploaded_ = -1;
  pictureDue_ = false;
  base_ = 0;
}

void ClipPlayer::Pause(bool paused) {
  if (paused == paused_) return;
  if (playing_) {
    if (paused) base_ = Position();
    anchor_ = clock_.Milliseconds();
  }
  paused_ = paused;
  audio_.Pause(paused);
}

bool ClipPlayer::TakeNotice() {
  const bool n = notice_;
  notice_ = false;
  return n;
}

void ClipPlayer::SetRenderer(SDL_Renderer* renderer, int32_t width, int32_t height) {
  presenter_.SetRenderer(renderer, width, height);
  uploaded_ = -1;  // a new texture needs the picture again
}

double ClipPlayer::Position() {
  if (!playing_ || paused_) return base_;
  const uint32_t now = clock_.Milliseconds();
  const double wall = base_ + static_cast<uint32_t>(now - anchor_) / 1000.0;
  if (audio_.IsOpen() && audio_.QueuedSeconds() > 0) {
    // Sound is playing: its clock leads, and the wall clock follows it so
    // that it carries on smoothly when the sound runs out.
    const double p = std::max(base_, soundBase_ + audio_.PlayedSeconds());
    base_ = p;
    anchor_ = now;
    return p;
  }
  return wall;
}

void ClipPlayer::FeedSound() {
  std::vector<int16_t>& s = decoder_->Sound();
  if (s.empty()) return;
  if (audio_.IsOpen()) {
    // After the queue ran dry the sound clock stood still while the wall
    // clock went on; the new sound starts where the clip is now.
    if (audio_.QueuedSeconds() <= 0) soundBase_ = Position() - audio_.PlayedSeconds();
    audio_.Queue(s.data(), s.size());
  }
  s.clear();
}

uint32_t ClipPlayer::Advance(bool& newPicture) {
  newPicture = false;
  if (!decoder_ || !playing_ || paused_) return 20;
  double now = Position();
  // Decoding runs until a picture later than now is queued (the next one
  // to show) and enough sound is queued.
  for (int steps = 0; steps < kStepsPerAdvance && !decoder_->Ended(); ++steps) {
    const size_t queued = decoder_->PicturesQueued();
    const bool needPicture =
        queued < kPicturesAhead && (queued == 0 || decoder_->PictureAt(queued - 1).time <= now);
    const bool needSound =
        queued < kPicturesAheadForSound && audio_.IsOpen() && audio_.QueuedSeconds() < kSoundAhead;
    if (!needPicture && !needSound) break;
    decoder_->Step();
    FeedSound();
  }
  now = Position();
  // The picture due now is the latest one whose time has come; earlier ones
  // are late and dropped unseen.
  while (decoder_->PicturesQueued() >= 2 && decoder_->PictureAt(1).time <= now) {
    if (uploaded_ != popped_) ++dropped_;
    decoder_->PopPicture();
    ++popped_;
  }
  const size_t queued = decoder_->PicturesQueued();
  if (queued > 0 && decoder_->PictureAt(0).time <= now && uploaded_ != popped_)
    newPicture = pictureDue_ = true;
  if (queued >= 2) {
    const double wait = (decoder_->PictureAt(1).time - now) * 1000;
    return static_cast<uint32_t>(std::clamp(std::ceil(wait), 1.0, 20.0));
  }
  if (decoder_->Ended()) {
    const double step = decoder_->Info().frameRate > 0 ? 1.0 / decoder_->Info().frameRate : 0.04;
    const double end = queued > 0 ? decoder_->PictureAt(0).time + step : 0;
    const bool soundDone = !audio_.IsOpen() || audio_.QueuedSeconds() <= 0;
    if (!newPicture && now >= end && soundDone) Finish();
  }
  return 10;
}

void ClipPlayer::Finish() {
  if (playing_) Halt();
  atEnd_ = true;
  if (notifyPending_) notice_ = true;
  notifyPending_ = false;
}

void ClipPlayer::Draw() {
  if (decoder_ && decoder_->PicturesQueued() > 0 && pictureDue_) {
    presenter_.Upload(decoder_->PictureAt(0));
    uploaded_ = popped_;
    pictureDue_ = false;
    ++shown_;
  }
  presenter_.Draw(rect_);
}

}  // namespace quendrix
