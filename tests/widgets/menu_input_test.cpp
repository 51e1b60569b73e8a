#include "widgets/menu_input.h"

#include <gtest/gtest.h>

namespace quendrix::widgets {
namespace {

struct KeyCase {
  SDL_Keycode key;
  uint16_t mod;
  bool repeat;
  bool typing;
  MenuAction expected;
};

class MenuKeyActions : public ::testing::TestWithParam<KeyCase> {};

TEST_P(MenuKeyActions, MapsKeysOnceWithTheRepeatAndTypingRules) {
  const KeyCase& c = GetParam();
  EXPECT_EQ(ActionOfKey(c.key, c.mod, c.repeat, c.typing), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, MenuKeyActions,
    ::testing::Values(
        KeyCase{SDLK_RETURN, 0, false, false, MenuAction::kSelect},
        KeyCase{SDLK_KP_ENTER, 0, false, true, MenuAction::kSelect},  // ends the typing
        KeyCase{SDLK_SPACE, 0, false, false, MenuAction::kSelect},
        KeyCase{SDLK_SPACE, 0, false, true, MenuAction::kNone},  // types a blank
        KeyCase{SDLK_ESCAPE, 0, false, true, MenuAction::kBack},
        KeyCase{SDLK_RETURN, 0, true, false, MenuAction::kNone},  // select never repeats
        KeyCase{SDLK_ESCAPE, 0, true, false, MenuAction::kNone},  // nor does back
        KeyCase{SDLK_DOWN, 0, true, false, MenuAction::kDown},    // arrows do
        KeyCase{SDLK_UP, 0, false, true, MenuAction::kUp},
        KeyCase{SDLK_LEFT, 0, false, true, MenuAction::kNone},  // the caret's
        KeyCase{SDLK_RIGHT, 0, true, false, MenuAction::kRight},
        KeyCase{SDLK_TAB, 0, false, true, MenuAction::kNextField},
        KeyCase{SDLK_TAB, KMOD_LSHIFT, true, false, MenuAction::kPreviousField},
        KeyCase{SDLK_RETURN, KMOD_LALT, false, false, MenuAction::kNone},  // window toggle
        KeyCase{SDLK_a, 0, false, false, MenuAction::kNone}));

SDL_Event PadButton(uint8_t button, bool down, uint32_t at) {
  SDL_Event e{};
  e.type = down ? SDL_CONTROLLERBUTTONDOWN : SDL_CONTROLLERBUTTONUP;
  e.cbutton.button = button;
  e.cbutton.timestamp = at;
  return e;
}

SDL_Event Stick(uint8_t axis, int16_t value, uint32_t at) {
  SDL_Event e{};
  e.type = SDL_CONTROLLERAXISMOTION;
  e.caxis.axis = axis;
  e.caxis.value = value;
  e.caxis.timestamp = at;
  return e;
}

TEST(MenuPadActions, ButtonsAndRepeatsOfHeldDirectionsOnly) {
  MenuInput in;
  EXPECT_EQ(in.Translate(PadButton(SDL_CONTROLLER_BUTTON_A, true, 100), false),
            MenuAction::kSelect);
  EXPECT_EQ(in.Repeat(5000), MenuAction::kNone) << "a held A never repeats";
  EXPECT_EQ(in.Translate(PadButton(SDL_CONTROLLER_BUTTON_B, true, 100), true), MenuAction::kBack);
  EXPECT_EQ(in.Translate(PadButton(SDL_CONTROLLER_BUTTON_RIGHTSHOULDER, true, 100), false),
            MenuAction::kNextField);

  EXPECT_EQ(in.Translate(PadButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, true, 1000), false),
            MenuAction::kDown);
  EXPECT_EQ(in.Repeat(1000 + MenuInput::kRepeatDelayMs - 1), MenuAction::kNone);
  EXPECT_EQ(in.Repeat(1000 + MenuInput::kRepeatDelayMs), MenuAction::kDown);
  EXPECT_EQ(in.Repeat(1000 + MenuInput::kRepeatDelayMs + 10), MenuAction::kNone);
  EXPECT_EQ(in.Repeat(1000 + MenuInput::kRepeatDelayMs + MenuInput::kRepeatStepMs),
            MenuAction::kDown);
  in.Translate(PadButton(SDL_CONTROLLER_BUTTON_DPAD_DOWN, false, 2000), false);
  EXPECT_EQ(in.Repeat(9000), MenuAction::kNone);
}

TEST(MenuPadActions, LeftStickIsTheArrowsWithoutFlutter) {
  MenuInput in;
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTX, 12000, 0), false), MenuAction::kNone);
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTX, 20000, 10), false), MenuAction::kRight);
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTX, 12000, 20), false), MenuAction::kNone)
      << "easing off a little is no new push";
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTX, 25000, 30), false), MenuAction::kNone);
  EXPECT_EQ(in.Repeat(10 + MenuInput::kRepeatDelayMs), MenuAction::kRight);
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTX, 3000, 500), false), MenuAction::kNone);
  EXPECT_EQ(in.Repeat(5000), MenuAction::kNone) << "let go: no more repeats";
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTY, -30000, 600), false), MenuAction::kUp);
  EXPECT_EQ(in.Translate(Stick(SDL_CONTROLLER_AXIS_LEFTY, 30000, 610), false), MenuAction::kDown);
}

}  // namespace
}  // namespace quendrix::widgets
