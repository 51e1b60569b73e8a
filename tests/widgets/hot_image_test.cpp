#include "widgets/hot_image.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <tuple>

#include "media/image_list.h"
#include "widgets/hot_image_menu.h"
#include "widgets/hot_image_view.h"

namespace quendrix {
namespace {

std::vector<HotSpot> Squares() {
  // Two overlapping squares: 0 covers x 0 ... 19, 1 covers x 10 ... 29.
  return {HotSpot::Polygon({{0, 0}, {20, 0}, {20, 20}, {0, 20}}),
          HotSpot::Polygon({{10, 0}, {30, 0}, {30, 20}, {10, 20}})};
}

// Counts select events and remembers the spot each click saw.
struct Recorder {
  int selects = 0;
  std::vector<int> clicks;
  void Attach(HotImage& h) {
    h.OnSelectSpot = [this] { ++selects; };
    h.OnClick = [this, &h] { clicks.push_back(h.Spot()); };
  }
};

using EdgeCase = std::tuple<int, int, bool>;
class EllipseEdges : public ::testing::TestWithParam<EdgeCase> {};

TEST_P(EllipseEdges, PointsOnTheCurveAreInsideAndOnePixelBeyondAreNot) {
  // Box (0, 0)-(10, 6): centre (5, 3), radii 5 and 3; given corner-swapped.
  const HotSpot e = HotSpot::Ellipse({10, 6}, {0, 0});
  const auto [x, y, inside] = GetParam();
  EXPECT_EQ(e.Contains({x, y}), inside) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Axes, EllipseEdges,
                         ::testing::Values(EdgeCase{0, 3, true}, EdgeCase{-1, 3, false},
                                           EdgeCase{10, 3, true}, EdgeCase{11, 3, false},
                                           EdgeCase{5, 0, true}, EdgeCase{5, -1, false},
                                           EdgeCase{5, 6, true}, EdgeCase{5, 7, false},
                                           EdgeCase{1, 1, false}, EdgeCase{8, 5, true}));

TEST(HotSpot, EllipseOffTheAxesAndDegenerateBoxes) {
  const HotSpot circle = HotSpot::Ellipse({0, 0}, {10, 10});
  EXPECT_TRUE(circle.Contains({8, 1}));  // 3^2 + 4^2 = 5^2: exactly on the curve
  EXPECT_FALSE(circle.Contains({9, 1}));
  EXPECT_FALSE(HotSpot::Ellipse({4, 0}, {4, 10}).Contains({4, 5}));  // no width
  EXPECT_THROW(HotSpot::Ellipse({0, 0}, {HotSpot::kLimit + 1, 1}), std::invalid_argument);
}

TEST(HotSpot, PolygonEdgesAreHalfOpenSoNeighboursShareNoPoint) {
  const HotSpot square = HotSpot::Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}});
  EXPECT_TRUE(square.Contains({0, 5}));    // left edge
  EXPECT_TRUE(square.Contains({5, 0}));    // top edge
  EXPECT_TRUE(square.Contains({0, 0}));    // top-left corner
  EXPECT_FALSE(square.Contains({10, 5}));  // right edge
  EXPECT_FALSE(square.Contains({5, 10}));  // bottom edge
  EXPECT_FALSE(square.Contains({10, 0}));
  // Two triangles on the square's diagonal hold every point of it exactly
  // once, including the points on the diagonal, whichever way they wind.
  const HotSpot upper = HotSpot::Polygon({{0, 0}, {10, 0}, {10, 10}});
  const HotSpot lower = HotSpot::Polygon({{10, 10}, {0, 10}, {0, 0}});
  int held = 0;
  for (int y = -1; y <= 11; ++y)
    for (int x = -1; x <= 11; ++x) {
      const bool s = square.Contains({x, y});
      held += s;
      EXPECT_EQ(upper.Contains({x, y}) + lower.Contains({x, y}), s ? 1 : 0) << x << "," << y;
    }
  EXPECT_EQ(held, 100);
  EXPECT_FALSE(HotSpot::Polygon({}).Contains({0, 0}));
}

TEST(HotSpot, MenuSpotsHoldTheirOwnArtworkPlaces) {
  const HotImage menu(kMenuControlWidth, kMenuControlHeight, kMenuPictureWidth, kMenuPictureHeight,
                      MenuHotSpots());
  ASSERT_EQ(menu.SpotCount(), 4);
  EXPECT_EQ(menu.SpotAt({148, 102}), 0);
  EXPECT_EQ(menu.SpotAt({240, 80}), 1);
  EXPECT_EQ(menu.SpotAt({220, 100}), 2);
  EXPECT_EQ(menu.SpotAt({200, 120}), 3);
  EXPECT_EQ(menu.SpotAt({250, 125}), -1);  // below the quit ribbon's tapering end
  EXPECT_EQ(menu.SpotAt({300, 60}), -1);
}

