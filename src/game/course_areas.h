// The course areas: shapes (circle, thick segment, quadrilateral) and what
// every area kind does to a ball that lies inside it.
#pragma once

#include <array>
#include <cstdint>

#include "game/data_catalogue.h"
#include "media/surface.h"

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

// A quadrilateral's corners in order (either winding), course pixels.
using Quad = std::array<TPoint, 4>;

// The corners (x1, y1) ... (x4, y4) of an area.
Quad AreaQuad(const arearec& area);

// True when p lies in the convex quadrilateral (edges and corners count as
// inside).
bool QuadHit(const Quad& quad, TPoint p);

// True when p lies in the band 8 px wide around the segment from `from` to
// `to`, or within 4 px of either end.
bool SegmentHit(TPoint from, TPoint to, TPoint p);

// True when the ball at rounded course position (px, py) lies inside the
// area's shape; a disabled area never holds it.
bool AreaContains(const arearec& area, int32_t px, int32_t py);

// The pass over areas 1 ... 99 for ball `player`, in index order, after each
// substep of a moving ball.
void AreaPass(GameSession& session, int32_t player);

}  // namespace quendrix
