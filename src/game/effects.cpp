#include "game/effects.h"

#include <cmath>

#include "game/game_state.h"

namespace quendrix {

namespace {

constexpr int32_t kGreyColour = 0xC9C4AF;
constexpr int32_t kSandColour = 0xD6F4FF;
constexpr int32_t kWaterColour = 0xFDA461;
constexpr int32_t kGreenColour = 0x45CE64;
constexpr int32_t kGrassColour = 0x35EE6F;

// Direction arithmetic wraps like the 32-bit integers it is stored in.
int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

}  // namespace

void AddCourseEffect(GameSession& session, int32_t x, int32_t y, int32_t image, int32_t blend) {
  if (session.effectSlot < 1 || session.effectSlot > kEffectRingSlots) session.effectSlot = 1;
  courseEffect& e = session.courseEffects[session.effectSlot];
  e.x = x;
  e.y = y;
  e.image = image;
  e.blend = blend;
  e.looping = false;
  session.effectSlot = session.effectSlot >= kEffectRingSlots ? 1 : session.effectSlot + 1;
}

void ClearCourseEffects(GameSession& session) {
  for (courseEffect& e : session.courseEffects) e = courseEffect{};
  session.effectSlot = 1;
}

void ClearCourseEffectKeepFrame(GameSession& session, int32_t slot) {
  if (!OneBased<courseEffect, kCourseEffectSlots>::Contains(slot)) return;
  courseEffect& e = session.courseEffects[slot];
  e.x = 0;
  e.y = 0;
  e.image = 0;
  e.looping = false;
  e.blend = 0;
  e.pulse = 0;
}

void ResetParticles(GameSession& session) {
  for (Particle& p : session.particles) {
    p.active = false;
    p.bouncesLeft = 1;
    p.x = p.y = p.z = 0;
    p.rise = 0;
    p.colour = 0;
    p.groundDot = false;
    p.dotted = false;
  }
}

void SpawnBurst(GameSession& session, BurstRecipe recipe, const playerrec& ball) {
  Pcg32& rnd = session.visualRandom;
  int32_t first = 1, last = kParticleCount;
  if (recipe == BurstRecipe::kGrassPuffs) {
    first = 28;
  } else if (recipe == BurstRecipe::kRoughGrit) {
    first = rnd.RandomBelow(23) + 1;
    last = first + 5;
  }
  for (int32_t i = first; i <= last; ++i) {
    Particle& p = session.particles[i];
    p.active = true;
    p.groundDot = false;
    p.dotted = false;
    // Draws in the order heading, speed, rise for every record.
    switch (recipe) {
      case BurstRecipe::kGrey:
      case BurstRecipe::kRoughGrit: {
        const int32_t steps = recipe == BurstRecipe::kGrey ? 13 : 8;
        p.x = ball.x;
        p.y = ball.y;  // z keeps the height of whatever flew there before
        p.heading = rnd.RandomBelow(256);
        p.speed = rnd.RandomBelow(steps) / 3.0;
        p.rise = rnd.RandomBelow(steps) / 3.0;
        p.bouncesLeft = recipe == BurstRecipe::kGrey ? 3 : 1;
        p.colour = kGreyColour;
        break;
      }
      case BurstRecipe::kSandSpray:
        p.x = ball.x;
        p.y = ball.y + 6;
        p.z = 0;
        p.heading = Wrap(int64_t{ball.direction} + rnd.RandomBelow(100) - 50);
        p.speed = rnd.RandomBelow(250) / 100.0 + ball.speed + 3;
        p.rise = rnd.RandomBelow(150) / 100.0 + 2;
        p.bouncesLeft = 1;
        p.colour = kSandColour;
        p.groundDot = true;
        p.dotted = true;
        break;
      case BurstRecipe::kWaterSplashHard:
        p.x = ball.x;
        p.y = ball.y + 6;
        p.z = 0;
        p.heading = Wrap(int64_t{rnd.RandomBelow(256)} + ball.direction);
        p.speed = rnd.RandomBelow(250) / 100.0 + 2;
        p.rise = rnd.RandomBelow(150) / 100.0 + 5 + ball.fallSpeed;
        p.bouncesLeft = 1;
        p.colour = kWaterColour;
        break;
      case BurstRecipe::kWaterSplashSoft:
        p.x = ball.x;
        p.y = ball.y + 6;
        p.z = 0;
        p.heading = Wrap(int64_t{ball.direction} + rnd.RandomBelow(40) - 20);
        p.speed = rnd.RandomBelow(250) / 100.0 + ball.speed + 2;
        p.rise = rnd.RandomBelow(150) / 100.0 + 3;
        p.bouncesLeft = 1;
        p.colour = kWaterColour;
        break;
      case BurstRecipe::kGreen:
        p.x = ball.x;
        p.y = ball.y;
        p.heading = rnd.RandomBelow(256);
        p.speed = rnd.RandomBelow(6) + 2;
        p.rise = rnd.RandomBelow(6) + 2;
        p.bouncesLeft = 2;
        p.colour = kGreenColour;
        break;
      case BurstRecipe::kGrassPuffs:
        p.x = ball.x;
        p.y = ball.y + 6;
        p.z = 0;
        // 0 ... 359: after reduction the headings 0 ... 103 come up twice as often.
        p.heading = rnd.RandomBelow(360);
        p.speed = 2.95;
        p.rise = 0.75;
        p.bouncesLeft = 1;
        p.colour = kGrassColour;
        break;
    }
  }
}

void SpawnWaterSplash(GameSession& session, const playerrec& ball) {
  SpawnBurst(
      session,
      std::fabs(ball.fallSpeed) > 1 ? BurstRecipe::kWaterSplashHard : BurstRecipe::kWaterSplashSoft,
      ball);
}

}  // namespace quendrix
