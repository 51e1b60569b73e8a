// Sound recipes: the effects list "sound.dxw", used by index, and the launch
// pad's "menu.dxw".
#pragma once

#include "items.h"

namespace quendrix::assetgen {

inline constexpr int kEffectCount = 25;  // indexes 0 ... 24
WaveList EffectSounds();
WaveList MenuSounds();

}  // namespace quendrix::assetgen
