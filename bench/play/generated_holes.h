// The generated holes the play benchmarks run on: the data folder of the
// build tree beside the benchmark ($QUENDRIX_BENCH_DATA when set), and the
// busiest of its holes.
#pragma once

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "core/program_folder.h"
#include "game/game_state.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace quendrix {

inline std::filesystem::path GeneratedData() {
  if (const char* env = std::getenv("QUENDRIX_BENCH_DATA"); env != nullptr && *env != '\0')
    return env;
  return ExecutableFolder().parent_path() / "bin";
}

// The generated hole with the most areas, or "" when there is none.
inline std::string BusiestHole(const std::filesystem::path& data) {
  std::error_code error;
  if (!std::filesystem::exists(data / "gui.dxg", error)) return {};
  std::string best;
  int32_t most = -1;
  for (const char* course : {"course1hole", "course2hole"}) {
    for (int n = 1; n <= 9; ++n) {
      const std::string hole = course + std::to_string(n);
      std::ifstream in(data / (hole + ".hole"), std::ios::binary);
      if (!in || !std::filesystem::exists(data / (hole + ".dxg"), error)) continue;
      std::stringstream text;
      text << in.rdbuf();
      LaunchSettings settings;
      GameSession session(settings);
      LoadHoleText(session, text.str());
      int32_t areas = 0;
      for (const arearec& a : session.areas) areas += a.kind != AreaKind::kNone ? 1 : 0;
      if (areas > most) {
        most = areas;
        best = hole;
      }
    }
  }
  return best;
}

}  // namespace quendrix
