// The intro and credits windows for the launch pad: each shown modally on
// the run's one window, over the screen the launch pad covers, through the
// program's message loop. (Kept apart from the play screen's code, whose
// headers share names with the video windows'.)
#pragma once

#include <filesystem>
#include <functional>
#include <string>

#include "launchpad/launchpad04.h"
#include "platform/events.h"

namespace quendrix {

class Screen;

class ScreenVideos : public VideoWindows {
 public:
  // `launchpad` points at the launch pad once it exists (its size is the
  // screen the clips cover); `reportError` takes cp1251 texts.
  ScreenVideos(Screen& screen, MessageLoop& loop, const Tlaunchpad*& launchpad,
               std::filesystem::path dataDir, std::function<void(const std::string&)> reportError);

  void ShowIntro() override { Show(false); }
  void ShowCredits() override { Show(true); }
  // The window manager asked to close during a clip: the program ends.
  bool CloseRequested() const { return closeRequested_; }

 private:
  void Show(bool credits);

  Screen& screen_;
  const Tlaunchpad*& launchpad_;
  std::filesystem::path dataDir_;
  std::function<void(const std::string&)> reportError_;
  MessageLoop& loop_;
  bool closeRequested_ = false;
};

}  // namespace quendrix
