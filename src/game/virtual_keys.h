// Key and mouse-button codes the play screen's handlers compare against. The
// platform layer maps its own key codes to these once; the values are the
// classic virtual-key numbers, so recorded inputs stay readable.
#pragma once

#include <cstdint>

namespace quendrix {

using VirtualKey = uint32_t;

inline constexpr VirtualKey kVkReturn = 0x0D;
inline constexpr VirtualKey kVkEscape = 0x1B;
inline constexpr VirtualKey kVkSpace = 0x20;
inline constexpr VirtualKey kVkPrior = 0x21;  // Page Up
inline constexpr VirtualKey kVkNext = 0x22;   // Page Down
inline constexpr VirtualKey kVkEnd = 0x23;
inline constexpr VirtualKey kVkHome = 0x24;
inline constexpr VirtualKey kVkLeft = 0x25;
inline constexpr VirtualKey kVkUp = 0x26;
inline constexpr VirtualKey kVkRight = 0x27;
inline constexpr VirtualKey kVkDown = 0x28;
inline constexpr VirtualKey kVkF1 = 0x70;
inline constexpr VirtualKey kVkF2 = 0x71;
inline constexpr VirtualKey kVkF3 = 0x72;
inline constexpr VirtualKey kVkF4 = 0x73;
inline constexpr VirtualKey kVkF5 = 0x74;
inline constexpr VirtualKey kVkF8 = 0x77;

// Values are stored in recorded inputs: append only.
enum class MouseButton : uint8_t { kLeft = 0, kRight = 1, kMiddle = 2 };

}  // namespace quendrix
