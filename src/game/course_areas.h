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
  constexpr int32_t kAngles[] = {19, 64, 109, 0, 0, 32, 96};  // kinds 1 ... 7, the cup among them
  return IsWallKind(kind) ? kAngles[ItemIndex(kind) - ItemIndex(AreaKind::kWall19)] : 0;
}

// The direction (binary angle) a ramp or slope pushes a ball downhill; +x is
// 1, since 0 means "no push", as it does for every other kind.
constexpr int32_t PushDirection(AreaKind kind) {
  constexpr int32_t kRamps[] = {96, 1, 32, 128};
  constexpr int32_t kSlopes[] = {1, 19, 64, 109, 128, 147, 192, 237};
  if (IsRampKind(kind)) return kRamps[ItemIndex(kind) - ItemIndex(AreaKind::kRampWest)];
  if (IsSlopeKind(kind)) return kSlopes[ItemIndex(kind) - ItemIndex(AreaKind::kSlopeFirst)];
  return 0;
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
