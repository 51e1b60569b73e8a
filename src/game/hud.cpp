// The heads-up display over the course: name labels, the panel, the ticker
// and the banner.
//
// So far only the banner's timing: the quit question keeps it up, and a
// posted banner fades faster as it weakens, so that a finished hole moves on
// to the next. The panel, the labels, the texts and their fonts join with
// the HUD.
#include "game/mainsource19.h"

namespace quendrix {

void TMain::DrawHud() {
  GameSession& s = session;
  if (s.quitAsked) {
    s.bannerText = "HAGMNTE BB0D DVR BLIX0DA   ";
    s.bannerFade = 195 + s.visualRandom.RandomBelow(10);
  }
  if (s.bannerFade > 0) {
    s.bannerFade -= (512 / s.bannerFade) * s.substeps;
    if (s.bannerFade < 0) s.bannerFade = 0;
    if (s.bannerFade == 0) s.bannerText.clear();
  }
}

}  // namespace quendrix
