// The distance from every point of a hole to its cup the way a ball must go:
// round the walls, dearer through sand, rough and water, and free down a
// pipe to where it comes out. The solver and the computer players rank the
// places a putt leaves the ball by it.
//
// The map is a grid of 4 x 4 course pixels over the hole's areas. Building
// it takes some tens of milliseconds on a large hole, so it can be built in
// slices of a fixed amount of work, a few each frame, and come out the same
// whatever the slices.
#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <utility>
#include <vector>

namespace quendrix {

class GameSession;

class DistanceMap {
 public:
  static constexpr int32_t kCell = 4;  // course pixels a side
  static constexpr int64_t kAll = std::numeric_limits<int64_t>::max();

  // Starts building the map of the session's hole, with the tee at (teeX,
  // teeY); nothing is known until Build says it is done. The session must
  // stay as it is until then. With `throughObstacles` the cycling
  // obstacles, which open from time to time, do not block the way.
  void Start(const GameSession& session, int32_t teeX, int32_t teeY, bool throughObstacles = false);
  // Does at most `work` units of building (a unit is one area tested
  // against one cell, or one cell settled): true once the map is whole.
  bool Build(int64_t work);
  bool Done() const { return stage_ == Stage::kDone; }
  // Starts and builds the whole map at once.
  void BuildAll(const GameSession& session, int32_t teeX, int32_t teeY) {
    Start(session, teeX, teeY);
    Build(kAll);
  }

  // Distance to the cup in pixels, infinity where the cup cannot be
  // reached (or the map is not built yet).
  float At(double x, double y) const;
  bool Inside(int32_t x, int32_t y) const;
  // The way a ball at (x, y) has to leave: the point reached by going
  // downhill on the map, cell by cell, until `reach` pixels from it (or the
  // cup); (x, y) itself where the map knows no way.
  void Downhill(double x, double y, double reach, double& toX, double& toY) const;

 private:
  enum class Stage { kIdle, kCosts, kSeeds, kSearch, kDone };
  // Pipes lead a ball on, so the search runs again seeded from their
  // entrances with the distance of their exits.
  static constexpr int32_t kPasses = 3;

  size_t Index(int32_t cx, int32_t cy) const {
    return static_cast<size_t>(cy) * static_cast<size_t>(width_) + static_cast<size_t>(cx);
  }
  size_t CellOf(int32_t x, int32_t y) const;
  // At, also while the passes run.
  float Lookup(double x, double y) const;
  int64_t CostRow(int32_t cy);
  void Seed();
  bool Search(int64_t& work);

  const GameSession* session_ = nullptr;
  bool throughObstacles_ = false;
  Stage stage_ = Stage::kIdle;
  int32_t pass_ = 0;
  int32_t row_ = 0;
  int32_t originX_ = 0, originY_ = 0, width_ = 1, height_ = 1;
  std::vector<float> cost_;      // per cell: 1 plain, more for sand or water, < 0 wall
  std::vector<float> distance_;  // per cell, pixels to the cup
  std::vector<std::pair<float, size_t>> open_;  // the search's heap
};

}  // namespace quendrix
