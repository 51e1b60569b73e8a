// FLIC files (FLI and FLC) read through FFmpeg's demuxer and decoded frame
// by frame with its decoder, into an 8-bit picture and its palette. The
// frame chunks are read into memory when the file opens, so going back to
// the start or looping never touches the file again.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct AVCodecContext;
struct AVCodecParameters;
struct AVFrame;
struct AVPacket;

namespace quendrix {

class FlicDecoder {
 public:
  enum class OpenResult { kOk, kMissing, kUnreadable };

  // The widest and tallest picture opened, pixels (a FLIC header allows
  // 65535). Past it a file is unreadable: a damaged header could otherwise
  // make every frame cost gigabytes and seconds.
  static constexpr int kMaxSide = 4096;

  // FFmpeg reports damage in files on standard error; the game keeps no
  // log, so its programs turn that off once (it holds for all of FFmpeg).
  static void QuietLibraryLog();

  FlicDecoder();
  ~FlicDecoder();
  FlicDecoder(const FlicDecoder&) = delete;
  FlicDecoder& operator=(const FlicDecoder&) = delete;

  // Closes any file first. kMissing: no such file; kUnreadable: not a FLIC
  // file FFmpeg reads, one whose picture is larger than kMaxSide a side, or
  // one without a single frame chunk.
  OpenResult Open(const std::string& path);
  void Close();
  bool IsOpen() const { return codec_ != nullptr; }

  int Width() const { return width_; }
  int Height() const { return height_; }
  // Milliseconds from one frame to the next, from the file's header.
  int SpeedMs() const { return speedMs_; }
  // Frames the header announces (its ring frame not counted); 0 when the
  // header does not say.
  int HeaderFrames() const { return headerFrames_; }
  // Frame chunks read, the ring frame among them.
  int PacketCount() const { return static_cast<int>(packets_.size()); }
  // False when reading stopped on an error before the end of the file.
  bool ReadToEnd() const { return readToEnd_; }

  // Decodes frame chunk `index` (0 ... PacketCount() - 1) on top of the
  // picture so far. False (picture unchanged) when the chunk does not
  // decode.
  bool Decode(int index);
  // A fresh decoder: the next chunk decodes over a black picture.
  bool Restart();

  // Width x Height palette indices, rows Width apart; valid after a
  // successful Decode.
  const uint8_t* Pixels() const { return pixels_.data(); }
  // 256 colours as 0xAARRGGBB (alpha 255).
  const uint32_t* Palette() const { return palette_; }

 private:
  AVCodecParameters* params_ = nullptr;
  AVCodecContext* codec_ = nullptr;
  AVFrame* frame_ = nullptr;
  std::vector<AVPacket*> packets_;
  std::vector<uint8_t> pixels_;
  uint32_t palette_[256] = {};
  int width_ = 0, height_ = 0, speedMs_ = 0, headerFrames_ = 0;
  bool readToEnd_ = false;
};

}  // namespace quendrix
