// fuzz_seeds: seeds made from the generated game data, small enough to
// mutate quickly but with the structure of the real files.
//
//   fuzz_seeds DATA_DIR REPLAY_DIR OUT_DIR
//
// Writes OUT_DIR/<harness>/...: list files with their first two and last
// items (pictures cropped, sounds cut short), the skin pictures cropped and
// two ball textures, a few sounds, every hole file, settings files as the
// launch pad writes them, the first frames of each recorded game, the
// launch pad's animations cropped to their first frames, tiny clips made by
// the clip encoder and the start of the logo clip.
#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "assetgen/clip_encoder.h"
#include "assetgen/flic_writer.h"
#include "launchpad/settings.h"
#include "media/bitmap.h"
#include "media/byte_io.h"
#include "media/list_file.h"
#include "media/wave.h"
#include "widgets/flic_decoder.h"

namespace {

using namespace quendrix;
namespace fs = std::filesystem;

constexpr int32_t kMaxSide = 12;          // pixels kept of each picture side
constexpr size_t kMaxFrames = 16;         // sound frames kept
constexpr int kReplayFrames = 150;        // recorded frames kept
constexpr int kFlicSide = 24;             // pixels kept of each animation side
constexpr int kFlicFrames = 4;            // animation frames kept
constexpr size_t kClipBytes = 12 * 1024;  // bytes kept of the logo clip

Bitmap Crop(const Bitmap& b, int32_t side) {
  if (b.Empty()) return b;
  Bitmap out(std::min(b.Width(), side), std::min(b.Height(), side));
  for (int32_t y = 0; y < out.Height(); ++y)
    for (int32_t x = 0; x < out.Width(); ++x) out.SetPixel(x, y, b.Pixel(x, y));
  return out;
}

Wave Cut(Wave w) {
  if (w.blockAlign != 0) w.data.resize(std::min(w.data.size(), kMaxFrames * w.blockAlign));
  return w;
}

template <typename Item>
std::vector<Item> FirstTwoAndLast(const std::vector<Item>& items) {
  std::vector<Item> kept;
  for (size_t i = 0; i < items.size(); ++i)
    if (i < 2 || i + 1 == items.size()) kept.push_back(items[i]);
  return kept;
}

void Write(const fs::path& path, const std::vector<uint8_t>& bytes) {
  fs::create_directories(path.parent_path());
  std::ofstream(path, std::ios::binary)
      .write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
}

void Write(const fs::path& path, const std::string& text) {
  Write(path, std::vector<uint8_t>(text.begin(), text.end()));
}

void ImageListSeed(const fs::path& file, const fs::path& out, bool withColorTable) {
  std::vector<PictureItemData> items;
  ReadImageList(ReadFileBytes(file.string()), items);
  items = FirstTwoAndLast(items);
  for (auto& item : items) item.picture = Crop(item.picture, kMaxSide);
  std::vector<uint8_t> colorTable;
  if (withColorTable)
    for (int i = 0; i < 256; ++i)
      for (int c = 0; c < 4; ++c) colorTable.push_back(static_cast<uint8_t>(i * (c + 1)));
  Write(out / "list_file" / file.filename(), EncodeImageList(items, colorTable));
}

std::vector<WaveItemData> SoundListSeed(const fs::path& file, const fs::path& out) {
  std::vector<WaveItemData> items;
  ReadSoundList(ReadFileBytes(file.string()), items);
  items = FirstTwoAndLast(items);
  for (auto& item : items) item.wave = Cut(item.wave);
  Write(out / "list_file" / file.filename(), EncodeSoundList(items));
  return items;
}

void SettingsSeeds(const fs::path& out) {
  const fs::path dir = out / "settings";
  fs::create_directories(dir);
  LaunchSettings s;
  {
    TAMReg reg(dir / "defaults.reg");
    WriteAllSettings(reg, s);
  }
  s.screen1024 = true;
  s.screen640 = false;
  s.fastwrite = false;
  s.frameskip = 2;
  s.soundon = false;
  s.soundoff = true;
  s.skipintro = true;
  s.course = 1;
  s.players = 3;
  s.gametype = 2;
  s.pushputt = true;
  s.pullputt = false;
  s.player = {"\xC0\xED\xFF", "Bob \"the\" \\putter", std::string("tab\there\x98", 9), ""};
  s.pull = {false, true, false, true};
  s.easy = {true, false, true, false};
  s.startplayer = 2;
  s.nextplayer = 1;
  s.whencollide = 1;
  s.scoring = 1;
  s.strokelimit = 3;
  s.plus1 = true;
  s.minus1 = true;
  s.skin = "meadow";
  TAMReg reg(dir / "changed.reg");
  WriteAllSettings(reg, s);
}

void ReplaySeed(const fs::path& file, const fs::path& out) {
  std::ifstream in(file, std::ios::binary);
  std::string line, text;
  int frames = 0;
  while (frames < kReplayFrames && std::getline(in, line)) {
    text += line + "\n";
    if (line.rfind("f ", 0) == 0) ++frames;
  }
  Write(out / "replay" / file.filename(), text);
}

// The first frames of an animation, the middle cropped, written again by the FLIC
// writer: real palettes and real changes from frame to frame, small enough
// to mutate quickly.
void FlicSeed(const fs::path& file, const fs::path& out) {
  FlicDecoder decoder;
  if (decoder.Open(file.string()) != FlicDecoder::OpenResult::kOk)
    throw std::runtime_error(file.string() + ": does not open");
  // The middle of the picture, where the animation moves.
  const int w = std::min(decoder.Width(), kFlicSide), h = std::min(decoder.Height(), kFlicSide);
  const int left = (decoder.Width() - w) / 2, top = (decoder.Height() - h) / 2;
  assetgen::FlicWriter writer(w, h, static_cast<uint32_t>(decoder.SpeedMs()));
  for (int i = 0; i < kFlicFrames && i < decoder.PacketCount() && decoder.Decode(i); ++i) {
    std::vector<uint8_t> pixels(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x)
        pixels[static_cast<size_t>(y) * w + x] =
            decoder.Pixels()[(top + y) * decoder.Width() + left + x];
    assetgen::FlicPalette palette{};
    for (int c = 0; c < 256; ++c)
      for (int k = 0; k < 3; ++k)
        palette[3 * c + k] = static_cast<uint8_t>(decoder.Palette()[c] >> (16 - 8 * k));
    writer.AddFrame(pixels, palette);
  }
  const std::string bytes = writer.Finish();
  Write(out / "flic" / file.filename(), std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

// A clip of `frames` pictures of w x h, a moving bar on a gradient, with
// sound at `soundRate` (0: none).
std::string TinyClip(int w, int h, int frames, int soundRate) {
  assetgen::ClipEncoder encoder(w, h, 10, soundRate);
  if (soundRate > 0) {
    std::vector<int16_t> sound(static_cast<size_t>(soundRate) * frames / 10);
    for (size_t i = 0; i < sound.size(); ++i)
      sound[i] = static_cast<int16_t>((i % 40) * 800 - 16000);
    encoder.SetSound(std::move(sound));
  }
  assetgen::Canvas canvas(w, h);
  for (int f = 0; f < frames; ++f) {
    cairo_t* cr = canvas.Cr();
    cairo_set_source_rgb(cr, 0.1, 0.3, 0.2);
    cairo_paint(cr);
    cairo_set_source_rgb(cr, 0.9, 0.8, 0.1);
    cairo_rectangle(cr, f * 3 % w, 0, 3, h);
    cairo_fill(cr);
    encoder.AddFrame(canvas);
  }
  return encoder.Finish();
}

void ClipSeeds(const fs::path& data, const fs::path& out) {
  const fs::path dir = out / "clip";
  Write(dir / "tiny_sound.avi", TinyClip(16, 16, 3, 8000));
  Write(dir / "tiny_silent_odd.avi", TinyClip(18, 10, 2, 0));
  std::ifstream in(data / "tarn.avi", std::ios::binary);
  std::string head(kClipBytes, '\0');
  in.read(head.data(), static_cast<std::streamsize>(head.size()));
  head.resize(static_cast<size_t>(in.gcount()));
  Write(dir / "tarn_start.avi", head);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4) {
    std::fprintf(stderr, "usage: fuzz_seeds DATA_DIR REPLAY_DIR OUT_DIR\n");
    return 2;
  }
  const fs::path data = argv[1], replays = argv[2], out = argv[3];
  try {
    ImageListSeed(data / "gui.dxg", out, false);
    ImageListSeed(data / "menu.dxg", out, true);
    ImageListSeed(data / "course1hole1.dxg", out, false);
    SoundListSeed(data / "menu.dxw", out);
    SoundListSeed(data / "course1hole1.dxw", out);
    const auto sounds = SoundListSeed(data / "sound.dxw", out);
    for (size_t i = 0; i < sounds.size(); ++i)
      if (sounds[i].wave.formatTag != 0)
        Write(out / "wave" / ("sound" + std::to_string(i) + ".wav"), EncodeWave(sounds[i].wave));

    for (const auto& entry : fs::directory_iterator(data / "skins" / "meadow"))
      if (entry.path().extension() == ".bmp")
        Write(out / "bmp" / ("skin_" + entry.path().filename().string()),
              EncodeBmp(Crop(LoadBmpFile(entry.path().string()), 16)));
    int textures = 0;
    for (const auto& entry : fs::directory_iterator(data / "textures"))
      if (entry.path().extension() == ".bmp" && textures++ < 2)
        fs::copy_file(entry.path(), out / "bmp" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);

    fs::create_directories(out / "hole");
    for (const auto& entry : fs::directory_iterator(data))
      if (entry.path().extension() == ".hole")
        fs::copy_file(entry.path(), out / "hole" / entry.path().filename(),
                      fs::copy_options::overwrite_existing);

    SettingsSeeds(out);
    FlicDecoder::QuietLibraryLog();
    FlicSeed(data / "interface.flc", out);
    FlicSeed(data / "interface_loop.flc", out);
    ClipSeeds(data, out);
    for (const auto& entry : fs::directory_iterator(replays))
      if (entry.path().extension() == ".replay") ReplaySeed(entry.path(), out);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "fuzz_seeds: %s\n", e.what());
    return 1;
  }
  return 0;
}
