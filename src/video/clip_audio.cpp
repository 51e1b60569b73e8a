#include "video/clip_audio.h"

#include <SDL.h>

#include <algorithm>

namespace quendrix {
namespace {

constexpr double kBytesPerSecond = ClipAudio::kRate * ClipAudio::kChannels * 2.0;

}  // namespace

bool ClipAudio::Open() {
  Close();
  if (!SDL_WasInit(SDL_INIT_AUDIO)) {
    if (SDL_InitSubSystem(SDL_INIT_AUDIO) != 0) {
      lastError_ = SDL_GetError();
      return false;
    }
    initialised_ = true;
  }
  SDL_AudioSpec want{};
  want.freq = kRate;
  want.format = AUDIO_S16SYS;
  want.channels = kChannels;
  want.samples = 1024;
  SDL_AudioSpec have{};
  device_ = SDL_OpenAudioDevice(nullptr, 0, &want, &have, 0);
  if (device_ == 0) {
    lastError_ = SDL_GetError();
    Close();
    return false;
  }
  bytesQueued_ = 0;
  bufferSeconds_ = have.freq > 0 ? static_cast<double>(have.samples) / have.freq : 0;
  SDL_PauseAudioDevice(device_, 0);
  return true;
}

void ClipAudio::Close() {
  if (device_) SDL_CloseAudioDevice(device_);
  device_ = 0;
  bytesQueued_ = 0;
  if (initialised_) {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    initialised_ = false;
  }
}

void ClipAudio::Pause(bool paused) {
  if (device_) SDL_PauseAudioDevice(device_, paused ? 1 : 0);
}

void ClipAudio::Queue(const int16_t* samples, size_t count) {
  if (!device_ || count == 0) return;
  const auto bytes = static_cast<Uint32>(count * sizeof(int16_t));
  if (SDL_QueueAudio(device_, samples, bytes) == 0) bytesQueued_ += bytes;
}

double ClipAudio::QueuedSeconds() const {
  return device_ ? SDL_GetQueuedAudioSize(device_) / kBytesPerSecond : 0;
}

double ClipAudio::PlayedSeconds() const {
  if (!device_) return 0;
  const double handed = (bytesQueued_ - SDL_GetQueuedAudioSize(device_)) / kBytesPerSecond;
  return std::max(0.0, handed - bufferSeconds_);
}

}  // namespace quendrix
