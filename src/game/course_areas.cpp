#include "game/course_areas.h"

#include "game/game_state.h"

namespace quendrix {

bool QuadHit(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t, int32_t,
             int32_t) {
  return false;
}

bool SegmentHit(int32_t, int32_t, int32_t, int32_t, int32_t, int32_t) {
  return false;
}

bool AreaContains(const arearec&, int32_t, int32_t) {
  return false;
}

// The area kinds act here; filled in with the course areas.
void AreaPass(GameSession&, int32_t) {}

}  // namespace quendrix
