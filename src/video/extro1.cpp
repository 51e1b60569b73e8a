#include "video/extro1.h"

#include <utility>

namespace quendrix {

Textro::Textro(ClipDevice& device, SystemPointer& pointer, VideoClock& clock, std::string folder,
               std::string clip)
    : TVideoWindow(device, pointer, clock, std::move(folder)), clip_(std::move(clip)) {}

void Textro::FormShow() {
  PrepareClip(clip_.c_str(), true);
}

void Textro::MediaPlayer1Notify() {
  EndWindow();
}

}  // namespace quendrix
