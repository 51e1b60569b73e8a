#include "computer/distance_map.h"

#include <algorithm>
#include <cmath>
#include <functional>

#include "core/rounding.h"
#include "game/course_areas.h"
#include "game/game_state.h"
#include "game/hole_animations.h"

namespace quendrix {

namespace {

constexpr float kBlocked = -1;
constexpr float kWaterCost = 6.0f;  // only a jump crosses it
constexpr float kSandCost = 1.5f;
constexpr float kUnknown = std::numeric_limits<float>::infinity();

}  // namespace

void DistanceMap::Start(const GameSession& s, int32_t teeX, int32_t teeY, bool throughObstacles) {
  session_ = &s;
  throughObstacles_ = throughObstacles;
  int32_t minX = std::min(teeX, s.cupX), maxX = std::max(teeX, s.cupX);
  int32_t minY = std::min(teeY, s.cupY), maxY = std::max(teeY, s.cupY);
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = s.areas[i];
    if (a.kind == AreaKind::kNone) continue;
    const int32_t xs[] = {a.x1 - a.r, a.x1 + a.r, a.x2, a.x3, a.x4};
    const int32_t ys[] = {a.y1 - a.r, a.y1 + a.r, a.y2, a.y3, a.y4};
    const bool quad = a.r < 1 && a.x3 != 0 && a.x4 != 0;
    const bool pipe = IsPipeKind(a.kind);
    const int n = quad || pipe ? 5 : a.r > 0 ? 2 : 3;
    for (int k = 0; k < n; ++k) {
      if (k >= 2 && xs[k] == 0 && ys[k] == 0) continue;
      minX = std::min(minX, xs[k]);
      maxX = std::max(maxX, xs[k]);
      minY = std::min(minY, ys[k]);
      maxY = std::max(maxY, ys[k]);
    }
  }
  originX_ = minX - 16;
  originY_ = minY - 16;
  width_ = (maxX - minX + 32) / kCell + 1;
  height_ = (maxY - minY + 32) / kCell + 1;
  const size_t cells = static_cast<size_t>(width_) * static_cast<size_t>(height_);
  cost_.assign(cells, 1.0f);
  distance_.assign(cells, kUnknown);
  open_.clear();
  row_ = 0;
  pass_ = 0;
  stage_ = Stage::kCosts;
}

int64_t DistanceMap::CostRow(int32_t cy) {
  const GameSession& s = *session_;
  int64_t tests = 0;
  for (int32_t cx = 0; cx < width_; ++cx) {
    const int32_t px = originX_ + cx * kCell, py = originY_ + cy * kCell;
    float& c = cost_[Index(cx, cy)];
    for (int32_t i = 1; i <= kMaxAreas; ++i) {
      const arearec& a = s.areas[i];
      if (a.kind == AreaKind::kNone) continue;
      ++tests;
      if (!AreaContains(a, px, py)) continue;
      if (IsWallKind(a.kind) && !(throughObstacles_ && IsCyclingObstacleArea(s.holeName, i))) {
        c = kBlocked;
        break;
      }
      if (a.kind == AreaKind::kWater) c = std::max(c, kWaterCost);
      if (a.kind == AreaKind::kSand || a.kind == AreaKind::kRough) c = std::max(c, kSandCost);
    }
  }
  return tests;
}

void DistanceMap::Seed() {
  const GameSession& s = *session_;
  const auto push = [this](size_t cell, float d) {
    if (d >= distance_[cell]) return;
    distance_[cell] = d;
    open_.push_back({d, cell});
    std::push_heap(open_.begin(), open_.end(), std::greater<>());
  };
  push(CellOf(s.cupX, s.cupY), 0.0f);
  if (pass_ == 0) return;
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = s.areas[i];
    if (!IsPipeKind(a.kind)) continue;
    const float exit = Lookup(a.x2, a.y2);
    if (!std::isfinite(exit)) continue;
    for (int32_t dy = -a.r; dy <= a.r; dy += kCell)
      for (int32_t dx = -a.r; dx <= a.r; dx += kCell)
        if (Inside(a.x1 + dx, a.y1 + dy)) push(CellOf(a.x1 + dx, a.y1 + dy), exit);
  }
}

