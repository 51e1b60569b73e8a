// The camera: which part of the course picture the screen shows, and the
// course picture drawn as the first layer of a frame. All scroll arithmetic
// is in whole pixels; scrollX, scrollY is the course pixel at the screen's
// top-left corner (negative while a small course is centred).
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;
class TDirectDrawSurface;
class TDXImageList;

// Screen and course sizes in pixels for one frame.
struct CameraView {
  int32_t screenWidth = 0;
  int32_t screenHeight = 0;
  int32_t courseWidth = 0;
  int32_t courseHeight = 0;
};

// Size of course image 0: its pattern size (the picture's when unset); 0 x 0
// while the hole has no pictures.
CameraView MakeCameraView(const TDirectDrawSurface& screen, const TDXImageList& course);

// Once per frame after the physics: the recentring glide to the current
// ball, then either following the rolling (or sinking) ball with a 128-pixel
// margin or free scrolling by arrow keys and screen edges with inertia, then
// the clamp to the picture.
void UpdateCamera(GameSession& session, const CameraView& view);

// Right after UpdateCamera: clears to black and centres the course along an
// axis where it is smaller than the screen, then draws course image 0.
void DrawCourse(GameSession& session, const CameraView& view, TDirectDrawSurface& screen,
                const TDXImageList& course);

}  // namespace quendrix
