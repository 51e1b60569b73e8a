#include "game/course_areas.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "core/angles.h"
#include "core/rounding.h"
#include "game/collisions.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/play_texts.h"

namespace quendrix {

namespace {

using enum AreaKind;

int32_t Wrap(int64_t v) {
  return static_cast<int32_t>(static_cast<uint32_t>(v));
}

// A point in course pixels, in doubles: exact for any course coordinates
// and the products below free of overflow.
struct Spot {
  double x, y;
};

// Cross product of the edge a -> b with the point p seen from b.
double Cross(Spot a, Spot b, Spot p) {
  return (b.x - a.x) * (p.y - b.y) - (b.y - a.y) * (p.x - b.x);
}

// Inside when the four cross products are all >= 0 or all <= 0, that is when
// no two of them have strictly opposite signs; most points far away fail on
// the first two edges.
bool QuadHitD(Spot a, Spot b, Spot c, Spot d, Spot p) {
  const double c1 = Cross(a, b, p);
  const double c2 = Cross(b, c, p);
  bool positive = c1 > 0 || c2 > 0;
  bool negative = c1 < 0 || c2 < 0;
  if (positive && negative) return false;
  const double c3 = Cross(c, d, p);
  positive = positive || c3 > 0;
  negative = negative || c3 < 0;
  if (positive && negative) return false;
  const double c4 = Cross(d, a, p);
  positive = positive || c4 > 0;
  negative = negative || c4 < 0;
  if (positive && negative) return false;
  if (positive || negative) return true;
  // All four zero: the corners lie on one line (or on one point) and so does
  // the ball. Such a flat shape holds only what lies between its corners,
  // not the whole line through them across the course.
  return p.x >= std::min({a.x, b.x, c.x, d.x}) && p.x <= std::max({a.x, b.x, c.x, d.x}) &&
         p.y >= std::min({a.y, b.y, c.y, d.y}) && p.y <= std::max({a.y, b.y, c.y, d.y});
}

Spot ToSpot(TPoint p) {
  return {static_cast<double>(p.x), static_cast<double>(p.y)};
}

void SetTicker(GameSession& s, size_t spaces, std::string_view text) {
  s.tickerPos = 0;
  s.tickerText.assign(spaces, ' ');
  s.tickerText += text;
}

// The hop over a cup or a pipe entrance taken too fast.
void Hop(GameSession& s, playerrec& b) {
  SetTicker(s, 27, Text(PlayText::kTooFast));
  s.tickerText.push_back('\0');
  s.tickerText.push_back('\0');
  b.fallSpeed = b.speed / 1.75;
  b.direction = Wrap(int64_t{b.direction} + s.playRandom.RandomBelow(16) - 8);
  b.airborne = true;
}

void RampPush(playerrec& b, int32_t code, int32_t direction) {
  b.rampCode = code;
  b.pushDirection = direction;
  b.pushSpeed = std::min(0.014 * b.speed, 0.031);
  if (b.pushSpeed < 0.017) b.pushSpeed = 0.017;
  b.lastArea = -1;
}

void Capture(GameSession& s, playerrec& b, bool& flag, int32_t area) {
  s.Sound(EffectSound::kCupIn);
  flag = true;
  b.rideArea = area;
  if (b.speed > 0.75) b.speed = 0.75;
}

// Drops the ball out of a pipe mouth at (x2, y2) from height |y3 - y2| along
// the arrow from (x3, y3) to (x4, y4); `scatter` lands it a few pixels off.
void PipeExit(GameSession& s, playerrec& b, const arearec& a, bool scatter) {
  b.x = a.x2;
  b.y = a.y2;
  if (scatter) {
    const int32_t angle = s.playRandom.RandomBelow(256);
    const int32_t d = s.playRandom.RandomBelow(12) + 4;
    b.x += BinCos(angle) * d;
    b.y += BinSin(angle) * d * 0.5;
  }
  b.direction = BinAngle(static_cast<double>(a.x4) - a.x3, static_cast<double>(a.y4) - a.y3);
  b.speed = PlainDistance(a.x3, a.y3, a.x4, a.y4) / 50.0;
  if (b.speed > 2) b.speed = 2.0;
  b.z = std::fabs(static_cast<double>(a.y3) - a.y2);
  b.airborne = true;
}

void PipeFlash(GameSession& s, const playerrec& b) {
  AddCourseEffect(s, Wrap(int64_t{Nearest(b.x)} - 17),
                  Wrap(int64_t{Nearest(b.y)} - 28 - Nearest(b.z)), HoleImage::kFlash, 255);
}

// Launchers (popper, blaster, catapult) throw the ball up high.
void Launch(playerrec& b, double speed) {
  b.airborne = true;
  b.speed = speed;
  b.fallSpeed = 6.0;
  b.lastArea = -1;
  b.moving = true;
}

// A decimal image number written in an area's comment; false when the
// comment holds anything else.
bool ParseImageNumber(std::string_view text, int32_t& value) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return false;
  int32_t v = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return false;
    v = v * 10 + (c - '0');
  }
  value = v;
  return true;
}

