// Shared by the FLIC tests: made-up clips that touch every corner of the
// format, written with the asset generator's writer into a scratch folder.
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "assetgen/flic_writer.h"

namespace quendrix::testing {

struct FlicClip {
  int width = 0, height = 0;
  uint32_t speedMs = 0;
  std::vector<std::vector<uint8_t>> pixels;
  std::vector<assetgen::FlicPalette> palettes;
};

// Frames, one kind of change after another: a first frame of long runs and
// noise, then an unchanged frame, single pixels far apart, whole rows, the
// last column, a palette change alone, noise everywhere, a repeated colour
// across whole lines, and a last frame near the first.
FlicClip MakeClip(int width, int height, uint32_t speedMs);
std::string Encode(const FlicClip& clip);

// A folder of its own, removed with everything in it.
class ScratchDir {
 public:
  ScratchDir();
  ~ScratchDir();
  ScratchDir(const ScratchDir&) = delete;
  ScratchDir& operator=(const ScratchDir&) = delete;
  std::string Write(const std::string& name, const std::string& bytes) const;
  std::string Path(const std::string& name) const { return (path_ / name).string(); }

 private:
  std::filesystem::path path_;
};

std::string ReadBytes(const std::string& path);

}  // namespace quendrix::testing
