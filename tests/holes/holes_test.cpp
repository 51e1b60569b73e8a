// The nineteen holes as data: each loads with a cup, a par and a picture
// that holds all of it, keeps the ball on the course, reaches the data
// folder with its pictures and sounds, and the holes chain into two courses.
#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "game/course_areas.h"
#include "game/hole_file.h"
#include "hole_support.h"
#include "media/display.h"
#include "media/dx_draw.h"
#include "media/image_list.h"
#include "media/sound_list.h"

namespace quendrix::testing {
namespace {

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HoleFile : public ::testing::TestWithParam<std::string> {};

TEST_P(HoleFile, HasOneCupANextHoleAParOfTwoToFiveAndAPicture) {
  LoadedHole h(GetParam());
  int cups = 0;
  for (int32_t i = 1; i <= kMaxAreas; ++i) cups += h.area(i).kind == AreaKind::kCup ? 1 : 0;
  EXPECT_EQ(cups, 1);
  EXPECT_FALSE(h.session->nextHoleName.empty());
  EXPECT_GE(h.session->holePar, 2);
  EXPECT_LE(h.session->holePar, 5);
  EXPECT_GE(h.width, 640);
  EXPECT_GE(h.height, 480);
}

TEST_P(HoleFile, EverythingLiesInsideTheCoursePicture) {
  LoadedHole h(GetParam());
  const auto inside = [&](int32_t x, int32_t y) {
    return x >= 0 && y >= 0 && x < h.width && y < h.height;
  };
  EXPECT_TRUE(inside(h.teeX, h.teeY)) << "tee";
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = h.area(i);
    if (a.kind == AreaKind::kNone) continue;
    SCOPED_TRACE("area " + std::to_string(i) + " kind " + std::to_string(ItemIndex(a.kind)));
    if (a.r > 0) {
      // A ground circle is r wide and r/2 high.
      EXPECT_TRUE(inside(a.x1 - a.r, a.y1 - a.r / 2) && inside(a.x1 + a.r, a.y1 + a.r / 2));
    } else if (a.x3 != 0 && a.x4 != 0) {
      EXPECT_TRUE(inside(a.x1, a.y1) && inside(a.x2, a.y2) && inside(a.x3, a.y3) &&
                  inside(a.x4, a.y4));
    } else {
      EXPECT_TRUE(inside(a.x1, a.y1) && inside(a.x2, a.y2));
    }
    if (IsPipeKind(a.kind)) {
      EXPECT_TRUE(inside(a.x2, a.y2)) << "pipe exit";
      EXPECT_TRUE(inside(a.x3, a.y3) && inside(a.x4, a.y4)) << "exit arrow";
    }
    if (a.kind == AreaKind::kPipeEntrance) {
      EXPECT_TRUE(inside(a.p1, a.p2) && inside(a.p1 + 39, a.p2 + 39)) << "cover";
    }
    if (a.kind == AreaKind::kCup) {
      EXPECT_TRUE(inside(a.x2, a.y2) && inside(a.x2 + 39, a.y2 + 39)) << "cover";
    }
    if (a.kind == AreaKind::kWater) {
      EXPECT_TRUE(inside(a.p1, a.p2)) << "put-back point";
    }
  }
}

// Flood from everywhere a ball can be put (tee, pipe and teleport exits,
// water put-back points) over a 2 px grid that the rails block: the flood
// must never reach the picture's edge. Gates that the holes' animations
// switch count as rails here; they only ever split the course inside.
TEST_P(HoleFile, TheRailsKeepTheBallOnTheCourse) {
  LoadedHole h(GetParam());
  constexpr int32_t kCell = 2;
  const int32_t gw = h.width / kCell + 1, gh = h.height / kCell + 1;
  std::vector<uint8_t> blocked(static_cast<size_t>(gw) * gh, 0);
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    arearec a = h.area(i);
    if (!IsWallKind(a.kind)) continue;
    a.enabled = true;
    // Only the cells round the rail's own box can be inside it.
    int32_t x0 = std::min(a.x1, a.x2), x1 = std::max(a.x1, a.x2);
    int32_t y0 = std::min(a.y1, a.y2), y1 = std::max(a.y1, a.y2);
    if (a.r > 0) {
      x0 = a.x1 - a.r;
      x1 = a.x1 + a.r;
      y0 = a.y1 - a.r;
      y1 = a.y1 + a.r;
    } else if (a.x3 != 0 && a.x4 != 0) {
      x0 = std::min({x0, a.x3, a.x4});
      x1 = std::max({x1, a.x3, a.x4});
      y0 = std::min({y0, a.y3, a.y4});
      y1 = std::max({y1, a.y3, a.y4});
    }
    for (int32_t cy = std::max(0, (y0 - 6) / kCell); cy <= std::min(gh - 1, (y1 + 6) / kCell); ++cy)
      for (int32_t cx = std::max(0, (x0 - 6) / kCell); cx <= std::min(gw - 1, (x1 + 6) / kCell);
           ++cx)
        if (AreaContains(a, cx * kCell, cy * kCell)) blocked[static_cast<size_t>(cy) * gw + cx] = 1;
  }
  std::vector<std::pair<int32_t, int32_t>> stack{{h.teeX / kCell, h.teeY / kCell}};
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = h.area(i);
    if (IsPipeKind(a.kind)) stack.push_back({a.x2 / kCell, a.y2 / kCell});
    if (a.kind == AreaKind::kWater) stack.push_back({a.p1 / kCell, a.p2 / kCell});
  }
  std::vector<uint8_t> seen(blocked.size(), 0);
  bool escaped = false;
  while (!stack.empty() && !escaped) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    if (x <= 0 || y <= 0 || x >= gw - 1 || y >= gh - 1) {
      escaped = true;
      ADD_FAILURE() << "a ball can roll off the picture near (" << x * kCell << ", " << y * kCell
                    << ")";
      break;
    }
    const size_t o = static_cast<size_t>(y) * gw + x;
    if (seen[o] || blocked[o]) continue;
    seen[o] = 1;
    stack.push_back({x + 1, y});
    stack.push_back({x - 1, y});
    stack.push_back({x, y + 1});
    stack.push_back({x, y - 1});
  }
}

