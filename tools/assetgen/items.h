// What the generator makes: image lists, sound lists and loose bitmaps, each
// with the path it takes in the data folder. Recipes fill a DataSet; the
// writer and the previews read it.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "flic_writer.h"
#include "image.h"

namespace quendrix::assetgen {

struct ImageItem {
  std::string name;
  Picture picture;
  int patternWidth = 0;  // 0 = the picture's width
  int patternHeight = 0;
  int skipWidth = 0;
  int skipHeight = 0;
  bool transparent = true;
  Rgb transparentColor = kBlack;
  int bitCount = 24;  // stored depth: 24, or 8 for a picture of at most 256 colours

  int EffectiveWidth() const { return patternWidth > 0 ? patternWidth : picture.Width(); }
  int EffectiveHeight() const { return patternHeight > 0 ? patternHeight : picture.Height(); }
  // Patterns the game cuts the picture into, row by row.
  int Columns() const;
  int Rows() const;
  int PatternCount() const { return Columns() * Rows(); }
  Picture Pattern(int k) const;
};

struct ImageList {
  std::string path;  // relative to the data folder, e.g. "gui.dxg"
  std::vector<ImageItem> items;
};

inline constexpr int kSampleRate = 22050;

struct Sound {
  int sampleRate = kSampleRate;
  std::vector<int16_t> samples;  // 16-bit mono
  double Seconds() const { return static_cast<double>(samples.size()) / sampleRate; }
};

struct WaveItem {
  std::string name;
  bool looped = false;
  int maxPlayingCount = 0;  // 0 = no cap on overlapping copies
  Sound wave;
  std::string use;  // one line for the preview listing
};

struct WaveList {
  std::string path;
  std::vector<WaveItem> items;
};

struct BitmapFile {
  std::string path;  // e.g. "skins/sunset/panel.bmp"
  Picture picture;
};

// A file copied into the data folder as it stands (the hole files).
struct DataFile {
  std::string path;
  std::string bytes;
};

// A FLIC animation: 8-bit frames over one palette, each width x height
// indices, written through the FLC writer.
struct Animation {
  std::string path;
  int width = 0;
  int height = 0;
  uint32_t speedMs = 0;
  FlicPalette palette{};
  std::vector<std::vector<uint8_t>> frames;
};

struct DataSet {
  std::vector<ImageList> imageLists;
  std::vector<WaveList> waveLists;
  std::vector<BitmapFile> bitmaps;
  std::vector<DataFile> files;
  std::vector<Animation> animations;
  // For people only: written into the preview folder, never into the data
  // (frames of the clips, their listing).
  std::vector<DataFile> previews;
};

// Where recipes find their sources.
struct Sources {
  std::string assetsDir;
};

// One recipe: a name to select it by and the function that adds its outputs.
struct Recipe {
  std::string name;
  std::function<void(const Sources&, DataSet&)> build;
};

// Every recipe, in the order they run. Per-hole art joins here as more
// recipes.
const std::vector<Recipe>& Recipes();

}  // namespace quendrix::assetgen
