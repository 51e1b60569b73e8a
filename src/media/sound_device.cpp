#include "media/sound_device.h"

namespace quendrix {

bool SilentSoundDevice::Open(SoundLevel level) {
  if (failPrimaryBuffer) {
    Close();
    return false;
  }
  open_ = true;
  level_ = level;
  events_.push_back({Event::kOpen, 0, static_cast<int32_t>(level)});
  return true;
}

void SilentSoundDevice::Close() {
  if (!open_ && buffers_.empty()) return;
  buffers_.clear();
  open_ = false;
  events_.push_back({Event::kClose, 0, 0});
}

void SilentSoundDevice::SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample,
                                         uint16_t channels) {
  rate_ = samplesPerSec;
  bits_ = bitsPerSample;
  channels_ = channels;
  events_.push_back({Event::kFormat, 0, static_cast<int32_t>(samplesPerSec)});
}

SoundBufferId SilentSoundDevice::CreateBuffer(const Wave& wave) {
  if (!open_ || wave.Empty()) return 0;
  const SoundBufferId id = nextId_++;
  Buffer b;
  b.durationMs = wave.DurationMs();
  b.origin = id;
  buffers_[id] = b;
  events_.push_back({Event::kCreate, id, 0});
  return id;
}

SoundBufferId SilentSoundDevice::DuplicateBuffer(SoundBufferId source) {
  const auto it = buffers_.find(source);
  if (!open_ || it == buffers_.end()) return 0;
  const SoundBufferId id = nextId_++;
  Buffer b;
  b.durationMs = it->second.durationMs;
  b.origin = it->second.origin;
  b.volume = it->second.volume;
  buffers_[id] = b;
  events_.push_back({Event::kDuplicate, id, source});
  return id;
}

void SilentSoundDevice::ReleaseBuffer(SoundBufferId id) {
  if (buffers_.erase(id)) events_.push_back({Event::kRelease, id, 0});
}

void SilentSoundDevice::Play(SoundBufferId id, bool loop) {
  const auto it = buffers_.find(id);
  if (it == buffers_.end()) return;
  it->second.playing = true;
  it->second.loop = loop;
  it->second.playedMs = 0;
  events_.push_back({Event::kPlay, id, loop ? 1 : 0});
}

void SilentSoundDevice::Stop(SoundBufferId id) {
  const auto it = buffers_.find(id);
  if (it == buffers_.end()) return;
  it->second.playing = false;
  events_.push_back({Event::kStop, id, 0});
}

bool SilentSoundDevice::IsPlaying(SoundBufferId id) const {
  const auto it = buffers_.find(id);
  return it != buffers_.end() && it->second.playing;
}

void SilentSoundDevice::SetVolume(SoundBufferId id, int32_t hundredthsDb) {
  const auto it = buffers_.find(id);
  if (it == buffers_.end()) return;
  it->second.volume = hundredthsDb;
  events_.push_back({Event::kVolume, id, hundredthsDb});
}

void SilentSoundDevice::Advance(uint32_t milliseconds) {
  for (auto& [id, b] : buffers_) {
    if (!b.playing || b.loop) continue;
    b.playedMs += milliseconds;
    if (b.playedMs >= b.durationMs) b.playing = false;
  }
}

void SilentSoundDevice::FinishAll() {
  for (auto& [id, b] : buffers_)
    if (!b.loop) b.playing = false;
}

int SilentSoundDevice::PlayingCount() const {
  int n = 0;
  for (const auto& [id, b] : buffers_) n += b.playing;
  return n;
}

int32_t SilentSoundDevice::Volume(SoundBufferId id) const {
  const auto it = buffers_.find(id);
  return it == buffers_.end() ? 0 : it->second.volume;
}

SoundBufferId SilentSoundDevice::Origin(SoundBufferId id) const {
  const auto it = buffers_.find(id);
  return it == buffers_.end() ? 0 : it->second.origin;
}

}  // namespace quendrix
