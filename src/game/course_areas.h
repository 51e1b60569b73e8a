// The course areas: shapes (circle, thick segment, quadrilateral) and what
// every area kind does to a ball that lies inside it.
#pragma once

#include <cstdint>

#include "game/data_catalogue.h"

namespace quendrix {

class GameSession;
struct arearec;

// The binary angle of a wall kind's face, which balls and particles are
// mirrored about; 0 for other kinds.
constexpr int32_t WallAngle(AreaKind kind) {
  switch (kind) {
    case AreaKind::kWall19:
      return 19;
    case AreaKind::kWall64:
      return 64;
    case AreaKind::kWall109:
      return 109;
    case AreaKind::kWall32:
      return 32;
    case AreaKind::kWall96:
      return 96;
    default:
      return 0;
  }
}

// The direction (binary angle) a slope or ramp pushes a ball downhill; +x is
// 1, since 0 means "no push", as it does for every other kind.
constexpr int32_t PushDirection(AreaKind kind) {
  constexpr int32_t kSlopes[8] = {1, 19, 64, 109, 128, 147, 192, 237};
  if (IsSlopeKind(kind)) return kSlopes[ItemIndex(kind) - ItemIndex(AreaKind::kSlopeFirst)];
  switch (kind) {
    case AreaKind::kRampWest:
      return 96;
    case AreaKind::kRampEast:
      return 1;
    case AreaKind::kRampSouthEast:
      return 32;
    case AreaKind::kRampWestFlat:
      return 128;
    default:
      return 0;
  }
}

// True when (px, py) lies in the convex quadrilateral a, b, c, d (either
// winding; edges and corners count as inside).
bool QuadHit(int32_t ax, int32_t ay, int32_t bx, int32_t by, int32_t cx, int32_t cy, int32_t dx,
             int32_t dy, int32_t px, int32_t py);

// True when (px, py) lies in the band 8 px wide around the segment from
// (x1, y1) to (x2, y2), or within 4 px of either end.
bool SegmentHit(int32_t x1, int32_t y1, int32_t x2, int32_t y2, int32_t px, int32_t py);

// True when the ball at rounded course position (px, py) lies inside the
// area's shape; a disabled area never holds it.
bool AreaContains(const arearec& area, int32_t px, int32_t py);

// The pass over areas 1 ... 99 for ball `player`, in index order, after each
// substep of a moving ball.
void AreaPass(GameSession& session, int32_t player);

}  // namespace quendrix
