// What the sound lists need from a mixer. The platform layer implements it
// over SDL2_mixer; SilentSoundDevice plays nothing and records what it was
// asked to do, for tests and headless runs.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "media/wave.h"

namespace quendrix {

// A buffer the device made; 0 is "no buffer".
using SoundBufferId = int32_t;

// Cooperative levels a sound device can be opened with.
enum class SoundLevel { kNormal, kExclusive, kWritePrimary };

class SoundDevice {
 public:
  virtual ~SoundDevice() = default;

  // Opens the device and makes its primary (mixing) buffer. False when the
  // primary buffer cannot be made; the device is then closed.
  virtual bool Open(SoundLevel level) = 0;
  // Stops and releases every buffer, then the device.
  virtual void Close() = 0;
  // PCM format of the mixing buffer: samples per second, bits, channels.
  virtual void SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample,
                                uint16_t channels) = 0;

  // A buffer holding the sound; 0 when it cannot be made.
  virtual SoundBufferId CreateBuffer(const Wave& wave) = 0;
  // Another buffer playing the same sound (it may share the samples).
  virtual SoundBufferId DuplicateBuffer(SoundBufferId source) = 0;
  virtual void ReleaseBuffer(SoundBufferId id) = 0;

  // Stops the buffer, rewinds it to the start and plays it, once or looping.
  virtual void Play(SoundBufferId id, bool loop) = 0;
  virtual void Stop(SoundBufferId id) = 0;
  virtual bool IsPlaying(SoundBufferId id) const = 0;
  // Hundredths of a decibel: 0 full volume, negative quieter (-10000 silent).
  virtual void SetVolume(SoundBufferId id, int32_t hundredthsDb) = 0;
};

class SilentSoundDevice : public SoundDevice {
 public:
  // What happened, in order; tests read this like a log.
  struct Event {
    enum Kind { kOpen, kClose, kFormat, kCreate, kDuplicate, kRelease, kPlay, kStop, kVolume } kind;
    SoundBufferId id = 0;
    int32_t value = 0;  // loop flag, volume, source buffer or rate
    bool operator==(const Event&) const = default;
  };

  bool failPrimaryBuffer = false;  // make Open fail as a missing mixer would

  bool Open(SoundLevel level) override;
  void Close() override;
  void SetPrimaryFormat(uint32_t samplesPerSec, uint16_t bitsPerSample, uint16_t channels) override;
  SoundBufferId CreateBuffer(const Wave& wave) override;
  SoundBufferId DuplicateBuffer(SoundBufferId source) override;
  void ReleaseBuffer(SoundBufferId id) override;
  void Play(SoundBufferId id, bool loop) override;
  void Stop(SoundBufferId id) override;
  bool IsPlaying(SoundBufferId id) const override;
  void SetVolume(SoundBufferId id, int32_t hundredthsDb) override;

  // Lets time pass: sounds played once end when their length has gone by.
  void Advance(uint32_t milliseconds);
  // Ends every sound that is not looping.
  void FinishAll();

  bool IsOpen() const { return open_; }
  SoundLevel Level() const { return level_; }
  uint32_t PrimaryRate() const { return rate_; }
  uint16_t PrimaryBits() const { return bits_; }
  uint16_t PrimaryChannels() const { return channels_; }
  const std::vector<Event>& Events() const { return events_; }
  void ClearEvents() { events_.clear(); }
  int BufferCount() const { return static_cast<int>(buffers_.size()); }
  int PlayingCount() const;
  int32_t Volume(SoundBufferId id) const;
  // The buffer a duplicate was made from (itself for an original).
  SoundBufferId Origin(SoundBufferId id) const;

 private:
  struct Buffer {
    uint32_t durationMs = 0;
    SoundBufferId origin = 0;
    bool playing = false;
    bool loop = false;
    uint32_t playedMs = 0;
    int32_t volume = 0;
  };

  bool open_ = false;
  SoundLevel level_ = SoundLevel::kNormal;
  uint32_t rate_ = 22050;
  uint16_t bits_ = 8;
  uint16_t channels_ = 2;
  SoundBufferId nextId_ = 1;
  std::map<SoundBufferId, Buffer> buffers_;
  std::vector<Event> events_;
};

}  // namespace quendrix
