// The launch pad's two FLIC animations: "interface_loop.flc", the looping
// night garden behind the menu, and "interface.flc", the panel change (a
// shooting ball sweeping from the windmill over the middle of the screen
// into the ringed planet), which starts and ends on the loop's first
// picture. Both are drawn with cairo and share one 256-colour palette, so
// the change's first and last frames are the loop's first frame exactly.
#pragma once

#include <string>

#include "items.h"

namespace quendrix::assetgen {

inline constexpr int kLoopFrames = 96;
inline constexpr uint32_t kLoopSpeedMs = 60;
inline constexpr int kChangeFrames = 30;
inline constexpr uint32_t kChangeSpeedMs = 33;

// Both animations, the loop first.
std::vector<Animation> LaunchPadAnimations();

// Contact sheets of every frame and the first frame at 1x and 2x.
void WriteAnimationPreviews(const std::vector<Animation>& animations, const std::string& dir);

}  // namespace quendrix::assetgen
