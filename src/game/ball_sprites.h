// The ball phase of a frame: balls drawn in depth order as rolling textured
// discs with shadow, shading and highlight, the course overlay redrawn over
// them, and the three drops that run outside the physics: sinking in water
// and the drop back, falling through a pipe to its exit, sinking into the cup.
#pragma once

#include <array>
#include <cstdint>

namespace quendrix {

class GameSession;
class TDirectDrawSurface;
class TDXImageList;
class TPictureCollectionItem;
struct playerrec;

inline constexpr int32_t kBallSize = 16;  // sprite grid, pixels

// Texel index for each pixel q = 16 * row + column of the ball grid: the
// texture wrapped round a sphere.
const std::array<uint8_t, 256>& SphereMap();
// Whether pixel k = 16 * row + column of the ball grid is drawn (the disc
// mask is above 128 there).
bool DiscMaskDrawn(int32_t k);

// A ball texture in the surface's own pixel format, texel (u, v) at 16 v + u,
// so that drawing a ball pixel is one read and one write.
using BallTexture = std::array<uint16_t, 256>;
// From the first 16 x 16 pixels of a picture; pixels it lacks are black.
BallTexture MakeBallTexture(const TPictureCollectionItem& item);

// The sprite pixels alone: rows 0 ... sinkCounter of the rotated, rolled
// texture, centred on screen point (sx, sy) and lifted by the ball's height.
void DrawBallSprite(TDirectDrawSurface& screen, const playerrec& ball, int32_t sx, int32_t sy,
                    const BallTexture& texture);

// Players 1 ... playerCount ordered by rounded ground y, ties in player
// order. Returns how many entries of `order` are used.
int32_t BallDrawOrder(const GameSession& session, std::array<int32_t, 4>& order);

// Whether stage 1 handles the ball this frame: in play and above z = -30.
bool BallShown(const playerrec& ball);

// Stage 1 for one ball in play above z = -30: shadow, sprite, shading,
// highlight, the overlay patterns around it, cup and pipe covers.
void DrawBall(GameSession& session, int32_t player, TDirectDrawSurface& screen,
              const TDXImageList& gui, const TDXImageList& course, const BallTexture& texture);

// Stage 2, for a lost ball that stage 1 handled: sinks a pixel a frame,
// starts the splash in effect slot 32, and once that has played drops the
// ball back near the respawn point. True in the frame it is dropped back.
bool SinkInWater(GameSession& session, int32_t player);

// Stage 3: the fall through a pipe entrance and the pop out of its exit.
void FallThroughPipe(GameSession& session, int32_t player);

// Stage 4: the sink into the cup, held inside the cup's radius.
void SinkInCup(GameSession& session, int32_t player);

// Stage 5's test: deep enough in the cup to be holed.
bool ReadyToHoleOut(const playerrec& ball);

}  // namespace quendrix
