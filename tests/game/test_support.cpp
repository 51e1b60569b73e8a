#include "test_support.h"

#include <fstream>
#include <random>

#include "game/ball_motion.h"

namespace quendrix::testing {

void Table::Shoot(int32_t p, int32_t direction, double speed) {
  ball(p).direction = direction;
  ball(p).speed = speed;
  StartShot(*session, p, true);
}

std::string AreaText(int n, const std::string& keys) {
  std::string text = "[area" + std::to_string(n) + "]\nenabled=1\n";
  for (size_t start = 0; start < keys.size();) {
    size_t end = keys.find(' ', start);
    if (end == std::string::npos) end = keys.size();
    text += keys.substr(start, end - start) + "\n";
    start = end + 1;
  }
  return text;
}

TPictureCollectionItem& AddPicture(TDXImageList& list, int32_t w, int32_t h, int32_t patterns,
                                   const std::vector<TColor>& colours) {
  PictureItemData data;
  data.picture = Bitmap(w * patterns, h, clBlack);
  data.patternWidth = w;
  data.patternHeight = h;
  for (int32_t k = 0; k < patterns; ++k)
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x)
        data.picture.SetPixel(k * w + x, y, colours[static_cast<size_t>(k) % colours.size()]);
  TPictureCollectionItem& item = list.Items.Add();
  item = TPictureCollectionItem(std::move(data));
  item.BuildSurface();
  return item;
}

ScratchDir::ScratchDir() {
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("quendrix-test-" + std::to_string(device()) + "-" + std::to_string(device()));
  std::filesystem::create_directories(path_);
}

ScratchDir::~ScratchDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

void ScratchDir::Write(const std::string& name, std::string_view bytes) const {
  std::ofstream out(path_ / name, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

}  // namespace quendrix::testing
