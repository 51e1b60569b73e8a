#include "platform/screen.h"

#include <SDL.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <ctime>
#include <filesystem>
#include <string>
#include <vector>

#include "core/cp1251.h"
#include "platform/png.h"

namespace quendrix {

// ---- Placement ------------------------------------------------------------------

CanvasFit FitCanvas(int32_t cw, int32_t ch, int32_t ow, int32_t oh, int32_t maxTexture) {
  CanvasFit f;
  f.canvasWidth = cw;
  f.canvasHeight = ch;
  if (cw <= 0 || ch <= 0 || ow <= 0 || oh <= 0) return f;
  // Integer arithmetic, so that equal aspects fill the output exactly.
  const int64_t byWidth = int64_t{ow} * ch, byHeight = int64_t{oh} * cw;
  if (byWidth <= byHeight) {
    f.width = ow;
    f.height = static_cast<int32_t>((2 * int64_t{ch} * ow + cw) / (2 * int64_t{cw}));
    f.scale = static_cast<double>(ow) / cw;
  } else {
    f.height = oh;
    f.width = static_cast<int32_t>((2 * int64_t{cw} * oh + ch) / (2 * int64_t{ch}));
    f.scale = static_cast<double>(oh) / ch;
  }
  // A sliver of a canvas still shows as one pixel.
  f.width = std::clamp(f.width, 1, ow);
  f.height = std::clamp(f.height, 1, oh);
  f.x = (ow - f.width) / 2;
  f.y = (oh - f.height) / 2;
  const int32_t whole = f.width / cw;
  if (whole >= 1 && f.width == whole * cw && f.height == whole * ch) {
    f.filter = FitFilter::kNearest;
    f.prescale = whole;
    return f;
  }
  // Between whole scales: blow each pixel up to the next whole size, then
  // smooth that down. Only the seams between pixels get mixed colours, so
  // the picture stays crisp where plain smoothing would blur every pixel.
  int32_t k = f.scale < 1 ? 1 : static_cast<int32_t>(std::ceil(f.scale));
  if (maxTexture > 0)
    while (k > 1 && (int64_t{cw} * k > maxTexture || int64_t{ch} * k > maxTexture)) --k;
  f.filter = k >= 2 ? FitFilter::kSharp : FitFilter::kLinear;
  f.prescale = std::max(k, 1);
  return f;
}

CanvasPoint OutputToCanvas(const CanvasFit& f, double ox, double oy) {
  if (f.width <= 0 || f.height <= 0) return {};
  const double x = std::floor((ox - f.x) * f.canvasWidth / f.width);
  const double y = std::floor((oy - f.y) * f.canvasHeight / f.height);
  // Far outside the window still fits an int32_t.
  return {static_cast<int32_t>(std::clamp(x, -1e9, 1e9)),
          static_cast<int32_t>(std::clamp(y, -1e9, 1e9))};
}

void CanvasToOutput(const CanvasFit& f, int32_t x, int32_t y, double& ox, double& oy) {
  if (f.canvasWidth <= 0 || f.canvasHeight <= 0) {
    ox = oy = 0;
    return;
  }
  ox = f.x + (x + 0.5) * f.width / f.canvasWidth;
  oy = f.y + (y + 0.5) * f.height / f.canvasHeight;
}

namespace {

SDL_Rect DisplayBounds(int display) {
  SDL_Rect b{0, 0, 640, 480};
  if (SDL_GetDisplayBounds(display, &b) != 0 || b.w <= 0 || b.h <= 0) b = {0, 0, 640, 480};
  return b;
}

// A window for the picture: the largest whole multiple of it within nine
// tenths of the display, or the picture fitted there when even one is too
// large.
SDL_Point WindowedSize(const SDL_Rect& display, int32_t width, int32_t height) {
  if (width <= 0 || height <= 0) {
    width = 640;
    height = 480;
  }
  const int32_t roomW = std::max(display.w * 9 / 10, 1), roomH = std::max(display.h * 9 / 10, 1);
  const int32_t k = std::min(roomW / width, roomH / height);
  if (k >= 1) return {width * k, height * k};
  const CanvasFit f = FitCanvas(width, height, roomW, roomH);
  return {f.width, f.height};
}

// Whether the player chose a renderer by name (SDL_RENDER_DRIVER).
bool RendererNamed() {
  const char* hint = SDL_GetHint(SDL_HINT_RENDER_DRIVER);
  return hint != nullptr && *hint != '\0';
}

// Whether the renderer is OpenGL on one of Mesa's software rasterisers (no
// graphics card, as in a virtual machine or on a bare X server).
bool IsSoftwareOpenGl(SDL_Renderer* renderer) {
  SDL_RendererInfo info;
  if (SDL_GetRendererInfo(renderer, &info) != 0 || std::strcmp(info.name, "opengl") != 0)
    return false;
  using GetString = const unsigned char* (*)(unsigned int);
  constexpr unsigned int kGlRenderer = 0x1F01;
  const auto glGetString = reinterpret_cast<GetString>(SDL_GL_GetProcAddress("glGetString"));
  const unsigned char* name = glGetString != nullptr ? glGetString(kGlRenderer) : nullptr;
  if (name == nullptr) return false;
  const std::string text(reinterpret_cast<const char*>(name));
  for (const char* soft : {"llvmpipe", "softpipe", "Software Rasterizer"})
    if (text.find(soft) != std::string::npos) return true;
  return false;
}

void Clear(SDL_Renderer* r) {
  SDL_SetRenderDrawColor(r, 0, 0, 0, 255);
  SDL_RenderClear(r);
}

}  // namespace

// ---- Screen -----------------------------------------------------------------------

Screen::Screen(std::string title) : title_(std::move(title)) {}

Screen::~Screen() {
  Close();
}

bool Screen::Open(bool fullScreen) {
  if (renderer_) return true;
  if (!videoInit_) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) != 0) {
      lastError_ = SDL_GetError();
      return false;
    }
    videoInit_ = true;
  }
  SDL_SetHint(SDL_HINT_VIDEO_MINIMIZE_ON_FOCUS_LOSS, "0");
  // On X11 SDL would otherwise put a software renderer's picture on the
  // window through an OpenGL texture, which without a graphics card is
  // Mesa's software GL drawing it a second time (several times the cost of
  // the frame itself); shared memory to the X server is what a picture made
  // by the CPU wants. Other systems keep SDL's choice (Wayland has no other
  // way), and so does a player who sets the hint.
  const char* driver = SDL_GetCurrentVideoDriver();
  if (driver != nullptr && std::strcmp(driver, "x11") == 0)
    SDL_SetHintWithPriority(SDL_HINT_FRAMEBUFFER_ACCELERATION, "0", SDL_HINT_DEFAULT);
  const SDL_Rect bounds = DisplayBounds(0);
  const std::string caption = Cp1251ToUtf8(title_);
  const Uint32 flags = SDL_WINDOW_ALLOW_HIGHDPI | SDL_WINDOW_RESIZABLE;
  if (fullScreen) {
    // Made over the whole display from the start: without a window manager
    // nobody would resize it, and only part of the display would show.
    window_ = SDL_CreateWindow(caption.c_str(), bounds.x, bounds.y, bounds.w, bounds.h,
                               flags | SDL_WINDOW_FULLSCREEN_DESKTOP);
  } else {
    const SDL_Point size = WindowedSize(bounds, 0, 0);
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED,
                               size.x, size.y, flags);
  }
  if (window_) {
    renderer_ =
        SDL_CreateRenderer(window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_TARGETTEXTURE);
    // OpenGL drawn by the CPU is slower than SDL's own software renderer at
    // the same work, unless the player asked for a renderer by name.
    if (renderer_ && !RendererNamed() && IsSoftwareOpenGl(renderer_)) {
      SDL_DestroyRenderer(renderer_);
      renderer_ = nullptr;
    }
    if (!renderer_)
      renderer_ =
          SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE | SDL_RENDERER_TARGETTEXTURE);
  }
  if (!window_ || !renderer_) {
    lastError_ = SDL_GetError();
    Close();
    return false;
  }
  fullScreen_ = fullScreen;
  vsync_ = false;
  SDL_RenderSetVSync(renderer_, 0);
  // Black at once: the desktop never shows through.
  Clear(renderer_);
  SDL_RenderPresent(renderer_);
  return true;
}

