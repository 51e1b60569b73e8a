#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "platform/events.h"
#include "platform/screen.h"
#include "sdl_env.h"

namespace quendrix {
namespace {

TEST(VirtualKeys, LettersAndDigitsGoByPositionWhateverTheLayout) {
  EXPECT_EQ(VirtualKeyOf(SDLK_a, SDL_SCANCODE_A), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_z, SDL_SCANCODE_Z), 'Z');
  // A Cyrillic layout reports a different key symbol on the same key.
  EXPECT_EQ(VirtualKeyOf(0x0444, SDL_SCANCODE_A), 'A');
  EXPECT_EQ(VirtualKeyOf(SDLK_0, SDL_SCANCODE_0), '0');
  EXPECT_EQ(VirtualKeyOf(SDLK_9, SDL_SCANCODE_9), '9');
}

TEST(VirtualKeys, FunctionNavigationAndKeypadKeys) {
  EXPECT_EQ(VirtualKeyOf(SDLK_F1, SDL_SCANCODE_F1), vk::kF1);
  EXPECT_EQ(VirtualKeyOf(SDLK_F10, SDL_SCANCODE_F10), vk::kF1 + 9);
  EXPECT_EQ(VirtualKeyOf(SDLK_ESCAPE, SDL_SCANCODE_ESCAPE), vk::kEscape);
  EXPECT_EQ(VirtualKeyOf(SDLK_RETURN, SDL_SCANCODE_RETURN), vk::kReturn);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_ENTER, SDL_SCANCODE_KP_ENTER), vk::kReturn);
  EXPECT_EQ(VirtualKeyOf(SDLK_SPACE, SDL_SCANCODE_SPACE), vk::kSpace);
  EXPECT_EQ(VirtualKeyOf(SDLK_LEFT, SDL_SCANCODE_LEFT), vk::kLeft);
  EXPECT_EQ(VirtualKeyOf(SDLK_DOWN, SDL_SCANCODE_DOWN), vk::kDown);
  EXPECT_EQ(VirtualKeyOf(SDLK_PAGEUP, SDL_SCANCODE_PAGEUP), vk::kPrior);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_0, SDL_SCANCODE_KP_0), vk::kNumpad0);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_7, SDL_SCANCODE_KP_7), vk::kNumpad0 + 7);
  EXPECT_EQ(VirtualKeyOf(SDLK_KP_PLUS, SDL_SCANCODE_KP_PLUS), vk::kAdd);
  EXPECT_EQ(VirtualKeyOf(SDLK_RSHIFT, SDL_SCANCODE_RSHIFT), vk::kShift);
  EXPECT_EQ(VirtualKeyOf(SDLK_MINUS, SDL_SCANCODE_MINUS), vk::kOemMinus);
  EXPECT_EQ(VirtualKeyOf(SDLK_AUDIOPLAY, SDL_SCANCODE_AUDIOPLAY), 0);
}

TEST(VirtualKeys, ShiftStateCombinesModifiersAndButtons) {
  EXPECT_EQ(ShiftStateOf(KMOD_LSHIFT | KMOD_RCTRL, SDL_BUTTON_LMASK), ssShift | ssCtrl | ssLeft);
  EXPECT_EQ(ShiftStateOf(KMOD_RALT, SDL_BUTTON_RMASK | SDL_BUTTON_MMASK),
            ssAlt | ssRight | ssMiddle);
  EXPECT_EQ(ShiftStateOf(0, 0), 0u);
}

struct Recorder : InputHandler {
  std::vector<std::string> log;
  void KeyDown(uint16_t key, uint32_t) override { log.push_back("down " + std::to_string(key)); }
  void KeyUp(uint16_t key, uint32_t) override { log.push_back("up " + std::to_string(key)); }
  void MouseDown(MouseButton b, uint32_t, int32_t x, int32_t y) override {
    log.push_back("press " + std::to_string(static_cast<int>(b)) + " " + std::to_string(x) + "," +
                  std::to_string(y));
  }
  void MouseUp(MouseButton, uint32_t, int32_t x, int32_t y) override {
    log.push_back("release " + std::to_string(x) + "," + std::to_string(y));
  }
  void MouseMove(uint32_t, int32_t x, int32_t y) override {
    log.push_back("move " + std::to_string(x) + "," + std::to_string(y));
  }
  void Activate(bool active) override { log.push_back(active ? "active" : "inactive"); }
  void CloseRequested() override { log.push_back("close"); }
};

class MessageLoopTest : public ::testing::Test {
 protected:
  void SetUp() override {
    test::UseDummyDrivers();
    ASSERT_EQ(SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError();
    loop.SetHandler(&rec);
  }
  void TearDown() override { SDL_QuitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS); }

