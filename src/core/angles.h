// Binary angles and the small geometry helpers the whole game shares.
//
// A full turn is 256 steps: 0 points to +x, 64 to +y (down the screen), 128 to
// -x, 192 to -y. Directions are kept as plain signed 32-bit integers and only
// reduced (two's-complement "and 255") when looked up.
#pragma once

#include <cstdint>

namespace quendrix {

// cos(2*pi*i/256) for i = 0 ... 255; sine is the same table a quarter turn on.
const double* BinCosTable();

inline double BinCos(int32_t a) { return BinCosTable()[static_cast<uint32_t>(a) & 255u]; }
inline double BinSin(int32_t a) { return BinCosTable()[(static_cast<uint32_t>(a) + 192u) & 255u]; }

// "a mod 256" that is always 0 ... 255, for negative a too.
inline int32_t Mod256(int32_t a) { return static_cast<int32_t>(static_cast<uint32_t>(a) & 255u); }

// Binary angle 0 ... 255 of the vector (dx, dy). dx = 0 gives 64 when dy > 0,
// otherwise 192 (also for the zero vector).
int32_t BinAngle(double dx, double dy);

// Binary angle of the vector from b to a.
inline int32_t BinAngle(int32_t ax, int32_t ay, int32_t bx, int32_t by) {
  return BinAngle(static_cast<double>(ax) - bx, static_cast<double>(ay) - by);
}

// Straight-line distance between two course points, rounded to the nearest
// integer (halves to even).
int32_t PlainDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by);

// Distance as the slanted view sees the ground: a vertical offset counts
// double, so a ground circle of radius r is an ellipse r wide and r/2 high.
int32_t ViewDistance(int32_t ax, int32_t ay, int32_t bx, int32_t by);

// Folds a direction onto a half turn: b = a and 255, then b if b <= 128, else b - 128.
inline int32_t FoldHalfTurn(int32_t a) {
  const int32_t b = Mod256(a);
  return b <= 128 ? b : b - 128;
}

}  // namespace quendrix