void Screen::Close() {
  for (SDL_Texture* t : {canvas_, prescaled_})
    if (t) SDL_DestroyTexture(t);
  canvas_ = prescaled_ = nullptr;
  canvasWidth_ = canvasHeight_ = prescaledWidth_ = prescaledHeight_ = 0;
  frameWidth_ = frameHeight_ = 0;
  if (renderer_) SDL_DestroyRenderer(renderer_);
  if (window_) SDL_DestroyWindow(window_);
  renderer_ = nullptr;
  window_ = nullptr;
  if (videoInit_) {
    SDL_QuitSubSystem(SDL_INIT_VIDEO);
    videoInit_ = false;
  }
}

bool Screen::EnsureTarget(SDL_Texture*& texture, int32_t& w, int32_t& h, int32_t width,
                          int32_t height) {
  if (texture && w == width && h == height) return true;
  if (texture) SDL_DestroyTexture(texture);
  // The window's own format makes the copies plain; one with alpha or of
  // another size per pixel is replaced by the common 32-bit one.
  Uint32 format = SDL_GetWindowPixelFormat(window_);
  if (SDL_ISPIXELFORMAT_FOURCC(format) || SDL_BYTESPERPIXEL(format) != 4)
    format = SDL_PIXELFORMAT_ARGB8888;
  texture = SDL_CreateTexture(renderer_, format, SDL_TEXTUREACCESS_TARGET, width, height);
  if (!texture && format != SDL_PIXELFORMAT_ARGB8888)
    texture = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_TARGET,
                                width, height);
  if (!texture) {
    lastError_ = SDL_GetError();
    w = h = 0;
    return false;
  }
  SDL_SetTextureBlendMode(texture, SDL_BLENDMODE_NONE);
  w = width;
  h = height;
  return true;
}

