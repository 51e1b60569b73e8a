// The shared data folder of the play-screen tests and a headless play
// screen on it.
#pragma once

#include <filesystem>
#include <memory>

#include "game/headless_play.h"
#include "game/launch_settings.h"
#include "play_data.h"

namespace quendrix::playdata {

// Interface data plus these holes, written once per test program:
// - "training1", "course1hole1": 1200 x 900, tee (600, 450), cup at
//   (1000, 800) r 8 (cover at 988, 794); course1hole1 leads to course1hole2;
//   water circle r 40 at (300, 700) with respawn (200, 600) on course1hole1;
//   a pipe entrance r 10 at (900, 300) with exit (1000, 600) along
//   (1000, 590) -> (1000, 640), cover image 9 at (890, 290), on course1hole1.
// - "course1hole2": 400 x 300, smaller than any screen, tee (200, 150).
// - "course2hole1": 1200 x 900 without areas, tee (600, 450).
const std::filesystem::path& SharedData();

// A started play screen on the shared data (title card showing).
std::unique_ptr<HeadlessPlay> StartPlay(const LaunchSettings& settings, uint64_t seed = 1);

// The settings of a fresh user, optionally on the training hole.
LaunchSettings FreshSettings(bool training = false);

}  // namespace quendrix::playdata
