// The small pictures of the holes: effects the physics starts (launcher
// flash, splash, extra-stroke burst, dust, pipe flash, wall-hit flashes), the
// decorations each hole places (chosen by the hole's name), the
// title card, and the static props drawn into some course pictures.
#pragma once

#include <cairo.h>

#include <string>

#include "hole_model.h"
#include "image.h"
#include "words.h"

namespace quendrix::assetgen {

struct SpriteSheet {
  std::string name;
  Picture picture;  // the patterns side by side
  int patternWidth = 0;
  int patternHeight = 0;
};

// Course image `image` (3 ... 16) of hole `hole`. Image 12 (the title card)
// comes from TitleCard.
SpriteSheet HoleSprite(const HoleModel& hole, int image);

// The title card: course, hole number, the hole's name and par over a small
// map of the course picture.
Picture TitleCard(const HoleModel& hole, const Picture& course, const Words& tr = {});

// Static props, drawn on a course canvas in course pixels.
void RockSpire(cairo_t* cr, double baseX, double baseY);
void WorkerPicture(cairo_t* cr, double left, double top, int frame);
void TreeCanopy(cairo_t* cr, double cx, double cy, double r);
void Bush(cairo_t* cr, double cx, double cy, double r);

}  // namespace quendrix::assetgen
