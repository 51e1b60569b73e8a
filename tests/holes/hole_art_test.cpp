// The pictures drawn from a hole file show what the physics does: water is
// blue, sand is sand, rails stand where the walls are, the floor ends at the
// rails, the overlay holds only raised things, and the cup cover lets a
// sinking ball show through the hole's opening only.
#include <gtest/gtest.h>

#include <fstream>
#include <iterator>

#include "assetgen/draw.h"
#include "assetgen/hole_art.h"
#include "assetgen/hole_model.h"
#include "assetgen/writer.h"
#include "media/list_file.h"

namespace quendrix::testing {
namespace {

using assetgen::HoleModel;
using assetgen::Picture;
using assetgen::Rgb;

assetgen::Sources TheSources() {
  return assetgen::Sources{QUENDRIX_SOURCE_DIR "/assets"};
}

std::vector<uint8_t> ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

class HoleArt : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    pond = new HoleModel(assetgen::LoadHoleModel(TheSources(), "course1hole3"));
    list = new assetgen::ImageList(assetgen::HoleImages(*pond));
  }
  static void TearDownTestSuite() {
    delete list;
    delete pond;
    assetgen::ShutdownFonts();
  }
  static const Picture& Course() { return list->items[0].picture; }
  static HoleModel* pond;
  static assetgen::ImageList* list;
};

HoleModel* HoleArt::pond = nullptr;
assetgen::ImageList* HoleArt::list = nullptr;

TEST_F(HoleArt, TheBuildWroteTheSameBytes) {
  EXPECT_EQ(EncodeImageList(assetgen::ToItems(*list)), ReadAll("bin/course1hole3.dxg"));
}

TEST_F(HoleArt, WaterIsBlueAndSandIsSandWhereTheirAreasAre) {
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = pond->areas[i];
    SCOPED_TRACE("area " + std::to_string(i));
    if (a.kind == AreaKind::kWater) {
      const Rgb c = Course().At(a.x1, a.y1);
      EXPECT_GT(c.b, c.r + 60);
      EXPECT_GT(c.b, c.g);
    }
    if (a.kind == AreaKind::kSand) {
      const Rgb c = Course().At((a.x1 + a.x3) / 2, (a.y1 + a.y3) / 2);
      EXPECT_GT(c.r, c.b + 40);
      EXPECT_GT(c.r, 180);
    }
  }
}

TEST_F(HoleArt, TheFloorEndsAtTheRails) {
  // The tee lies on the floor; a point just outside the rail round the
  // course does not, and the rail itself is not floor colour.
  EXPECT_TRUE(pond->Floor(pond->teeX, pond->teeY));
  const arearec* top = nullptr;  // the rail along the top
  for (int32_t i = 1; i <= kMaxAreas; ++i)
    if (pond->areas[i].kind == AreaKind::kWall0 && (top == nullptr || pond->areas[i].y1 < top->y1))
      top = &pond->areas[i];
  ASSERT_NE(top, nullptr);
  const int32_t x = (top->x1 + top->x2) / 2;
  EXPECT_FALSE(pond->Floor(x, top->y1 - 6));
  EXPECT_TRUE(pond->Floor(x, top->y1 + 8));
  const Rgb floor = Course().At(x, top->y1 + 12);
  const Rgb rail = Course().At(x, top->y1 - 3);  // the rail's raised body
  EXPECT_NE(floor, rail);
  EXPECT_GT(floor.g, floor.r) << "mown grass";
}

TEST_F(HoleArt, TheOverlayHoldsTheRailsRaisedPartButNotTheFloor) {
  const Picture& overlay = list->items[1].picture;
  EXPECT_EQ(overlay.At(pond->teeX, pond->teeY), assetgen::kBlack);
  const arearec* top = nullptr;
  for (int32_t i = 1; i <= kMaxAreas; ++i)
    if (pond->areas[i].kind == AreaKind::kWall0 && (top == nullptr || pond->areas[i].y1 < top->y1))
      top = &pond->areas[i];
  ASSERT_NE(top, nullptr);
  const int32_t x = (top->x1 + top->x2) / 2;
  // Above its foot the rail hides a ball behind it; at its foot and in
  // front of it, nothing is drawn over a ball.
  EXPECT_NE(overlay.At(x, top->y1 - 6), assetgen::kBlack);
  EXPECT_EQ(overlay.At(x, top->y1 + 1), assetgen::kBlack);
  EXPECT_EQ(overlay.At(x, top->y1 + 6), assetgen::kBlack);
}

TEST_F(HoleArt, TheCupCoverOpensOverTheHoleAndHidesWhatSinksBelowItsLip) {
  const Picture& cover = list->items[2].picture;
  ASSERT_EQ(cover.Width(), assetgen::kCupCoverSize);
  // The cup's centre lies at (20, 8) of the cover.
  EXPECT_EQ(cover.At(20, 8), assetgen::kBlack);
  EXPECT_EQ(cover.At(20, 2), assetgen::kBlack) << "behind the hole: the ball shows";
  EXPECT_NE(cover.At(20, 20), assetgen::kBlack) << "below the front lip: hidden";
  EXPECT_NE(cover.At(3, 30), assetgen::kBlack);
}

TEST_F(HoleArt, EveryEffectTheHoleCanStartHasPatterns) {
  ASSERT_GE(list->items.size(), 17u);
  for (int image = 3; image <= 16; ++image) {
    SCOPED_TRACE("image " + std::to_string(image));
    EXPECT_GE(list->items[image].PatternCount(), 1);
  }
  EXPECT_EQ(list->items[4].PatternCount(), assetgen::kSplashPatterns);
}

TEST(HoleModel, RefusesAHoleWithoutAPictureSize) {
  EXPECT_THROW(
      assetgen::LoadHoleModel(assetgen::Sources{QUENDRIX_SOURCE_DIR "/tests/tools/data"}, "wall"),
      std::runtime_error);
}

}  // namespace
}  // namespace quendrix::testing
