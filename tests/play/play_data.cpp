#include "play_data.h"

#include <fstream>
#include <random>

#include "media/bitmap.h"
#include "media/list_file.h"
#include "media/wave.h"

namespace quendrix::playdata {

namespace {

PictureItemData Solid(const std::string& name, int32_t w, int32_t h, TColor colour,
                      int32_t patternW = 0, int32_t patternH = 0) {
  PictureItemData item;
  item.name = name;
  item.picture = Bitmap(w, h, colour);
  item.patternWidth = patternW;
  item.patternHeight = patternH;
  item.transparent = true;
  item.transparentColor = kKey;
  return item;
}

// `count` patterns of w x h side by side, each framed by the colour key so
// that colour-keyed draws show only the inside.
PictureItemData Strip(const std::string& name, int32_t count, int32_t w, int32_t h, TColor colour) {
  PictureItemData item = Solid(name, count * w, h, kKey, w, h);
  for (int32_t k = 0; k < count; ++k)
    for (int32_t y = 1; y < h - 1; ++y)
      for (int32_t x = 1; x < w - 1; ++x) item.picture.SetPixel(k * w + x, y, colour);
  return item;
}

std::vector<WaveItemData> Sounds(int32_t count) {
  std::vector<WaveItemData> items(static_cast<size_t>(count));
  std::vector<int16_t> samples(220);
  for (size_t i = 0; i < samples.size(); ++i) samples[i] = static_cast<int16_t>((i % 20) * 500);
  for (int32_t i = 0; i < count; ++i) {
    items[static_cast<size_t>(i)].name = "sound" + std::to_string(i);
    items[static_cast<size_t>(i)].wave = Wave::FromPcm16(22050, 1, samples);
  }
  return items;
}

}  // namespace

TColor TexelColour(int32_t player, int32_t t) {
  return MakeColor(static_cast<uint8_t>(8 * (t % 16)), static_cast<uint8_t>(16 * (t / 16)),
                   static_cast<uint8_t>(48 * player));
}

int32_t TexelOf(uint16_t raw, int32_t player) {
  const int32_t r = raw >> 11, g = (raw >> 5) & 63, b = raw & 31;
  if (b != 6 * player || g % 4 != 0 || r > 15) return -1;
  return (g / 4) * 16 + r;
}

void WriteInterfaceData(const std::filesystem::path& dir) {
  std::vector<PictureItemData> gui;
  gui.push_back(Solid("pointer", 8, 8, kPointerColour));
  gui.push_back(Solid("panel", 120, 40, MakeColor(64, 64, 64)));
  gui.push_back(Solid("panelmin", 120, 16, MakeColor(64, 64, 64)));
  gui.push_back(Strip("buttonsdown", 5, 22, 22, MakeColor(96, 96, 96)));
  gui.push_back(Solid("pushputt", 40, 16, MakeColor(96, 96, 96)));
  gui.push_back(Strip("gauge", 31, 10, 10, kGaugeColour));
  gui.push_back(Strip("target", 4, 32, 26, MakeColor(0, 128, 0)));
  gui.push_back(Strip("font", 67, 8, 8, clWhite));
  gui.push_back(Strip("numbers", 12, 8, 8, clWhite));
  gui.push_back(Strip("puttershadow", 32, 12, 18, MakeColor(64, 64, 64)));
  gui.push_back(Strip("putter", 32, 16, 24, kPutterColour));
  for (int32_t p = 1; p <= 4; ++p) {
    PictureItemData ball = Solid("ball" + std::to_string(p), 16, 16, clBlack);
    for (int32_t t = 0; t < 256; ++t) ball.picture.SetPixel(t % 16, t / 16, TexelColour(p, t));
    ball.transparent = false;
    gui.push_back(std::move(ball));
  }
  // Shading all key: balls show their texels unblended.
  gui.push_back(Solid("shading", 16, 16, kKey));
  gui.push_back(Solid("highlight", 16, 16, kHighlightColour));
  gui.push_back(Solid("shadow", 16, 16, kShadowColour));
  gui.push_back(Solid("namebox", 104, 20, MakeColor(32, 32, 32)));
  WriteImageListFile((dir / "gui.dxg").string(), gui);

  std::vector<PictureItemData> menu;
  menu.push_back(Strip("banner", 61, 16, 16, clWhite));
  menu.push_back(Solid("loading", 200, 100, kLoadingColour));
  menu.push_back(Solid("pullhelp", 300, 200, kPullHelpColour));
  menu.push_back(Solid("pushhelp", 300, 200, kPushHelpColour));
  menu.push_back(Solid("scorecard", 400, 300, kScoreCardColour));
  menu.push_back(Strip("menufont", 67, 8, 8, clWhite));
  WriteImageListFile((dir / "menu.dxg").string(), menu);

  WriteSoundListFile((dir / "sound.dxw").string(), Sounds(25));
}

void WriteHole(const std::filesystem::path& dir, const std::string& name, std::string_view holeText,
               const HoleArt& art) {
  {
    std::ofstream out(dir / (name + ".hole"), std::ios::binary);
    out.write(holeText.data(), static_cast<std::streamsize>(holeText.size()));
  }
  std::vector<PictureItemData> course;
  course.push_back(Solid("course", art.width, art.height, kCourseColour));
  course.back().transparent = false;
  const int32_t cols = art.width / 24, rows = art.height / 24;
  PictureItemData overlay = Solid("overlay", cols * 24, rows * 24, kKey, 24, 24);
  for (const auto& [c, r] : art.overlayCells)
    for (int32_t y = 0; y < 24; ++y)
      for (int32_t x = 0; x < 24; ++x)
        overlay.picture.SetPixel(c * 24 + x, r * 24 + y, kOverlayColour);
  course.push_back(std::move(overlay));
  course.push_back(Solid("cupcover", 24, 12, kCupCoverColour));
  course.push_back(Strip("effect3", 2, 16, 16, MakeColor(200, 200, 200)));
  course.push_back(Strip("splash", 4, 16, 16, MakeColor(96, 160, 248)));
  for (int32_t i = 5; i <= 11; ++i)
    course.push_back(Strip("sprite" + std::to_string(i), 2, 16, 16, kPipeCoverColour));
  course.push_back(Solid("title", 320, 200, kTitleColour));
  course.push_back(Strip("dropmarker", 2, 34, 30, MakeColor(248, 248, 248)));
  WriteImageListFile((dir / (name + ".dxg")).string(), course);
  WriteSoundListFile((dir / (name + ".dxw")).string(), Sounds(2));
}

DataDir::DataDir() {
  std::random_device device;
  path_ = std::filesystem::temp_directory_path() /
          ("quendrix-play-" + std::to_string(device()) + "-" + std::to_string(device()));
  std::filesystem::create_directories(path_);
}

DataDir::~DataDir() {
  std::error_code error;
  std::filesystem::remove_all(path_, error);
}

}  // namespace quendrix::playdata
