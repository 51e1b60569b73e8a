// quendrix-flic: looks into FLIC animations through the launch pad's player.
//
//   quendrix-flic info FILE          frames (the ring frame not counted),
//                                    size, milliseconds per frame
//   quendrix-flic extract FILE DIR   DIR/frame0001.png, frame0002.png, ...
//
// Exit status 1 when the file is missing or damaged.
#include <cstdio>
#include <filesystem>
#include <string>

#include "media/dx_timer.h"
#include "platform/png.h"
#include "widgets/flic_player.h"

namespace {

using quendrix::FlicPlayer;
using quendrix::FlicStatus;

int Usage() {
  std::fprintf(stderr, "usage: quendrix-flic info FILE\n       quendrix-flic extract FILE DIR\n");
  return 2;
}

// Opens the file by showing its first frame; reports why it cannot.
bool Open(FlicPlayer& player, const std::string& file) {
  player.SetFileName(file);
  if (player.ShowStoppedFrame(1)) return true;
  std::fprintf(stderr, "quendrix-flic: %s: %s\n", file.c_str(),
               player.FileMissing() ? "no such file" : "not a FLIC file it can read");
  return false;
}

int Info(FlicPlayer& player, const std::string& file) {
  if (!Open(player, file)) return 1;
  // Every frame decoded once, so that damage shows here too.
  int good = 1;
  while (good < player.FrameCount() && player.ShowFrame(good + 1)) ++good;
  std::printf("%s: %d frames, %dx%d, %d ms per frame\n", file.c_str(), player.FrameCount(),
              player.Width(), player.Height(), player.SpeedMs());
  if (good < player.FrameCount()) {
    std::printf("damaged: frames after %d do not decode\n", good);
    return 1;
  }
  return 0;
}

int Extract(FlicPlayer& player, const std::string& file, const std::string& dir) {
  if (!Open(player, file)) return 1;
  std::error_code ec;
  std::filesystem::create_directories(dir, ec);
  for (int n = 1; n <= player.FrameCount(); ++n) {
    if (!player.ShowFrame(n)) {
      std::fprintf(stderr, "quendrix-flic: %s: frame %d does not decode\n", file.c_str(), n);
      return 1;
    }
    char name[32];
    std::snprintf(name, sizeof name, "frame%04d.png", n);
    const std::string path = (std::filesystem::path(dir) / name).string();
    if (!quendrix::SavePngRgb32(player.Picture(), player.Width(), player.Height(), path)) {
      std::fprintf(stderr, "quendrix-flic: cannot write %s\n", path.c_str());
      return 1;
    }
  }
  std::printf("%d frames written to %s\n", player.FrameCount(), dir.c_str());
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  quendrix::FlicDecoder::QuietLibraryLog();
  quendrix::ManualClock clock;
  FlicPlayer player(clock);
  player.SetLoop(false);
  if (command == "info" && argc == 3) return Info(player, argv[2]);
  if (command == "extract" && argc == 4) return Extract(player, argv[2], argv[3]);
  return Usage();
}
