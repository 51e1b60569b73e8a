// Per-hole pictures: the image list "<hole>.dxg" drawn from the hole file, so
// that what the player sees is what the physics does.
//
//   0  course picture (rails where the walls are, slopes shaded downhill with
//      arrows, sand, water, ramps, pipes, pads, launchers, switches, the cup)
//   1  foreground overlay, 24 x 24 patterns over the course picture: the
//      raised part of every rail and the tall things a ball passes behind
//   2  cup cover, 40 x 40 with the hole's centre at (20, 8): the ground in
//      front of and below the hole, drawn over a ball that sinks into it
//   3  launcher flash   4 splash   7 extra-stroke burst   8 dust puff
//   13 pipe flash and drop marker   14 ... 16 flashes of high wall hits
//   5, 6, 9, 10, 11 (and 7, 8 on some holes): the hole's decorations
//   12 title card
//   17 ... pipe covers, one per pipe entrance (numbered by the area's p3)
#pragma once

#include <string>

#include "hole_model.h"
#include "items.h"

namespace quendrix::assetgen {

// Patterns of the splash (image 4): a lost ball waits 4 frames each.
inline constexpr int kSplashPatterns = 8;
inline constexpr int kOverlayTile = 24;
inline constexpr int kCupCoverSize = 40;

ImageList HoleImages(const HoleModel& hole);

// The pictures alone, for previews and tests.
Picture CoursePicture(const HoleModel& hole);

}  // namespace quendrix::assetgen
