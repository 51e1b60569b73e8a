#include "video/intro01.h"

namespace quendrix {

void Tintro::FormShow() {
  PrepareClip(kLogoClip, true);
}

void Tintro::MediaPlayer1Notify() {
  if (MediaPlayer1.FileName == Folder() + kIntroClip) EndWindow();
  // Checked after the first test on purpose: ending clears the file name,
  // so the intro's own end never starts it again.
  if (MediaPlayer1.FileName == Folder() + kLogoClip) {
    PrepareClip(kIntroClip, false);
    MediaPlayer1.Play();
  }
}

}  // namespace quendrix
