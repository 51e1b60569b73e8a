// Colours as the game passes them around: 0x00BBGGRR (red in the low byte).
// Values with the top bit set name a system colour (0x80000000 + index).
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quendrix {

using TColor = uint32_t;

constexpr TColor MakeColor(uint8_t r, uint8_t g, uint8_t b) {
  return static_cast<TColor>(r) | (static_cast<TColor>(g) << 8) | (static_cast<TColor>(b) << 16);
}
constexpr uint8_t RedOf(TColor c) {
  return static_cast<uint8_t>(c);
}
constexpr uint8_t GreenOf(TColor c) {
  return static_cast<uint8_t>(c >> 8);
}
constexpr uint8_t BlueOf(TColor c) {
  return static_cast<uint8_t>(c >> 16);
}

inline constexpr TColor clBlack = 0x000000;
inline constexpr TColor clMaroon = 0x000080;
inline constexpr TColor clGreen = 0x008000;
inline constexpr TColor clOlive = 0x008080;
inline constexpr TColor clNavy = 0x800000;
inline constexpr TColor clPurple = 0x800080;
inline constexpr TColor clTeal = 0x808000;
inline constexpr TColor clGray = 0x808080;
inline constexpr TColor clSilver = 0xC0C0C0;
inline constexpr TColor clRed = 0x0000FF;
inline constexpr TColor clLime = 0x00FF00;
inline constexpr TColor clYellow = 0x00FFFF;
inline constexpr TColor clBlue = 0xFF0000;
inline constexpr TColor clFuchsia = 0xFF00FF;
inline constexpr TColor clAqua = 0xFFFF00;
inline constexpr TColor clWhite = 0xFFFFFF;
inline constexpr TColor clNone = 0x1FFFFFFF;
inline constexpr TColor kSystemColorBase = 0x80000000;

// The colour a name stands for: the sixteen plain colours, the 25 system
// colours (clScrollBar ... clInfoBk) and clNone. Case does not matter.
std::optional<TColor> ColorFromName(std::string_view name);

// The name a list-file writer uses for a colour, if it has one.
std::optional<std::string> NameOfColor(TColor color);

// Plain 0x00BBGGRR for any colour: system colours resolve to the classic
// desktop scheme, everything else keeps its low 24 bits.
TColor ColorToRgb(TColor color);

}  // namespace quendrix
