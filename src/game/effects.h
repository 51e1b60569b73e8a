// The three effect stores of the course: the 50 course-effect slots, the 33
// particles and the 40 drifting sprites. The data side says how the physics
// and the rules start them; the frame side advances and draws them, right
// after the course picture and before the balls.
// Every random draw here comes from the visual stream: effects never change
// the game.
#pragma once

#include <cstdint>

#include "game/data_catalogue.h"

namespace quendrix {

class GameSession;
class TDirectDrawSurface;
class TDXImageList;
struct playerrec;

// Writes image `image` with its top-left at course position (x, y) and blend
// `blend` (0 plain, > 0 additive, < 0 subtractive) into ring slot
// effectSlot, then advances effectSlot (after 30 comes 1). frame and pulse of
// the slot stay as they are.
void AddCourseEffect(GameSession& session, int32_t x, int32_t y, int32_t image, int32_t blend);
inline void AddCourseEffect(GameSession& session, int32_t x, int32_t y, HoleImage image,
                            int32_t blend) {
  AddCourseEffect(session, x, y, ItemIndex(image), blend);
}

// Clears all 50 course-effect slots and points effectSlot at slot 1.
void ClearCourseEffects(GameSession& session);
// Clears one slot except its frame.
void ClearCourseEffectKeepFrame(GameSession& session, int32_t slot);
// Clears all 33 particles as a hole's set-up does.
void ResetParticles(GameSession& session);

enum class BurstRecipe {
  kGrey,             // stuck ball put back, some walls: all 33, at the ball
  kSandSpray,        // fast ball entering sand: all 33, 6 px below the ball
  kWaterSplashHard,  // ball falls into water: all 33, 6 px below the ball
  kWaterSplashSoft,  // ball rolls into water
  kGreen,            // blaster: all 33, at the ball
  kGrassPuffs,       // hard landing: records 28 ... 33, 6 px below the ball
  kRoughGrit,        // rough: six records from a random start 1 ... 23
};

// Fills particle records per `recipe` from the ball's position, direction,
// speed and fall speed.
void SpawnBurst(GameSession& session, BurstRecipe recipe, const playerrec& ball);

// The water splash that fits the ball: hard when it falls in faster than 1.
void SpawnWaterSplash(GameSession& session, const playerrec& ball);

// ---- Frame side ------------------------------------------------------------
// `screen` is the back surface, `course` the hole's image list (item 0 the
// course picture). Course positions are drawn at (x - scrollX, y - scrollY).

// Draws and advances every used course-effect slot, 50 down to 1 so that
// slot 1 ends on top: plain, additive (blend > 0) or subtractive (blend < 0)
// pattern frame div 4, the pulsing glow, then frame += substeps. At the end
// of the picture's patterns (or past frame 254) a looping slot starts again
// and any other slot is freed.
void UpdateCourseEffects(GameSession& session, TDirectDrawSurface& screen,
                         const TDXImageList& course);

// Moves, bounces, reflects off straight walls and draws every live particle.
void UpdateParticles(GameSession& session, TDirectDrawSurface& screen);

// Scatters the 40 drifting sprites over the screen (within the course's band
// when the course picture is less tall than the screen), images 5 and 6.
void ResetDrifters(GameSession& session, const TDirectDrawSurface& screen,
                   const TDXImageList& course);

// Floats the drifting sprites a third faster than the course scrolls, drifts
// them slowly down and right, wraps them at the edges and adds them onto the
// screen at full strength. Remembers the scroll for the next frame.
void UpdateDrifters(GameSession& session, TDirectDrawSurface& screen, const TDXImageList& course);

}  // namespace quendrix