  static SDL_Event Key(Uint32 type, SDL_Keycode sym, SDL_Scancode code, Uint8 repeat = 0,
                       Uint16 mod = 0) {
    SDL_Event e{};
    e.type = type;
    e.key.keysym.sym = sym;
    e.key.keysym.scancode = code;
    e.key.keysym.mod = mod;
    e.key.repeat = repeat;
    return e;
  }

  Recorder rec;
  MessageLoop loop;
};

TEST_F(MessageLoopTest, KeyRepeatsAreNotNewPresses) {
  loop.Dispatch(Key(SDL_KEYDOWN, SDLK_h, SDL_SCANCODE_H));
  loop.Dispatch(Key(SDL_KEYDOWN, SDLK_h, SDL_SCANCODE_H, 1));
  loop.Dispatch(Key(SDL_KEYDOWN, SDLK_h, SDL_SCANCODE_H, 1));
  loop.Dispatch(Key(SDL_KEYUP, SDLK_h, SDL_SCANCODE_H));
  EXPECT_EQ(rec.log, (std::vector<std::string>{"down 72", "up 72"}));
}

TEST_F(MessageLoopTest, HiddenPointerIsVirtualAndCanBePlaced) {
  Pointer& p = loop.GetPointer();
  p.SetArea(640, 480);
  p.SetVisible(false);
  p.SetPos(320, 240);  // re-centring
  SDL_Event m{};
  m.type = SDL_MOUSEMOTION;
  m.motion.x = 5;  // the absolute position is ignored while hidden
  m.motion.y = 5;
  m.motion.xrel = 30;
  m.motion.yrel = -500;
  loop.Dispatch(m);
  EXPECT_EQ(p.X(), 350);
  EXPECT_EQ(p.Y(), 0);  // kept inside the drawing area
  SDL_Event b{};
  b.type = SDL_MOUSEBUTTONDOWN;
  b.button.button = SDL_BUTTON_LEFT;
  loop.Dispatch(b);
  b.type = SDL_MOUSEBUTTONUP;
  loop.Dispatch(b);
  p.SetVisible(true);
  m.motion.x = 100;
  m.motion.y = 90;
  loop.Dispatch(m);
  EXPECT_EQ(rec.log, (std::vector<std::string>{"move 350,0", "press 0 350,0", "release 350,0",
                                               "move 100,90"}));
}

TEST_F(MessageLoopTest, FocusAndCloseReachTheHandler) {
  SDL_Event w{};
  w.type = SDL_WINDOWEVENT;
  w.window.event = SDL_WINDOWEVENT_FOCUS_LOST;
  loop.Dispatch(w);
  w.window.event = SDL_WINDOWEVENT_FOCUS_GAINED;
  loop.Dispatch(w);
  SDL_Event q{};
  q.type = SDL_QUIT;
  loop.Dispatch(q);
  EXPECT_EQ(rec.log, (std::vector<std::string>{"inactive", "active", "close"}));
}

TEST_F(MessageLoopTest, AltEnterAndF11ToggleTheWindowInsteadOfReachingTheGame) {
  Screen screen;
  ASSERT_TRUE(screen.Open(true)) << screen.LastError();
  loop.SetScreen(&screen);
  loop.Dispatch(Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN, 0, KMOD_LALT));
  EXPECT_FALSE(screen.FullScreen());
  loop.Dispatch(Key(SDL_KEYDOWN, SDLK_F11, SDL_SCANCODE_F11));
  EXPECT_TRUE(screen.FullScreen());
  loop.Dispatch(
      Key(SDL_KEYDOWN, SDLK_RETURN, SDL_SCANCODE_RETURN));  // plain Enter goes to the game
  EXPECT_EQ(rec.log, (std::vector<std::string>{"down 13"}));
}

// A handler that re-centres the pointer on every release, as the play
// screen does when a click closes a card.
struct Recentring : Recorder {
  MessageLoop* loop = nullptr;
  void MouseUp(MouseButton b, uint32_t s, int32_t x, int32_t y) override {
    Recorder::MouseUp(b, s, x, y);
    loop->SetCursorPos(320, 240);
    log.push_back("asked");
  }
};

TEST_F(MessageLoopTest, APlacedPointerIsReportedAfterTheEventThatPlacedIt) {
  Recentring handler;
  handler.loop = &loop;
  loop.SetHandler(&handler);
  loop.GetPointer().SetArea(640, 480);
  loop.GetPointer().SetVisible(false);
  loop.GetPointer().SetPos(5, 5);
  SDL_Event up{};
  up.type = SDL_MOUSEBUTTONUP;
  up.button.button = SDL_BUTTON_LEFT;
  SDL_Event key = Key(SDL_KEYDOWN, SDLK_h, SDL_SCANCODE_H);
  SDL_PushEvent(&up);
  SDL_PushEvent(&key);
  loop.ProcessMessages();
  EXPECT_EQ(handler.log,
            (std::vector<std::string>{"release 5,5", "asked", "move 320,240", "down 72"}));
}

