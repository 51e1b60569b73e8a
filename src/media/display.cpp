#include "media/display.h"

#include <algorithm>

namespace quendrix {

bool MemoryDisplay::Open(const DisplayMode& mode, bool fullScreen) {
  const bool ok =
      mode.width > 0 && mode.height > 0 &&
      (accepted.empty() || std::find(accepted.begin(), accepted.end(), mode) != accepted.end());
  if (!ok) {
    Close();
    return false;
  }
  open_ = true;
  fullScreen_ = fullScreen;
  mode_ = mode;
  screen_.SetSize(mode.width, mode.height);
  return true;
}

void MemoryDisplay::Close() {
  open_ = false;
  screen_.SetSize(0, 0);
}

bool MemoryDisplay::Restore() {
  if (restorable) lost = false;
  return !lost;
}

void MemoryDisplay::Present(const TDirectDrawSurface& back, const PresentRequest& request) {
  ++presentCount_;
  lastPresent_ = request;
  const TRect& d = request.dest;
  const int32_t dw = d.Width(), dh = d.Height();
  if (!open_ || dw <= 0 || dh <= 0 || back.Width() == 0) return;
  for (int32_t y = std::max(d.top, 0); y < std::min(d.bottom, screen_.Height()); ++y) {
    const int64_t sy = static_cast<int64_t>(y - d.top) * back.Height() / dh;
    const uint16_t* src = back.Row(static_cast<int32_t>(sy));
    uint16_t* dst = screen_.Row(y);
    for (int32_t x = std::max(d.left, 0); x < std::min(d.right, screen_.Width()); ++x)
      dst[x] = src[static_cast<int64_t>(x - d.left) * back.Width() / dw];
  }
}

}  // namespace quendrix
