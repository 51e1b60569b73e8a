// The frame's side of the effect stores: the course effect slots drawn and
// advanced after the course picture, the particles after them, and the
// drifting sprites.
//
// So far the course effects (decorations, splashes, drop markers, glows);
// particle flight and drawing and the drifters join with the effects.
#include <cstdlib>

#include "game/effects.h"
#include "game/mainsource19.h"

namespace quendrix {

void TMain::UpdateCourseEffects() {
  GameSession& s = session;
  TDirectDrawSurface& screen = DXDraw.Surface();
  // From 50 down to 1, so that slot 1 ends on top.
  for (int32_t slot = kCourseEffectSlots; slot >= 1; --slot) {
    courseEffect& e = s.courseEffects[slot];
    if (e.x == 0 && e.y == 0) continue;
    const TPictureCollectionItem* image =
        e.image >= 0 && e.image < course.Items.Count() ? &course.Items[e.image] : nullptr;
    const int32_t pattern = e.frame / 4;
    if (image != nullptr) {
      const int32_t sx = e.x - s.scrollX, sy = e.y - s.scrollY;
      const TRect r = Bounds(sx, sy, image->PatternWidth(), image->PatternHeight());
      if (e.blend == 0 && e.pulse == 0) image->DrawPattern(screen, sx, sy, pattern);
      if (e.blend < 0) image->DrawPatternSub(screen, r, pattern, -e.blend);
      if (e.blend > 0) image->DrawPatternAdd(screen, r, pattern, e.blend);
      if (e.pulse > 0) {
        // Fades in and out over 13 frames, then stays dark for 38.
        if (e.pulse < 255) image->DrawPatternAlpha(screen, r, 0, 255 - std::abs(2 * e.pulse - 255));
        e.pulse += 20;
        if (e.pulse > 1000) e.pulse = 4;
      }
    }
    e.frame += s.substeps;
    const int32_t patterns = image != nullptr ? image->PatternCount() : 0;
    if (e.frame >= 4 * patterns || e.frame > 254) {
      if (!e.looping) ClearCourseEffectKeepFrame(s, slot);
      e.frame = 0;
    }
  }
}

void TMain::UpdateParticles() {}

void TMain::ResetDrifters() {}

}  // namespace quendrix
