// The launch pad's menu picture: its size, the control it sits in and its
// four hot spots. Plain data with no dependencies, so that the asset
// generator draws the artwork into exactly the shapes the launch pad hits.
#pragma once

#include <array>
#include <cstdint>

namespace quendrix {

// Picture (item 0 of "launchpad.dxg", and its lit twin, item 1).
inline constexpr int32_t kMenuPictureWidth = 421;
inline constexpr int32_t kMenuPictureHeight = 165;
// The control in the `mainmenu` panel, in panel pixels.
inline constexpr int32_t kMenuControlLeft = 5;
inline constexpr int32_t kMenuControlTop = 8;
inline constexpr int32_t kMenuControlWidth = 367;
inline constexpr int32_t kMenuControlHeight = 122;

// One spot in picture coordinates: an ellipse given by two opposite corners
// of its bounding box, or a polygon given by its vertices in order.
struct MenuSpotShape {
  bool ellipse = false;
  int32_t count = 0;  // points used
  std::array<std::array<int32_t, 2>, 7> points{};
};

// In index order: 0 play, 1 training, 2 setup, 3 quit.
inline constexpr std::array<MenuSpotShape, 4> kMenuSpots = {{
    {true, 2, {{{115, 69}, {182, 136}}}},
    {false, 6, {{{173, 71}, {187, 88}, {288, 88}, {292, 79}, {284, 72}, {191, 69}}}},
    {false, 5, {{{187, 91}, {189, 109}, {259, 109}, {278, 99}, {286, 91}}}},
    {false,
     7,
     {{{176, 131}, {183, 122}, {187, 113}, {259, 111}, {236, 121}, {205, 128}, {187, 131}}}},
}};

}  // namespace quendrix