void Rough(GameSession& s, playerrec& b, const arearec& a) {
  if (b.speed > 2) b.speed = 0.94 * b.speed;
  b.airborne = true;
  if (std::fabs(b.fallSpeed) < 0.5) b.fallSpeed = s.playRandom.RandomBelow(8) / 10.0;
  b.direction = Mod256(Wrap(int64_t{b.direction} + 2 - s.playRandom.RandomBelow(4)));
  b.lastArea = -1;
  b.moving = true;
  SpawnBurst(s, BurstRecipe::kRoughGrit, b);
  const int32_t ex = Wrap(int64_t{Nearest(b.x)} - s.visualRandom.RandomBelow(22));
  const int32_t ey = Wrap(int64_t{Nearest(b.y)} - s.visualRandom.RandomBelow(22) - 10);
  AddCourseEffect(s, ex, ey, HoleImage::kDust, 128);
  // A comment that is no image number has nothing to show: that effect is
  // skipped rather than shown with a made-up image.
  int32_t image = 0;
  if (a.p1 != 0 && a.p2 != 0 && ParseImageNumber(a.comment, image))
    AddCourseEffect(s, a.p1, a.p2, image, 0);
  if (s.soundOn)
    s.Sound(s.visualRandom.RandomBelow(10) > 5 ? EffectSound::kRough2 : EffectSound::kRough);
}

void BonusStroke(GameSession& s, playerrec& b, arearec& a) {
  a.enabled = false;
  // Slots 36 and 37 belong to the hole animations; the flash replaces them.
  ClearCourseEffectKeepFrame(s, 36);
  ClearCourseEffectKeepFrame(s, 37);
  s.effectSlot = 1;
  const int32_t ex = Wrap(int64_t{Nearest(b.x)} - 80);
  const int32_t ey = Wrap(int64_t{Nearest(b.y)} - 62);
  AddCourseEffect(s, ex, ey, HoleImage::kBonusFlash, 255);
  AddCourseEffect(s, ex, ey, HoleImage::kBonusFlash, -192);
  SetTicker(s, 19, Text(PlayText::kExtraStroke));
  --b.strokes;
  --b.totalStrokes;
  b.fallSpeed = 3.0;
  b.airborne = true;
  s.Sound(EffectSound::kBonus);
  s.bonusStrokeTaken = false;
  s.bonusStrokeUsed = true;
  s.bannerText = Text(PlayText::kOneMoreStroke);
  s.bannerFade = 255;
}

void Wall(GameSession& s, int32_t player, int32_t area, int32_t wallAngle) {
  playerrec& b = s.players[player];
  if (area == b.lastArea) return;
  WallRebound(s, wallAngle, player);
  b.lastArea = area;
  const arearec& a = s.areas[area];
  if ((a.kind == kWall19 || a.kind == kWall109) && a.p1 == 1) {
    s.Sound(EffectSound::kStuck);
    SpawnBurst(s, BurstRecipe::kGrey, b);
  }
}

