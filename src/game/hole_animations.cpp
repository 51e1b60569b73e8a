// The moving parts of particular holes, once per frame after the shot
// control: drifting sprites, cycling obstacles that switch their areas, a
// rock fall. They join with the effects; no hole animates yet.
#include "game/mainsource19.h"

namespace quendrix {

void TMain::UpdateHoleAnimations() {}

}  // namespace quendrix
