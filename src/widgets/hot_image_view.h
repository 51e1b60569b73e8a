// Draws a HotImage through an SDL renderer the caller owns, into its current
// render target, at a control position in canvas pixels.
//
// Highlighting: the view holds two pictures of the same size, the picture
// and its lit twin (item 1 of the menu's image list: the whole picture drawn
// with every spot lit). Inside the current spot's shape, decided pixel by
// pixel by the same HotSpot::Contains test that hits it, the lit pixels are
// shown instead of the normal ones. So the highlight follows the shape
// exactly, the artwork decides what "lit" looks like (glow, colours,
// outline), and nothing is blended that would wash out the 256-colour art.
#pragma once

#include <SDL.h>

#include <vector>

#include "media/bitmap.h"
#include "widgets/hot_image.h"

namespace quendrix {

class HotImageView {
 public:
  HotImageView(Bitmap picture, Bitmap lit);
  ~HotImageView();
  HotImageView(const HotImageView&) = delete;
  HotImageView& operator=(const HotImageView&) = delete;

  // Draws the picture centred in the control whose top-left corner is at
  // `control` (canvas pixels), cropped to the control, and the current
  // spot lit. Textures are made on first use for this renderer and remade
  // when another renderer is given. Throws std::runtime_error with SDL's
  // message when a texture cannot be made.
  void Draw(SDL_Renderer* renderer, const HotImage& image, SDL_Point control);

  // Frees the textures; call before the renderer they belong to goes.
  void Release();

  // Canvas pixels -> the control's own pixels, for HotImage's pointer calls.
  static HotPoint ToControl(SDL_Point canvas, SDL_Point control) {
    return {canvas.x - control.x, canvas.y - control.y};
  }

 private:
  void Build(SDL_Renderer* renderer, const HotImage& image);

  Bitmap picture_;
  Bitmap lit_;
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* pictureTexture_ = nullptr;
  // One texture per spot: the lit pixels inside the spot's shape, clear
  // elsewhere, covering the spot's bounds (clipped to the picture).
  struct Overlay {
    SDL_Texture* texture = nullptr;
    SDL_Rect rect{0, 0, 0, 0};  // in picture pixels
  };
  std::vector<Overlay> overlays_;
};

}  // namespace quendrix
