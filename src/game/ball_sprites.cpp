#include "game/ball_sprites.h"

#include <algorithm>
#include <cmath>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/list_items.h"
#include "media/image_list.h"
#include "media/surface.h"

namespace quendrix {

namespace {

constexpr int32_t kOverlayCell = 24;  // HoleImage::kOverlay's patterns

// Rows 3 ... 13 of the sphere map; every other row maps to itself.
constexpr uint8_t kSphereRows[11][16] = {
    {48, 49, 50, 51, 52, 53, 70, 71, 72, 73, 74, 59, 60, 61, 62, 63},
    {64, 65, 66, 67, 85, 86, 87, 87, 88, 89, 89, 91, 91, 77, 78, 79},
    {80, 81, 82, 83, 101, 102, 103, 103, 104, 105, 105, 106, 107, 93, 94, 95},
    {96, 97, 98, 100, 117, 118, 119, 119, 120, 121, 121, 122, 123, 108, 110, 111},
    {112, 113, 114, 116, 117, 118, 119, 119, 120, 121, 121, 122, 123, 124, 126, 127},
    {128, 129, 130, 132, 133, 134, 135, 135, 136, 137, 137, 138, 139, 140, 142, 143},
    {144, 145, 146, 148, 149, 150, 151, 151, 152, 153, 153, 154, 155, 156, 158, 159},
    {160, 161, 162, 164, 149, 150, 151, 151, 152, 153, 153, 154, 155, 172, 174, 175},
    {176, 177, 178, 179, 181, 166, 167, 167, 168, 169, 169, 170, 187, 189, 190, 191},
    {192, 193, 194, 195, 181, 182, 183, 183, 184, 185, 185, 187, 187, 205, 206, 207},
    {208, 209, 210, 211, 212, 213, 198, 199, 200, 201, 202, 219, 220, 221, 222, 223},
};

// Drawn columns first ... last of each mask row; first > last: none.
constexpr int8_t kDiscRows[16][2] = {{1, 0},  {6, 9},  {4, 11}, {3, 12}, {2, 13}, {2, 13},
                                     {1, 14}, {1, 14}, {1, 14}, {1, 14}, {2, 13}, {2, 13},
                                     {3, 12}, {4, 11}, {6, 9},  {1, 0}};

std::array<uint8_t, 256> BuildSphereMap() {
  std::array<uint8_t, 256> map{};
  for (int32_t q = 0; q < 256; ++q) map[static_cast<size_t>(q)] = static_cast<uint8_t>(q);
  for (int32_t row = 3; row <= 13; ++row)
    for (int32_t col = 0; col < 16; ++col)
      map[static_cast<size_t>(16 * row + col)] = kSphereRows[row - 3][col];
  return map;
}

const arearec* RideArea(const GameSession& s, const playerrec& b) {
  if (!OneBased<arearec, kMaxAreas>::Contains(b.rideArea)) return nullptr;
  return &s.areas[b.rideArea];
}

// Moves the ball back towards the centre of the area it drops into, by
// `step` pixels per axis from its motion mark.
void HoldInside(playerrec& b, const arearec& a, double step) {
  const int32_t rx = Nearest(b.x), ry = Nearest(b.y);
  if (ViewDistance(rx, ry, a.x1, a.y1) <= a.r) return;
  b.direction = BinAngle(a.x1, a.y1, rx, ry);
  b.x = a.x1 >= b.x ? b.prevX + step : b.prevX - step;
  b.y = a.y1 >= b.y ? b.prevY + step : b.prevY - step;
}

void DrawOverlay(const GameSession& s, const playerrec& b, TDirectDrawSurface& screen,
                 const TDXImageList& course) {
  const TPictureCollectionItem* overlay = ImageItem(course, HoleImage::kOverlay);
  const TPictureCollectionItem* picture = ImageItem(course, HoleImage::kCourse);
  if (overlay == nullptr || picture == nullptr) return;
  const int32_t column = Div(Nearest(b.x + 0.5), kOverlayCell);
  const int32_t row = Div(Nearest(b.y + 0.5), kOverlayCell);
  const int32_t n = picture->PatternWidth() / kOverlayCell;
  const int64_t base = int64_t{n} * row + column;
  const int32_t x = kOverlayCell * column - s.scrollX;
  const int32_t y = kOverlayCell * row - s.scrollY;
  // The cell under the ball, then its eight neighbours in this order.
  struct Step {
    int32_t dx, dy;
  };
  static constexpr Step kCells[9] = {{0, 0},  {1, 0},   {-1, 0}, {0, 1}, {0, -1},
                                     {-1, 1}, {-1, -1}, {1, 1},  {1, -1}};
  for (const Step& c : kCells) {
    const int64_t pattern = base + int64_t{n} * c.dy + c.dx;
    if (pattern < 0 || pattern >= overlay->PatternCount()) continue;
    overlay->DrawPattern(screen, x + kOverlayCell * c.dx, y + kOverlayCell * c.dy,
                         static_cast<int32_t>(pattern));
  }
}

}  // namespace

const std::array<uint8_t, 256>& SphereMap() {
  static const std::array<uint8_t, 256> map = BuildSphereMap();
  return map;
}

bool DiscMaskDrawn(int32_t k) {
  if (k < 0 || k >= 256) return false;
  const int32_t row = k / 16, col = k % 16;
  return col >= kDiscRows[row][0] && col <= kDiscRows[row][1];
}

BallTexture MakeBallTexture(const TPictureCollectionItem& item) {
  BallTexture texture{};
  const Bitmap& picture = item.Picture();
  for (int32_t t = 0; t < 256; ++t) {
    const TColor c = picture.Pixel(t % 16, t / 16);
    texture[static_cast<size_t>(t)] =
        c == Bitmap::kInvalidPixel ? 0 : TDirectDrawSurface::ToRgb565(ColorToRgb(c));
  }
  return texture;
}

void DrawBallSprite(TDirectDrawSurface& screen, const playerrec& b, int32_t sx, int32_t sy,
                    const BallTexture& texture) {
  const std::array<uint8_t, 256>& sphere = SphereMap();
  const int32_t angle = -static_cast<int32_t>(b.spriteAngle);
  // 16.16 fixed-point steps of the rotation, added once per column.
  const int32_t ci = Nearest(BinCos(angle) * 65536);
  const int32_t si = Nearest(BinSin(angle) * 65536);
  const int32_t roll = 16 * Nearest(b.rollV) + Nearest(b.rollU);
  const int32_t top = sy - 8 - Nearest(b.z);
  const int32_t left = sx - 8;
  const int32_t lastRow = std::min<int32_t>(b.sinkCounter, kBallSize - 1);
  for (int32_t j = 0; j <= lastRow; ++j) {
    const int32_t y = top + j;
    if (y < 0 || y >= screen.Height()) continue;
    uint16_t* line = screen.Row(y);
    int32_t a = 8 * 65536 - 8 * ci - (j - 8) * si;
    int32_t bb = 8 * 65536 - 8 * si + (j - 8) * ci;
    for (int32_t i = 0; i < kBallSize; ++i, a += ci, bb += si) {
      const int32_t x = left + i;
      if (!DiscMaskDrawn(16 * j + i) || x < 0 || x >= screen.Width()) continue;
      // Arithmetic shifts floor the fixed-point values; "and 255" is mod 256.
      const int32_t u = (a >> 16) & 255;
      const int32_t v = (bb >> 16) & 255;
      const int32_t q = (16 * v + u) & 255;
      const int32_t t = (sphere[static_cast<size_t>(q)] - roll) & 255;
      line[x] = texture[static_cast<size_t>(t)];
    }
  }
}

int32_t BallDrawOrder(const GameSession& s, std::array<int32_t, 4>& order) {
  const int32_t count = std::clamp(s.playerCount, 1, kMaxPlayers);
  std::array<int32_t, 4> key{};
  for (int32_t p = 1; p <= count; ++p) {
    order[static_cast<size_t>(p - 1)] = p;
    key[static_cast<size_t>(p - 1)] = Nearest(s.players[p].y);
  }
  // Insertion sort: stable, so equal rows stay in player order.
  for (int32_t i = 1; i < count; ++i) {
    for (int32_t j = i;
         j > 0 && key[static_cast<size_t>(order[static_cast<size_t>(j)] - 1)] <
                      key[static_cast<size_t>(order[static_cast<size_t>(j - 1)] - 1)];
         --j)
      std::swap(order[static_cast<size_t>(j)], order[static_cast<size_t>(j - 1)]);
  }
  return count;
}

void DrawBall(GameSession& s, int32_t player, TDirectDrawSurface& screen, const TDXImageList& gui,
              const TDXImageList& course, const BallTexture& texture) {
  playerrec& b = s.players[player];
  const int32_t sx = Nearest(b.x) - s.scrollX;
  const int32_t sy = Nearest(b.y) - s.scrollY;
  const int32_t lift = Nearest(b.z);

  // The shadow stays on the ground, wider and fainter as the ball rises.
  if (!b.inCup && !b.lost && !b.inPipe) {
    if (const auto* shadow = ImageItem(gui, GuiImage::kShadow))
      shadow->DrawPatternAlpha(screen, Bounds(sx - 4, sy - 6, Nearest(b.z / 10) + 16, 16), 0,
                               128 - Nearest(b.z / 3));
  }
  DrawBallSprite(screen, b, sx, sy, texture);
  if (!b.lost) {
    const TRect square = Bounds(sx - 8, sy - lift - 8, kBallSize, kBallSize);
    if (const auto* shading = ImageItem(gui, GuiImage::kShading))
      shading->DrawPatternAlpha(screen, square, 0, 128);
    if (b.highlight > 0)
      if (const auto* ring = ImageItem(gui, GuiImage::kHighlight))
        ring->DrawPatternAlpha(screen, square, 0, b.highlight);
  }
  if (b.moving) b.highlight = 0;

  DrawOverlay(s, b, screen, course);

  // The cup's rim and a pipe's mouth hide the ball dropping into them. A ball
  // holed by the stroke limit has no cup area to cover it.
  const arearec* ride = RideArea(s, b);
  if (b.inCup && ride != nullptr)
    if (const auto* cover = ImageItem(course, HoleImage::kCupCover))
      cover->DrawPattern(screen, ride->x2 - s.scrollX, ride->y2 - s.scrollY, 0);
  if (b.inPipe && ride != nullptr)
    if (const auto* cover = ImageItem(course, ride->p3))
      cover->DrawPattern(screen, ride->p1 - s.scrollX, ride->p2 - s.scrollY, 0);
}

bool SinkInWater(GameSession& s, int32_t player) {
  playerrec& b = s.players[player];
  if (b.sinkCounter > 0) {
    --b.sinkCounter;
    b.y += 1;
    if (b.sinkCounter == 7) b.speed = 0;
    if (b.sinkCounter == 1) {
      courseEffect& splash = s.courseEffects[kSplashSlot];
      splash.x = Nearest(b.x) - 8;
      splash.y = Nearest(b.y) - 25;
      splash.image = ItemIndex(HoleImage::kSplash);
      splash.blend = 192;
      splash.looping = false;
    }
  }
  const courseEffect& splash = s.courseEffects[kSplashSlot];
  if (b.sinkCounter != 0 || splash.x != 0 || splash.y != 0) return false;

  // The splash has played: drop the ball back from 80 px near the respawn point.
  b.lastArea = -1;
  b.z = 80;
  b.fallSpeed = 0;
  b.direction = 0;
  b.speed = 0;
  b.airborne = true;
  b.moving = true;
  b.lost = false;
  b.sinkCounter = 15;
  s.recentre = true;
  b.x = s.respawnX;
  b.y = s.respawnY;
  const int32_t a = s.playRandom.RandomBelow(256);
  const int32_t d = 4 + s.playRandom.RandomBelow(22);
  b.x += BinCos(a) * d;
  b.y += BinSin(a) * d * 0.5;
  AddCourseEffect(s, Nearest(b.x) - 17, Nearest(b.y) - 28 - Nearest(b.z), HoleImage::kFlash, 192);
  s.Sound(EffectSound::kPutBack);
  return true;
}

bool FallThroughPipe(GameSession& s, int32_t player) {
  playerrec& b = s.players[player];
  const arearec* pipe = RideArea(s, b);
  if (pipe == nullptr) {
    // No entrance to fall through: let the ball go rather than hold it forever.
    b.inPipe = false;
    return false;
  }
  const arearec& p = *pipe;
  if (b.speed < 0.125) b.speed = 0.125;
  b.fallSpeed = std::min(b.fallSpeed + 0.2, 4.0 * s.substeps);
  b.z -= b.fallSpeed;
  HoldInside(b, p, 0.5);
  if (b.y - b.z <= p.y2) return false;

  // Out of the exit mouth at (x2, y2), along the arrow (x3, y3) -> (x4, y4).
  s.Sound(EffectSound::kPipeExit);
  b.x = p.x2;
  b.y = p.y2;
  b.direction = BinAngle(p.x4, p.y4, p.x3, p.y3) + 8 - s.playRandom.RandomBelow(16);
  const double speed =
      PlainDistance(p.x3, p.y3, p.x4, p.y4) / 50.0 + 0.25 - s.playRandom.RandomBelow(5) / 10.0;
  b.speed = std::min(speed, 2.0);
  b.z = std::abs(static_cast<double>(p.y3) - p.y2);
  b.fallSpeed = 0.3;
  b.airborne = true;
  b.lastArea = p.p4;
  b.inPipe = false;
  s.recentre = true;
  b.inPlay = true;
  return true;
}

void SinkInCup(GameSession& s, int32_t player) {
  playerrec& b = s.players[player];
  if (b.speed < 0.125) b.speed = 0.125;
  b.fallSpeed += 0.35;
  b.z -= b.fallSpeed;
  if (const arearec* cup = RideArea(s, b)) HoldInside(b, *cup, 1.0);
}

bool BallShown(const playerrec& b) {
  return b.inPlay && b.z > kHiddenDepth;
}

bool ReadyToHoleOut(const playerrec& b) {
  return b.inCup && b.inPlay && b.z < kHoledDepth;
}

}  // namespace quendrix
