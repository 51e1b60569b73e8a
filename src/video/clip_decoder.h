// The clip player's decoder: demuxing, decoding, picture conversion and
// sound resampling with FFmpeg, into memory only. Pictures come out as
// YUV 4:2:0 planes with their times; sound as interleaved 16-bit samples in
// the format the caller asks for. Nothing here touches a window or a device.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <vector>

struct AVFormatContext;
struct AVCodecContext;
struct AVFrame;
struct AVPacket;
struct SwsContext;
struct SwrContext;

namespace quendrix {

// What a clip holds, as read when it is opened.
struct ClipInfo {
  int32_t width = 0, height = 0;  // natural picture size, pixels
  double duration = 0;            // seconds; 0 when the file does not say
  double frameRate = 0;           // pictures per second; 0 when unknown
  std::string container, videoCodec;
  bool hasAudio = false;
  std::string audioCodec;
  int32_t audioRate = 0, audioChannels = 0;
};

// Sound as the caller wants it: 16-bit interleaved samples; rate 0 means
// the sound is not decoded at all.
struct SoundFormat {
  int32_t rate = 0;
  int32_t channels = 2;
};

// One decoded picture, YUV 4:2:0; the planes stay valid until it is popped.
struct ClipPicture {
  double time = 0;  // seconds from the start of the clip
  int32_t width = 0, height = 0;
  const uint8_t* plane[3] = {nullptr, nullptr, nullptr};
  int32_t pitch[3] = {0, 0, 0};
  AVFrame* frame = nullptr;
};

class ClipDecoder {
 public:
  // Opens the clip; throws ClipError "<file>: <FFmpeg's text>" when it
  // cannot be opened or has no picture stream that can be decoded.
  ClipDecoder(const std::string& path, SoundFormat sound);
  ~ClipDecoder();
  ClipDecoder(const ClipDecoder&) = delete;
  ClipDecoder& operator=(const ClipDecoder&) = delete;

  const ClipInfo& Info() const { return info_; }

  // Reads and decodes one packet. False once everything is decoded. Damaged
  // packets are skipped.
  bool Step();
  bool Ended() const { return ended_; }

  size_t PicturesQueued() const { return pictures_.size(); }
  // Queued picture `i`, 0 the oldest.
  const ClipPicture& PictureAt(size_t i) const { return pictures_[i]; }
  // Drops the oldest picture; its buffers are kept for the next one.
  void PopPicture();

  // Decoded sound not yet taken, interleaved in the asked format.
  std::vector<int16_t>& Sound() { return sound_; }
  // Decoded sound frames (one sample per channel) since the start.
  int64_t SoundFramesDecoded() const { return soundFrames_; }

 private:
  void Release();
  void Fail(const std::string& what, int error);
  void Receive(AVCodecContext* codec, bool video);
  void TakePicture(AVFrame* decoded);
  void TakeSound(AVFrame* decoded);
  void FlushSound();
  double PictureTime(const AVFrame* decoded);

  std::string name_;
  SoundFormat soundOut_;
  ClipInfo info_;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* video_ = nullptr;
  AVCodecContext* audio_ = nullptr;
  int videoStream_ = -1, audioStream_ = -1;
  AVPacket* packet_ = nullptr;
  AVFrame* decoded_ = nullptr;
  SwsContext* sws_ = nullptr;
  SwrContext* swr_ = nullptr;
  int swrRate_ = 0, swrFormat_ = -1, swrChannels_ = 0;
  std::deque<ClipPicture> pictures_;
  std::vector<AVFrame*> spare_;
  std::vector<int16_t> sound_;
  int64_t soundFrames_ = 0;
  double lastTime_ = -1;
  bool ended_ = false;
  bool flushed_ = false;
};

// FFmpeg's text for an error code.
std::string FfmpegErrorText(int error);

}  // namespace quendrix
