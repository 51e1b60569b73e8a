#include "platform/sdl_sound.h"

#include <SDL.h>
#include <SDL_mixer.h>

#include <algorithm>
#include <cmath>

#include "media/wave.h"

namespace quendrix {

namespace {

constexpr int kFirstChannels = 32;
constexpr int kMaxChannels = 1024;  // enough for every cap of every list

}  // namespace

SdlSoundDevice::~SdlSoundDevice() {
  Close();
}

int SdlSoundDevice::MixerVolume(int32_t hundredthsDb) {
  if (hundredthsDb >= 0) return MIX_MAX_VOLUME;
  if (hundredthsDb <= -10000) return 0;
  const double gain = std::pow(10.0, hundredthsDb / 2000.0);
  return std::clamp(static_cast<int>(std::lround(gain * MIX_MAX_VOLUME)), 0, MIX_MAX_VOLUME);
}

bool SdlSoundDevice::Open(SoundLevel /*level*/) {
  Close();
  if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
    lastError_ = SDL_GetError();
    return false;
  }
  audioInit_ = true;
  if (Mix_OpenAudio(44100, AUDIO_S16SYS, 2, 1024) != 0) {
    lastError_ = Mix_GetError();
    Close();
    return false;
  }
  owner_.assign(static_cast<size_t>(Mix_AllocateChannels(kFirstChannels)), 0);
  open_ = true;
  return true;
}

void SdlSoundDevice::Close() {
  if (open_) {
    Mix_HaltChannel(-1);
    buffers_.clear();  // frees the chunks once no copy holds them
    owner_.clear();
    Mix_CloseAudio();
    open_ = false;
  }
  buffers_.clear();
  if (audioInit_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    audioInit_ = false;
  }
}

void SdlSoundDevice::SetPrimaryFormat(uint32_t, uint16_t, uint16_t) {}

SoundBufferId SdlSoundDevice::CreateBuffer(const Wave& wave) {
  if (!open_ || wave.Empty()) return 0;
  const std::vector<uint8_t> file = EncodeWave(wave);
  SDL_RWops* rw = SDL_RWFromConstMem(file.data(), static_cast<int>(file.size()));
  Mix_Chunk* chunk = rw ? Mix_LoadWAV_RW(rw, 1) : nullptr;
  if (!chunk) {
    lastError_ = Mix_GetError();
    return 0;
  }
  const SoundBufferId id = nextId_++;
  buffers_[id].chunk = std::shared_ptr<Mix_Chunk>(chunk, [](Mix_Chunk* c) { Mix_FreeChunk(c); });
  return id;
}

SoundBufferId SdlSoundDevice::DuplicateBuffer(SoundBufferId source) {
  const auto it = buffers_.find(source);
  if (!open_ || it == buffers_.end()) return 0;
  const SoundBufferId id = nextId_++;
  Buffer copy;
  copy.chunk = it->second.chunk;
  copy.volume = it->second.volume;
  buffers_[id] = copy;
  return id;
}

bool SdlSoundDevice::OwnsChannel(SoundBufferId id, const Buffer& b) const {
  return b.channel >= 0 && static_cast<size_t>(b.channel) < owner_.size() &&
         owner_[b.channel] == id;
}

void SdlSoundDevice::ReleaseBuffer(SoundBufferId id) {
  const auto it = buffers_.find(id);
  if (it == buffers_.end()) return;
  if (OwnsChannel(id, it->second)) {
    Mix_HaltChannel(it->second.channel);
    owner_[it->second.channel] = 0;
  }
  buffers_.erase(it);
}

void SdlSoundDevice::Play(SoundBufferId id, bool loop) {
  const auto it = buffers_.find(id);
  if (!open_ || it == buffers_.end()) return;
  Buffer& b = it->second;
  if (OwnsChannel(id, b)) Mix_HaltChannel(b.channel);  // restart from the beginning
  int channel = Mix_PlayChannel(-1, b.chunk.get(), loop ? -1 : 0);
  if (channel < 0 && static_cast<int>(owner_.size()) < kMaxChannels) {
    // Every channel busy: add more rather than drop the sound.
    const int more = std::min(kMaxChannels, static_cast<int>(owner_.size()) * 2);
    owner_.resize(static_cast<size_t>(Mix_AllocateChannels(more)), 0);
    channel = Mix_PlayChannel(-1, b.chunk.get(), loop ? -1 : 0);
  }
  if (channel < 0) {
    b.channel = -1;
    return;
  }
  Mix_Volume(channel, b.volume);
  owner_[channel] = id;
  b.channel = channel;
}

void SdlSoundDevice::Stop(SoundBufferId id) {
  const auto it = buffers_.find(id);
  if (it == buffers_.end() || !OwnsChannel(id, it->second)) return;
  Mix_HaltChannel(it->second.channel);
}

bool SdlSoundDevice::IsPlaying(SoundBufferId id) const {
  const auto it = buffers_.find(id);
  return open_ && it != buffers_.end() && OwnsChannel(id, it->second) &&
         Mix_Playing(it->second.channel) != 0;
}

void SdlSoundDevice::SetVolume(SoundBufferId id, int32_t hundredthsDb) {
  const auto it = buffers_.find(id);
  if (it == buffers_.end()) return;
  it->second.volume = MixerVolume(hundredthsDb);
  if (OwnsChannel(id, it->second)) Mix_Volume(it->second.channel, it->second.volume);
}

}  // namespace quendrix
