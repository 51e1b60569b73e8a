// The generated art of this build (bin/ beside the tests' working folder)
// against what the effects and hole animations do with it: every picture a
// hole can show has patterns to show, the cycling obstacles are drawn where
// their areas stop the ball, the drifting sprites have something to add.
// Skipped while the data is not there.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <set>
#include <string>
#include <vector>

#include "core/rounding.h"
#include "game/headless_play.h"
#include "media/image_list.h"

namespace quendrix {
namespace {

const std::filesystem::path kData = "bin";

std::vector<std::string> AllHoles() {
  std::vector<std::string> holes = {"training1"};
  for (int c = 1; c <= 2; ++c)
    for (int h = 1; h <= 9; ++h)
      holes.push_back("course" + std::to_string(c) + "hole" + std::to_string(h));
  return holes;
}

bool HaveData() {
  for (const char* f : {"gui.dxg", "menu.dxg", "sound.dxw"})
    if (!std::filesystem::exists(kData / f)) return false;
  for (const std::string& hole : AllHoles())
    if (!std::filesystem::exists(kData / (hole + ".dxg")) ||
        !std::filesystem::exists(kData / (hole + ".hole")))
      return false;
  return true;
}

#define REQUIRE_DATA() \
  if (!HaveData()) GTEST_SKIP() << "no generated holes in " << kData

// A play screen set up on `hole` (title card showing, decorations placed).
std::unique_ptr<HeadlessPlay> PlayOn(const std::string& hole) {
  LaunchSettings settings;
  settings.training = hole == "training1";
  auto play = std::make_unique<HeadlessPlay>(settings, kData, 9);
  play->Start();
  if (play->session().holeName != hole) {
    play->session().holeName = hole;
    play->main().HoleInit();
  }
  return play;
}

// True when pattern `k` of `item` has at least one pixel that is not the
// colour key.
bool PatternShows(const TPictureCollectionItem& item, int32_t k) {
  const TDirectDrawSurface* surface = item.Surface();
  if (surface == nullptr || k < 0 || k >= item.PatternCount()) return false;
  const TRect r = item.PatternRect(k);
  for (int32_t y = r.top; y < r.bottom; ++y)
    for (int32_t x = r.left; x < r.right; ++x)
      if (surface->RawPixel(x, y) != surface->ColorKey()) return true;
  return false;
}

// The course images a hole's areas can start, with why.
struct Use {
  int32_t image;
  std::string why;
};
std::vector<Use> AreaUses(const GameSession& s) {
  std::vector<Use> uses = {{ItemIndex(HoleImage::kSplash), "water splash"},
                           {ItemIndex(HoleImage::kFlash), "drop marker"}};
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = s.areas[i];
    const std::string at = " (area " + std::to_string(i) + ")";
    switch (a.kind) {
      case AreaKind::kWall19:
      case AreaKind::kWall64:
      case AreaKind::kWall109:
      case AreaKind::kWall0:
      case AreaKind::kWall32:
      case AreaKind::kWall96:
        // Wall hits from high up flash one of these.
        for (HoleImage flash :
             {HoleImage::kHitFlash19, HoleImage::kHitFlash109, HoleImage::kHitFlash0})
          uses.push_back({ItemIndex(flash), "wall flash" + at});
        break;
      case AreaKind::kPopper:
      case AreaKind::kBlaster:
        uses.push_back({ItemIndex(HoleImage::kBurst), "launcher flash" + at});
        break;
      case AreaKind::kSpringboard:
      case AreaKind::kSpringboard2:
        if (a.p1 != 0) uses.push_back({a.p4, "springboard picture" + at});
        break;
      case AreaKind::kPipeExitFx:
        uses.push_back({ItemIndex(HoleImage::kFlash), "pipe flash" + at});
        break;
      case AreaKind::kRough:
        uses.push_back({ItemIndex(HoleImage::kDust), "rough dust" + at});
        if (a.p1 != 0 && a.p2 != 0)
          uses.push_back({std::atoi(a.comment.c_str()), "rough picture" + at});
        break;
      case AreaKind::kBonusStroke:
        uses.push_back({ItemIndex(HoleImage::kBonusFlash), "extra-stroke flash" + at});
        break;
      case AreaKind::kCatapult:
        uses.push_back({ItemIndex(HoleImage::kDust), "catapult picture" + at});
        break;
      default:
        break;
    }
  }
  return uses;
}

TEST(RealAnimations, EveryPictureAHoleCanShowHasPatternsToShow) {
  REQUIRE_DATA();
  for (const std::string& hole : AllHoles()) {
    auto play = PlayOn(hole);
    const GameSession& s = play->session();
    const TDXImageList& course = play->main().course;
    std::vector<Use> uses = AreaUses(s);
    for (int32_t slot = 31; slot <= kCourseEffectSlots; ++slot) {
      const courseEffect& e = s.courseEffects[slot];
      if (e.x != 0 || e.y != 0)
        uses.push_back({e.image, "decoration in slot " + std::to_string(slot)});
    }
    if (hole == "course1hole5") {
      uses.push_back({5, "drifting sprite"});
      uses.push_back({6, "drifting sprite"});
    }
    if (hole == "course2hole9")
      for (int32_t image : {9, 10, 11}) uses.push_back({image, "cycling obstacle"});
    if (hole == "course2hole5") uses.push_back({11, "timed obstacle"});
    for (const Use& u : uses) {
      SCOPED_TRACE(hole + ": image " + std::to_string(u.image) + ", " + u.why);
      ASSERT_GE(u.image, 0);
      ASSERT_LT(u.image, course.Items.Count());
      const TPictureCollectionItem& item = course.Items[u.image];
      ASSERT_GT(item.PatternCount(), 0);
      // A blink may leave a pattern empty, but most of what the animation
      // steps through shows something.
      int32_t shown = 0, patterns = std::min(item.PatternCount(), 64);
      for (int32_t k = 0; k < patterns; ++k) shown += PatternShows(item, k) ? 1 : 0;
      EXPECT_GE(2 * shown, patterns) << shown << " of " << patterns << " patterns show";
    }
  }
}

// Share of the wall's length (sampled every pixel, within 3 px across it)
// that pattern 0 of the obstacle picture at (left, top) covers.
double Coverage(const TPictureCollectionItem& item, int32_t left, int32_t top,
                const arearec& wall) {
  const TDirectDrawSurface* surface = item.Surface();
  const int32_t steps = std::max(std::abs(wall.x2 - wall.x1), std::abs(wall.y2 - wall.y1));
  if (surface == nullptr || steps == 0) return 0;
  const TRect r = item.PatternRect(0);
  int covered = 0;
  for (int32_t k = 0; k <= steps; ++k) {
    const int32_t x = wall.x1 + (wall.x2 - wall.x1) * k / steps - left;
    const int32_t y = wall.y1 + (wall.y2 - wall.y1) * k / steps - top;
    bool hit = false;
    for (int32_t d = -3; d <= 3 && !hit; ++d) {
      const int32_t px = x + (wall.y1 == wall.y2 ? 0 : d), py = y + (wall.y1 == wall.y2 ? d : 0);
      if (px < 0 || py < 0 || px >= r.Width() || py >= r.Height()) continue;
      hit = surface->RawPixel(r.left + px, r.top + py) != surface->ColorKey();
    }
    covered += hit ? 1 : 0;
  }
  return static_cast<double>(covered) / (steps + 1);
}

TEST(RealAnimations, ObstaclesAreDrawnWhereTheirAreasStopTheBall) {
  REQUIRE_DATA();
  struct Case {
    const char* hole;
    int32_t image, x, y, area;
  } cases[] = {{"course2hole9", 9, 511, 181, 40},
               {"course2hole9", 10, 666, 618, 41},
               {"course2hole9", 11, 171, 881, 42},
               {"course2hole5", 11, 610, 267, 53}};
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.hole) + " area " + std::to_string(c.area));
    auto play = PlayOn(c.hole);
    const arearec& wall = play->session().areas[c.area];
    ASSERT_TRUE(IsWallKind(wall.kind)) << "a wall stops the ball";
    ASSERT_TRUE(wall.r < 1 && wall.x3 == 0 && wall.x4 == 0) << "a straight wall";
    EXPECT_GT(Coverage(play->main().course.Items[c.image], c.x, c.y, wall), 0.9);
  }
}

}  // namespace
}  // namespace quendrix
