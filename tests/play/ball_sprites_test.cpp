// Ball sprites: the per-pixel texture mapping, shadow, covers, overlay and
// depth order.
#include "game/ball_sprites.h"

#include <gtest/gtest.h>

#include <cmath>

#include "game/game_state.h"
#include "media/image_list.h"
#include "media/surface.h"
#include "play_data.h"

namespace quendrix::playdata {
namespace {

constexpr uint16_t kSentinel = 0x0841;  // a colour no texel has

void AddSolid(TDXImageList& list, int32_t w, int32_t h, TColor colour, int32_t pw = 0,
              int32_t ph = 0) {
  auto& item = list.Items.Add();
  PictureItemData data;
  data.picture = Bitmap(w, h, colour);
  data.patternWidth = pw;
  data.patternHeight = ph;
  data.transparentColor = kKey;
  static_cast<PictureItemData&>(item) = data;
  item.BuildSurface();
}

BallTexture Texture(int32_t player) {
  TPictureCollectionItem item;
  item.picture = Bitmap(16, 16);
  for (int32_t t = 0; t < 256; ++t) item.picture.SetPixel(t % 16, t / 16, TexelColour(player, t));
  return MakeBallTexture(item);
}

// The texel drawn at a surface pixel, or -1 for anything else.
int32_t TexelAt(const TDirectDrawSurface& s, int32_t x, int32_t y, int32_t player = 1) {
  return TexelOf(static_cast<uint16_t>(s.RawPixel(x, y)), player);
}

struct Scene {
  Scene() : session(settings), screen(200, 200) {
    screen.FillRaw(kSentinel);
    session.playerCount = 2;
    for (int32_t i = 0; i <= 14; ++i) AddSolid(gui, 4, 4, kKey);
    AddSolid(gui, 16, 16, kKey);                // 15 shading: clear
    AddSolid(gui, 16, 16, kHighlightColour);    // 16 highlight
    AddSolid(gui, 16, 16, kShadowColour);       // 17 shadow
    AddSolid(course, 240, 240, kCourseColour);  // 0 course, 10 overlay cells a row
    AddSolid(course, 240, 240, kKey, 24, 24);   // 1 overlay, clear
    AddSolid(course, 24, 12, kCupCoverColour);  // 2 cup cover
    for (int32_t i = 3; i <= 9; ++i) AddSolid(course, 10, 10, kPipeCoverColour);
    for (int32_t p = 1; p <= 2; ++p) {
      playerrec& b = session.players[p];
      b.inPlay = true;
      b.sinkCounter = 15;
    }
  }
  playerrec& ball(int32_t p = 1) { return session.players[p]; }