int32_t Screen::MaxTexture() const {
  SDL_RendererInfo info{};
  if (!renderer_ || SDL_GetRendererInfo(renderer_, &info) != 0) return 0;
  if (info.max_texture_width <= 0 || info.max_texture_height <= 0) return 0;
  return std::min(info.max_texture_width, info.max_texture_height);
}

SDL_Renderer* Screen::BeginFrame(int32_t width, int32_t height) {
  if (!renderer_ || width <= 0 || height <= 0) return nullptr;
  frameWidth_ = frameHeight_ = 0;  // until the new canvas is there
  if (!EnsureTarget(canvas_, canvasWidth_, canvasHeight_, width, height)) return nullptr;
  SDL_SetRenderTarget(renderer_, canvas_);
  Clear(renderer_);
  frameWidth_ = width;
  frameHeight_ = height;
  return renderer_;
}

void Screen::EndFrame() {
  if (!renderer_ || !canvas_ || frameWidth_ <= 0) return;
  PutOnWindow(canvas_, canvasWidth_, canvasHeight_);
  ++pace_.frames;
  if (inputWaiting_) {
    inputWaiting_ = false;
    const auto delay = static_cast<uint32_t>(SDL_GetTicks() - inputMs_);
    ++pace_.inputs;
    pace_.inputDelayMs += delay;
    pace_.longestInputDelayMs = std::max(pace_.longestInputDelayMs, delay);
  }
}

void Screen::NoteInput(uint32_t eventMs) {
  if (inputWaiting_) return;
  inputWaiting_ = true;
  inputMs_ = eventMs;
}

void Screen::PutOnWindow(SDL_Texture* source, int32_t width, int32_t height) {
  int ow = 0, oh = 0;
  SDL_SetRenderTarget(renderer_, nullptr);
  SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  const CanvasFit fit = FitCanvas(width, height, ow, oh, MaxTexture());
  SDL_Texture* shown = source;
  SDL_SetTextureBlendMode(source, SDL_BLENDMODE_NONE);
  if (fit.filter == FitFilter::kSharp &&
      EnsureTarget(prescaled_, prescaledWidth_, prescaledHeight_, width * fit.prescale,
                   height * fit.prescale)) {
    SDL_SetRenderTarget(renderer_, prescaled_);
    SDL_SetTextureScaleMode(source, SDL_ScaleModeNearest);
    SDL_RenderCopy(renderer_, source, nullptr, nullptr);
    SDL_SetRenderTarget(renderer_, nullptr);
    shown = prescaled_;
  }
  // Black only where the picture leaves some of the window uncovered.
  if (fit.x > 0 || fit.y > 0 || fit.width < ow || fit.height < oh) Clear(renderer_);
  if (fit.width > 0) {
    const SDL_Rect dest{fit.x, fit.y, fit.width, fit.height};
    SDL_SetTextureScaleMode(
        shown, fit.filter == FitFilter::kNearest ? SDL_ScaleModeNearest : SDL_ScaleModeLinear);
    SDL_RenderCopy(renderer_, shown, nullptr, &dest);
  }
  SDL_RenderPresent(renderer_);
}

void Screen::Repaint() {
  if (!renderer_ || !canvas_ || frameWidth_ <= 0) return;
  if (vsync_) SDL_RenderSetVSync(renderer_, 0);  // a repaint never waits
  PutOnWindow(canvas_, frameWidth_, frameHeight_);
  if (vsync_) SDL_RenderSetVSync(renderer_, 1);
}

CanvasFit Screen::Fit() const {
  int ow = 0, oh = 0;
  if (renderer_) SDL_GetRendererOutputSize(renderer_, &ow, &oh);
  return FitCanvas(frameWidth_, frameHeight_, ow, oh, MaxTexture());
}

