// The credits window: plays the credits clip once; its end, a key or a
// click closes it.
#pragma once

#include <string>

#include "video/video_window.h"

namespace quendrix {

inline constexpr const char* kCreditsClip = "credits.avi";

class Textro : public TVideoWindow {
 public:
  // `clip` is the file the window plays from `folder`; the game's credits
  // clip unless a tool shows another.
  Textro(ClipDevice& device, SystemPointer& pointer, VideoClock& clock, std::string folder,
         std::string clip = kCreditsClip);

  void FormShow() override;
  void MediaPlayer1Notify() override;

 private:
  std::string clip_;
};

}  // namespace quendrix