TEST_P(HoleFile, IsCopiedIntoTheDataFolderAsItStands) {
  EXPECT_EQ(ReadAll("bin/" + GetParam() + ".hole"), ReadHoleText(GetParam()));
}

struct PlayScreen {
  MemoryDisplay display;
  TDXDraw draw{&display};
  TDXImageList course{&draw};
  TDXWaveList bgsounds;
  PlayScreen() {
    draw.SetOptions(doFullScreen | doSystemMemory);
    draw.Display.SetBitCount(16);
    draw.Display.SetWidth(640);
    draw.Display.SetHeight(480);
    draw.Initialize();
  }
};

TEST_P(HoleFile, PicturesAndSoundsLoadAsThePlayScreenUsesThem) {
  LoadedHole h(GetParam());
  PlayScreen s;
  s.course.LoadListFile("bin/" + GetParam() + ".dxg");
  s.bgsounds.LoadListFile("bin/" + GetParam() + ".dxw");
  ASSERT_GE(s.course.Items.Count(), 17);
  // The course picture is as large as the hole file says: it bounds the camera.
  EXPECT_EQ(s.course.Items[0].PatternWidth(), h.width);
  EXPECT_EQ(s.course.Items[0].PatternHeight(), h.height);
  EXPECT_EQ(s.course.Items[0].PatternCount(), 1);
  // The overlay is cut into 24 x 24 patterns, as many to a row as the
  // course picture is wide.
  EXPECT_EQ(s.course.Items[1].PatternWidth(), 24);
  EXPECT_EQ(s.course.Items[1].PatternHeight(), 24);
  EXPECT_EQ(s.course.Items[1].Picture().Width() / 24, h.width / 24);
  EXPECT_GE(s.course.Items[1].Picture().Height() / 24, h.height / 24);
  EXPECT_EQ(s.course.Items[2].PatternWidth(), 40);
  EXPECT_EQ(s.course.Items[2].PatternHeight(), 40);
  // A lost ball waits for the splash: the solver counts on eight patterns.
  EXPECT_EQ(s.course.Items[4].PatternCount(), 8);
  EXPECT_GE(s.course.Items[12].PatternWidth(), 320) << "title card";
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = h.area(i);
    if (a.kind != AreaKind::kPipeEntrance) continue;
    ASSERT_LT(a.p3, s.course.Items.Count()) << "pipe cover of area " << i;
    EXPECT_EQ(s.course.Items[a.p3].PatternWidth(), 40) << "pipe cover of area " << i;
  }
  ASSERT_GE(s.bgsounds.Items.Count(), 2);
  EXPECT_TRUE(s.bgsounds.Items[0].Looped());
  EXPECT_FALSE(s.bgsounds.Items[1].Looped());
  EXPECT_GE(s.bgsounds.Items[0].wave.DurationMs(), 2000u);
}

INSTANTIATE_TEST_SUITE_P(AllHoles, HoleFile, ::testing::ValuesIn(AllHoleNames()),
                         [](const auto& param) { return param.param; });

std::vector<std::string> Chain(const std::string& first) {
  std::vector<std::string> chain{first};
  for (int step = 0; step < 20; ++step) {
    LoadedHole h(chain.back());
    const std::string next = h.session->nextHoleName;
    if (std::find(chain.begin(), chain.end(), next) != chain.end()) break;
    chain.push_back(next);
  }
  return chain;
}

