#include "game/effects.h"

#include <cmath>
#include <cstdlib>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/course_areas.h"
#include "game/game_state.h"
#include "game/list_items.h"
#include "media/surface.h"

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

// Ground marks under sand spray.
constexpr TColor kGroundDotColour = 0x0082CF;

// A glow fades in and out while pulse runs 4 ... 244 and stays dark while it
// runs 264 ... 984; past 1000 it starts over at 4: 13 lit frames in 50.
constexpr int32_t kPulseStep = 20;
constexpr int32_t kPulseEnd = 1000;
constexpr int32_t kPulseRestart = 4;

// Slots run their animation at most this far even with 64 patterns or more.
constexpr int32_t kLastFrame = 254;

void FreeSlot(courseEffect& e) {
  e.x = e.y = 0;
  e.image = 0;
  e.looping = false;
  e.blend = 0;
  e.pulse = 0;
}

// Width and height of the course picture (item 0); false without one.
bool CourseSize(const TDXImageList& course, int32_t& width, int32_t& height) {
  const TPictureCollectionItem* picture = ImageItem(course, HoleImage::kCourse);
  if (picture == nullptr) return false;
  width = picture->PatternWidth();
  height = picture->PatternHeight();
  return true;
}

int32_t Saturate(int64_t v) {
  if (v > INT32_MAX) return INT32_MAX;
  if (v < INT32_MIN) return INT32_MIN;
  return static_cast<int32_t>(v);
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

void UpdateCourseEffects(GameSession& session, TDirectDrawSurface& screen,
                         const TDXImageList& course) {
  for (int32_t slot = kCourseEffectSlots; slot >= 1; --slot) {
    courseEffect& e = session.courseEffects[slot];
    if (e.x == 0 && e.y == 0) continue;  // free
    const TPictureCollectionItem* item = ImageItem(course, e.image);
    if (item != nullptr) {
      const int32_t pattern = Div(e.frame, 4);
      const int32_t sx = Saturate(int64_t{e.x} - session.scrollX);
      const int32_t sy = Saturate(int64_t{e.y} - session.scrollY);
      const TRect r = Bounds(sx, sy, item->PatternWidth(), item->PatternHeight());
      if (e.blend == 0 && e.pulse == 0) item->DrawPattern(screen, sx, sy, pattern);
      if (e.blend < 0) item->DrawPatternSub(screen, r, pattern, Saturate(-int64_t{e.blend}));
      if (e.blend > 0) item->DrawPatternAdd(screen, r, pattern, e.blend);
      // The glow's strength rises 8 ... 248 and falls back while pulse
      // crosses 0 ... 255.
      if (e.pulse > 0 && e.pulse < 255)
        item->DrawPatternAlpha(screen, r, 0, 255 - std::abs(2 * e.pulse - 255));
    }
    if (e.pulse > 0) {
      e.pulse += kPulseStep;
      if (e.pulse > kPulseEnd) e.pulse = kPulseRestart;
    }
    e.frame = Saturate(int64_t{e.frame} + session.substeps);
    // A missing picture has no patterns: its slot ends (or restarts) at once.
    const int64_t patterns = item != nullptr ? item->PatternCount() : 0;
    if (e.frame >= 4 * patterns || e.frame > kLastFrame) {
      if (!e.looping) FreeSlot(e);
      e.frame = 0;
    }
  }
}

void UpdateParticles(GameSession& session, TDirectDrawSurface& screen) {
  // 0.003, 0.004 or 0.012 per frame at 1, 2 or 4 substeps.
  const int32_t dragDivisor = 5 - session.substeps;
  const double drag = dragDivisor > 0 ? 0.012 / dragDivisor : 0.012;
  TCanvas* canvas = nullptr;  // taken on the first particle drawn
  for (Particle& p : session.particles) {
    if (!p.active) continue;
    p.lastX = p.x;
    p.lastY = p.y;
    p.lastZ = p.z;
    // The ground is seen foreshortened to half height.
    p.x += BinCos(p.heading) * p.speed;
    p.y += BinSin(p.heading) * p.speed / 2;
    p.speed -= drag;
    if (p.speed < 0) p.speed = 0;
    p.z += p.rise;
    if (p.z < 0) {
      p.rise *= -0.75;
      p.z = 0;
      --p.bouncesLeft;
    }
    p.rise -= 0.5;
    if ((p.z == 0 && std::fabs(p.rise) < 0.5) || p.bouncesLeft < 1) {
      p.active = false;
      p.rise = p.z = p.x = p.y = 0;
      // A dead particle has nothing left to reflect or draw.
      continue;
    }

    // Straight walls mirror it about their face, every frame it lies within
    // their reach, in area order (two overlapping walls both turn it).
    const int32_t gx = Nearest(p.x), gy = Nearest(p.y);
    for (const arearec& a : session.areas) {
      if (!a.enabled || a.r >= 1 || a.x3 != 0 || a.x4 != 0 || !IsWallKind(a.kind)) continue;
      if (SegmentHit({a.x1, a.y1}, {a.x2, a.y2}, {gx, gy}))
        p.heading = Wrap(-int64_t{p.heading} - 2 * WallAngle(a.kind));
    }

    if (canvas == nullptr) canvas = &screen.Canvas();
    const int32_t sx = session.scrollX, sy = session.scrollY;
    const TColor colour = static_cast<TColor>(p.colour) & 0xFFFFFF;
    if (p.groundDot && p.dotted)
      canvas->SetPixel(Saturate(int64_t{gx} - sx), Saturate(int64_t{gy} - sy), kGroundDotColour);
    const int32_t hx = Saturate(int64_t{gx} - sx);
    const int32_t hy = Saturate(int64_t{Nearest(p.y - p.z)} - sy);
    if (p.dotted) {
      canvas->SetPixel(hx, hy, colour);
    } else {
      canvas->SetPenColor(colour);
      canvas->MoveTo(Saturate(int64_t{Nearest(p.lastX)} - sx),
                     Saturate(int64_t{Nearest(p.lastY - p.lastZ)} - sy));
      canvas->LineTo(hx, hy);
    }
  }
  if (canvas != nullptr) screen.ReleaseCanvas();
}

void ResetDrifters(GameSession& session, const TDirectDrawSurface& screen,
                   const TDXImageList& course) {
  Pcg32& rnd = session.visualRandom;
  const int32_t w = screen.Width(), h = screen.Height();
  int32_t courseW = 0, courseH = 0;
  const bool hasCourse = CourseSize(course, courseW, courseH);
  for (Drifter& d : session.drifters) {
    d.x = rnd.RandomBelow(w);
    d.y = rnd.RandomBelow(h);
    d.image = ItemIndex(HoleImage::kDrifter) + rnd.RandomBelow(2);
    // A short course sits centred on a black screen: keep to its band.
    if (hasCourse && courseH < h) d.y = rnd.RandomBelow(courseH) + (h - courseH) / 2;
  }
}

void UpdateDrifters(GameSession& session, TDirectDrawSurface& screen, const TDXImageList& course) {
  Pcg32& rnd = session.visualRandom;
  const int32_t w = screen.Width(), h = screen.Height();
  int32_t courseW = w, courseH = h;
  CourseSize(course, courseW, courseH);
  const int64_t moveX = int64_t{session.lastFrameScrollX} - session.scrollX;
  const int64_t moveY = int64_t{session.lastFrameScrollY} - session.scrollY;
  for (Drifter& d : session.drifters) {
    // A jump of more than 32 pixels (a recentring, a new hole) is not
    // followed; a small scroll carries the sprites a third further.
    if (std::llabs(moveX) <= 32)
      d.x = Saturate(int64_t{d.x} + rnd.RandomBelow(session.substeps + 1) + moveX * 4 / 3);
    if (std::llabs(moveY) <= 32)
      d.y = Saturate(int64_t{d.y} + rnd.RandomBelow(session.substeps + 1) + moveY * 4 / 3);
    if (courseH < h && int64_t{d.y} > int64_t{courseH} - session.scrollY - 8)
      d.y = Saturate(-int64_t{session.scrollY});
    if (courseW < w && int64_t{d.x} > int64_t{courseW} - session.scrollX - 8)
      d.x = Saturate(-int64_t{session.scrollX});
    if (d.x > w) d.x = 0;
    if (d.y > h) d.y = 0;
    if (d.x < 0) d.x = w;
    if (d.y < 0) d.y = h;
    const TPictureCollectionItem* item = ImageItem(course, d.image);
    if (rnd.RandomBelow(4) == 3) {
      ++d.frame;
      if (d.frame >= (item != nullptr ? item->PatternCount() : 0)) d.frame = 0;
    }
    if (item != nullptr)
      item->DrawPatternAdd(screen, Bounds(d.x, d.y, item->PatternWidth(), item->PatternHeight()),
                           d.frame, 255);
  }
  session.lastFrameScrollX = session.scrollX;
  session.lastFrameScrollY = session.scrollY;
}

}  // namespace quendrix