// ---- What each family of kinds does ----------------------------------------

// The cup and a pipe entrance: a slow ball on the ground drops in, a fast one
// hops over.
void DropIn(GameSession& s, playerrec& b, int32_t i) {
  const arearec& a = s.areas[i];
  if (a.kind == kCup) {
    if (b.speed > 2 && b.z < 4) {
      Hop(s, b);
      if (s.soundOn && s.visualRandom.RandomBelow(10) < 7) s.Sound(EffectSound::kHop);
    } else if (!b.inCup && !b.airborne) {
      Capture(s, b, b.inCup, i);
    }
    return;
  }
  // Over a pipe entrance a fast ball hops, silently and at any height.
  if (b.speed > 2) {
    Hop(s, b);
  } else if (!b.inPipe && !b.airborne) {
    Capture(s, b, b.inPipe, i);
  }
}

// Ramps, slopes and the funnel push the ball downhill.
void PushDownhill(playerrec& b, const arearec& a) {
  if (IsRampKind(a.kind)) {
    const bool west = a.kind == kRampWest || a.kind == kRampWestFlat;
    RampPush(b, west ? -13 : 13, PushDirection(a.kind));
  } else if (IsSlopeKind(a.kind)) {
    b.pushDirection = PushDirection(a.kind);
    b.pushSpeed = 0.025;
    b.lastArea = -1;
  } else if (!b.airborne && !b.inCup) {  // the funnel, towards its centre
    b.pushDirection = BinAngle(a.x1, a.y1, Nearest(b.x), Nearest(b.y));
    b.pushSpeed = 0.025 * b.speed + 0.025;
    b.lastArea = -1;
  }
}

void Springboard(GameSession& s, playerrec& b, const arearec& a) {
  if (b.z >= 4) return;
  b.airborne = true;
  if (a.p3 != 0) b.direction = Wrap(int64_t{a.p3} - s.playRandom.RandomBelow(16));
  b.fallSpeed = 6.0;
  b.speed += 0.25;
  b.lastArea = -1;
  b.moving = true;
  if (a.kind == kSpringboard) {
    SetTicker(s, 27, Text(PlayText::kSpringboard));
  } else {
    SetTicker(s, 27, Text(PlayText::kFan));
  }
  if (a.p1 != 0) AddCourseEffect(s, a.p1, a.p2, a.p4, 0);
  s.Sound(a.kind == kSpringboard ? EffectSound::kSpringboard : EffectSound::kPopper);
}

// Popper, springboards, blaster, kicker and catapult throw the ball up.
void Launcher(GameSession& s, playerrec& b, const arearec& a) {
  switch (a.kind) {
    case kPopper:
      if (!b.inCup && b.z < 2) {
        b.direction = s.playRandom.RandomBelow(360);  // 256 ... 359 act as 0 ... 103
        Launch(b, 1.5);
        AddCourseEffect(s, Wrap(int64_t{a.x1} - 27), Wrap(int64_t{a.y1} - 147), HoleImage::kBurst,
                        192);
        s.Sound(EffectSound::kPopper);
      }
      break;
    case kBlaster:
      if (!b.inCup && b.z < 4) {
        b.direction = Wrap(int64_t{b.direction} - (s.playRandom.RandomBelow(128) + 64));
        Launch(b, 3.0);
        SpawnBurst(s, BurstRecipe::kGreen, b);
        AddCourseEffect(s, Wrap(int64_t{Nearest(b.x)} - 55), Wrap(int64_t{Nearest(b.y)} - 65),
                        HoleImage::kBurst, 192);
        s.Sound(EffectSound::kBlaster);
      }
      break;
    case kKicker:
      if (!b.airborne && b.speed > 3.5) {
        b.speed = 4.5;
        b.fallSpeed = 12.0;
        b.airborne = true;
      }
      break;
    case kCatapult:
      if (!b.airborne) {
        b.direction = 192 - s.playRandom.RandomBelow(64);
        Launch(b, 3.0);
        SetTicker(s, 27, Text(PlayText::kRoadWorker));
        AddCourseEffect(s, 1006, 71, HoleImage::kDust, 0);
        s.BackgroundSound(HoleSound::kArea);
      }
      break;
    default:  // the two springboards
      Springboard(s, b, a);
      break;
  }
}