bool DistanceMap::Search(int64_t& work) {
  constexpr int32_t kDx[] = {1, -1, 0, 0, 1, 1, -1, -1};
  constexpr int32_t kDy[] = {0, 0, 1, -1, 1, -1, 1, -1};
  while (!open_.empty()) {
    if (work <= 0) return false;
    --work;
    std::pop_heap(open_.begin(), open_.end(), std::greater<>());
    const auto [d, cell] = open_.back();
    open_.pop_back();
    if (d > distance_[cell]) continue;
    const int32_t cx = static_cast<int32_t>(cell % static_cast<size_t>(width_));
    const int32_t cy = static_cast<int32_t>(cell / static_cast<size_t>(width_));
    for (int k = 0; k < 8; ++k) {
      const int32_t nx = cx + kDx[k], ny = cy + kDy[k];
      if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_) continue;
      const size_t next = Index(nx, ny);
      if (cost_[next] < 0) continue;
      // No squeezing diagonally between two blocked cells.
      if (k >= 4 && (cost_[Index(nx, cy)] < 0 || cost_[Index(cx, ny)] < 0)) continue;
      const float step = (k >= 4 ? 1.4142f : 1.0f) * kCell * 0.5f * (cost_[cell] + cost_[next]);
      if (d + step < distance_[next]) {
        distance_[next] = d + step;
        open_.push_back({d + step, next});
        std::push_heap(open_.begin(), open_.end(), std::greater<>());
      }
    }
  }
  return true;
}

bool DistanceMap::Build(int64_t work) {
  while (work > 0) {
    switch (stage_) {
      case Stage::kIdle:
      case Stage::kDone:
        return stage_ == Stage::kDone;
      case Stage::kCosts:
        work -= CostRow(row_);
        if (++row_ >= height_) stage_ = Stage::kSeeds;
        break;
      case Stage::kSeeds:
        Seed();
        stage_ = Stage::kSearch;
        break;
      case Stage::kSearch:
        if (!Search(work)) return false;
        stage_ = ++pass_ < kPasses ? Stage::kSeeds : Stage::kDone;
        break;
    }
  }
  return stage_ == Stage::kDone;
}

float DistanceMap::At(double x, double y) const {
  return Done() ? Lookup(x, y) : kUnknown;
}

float DistanceMap::Lookup(double x, double y) const {
  if (!Inside(Nearest(x), Nearest(y))) return kUnknown;
  return distance_[CellOf(Nearest(x), Nearest(y))];
}

void DistanceMap::Downhill(double x, double y, double reach, double& toX, double& toY) const {
  toX = x;
  toY = y;
  if (!Done() || !Inside(Nearest(x), Nearest(y))) return;
  size_t cell = CellOf(Nearest(x), Nearest(y));
  for (;;) {
    const int32_t cx = static_cast<int32_t>(cell % static_cast<size_t>(width_));
    const int32_t cy = static_cast<int32_t>(cell / static_cast<size_t>(width_));
    size_t next = cell;
    for (int32_t dy = -1; dy <= 1; ++dy)
      for (int32_t dx = -1; dx <= 1; ++dx) {
        const int32_t nx = cx + dx, ny = cy + dy;
        if (nx < 0 || ny < 0 || nx >= width_ || ny >= height_) continue;
        if (distance_[Index(nx, ny)] < distance_[next]) next = Index(nx, ny);
      }
    if (next == cell) return;  // the cup, or nowhere lower
    cell = next;
    toX = originX_ + static_cast<int32_t>(cell % static_cast<size_t>(width_)) * kCell;
    toY = originY_ + static_cast<int32_t>(cell / static_cast<size_t>(width_)) * kCell;
    if (std::hypot(toX - x, toY - y) >= reach) return;
  }
}

bool DistanceMap::Inside(int32_t x, int32_t y) const {
  const int32_t cx = (x - originX_ + kCell / 2) / kCell, cy = (y - originY_ + kCell / 2) / kCell;
  return x >= originX_ && y >= originY_ && cx < width_ && cy < height_;
}

size_t DistanceMap::CellOf(int32_t x, int32_t y) const {
  int32_t cx = (x - originX_ + kCell / 2) / kCell, cy = (y - originY_ + kCell / 2) / kCell;
  cx = std::clamp(cx, 0, width_ - 1);
  cy = std::clamp(cy, 0, height_ - 1);
  return Index(cx, cy);
}

}  // namespace quendrix
