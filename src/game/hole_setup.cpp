// HoleInit: the set-up of the hole named by holeName, with the frame timer
// stopped while it loads.
#include <algorithm>
#include <fstream>

#include "game/effects.h"
#include "game/hole_file.h"
#include "game/mainsource19.h"

namespace quendrix {

namespace {

// Fixed decorations of particular holes: course image `image` with its
// top-left at (x, y) in effect slot `slot`, looping.
struct Decoration {
  const char* hole;
  int32_t slot, x, y, image, blend, frame;
};
constexpr Decoration kDecorations[] = {
    {"training1", 35, 340, 165, 9, 0, 0},        {"training1", 36, 1071, 364, 10, 0, 0},
    {"training1", 37, 218, 647, 11, 0, 0},       {"course1hole2", 37, 252, 489, 8, 0, 0},
    {"course1hole3", 35, 930, 240, 9, 192, 0},   {"course1hole3", 37, 470, 808, 9, -220, 0},
    {"course1hole3", 38, 520, 822, 9, -220, 7},  {"course1hole3", 39, 236, 127, 9, -220, 0},
    {"course1hole3", 40, 171, 125, 9, 250, 7},   {"course1hole4", 36, 600, 500, 5, 0, 0},
    {"course1hole4", 37, 602, 509, 6, -192, 0},  {"course1hole6", 35, 858, 151, 6, 0, 0},
    {"course1hole6", 36, 12, 674, 7, 0, 0},      {"course1hole7", 36, 1080, 402, 5, 0, 0},
    {"course1hole7", 37, 1082, 411, 6, -192, 0}, {"course1hole7", 38, 286, 237, 10, 0, 0},
    {"course1hole7", 39, 1181, 682, 11, 0, 0},   {"course1hole8", 35, 837, 452, 6, 0, 0},
    {"course1hole9", 36, 430, 879, 5, 0, 0},     {"course1hole9", 37, 432, 888, 6, -192, 0},
    {"course1hole9", 38, 956, 203, 10, 0, 0},    {"course1hole9", 39, 338, 1165, 11, 0, 0},
    {"course2hole1", 35, 469, 779, 11, 64, 0},   {"course2hole1", 36, 345, 702, 5, 0, 0},
    {"course2hole1", 37, 347, 711, 6, -192, 0},  {"course2hole2", 35, 217, 314, 6, 0, 0},
    {"course2hole2", 36, 491, 160, 7, 0, 0},     {"course2hole2", 37, 171, 760, 8, 0, 0},
    {"course2hole2", 38, 905, 767, 9, 0, 0},     {"course2hole2", 39, 373, 1115, 10, 0, 0},
    {"course2hole2", 40, 1047, 575, 11, 0, 0},   {"course2hole4", 37, 698, 556, 9, 0, 0},
    {"course2hole4", 38, 941, 435, 10, 0, 0},    {"course2hole4", 39, 849, 226, 11, 0, 0},
    {"course2hole5", 35, 617, 110, 6, 0, 0},     {"course2hole5", 36, 860, 227, 7, 0, 0},
    {"course2hole5", 37, 469, 512, 8, 0, 0},     {"course2hole5", 38, 138, 601, 9, 0, 0},
    {"course2hole5", 39, 1020, 856, 10, 0, 0},   {"course2hole6", 36, 449, 506, 5, 0, 0},
    {"course2hole6", 37, 451, 515, 6, -192, 0},  {"course2hole7", 37, 342, 222, 9, 0, 0},
    {"course2hole7", 38, 377, 520, 10, 0, 0},    {"course2hole8", 36, 491, 160, 7, 0, 0},
    {"course2hole8", 37, 87, 603, 8, 0, 0},      {"course2hole8", 38, 372, 634, 9, 0, 0},
    {"course2hole8", 39, 580, 833, 10, 0, 0},    {"course2hole8", 40, 1514, 123, 11, 0, 0},
    {"course2hole9", 35, 511, 81, 9, 0, 0},      {"course2hole9", 36, 666, 518, 10, 0, 0},
    {"course2hole9", 37, 171, 781, 11, 0, 0},
};

// The hole file's bytes; nothing for a missing file, whose defaults then hold.
std::string ReadHoleFile(const std::filesystem::path& path) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return {};
  std::ifstream in(path, std::ios::binary);
  std::string text;
  char chunk[65536];
  while (in && text.size() < kMaxHoleFileBytes) {
    in.read(chunk,
            static_cast<std::streamsize>(std::min(sizeof chunk, kMaxHoleFileBytes - text.size())));
    text.append(chunk, static_cast<size_t>(std::max<std::streamsize>(in.gcount(), 0)));
  }
  return text;
}

}  // namespace

void TMain::PlaceDecorations() {
  // Exact, case-sensitive names.
  for (const Decoration& d : kDecorations) {
    if (session.holeName != d.hole) continue;
    courseEffect& e = session.courseEffects[d.slot];
    e.x = d.x;
    e.y = d.y;
    e.image = d.image;
    e.looping = true;
    e.blend = d.blend;
    e.frame = d.frame;
  }
}

void TMain::HoleInit() {
  GameSession& s = session;
  gengine.SetEnabled(false);

  // The loading picture stays on the screen while the hole loads.
  TDirectDrawSurface& screen = DXDraw.Surface();
  screen.FillRaw(0);
  DrawCentred(menu, MenuImage::kLoading);
  DXDraw.Present();
  TWaveCollectionItem* loadingLoop = Sound(EffectSound::kLoadingLoop);
  if (s.soundOn && s.ambientOn && loadingLoop != nullptr) {
    loadingLoop->SetLooped(true);
    loadingLoop->PlaySound();
  }
  screen.FillRaw(0);

  // A missing container stops here with the timer off.
  bgsounds.LoadListFile(DataFile(s.holeName + ".dxw").string());
  LoadImageList(course, s.holeName + ".dxg");
  LoadHoleText(s, ReadHoleFile(DataFile(s.holeName + ".hole")));

  ResetPlayersForHole(s);
  ResetParticles(s);
  s.recentre = true;
  s.scrollX = s.scrollY = 0;
  CancelShot(s);
  s.ballsMoving = false;
  s.bonusStrokeUsed = false;
  s.bonusStrokeTaken = false;
  s.bestHoleScore = 99;
  s.buttonDown[1] = false;
  s.buttonDown[2] = true;

  // Who opens the hole.
  if (s.currentPlayer < 1 || s.currentPlayer > s.playerCount) s.currentPlayer = 1;
  switch (settings().startplayer) {
    case 1:
      if (s.firstHoledPlayer != 0) s.currentPlayer = s.firstHoledPlayer;
      break;
    case 2:
      s.currentPlayer = 1 + s.playRandom.RandomBelow(s.playerCount);
      break;
    default:
      // The player whose turn it was when the last hole ended stays.
      break;
  }
  s.firstHoledPlayer = 0;
  // The other balls come onto the course on their owners' first turn.
  s.players[s.currentPlayer].inPlay = true;

  ClearCourseEffects(s);
  PlaceDecorations();

  if (loadingLoop != nullptr) loadingLoop->StopSound();
  if (TWaveCollectionItem* ambient = BackgroundWave(HoleSound::kAmbient)) {
    ambient->SetLooped(true);
    if (s.soundOn && s.ambientOn) ambient->PlaySound();
  }
  s.gameState = GameState::kTitleCard;
  holeChangePending_ = false;
  gengine.SetEnabled(true);
}

}  // namespace quendrix
