#include "video/video_modal.h"

#include <SDL.h>

#include <deque>
#include <memory>
#include <type_traits>
#include <vector>

#include "platform/events.h"
#include "platform/files.h"
#include "video/clip_player.h"
#include "video/extro1.h"
#include "video/intro01.h"

namespace quendrix {
namespace {

class SdlVideoClock : public VideoClock {
 public:
  uint32_t Milliseconds() override { return SDL_GetTicks(); }
  void Sleep(uint32_t ms) override { SDL_Delay(ms); }
  void WaitForEvents(uint32_t ms) override {
    if (ms > 0) SDL_WaitEventTimeout(nullptr, static_cast<int>(ms));
  }
};

// ShowCursor's count and the window's cursor shape over the loop's pointer:
// shown at a count of 0 and above, unless the shape is "none".
class LoopPointer : public SystemPointer {
 public:
  // The count starts where the caller's pointer stands, so the show gives
  // it back as it found it.
  explicit LoopPointer(MessageLoop& loop)
      : loop_(loop), count_(loop.GetPointer().Visible() ? 0 : -1) {}
  void SetCursorPos(int32_t x, int32_t y) override { loop_.GetPointer().SetPos(x, y); }
  int32_t ShowCursor(bool show) override {
    count_ += show ? 1 : -1;
    Apply();
    return count_;
  }
  void SetWindowCursor(bool none) override {
    none_ = none;
    Apply();
  }

 private:
  void Apply() {
    const bool visible = count_ >= 0 && !none_;
    if (visible != loop_.GetPointer().Visible()) loop_.GetPointer().SetVisible(visible);
  }

  MessageLoop& loop_;
  int32_t count_;
  bool none_ = false;
};

// SDL's queue as the window's events: through the caller's loop (which maps
// keys and keeps the pointer) into a small queue; game-controller buttons
// count as keys.
class SdlVideoEvents : public VideoEventSource, public InputHandler {
 public:
  SdlVideoEvents(MessageLoop& loop, VideoClock& clock)
      : loop_(loop), clock_(clock), saved_(loop.Handler()) {
    loop_.SetHandler(this);
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) == 0) {
      controllers_ = true;
      for (int i = 0; i < SDL_NumJoysticks(); ++i) OpenController(i);
    }
  }
  ~SdlVideoEvents() override {
    for (SDL_GameController* c : pads_) SDL_GameControllerClose(c);
    if (controllers_) SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    loop_.SetHandler(saved_);
  }

  bool Poll(VideoEvent& e) override {
    SDL_Event s;
    while (queue_.empty() && SDL_PollEvent(&s)) Translate(s);
    if (queue_.empty()) return false;
    e = queue_.front();
    queue_.pop_front();
    return true;
  }
  void Wait(uint32_t ms) override {
    if (queue_.empty()) clock_.WaitForEvents(ms);
  }

  void KeyDown(uint16_t key, uint32_t shift) override {
    VideoEvent e;
    e.kind = VideoEvent::kKey;
    e.key = key;
    e.shift = shift;
    queue_.push_back(e);
  }
  void MouseDown(MouseButton button, uint32_t shift, int32_t x, int32_t y) override {
    VideoEvent e;
    e.kind = VideoEvent::kMouseDown;
    e.button = button;
    e.shift = shift;
    e.x = x;
    e.y = y;
    queue_.push_back(e);
  }
  void MouseMove(uint32_t shift, int32_t x, int32_t y) override {
    VideoEvent e;
    e.kind = VideoEvent::kMouseMove;
    e.shift = shift;
    e.x = x;
    e.y = y;
    queue_.push_back(e);
  }
  void Activate(bool active) override {
    VideoEvent e;
    e.kind = VideoEvent::kFocus;
    e.active = active;
    queue_.push_back(e);
  }
  void CloseRequested() override {
    VideoEvent e;
    e.kind = VideoEvent::kClose;
    queue_.push_back(e);
  }

 private:
  void OpenController(int index) {
    if (!SDL_IsGameController(index)) return;
    if (SDL_GameController* c = SDL_GameControllerOpen(index)) pads_.push_back(c);
  }
  void Translate(const SDL_Event& s) {
    switch (s.type) {
      case SDL_CONTROLLERDEVICEADDED:
        // Pads already attached are opened above; SDL reports them here too.
        if (!SDL_GameControllerFromInstanceID(SDL_JoystickGetDeviceInstanceID(s.cdevice.which)))
          OpenController(s.cdevice.which);
        return;
      case SDL_CONTROLLERBUTTONDOWN:
        KeyDown(vk::kSpace, 0);
        return;
      case SDL_WINDOWEVENT:
        if (s.window.event == SDL_WINDOWEVENT_EXPOSED ||
            s.window.event == SDL_WINDOWEVENT_SIZE_CHANGED) {
          VideoEvent e;
          e.kind = VideoEvent::kExposed;
          queue_.push_back(e);
        }
        break;
      default:
        break;
    }
    loop_.Dispatch(s);
  }

  MessageLoop& loop_;
  VideoClock& clock_;
  InputHandler* saved_;
  std::deque<VideoEvent> queue_;
  std::vector<SDL_GameController*> pads_;
  bool controllers_ = false;
};

template <typename Window>
VideoEnd ShowModal(VideoHost& host, const std::string& folder, const std::string* clip) {
  SdlVideoClock sdlClock;
  VideoClock& clock = host.clock ? *host.clock : sdlClock;
  std::unique_ptr<MessageLoop> ownLoop;
  MessageLoop* loop = host.loop;
  if (!loop) {
    ownLoop = std::make_unique<MessageLoop>();
    ownLoop->GetPointer().SetArea(host.width, host.height);
    loop = ownLoop.get();
  }
  ClipPlayer player(clock, host.sound);
  player.SetRenderer(host.renderer, host.width, host.height);
  LoopPointer pointer(*loop);
  const std::string where = folder.empty() ? DataDir() : folder;
  std::unique_ptr<TVideoWindow> window;
  if constexpr (std::is_same_v<Window, Textro>) {
    window = clip ? std::make_unique<Textro>(player, pointer, clock, where, *clip)
                  : std::make_unique<Textro>(player, pointer, clock, where);
  } else {
    window = std::make_unique<Window>(player, pointer, clock, where);
  }
  window->SetScreen(host.width, host.height);
  VideoEnd end;
  {
    SdlVideoEvents events(*loop, clock);
    VideoRun run{*window, player, events,
                 [&] {
                   player.Draw();
                   if (host.present) {
                     host.present();
                   } else if (host.renderer) {
                     SDL_RenderPresent(host.renderer);
                   }
                 },
                 [&](const std::string& text) {
                   if (host.reportError) {
                     host.reportError(text);
                   } else {
                     ShowMessageBox("Quendrix", text, MessageIcon::kError);
                   }
                 }};
    end = RunVideoWindow(run);
  }
  // The texture belongs to the caller's renderer, which may go before the
  // window does.
  window.reset();
  player.ReleasePresentation();
  if (end == VideoEnd::kCloseRequested) loop->Terminate();
  return end;
}

}  // namespace

VideoEnd ShowIntroModal(VideoHost& host) {
  return ShowModal<Tintro>(host, host.folder, nullptr);
}

VideoEnd ShowCreditsModal(VideoHost& host) {
  return ShowModal<Textro>(host, host.folder, nullptr);
}

VideoEnd ShowClipModal(VideoHost& host, const std::string& folder, const std::string& clip) {
  return ShowModal<Textro>(host, folder, &clip);
}

}  // namespace quendrix
