// The numbers the data files and the game agree on: the items of the image
// and sound lists the game takes by index, and the area kinds of the hole
// files. The game, the asset generator (which writes each item by its name
// here) and the tests all use these.
//
// Values of these enums are stored in files: append only. Never renumber,
// reorder or reuse a value; a new item takes the next free number.
#pragma once

#include <cstdint>

namespace quendrix {

// The item's index in its list (or the kind's number in a hole file).
template <typename Item>
constexpr int32_t ItemIndex(Item item) {
  return static_cast<int32_t>(item);
}

// ---- "sound.dxw": the play screen's effect sounds --------------------------
enum class EffectSound : int32_t {
  kPutt = 0,         // the putt released
  kLowHit = 1,       // wall hit below 10 px, ball against ball
  kSand = 2,         // fast ball into sand, landing from flight
  kCupIn = 3,        // ball into the cup or a pipe entrance
  kSpare4 = 4,       // played by nothing
  kClick = 5,        // interface click
  kLoadingLoop = 6,  // loops while a hole loads
  kPutBack = 7,      // lost ball put back; a ball thrown out by a pipe exit
  kSpare8 = 8,       // played by nothing
  kPopper = 9,       // popper, second springboard
  kHop = 10,         // too fast over the cup; the stroke limit reached
  kHighHit = 11,     // wall hit in flight (above 10 px)
  kBlaster = 12,
  kWater = 13,
  kSpringboard = 14,
  kRough = 15,
  kRough2 = 16,
  kPipeExit = 17,  // ball out of a pipe at the end of its fall
  kGoodHole = 18,  // holed at par or better; the end of the game
  kStuck = 19,     // stuck ball put back, charged wall
  kRumble = 20,    // rock fall, cycling obstacles (volume set before each play)
  kBonus = 21,     // extra stroke
  kBadHole = 22,   // holed over par
  kSpare23 = 23,   // played by nothing
  kTurn = 24,      // the turn passes to the next player
};
inline constexpr int32_t kEffectSoundCount = 25;

// ---- "menu.dxw": the launch pad's sounds -----------------------------------
enum class MenuSound : int32_t {
  kMusic = 0,       // the looping music
  kClick = 1,       // a control pressed, a menu spot chosen
  kTick = 2,        // not played by the launch pad
  kTransition = 3,  // the panel change
};
inline constexpr int32_t kMenuSoundCount = 4;

// ---- "<hole>.dxw": each hole's own sounds ----------------------------------
enum class HoleSound : int32_t {
  kAmbient = 0,  // the ambient loop
  kArea = 1,     // played by the catapult and the one-shot trigger
};
inline constexpr int32_t kHoleSoundCount = 2;

// ---- "gui.dxg": the interface pictures (a skin replaces some) --------------
enum class GuiImage : int32_t {
  kPointer = 0,
  kPanel = 1,
  kCompactPanel = 2,
  kButtonsDown = 3,  // patterns 0 ... 4, one per panel button
  kPushSign = 4,
  kGauge = 5,
  kTarget = 6,
  kFont = 7,    // the skin's font
  kDigits = 8,  // the skin's numbers
  kPutterShadow = 9,
  kPutter = 10,
  kBall1 = 11,  // players 1 ... 4's built-in textures: 11 ... 14
  kBall2 = 12,
  kBall3 = 13,
  kBall4 = 14,
  kShading = 15,
  kHighlight = 16,
  kShadow = 17,
  kNameBox = 18,
};
inline constexpr int32_t kGuiImageCount = 19;

// The built-in texture of player 1 ... 4.
constexpr int32_t BallTextureImage(int32_t player) {
  return ItemIndex(GuiImage::kBall1) + player - 1;
}

// ---- "menu.dxg": the play screen's full-screen pictures and big fonts ------
enum class MenuImage : int32_t {
  kBannerFont = 0,  // banner glyphs, codes 32 ... 92
  kLoading = 1,
  kPullHelp = 2,
  kPushHelp = 3,
  kScoreCard = 4,
  kScoreFont = 5,  // the score card's font
};
inline constexpr int32_t kMenuImageCount = 6;

// ---- "launchpad.dxg": the launch pad's menu picture ------------------------
enum class LaunchpadImage : int32_t {
  kMenu = 0,
  kMenuLit = 1,  // the same picture lit, shown inside the current spot
};
inline constexpr int32_t kLaunchpadImageCount = 2;

// ---- "<hole>.dxg": the items every hole's list has in the same place -------
// The other numbers up to 16 are the hole's own sprites and decorations,
// chosen by number in the hole file or the hole's set-up; from 17 on come
// the pipe covers, each at the number its entrance's p3 names.
enum class HoleImage : int32_t {
  kCourse = 0,
  kOverlay = 1,     // 24 x 24 patterns laid over the balls
  kCupCover = 2,    // the cup's near rim, drawn over a sinking ball
  kBurst = 3,       // popper and blaster
  kSplash = 4,      // a ball into water
  kDrifter = 5,     // and 6: the drifting sprites, on a hole that has them
  kBonusFlash = 7,  // the extra stroke (on holes with an extra-stroke area)
  kDust = 8,        // rough and catapult (on holes with them)
  kTitleCard = 12,
  kFlash = 13,       // a ball out of a pipe, a lost ball put back
  kHitFlash19 = 14,  // a high hit on a wall of angle 19
  kHitFlash109 = 15,
  kHitFlash0 = 16,
};
inline constexpr int32_t kFirstPipeCover = 17;

// ---- Area kinds of the hole files -------------------------------------------
enum class AreaKind : int32_t {
  kNone = 0,  // an empty area
  kWall19 = 1,
  kWall64 = 2,
  kWall109 = 3,
  kWall0 = 4,
  kCup = 5,
  kWall32 = 6,
  kWall96 = 7,
  kRampWest = 8,        // code -13, push 96
  kRampEast = 9,        // code 13, push 1
  kRampSouthEast = 10,  // code 13, push 32
  kRampWestFlat = 11,   // code -13, push 128
  kPopper = 12,
  kSpringboard = 13,
  kFunnel = 14,
  kSlopeFirst = 15,  // slopes 15 ... 22, one per direction
  kSlopeLast = 22,
  kSand = 23,
  kWater = 24,
  kPipeExitFx = 25,  // a pad that throws the ball out with a flash
  kPipeEntrance = 26,
  kBlaster = 27,
  kNextHoleText = 28,
  kRough = 30,
  kHighlight = 32,
  kLedge = 33,
  kKicker = 34,
  kBonusStroke = 35,
  kCatapult = 36,
  kPipeExit = 37,
  kSwitch = 38,
  kOneShot = 40,
  kSpringboard2 = 43,
};

// Families of kinds.
constexpr bool IsWallKind(AreaKind k) {
  return (k >= AreaKind::kWall19 && k <= AreaKind::kWall0) || k == AreaKind::kWall32 ||
         k == AreaKind::kWall96;
}
constexpr bool IsPipeKind(AreaKind k) {
  return k == AreaKind::kPipeExitFx || k == AreaKind::kPipeEntrance || k == AreaKind::kPipeExit;
}
constexpr bool IsRampKind(AreaKind k) {
  return k >= AreaKind::kRampWest && k <= AreaKind::kRampWestFlat;
}
constexpr bool IsSlopeKind(AreaKind k) {
  return k >= AreaKind::kSlopeFirst && k <= AreaKind::kSlopeLast;
}
// A kind the game acts on: every one named above but kNone. A new kind is
// added here too.
constexpr bool IsKnownKind(AreaKind k) {
  return (k >= AreaKind::kWall19 && k <= AreaKind::kNextHoleText) || k == AreaKind::kRough ||
         (k >= AreaKind::kHighlight && k <= AreaKind::kSwitch) || k == AreaKind::kOneShot ||
         k == AreaKind::kSpringboard2;
}

}  // namespace quendrix
