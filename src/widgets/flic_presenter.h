// Puts a FlicPlayer's picture on the screen: one SDL streaming texture,
// made when the frame size (or the renderer) changes and refilled only when
// the picture changed, drawn centred at its own size into the renderer's
// current target. It never makes a window or changes the target.
#pragma once

#include <cstdint>

struct SDL_Renderer;
struct SDL_Texture;

namespace quendrix {

class FlicPlayer;

class FlicPresenter {
 public:
  FlicPresenter() = default;
  ~FlicPresenter();
  FlicPresenter(const FlicPresenter&) = delete;
  FlicPresenter& operator=(const FlicPresenter&) = delete;

  // Draws the picture into the current target of `renderer`, which is
  // targetWidth x targetHeight (the player's area). For a missing file it
  // draws no picture and adds the missing-file text to the background draw
  // list of the ImGui frame being built (coordinates of that frame), when
  // one is open. False when SDL fails.
  bool Draw(SDL_Renderer* renderer, const FlicPlayer& player, int targetWidth, int targetHeight);
  // Frees the texture (before its renderer goes).
  void Release();

  // Texture uploads so far (the presenter skips unchanged pictures).
  uint64_t Uploads() const { return uploads_; }

 private:
  SDL_Renderer* renderer_ = nullptr;
  SDL_Texture* texture_ = nullptr;
  int width_ = 0, height_ = 0;
  uint64_t version_ = 0;
  bool uploaded_ = false;
  uint64_t uploads_ = 0;
};

}  // namespace quendrix
