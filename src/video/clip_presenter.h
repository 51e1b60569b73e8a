// The clip player's presenter: the only part of the player that draws. It
// keeps the current picture in a YUV streaming texture of the renderer the
// caller gives and copies it, at its natural size, into the caller's current
// render target over black.
#pragma once

#include <cstdint>

#include "video/video_window.h"

struct SDL_Renderer;
struct SDL_Texture;

namespace quendrix {

struct ClipPicture;

class ClipPresenter {
 public:
  ClipPresenter() = default;
  ~ClipPresenter() { Release(); }
  ClipPresenter(const ClipPresenter&) = delete;
  ClipPresenter& operator=(const ClipPresenter&) = delete;

  // The renderer and the logical size of the target it draws into. A new
  // renderer drops the texture of the old one.
  void SetRenderer(SDL_Renderer* renderer, int32_t width, int32_t height);
  // Copies the picture's planes into the texture.
  void Upload(const ClipPicture& picture);
  // Clears the target to black and draws the picture at `dest`.
  void Draw(const ClipRect& dest);
  // Frees the texture; done before the renderer goes away.
  void Release();
  // Forgets the picture (a new clip): black until the next upload.
  void Clear() { hasPicture_ = false; }

 private:
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int32_t targetWidth_ = 0, targetHeight_ = 0;
  int32_t textureWidth_ = 0, textureHeight_ = 0;
  bool hasPicture_ = false;
};

}  // namespace quendrix
