// The application icon: a golf ball beside a flag on a round green, drawn
// for each size so that the small ones keep whole-pixel edges.
#pragma once

#include <array>
#include <string>

namespace quendrix::assetgen {

inline constexpr std::array<int, 8> kIconSizes = {16, 22, 24, 32, 48, 64, 128, 256};

// PNG file bytes of the icon at size x size pixels.
std::string IconPng(int size);
// SVG file bytes of the scalable icon (a 256 x 256 pixel canvas); the same
// bytes on every call.
std::string IconSvg();

}  // namespace quendrix::assetgen
