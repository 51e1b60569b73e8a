// Writes video clips with libavcodec: MPEG-4 Part 2 pictures and 16-bit PCM
// sound in an AVI file, built in memory. Bit-exact settings, one thread and
// no time stamps or version strings in the file: the same pictures and
// sound give the same bytes on every run.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "image.h"

struct AVFormatContext;
struct AVCodecContext;
struct AVStream;
struct AVFrame;
struct AVPacket;
struct SwsContext;

namespace quendrix::assetgen {

class ClipEncoder {
 public:
  // `soundRate` 0 makes a clip without sound; sound is mono.
  ClipEncoder(int width, int height, int framesPerSecond, int soundRate);
  ~ClipEncoder();
  ClipEncoder(const ClipEncoder&) = delete;
  ClipEncoder& operator=(const ClipEncoder&) = delete;

  // The next picture, from a canvas of the clip's size.
  void AddFrame(const Canvas& canvas);
  // Sound to play from the start, any length; it is laid beside the
  // pictures as they are added.
  void SetSound(std::vector<int16_t> samples) { sound_ = std::move(samples); }
  // Finishes the file and returns its bytes.
  std::string Finish();

  int Frames() const { return frames_; }

 private:
  void Drain(bool flush);
  void WriteSound(int64_t upToSample);

  int width_, height_, fps_, soundRate_;
  AVFormatContext* format_ = nullptr;
  AVCodecContext* video_ = nullptr;
  AVStream* videoStream_ = nullptr;
  AVStream* audioStream_ = nullptr;
  AVFrame* frame_ = nullptr;
  AVPacket* packet_ = nullptr;
  SwsContext* sws_ = nullptr;
  struct Memory {
    std::string bytes;
    int64_t pos = 0;
  } out_;
  unsigned char* ioBuffer_ = nullptr;
  std::vector<int16_t> sound_;
  int64_t soundWritten_ = 0;
  int frames_ = 0;
  bool finished_ = false;
};

}  // namespace quendrix::assetgen