namespace {

// Output pixels per window point on each axis (2 on a doubled high-DPI
// screen, 1 elsewhere).
void PixelsPerPoint(SDL_Window* window, SDL_Renderer* renderer, double& px, double& py) {
  int ww = 0, wh = 0, ow = 0, oh = 0;
  SDL_GetWindowSize(window, &ww, &wh);
  SDL_GetRendererOutputSize(renderer, &ow, &oh);
  px = ww > 0 && ow > 0 ? static_cast<double>(ow) / ww : 1.0;
  py = wh > 0 && oh > 0 ? static_cast<double>(oh) / wh : 1.0;
}

}  // namespace

CanvasPoint Screen::WindowToCanvas(int32_t windowX, int32_t windowY) const {
  if (!renderer_ || frameWidth_ <= 0) return {windowX, windowY};
  double px = 1, py = 1;
  PixelsPerPoint(window_, renderer_, px, py);
  return OutputToCanvas(Fit(), (windowX + 0.5) * px, (windowY + 0.5) * py);
}

double Screen::CanvasPerWindowPoint() const {
  if (!renderer_ || frameWidth_ <= 0) return 1.0;
  double px = 1, py = 1;
  PixelsPerPoint(window_, renderer_, px, py);
  const CanvasFit f = Fit();
  return f.width > 0 ? px * f.canvasWidth / f.width : 1.0;
}

void Screen::WarpPointer(int32_t x, int32_t y) {
  if (!renderer_ || frameWidth_ <= 0) return;
  double px = 1, py = 1, ox = 0, oy = 0;
  PixelsPerPoint(window_, renderer_, px, py);
  CanvasToOutput(Fit(), x, y, ox, oy);
  SDL_WarpMouseInWindow(window_, static_cast<int>(ox / px), static_cast<int>(oy / py));
}

void Screen::ShowCursor(bool show) {
  SDL_ShowCursor(show ? SDL_ENABLE : SDL_DISABLE);
}

void Screen::SetVSync(bool on) {
  if (on == vsync_) return;
  vsync_ = on;
  if (renderer_) SDL_RenderSetVSync(renderer_, on ? 1 : 0);
}

void Screen::SetFullScreen(bool fullScreen) {
  if (!window_) return;
  const int display = std::max(SDL_GetWindowDisplayIndex(window_), 0);
  const SDL_Rect bounds = DisplayBounds(display);
  if (fullScreen) {
    // Laid over the whole display first, for the same reason as in Open.
    SDL_SetWindowPosition(window_, bounds.x, bounds.y);
    SDL_SetWindowSize(window_, bounds.w, bounds.h);
    if (SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP) != 0) {
      lastError_ = SDL_GetError();
      return;
    }
  } else {
    if (SDL_SetWindowFullscreen(window_, 0) != 0) {
      lastError_ = SDL_GetError();
      return;
    }
    const SDL_Point size = WindowedSize(bounds, frameWidth_, frameHeight_);
    SDL_SetWindowSize(window_, size.x, size.y);
    SDL_SetWindowPosition(window_, static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(display)),
                          static_cast<int>(SDL_WINDOWPOS_CENTERED_DISPLAY(display)));
  }
  fullScreen_ = fullScreen;
  Repaint();
}

void Screen::SetTitle(const std::string& cp1251Title) {
  title_ = cp1251Title;
  if (window_) SDL_SetWindowTitle(window_, Cp1251ToUtf8(title_).c_str());
}

std::string Screen::SaveScreenshot(const std::string& folder) {
  if (!renderer_ || !canvas_ || frameWidth_ <= 0) return {};
  if (folder.empty()) {
    // A user with no data folder: the root or the current folder is no
    // place for a picture.
    lastError_ = "no folder for screenshots";
    return {};
  }
  std::vector<uint8_t> rgb(static_cast<size_t>(frameWidth_) * frameHeight_ * 3);
  SDL_SetRenderTarget(renderer_, canvas_);
  const int read =
      SDL_RenderReadPixels(renderer_, nullptr, SDL_PIXELFORMAT_RGB24, rgb.data(), frameWidth_ * 3);
  SDL_SetRenderTarget(renderer_, nullptr);
  if (read != 0) {
    lastError_ = SDL_GetError();
    return {};
  }
  std::error_code ec;
  std::filesystem::create_directories(folder, ec);
  char stamp[32];
  const std::time_t now = std::time(nullptr);
  std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", std::localtime(&now));
  std::string path = folder + "/quendrix-" + stamp + ".png";
  for (int n = 2; std::filesystem::exists(path, ec); ++n)
    path = folder + "/quendrix-" + stamp + "-" + std::to_string(n) + ".png";
  return SavePngRgb24(rgb.data(), frameWidth_, frameHeight_, path) ? path : std::string();
}

}  // namespace quendrix