// Sand slows the ball, water takes it, rough now and then shakes it.
void Ground(GameSession& s, playerrec& b, const arearec& a) {
  switch (a.kind) {
    case kSand:
      if (b.z < 0.5) b.onSand = true;
      break;
    case kWater:
      if (b.z < 1 && !b.lost) {
        s.Sound(EffectSound::kWater);
        s.respawnX = a.p1;
        s.respawnY = a.p2;
        b.lost = true;
        SpawnWaterSplash(s, b);
        b.z = 0;
        b.fallSpeed = 0;
      }
      break;
    default:  // rough
      if (s.playRandom.RandomBelow(8) == 0) Rough(s, b, a);
      break;
  }
}

// The two pipe exits throw the ball out: one with a flash and a few pixels
// off its mark, one plainly.
void PipeOut(GameSession& s, playerrec& b, const arearec& a) {
  if (a.kind == kPipeExit) {
    PipeExit(s, b, a, false);
    return;
  }
  PipeFlash(s, b);
  PipeExit(s, b, a, true);
  PipeFlash(s, b);
  s.recentre = true;
  s.Sound(EffectSound::kPutBack);
}

// Areas that change something once the ball is in them: the next hole's
// name, the highlight, a ledge's drop, the extra stroke, a switch, a
// one-shot sound.
void Trigger(GameSession& s, playerrec& b, int32_t i) {
  arearec& a = s.areas[i];
  switch (a.kind) {
    case kNextHoleText:
      // Only p1 = 0 names the next hole; any other value (1 ... 4 in the
      // holes, anything at all in a broken file) changes nothing.
      if (a.p1 == 0) s.nextHoleName = a.comment;
      break;
    case kHighlight:
      b.highlight = std::max(b.highlight, a.p1);
      break;
    case kLedge:
      if (i != b.lastArea) {
        b.z += a.p1;
        b.y += a.p1;
        b.prevX = b.x;
        b.prevY = b.y;
        b.airborne = true;
        b.lastArea = i;
      }
      break;
    case kBonusStroke:
      BonusStroke(s, b, a);
      break;
    case kSwitch:
      // An area number outside 1 ... 99 switches nothing.
      if (OneBased<arearec, kMaxAreas>::Contains(a.p1)) s.areas[a.p1].enabled = true;
      break;
    default:  // the one-shot
      if (!b.airborne) {
        a.enabled = false;
        s.BackgroundSound(HoleSound::kArea);
      }
      break;
  }
}

// The effect of area `i` on a ball inside it, by the family of its kind;
// kinds the game does not know do nothing.
void ApplyArea(GameSession& s, int32_t player, int32_t i) {
  playerrec& b = s.players[player];
  const arearec& a = s.areas[i];
  switch (a.kind) {
    case kWall19:
    case kWall64:
    case kWall109:
    case kWall0:
    case kWall32:
    case kWall96:
      Wall(s, player, i, WallAngle(a.kind));
      break;
    case kCup:
    case kPipeEntrance:
      DropIn(s, b, i);
      break;
    case kPopper:
    case kSpringboard:
    case kSpringboard2:
    case kBlaster:
    case kKicker:
    case kCatapult:
      Launcher(s, b, a);
      break;
    case kSand:
    case kWater:
    case kRough:
      Ground(s, b, a);
      break;
    case kPipeExitFx:
    case kPipeExit:
      PipeOut(s, b, a);
      break;
    case kNextHoleText:
    case kHighlight:
    case kLedge:
    case kBonusStroke:
    case kSwitch:
    case kOneShot:
      Trigger(s, b, i);
      break;
    default:
      if (IsRampKind(a.kind) || IsSlopeKind(a.kind) || a.kind == kFunnel) PushDownhill(b, a);
      break;
  }
}

}  // namespace