TEST_F(MessageLoopTest, RelativeMotionIsScaledToTheCanvasAndItsFractionsAddUp) {
  Screen screen;  // the dummy display: 1024 x 768
  ASSERT_TRUE(screen.Open(true)) << screen.LastError();
  ASSERT_NE(screen.BeginFrame(640, 480), nullptr);
  screen.EndFrame();
  loop.SetScreen(&screen);
  Pointer& p = loop.GetPointer();
  p.SetArea(640, 480);
  p.SetVisible(false);
  p.SetPos(320, 240);
  SDL_Event m{};
  m.type = SDL_MOUSEMOTION;
  m.motion.xrel = 16;  // 10 canvas pixels at a scale of 1.6
  loop.Dispatch(m);
  EXPECT_EQ(p.X(), 330);
  m.motion.xrel = 1;  // 0.625 each
  for (int i = 0; i < 8; ++i) loop.Dispatch(m);
  EXPECT_EQ(p.X(), 335);
  m.motion.xrel = -8;
  loop.Dispatch(m);
  EXPECT_EQ(p.X(), 330);
  // A shown pointer follows the window position through the same placement.
  p.SetVisible(true);
  m.motion.x = 800;
  m.motion.y = 400;
  loop.Dispatch(m);
  EXPECT_EQ(p.X(), 500);
  EXPECT_EQ(p.Y(), 250);
}

TEST_F(MessageLoopTest, RunCallsIdleUntilTerminated) {
  int idles = 0;
  loop.Run([&] {
    if (++idles == 5) loop.Terminate();
    return 0u;
  });
  EXPECT_EQ(idles, 5);
  EXPECT_FALSE(loop.ProcessMessages());
}

// The system as a script on a manual clock: a wait lets the time pass, or
// delivers the key that comes first.
struct ScriptedPump : EventPump {
  ManualClock& clock;
  std::vector<std::pair<uint32_t, SDL_Keycode>> keys;  // (clock time, key), in order
  std::vector<uint32_t> waits;
  explicit ScriptedPump(ManualClock& c) : clock(c) {}
  bool Poll(SDL_Event& e) override { return Take(e, 0); }
  bool Wait(SDL_Event& e, uint32_t ms) override {
    waits.push_back(ms);
    return Take(e, ms);
  }
  bool Take(SDL_Event& e, uint32_t ms) {
    const uint32_t until = clock.Milliseconds() + ms;
    if (keys.empty() || keys.front().first > until) {
      clock.Set(until);
      return false;
    }
    clock.Set(std::max(clock.Milliseconds(), keys.front().first));
    e = SDL_Event{};
    e.type = SDL_KEYDOWN;
    e.key.keysym.sym = keys.front().second;
    e.key.keysym.scancode = SDL_GetScancodeFromKey(keys.front().second);
    keys.erase(keys.begin());
    return true;
  }
};

TEST_F(MessageLoopTest, SleepsExactlyUntilTheNextFrameOrTheNextKey) {
  ManualClock clock;
  clock.Set(1000);
  ScriptedPump pump(clock);
  pump.keys = {{1025, SDLK_h}};
  MessageLoop paced(nullptr, &pump);
  paced.SetHandler(&rec);
  TDXTimer timer(clock);
  timer.SetEnabled(false);
  timer.SetInterval(0);
  timer.SetPace(60);
  timer.SetActiveOnly(false);
  timer.SetEnabled(true);
  std::vector<uint32_t> frames;
  timer.OnTimer = [&](int32_t) {
    frames.push_back(clock.Milliseconds());
    clock.Advance(2);  // the frame's own cost
  };
  paced.Run(
      [&] {
        timer.Idle();
        return timer.MillisecondsToNextTick();
      },
      [&] { return frames.size() == 5; });
  // Frames at 1000, 1017, 1034, 1050 and 1067 (every 1000/60 ms, rounded
  // up); each wait is the time left after the 2 ms frame, except that the
  // key at 1025 cuts one short and the rest of it is waited afterwards.
  EXPECT_EQ(frames, (std::vector<uint32_t>{1000, 1017, 1034, 1050, 1067}));
  EXPECT_EQ(pump.waits, (std::vector<uint32_t>{15, 15, 9, 14, 15}));
  EXPECT_EQ(rec.log, (std::vector<std::string>{"down 72"}));
}

}  // namespace
}  // namespace quendrix
