#include "game/hole_check.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "test_support.h"

namespace quendrix {
namespace {

using testing::ScratchDir;

bool Mentions(const HoleCheckResult& r, const std::string& what) {
  for (const std::string& line : r.problems)
    if (line.find(what) != std::string::npos) return true;
  return false;
}

const char* const kCup = "[area99]\nkind=5\nx1=500\ny1=500\nr=6\nenabled=1\ncomment=next\n";

TEST(HoleCheck, AGoodHolePasses) {
  ScratchDir dir;
  dir.Write("next.hole", "[area1]\nkind=5\nx1=1\ny1=1\nr=5\ncomment=start\n");
  const std::string text = std::string("[course]\npar=3\n") +
                           "[area1]\nkind=2\nx1=10\ny1=10\nx2=10\ny2=300\nenabled=1\n" +
                           "[area2]\nkind=37\nr=10\nx1=100\ny1=100\nx2=300\ny2=300\nx3=300\n"
                           "y3=280\nx4=350\ny4=280\nenabled=1\n" +
                           kCup;
  const HoleCheckResult r = CheckHole(text, "start", dir.path(), {800, 600, true});
  EXPECT_TRUE(r.problems.empty()) << r.problems.front();
  ASSERT_EQ(r.chain.size(), 3u);
  EXPECT_EQ(r.chain[1], "next");
  EXPECT_EQ(r.chain[2], "start (again)");
}

TEST(HoleCheck, ReportsShapesLimitsAndTheMissingCup) {
  const std::string text =
      "[ball]\nx=abc\n"
      "[area1]\nkind=2\nx1=10\ny1=10\nx2=10\ny2=300\nx4=5\nenabled=1\n"        // no shape
      "[area2]\nkind=26\nx1=10\ny1=10\nx2=10\ny2=30\nenabled=1\n"              // pipe without r
      "[area3]\nkind=38\np1=100\nr=5\nx1=1\ny1=1\nenabled=1\n"                 // p1 out of range
      "[area4]\nkind=28\np1=7\nr=5\nx1=1\ny1=1\nenabled=1\n"                   // p1 out of range
      "[area5]\nkind=30\np1=4\np2=5\nr=5\nx1=1\ny1=1\ncomment=x\nenabled=1\n"  // no image number
      "[area6]\nkind=4\nx1=-50\ny1=200\nx2=50\ny2=200\nx3=50\ny3=202\nx4=-50\ny4=202\n"
      "enabled=1\n"                                                // thin wall
      "[area7]\nkind=12\nx1=40\ny1=40\nx2=40\ny2=40\nenabled=1\n"  // zero length
      "[area8]\nkind=4\nx1=0x\ny1=1\nr=3\nenabled=1\n"             // bad number
      "[area9]\nkind=44\nr=3\nenabled=1\n";                        // unknown kind
  const HoleCheckResult r = CheckHole(text, "h", ".", {0, 0, false});
  for (int area = 1; area <= 9; ++area)
    EXPECT_TRUE(Mentions(r, "area " + std::to_string(area) + " ")) << area;
  EXPECT_TRUE(Mentions(r, "no shape"));
  EXPECT_TRUE(Mentions(r, "takes its shape from r"));
  EXPECT_TRUE(Mentions(r, "names no area"));
  EXPECT_TRUE(Mentions(r, "outside 0 ... 4"));
  EXPECT_TRUE(Mentions(r, "no image number"));
  EXPECT_TRUE(Mentions(r, "can pass through"));
  EXPECT_TRUE(Mentions(r, "zero length"));
  EXPECT_TRUE(Mentions(r, "\"0x\" is not a number"));
  EXPECT_TRUE(Mentions(r, "[ball] x"));
  EXPECT_TRUE(Mentions(r, "no cup"));
}

TEST(HoleCheck, PipeExitsOffThePictureOrBackInsideThemselves) {
  const std::string text = std::string(kCup) +
                           // Lands at (105, 100), inside its own radius of 20.
                           "[area1]\nkind=37\nr=20\nx1=100\ny1=100\nx2=105\ny2=100\nx3=1\ny3=1\n"
                           "x4=50\ny4=1\nenabled=1\n"
                           // Lands 4 ... 15 px off (900, 50): some of that is inside r = 30.
                           "[area2]\nkind=25\nr=30\nx1=910\ny1=50\nx2=900\ny2=50\nx3=1\ny3=1\n"
                           "x4=50\ny4=1\nenabled=1\n"
                           // Lands outside an 800 x 600 picture.
                           "[area3]\nkind=37\nr=10\nx1=300\ny1=300\nx2=900\ny2=50\nx3=1\ny3=1\n"
                           "x4=50\ny4=1\nenabled=1\n";
  const HoleCheckResult r = CheckHole(text, "h", ".", {800, 600, false});
  EXPECT_TRUE(Mentions(r, "area 1 (kind 37): the ball lands inside"));
  EXPECT_TRUE(Mentions(r, "area 2 (kind 25): the ball lands inside"));
  EXPECT_TRUE(Mentions(r, "area 3 (kind 37): pipe exit (900, 50) lies outside"));
  EXPECT_FALSE(Mentions(r, "area 3 (kind 37): the ball lands inside"));
}

TEST(HoleCheck, ABrokenChainIsReported) {
  ScratchDir dir;
  const HoleCheckResult r = CheckHole(kCup, "h", dir.path());
  EXPECT_TRUE(Mentions(r, "next hole \"next\" has no hole file"));
}

TEST(HoleCheck, WallWidths) {
  EXPECT_NEAR(QuadWidth({{{0, 0}, {100, 0}, {100, 2}, {0, 2}}}), 2.0, 1e-12);
  EXPECT_NEAR(QuadWidth({{{0, 0}, {10, 10}, {0, 20}, {-10, 10}}}), std::sqrt(200.0), 1e-9);
  EXPECT_EQ(QuadWidth({{{0, 0}, {10, 10}, {20, 20}, {30, 30}}}), 0.0);
  // A segment wall and a thick quadrilateral are not reported.
  const std::string text = std::string(kCup) +
                           "[area1]\nkind=1\nx1=0\ny1=0\nx2=300\ny2=100\nenabled=1\n"
                           "[area2]\nkind=4\nx1=-50\ny1=200\nx2=50\ny2=200\nx3=50\ny3=207\n"
                           "x4=-50\ny4=207\nenabled=1\n";
  EXPECT_TRUE(CheckHole(text, "h", ".", {0, 0, false}).problems.empty());
}

}  // namespace
}  // namespace quendrix