Quad AreaQuad(const arearec& a) {
  return {{{a.x1, a.y1}, {a.x2, a.y2}, {a.x3, a.y3}, {a.x4, a.y4}}};
}

bool QuadHit(const Quad& q, TPoint p) {
  return QuadHitD(ToSpot(q[0]), ToSpot(q[1]), ToSpot(q[2]), ToSpot(q[3]), ToSpot(p));
}

bool SegmentHit(TPoint from, TPoint to, TPoint p) {
  // Outside the ends' box grown by the band's half width nothing can hit;
  // this skips the angle and both distances for far-away balls. (A segment
  // of zero length is a degenerate band and takes the full test.)
  const int64_t margin = 5;
  if (from.x != to.x || from.y != to.y) {
    if (int64_t{p.x} < int64_t{std::min(from.x, to.x)} - margin ||
        int64_t{p.x} > int64_t{std::max(from.x, to.x)} + margin ||
        int64_t{p.y} < int64_t{std::min(from.y, to.y)} - margin ||
        int64_t{p.y} > int64_t{std::max(from.y, to.y)} + margin)
      return false;
  }
  const int32_t a = BinAngle(from.x, from.y, to.x, to.y);
  const double mx = Nearest(BinCos(a + 64) * 4);
  const double my = Nearest(BinSin(a + 64) * 4);
  const Spot f = ToSpot(from), t = ToSpot(to);
  return QuadHitD({f.x + mx, f.y + my}, {t.x + mx, t.y + my}, {t.x - mx, t.y - my},
                  {f.x - mx, f.y - my}, ToSpot(p)) ||
         PlainDistance(p.x, p.y, from.x, from.y) <= 4 || PlainDistance(p.x, p.y, to.x, to.y) <= 4;
}

bool AreaContains(const arearec& a, int32_t px, int32_t py) {
  if (!a.enabled) return false;
  if (a.r > 0) {
    // ViewDistance <= r needs |dx| <= r and 2 |dy| <= r, give or take the
    // rounding: a cheap box test first.
    const int64_t dx = int64_t{px} - a.x1, dy = int64_t{py} - a.y1;
    if (std::abs(dx) > int64_t{a.r} + 1 || 2 * std::abs(dy) > int64_t{a.r} + 1) return false;
    return ViewDistance(px, py, a.x1, a.y1) <= a.r;
  }
  if (a.x3 == 0 && a.x4 == 0) return SegmentHit({a.x1, a.y1}, {a.x2, a.y2}, {px, py});
  if (a.x3 != 0 && a.x4 != 0) return QuadHit(AreaQuad(a), {px, py});
  return false;  // exactly one of x3, x4 set: no shape
}

void AreaPass(GameSession& session, int32_t player) {
  playerrec& b = session.players[player];
  // The ball is tested where the earlier areas left it; its rounded position
  // is worked out again only when an area has moved it.
  double atX = b.x, atY = b.y;
  int32_t px = Nearest(atX), py = Nearest(atY);
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    b.wallHit = false;
    b.touching = false;
    const arearec& a = session.areas[i];
    if (!a.enabled) continue;
    if (b.x != atX || b.y != atY) {
      atX = b.x;
      atY = b.y;
      px = Nearest(atX);
      py = Nearest(atY);
    }
    if (AreaContains(a, px, py)) b.touching = true;
    if (b.touching) ApplyArea(session, player, i);
    if (b.wallHit) {
      // Damped, and back to where it was before it entered the wall.
      b.speed = 0.9 * b.speed;
      b.x = b.prevX;
      b.y = b.prevY;
    }
  }
}

}  // namespace quendrix
