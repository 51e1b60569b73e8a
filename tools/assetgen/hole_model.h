// A hole as the art recipes see it: the hole file read through the game's own
// loader, the [picture] section the game ignores (size and look of the course
// picture), and the course floor: every pixel a ball can reach from the tee,
// the cup, a pipe's or teleport's exit or a water put-back point without
// crossing a rail.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "items.h"

namespace quendrix::assetgen {

enum class Theme { kGarden, kSpace };

struct HoleModel {
  std::string name;  // e.g. "course1hole3"
  Theme theme = Theme::kGarden;
  int width = 0, height = 0;  // course picture, pixels
  std::string title;          // the hole's name for its title card, UTF-8
  int par = 3;
  int teeX = 0, teeY = 0;
  std::array<arearec, kMaxAreas + 1> areas{};  // 1 ... 99; [0] unused

  // Per pixel, row-major: 1 where the course floor is, 2 inside a block the
  // rails shut in (a hedge, a bulkhead), 0 elsewhere. Rail bands count as
  // floor on their inner side.
  std::vector<uint8_t> floor;
  bool Floor(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height &&
           floor[static_cast<size_t>(y) * width + x] == 1;
  }
  bool Block(int x, int y) const {
    return x >= 0 && y >= 0 && x < width && y < height &&
           floor[static_cast<size_t>(y) * width + x] == 2;
  }

  // The hole's sequence number on its course: 1 ... 9, 0 for training.
  int Number() const;
  bool Training() const { return name.rfind("training", 0) == 0; }
};

// Names (file stems) of assets/holes/*.hole, sorted.
std::vector<std::string> HoleNames(const Sources& sources);
std::string HolePath(const Sources& sources, const std::string& name);

// Reads and models one hole. Throws std::runtime_error when the file is
// missing or has no usable picture size.
HoleModel LoadHoleModel(const Sources& sources, const std::string& name);

// Areas the hole's own animation switches on and off (the laser gates of
// "course2hole5" and "course2hole9"); drawn as gates, not rails.
std::vector<int> SwitchedAreas(const std::string& holeName);

}  // namespace quendrix::assetgen
