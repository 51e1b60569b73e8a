// What the generator makes: image lists, sound lists and loose bitmaps, each
// with the path it takes in the data folder. Recipes fill a DataSet; the
// writer and the previews read it.
#pragma once

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

#include "flic_writer.h"
#include "game/data_catalogue.h"
#include "image.h"
#include "words.h"

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

// An image item cut into patterns of pw x ph (0 = the whole picture).
ImageItem MakeImageItem(std::string name, Picture picture, int pw = 0, int ph = 0);

// The lists the game takes by index are filled by the catalogue's names
// (game/data_catalogue.h): Place puts an item at its number whatever the
// order of the calls, and throws when that place is filled already;
// CheckComplete throws unless places 0 ... count-1 are all filled and no
// more. Every item has a name, so an empty name is an empty place.
template <typename Entry, typename Key>
void Place(std::vector<Entry>& items, Key key, Entry entry) {
  const auto at = static_cast<size_t>(ItemIndex(key));
  if (items.size() <= at) items.resize(at + 1);
  if (!items[at].name.empty())
    throw std::logic_error("item " + std::to_string(at) + " placed twice: " + entry.name);
  items[at] = std::move(entry);
}

template <typename Entry>
void CheckComplete(const std::vector<Entry>& items, int32_t count, const std::string& path) {
  if (items.size() != static_cast<size_t>(count))
    throw std::logic_error(path + ": " + std::to_string(items.size()) + " items, the game takes " +
                           std::to_string(count));
  for (size_t i = 0; i < items.size(); ++i)
    if (items[i].name.empty())
      throw std::logic_error(path + ": item " + std::to_string(i) + " missing");
}

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
  // The languages drawn besides Russian, into their folders; none: Russian
  // only.
  std::vector<Words> languages = {};
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
