// Ball textures: 16 x 16 pictures the ball sprite wraps round itself. The
// game rolls a ball by shifting its texture a pixel at a time, wrapping at
// the edges, so every texture tiles seamlessly both ways.
#pragma once

#include <string>
#include <vector>

#include "image.h"

namespace quendrix::assetgen {

struct BallTexture {
  std::string name;  // file name under textures/, without ".bmp"
  Picture picture;
};

// The four textures of players 1 ... 4 that the game starts with.
std::vector<BallTexture> BuiltInTextures();
// The extra textures of the "textures" folder the launch pad cycles through.
std::vector<BallTexture> FolderTextures();

}  // namespace quendrix::assetgen
