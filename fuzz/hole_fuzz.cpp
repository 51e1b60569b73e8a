// Hole files, which never fail: LoadHoleFile reads whatever the file holds
// into the session, the hole checker reports on it, and then two balls are
// putted across the hole for a few seconds of play, so areas of any shape
// and parameter go through the physics.
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string_view>

#include "fuzz_support.h"
#include "game/ball_motion.h"
#include "game/effects.h"
#include "game/game_state.h"
#include "game/hole_check.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace {

using namespace quendrix;

constexpr int kDeadlineMs = 300;
constexpr int kFrames = 180;  // three seconds at 60 frames a second

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  fuzz::InputDeadline deadline(kDeadlineMs);
  fuzz::WriteScratchFile("fuzzhole.hole", data, size);

  LaunchSettings settings;
  settings.players = 1;
  settings.whencollide = 1;
  auto session = std::make_unique<GameSession>(settings, nullptr, size);
  GameSession& s = *session;
  s.playerCount = 2;
  s.substeps = 1;
  LoadHoleFile(s, fuzz::ScratchFolder(), "fuzzhole.hole");

  const std::string_view text(reinterpret_cast<const char*>(data), size);
  HoleCheckOptions options;
  options.pictureWidth = 800;
  options.pictureHeight = 600;
  CheckHole(text, "fuzzhole", fuzz::ScratchFolder(), options);

  ResetPlayersForHole(s);
  ClearCourseEffects(s);
  ResetParticles(s);
  for (int32_t p = 1; p <= 2; ++p) {
    playerrec& ball = s.players[p];
    ball.inPlay = true;
    ball.direction = 37 + 101 * p;
    ball.speed = 90.0 / 22.0;
    StartShot(s, p, true);
  }
  for (int frame = 0; frame < kFrames; ++frame) MoveBalls(s);
  return 0;
}
