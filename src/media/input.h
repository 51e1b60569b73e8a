// Keys and pointer events as the game's handlers see them: virtual-key
// codes, shift state, mouse buttons. The platform layer maps its own events
// to these in one place; tests and replays produce them directly.
#pragma once

#include <cstdint>

namespace quendrix {

// Virtual-key codes. Letters and digits are their upper-case ASCII codes
// ('A' ... 'Z', '0' ... '9').
namespace vk {
inline constexpr uint16_t kBack = 0x08;
inline constexpr uint16_t kTab = 0x09;
inline constexpr uint16_t kReturn = 0x0D;
inline constexpr uint16_t kShift = 0x10;
inline constexpr uint16_t kControl = 0x11;
inline constexpr uint16_t kMenu = 0x12;  // Alt
inline constexpr uint16_t kPause = 0x13;
inline constexpr uint16_t kCapital = 0x14;
inline constexpr uint16_t kEscape = 0x1B;
inline constexpr uint16_t kSpace = 0x20;
inline constexpr uint16_t kPrior = 0x21;  // Page Up
inline constexpr uint16_t kNext = 0x22;   // Page Down
inline constexpr uint16_t kEnd = 0x23;
inline constexpr uint16_t kHome = 0x24;
inline constexpr uint16_t kLeft = 0x25;
inline constexpr uint16_t kUp = 0x26;
inline constexpr uint16_t kRight = 0x27;
inline constexpr uint16_t kDown = 0x28;
inline constexpr uint16_t kSnapshot = 0x2C;
inline constexpr uint16_t kInsert = 0x2D;
inline constexpr uint16_t kDelete = 0x2E;
inline constexpr uint16_t kNumpad0 = 0x60;  // ... kNumpad0 + 9
inline constexpr uint16_t kMultiply = 0x6A;
inline constexpr uint16_t kAdd = 0x6B;
inline constexpr uint16_t kSubtract = 0x6D;
inline constexpr uint16_t kDecimal = 0x6E;
inline constexpr uint16_t kDivide = 0x6F;
inline constexpr uint16_t kF1 = 0x70;  // ... kF1 + 11 = F12
inline constexpr uint16_t kNumLock = 0x90;
inline constexpr uint16_t kScroll = 0x91;
inline constexpr uint16_t kOemSemicolon = 0xBA;  // ;:
inline constexpr uint16_t kOemPlus = 0xBB;       // =+
inline constexpr uint16_t kOemComma = 0xBC;
inline constexpr uint16_t kOemMinus = 0xBD;
inline constexpr uint16_t kOemPeriod = 0xBE;
inline constexpr uint16_t kOemSlash = 0xBF;  // /?
inline constexpr uint16_t kOemTilde = 0xC0;  // `~
inline constexpr uint16_t kOemOpen = 0xDB;   // [{
inline constexpr uint16_t kOemBackslash = 0xDC;
inline constexpr uint16_t kOemClose = 0xDD;  // ]}
inline constexpr uint16_t kOemQuote = 0xDE;
}  // namespace vk

// Modifier and button state at the time of an event (bit set).
enum ShiftState : uint32_t {
  ssShift = 1u << 0,
  ssAlt = 1u << 1,
  ssCtrl = 1u << 2,
  ssLeft = 1u << 3,
  ssRight = 1u << 4,
  ssMiddle = 1u << 5,
};

enum class MouseButton { kLeft, kRight, kMiddle };

// A gamepad's buttons as the game names them (the layout of the common
// pads: A below, B right, X left, Y above), and the right stick pushed one
// way, which counts as a held button. The left stick moves the pointer.
enum class PadButton : uint8_t {
  kNone,
  kA,
  kB,
  kX,
  kY,
  kBack,
  kStart,
  kLeftShoulder,
  kRightShoulder,
  kDpadUp,
  kDpadDown,
  kDpadLeft,
  kDpadRight,
  kRightStickUp,
  kRightStickDown,
  kRightStickLeft,
  kRightStickRight,
};
inline constexpr int kPadButtons = static_cast<int>(PadButton::kRightStickRight) + 1;

// A stick axis (-32768 ... 32767) read as a push one way: -1, 0 or 1, given
// the step it stood at. It takes a push beyond kPadStickPush to move, and
// lets go only below kPadStickRelease, so a stick resting near the edge does
// not flutter.
inline constexpr int32_t kPadStickPush = 16000;
inline constexpr int32_t kPadStickRelease = 9000;
constexpr int8_t PadStickStep(int32_t value, int8_t was) {
  if (was < 0 && value <= -kPadStickRelease) return -1;
  if (was > 0 && value >= kPadStickRelease) return 1;
  return value <= -kPadStickPush ? -1 : value >= kPadStickPush ? 1 : 0;
}

// What a window's handlers receive. Coordinates are pixels of the drawing
// area (the display mode), x to the right, y down.
class InputHandler {
 public:
  virtual ~InputHandler() = default;
  // A key went down; held keys do not repeat it.
  virtual void KeyDown(uint16_t /*key*/, uint32_t /*shift*/) {}
  virtual void KeyUp(uint16_t /*key*/, uint32_t /*shift*/) {}
  virtual void MouseDown(MouseButton /*button*/, uint32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {
  }
  virtual void MouseUp(MouseButton /*button*/, uint32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
  virtual void MouseMove(uint32_t /*shift*/, int32_t /*x*/, int32_t /*y*/) {}
  // A gamepad's button went down or up (any pad: a hot-seat game passes
  // one round or each player holds their own).
  virtual void PadDown(PadButton /*button*/) {}
  virtual void PadUp(PadButton /*button*/) {}
  // The application gained or lost the focus.
  virtual void Activate(bool /*active*/) {}
  // The user asked to close (window close button, end of session).
  virtual void CloseRequested() {}
};

}  // namespace quendrix
