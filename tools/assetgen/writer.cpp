#include "writer.h"

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "media/wave.h"

namespace quendrix::assetgen {

Bitmap ToBitmap(const Picture& picture) {
  std::vector<uint8_t> rgb;
  rgb.reserve(static_cast<size_t>(picture.Width()) * picture.Height() * 3);
  for (const Rgb& c : picture.Pixels()) {
    rgb.push_back(c.r);
    rgb.push_back(c.g);
    rgb.push_back(c.b);
  }
  return Bitmap::FromRgb24(picture.Width(), picture.Height(), rgb);
}

std::vector<PictureItemData> ToItems(const ImageList& list) {
  std::vector<PictureItemData> out;
  for (const ImageItem& item : list.items) {
    PictureItemData d;
    d.name = item.name;
    d.patternWidth = item.patternWidth;
    d.patternHeight = item.patternHeight;
    d.skipWidth = item.skipWidth;
    d.skipHeight = item.skipHeight;
    d.systemMemory = false;
    d.transparent = item.transparent;
    d.transparentColor =
        MakeColor(item.transparentColor.r, item.transparentColor.g, item.transparentColor.b);
    d.picture = ToBitmap(item.picture);
    d.bitCount = item.bitCount;
    out.push_back(std::move(d));
  }
  return out;
}

std::vector<WaveItemData> ToItems(const WaveList& list) {
  std::vector<WaveItemData> out;
  for (const WaveItem& item : list.items) {
    WaveItemData d;
    d.name = item.name;
    d.looped = item.looped;
    d.maxPlayingCount = item.maxPlayingCount;
    d.wave = Wave::FromPcm16(static_cast<uint32_t>(item.wave.sampleRate), 1, item.wave.samples);
    out.push_back(std::move(d));
  }
  return out;
}

uint64_t WriteDataSet(const DataSet& data, const std::string& dataDir) {
  namespace fs = std::filesystem;
  uint64_t total = 0;
  auto prepare = [&](const std::string& rel) {
    fs::path p = fs::path(dataDir) / rel;
    fs::create_directories(p.parent_path());
    return p;
  };
  for (const ImageList& list : data.imageLists) {
    fs::path p = prepare(list.path);
    WriteImageListFile(p.string(), ToItems(list));
    total += fs::file_size(p);
  }
  for (const WaveList& list : data.waveLists) {
    fs::path p = prepare(list.path);
    WriteSoundListFile(p.string(), ToItems(list));
    total += fs::file_size(p);
  }
  for (const BitmapFile& file : data.bitmaps) {
    fs::path p = prepare(file.path);
    SaveBmpFile(p.string(), ToBitmap(file.picture));
    total += fs::file_size(p);
  }
  for (const DataFile& file : data.files) {
    fs::path p = prepare(file.path);
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(file.bytes.data(), static_cast<std::streamsize>(file.bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
    total += file.bytes.size();
  }
  for (const Animation& a : data.animations) {
    fs::path p = prepare(a.path);
    FlicWriter flic(a.width, a.height, a.speedMs);
    for (const auto& frame : a.frames) flic.AddFrame(frame, a.palette);
    const std::string bytes = flic.Finish();
    std::ofstream out(p, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + p.string());
    total += bytes.size();
  }
  return total;
}

}  // namespace quendrix::assetgen
