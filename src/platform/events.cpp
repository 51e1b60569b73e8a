#include "platform/events.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstdio>

#include "core/cp1251.h"
#include "core/language.h"
#include "platform/files.h"
#include "platform/screen.h"

namespace quendrix {

namespace {
// How often a held stick moves the pointer, milliseconds.
constexpr uint32_t kPadStepMs = 8;
}  // namespace

namespace {

template <typename Code>
struct KeyName {
  Code code;
  uint16_t vk;
};

// Keys the layout does not move, by their key symbol.
constexpr KeyName<SDL_Keycode> kKeysBySymbol[] = {
    {SDLK_BACKSPACE, vk::kBack},
    {SDLK_TAB, vk::kTab},
    {SDLK_RETURN, vk::kReturn},
    {SDLK_LSHIFT, vk::kShift},
    {SDLK_RSHIFT, vk::kShift},
    {SDLK_LCTRL, vk::kControl},
    {SDLK_RCTRL, vk::kControl},
    {SDLK_LALT, vk::kMenu},
    {SDLK_RALT, vk::kMenu},
    {SDLK_PAUSE, vk::kPause},
    {SDLK_CAPSLOCK, vk::kCapital},
    {SDLK_ESCAPE, vk::kEscape},
    {SDLK_SPACE, vk::kSpace},
    {SDLK_PAGEUP, vk::kPrior},
    {SDLK_PAGEDOWN, vk::kNext},
    {SDLK_END, vk::kEnd},
    {SDLK_HOME, vk::kHome},
    {SDLK_LEFT, vk::kLeft},
    {SDLK_UP, vk::kUp},
    {SDLK_RIGHT, vk::kRight},
    {SDLK_DOWN, vk::kDown},
    {SDLK_PRINTSCREEN, vk::kSnapshot},
    {SDLK_INSERT, vk::kInsert},
    {SDLK_DELETE, vk::kDelete},
    {SDLK_NUMLOCKCLEAR, vk::kNumLock},
    {SDLK_SCROLLLOCK, vk::kScroll},
};

// The keypad's other keys, before the symbols.
constexpr KeyName<SDL_Scancode> kKeypad[] = {
    {SDL_SCANCODE_KP_0, vk::kNumpad0},      {SDL_SCANCODE_KP_MULTIPLY, vk::kMultiply},
    {SDL_SCANCODE_KP_PLUS, vk::kAdd},       {SDL_SCANCODE_KP_MINUS, vk::kSubtract},
    {SDL_SCANCODE_KP_PERIOD, vk::kDecimal}, {SDL_SCANCODE_KP_DIVIDE, vk::kDivide},
    {SDL_SCANCODE_KP_ENTER, vk::kReturn},
};

// Punctuation by position (US layout names), after the symbols.
constexpr KeyName<SDL_Scancode> kPunctuation[] = {
    {SDL_SCANCODE_SEMICOLON, vk::kOemSemicolon}, {SDL_SCANCODE_EQUALS, vk::kOemPlus},
    {SDL_SCANCODE_COMMA, vk::kOemComma},         {SDL_SCANCODE_MINUS, vk::kOemMinus},
    {SDL_SCANCODE_PERIOD, vk::kOemPeriod},       {SDL_SCANCODE_SLASH, vk::kOemSlash},
    {SDL_SCANCODE_GRAVE, vk::kOemTilde},         {SDL_SCANCODE_LEFTBRACKET, vk::kOemOpen},
    {SDL_SCANCODE_BACKSLASH, vk::kOemBackslash}, {SDL_SCANCODE_RIGHTBRACKET, vk::kOemClose},
    {SDL_SCANCODE_APOSTROPHE, vk::kOemQuote},
};

template <typename Code, size_t N>
uint16_t Look(const KeyName<Code> (&table)[N], Code code) {
  for (const KeyName<Code>& k : table)
    if (k.code == code) return k.vk;
  return 0;
}

}  // namespace

uint16_t VirtualKeyOf(SDL_Keycode key, SDL_Scancode scancode) {
  // Letters and digits by position, so other keyboard layouts (Cyrillic)
  // give the same codes, as the game's shortcuts expect.
  if (scancode >= SDL_SCANCODE_A && scancode <= SDL_SCANCODE_Z)
    return static_cast<uint16_t>('A' + (scancode - SDL_SCANCODE_A));
  if (scancode >= SDL_SCANCODE_1 && scancode <= SDL_SCANCODE_9)
    return static_cast<uint16_t>('1' + (scancode - SDL_SCANCODE_1));
  if (scancode == SDL_SCANCODE_0) return '0';
  if (scancode >= SDL_SCANCODE_F1 && scancode <= SDL_SCANCODE_F12)
    return static_cast<uint16_t>(vk::kF1 + (scancode - SDL_SCANCODE_F1));
  if (scancode >= SDL_SCANCODE_KP_1 && scancode <= SDL_SCANCODE_KP_9)
    return static_cast<uint16_t>(vk::kNumpad0 + 1 + (scancode - SDL_SCANCODE_KP_1));
  if (const uint16_t k = Look(kKeypad, scancode)) return k;
  if (const uint16_t k = Look(kKeysBySymbol, key)) return k;
  return Look(kPunctuation, scancode);
}

uint32_t ShiftStateOf(uint16_t mod, uint32_t buttons) {
  uint32_t s = 0;
  if (mod & KMOD_SHIFT) s |= ssShift;
  if (mod & KMOD_ALT) s |= ssAlt;
  if (mod & KMOD_CTRL) s |= ssCtrl;
  if (buttons & SDL_BUTTON_LMASK) s |= ssLeft;
  if (buttons & SDL_BUTTON_RMASK) s |= ssRight;
  if (buttons & SDL_BUTTON_MMASK) s |= ssMiddle;
  return s;
}

// ---- Pointer ------------------------------------------------------------------

void Pointer::SetArea(int32_t width, int32_t height) {
  width_ = std::max(width, 1);
  height_ = std::max(height, 1);
  SetPos(x_, y_);
}

void Pointer::SetPos(int32_t x, int32_t y) {
  x_ = std::clamp(x, 0, width_ - 1);
  y_ = std::clamp(y, 0, height_ - 1);
}

void Pointer::SetVisible(bool visible) {
  visible_ = visible;
  restX_ = restY_ = 0;
  // Relative motion keeps arriving at the screen edges and lets the game
  // place the pointer freely; a visible pointer is the system's own.
  SDL_SetRelativeMouseMode(visible ? SDL_FALSE : SDL_TRUE);
  SDL_ShowCursor(visible ? SDL_ENABLE : SDL_DISABLE);
}

void Pointer::Move(int32_t absX, int32_t absY, double relX, double relY) {
  if (visible_) {
    SetPos(absX, absY);
    return;
  }
  Nudge(relX, relY);
}

void Pointer::Nudge(double relX, double relY) {
  restX_ += relX;
  restY_ += relY;
  const auto dx = static_cast<int32_t>(restX_), dy = static_cast<int32_t>(restY_);
  restX_ -= dx;
  restY_ -= dy;
  SetPos(x_ + dx, y_ + dy);
}

// ---- Loop ---------------------------------------------------------------------

void MessageLoop::SetCursorPos(int32_t x, int32_t y) {
  pointer_.SetPos(x, y);
  // A shown system pointer is the pointer: it moves too.
  if (pointer_.Visible() && screen_) screen_->WarpPointer(pointer_.X(), pointer_.Y());
  movePending_ = true;
}

bool MessageLoop::DeliverPendingMove() {
  if (!movePending_) return false;
  movePending_ = false;
  if (handler_)
    handler_->MouseMove(ShiftStateOf(SDL_GetModState(), SDL_GetMouseState(nullptr, nullptr)),
                        pointer_.X(), pointer_.Y());
  return true;
}

WindowKey HandleWindowKey(const SDL_Event& e, Screen& screen, const std::string& shotFolder,
                          std::string* savedShot) {
  if (e.type != SDL_KEYDOWN) return WindowKey::kNone;
  const SDL_Keycode sym = e.key.keysym.sym;
  const bool alt = (e.key.keysym.mod & KMOD_ALT) != 0;
  const WindowKey key = sym == SDLK_F11 || (alt && (sym == SDLK_RETURN || sym == SDLK_KP_ENTER))
                            ? WindowKey::kFullScreen
                        : sym == SDLK_F12 ? WindowKey::kScreenshot
                                          : WindowKey::kNone;
  if (key == WindowKey::kNone || e.key.repeat) return key;
  if (key == WindowKey::kFullScreen) {
    screen.ToggleFullScreen();
  } else {
    const std::string shot = screen.SaveScreenshot(shotFolder.empty() ? DataHomeDir() : shotFolder);
    if (savedShot) *savedShot = shot;
  }
  return key;
}

bool SdlEventPump::Poll(SDL_Event& event) {
  return SDL_PollEvent(&event) != 0;
}

bool SdlEventPump::Wait(SDL_Event& event, uint32_t ms) {
  const int timeout = ms == kForever ? -1 : static_cast<int>(std::min<uint32_t>(ms, INT32_MAX));
  return SDL_WaitEventTimeout(&event, timeout) != 0;
}

void MessageLoop::DispatchSdl(const SDL_Event& e) {
  SDL_Event c = e;
  if (c.type == SDL_MOUSEMOTION) {
    const CanvasPoint at = ToCanvas(e.motion.x, e.motion.y);
    c.motion.x = at.x;
    c.motion.y = at.y;
    pointer_.SetPos(at.x, at.y);
  } else if (c.type == SDL_MOUSEBUTTONDOWN || c.type == SDL_MOUSEBUTTONUP) {
    const CanvasPoint at = ToCanvas(e.button.x, e.button.y);
    c.button.x = at.x;
    c.button.y = at.y;
    pointer_.SetPos(at.x, at.y);
  }
  sdlHandler_->HandleEvent(c);
}

CanvasPoint MessageLoop::ToCanvas(int32_t x, int32_t y) const {
  return screen_ ? screen_->WindowToCanvas(x, y) : CanvasPoint{x, y};
}

void MessageLoop::SetGamepadPlay(bool on) {
  padPlay_ = on;
  pads_.RestartTravel();
}

void MessageLoop::MovePointerByPads() {
  if (!padPlay_) return;
  double dx = 0, dy = 0;
  pads_.Travel(clock_->Milliseconds(), dx, dy);
  if (dx == 0 && dy == 0) return;
  const int32_t x = pointer_.X(), y = pointer_.Y();
  pointer_.Nudge(dx, dy);
  if (handler_ && (pointer_.X() != x || pointer_.Y() != y))
    handler_->MouseMove(pads_.LeftHeld() ? uint32_t{ssLeft} : 0u, pointer_.X(), pointer_.Y());
}

void MessageLoop::Dispatch(const SDL_Event& e) {
  if (screen_ && (e.type == SDL_KEYDOWN || e.type == SDL_KEYUP || e.type == SDL_MOUSEMOTION ||
                  e.type == SDL_MOUSEBUTTONDOWN || e.type == SDL_MOUSEBUTTONUP ||
                  e.type == SDL_CONTROLLERBUTTONDOWN || e.type == SDL_CONTROLLERAXISMOTION))
    screen_->NoteInput(e.common.timestamp);
  if (screen_ && e.type == SDL_WINDOWEVENT &&
      (e.window.event == SDL_WINDOWEVENT_EXPOSED || e.window.event == SDL_WINDOWEVENT_SIZE_CHANGED))
    screen_->Repaint();
  if (screen_ && HandleWindowKey(e, *screen_, screenshotFolder) != WindowKey::kNone) return;
  pads_.Track(e, padPlay_ ? handler_ : nullptr);
  if (padPlay_ && pads_.Translate(e, handler_)) return;
  if (handler_ == nullptr) {
    if (sdlHandler_ != nullptr) DispatchSdl(e);
    return;
  }
  const uint32_t buttons = SDL_GetMouseState(nullptr, nullptr);
  switch (e.type) {
    case SDL_QUIT:
      handler_->CloseRequested();
      break;
    case SDL_WINDOWEVENT:
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) handler_->Activate(true);
      if (e.window.event == SDL_WINDOWEVENT_FOCUS_LOST) handler_->Activate(false);
      if (e.window.event == SDL_WINDOWEVENT_CLOSE) handler_->CloseRequested();
      break;
    case SDL_KEYDOWN: {
      if (e.key.repeat) break;  // a held key is one press
      const uint16_t key = VirtualKeyOf(e.key.keysym.sym, e.key.keysym.scancode);
      if (key) handler_->KeyDown(key, ShiftStateOf(e.key.keysym.mod, buttons));
      break;
    }
    case SDL_KEYUP: {
      const uint16_t key = VirtualKeyOf(e.key.keysym.sym, e.key.keysym.scancode);
      if (key) handler_->KeyUp(key, ShiftStateOf(e.key.keysym.mod, buttons));
      break;
    }
    case SDL_MOUSEMOTION: {
      const CanvasPoint at = ToCanvas(e.motion.x, e.motion.y);
      const double k = screen_ ? screen_->CanvasPerWindowPoint() : 1.0;
      pointer_.Move(at.x, at.y, e.motion.xrel * k, e.motion.yrel * k);
      handler_->MouseMove(ShiftStateOf(SDL_GetModState(), e.motion.state), pointer_.X(),
                          pointer_.Y());
      break;
    }
    case SDL_MOUSEBUTTONDOWN:
    case SDL_MOUSEBUTTONUP: {
      if (pointer_.Visible()) {
        const CanvasPoint at = ToCanvas(e.button.x, e.button.y);
        pointer_.SetPos(at.x, at.y);
      }
      MouseButton b;
      if (e.button.button == SDL_BUTTON_LEFT) {
        b = MouseButton::kLeft;
      } else if (e.button.button == SDL_BUTTON_RIGHT) {
        b = MouseButton::kRight;
      } else if (e.button.button == SDL_BUTTON_MIDDLE) {
        b = MouseButton::kMiddle;
      } else {
        break;
      }
      const uint32_t shift = ShiftStateOf(SDL_GetModState(), buttons);
      if (e.type == SDL_MOUSEBUTTONDOWN) {
        handler_->MouseDown(b, shift, pointer_.X(), pointer_.Y());
      } else {
        handler_->MouseUp(b, shift, pointer_.X(), pointer_.Y());
      }
      break;
    }
    default:
      break;
  }
}

