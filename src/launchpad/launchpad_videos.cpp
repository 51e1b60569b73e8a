#include "launchpad/launchpad_videos.h"

#include "platform/screen.h"
#include "video/video_modal.h"

namespace quendrix {

ScreenVideos::ScreenVideos(Screen& screen, MessageLoop& loop, const Tlaunchpad*& launchpad,
                           std::filesystem::path dataDir,
                           std::function<void(const std::string&)> reportError)
    : screen_(screen),
      launchpad_(launchpad),
      dataDir_(std::move(dataDir)),
      reportError_(std::move(reportError)),
      loop_(loop) {}

void ScreenVideos::Show(bool credits) {
  const int32_t w = launchpad_ != nullptr ? launchpad_->Width() : 640;
  const int32_t h = launchpad_ != nullptr ? launchpad_->Height() : 480;
  if (screen_.BeginFrame(w, h) == nullptr) return;
  VideoHost host;
  host.renderer = screen_.Renderer();
  host.width = w;
  host.height = h;
  // Each clip frame is drawn into the canvas and put on the window; the
  // next one starts on a fresh canvas.
  host.present = [this, w, h] {
    screen_.EndFrame();
    screen_.BeginFrame(w, h);
  };
  host.loop = &loop_;
  host.folder = dataDir_.string() + "/";
  host.reportError = reportError_;
  loop_.GetPointer().SetArea(w, h);
  const VideoEnd end = credits ? ShowCreditsModal(host) : ShowIntroModal(host);
  if (end == VideoEnd::kCloseRequested) closeRequested_ = true;
}

}  // namespace quendrix
