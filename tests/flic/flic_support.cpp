#include "flic_support.h"

#include <unistd.h>

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace quendrix::testing {
namespace {

struct Lcg {
  uint32_t s;
  uint32_t Next() {
    s = s * 1664525u + 1013904223u;
    return s >> 8;
  }
  int Below(int n) { return static_cast<int>(Next() % static_cast<uint32_t>(n)); }
};

}  // namespace

FlicClip MakeClip(int w, int h, uint32_t speedMs) {
  FlicClip c;
  c.width = w;
  c.height = h;
  c.speedMs = speedMs;
  Lcg rnd{static_cast<uint32_t>(w * 7919 + h)};
  assetgen::FlicPalette pal{};
  for (int i = 0; i < 768; ++i) pal[i] = static_cast<uint8_t>(rnd.Next());
  std::vector<uint8_t> px(static_cast<size_t>(w) * h);
  // Runs longer than one run byte holds, broken by noise.
  for (size_t i = 0; i < px.size(); ++i)
    px[i] = (i / 300) % 3 == 2 ? static_cast<uint8_t>(rnd.Next()) : static_cast<uint8_t>(i / 300);
  auto add = [&] {
    c.pixels.push_back(px);
    c.palettes.push_back(pal);
  };
  auto at = [&](int x, int y) -> uint8_t& { return px[static_cast<size_t>(y) * w + x]; };
  add();
  add();                          // unchanged
  for (int y = 0; y < h; y += 3)  // single pixels far apart, first and last too
    for (int x = y % 2; x < w; x += 301) ++at(x, y);
  ++at(w - 1, h - 1);
  add();
  for (int x = 0; x < w; ++x) at(x, h / 2) = static_cast<uint8_t>(rnd.Next());  // a whole row
  for (int x = 0; x < w; ++x) at(x, 0) ^= 0x55;
  add();
  for (int y = 0; y < h; ++y) at(w - 1, y) += 7;  // the last column
  add();
  for (int i = 10; i < 20; ++i) pal[3 * i] ^= 0xFF;  // palette runs alone
  pal[3 * 255 + 2] ^= 1;
  add();
  for (uint8_t& p : px) p = static_cast<uint8_t>(rnd.Next());  // noise everywhere
  pal[0] ^= 0x80;
  add();
  for (int y = 0; y < h; y += 2)  // one colour over whole lines
    for (int x = 0; x < w; ++x) at(x, y) = 200;
  add();
  px = c.pixels[0];  // near the first frame: a small ring frame
  at(w / 2, h / 2) = 9;
  pal = c.palettes[0];
  add();
  return c;
}

std::string Encode(const FlicClip& clip) {
  assetgen::FlicWriter writer(clip.width, clip.height, clip.speedMs);
  for (size_t i = 0; i < clip.pixels.size(); ++i) writer.AddFrame(clip.pixels[i], clip.palettes[i]);
  return writer.Finish();
}

ScratchDir::ScratchDir() {
  std::string pattern = (std::filesystem::temp_directory_path() / "quendrix-flic-XXXXXX").string();
  if (::mkdtemp(pattern.data()) == nullptr) throw std::runtime_error("mkdtemp failed");
  path_ = pattern;
}

ScratchDir::~ScratchDir() {
  std::error_code ec;
  std::filesystem::remove_all(path_, ec);
}

std::string ScratchDir::Write(const std::string& name, const std::string& bytes) const {
  std::string p = Path(name);
  std::ofstream out(p, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  return p;
}

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream s;
  s << in.rdbuf();
  return s.str();
}

}  // namespace quendrix::testing