bool MessageLoop::ProcessMessages() {
  SDL_Event e;
  while (!terminated_) {
    if (DeliverPendingMove()) continue;
    if (!pump_->Poll(e)) break;
    Dispatch(e);
  }
  if (!terminated_) MovePointerByPads();
  return !terminated_;
}

void MessageLoop::Run(const IdleHandler& idle, const std::function<bool()>& done) {
  auto over = [&] { return terminated_ || (done && done()); };
  SDL_Event e;
  while (!over()) {
    if (DeliverPendingMove()) continue;
    if (pump_->Poll(e)) {
      Dispatch(e);
      continue;
    }
    MovePointerByPads();
    uint32_t wait = idle ? idle() : EventPump::kForever;
    // A held stick moves the pointer smoothly, whatever the screen waits for.
    if (padPlay_ && pads_.Moving()) wait = std::min(wait, kPadStepMs);
    // A move the idle work asked for is reported before any sleep.
    if (wait == 0 || over() || DeliverPendingMove()) continue;
    if (pump_->Wait(e, wait)) Dispatch(e);
  }
}

// ---- Clock and message box ----------------------------------------------------

uint32_t SdlClock::Milliseconds() {
  return SDL_GetTicks();
}

void ShowMessageBox(const std::string& title, const std::string& text, MessageIcon icon) {
  const Uint32 flags = icon == MessageIcon::kError     ? SDL_MESSAGEBOX_ERROR
                       : icon == MessageIcon::kWarning ? SDL_MESSAGEBOX_WARNING
                                                       : SDL_MESSAGEBOX_INFORMATION;
  // Every box speaks the run's language; the game's messages are the keys.
  const std::string t = TranslateMessage(Cp1251ToUtf8(title));
  const std::string m = TranslateMessage(Cp1251ToUtf8(text));
  if (SDL_ShowSimpleMessageBox(flags, t.c_str(), m.c_str(), nullptr) != 0)
    std::fprintf(stderr, "%s: %s\n", t.c_str(), m.c_str());
}

}  // namespace quendrix
