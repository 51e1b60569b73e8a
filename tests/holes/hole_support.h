// Shared pieces of the hole tests: the hole files of assets/holes, read and
// loaded through the game's own loader.
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/launch_settings.h"

namespace quendrix::testing {

// Stems of assets/holes/*.hole, sorted.
std::vector<std::string> AllHoleNames();
std::string HoleFilePath(const std::string& name);
std::string ReadHoleText(const std::string& name);

// A hole loaded into a session of its own, with its [picture] size.
struct LoadedHole {
  LaunchSettings settings;
  std::unique_ptr<GameSession> session;
  int32_t width = 0, height = 0;  // [picture] width, height
  int32_t teeX = 0, teeY = 0;     // [ball]

  explicit LoadedHole(const std::string& name);
  const arearec& area(int32_t i) const { return session->areas[i]; }
};

}  // namespace quendrix::testing
