// The one window of the run and its renderer. Every screen of the program
// (launch pad, video windows, play screen) draws a picture of its own size,
// the canvas, and the end of each frame puts that picture on the window:
// as large as the aspect allows, centred, black around; sharp at whole
// scales and smooth, not blurred, between them. Pointer positions map back
// from window to canvas pixels through the same placement.
#pragma once

#include <cstdint>
#include <string>

struct SDL_Window;
struct SDL_Renderer;
struct SDL_Texture;

namespace quendrix {

// How a canvas is scaled onto the window.
enum class FitFilter : uint8_t {
  kNearest,  // a whole scale: every canvas pixel becomes n x n window pixels
  kLinear,   // smaller than the canvas: plain smoothing
  kSharp,    // between whole scales: nearest up by `prescale`, then smooth down
};

// Where a canvas of canvasWidth x canvasHeight lands on the window's output.
struct CanvasFit {
  int32_t canvasWidth = 0;
  int32_t canvasHeight = 0;
  // Destination rectangle, output pixels (real pixels, not window points).
  int32_t x = 0;
  int32_t y = 0;
  int32_t width = 0;
  int32_t height = 0;
  double scale = 0;  // output pixels per canvas pixel
  FitFilter filter = FitFilter::kNearest;
  // kSharp: the whole-number nearest step before the smooth one (>= 2);
  // kNearest: the whole scale itself; kLinear: 1.
  int32_t prescale = 1;
  bool operator==(const CanvasFit&) const = default;
};

struct CanvasPoint {
  int32_t x = 0;
  int32_t y = 0;
  bool operator==(const CanvasPoint&) const = default;
};

// scale = min(outputWidth / canvasWidth, outputHeight / canvasHeight), the
// picture centred (odd leftovers go right and down). `maxTexture` (0 = no
// limit) caps the intermediate picture of the sharp step. Empty sizes give
// an empty rectangle.
CanvasFit FitCanvas(int32_t canvasWidth, int32_t canvasHeight, int32_t outputWidth,
                    int32_t outputHeight, int32_t maxTexture = 0);
// The canvas pixel under an output point (pixel centres at +0.5). Points on
// the black around give coordinates outside the canvas.
CanvasPoint OutputToCanvas(const CanvasFit& fit, double outputX, double outputY);
// The output point at the centre of a canvas pixel.
void CanvasToOutput(const CanvasFit& fit, int32_t x, int32_t y, double& outputX, double& outputY);

class Screen {
 public:
  // `title` is cp1251 (the window caption).
  explicit Screen(std::string title = "Quendrix");
  ~Screen();
  Screen(const Screen&) = delete;
  Screen& operator=(const Screen&) = delete;

  // Makes the window (desktop full screen, or a window) and its renderer,
  // once for the run; later calls only report whether it is there. False
  // when either cannot be made, with the reason in LastError().
  bool Open(bool fullScreen = true);
  // Destroys window and renderer; only at the end of the run.
  void Close();
  bool IsOpen() const { return renderer_ != nullptr; }

  // ---- Frames ------------------------------------------------------------
  // Starts a frame with a canvas of width x height (made anew when the size
  // changes), cleared to black and made the render target. Returns the
  // renderer to draw with, or nullptr when there is no window or canvas.
  SDL_Renderer* BeginFrame(int32_t width, int32_t height);
  // Puts the canvas on the window and presents it.
  void EndFrame();
  // Shows the last frame again without waiting for the vertical blank
  // (the window was uncovered or resized).
  void Repaint();

  // ---- Pace --------------------------------------------------------------
  // What the frames cost the player: presented frames, and the delay from
  // an input event to the first frame presented after it (SDL milliseconds;
  // the event's own time stamp, taken when SDL read it from the system).
  struct PaceCounts {
    uint64_t frames = 0;
    uint64_t inputs = 0;  // frames that showed input, each timed once
    uint64_t inputDelayMs = 0;
    uint32_t longestInputDelayMs = 0;
  };
  // An input event at `eventMs` (SDL ticks) waits for the next frame.
  void NoteInput(uint32_t eventMs);
  const PaceCounts& Pace() const { return pace_; }

  // Size of the last frame's picture (0 before the first frame).
  int32_t CanvasWidth() const { return frameWidth_; }
  int32_t CanvasHeight() const { return frameHeight_; }
  // Where the last frame's picture lies on the window now.
  CanvasFit Fit() const;

  // ---- Pointer -----------------------------------------------------------
  // A window point (SDL's event coordinates) -> canvas pixel of the last
  // frame; outside the canvas over the black around it.
  CanvasPoint WindowToCanvas(int32_t windowX, int32_t windowY) const;
  // Canvas pixels per window point: relative motion in canvas pixels.
  double CanvasPerWindowPoint() const;
  // Moves the system pointer over a canvas pixel.
  void WarpPointer(int32_t x, int32_t y);
  // Shows or hides the system pointer over the window.
  void ShowCursor(bool show);

  // ---- Window --------------------------------------------------------------
  // Waits for the vertical blank at each present while on.
  void SetVSync(bool on);
  bool FullScreen() const { return fullScreen_; }
  // Full screen (the whole display, also without a window manager) or a
  // window; Alt+Enter and F11.
  void SetFullScreen(bool fullScreen);
  void ToggleFullScreen() { SetFullScreen(!fullScreen_); }
  void SetTitle(const std::string& cp1251Title);
  // Writes the last frame's picture as a PNG in `folder`; returns the
  // file's path, or an empty string when nothing could be written (also
  // when `folder` is empty: the user has no folder for them).
  std::string SaveScreenshot(const std::string& folder);
  // The last error SDL reported, for the caller's message.
  const std::string& LastError() const { return lastError_; }

  SDL_Window* Window() const { return window_; }
  SDL_Renderer* Renderer() const { return renderer_; }

 private:
  bool EnsureTarget(SDL_Texture*& texture, int32_t& w, int32_t& h, int32_t width, int32_t height);
  // Draws `source` (width x height) on the window, black around, and presents.
  void PutOnWindow(SDL_Texture* source, int32_t width, int32_t height);
  int32_t MaxTexture() const;

  std::string title_;
  PaceCounts pace_;
  bool inputWaiting_ = false;
  uint32_t inputMs_ = 0;  // the oldest input not yet on the screen
  bool videoInit_ = false;
  bool fullScreen_ = false;
  bool vsync_ = false;
  SDL_Window* window_ = nullptr;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* canvas_ = nullptr;
  int32_t canvasWidth_ = 0, canvasHeight_ = 0;
  SDL_Texture* prescaled_ = nullptr;  // the sharp step's intermediate picture
  int32_t prescaledWidth_ = 0, prescaledHeight_ = 0;
  // Size of the last frame, which stays in the canvas.
  int32_t frameWidth_ = 0, frameHeight_ = 0;
  std::string lastError_;
};

}  // namespace quendrix
