#include "platform/sdl_display.h"

#include <SDL.h>
#include <SDL_image.h>

#include <ctime>
#include <filesystem>

#include "core/cp1251.h"
#include "platform/png.h"

namespace quendrix {

SdlDisplay::SdlDisplay(std::string title) : title_(std::move(title)) {}

SdlDisplay::~SdlDisplay() {
  Close();
}

std::vector<DisplayMode> SdlDisplay::ListModes() {
  std::vector<DisplayMode> modes;
  for (const auto& [w, h] :
       {std::pair{512, 384}, {640, 480}, {800, 600}, {1024, 768}, {1280, 1024}})
    for (int bits : {16, 32}) modes.push_back({w, h, bits});
  return modes;
}

bool SdlDisplay::Open(const DisplayMode& mode, bool fullScreen) {
  Close();
  if (mode.width <= 0 || mode.height <= 0) return false;
  if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
    lastError_ = SDL_GetError();
    return false;
  }
  videoInit_ = true;
  SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  const Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI |
                       (fullScreen ? SDL_WINDOW_FULLSCREEN_DESKTOP : SDL_WINDOW_RESIZABLE);
  const std::string caption = Cp1251ToUtf8(title_);
  window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                             mode.width, mode.height, flags);
  if (window_) {
    renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED);
    if (!renderer_) renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
  }
  if (!window_ || !renderer_ || SDL_RenderSetLogicalSize(renderer_, mode.width, mode.height) != 0 ||
      !EnsureTexture(mode.width, mode.height)) {
    lastError_ = SDL_GetError();
    Close();
    return false;
  }
  open_ = true;
  fullScreen_ = fullScreen;
  mode_ = mode;
  vsync_ = false;
  SDL_RenderSetVSync(renderer_, 0);
  UpdateScaling();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

void SdlDisplay::Close() {
  if (texture_) SDL_DestroyTexture(texture_);
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  texture_ = nullptr;
  renderer_ = nullptr;
  window_ = nullptr;
  textureWidth_ = textureHeight_ = 0;
  open_ = false;
  if (videoInit_) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoInit_ = false;
  }
}

bool SdlDisplay::EnsureTexture(int32_t width, int32_t height) {
  if (texture_ && textureWidth_ == width && textureHeight_ == height) return true;
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_RGB565, SDL_TEXTUREACCESS_STREAMING,
                               width, height);
  textureWidth_ = texture_ ? width : 0;
  textureHeight_ = texture_ ? height : 0;
  return texture_ != nullptr;
}

void SdlDisplay::UpdateScaling() {
  // Whole-step scaling keeps pixels square and sharp when the screen is at
  // least the mode's size; on a smaller screen it would show nothing.
  int outW = 0, outH = 0;
  SDL_GetRendererOutputSize(renderer_, &outW, &outH);
  SDL_RenderSetIntegerScale(renderer_,
                            outW >= mode_.width && outH >= mode_.height ? SDL_TRUE : SDL_FALSE);
}

void SdlDisplay::Present(const TDirectDrawSurface& back, const PresentRequest& request) {
  if (!open_ || back.Width() == 0) return;
  if (request.waitVBlank != vsync_) {
    vsync_ = request.waitVBlank;
    SDL_RenderSetVSync(renderer_, vsync_ ? 1 : 0);
  }
  if (!EnsureTexture(back.Width(), back.Height())) return;
  SDL_UpdateTexture(texture_, nullptr, back.Row(0), back.Width() * 2);
  lastFrame_ = back.Pixels();
  lastFrameWidth_ = back.Width();
  lastFrameHeight_ = back.Height();
  UpdateScaling();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect dest{request.dest.left, request.dest.top, request.dest.Width(),
                      request.dest.Height()};
  lastDest_[0] = dest.x;
  lastDest_[1] = dest.y;
  lastDest_[2] = dest.w;
  lastDest_[3] = dest.h;
  SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
  SDL_RenderPresent(renderer_);
  ++framesPresented_;
}

void SdlDisplay::Repaint() {
  if (!open_ || lastFrame_.empty()) return;
  if (vsync_) SDL_RenderSetVSync(renderer_, 0);  // a repaint never waits
  UpdateScaling();
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  const SDL_Rect dest{lastDest_[0], lastDest_[1], lastDest_[2], lastDest_[3]};
  SDL_RenderCopy(renderer_, texture_, nullptr, &dest);
  SDL_RenderPresent(renderer_);
  if (vsync_) SDL_RenderSetVSync(renderer_, 1);
}

void SdlDisplay::ToggleFullScreen() {
  if (!window_) return;
  fullScreen_ = !fullScreen_;
  SDL_SetWindowFullscreen(window_, fullScreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
  if (renderer_) UpdateScaling();
}

void SdlDisplay::SetTitle(const std::string& cp1251Title) {
  title_ = cp1251Title;
  if (window_) SDL_SetWindowTitle(window_, Cp1251ToUtf8(title_).c_str());
}

void SdlDisplay::ShowCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

std::string SdlDisplay::SaveScreenshot(const std::string& folder) {
  if (lastFrame_.empty()) return {};
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  std::string path = folder + "/quendrix-" + stamp + ".png";
  for (int n = 2; std::filesystem::exists(path, ec); ++n)
    path = folder + "/quendrix-" + stamp + "-" + std::to_string(n) + ".png";
  return SavePng(lastFrame_.data(), lastFrameWidth_, lastFrameHeight_, path) ? path
                                                                                : std::string();
}

}  // namespace quendrix
