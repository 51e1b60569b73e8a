// FLC animation files (magic 0xAF12): 8-bit pixels over a 256-colour
// palette. The first frame is stored whole (full palette, byte runs), each
// later frame as the change from the one before (changed palette runs, word
// deltas), and a ring frame at the end takes the last frame back to the
// first, so a player loops without decoding the first frame again. The
// header's frame count does not include the ring frame.
//
// The bytes depend only on the frames given: no dates, no serial numbers.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace quendrix::assetgen {

// 256 colours of r, g, b (0..255 each), entry i at bytes 3i .. 3i+2.
using FlicPalette = std::array<uint8_t, 768>;

inline constexpr int kFlicMaxSide = 4096;        // pixels, each side
inline constexpr uint32_t kFlicMaxSpeed = 2000;  // milliseconds per frame

class FlicWriter {
 public:
  // width and height 1 ... kFlicMaxSide; speedMs 1 ... kFlicMaxSpeed,
  // milliseconds from one frame to the next. Throws std::invalid_argument
  // otherwise.
  FlicWriter(int width, int height, uint32_t speedMs);

  // `pixels`: width x height palette indices, top row first. Throws
  // std::invalid_argument on a wrong size, std::length_error past 65535
  // frames.
  void AddFrame(const std::vector<uint8_t>& pixels, const FlicPalette& palette);
  int FrameCount() const { return frames_; }

  // The whole file with its ring frame. Throws std::logic_error when no
  // frame was added.
  std::string Finish() const;

 private:
  // One frame chunk that turns (fromPixels, fromPalette) into the frame
  // given; `first` stores it whole.
  std::string FrameChunk(const std::vector<uint8_t>* fromPixels, const FlicPalette* fromPalette,
                         const std::vector<uint8_t>& pixels, const FlicPalette& palette) const;

  int width_;
  int height_;
  uint32_t speed_;
  int frames_ = 0;
  uint32_t secondFrameOffset_ = 0;
  std::vector<uint8_t> firstPixels_, lastPixels_;
  FlicPalette firstPalette_{}, lastPalette_{};
  std::string body_;  // frame chunks after the 128-byte header
};

// The chunk encoders, one frame's worth each (payload after the 6-byte chunk
// header). Exposed for the tests of the format's corner cases.
namespace flic {

inline constexpr uint16_t kColor256 = 4;
inline constexpr uint16_t kDeltaFlc = 7;  // word deltas (SS2)
inline constexpr uint16_t kByteRun = 15;

// Palette runs that differ between `from` and `to`; empty when none does.
// `from` null: the whole palette.
std::string Color256(const FlicPalette* from, const FlicPalette& to);
// The whole frame in byte runs, each line on its own.
std::string ByteRun(const std::vector<uint8_t>& pixels, int width, int height);
// The changes from `from` to `to` in word packets, lines skipped where
// nothing changed. A frame with no change gives a chunk of zero lines.
// The last pixel of an odd width goes in a word with its left neighbour;
// only a line changed from end to end (or a width of 1) needs the format's
// last-byte word, and `lastByteUsed` tells when it was. FFmpeg puts that
// byte at the end of its padded line rather than at the last pixel, so the
// writer stores such a frame in byte runs instead.
std::string DeltaFlc(const std::vector<uint8_t>& from, const std::vector<uint8_t>& to, int width,
                     int height, bool* lastByteUsed = nullptr);

}  // namespace flic
}  // namespace quendrix::assetgen
