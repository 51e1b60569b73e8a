// The course effect slots, the particles and the drifting sprites, driven a
// frame at a time on a memory surface with pictures made in the test.
#include "game/effects.h"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "core/angles.h"
#include "core/rounding.h"
#include "media/surface.h"
#include "test_support.h"

namespace quendrix {
namespace {

using testing::AddPicture;
using testing::Table;

constexpr TColor kGrey = MakeColor(128, 128, 128);

TColor PixelAt(const TDirectDrawSurface& screen, int32_t x, int32_t y) {
  return TDirectDrawSurface::FromRgb565(static_cast<uint16_t>(screen.RawPixel(x, y)));
}

// A 64 x 48 screen of one colour.
struct Screen {
  explicit Screen(TColor fill = kGrey) : surface(64, 48) {
    surface.FillRaw(TDirectDrawSurface::ToRgb565(fill));
  }
  TColor At(int32_t x, int32_t y) const { return PixelAt(surface, x, y); }
  TDirectDrawSurface surface;
};

// ---- course effect slots ---------------------------------------------------

TEST(CourseEffectRing, WrapsFrom30To1AndNeverTouchesTheFixedSlots) {
  Table t;
  GameSession& s = t.s();
  for (int32_t slot = 31; slot <= 50; ++slot) {
    courseEffect& e = s.courseEffects[slot];
    e.x = 1000 + slot;
    e.y = 7;
    e.image = slot;
    e.frame = 3;
    e.looping = true;
    e.blend = -5;
    e.pulse = 44;
  }
  for (int32_t n = 1; n <= 30; ++n) {
    EXPECT_EQ(s.effectSlot, n);
    AddCourseEffect(s, n, 2 * n, 3, 100);
  }
  EXPECT_EQ(s.effectSlot, 1);
  for (int32_t n = 1; n <= 30; ++n) EXPECT_EQ(s.courseEffects[n].x, n);

  // The 31st reuses slot 1 while it still animates: frame and pulse stay.
  s.courseEffects[1].frame = 12;
  s.courseEffects[1].pulse = 24;
  s.courseEffects[1].looping = true;
  AddCourseEffect(s, 500, 600, 13, -192);
  const courseEffect& first = s.courseEffects[1];
  EXPECT_EQ(first.x, 500);
  EXPECT_EQ(first.y, 600);
  EXPECT_EQ(first.image, 13);
  EXPECT_EQ(first.blend, -192);
  EXPECT_FALSE(first.looping);
  EXPECT_EQ(first.frame, 12);
  EXPECT_EQ(first.pulse, 24);
  EXPECT_EQ(s.effectSlot, 2);

  for (int n = 0; n < 100; ++n) AddCourseEffect(s, 9, 9, 9, 0);
  for (int32_t slot = 31; slot <= 50; ++slot) {
    const courseEffect& e = s.courseEffects[slot];
    EXPECT_EQ(e.x, 1000 + slot);
    EXPECT_EQ(e.image, slot);
    EXPECT_EQ(e.frame, 3);
    EXPECT_EQ(e.blend, -5);
    EXPECT_TRUE(e.looping);
  }
}

// One slot with a 4 x 4 picture of `colour` at course (20, 10) seen with
// scroll (4, 2), so on the screen at (16, 8).
struct OneSlot {
  explicit OneSlot(TColor colour, int32_t blend, TColor background = kGrey) : screen(background) {
    AddPicture(course, 2, 2, 1, {clRed});  // course picture
    AddPicture(course, 4, 4, 1, {colour});
    t.s().scrollX = 4;
    t.s().scrollY = 2;
    courseEffect& e = t.s().courseEffects[40];
    e.x = 20;
    e.y = 10;
    e.image = 1;
    e.looping = true;
    e.blend = blend;
  }
  courseEffect& slot() { return t.s().courseEffects[40]; }
  void Frame() { UpdateCourseEffects(t.s(), screen.surface, course); }
  Table t;
  TDXImageList course;
  Screen screen;
};

TEST(CourseEffectDrawing, BlendsOfEachSignReachTheSurfaceAtTheScrolledPlace) {
  {
    OneSlot plain(MakeColor(0, 252, 0), 0);
    plain.Frame();
    EXPECT_EQ(plain.screen.At(16, 8), MakeColor(0, 255, 0));
    EXPECT_EQ(plain.screen.At(19, 11), MakeColor(0, 255, 0));
    EXPECT_EQ(plain.screen.At(15, 8), plain.screen.At(0, 0));  // just left of it: untouched
    EXPECT_EQ(plain.screen.At(20, 8), plain.screen.At(0, 0));
  }
  const TColor background = Screen().At(0, 0);
  {
    // Additive at full strength: red saturates, the others keep the grey.
    OneSlot add(MakeColor(255, 0, 0), 255);
    add.Frame();
    EXPECT_EQ(RedOf(add.screen.At(17, 9)), 255);
    EXPECT_EQ(GreenOf(add.screen.At(17, 9)), GreenOf(background));
    EXPECT_EQ(add.screen.At(20, 9), background);
    // Weaker additive: brighter, but less so.
    OneSlot weak(MakeColor(255, 0, 0), 64);
    weak.Frame();
    EXPECT_GT(RedOf(weak.screen.At(17, 9)), RedOf(background));
    EXPECT_LT(RedOf(weak.screen.At(17, 9)), 220);
  }
  {
    // Subtractive of -blend: a white picture at full strength leaves black.
    OneSlot sub(clWhite, -255);
    sub.Frame();
    EXPECT_EQ(sub.screen.At(18, 10), clBlack);
    OneSlot shade(clWhite, -64);
    shade.Frame();
    const TColor c = shade.screen.At(18, 10);
    EXPECT_LT(RedOf(c), RedOf(background));
    EXPECT_GT(RedOf(c), 40);
  }
}

TEST(CourseEffectDrawing, AFreeSlotAtTheOriginIsNeverDrawnNorAdvanced) {
  OneSlot at0(clWhite, 0);
  at0.t.s().scrollX = at0.t.s().scrollY = 0;
  at0.slot().x = at0.slot().y = 0;
  at0.Frame();
  EXPECT_EQ(at0.screen.At(0, 0), Screen().At(0, 0));
  EXPECT_EQ(at0.slot().frame, 0);
  // On a line through the origin it is a used slot.
  at0.slot().y = 5;
  at0.Frame();
  EXPECT_EQ(at0.screen.At(0, 5), clWhite);
  EXPECT_EQ(at0.slot().frame, 1);
}

TEST(CourseEffectDrawing, PulseGlowsForThirteenFramesInFifty) {
  OneSlot glow(clWhite, 0, clBlack);
  glow.slot().pulse = 4;
  std::vector<int> lit;
  for (int frame = 0; frame < 100; ++frame) {
    glow.screen.surface.FillRaw(0);
    const int32_t pulse = glow.slot().pulse;
    glow.Frame();
    const TColor c = glow.screen.At(17, 9);
    const uint8_t red = RedOf(c);
    if (c != clBlack) lit.push_back(frame);
    if (pulse == 4) {
      EXPECT_LT(red, 16) << "faint at the start";
    }
    if (pulse == 124) {
      EXPECT_GT(red, 230) << "bright in the middle";
    }
  }
  // Pulses 4, 24 ... 244 show, 264 ... 984 do not; past 1000 it is 4 again.
  ASSERT_EQ(lit.size(), 26u);
  for (int k = 0; k < 13; ++k) {
    EXPECT_EQ(lit[static_cast<size_t>(k)], k);
    EXPECT_EQ(lit[static_cast<size_t>(13 + k)], 50 + k);
  }
}

TEST(CourseEffectAnimation, PatternIsFrameDivFourAndLoopsAtTheEnd) {
  Table t;
  TDXImageList course;
  AddPicture(course, 2, 2, 1, {clRed});
  const std::vector<TColor> colours = {MakeColor(255, 0, 0), MakeColor(0, 255, 0),
                                       MakeColor(0, 0, 255)};
  AddPicture(course, 2, 2, 3, colours);
  courseEffect& e = t.s().courseEffects[36];
  e.x = 10;
  e.y = 10;
  e.image = 1;
  e.looping = true;
  Screen screen;
  for (int frame = 0; frame < 30; ++frame) {
    UpdateCourseEffects(t.s(), screen.surface, course);
    EXPECT_EQ(screen.At(10, 10), colours[static_cast<size_t>((frame % 12) / 4)]) << frame;
  }
  EXPECT_EQ(e.x, 10);  // a looping slot stays
  EXPECT_EQ(e.frame, 30 % 12);
}

// Frames a one-shot effect lives: its slot is freed in the frame its clock
// reaches 4 x patterns (or passes 254).
int FramesAlive(int32_t patterns, int32_t substeps) {
  Table t;
  TDXImageList course;
  AddPicture(course, 2, 2, 1, {clRed});
  AddPicture(course, 1, 1, patterns, {clWhite});
  t.s().substeps = substeps;
  AddCourseEffect(t.s(), 30, 30, 1, 128);
  TDirectDrawSurface screen(40, 40);
  for (int frame = 1; frame < 1000; ++frame) {
    UpdateCourseEffects(t.s(), screen, course);
    const courseEffect& e = t.s().courseEffects[1];
    if (e.x == 0 && e.y == 0) {
      EXPECT_EQ(e.frame, 0);
      EXPECT_EQ(e.image, 0);
      EXPECT_EQ(e.blend, 0);
      return frame;
    }
  }
  return -1;
}

TEST(CourseEffectAnimation, AOneShotEffectEndsAfterItsPatterns) {
  EXPECT_EQ(FramesAlive(10, 1), 40);
  EXPECT_EQ(FramesAlive(10, 2), 20);
  EXPECT_EQ(FramesAlive(10, 4), 10);
  EXPECT_EQ(FramesAlive(1, 1), 4);
  // 64 patterns or more: the clock still stops past 254.
  EXPECT_EQ(FramesAlive(64, 1), 255);
  EXPECT_EQ(FramesAlive(100, 1), 255);
  EXPECT_EQ(FramesAlive(100, 4), 64);
}

TEST(CourseEffectAnimation, AMissingPictureDrawsNothingAndEnds) {
  Table t;
  TDXImageList course;
  AddPicture(course, 2, 2, 1, {clRed});
  AddCourseEffect(t.s(), 5, 5, 14, 255);  // the list has no item 14
  t.s().courseEffects[45] = courseEffect{5, 5, -3, 0, true, 0, 0};
  Screen screen;
  const TColor before = screen.At(5, 5);
  UpdateCourseEffects(t.s(), screen.surface, course);
  EXPECT_EQ(screen.At(5, 5), before);
  EXPECT_EQ(t.s().courseEffects[1].x, 0);
  EXPECT_EQ(t.s().courseEffects[45].x, 5);  // looping: kept, clock back at 0
  EXPECT_EQ(t.s().courseEffects[45].frame, 0);
}

TEST(CourseEffectDrawing, SlotOneEndsOnTop) {
  Table t;
  TDXImageList course;
  AddPicture(course, 2, 2, 1, {clRed});
  AddPicture(course, 4, 4, 1, {MakeColor(0, 255, 0)});
  AddPicture(course, 4, 4, 1, {MakeColor(0, 0, 255)});
  t.s().courseEffects[50] = courseEffect{8, 8, 1, 0, true, 0, 0};
  t.s().courseEffects[1] = courseEffect{8, 8, 2, 0, true, 0, 0};
  Screen screen;
  UpdateCourseEffects(t.s(), screen.surface, course);
  EXPECT_EQ(screen.At(9, 9), MakeColor(0, 0, 255));
}

// ---- particles ------------------------------------------------------------

Particle Thrown(double x, double y, double z, int32_t heading, double speed, double rise,
                int32_t bounces) {
  Particle p;
  p.active = true;
  p.x = x;
  p.y = y;
  p.z = z;
  p.heading = heading;
  p.speed = speed;
  p.rise = rise;
  p.bouncesLeft = bounces;
  p.colour = static_cast<int32_t>(clWhite);
  return p;
}

TEST(Particles, ThrownFlatOnTheGroundSurvivesOneUpdateAndDiesOnTheSecond) {
  Table t;
  Screen screen;
  t.s().particles[5] = Thrown(30, 20, 0, 0, 0, 0, 1);
  UpdateParticles(t.s(), screen.surface);
  const Particle& p = t.s().particles[5];
  ASSERT_TRUE(p.active);
  EXPECT_EQ(p.rise, -0.5);
  UpdateParticles(t.s(), screen.surface);
  EXPECT_FALSE(p.active);
  EXPECT_EQ(p.bouncesLeft, 0);
  EXPECT_EQ(p.x, 0);
  EXPECT_EQ(p.y, 0);
  EXPECT_EQ(p.z, 0);
  EXPECT_EQ(p.rise, 0);
}

// Counts the ground contacts of particle 1 until it dies.
int GroundContacts(Table& t, TDirectDrawSurface& screen, int* frames = nullptr) {
  int contacts = 0, frame = 0;
  Particle& p = t.s().particles[1];
  for (; frame < 2000 && p.active; ++frame) {
    const int32_t before = p.bouncesLeft;
    UpdateParticles(t.s(), screen);
    if (p.bouncesLeft < before) ++contacts;
  }
  if (frames != nullptr) *frames = frame;
  return contacts;
}

TEST(Particles, BounceTheGivenNumberOfTimesAndEnd) {
  TDirectDrawSurface screen(64, 48);
  for (int32_t bounces : {1, 2, 3}) {
    Table t;
    t.s().particles[1] = Thrown(10, 10, 100, 0, 0.5, 0, bounces);
    double peakAfterFirst = 0;
    Particle& p = t.s().particles[1];
    int contacts = 0;
    for (int frame = 0; frame < 2000 && p.active; ++frame) {
      const int32_t before = p.bouncesLeft;
      UpdateParticles(t.s(), screen);
      if (p.bouncesLeft < before) ++contacts;
      if (contacts == 1 && p.active) peakAfterFirst = std::max(peakAfterFirst, p.z);
    }
    EXPECT_FALSE(p.active);
    EXPECT_EQ(contacts, bounces);
    // From 100 px it lands at about 5 px per frame and springs back up.
    if (bounces > 1) {
      EXPECT_GT(peakAfterFirst, 20.0);
    }
  }
  // A slow particle stops bouncing early when it no longer lifts off.
  Table t;
  t.s().particles[1] = Thrown(10, 10, 0, 0, 0, 1.0, 50);
  EXPECT_LT(GroundContacts(t, screen), 50);
  EXPECT_FALSE(t.s().particles[1].active);
}

TEST(Particles, FlyForeshortenedAndSlowDownBySubsteps) {
  TDirectDrawSurface screen(64, 48);
  for (int32_t substeps : {1, 2, 4}) {
    Table t;
    t.s().substeps = substeps;
    t.s().particles[1] = Thrown(100, 100, 50, 32, 2.0, 0, 3);  // down and right
    UpdateParticles(t.s(), screen);
    const Particle& p = t.s().particles[1];
    EXPECT_DOUBLE_EQ(p.x, 100 + BinCos(32) * 2.0);
    EXPECT_DOUBLE_EQ(p.y, 100 + BinSin(32) * 2.0 / 2);
    EXPECT_EQ(p.lastX, 100);
    EXPECT_EQ(p.lastZ, 50);
    const double drag = substeps == 1 ? 0.003 : substeps == 2 ? 0.004 : 0.012;
    EXPECT_NEAR(p.speed, 2.0 - drag, 1e-12);
    EXPECT_EQ(p.z, 50);
    EXPECT_EQ(p.rise, -0.5);
  }
}

TEST(Particles, DrawAStreakADotOrADotWithItsGroundMark) {
  Table t;
  t.s().scrollX = 100;
  t.s().scrollY = 200;
  Screen screen(clBlack);
  // A streak from (110, 230 - 10) to (120, 230 - 10) on the course, heading 0 at speed 10.
  Particle streak = Thrown(110, 230, 10, 0, 10.003, 0.5, 3);
  streak.colour = static_cast<int32_t>(MakeColor(255, 0, 0));
  t.s().particles[1] = streak;
  // A dot at height 5 over a ground mark.
  Particle dot = Thrown(140, 240, 5.5, 0, 0, 0.5, 1);
  dot.colour = static_cast<int32_t>(MakeColor(0, 255, 0));
  dot.dotted = true;
  dot.groundDot = true;
  t.s().particles[2] = dot;
  UpdateParticles(t.s(), screen.surface);
  // Streak: from the old place up to (not including) the new one.
  for (int32_t x = 10; x < 20; ++x) EXPECT_EQ(screen.At(x, 20), MakeColor(255, 0, 0)) << x;
  EXPECT_EQ(screen.At(20, 20), clBlack);
  // Dot at (x, y - z), z = 6 after this frame; ground mark at (x, y).
  EXPECT_EQ(screen.At(40, 34), MakeColor(0, 255, 0));
  EXPECT_EQ(screen.At(40, 40), TDirectDrawSurface::FromRgb565(
                                   TDirectDrawSurface::ToRgb565(MakeColor(0xCF, 0x82, 0x00))));
  EXPECT_FALSE(screen.surface.CanvasInUse());
}

TEST(Particles, StraightWallsReflectThemEveryFrameTheyStayInReach) {
  TDirectDrawSurface screen(64, 48);
  Table t;
  t.Load(testing::AreaText(1, "kind=2 x1=120 y1=0 x2=120 y2=400") +
         testing::AreaText(2, "kind=4 x1=0 y1=300 x2=400 y2=300") +
         testing::AreaText(3, "kind=2 r=30 x1=100 y1=150"));  // round: never reflects
  t.s().particles[1] = Thrown(113, 100, 50, 0, 4, 0, 3);
  Particle& p = t.s().particles[1];
  UpdateParticles(t.s(), screen);  // now at 117, within 4 of the wall
  EXPECT_EQ(p.heading, -128);
  p.speed = 0.5;
  UpdateParticles(t.s(), screen);  // still within reach: turned back again
  EXPECT_EQ(p.heading, 0);

  // Horizontal wall: -heading.
  t.s().particles[2] = Thrown(50, 294, 50, 64, 4, 0, 3);
  UpdateParticles(t.s(), screen);
  EXPECT_EQ(Mod256(t.s().particles[2].heading), 192);

  // Inside the round area nothing turns; a disabled wall lets it through.
  t.s().particles[3] = Thrown(100, 150, 50, 10, 0.2, 0, 3);
  UpdateParticles(t.s(), screen);
  EXPECT_EQ(t.s().particles[3].heading, 10);
  t.s().areas[1].enabled = false;
  t.s().particles[4] = Thrown(113, 100, 50, 0, 4, 0, 3);
  UpdateParticles(t.s(), screen);
  EXPECT_EQ(t.s().particles[4].heading, 0);
}

TEST(Particles, EachWallKindTurnsTheHeadingItsOwnWay) {
  struct Case {
    int kind;
    int32_t expected;  // for heading 10
  } cases[] = {{1, -48}, {2, -138}, {3, -228}, {4, -10}, {6, -74}, {7, -202}, {8, 10}, {5, 10}};
  TDirectDrawSurface screen(64, 48);
  for (const Case& c : cases) {
    Table t;
    t.Load(testing::AreaText(7, "kind=" + std::to_string(c.kind) + " x1=50 y1=0 x2=50 y2=400"));
    t.s().particles[9] = Thrown(50, 100, 30, 10, 0.1, 0, 3);
    UpdateParticles(t.s(), screen);
    EXPECT_EQ(t.s().particles[9].heading, c.expected) << "kind " << c.kind;
  }
}

TEST(Particles, AGreyBurstInTheAirKeepsTheHeightOfThoseItReplaces) {
  Table t;
  for (Particle& p : t.s().particles) p = Thrown(0, 0, 37, 0, 0, 0, 3);
  t.Place(1, 200, 100);
  SpawnBurst(t.s(), BurstRecipe::kGrey, t.ball());
  for (const Particle& p : t.s().particles) {
    EXPECT_EQ(p.z, 37);
    EXPECT_EQ(p.x, 200);
    EXPECT_EQ(p.bouncesLeft, 3);
  }
}

// ---- drifting sprites ----------------------------------------------------

struct DriftHole {
  DriftHole(int32_t courseW, int32_t courseH) : screen(64, 48) {
    AddPicture(course, courseW, courseH, 1, {MakeColor(0, 64, 0)});
    for (int i = 1; i <= 4; ++i) AddPicture(course, 1, 1, 1, {clWhite});
    AddPicture(course, 2, 2, 3, {MakeColor(40, 0, 0), MakeColor(80, 0, 0), MakeColor(120, 0, 0)});
    AddPicture(course, 3, 3, 2, {MakeColor(0, 0, 80)});
  }
  Table t;
  TDXImageList course;
  TDirectDrawSurface screen;
};

TEST(Drifters, ResetScattersThemOverTheScreenOrTheCourseBand) {
  DriftHole big(200, 200);
  ResetDrifters(big.t.s(), big.screen, big.course);
  bool sawFive = false, sawSix = false;
  for (const Drifter& d : big.t.s().drifters) {
    EXPECT_GE(d.x, 0);
    EXPECT_LT(d.x, 64);
    EXPECT_GE(d.y, 0);
    EXPECT_LT(d.y, 48);
    EXPECT_TRUE(d.image == 5 || d.image == 6);
    sawFive |= d.image == 5;
    sawSix |= d.image == 6;
  }
  EXPECT_TRUE(sawFive && sawSix);
  // A course 20 px tall sits centred on the 48 px screen: rows 14 ... 33.
  DriftHole flat(200, 20);
  ResetDrifters(flat.t.s(), flat.screen, flat.course);
  for (const Drifter& d : flat.t.s().drifters) {
    EXPECT_GE(d.y, 14);
    EXPECT_LT(d.y, 34);
  }
}

TEST(Drifters, MoveAThirdFasterThanTheCourseAndDriftDownAndRight) {
  DriftHole h(300, 300);
  GameSession& s = h.t.s();
  s.substeps = 2;
  for (Drifter& d : s.drifters) d = Drifter{30, 20, 5, 0};
  s.lastFrameScrollX = 100;
  s.lastFrameScrollY = 100;
  s.scrollX = 109;  // the course moved 9 px left on the screen
  s.scrollY = 94;   // and 6 px down
  UpdateDrifters(s, h.screen, h.course);
  for (const Drifter& d : s.drifters) {
    EXPECT_GE(d.x, 30 - 12);
    EXPECT_LE(d.x, 30 - 12 + 2);
    EXPECT_GE(d.y, 20 + 8);
    EXPECT_LE(d.y, 20 + 8 + 2);
  }
  EXPECT_EQ(s.lastFrameScrollX, 109);
  EXPECT_EQ(s.lastFrameScrollY, 94);
  // A jump of more than 32 px is not followed at all.
  for (Drifter& d : s.drifters) d = Drifter{30, 20, 5, 0};
  s.scrollX = 300;
  s.scrollY = 94 + 33;
  UpdateDrifters(s, h.screen, h.course);
  for (const Drifter& d : s.drifters) {
    EXPECT_EQ(d.x, 30);
    EXPECT_EQ(d.y, 20);
  }
}

TEST(Drifters, WrapAtTheScreenEdgesAndWithinAShortCourse) {
  DriftHole h(300, 300);
  GameSession& s = h.t.s();
  s.drifters[1] = Drifter{70, 10, 5, 0};
  s.drifters[2] = Drifter{10, -3, 5, 0};
  s.scrollX = s.lastFrameScrollX = 5;
  s.scrollY = s.lastFrameScrollY = 5;
  s.scrollX = 0;  // the course moved 5 px right: the sprites go 6 px right
  UpdateDrifters(s, h.screen, h.course);
  EXPECT_EQ(s.drifters[1].x, 0);   // past the right edge: back at the left
  EXPECT_EQ(s.drifters[2].y, 48);  // above the top: at the bottom

  // On a course 20 px tall centred at scrollY -14 the sprites wrap to the top of its band.
  DriftHole flat(300, 20);
  GameSession& f = flat.t.s();
  f.scrollY = f.lastFrameScrollY = -14;
  f.drifters[3] = Drifter{10, 27, 5, 0};
  UpdateDrifters(f, flat.screen, flat.course);
  EXPECT_EQ(f.drifters[3].y, 14);
}

TEST(Drifters, AnimateOneFrameInFourAndAddOntoTheScreen) {
  DriftHole h(300, 300);
  GameSession& s = h.t.s();
  for (Drifter& d : s.drifters) d = Drifter{40, 30, 5, 0};
  int steps = 0;
  const int frames = 400;
  std::vector<int32_t> last(kDrifterCount, 0);
  for (int frame = 0; frame < frames; ++frame) {
    s.scrollX = s.lastFrameScrollX;
    s.scrollY = s.lastFrameScrollY;
    for (Drifter& d : s.drifters) {
      d.x = 40;
      d.y = 30;
    }
    UpdateDrifters(s, h.screen, h.course);
    for (int32_t i = 1; i <= kDrifterCount; ++i) {
      const int32_t f = s.drifters[i].frame;
      EXPECT_GE(f, 0);
      EXPECT_LT(f, 3);
      if (f != last[static_cast<size_t>(i - 1)]) ++steps;
      last[static_cast<size_t>(i - 1)] = f;
    }
  }
  // One in four: about 4000 of 16000 sprite frames.
  EXPECT_GT(steps, 3400);
  EXPECT_LT(steps, 4600);
  // Additive: the red sprites pile up where they all stand.
  h.screen.FillRaw(0);
  UpdateDrifters(s, h.screen, h.course);
  const TColor c = PixelAt(h.screen, s.drifters[1].x, s.drifters[1].y);
  EXPECT_EQ(RedOf(c), 255);
}

TEST(Drifters, DrawOnlyFromTheVisualStream) {
  DriftHole h(300, 300);
  GameSession& s = h.t.s();
  const uint64_t play = s.playRandom.State();
  const uint64_t visual = s.visualRandom.State();
  ResetDrifters(s, h.screen, h.course);
  for (int frame = 0; frame < 10; ++frame) UpdateDrifters(s, h.screen, h.course);
  EXPECT_EQ(s.playRandom.State(), play);
  EXPECT_NE(s.visualRandom.State(), visual);
}

}  // namespace
}  // namespace quendrix
