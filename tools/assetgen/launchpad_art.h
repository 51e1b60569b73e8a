// The launch pad's menu picture ("launchpad.dxg"): a golf ball streaking
// out of the night sky onto a garden green, trailing three ribbons; the
// ball and the ribbons are the four hot spots (play, training, setup, quit)
// and each is drawn inside its spot's shape, so the lit twin can replace
// exactly the pixels the pointer hits.
#pragma once

#include <string>

#include "image.h"
#include "words.h"

namespace quendrix::assetgen {

// 421 x 165, at most 256 colours. `lit`: every spot drawn highlighted
// (item 1, the mask the launch pad shows inside the current spot).
// The captions in the language of `tr`.
Picture MenuPicture(bool lit, const Words& tr = {});

// The part of the picture its 367 x 122 control shows, in picture pixels.
struct MenuView {
  int x, y, w, h;
};
MenuView MenuVisibleArea();

// The panel face colour behind the control.
inline constexpr Rgb kMenuPanel{224, 216, 207};

}  // namespace quendrix::assetgen
