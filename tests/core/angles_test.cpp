#include "core/angles.h"

#include <gtest/gtest.h>

#include <cmath>

#include "core/rounding.h"

namespace quendrix {
namespace {

TEST(Nearest, HalvesGoToTheEvenNeighbour) {
  EXPECT_EQ(Nearest(0.5), 0);
  EXPECT_EQ(Nearest(1.5), 2);
  EXPECT_EQ(Nearest(2.5), 2);
  EXPECT_EQ(Nearest(-0.5), 0);
  EXPECT_EQ(Nearest(-1.5), -2);
  EXPECT_EQ(Nearest(-2.5), -2);
  EXPECT_EQ(Nearest(2.4999), 2);
  EXPECT_EQ(Nearest(-2.5001), -3);
}

TEST(Nearest, OutOfRangeSaturatesInsteadOfOverflowing) {
  EXPECT_EQ(Nearest(1e12), INT32_MAX);
  EXPECT_EQ(Nearest(-1e12), INT32_MIN);
  EXPECT_EQ(Nearest(std::nan("")), 0);
}

TEST(Div, TruncatesTowardZeroAndNeverTraps) {
  EXPECT_EQ(Div(7, 2), 3);
  EXPECT_EQ(Div(-7, 2), -3);
  EXPECT_EQ(Div(7, -2), -3);
  EXPECT_EQ(Div(5, 0), 0);
  EXPECT_EQ(Div(INT32_MIN, -1), INT32_MAX);
}

TEST(BinCos, TableHitsTheAxesAndWrapsAnyInteger) {
  EXPECT_DOUBLE_EQ(BinCos(0), 1.0);
  EXPECT_DOUBLE_EQ(BinCos(128), -1.0);
  EXPECT_NEAR(BinCos(64), 0.0, 1e-15);
  EXPECT_DOUBLE_EQ(BinSin(64), 1.0);
  EXPECT_DOUBLE_EQ(BinSin(192), -1.0);
  EXPECT_NEAR(BinSin(0), 0.0, 1e-15);
  // Negative and large arguments reduce modulo 256 (two's complement).
  EXPECT_DOUBLE_EQ(BinCos(-128), -1.0);
  EXPECT_DOUBLE_EQ(BinSin(-64), -1.0);
  EXPECT_DOUBLE_EQ(BinCos(256 + 32), BinCos(32));
  EXPECT_DOUBLE_EQ(BinSin(-392), BinSin(120));
  EXPECT_DOUBLE_EQ(BinSin(INT32_MIN), BinSin(0));
  EXPECT_DOUBLE_EQ(BinSin(INT32_MAX), BinSin(255));
  // Sine is cosine a quarter turn back, read from the same table.
  for (int a = 0; a < 256; ++a) {
    EXPECT_DOUBLE_EQ(BinSin(a), BinCos(a - 64)) << a;
    EXPECT_NEAR(BinSin(a), std::sin(2 * M_PI * a / 256), 1e-12) << a;
  }
}

TEST(BinAngle, AxesAndTheZeroVector) {
  EXPECT_EQ(BinAngle(5.0, 0.0), 0);
  EXPECT_EQ(BinAngle(0.0, 5.0), 64);
  EXPECT_EQ(BinAngle(-5.0, 0.0), 128);
  EXPECT_EQ(BinAngle(0.0, -5.0), 192);
  EXPECT_EQ(BinAngle(0.0, 0.0), 192);
  EXPECT_EQ(BinAngle(-0.0, 1.0), 64);
}

TEST(BinAngle, EachQuadrantAndTheDiagonals) {
  EXPECT_EQ(BinAngle(1.0, 1.0), 32);
  EXPECT_EQ(BinAngle(-1.0, 1.0), 96);
  EXPECT_EQ(BinAngle(-1.0, -1.0), 160);
  EXPECT_EQ(BinAngle(1.0, -1.0), 224);
  // Tiny negative dy just below the +x axis rounds to t = 0: (256 - 0) mod 256.
  EXPECT_EQ(BinAngle(100.0, -0.01), 0);
  // dx < 0 with dy = 0 goes to 128 + 0.
  EXPECT_EQ(BinAngle(-3.0, 0.0), 128);
  // Every table direction comes back as itself.
  for (int a = 0; a < 256; ++a) {
    EXPECT_EQ(BinAngle(BinCos(a) * 100, BinSin(a) * 100), a) << a;
  }
}

TEST(BinAngle, TwoPointFormIsTheVectorFromBToA) {
  EXPECT_EQ(BinAngle(10, 20, 10, 10), 64);   // a below b
  EXPECT_EQ(BinAngle(0, 0, 10, 0), 128);     // a left of b
  EXPECT_EQ(BinAngle(10, 10, 10, 10), 192);  // same point
}

TEST(Distances, PlainAndSlantedView) {
  EXPECT_EQ(PlainDistance(0, 0, 3, 4), 5);
  EXPECT_EQ(PlainDistance(-3, -4, 0, 0), 5);
  EXPECT_EQ(ViewDistance(0, 0, 3, 4), 9);    // sqrt(9 + 64) = 8.54
  EXPECT_EQ(ViewDistance(0, 0, 0, 10), 20);  // vertical offsets count double
  EXPECT_EQ(ViewDistance(0, 0, 20, 0), 20);
  // Rounding halves to even: sqrt(0.25 * ...) cases via 1 and 2 steps.
  EXPECT_EQ(PlainDistance(0, 0, 1, 1), 1);   // 1.414
  EXPECT_EQ(PlainDistance(0, 0, 2, 2), 3);   // 2.83
  // Extreme coordinates do not overflow.
  EXPECT_EQ(PlainDistance(INT32_MIN, 0, INT32_MAX, 0), INT32_MAX);
}

TEST(FoldHalfTurn, FoldsOntoZeroToHalfTurn) {
  EXPECT_EQ(FoldHalfTurn(0), 0);
  EXPECT_EQ(FoldHalfTurn(128), 128);
  EXPECT_EQ(FoldHalfTurn(129), 1);
  EXPECT_EQ(FoldHalfTurn(255), 127);
  EXPECT_EQ(FoldHalfTurn(-56), 72);  // 200
  EXPECT_EQ(FoldHalfTurn(256 + 64), 64);
  EXPECT_EQ(Mod256(-1), 255);
  EXPECT_EQ(Mod256(-256), 0);
}

}  // namespace
}  // namespace quendrix
