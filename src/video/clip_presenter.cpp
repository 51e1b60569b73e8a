#include "video/clip_presenter.h"

#include <SDL.h>

#include "video/clip_decoder.h"

namespace quendrix {

void ClipPresenter::SetRenderer(SDL_Renderer* renderer, int32_t width, int32_t height) {
  if (renderer != renderer_) Release();
  renderer_ = renderer;
  targetWidth_ = width;
  targetHeight_ = height;
}

void ClipPresenter::Upload(const ClipPicture& p) {
  if (!renderer_ || p.width <= 0 || p.height <= 0) return;
  if (!texture_ || textureWidth_ != p.width || textureHeight_ != p.height) {
    if (texture_) SDL_DestroyTexture(texture_);
    // IYUV is the decoder's own plane order (Y, U, V); renderers take it
    // directly or convert it themselves.
    texture_ = SDL_CreateTexture(renderer_, SDL_PIXELFORMAT_IYUV, SDL_TEXTUREACCESS_STREAMING,
                                 p.width, p.height);
    textureWidth_ = texture_ ? p.width : 0;
    textureHeight_ = texture_ ? p.height : 0;
    if (!texture_) return;
  }
  hasPicture_ = SDL_UpdateYUVTexture(texture_, nullptr, p.plane[0], p.pitch[0], p.plane[1],
                                     p.pitch[1], p.plane[2], p.pitch[2]) == 0;
}

void ClipPresenter::Draw(const ClipRect& dest) {
  if (!renderer_) return;
  SDL_SetRenderDrawColor(renderer_, 0, 0, 0, 255);
  SDL_RenderClear(renderer_);
  if (!texture_ || !hasPicture_ || dest.Width() <= 0 || dest.Height() <= 0) return;
  const SDL_Rect r{dest.left, dest.top, dest.Width(), dest.Height()};
  SDL_RenderCopy(renderer_, texture_, nullptr, &r);
}

void ClipPresenter::Release() {
  if (texture_) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  textureWidth_ = textureHeight_ = 0;
  hasPicture_ = false;
}

}  // namespace quendrix
