// quendrix-lists: look inside image lists (.dxg) and sound lists (.dxw).
//   quendrix-lists info FILE          one line per item
//   quendrix-lists extract FILE DIR   each item as NN_name.bmp or NN_name.wav
// A bad file prints the loader's message and exits with status 1.
#include <cctype>
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "media/byte_io.h"
#include "media/image_list.h"
#include "media/list_file.h"
#include "media/media_error.h"

namespace {

using namespace quendrix;

int Usage() {
  std::fprintf(stderr,
               "usage: quendrix-lists info FILE\n"
               "       quendrix-lists extract FILE DIR\n");
  return 2;
}

std::string Printable(const std::string& cp1251) {
  return Cp1251ToUtf8(cp1251);
}

// A file name from an item name: letters, digits, '-' and '_' kept.
std::string FileName(size_t index, const std::string& name, const char* ext) {
  char prefix[16];
  std::snprintf(prefix, sizeof prefix, "%02zu", index);
  std::string safe;
  for (char c : Printable(name)) {
    const auto u = static_cast<unsigned char>(c);
    safe += (u >= 0x80 || std::isalnum(u) || c == '-' || c == '_') ? c : '_';
  }
  return std::string(prefix) + (safe.empty() ? "" : "_" + safe) + ext;
}

std::string ColorText(TColor c) {
  if (const auto name = NameOfColor(c)) return *name;
  char text[16];
  std::snprintf(text, sizeof text, "$%08X", c);
  return text;
}

bool IsSoundList(const std::string& path, const std::vector<uint8_t>& bytes) {
  const std::string ext = std::filesystem::path(path).extension().string();
  if (ext == ".dxw" || ext == ".DXW") return true;
  if (ext == ".dxg" || ext == ".DXG") return false;
  std::vector<PictureItemData> probe;
  try {
    ReadImageList(bytes, probe);
    return false;
  } catch (const MediaError&) {
    return true;
  }
}

void InfoImages(const std::vector<PictureItemData>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& it = items[i];
    const PatternGrid grid = CutPatterns(it);
    std::printf("%3zu  %-24s picture %dx%d  pattern %dx%d", i, Printable(it.name).c_str(),
                it.picture.Width(), it.picture.Height(), grid.width, grid.height);
    if (it.skipWidth || it.skipHeight) std::printf(" skip %d,%d", it.skipWidth, it.skipHeight);
    std::printf(" x%d  key %s%s\n", grid.Count(), ColorText(it.transparentColor).c_str(),
                it.transparent ? "" : " (off)");
  }
}

void InfoSounds(const std::vector<WaveItemData>& items) {
  for (size_t i = 0; i < items.size(); ++i) {
    const auto& it = items[i];
    std::printf("%3zu  %-24s ", i, Printable(it.name).c_str());
    if (it.wave.formatTag == 0) {
      std::printf("no sound");
    } else {
      std::printf("%u Hz %u-bit %s, %u ms", it.wave.samplesPerSec, it.wave.bitsPerSample,
                  it.wave.channels == 1   ? "mono"
                  : it.wave.channels == 2 ? "stereo"
                                          : "multi",
                  it.wave.DurationMs());
    }
    std::printf("  looped %s  cap %d\n", it.looped ? "yes" : "no", it.maxPlayingCount);
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1], path = argv[2];
  if ((command == "info" && argc != 3) || (command == "extract" && argc != 4) ||
      (command != "info" && command != "extract"))
    return Usage();
  try {
    const auto bytes = ReadFileBytes(path);
    if (IsSoundList(path, bytes)) {
      std::vector<WaveItemData> items;
      ReadSoundList(bytes, items);
      if (command == "info") {
        InfoSounds(items);
      } else {
        std::filesystem::create_directories(argv[3]);
        for (size_t i = 0; i < items.size(); ++i)
          if (items[i].wave.formatTag != 0)
            SaveWaveFile(
                (std::filesystem::path(argv[3]) / FileName(i, items[i].name, ".wav")).string(),
                items[i].wave);
      }
    } else {
      std::vector<PictureItemData> items;
      ReadImageList(bytes, items);
      if (command == "info") {
        InfoImages(items);
      } else {
        std::filesystem::create_directories(argv[3]);
        for (size_t i = 0; i < items.size(); ++i)
          if (!items[i].picture.Empty())
            SaveBmpFile(
                (std::filesystem::path(argv[3]) / FileName(i, items[i].name, ".bmp")).string(),
                items[i].picture);
      }
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "%s: %s\n", path.c_str(), e.what());
    return 1;
  }
  return 0;
}