TEST(HoleChain, EachCourseVisitsItsNineHolesOnceAndComesBackToTheFirst) {
  for (const std::string course : {"course1", "course2"}) {
    SCOPED_TRACE(course);
    std::vector<std::string> expected;
    for (int n = 1; n <= 9; ++n) expected.push_back(course + "hole" + std::to_string(n));
    EXPECT_EQ(Chain(course + "hole1"), expected);
    EXPECT_EQ(LoadedHole(course + "hole9").session->nextHoleName, course + "hole1");
  }
}

TEST(HoleChain, TrainingLeadsBackToItself) {
  EXPECT_EQ(LoadedHole("training1").session->nextHoleName, "training1");
}

TEST(HoleChain, NextHoleSignsNameTheSameHoleAsTheCup) {
  for (const std::string& name : AllHoleNames()) {
    LoadedHole h(name);
    for (int32_t i = 1; i <= kMaxAreas; ++i)
      if (h.area(i).kind == AreaKind::kNextHoleText && h.area(i).p1 == 0) {
        EXPECT_EQ(h.area(i).comment, h.session->nextHoleName) << name << " area " << i;
      }
  }
}

TEST(HoleKinds, EveryKindThatActsOnABallIsUsedSomewhere) {
  std::set<AreaKind> used;
  for (const std::string& name : AllHoleNames()) {
    LoadedHole h(name);
    for (int32_t i = 1; i <= kMaxAreas; ++i) used.insert(h.area(i).kind);
  }
  for (int32_t kind = 1; kind <= 43; ++kind) {
    if (IsKnownKind(static_cast<AreaKind>(kind))) {
      EXPECT_TRUE(used.count(static_cast<AreaKind>(kind))) << "kind " << kind << " is on no hole";
    }
  }
  EXPECT_EQ(AllHoleNames().size(), 19u);
}

// A gate the hole's animation switches lies across the middle of the
// picture the animation draws for it (top-left, size).
void ExpectGate(const std::string& hole, int32_t area, int32_t left, int32_t top, int32_t w,
                int32_t h) {
  LoadedHole l(hole);
  const arearec& a = l.area(area);
  SCOPED_TRACE(hole + " area " + std::to_string(area));
  EXPECT_EQ(a.kind, AreaKind::kWall0);
  EXPECT_EQ(a.y1, top + h / 2);
  EXPECT_EQ(a.y2, top + h / 2);
  EXPECT_GE(std::min(a.x1, a.x2), left);
  EXPECT_LE(std::max(a.x1, a.x2), left + w);
}

TEST(HoleLayout, CyclingGatesLieUnderTheirPictures) {
  ExpectGate("course2hole9", 40, 511, 181, 200, 100);
  ExpectGate("course2hole9", 41, 666, 618, 200, 100);
  ExpectGate("course2hole9", 42, 171, 881, 200, 100);
  ExpectGate("course2hole5", 53, 610, 267, 200, 200);
}

TEST(HoleLayout, NoBonusStarWhereTheGatesUseItsPictureSlots) {
  // Picking up a bonus clears course-effect slots 36 and 37, which
  // course2hole9's animation uses for its gates.
  LoadedHole h("course2hole9");
  for (int32_t i = 1; i <= kMaxAreas; ++i)
    EXPECT_NE(h.area(i).kind, AreaKind::kBonusStroke) << "area " << i;
}

TEST(HoleLayout, FixedEffectPointsAndDecorationsLieOnTheirHolesPictures) {
  struct Point {
    const char* hole;
    int32_t x, y;
  };
  // The farthest decoration of each hole, the rock fall and the catapult's
  // fixed effect point.
  const Point points[] = {
      {"training1", 1071, 364},    {"course1hole3", 930, 240},  {"course1hole3", 470, 808},
      {"course1hole7", 1181, 682}, {"course1hole9", 338, 1165}, {"course2hole1", 496, 935},
      {"course2hole2", 373, 1115}, {"course2hole2", 1047, 575}, {"course2hole5", 1020, 856},
      {"course2hole8", 1514, 123}, {"course2hole9", 171, 881}};
  for (const Point& p : points) {
    LoadedHole h(p.hole);
    EXPECT_LT(p.x, h.width) << p.hole;
    EXPECT_LT(p.y, h.height) << p.hole;
  }
  int catapults = 0;
  for (const std::string& name : AllHoleNames()) {
    LoadedHole h(name);
    for (int32_t i = 1; i <= kMaxAreas; ++i) {
      if (h.area(i).kind != AreaKind::kCatapult) continue;
      ++catapults;
      EXPECT_LT(1006, h.width) << name;
    }
  }
  EXPECT_GE(catapults, 1);
}

}  // namespace
}  // namespace quendrix::testing