  LaunchSettings settings;
  GameSession session;
  TDirectDrawSurface screen;
  TDXImageList gui, course;
};

TEST(BallSprite, UnrotatedBallShowsTheSphereMap) {
  TDirectDrawSurface screen(64, 64);
  screen.FillRaw(kSentinel);
  playerrec b;
  DrawBallSprite(screen, b, 30, 20, Texture(1));
  int drawn = 0;
  for (int32_t j = 0; j < 16; ++j) {
    for (int32_t i = 0; i < 16; ++i) {
      const int32_t k = 16 * j + i;
      const int32_t x = 22 + i, y = 12 + j;
      if (DiscMaskDrawn(k)) {
        ++drawn;
        EXPECT_EQ(TexelAt(screen, x, y), SphereMap()[static_cast<size_t>(k)]) << i << "," << j;
      } else {
        EXPECT_EQ(screen.RawPixel(x, y), kSentinel) << "outside the disc " << i << "," << j;
      }
    }
  }
  // Rows of the mask: 0, 4, 8, 10, 12, 12, 14 x 4, 12, 12, 10, 8, 4, 0.
  EXPECT_EQ(drawn, 4 + 8 + 10 + 12 + 12 + 14 * 4 + 12 + 12 + 10 + 8 + 4);
  // Rows 3 ... 13 are the bent ones; the rest map straight through.
  EXPECT_EQ(SphereMap()[16 * 3 + 6], 70);
  EXPECT_EQ(SphereMap()[16 * 10 + 4], 149);
  EXPECT_EQ(SphereMap()[16 * 14 + 7], 16 * 14 + 7);
}

TEST(BallSprite, AQuarterTurnRotatesTheGrid) {
  TDirectDrawSurface screen(32, 32);
  playerrec b;
  b.spriteAngle = 64;
  DrawBallSprite(screen, b, 8, 8, Texture(1));
  // At a quarter turn pixel (i, j) samples the unrotated grid at column j,
  // row 16 - i (wrapping through 256).
  for (int32_t j = 0; j < 16; ++j) {
    for (int32_t i = 0; i < 16; ++i) {
      if (!DiscMaskDrawn(16 * j + i)) continue;
      EXPECT_EQ(TexelAt(screen, i, j), SphereMap()[static_cast<size_t>((16 * (16 - i) + j) & 255)])
          << i << "," << j;
    }
  }
}

TEST(BallSprite, HalfTurnMatchesARotationComputedInFloatingPoint) {
  TDirectDrawSurface screen(32, 32);
  playerrec b;
  b.spriteAngle = 128;
  DrawBallSprite(screen, b, 8, 8, Texture(1));
  for (int32_t j = 0; j < 16; ++j)
    for (int32_t i = 0; i < 16; ++i) {
      if (!DiscMaskDrawn(16 * j + i)) continue;
      // cos = -1, sin = 0: A = 16 - i, B = 16 - j.
      const int32_t a = (16 - i) & 255, bb = (16 - j) & 255;
      EXPECT_EQ(TexelAt(screen, i, j), SphereMap()[static_cast<size_t>((16 * bb + a) & 255)]);
    }
}

TEST(BallSprite, RollOffsetsShiftTheTexture) {
  TDirectDrawSurface screen(32, 32);
  playerrec b;
  b.rollU = 1.4;  // rounds to 1
  b.rollV = 2.5;  // rounds to 2 (halves to even)
  DrawBallSprite(screen, b, 8, 8, Texture(1));
  const int32_t k = 16 * 8 + 8;
  EXPECT_EQ(TexelAt(screen, 8, 8), (SphereMap()[k] - 16 * 2 - 1) & 255);
  const int32_t k2 = 16 * 1 + 6;  // 22 - 33 wraps round through 256
  EXPECT_EQ(TexelAt(screen, 6, 1), (SphereMap()[k2] - 33) & 255);
}

TEST(BallSprite, SinkingShowsFewerRowsAndHeightLifts) {
  TDirectDrawSurface screen(40, 60);
  screen.FillRaw(kSentinel);
  playerrec b;
  b.sinkCounter = 10;
  DrawBallSprite(screen, b, 8, 8, Texture(1));
  EXPECT_NE(screen.RawPixel(8, 10), kSentinel) << "row 10 drawn";
  EXPECT_EQ(screen.RawPixel(8, 11), kSentinel) << "row 11 gone";
  b.sinkCounter = 0;
  screen.FillRaw(kSentinel);
  DrawBallSprite(screen, b, 8, 8, Texture(1));
  for (int32_t x = 0; x < 16; ++x) EXPECT_EQ(screen.RawPixel(x, 1), kSentinel);
  b.sinkCounter = 15;
  b.z = 5.4;
  screen.FillRaw(kSentinel);
  DrawBallSprite(screen, b, 28, 30, Texture(1));
  EXPECT_EQ(TexelAt(screen, 28, 30 - 5), SphereMap()[16 * 8 + 8]);
}

TEST(BallSprite, ClippedAtTheScreenEdges) {
  TDirectDrawSurface screen(10, 10);
  playerrec b;
  DrawBallSprite(screen, b, 0, 0, Texture(1));
  DrawBallSprite(screen, b, 9, 9, Texture(1));
  DrawBallSprite(screen, b, -100, 5000, Texture(1));
  EXPECT_EQ(TexelAt(screen, 0, 0), SphereMap()[16 * 8 + 8]);
}

TEST(BallDraw, ShadowWidensAndFadesWithHeight) {
  Scene s;
  s.screen.FillRaw(TDirectDrawSurface::ToRgb565(clWhite));
  s.ball().x = 100;
  s.ball().y = 100;
  s.ball().z = 30;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  // The shadow as the image list draws it: 19 x 16 at strength 118.
  TDirectDrawSurface expected(200, 200);
  expected.FillRaw(TDirectDrawSurface::ToRgb565(clWhite));
  s.gui.Items[ItemIndex(GuiImage::kShadow)].DrawPatternAlpha(expected, Bounds(96, 94, 19, 16), 0,
                                                             118);
  for (int32_t y = 90; y < 112; ++y)
    for (int32_t x = 90; x < 120; ++x)
      EXPECT_EQ(s.screen.RawPixel(x, y), expected.RawPixel(x, y)) << x << "," << y;
  // The sprite itself is 30 px up.
  EXPECT_EQ(TexelAt(s.screen, 100, 70), SphereMap()[16 * 8 + 8]);
}

TEST(BallDraw, ALostBallHasNoShadowShadingOrHighlight) {
  Scene s;
  s.ball().x = 100;
  s.ball().y = 100;
  s.ball().lost = true;
  s.ball().highlight = 200;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  EXPECT_EQ(s.screen.RawPixel(96, 108), kSentinel) << "no shadow below the ball";
  EXPECT_EQ(TexelAt(s.screen, 100, 100), SphereMap()[16 * 8 + 8]) << "no ring over it";
  EXPECT_EQ(s.ball().highlight, 200) << "a resting ball keeps its ring";

  s.ball().lost = false;
  s.ball().moving = true;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  EXPECT_NE(TexelAt(s.screen, 100, 100), SphereMap()[16 * 8 + 8]) << "ring drawn";
  EXPECT_EQ(s.ball().highlight, 0) << "a moving ball loses it";
}

TEST(BallDraw, TheOverlayAroundTheBallIsRedrawnOverIt) {
  Scene s;
  // Overlay cell (4, 4) solid: the ball at (100, 100) lies in it.
  PictureItemData overlay;
  overlay.picture = Bitmap(240, 240, kKey);
  for (int32_t y = 96; y < 120; ++y)
    for (int32_t x = 96; x < 120; ++x) overlay.picture.SetPixel(x, y, kOverlayColour);
  overlay.patternWidth = overlay.patternHeight = 24;
  overlay.transparentColor = kKey;
  static_cast<PictureItemData&>(s.course.Items[ItemIndex(HoleImage::kOverlay)]) = overlay;
  s.course.Items[ItemIndex(HoleImage::kOverlay)].BuildSurface();
  s.ball().x = 100;
  s.ball().y = 100;
  s.session.scrollX = 10;
  s.session.scrollY = 20;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  const uint16_t bridge = Raw(kOverlayColour);
  EXPECT_EQ(s.screen.RawPixel(90, 80), bridge) << "ball centre under the bridge";
  EXPECT_EQ(TexelAt(s.screen, 85, 80), SphereMap()[16 * 8 + 3]) << "left of the cell";
}

TEST(BallDraw, CupAndPipeCoversHideTheDroppingBall) {
  Scene s;
  arearec& cup = s.session.areas[5];
  cup.kind = AreaKind::kCup;
  cup.x1 = 100;
  cup.y1 = 100;
  cup.x2 = 88;
  cup.y2 = 96;
  s.ball().x = 100;
  s.ball().y = 100;
  s.ball().inCup = true;
  s.ball().rideArea = 5;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  const uint16_t cover = Raw(kCupCoverColour);
  EXPECT_EQ(s.screen.RawPixel(100, 100), cover);
  EXPECT_EQ(s.screen.RawPixel(88, 96), cover);
  EXPECT_EQ(TexelAt(s.screen, 100, 93), SphereMap()[16 * 1 + 8]) << "the top shows above the rim";
  EXPECT_EQ(s.screen.RawPixel(96, 108), kSentinel) << "no shadow in the cup";

  // Holed by the stroke limit: no cup area, no cover, no crash.
  s.screen.FillRaw(kSentinel);
  s.ball().rideArea = 0;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  EXPECT_EQ(TexelAt(s.screen, 100, 100), SphereMap()[16 * 8 + 8]);

  s.screen.FillRaw(kSentinel);
  arearec& pipe = s.session.areas[7];
  pipe.kind = AreaKind::kPipeEntrance;
  pipe.p1 = 95;
  pipe.p2 = 95;
  pipe.p3 = 9;
  s.ball().inCup = false;
  s.ball().inPipe = true;
  s.ball().rideArea = 7;
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  EXPECT_EQ(s.screen.RawPixel(100, 100), Raw(kPipeCoverColour));
  pipe.p3 = 77;  // no such image: nothing covers
  s.screen.FillRaw(kSentinel);
  DrawBall(s.session, 1, s.screen, s.gui, s.course, Texture(1));
  EXPECT_EQ(TexelAt(s.screen, 100, 100), SphereMap()[16 * 8 + 8]);
}

TEST(BallDraw, DrawOrderFollowsGroundY) {
  Scene s;
  s.session.playerCount = 4;
  s.ball(1).y = 120.4;
  s.ball(2).y = 100;
  s.ball(3).y = 119.6;  // rounds to 120, like player 1
  s.ball(4).y = 80;
  std::array<int32_t, 4> order{};
  ASSERT_EQ(BallDrawOrder(s.session, order), 4);
  EXPECT_EQ(order, (std::array<int32_t, 4>{4, 2, 1, 3}));

  // Overlapping balls: the lower one on the screen is drawn last, on top.
  s.session.playerCount = 2;
  s.ball(1).x = 100;
  s.ball(1).y = 108;
  s.ball(2).x = 100;
  s.ball(2).y = 100;
  ASSERT_EQ(BallDrawOrder(s.session, order), 2);
  for (int32_t k = 0; k < 2; ++k) {
    const int32_t p = order[static_cast<size_t>(k)];
    DrawBall(s.session, p, s.screen, s.gui, s.course, Texture(p));
  }
  EXPECT_GE(TexelAt(s.screen, 100, 103, 1), 0) << "ball 1 (y 108) over ball 2 (y 100)";
}

}  // namespace
}  // namespace quendrix::playdata
