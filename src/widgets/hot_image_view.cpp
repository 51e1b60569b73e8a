#include "widgets/hot_image_view.h"

#include <algorithm>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <utility>

namespace quendrix {
namespace {

constexpr uint32_t kOpaque = 0xFF000000;

// ABGR8888 is the packed value A << 24 | B << 16 | G << 8 | R: a TColor
// (0x00BBGGRR) with its alpha on top.
SDL_Texture* MakeTexture(SDL_Renderer* renderer, int w, int h, const std::vector<uint32_t>& px,
                         SDL_BlendMode blend) {
  SDL_Texture* t =
      SDL_CreateTexture(renderer, SDL_PIXELFORMAT_ABGR8888, SDL_TEXTUREACCESS_STATIC, w, h);
  if (!t) throw std::runtime_error(std::string("cannot make a texture: ") + SDL_GetError());
  SDL_UpdateTexture(t, nullptr, px.data(), w * 4);
  SDL_SetTextureBlendMode(t, blend);
  return t;
}

// Copies the part of `src` (size w x h) placed at `at` that falls inside
// `clip`.
void CopyClipped(SDL_Renderer* renderer, SDL_Texture* texture, SDL_Point at, int w, int h,
                 const SDL_Rect& clip) {
  const SDL_Rect whole{at.x, at.y, w, h};
  SDL_Rect dest;
  if (!SDL_IntersectRect(&whole, &clip, &dest)) return;
  const SDL_Rect src{dest.x - at.x, dest.y - at.y, dest.w, dest.h};
  SDL_RenderCopy(renderer, texture, &src, &dest);
}

}  // namespace

HotImageView::HotImageView(Bitmap picture, Bitmap lit)
    : picture_(std::move(picture)), lit_(std::move(lit)) {}

HotImageView::~HotImageView() {
  Release();
}

void HotImageView::Release() {
  if (pictureTexture_) SDL_DestroyTexture(pictureTexture_);
  pictureTexture_ = nullptr;
  for (Overlay& o : overlays_)
    if (o.texture) SDL_DestroyTexture(o.texture);
  overlays_.clear();
  renderer_ = nullptr;
}

void HotImageView::Build(SDL_Renderer* renderer, const HotImage& image) {
  Release();
  renderer_ = renderer;
  const int w = picture_.Width(), h = picture_.Height();
  if (w > 0 && h > 0) {
    std::vector<uint32_t> px(static_cast<size_t>(w) * h);
    for (int y = 0; y < h; ++y)
      for (int x = 0; x < w; ++x) px[static_cast<size_t>(y) * w + x] = picture_.Row(y)[x] | kOpaque;
    pictureTexture_ = MakeTexture(renderer, w, h, px, SDL_BLENDMODE_NONE);
  }
  overlays_.resize(static_cast<size_t>(image.SpotCount()));
  for (int32_t i = 0; i < image.SpotCount(); ++i) {
    const HotSpot& spot = image.SpotShape(i);
    const HotBox b = spot.Bounds();
    // Only lit pixels that exist can be shown.
    const int left = std::max(b.left, 0), top = std::max(b.top, 0);
    const int right = std::min(b.right, lit_.Width() - 1);
    const int bottom = std::min(b.bottom, lit_.Height() - 1);
    if (left > right || top > bottom) continue;
    Overlay& o = overlays_[static_cast<size_t>(i)];
    o.rect = {left, top, right - left + 1, bottom - top + 1};
    std::vector<uint32_t> px(static_cast<size_t>(o.rect.w) * o.rect.h, 0);
    for (int y = top; y <= bottom; ++y)
      for (int x = left; x <= right; ++x)
        if (spot.Contains({x, y}))
          px[static_cast<size_t>(y - top) * o.rect.w + (x - left)] = lit_.Row(y)[x] | kOpaque;
    o.texture = MakeTexture(renderer, o.rect.w, o.rect.h, px, SDL_BLENDMODE_BLEND);
  }
}

void HotImageView::Draw(SDL_Renderer* renderer, const HotImage& image, SDL_Point control) {
  if (!renderer) return;
  if (renderer != renderer_ || overlays_.size() != static_cast<size_t>(image.SpotCount()))
    Build(renderer, image);
  const SDL_Rect clip{control.x, control.y, image.Width(), image.Height()};
  const HotPoint o = image.PictureOffset();
  const SDL_Point origin{control.x + o.x, control.y + o.y};
  if (pictureTexture_)
    CopyClipped(renderer, pictureTexture_, origin, picture_.Width(), picture_.Height(), clip);
  const int32_t spot = image.Spot();
  if (spot < 0 || spot >= static_cast<int32_t>(overlays_.size())) return;
  const Overlay& lit = overlays_[static_cast<size_t>(spot)];
  if (lit.texture)
    CopyClipped(renderer, lit.texture, {origin.x + lit.rect.x, origin.y + lit.rect.y}, lit.rect.w,
                lit.rect.h, clip);
}

}  // namespace quendrix
