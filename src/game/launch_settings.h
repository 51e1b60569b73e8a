// Every setting the launch pad holds and the play screen reads. The launch
// pad owns one of these for the whole run (its controls mirror it, the
// settings file stores it); the play screen keeps a reference and reads the
// values at the moment of use, so a rule changed between games takes effect
// in the next one.
//
// Field names are the names of the launch-pad controls they mirror. Item
// indexes are the positions in the controls' lists; strings are cp1251.
#pragma once

#include <array>
#include <cstdint>
#include <string>

namespace quendrix {

struct LaunchSettings {
  // Display (setup panel). Tested 1024, 800, 640, 512 in that order; the last
  // checked one wins.
  bool screen512 = false;  // hidden control, reachable only through the settings file
  bool screen640 = true;
  bool screen800 = false;
  bool screen1024 = false;
  bool fastwrite = true;  // off: wait for vertical blank and flip pages
  int32_t frameskip = 0;  // 0 "60", 1 "30", 2 "15", 3 "none": timer 0, 33, 66, 0 ms

  // Sound.
  bool soundon = true;
  bool soundoff = false;
  bool bgsounds = true;  // the hole's ambient loop

  // Interface.
  // Text of the chosen skin entry: a folder under "skins", or entry 0
  // "[обычный интерфейс]", which names none (nor does the empty text the
  // launch pad starts with before it lists the skins).
  std::string skin;
  bool skipintro = false;
  bool noflip = false;
  bool forceinterface = true;

  // Start panel.
  bool training = false;  // start at "training1"
  int32_t course = 0;     // 0 "course1hole1", 1 "course2hole1"
  int32_t players = 0;    // player count - 1
  int32_t gametype = 0;   // rule preset 0 ... 2

  // Player panel. The push/pull radio pair shows the player last selected.
  bool pushputt = false;
  bool pullputt = true;
  std::array<std::string, 4> player = {"\xC8\xE3\xF0\xEE\xEA  1", "\xC8\xE3\xF0\xEE\xEA  2",
                                       "\xC8\xE3\xF0\xEE\xEA  3", "\xC8\xE3\xF0\xEE\xEA  4"};
  std::array<bool, 4> pull = {true, true, true, true};
  std::array<bool, 4> easy = {false, false, false, false};
  // Ball texture of each player: a file name under "textures" (empty: the
  // built-in texture of that player).
  std::array<std::string, 4> texture;
  // Who plays each player: 0 a person at the machine, 1 a beginner, 2 a club
  // player, 3 a master (the computer players). The play screen does not
  // read it; the program around it plugs the computer players in.
  std::array<int32_t, 4> computer = {0, 0, 0, 0};

  // Rules panel.
  int32_t startplayer = 0;  // 0 last to hole out, 1 first to hole out, 2 by lot
  int32_t nextplayer = 0;   // 0 in turn, 1 farthest from the cup
  int32_t whencollide = 0;  // 0 balls pass through each other, 1 they collide
  int32_t scoring = 0;      // 0 lowest score, 1 most holes won
  int32_t strokelimit = 0;  // item of "9", "8", "7", "6"
  bool plus1 = false;       // extra stroke for the first ball hit of a turn
  bool minus1 = false;      // penalty stroke for water

  int32_t PlayerCount() const { return players >= 0 && players <= 3 ? players + 1 : 1; }
  // Strokes allowed per hole: the text of the chosen stroke-limit item.
  int32_t StrokeLimit() const { return strokelimit >= 0 && strokelimit <= 3 ? 9 - strokelimit : 9; }
  // Frame-timer interval in milliseconds.
  int32_t FrameInterval() const { return frameskip == 1 ? 33 : frameskip == 2 ? 66 : 0; }
  // Item 3 ("no limit"): interval 0 ticks as often as the machine allows
  // instead of sixty times a second.
  bool FrameRateUnlimited() const { return frameskip == 3; }
};

}  // namespace quendrix
