// The sound device on SDL2_mixer: each buffer is a mixer chunk (copies share
// their item's samples), each playing buffer holds one mixer channel.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "media/sound_device.h"

struct Mix_Chunk;

namespace quendrix {

class SdlSoundDevice : public SoundDevice {
 public:
  SdlSoundDevice() = default;
  ~SdlSoundDevice() override;
  SdlSoundDevice(const SdlSoundDevice&) = delete;
  SdlSoundDevice& operator=(const SdlSoundDevice&) = delete;

  // Opens the audio device (44.1 kHz, 16-bit, stereo mixing). False, with
  // LastError() set, when there is no usable audio device.
  bool Open(SoundLevel level) override;
  void Close() override;
  // Recorded; the mixer keeps mixing at its own rate, which plays any
  // requested format unchanged.
  void SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels) override;
  SoundBufferId CreateBuffer(const Wave& wave) override;
  SoundBufferId DuplicateBuffer(SoundBufferId source) override;
  void ReleaseBuffer(SoundBufferId id) override;
  void Play(SoundBufferId id, bool loop) override;
  void Stop(SoundBufferId id) override;
  bool IsPlaying(SoundBufferId id) const override;
  void SetVolume(SoundBufferId id, int32_t hundredthsDb) override;

  bool IsOpen() const { return open_; }
  int ChannelCount() const { return static_cast<int>(owner_.size()); }
  const std::string& LastError() const { return lastError_; }

  // Hundredths of a decibel -> mixer volume 0 ... 128.
  static int MixerVolume(int32_t hundredthsDb);

 private:
  struct Buffer {
    std::shared_ptr<Mix_Chunk> chunk;
    int channel = -1;  // channel it last played on
    int volume = 128;
  };
  bool OwnsChannel(SoundBufferId id, const Buffer& b) const;

  bool open_ = false;
  bool audioInit_ = false;
  SoundBufferId nextId_ = 1;
  std::map<SoundBufferId, Buffer> buffers_;
  std::vector<SoundBufferId> owner_;  // per mixer channel: buffer that last started it
  std::string lastError_;
};

}  // namespace quendrix
