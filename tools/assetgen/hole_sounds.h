// Per-hole sounds, "<hole>.dxw": wave 0 the hole's ambient loop, wave 1 the
// sound its areas play (the frog by the pond, the road worker, the alarm at
// the laser gate; a quiet chime on holes whose areas play none).
#pragma once

#include "hole_model.h"
#include "items.h"

namespace quendrix::assetgen {

WaveList HoleSounds(const HoleModel& hole);

}  // namespace quendrix::assetgen
