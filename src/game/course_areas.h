// The course areas: shapes (circle, thick segment, quadrilateral) and what
// every area kind does to a ball that lies inside it.
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;
struct arearec;

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