TEST(HotImage, ALargerPictureIsCentredWithOffsetsTruncatedTowardZero) {
  const HotImage menu(367, 122, 421, 165, {});
  EXPECT_EQ(menu.PictureOffset(), (HotPoint{-27, -21}));  // -43 / 2 is -21, not -22
  EXPECT_EQ(menu.ToPicture({0, 0}), (HotPoint{27, 21}));
  EXPECT_EQ(menu.ToPicture({366, 121}), (HotPoint{393, 142}));
  EXPECT_EQ(HotImage(20, 9, 15, 4, {}).PictureOffset(), (HotPoint{2, 2}));
}

TEST(HotImage, CurrentSpotIsKeptWhileInsideElseTheLowestIndexWins) {
  HotImage h(40, 20, 40, 20, Squares());
  Recorder r;
  r.Attach(h);
  h.PointerMove({5, 5});
  EXPECT_EQ(h.Spot(), 0);
  h.PointerMove({15, 5});  // the overlap: 0 is kept
  EXPECT_EQ(h.Spot(), 0);
  h.PointerMove({25, 5});
  EXPECT_EQ(h.Spot(), 1);
  h.PointerMove({15, 6});  // the overlap again: now 1 is kept
  EXPECT_EQ(h.Spot(), 1);
  h.PointerMove({35, 5});  // over no spot
  EXPECT_EQ(h.Spot(), -1);
  h.PointerMove({36, 5});
  h.PointerMove({15, 5});  // from none: the lowest index
  EXPECT_EQ(h.Spot(), 0);
  EXPECT_EQ(r.selects, 4);  // 0, 1, -1, 0: none for unchanged spots
  h.PointerMove({-1, 5});   // outside the control
  EXPECT_EQ(h.Spot(), -1);
  EXPECT_EQ(r.selects, 5);
}

TEST(HotImage, OutsideTheControlNothingIsHitEvenWhereThePictureHasASpot) {
  // 10 x 10 control over a 30 x 30 picture that is one big spot.
  HotImage h(10, 10, 30, 30, {HotSpot::Polygon({{0, 0}, {30, 0}, {30, 30}, {0, 30}})});
  h.PointerMove({0, 5});
  EXPECT_EQ(h.Spot(), 0);
  h.PointerMove({10, 5});
  EXPECT_EQ(h.Spot(), -1);
  h.PointerMove({9, 9});
  h.PointerLeave();
  EXPECT_EQ(h.Spot(), -1);
}

TEST(HotImage, ClicksNeedPressAndReleaseInsideTheControl) {
  HotImage h(40, 20, 40, 20, Squares());
  Recorder r;
  r.Attach(h);
  h.PointerDown({5, 5});
  h.PointerUp({25, 5});  // released over spot 1: the click reads 1
  h.PointerDown({5, 5});
  h.PointerUp({45, 5});  // released outside
  h.PointerDown({-3, 5});
  h.PointerUp({5, 5});  // pressed outside
  h.PointerDown({35, 5});
  h.PointerUp({35, 5});  // over no spot: the handler sees -1
  EXPECT_EQ(r.clicks, (std::vector<int>{1, -1}));
}

TEST(HotImage, KeysStepThroughTheSpotsWrappingAndShareThePointersSpot) {
  HotImage h(60, 20, 60, 20,
             {HotSpot::Polygon({{0, 0}, {10, 0}, {10, 10}, {0, 10}}),
              HotSpot::Polygon({{20, 0}, {30, 0}, {30, 10}, {20, 10}}),
              HotSpot::Polygon({{40, 0}, {50, 0}, {50, 10}, {40, 10}})});
  Recorder r;
  r.Attach(h);
  h.Choose();  // nothing selected: nothing chosen
  EXPECT_TRUE(r.clicks.empty());
  std::vector<int> seen;
  for (int i = 0; i < 4; ++i) {
    h.SelectNext();
    seen.push_back(h.Spot());
  }
  EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0}));
  h.SelectPrevious();
  EXPECT_EQ(h.Spot(), 2);
  h.PointerLeave();
  h.SelectPrevious();  // from none: the last
  EXPECT_EQ(h.Spot(), 2);
  EXPECT_EQ(r.selects, 7);
  h.Choose();
  EXPECT_EQ(r.clicks, (std::vector<int>{2}));

  h.PointerMove({5, 5});
  h.SelectNext();
  EXPECT_EQ(h.Spot(), 1);
  h.PointerMove({5, 5});  // the same position again: the keys' choice stays
  EXPECT_EQ(h.Spot(), 1);
  h.PointerMove({6, 5});  // real motion over spot 0 takes it back
  EXPECT_EQ(h.Spot(), 0);
}

