#include "widgets/flic_presenter.h"

#include <SDL.h>
#include <imgui.h>
#include <imgui_internal.h>

#include "core/language.h"
#include "widgets/flic_player.h"

namespace quendrix {
namespace {

// The launch pad's text colour: grey on its black.
constexpr ImU32 kMissingTextColour = IM_COL32(128, 128, 128, 255);

void DrawMissingText() {
  ImGuiContext* context = ImGui::GetCurrentContext();
  if (context == nullptr || !context->WithinFrameScope) return;
  ImGui::GetBackgroundDrawList()->AddText(
      ImVec2(FlicPlayer::kMissingTextX, FlicPlayer::kMissingTextY), kMissingTextColour,
      Tr(FlicPlayer::kMissingText));
}

}  // namespace

FlicPresenter::~FlicPresenter() {
  Release();
}

void FlicPresenter::Release() {
  if (texture_ != nullptr) SDL_DestroyTexture(texture_);
  texture_ = nullptr;
  renderer_ = nullptr;
  width_ = height_ = 0;
  uploaded_ = false;
}

bool FlicPresenter::Draw(SDL_Renderer* renderer, const FlicPlayer& player, int targetWidth,
                         int targetHeight) {
  if (player.FileMissing()) {
    DrawMissingText();
    return true;
  }
  const uint32_t* picture = player.Picture();
  if (renderer == nullptr || picture == nullptr) return true;
  if (renderer != renderer_ || player.Width() != width_ || player.Height() != height_) {
    Release();
    texture_ = SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ARGB8888, SDL_TEXTUREACCESS_STREAMING,
                                 player.Width(), player.Height());
    if (texture_ == nullptr) return false;
    renderer_ = renderer;
    width_ = player.Width();
    height_ = player.Height();
  }
  if (!uploaded_ || player.PictureVersion() != version_) {
    if (SDL_UpdateTexture(texture_, nullptr, picture, width_ * 4) != 0) return false;
    version_ = player.PictureVersion();
    uploaded_ = true;
    ++uploads_;
  }
  const FlicPlayer::Placement at = player.FramePlacement(targetWidth, targetHeight);
  const SDL_Rect dst{at.x, at.y, width_, height_};
  return SDL_RenderCopy(renderer, texture_, nullptr, &dst) == 0;
}

}  // namespace quendrix
