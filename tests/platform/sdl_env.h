// Platform tests run against SDL's window-less video and silent audio drivers.
#pragma once

#include <cstdlib>

namespace quendrix::test {

inline void UseDummyDrivers() {
  setenv("SDL_VIDEODRIVER", "dummy", 1);
  setenv("SDL_AUDIODRIVER", "dummy", 1);
}

}  // namespace quendrix::test