// The view through SDL's software renderer: the crop and the lit spot land
// on the right canvas pixels.
TEST(HotImageView, DrawsTheCentredCropAndTheLitSpotOnly) {
  Bitmap normal(kMenuPictureWidth, kMenuPictureHeight), lit(kMenuPictureWidth, kMenuPictureHeight);
  for (int y = 0; y < kMenuPictureHeight; ++y)
    for (int x = 0; x < kMenuPictureWidth; ++x) {
      normal.SetPixel(x, y, MakeColor(x & 255, y, 0));
      lit.SetPixel(x, y, MakeColor(x & 255, y, 255));
    }
  HotImage menu(kMenuControlWidth, kMenuControlHeight, kMenuPictureWidth, kMenuPictureHeight,
                MenuHotSpots());
  menu.SelectNext();  // spot 0 lit
  std::unique_ptr<SDL_Surface, decltype(&SDL_FreeSurface)> canvas(
      SDL_CreateRGBSurfaceWithFormat(0, 400, 160, 32, SDL_PIXELFORMAT_ABGR8888), SDL_FreeSurface);
  ASSERT_TRUE(canvas);
  SDL_Renderer* renderer = SDL_CreateSoftwareRenderer(canvas.get());
  ASSERT_NE(renderer, nullptr);
  SDL_SetRenderDrawColor(renderer, 9, 9, 9, 255);
  SDL_RenderClear(renderer);
  HotImageView view(normal, lit);
  const SDL_Point at{kMenuControlLeft, kMenuControlTop};
  view.Draw(renderer, menu, at);
  SDL_RenderPresent(renderer);
  auto pixel = [&](int x, int y) {
    return static_cast<const uint32_t*>(canvas->pixels)[y * canvas->pitch / 4 + x] & 0xFFFFFF;
  };
  EXPECT_EQ(pixel(at.x, at.y), MakeColor(27, 21, 0));  // the picture's (27, 21)
  EXPECT_EQ(pixel(at.x + 366, at.y + 121), MakeColor(393 & 255, 142, 0));
  EXPECT_EQ(pixel(at.x - 1, at.y), MakeColor(9, 9, 9));  // cropped, nothing outside
  EXPECT_EQ(pixel(at.x + 367, at.y + 121), MakeColor(9, 9, 9));
  EXPECT_EQ(pixel(at.x, at.y + 122), MakeColor(9, 9, 9));
  const HotPoint ball = HotImageView::ToControl({148 - 27 + at.x, 102 - 21 + at.y}, at);
  EXPECT_EQ(menu.SpotAt(menu.ToPicture(ball)), 0);
  EXPECT_EQ(pixel(148 - 27 + at.x, 102 - 21 + at.y), MakeColor(148, 102, 255));  // lit
  EXPECT_EQ(pixel(240 - 27 + at.x, 80 - 21 + at.y), MakeColor(240, 80, 0));      // spot 1: not
  view.Release();
  SDL_DestroyRenderer(renderer);
}

// The generated menu picture, read by the game's image-list loader.
TEST(MenuPicture, LoadsWithItsLitTwinThatChangesEverySpotVisibly) {
  TDXImageList list;
  list.LoadListFile("bin/launchpad.dxg");
  ASSERT_EQ(list.Items.Count(), 2);
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(list.Items[i].Picture().Width(), kMenuPictureWidth);
    EXPECT_EQ(list.Items[i].Picture().Height(), kMenuPictureHeight);
    EXPECT_EQ(list.Items[i].bitCount, 8);
  }
  const Bitmap& normal = list.Items[0].Picture();
  const Bitmap& lit = list.Items[1].Picture();
  const std::vector<HotSpot> spots = MenuHotSpots();
  for (size_t s = 0; s < spots.size(); ++s) {
    const HotBox b = spots[s].Bounds();
    long diff = 0, pixels = 0;
    for (int y = b.top; y <= b.bottom; ++y)
      for (int x = b.left; x <= b.right; ++x) {
        if (!spots[s].Contains({x, y})) continue;
        const TColor p = normal.Pixel(x, y), q = lit.Pixel(x, y);
        diff += std::abs(RedOf(p) - RedOf(q)) + std::abs(GreenOf(p) - GreenOf(q)) +
                std::abs(BlueOf(p) - BlueOf(q));
        ++pixels;
      }
    ASSERT_GT(pixels, 500) << "spot " << s;
    EXPECT_GT(diff / pixels, 60) << "spot " << s << " hardly changes when lit";
  }
}

}  // namespace
}  // namespace quendrix
