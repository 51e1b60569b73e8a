#include "core/angles.h"

#include <array>
#include <cmath>
#include <numbers>

#include "core/rounding.h"

namespace quendrix {

namespace {

// Built once, before main, so a lookup is a plain array read.
const std::array<double, 256> kCosTable = [] {
  std::array<double, 256> t{};
  for (int i = 0; i < 256; ++i) t[i] = std::cos(2.0 * std::numbers::pi * i / 256.0);
  return t;
}();

}  // namespace

const double* BinCosTable() { return kCosTable.data(); }

int32_t BinAngle(double dx, double dy) {
  if (dx == 0.0) return dy > 0.0 ? 64 : 192;
  const int32_t t = std::abs(Nearest(std::atan(dy / dx) * 128.0 / std::numbers::pi));
  if (dx < 0.0) return dy > 0.0 ? 128 - t : 128 + t;
  if (dy < 0.0) return (256 - t) & 255;
  return t;
}

int32_t PlainDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  const double dx = static_cast<double>(ax) - bx;
  const double dy = static_cast<double>(ay) - by;
  return Nearest(std::sqrt(dx * dx + dy * dy));
}

int32_t ViewDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  const double dx = static_cast<double>(ax) - bx;
  const double dy = 2.0 * (static_cast<double>(ay) - by);
  return Nearest(std::sqrt(dx * dx + dy * dy));
}

}  // namespace quendrix
