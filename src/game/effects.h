// The data side of the course effects and particle bursts: how the physics
// and the rules start them. Updating and drawing them is the frame's job.
// Every random draw here comes from the visual stream: effects never change
// the game.
#pragma once

#include <cstdint>

namespace quendrix {

class GameSession;
struct playerrec;

// Writes image `image` with its top-left at course position (x, y) and blend
// `blend` (0 plain, > 0 additive, < 0 subtractive) into ring slot
// effectSlot, then advances effectSlot (after 30 comes 1). frame and pulse of
// the slot stay as they are.
void AddCourseEffect(GameSession& session, int32_t x, int32_t y, int32_t image, int32_t blend);

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

}  // namespace quendrix
