#include "media/dx_draw.h"

#include <algorithm>
#include <cstdio>
#include <optional>

#include "core/language.h"
#include "media/image_list.h"
#include "media/media_error.h"

namespace quendrix {

namespace {

constexpr TDXDrawOptions kWindowOnly =
    doNoWindowChange | doAllowReboot | doAllowPalette256 | doFlip;
constexpr TDXDrawOptions k3DOnly =
    doHardware | doRetainedMode | doSelectDriver | doZBuffer | doRGB | doMono | doDither;
constexpr TDXDrawOptions kLive = doWaitVBlank | doStretch | doCenter;

bool ValidBitCount(int32_t bits) {
  return bits == 8 || bits == 16 || bits == 24 || bits == 32;
}

[[noreturn]] void ModeError(const DisplayMode& m) {
  char text[96];
  std::snprintf(text, sizeof text, "%s (%dx%d %dbit)", TrNoop("Display mode cannot be changed"),
                m.width, m.height, m.bitCount);
  throw MediaError(text);
}

}  // namespace

TDXDrawOptions EffectiveOptions(TDXDrawOptions o) {
  if (!(o & doFullScreen)) o &= ~kWindowOnly;
  if (!(o & do3D)) o &= ~k3DOnly;
  if (o & doSystemMemory) o &= ~doFlip;
  o &= ~doHardware;
  return o;
}

void TDirectDrawDisplay::SetBitCount(int32_t bits) {
  if (!ValidBitCount(bits)) throw MediaError("PixelFormat is invalid (8,16,24 or 32)");
  bitCount_ = bits;
}

std::vector<DisplayMode> FallbackModes(const TDirectDrawDisplay& d,
                                       const std::vector<DisplayMode>& listed) {
  auto qualifies = [&](const DisplayMode& m) {
    const bool size =
        d.fixedSize ? m.width == d.Width() : (m.width >= d.Width() && m.height >= d.Height());
    const bool depth = d.fixedBitCount
                           ? m.bitCount == d.BitCount()
                           : (m.bitCount >= d.BitCount() || (m.bitCount >= 9 && d.BitCount() >= 9));
    return size && depth;
  };
  auto smallest = [&](bool sameRatio) -> std::optional<DisplayMode> {
    std::optional<DisplayMode> best;
    for (const auto& m : listed) {
      if (!qualifies(m)) continue;
      if (sameRatio &&
          static_cast<int64_t>(m.width) * d.Height() != static_cast<int64_t>(m.height) * d.Width())
        continue;
      if (!best || m.width < best->width || (m.width == best->width && m.height < best->height))
        best = m;
    }
    return best;
  };
  std::vector<DisplayMode> out;
  if (d.fixedRatio)
    if (auto m = smallest(true)) out.push_back(*m);
  if (auto m = smallest(false))
    if (out.empty() || !(out.front() == *m)) out.push_back(*m);
  return out;
}

TDXDraw::~TDXDraw() {
  // Lists outlive nothing here: they only lose their link to this surface.
  for (auto* list : lists_) list->DetachDraw();
  if (open_) {
    open_ = false;
    if (device_) device_->Close();
  }
}

void TDXDraw::SetOptions(TDXDrawOptions options) {
  options_ = options;
  const TDXDrawOptions effective = EffectiveOptions(options);
  if (open_) {
    nowOptions_ = (nowOptions_ & ~kLive) | (effective & kLive);
  } else {
    nowOptions_ = effective;
  }
}

int32_t TDXDraw::SurfaceWidth() const {
  return open_ ? surface_.Width() : surfaceWidth_;
}
int32_t TDXDraw::SurfaceHeight() const {
  return open_ ? surface_.Height() : surfaceHeight_;
}

void TDXDraw::OpenDisplay(bool fullScreen) {
  const DisplayMode request{Display.Width(), Display.Height(), Display.BitCount()};
  if (!fullScreen) {
    if (!device_->Open(request, false)) ModeError(request);
    mode_ = request;
    return;
  }
  if (request.width > 0 && request.height > 0 && ValidBitCount(request.bitCount)) {
    std::vector<DisplayMode> tries{request};
    for (const auto& m : FallbackModes(Display, device_->ListModes())) tries.push_back(m);
    for (const auto& m : tries) {
      if (device_->Open(m, true)) {
        mode_ = m;
        return;
      }
    }
  }
  ModeError(request);
}

void TDXDraw::Initialize() {
  Finalize();
  if (!device_) throw MediaError("Form not found");
  nowOptions_ = EffectiveOptions(options_);
  opening_ = true;
  try {
    OpenDisplay((nowOptions_ & doFullScreen) != 0);
    if (autoSize) {
      surfaceWidth_ = device_->ClientWidth();
      surfaceHeight_ = device_->ClientHeight();
    }
    surface_.SetSize(surfaceWidth_, surfaceHeight_);
    open_ = true;
    opening_ = false;
    for (auto* list : lists_) list->BuildSurfaces();
    if (OnInitialize) OnInitialize();
  } catch (...) {
    opening_ = false;
    open_ = false;
    for (auto* list : lists_) list->ReleaseSurfaces();
    surface_.SetSize(0, 0);
    device_->Close();
    throw;
  }
}

void TDXDraw::Finalize() {
  if (!open_) return;
  if (OnFinalize) OnFinalize();
  for (auto* list : lists_) list->ReleaseSurfaces();
  surface_.SetSize(0, 0);
  open_ = false;
  if (device_) device_->Close();
}

bool TDXDraw::IsReady() {
  if (!open_ || opening_ || surface_.Width() == 0 || !device_) return false;
  if (device_->IsLost()) {
    if (!device_->Restore()) return false;
    for (auto* list : lists_) list->BuildSurfaces();
  }
  return true;
}

void TDXDraw::Present() {
  if (!IsReady()) return;
  PresentRequest request;
  const int32_t cw = device_->ClientWidth(), ch = device_->ClientHeight();
  const int32_t sw = surface_.Width(), sh = surface_.Height();
  if (nowOptions_ & doStretch) {
    request.dest = {0, 0, cw, ch};
  } else if (nowOptions_ & doCenter) {
    const int32_t x = (cw - sw) / 2, y = (ch - sh) / 2;  // truncating toward zero
    request.dest = Bounds(x, y, sw, sh);
  } else {
    request.dest = Bounds(0, 0, sw, sh);
  }
  request.flip = (nowOptions_ & doFlip) != 0;
  request.waitVBlank = (nowOptions_ & doWaitVBlank) != 0;
  device_->Present(surface_, request);
}

void TDXDraw::Attach(TDXImageList* list) {
  if (std::find(lists_.begin(), lists_.end(), list) == lists_.end()) lists_.push_back(list);
}

void TDXDraw::Detach(TDXImageList* list) {
  lists_.erase(std::remove(lists_.begin(), lists_.end(), list), lists_.end());
}

}  // namespace quendrix
