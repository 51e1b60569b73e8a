// The intro window: the maker's logo clip, then the game's intro clip.
#pragma once

#include "video/video_window.h"

namespace quendrix {

inline constexpr const char* kLogoClip = "tarn.avi";
inline constexpr const char* kIntroClip = "intro.avi";

class Tintro : public TVideoWindow {
 public:
  using TVideoWindow::TVideoWindow;

  // Prepares the logo clip.
  void FormShow() override;
  // The end of the intro clip closes the window; the end of the logo clip
  // starts the intro clip. Any other file name (cleared by an early end)
  // does nothing.
  void MediaPlayer1Notify() override;
};

}  // namespace quendrix
