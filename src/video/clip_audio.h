// The clip player's sound output: an SDL audio device fed from a queue,
// and the clock that playing it gives. With no audio device the player
// stays silent and runs on the wall clock.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace quendrix {

class ClipAudio {
 public:
  // The format the decoder resamples to; SDL converts it for the hardware.
  static constexpr int32_t kRate = 44100;
  static constexpr int32_t kChannels = 2;

  ClipAudio() = default;
  ~ClipAudio() { Close(); }
  ClipAudio(const ClipAudio&) = delete;
  ClipAudio& operator=(const ClipAudio&) = delete;

  // Opens the default output device, playing. False when there is none.
  bool Open();
  void Close();
  bool IsOpen() const { return device_ != 0; }
  void Pause(bool paused);

  // Appends interleaved samples (kChannels per frame).
  void Queue(const int16_t* samples, size_t count);
  // Sound queued and not yet handed to the hardware, seconds.
  double QueuedSeconds() const;
  // Sound the hardware has played since Open, seconds (an estimate: the
  // device's own buffer is taken as still playing).
  double PlayedSeconds() const;
  const std::string& LastError() const { return lastError_; }

 private:
  uint32_t device_ = 0;
  bool initialised_ = false;  // this object started SDL's audio part
  int64_t bytesQueued_ = 0;   // since Open
  double bufferSeconds_ = 0;
  std::string lastError_;
};

}  // namespace quendrix
