// The play screen's side of the effect stores and the hole animations: the
// frame's call points handed on to the game core with this screen's back
// surface, the hole's image list and this screen as the sound listener.
#include "game/effects.h"
#include "game/hole_animations.h"
#include "game/mainsource19.h"

namespace quendrix {

void TMain::UpdateCourseEffects() {
  quendrix::UpdateCourseEffects(session, DXDraw.Surface(), course);
}

void TMain::UpdateParticles() {
  quendrix::UpdateParticles(session, DXDraw.Surface());
}

void TMain::ResetDrifters() {
  quendrix::ResetDrifters(session, DXDraw.Surface(), course);
}

void TMain::UpdateHoleAnimations() {
  quendrix::UpdateHoleAnimations(session, DXDraw.Surface(), course);
}

void TMain::SetSoundVolume(int32_t index, int32_t hundredthsDb) {
  if (TWaveCollectionItem* item = Sound(index)) item->SetSoundVolume(hundredthsDb);
}

}  // namespace quendrix
