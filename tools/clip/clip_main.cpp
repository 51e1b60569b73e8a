// quendrix-clip: plays a video clip the way the intro and credits windows
// do (black screen, the wait, the clip centred at its natural size; any
// key, button or click ends it), or describes it.
//
//   quendrix-clip [--info] [--screen WxH] [--silent] FILE
//
// --info decodes the whole clip without showing it and prints its size,
// duration and streams, as the player reads them.
#include <SDL.h>

#include <cinttypes>
#include <cstdio>
#include <cstring>
#include <exception>
#include <filesystem>
#include <string>

#include "platform/events.h"
#include "video/clip_audio.h"
#include "video/clip_decoder.h"
#include "video/video_modal.h"
#include "video/video_window.h"

namespace {

using namespace quendrix;

int Usage() {
  std::fprintf(stderr, "usage: quendrix-clip [--info] [--screen WxH] [--silent] FILE\n");
  return 2;
}

int Info(const std::string& path) {
  ClipDecoder d(path, {ClipAudio::kRate, ClipAudio::kChannels});
  const ClipInfo& i = d.Info();
  std::printf("file      %s\n", path.c_str());
  std::printf("container %s\n", i.container.c_str());
  std::printf("picture   %dx%d %s, %.3f frames/s\n", i.width, i.height, i.videoCodec.c_str(),
              i.frameRate);
  if (i.hasAudio) {
    std::printf("sound     %s, %d Hz, %d channel(s)\n", i.audioCodec.c_str(), i.audioRate,
                i.audioChannels);
  } else {
    std::printf("sound     none\n");
  }
  std::printf("duration  %.3f s\n", i.duration);
  int64_t pictures = 0;
  double last = 0;
  while (d.Step()) {
    while (d.PicturesQueued() > 0) {
      last = d.PictureAt(0).time;
      d.PopPicture();
      ++pictures;
    }
    d.Sound().clear();
  }
  std::printf("decoded   %" PRId64 " pictures, last at %.3f s; %.3f s of sound\n", pictures, last,
              static_cast<double>(d.SoundFramesDecoded()) / ClipAudio::kRate);
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  bool info = false, sound = true;
  int width = 640, height = 480;
  std::string file;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--info") {
      info = true;
    } else if (a == "--silent") {
      sound = false;
    } else if (a == "--screen" && i + 1 < argc) {
      if (std::sscanf(argv[++i], "%dx%d", &width, &height) != 2 || width <= 0 || height <= 0)
        return Usage();
    } else if (!a.empty() && a[0] != '-' && file.empty()) {
      file = a;
    } else {
      return Usage();
    }
  }
  if (file.empty()) return Usage();
  try {
    if (info) return Info(file);
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrix-clip: %s\n", e.what());
    return 1;
  }

  if (SDL_Init(SDL_INIT_VIDEO) != 0) {
    std::fprintf(stderr, "quendrix-clip: %s\n", SDL_GetError());
    return 1;
  }
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "linear");
  SDL_Window* window =
      SDL_CreateWindow("quendrix-clip", SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, width,
                       height, SDL_WINDOW_RESIZABLE);
  SDL_Renderer* renderer = window ? SDL_CreateRenderer(window, -1, 0) : nullptr;
  if (!renderer) {
    std::fprintf(stderr, "quendrix-clip: %s\n", SDL_GetError());
    if (window) SDL_DestroyWindow(window);
    SDL_Quit();
    return 1;
  }
  // The screen the clip plays on, scaled to the window as the game's is.
  SDL_RenderSetLogicalSize(renderer, width, height);
  MessageLoop loop;
  loop.GetPointer().SetArea(width, height);
  VideoHost host;
  host.renderer = renderer;
  host.width = width;
  host.height = height;
  host.loop = &loop;
  host.sound = sound;
  host.reportError = [](const std::string& text) {
    std::fprintf(stderr, "quendrix-clip: %s\n", text.c_str());
  };
  const std::filesystem::path p = std::filesystem::absolute(file);
  const VideoEnd end = ShowClipModal(host, p.parent_path().string() + "/", p.filename().string());
  SDL_DestroyRenderer(renderer);
  SDL_DestroyWindow(window);
  SDL_Quit();
  return end == VideoEnd::kFailed ? 1 : 0;
}
