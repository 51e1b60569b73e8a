// The launch pad on the screen: draws Tlaunchpad's state into the current
// render target (a canvas of the launch pad's size) and turns SDL events,
// already in canvas pixels, into its handler calls.
//
// A frame: the background (the animation, drawn by the caller's callback
// inside the ImGui frame), the copyright line at the bottom right, the open
// panel through the widget view, and on the main menu the menu picture with
// its lit spot. Presses the pointer completes are delivered after the frame
// (DeliverReleases), never inside it: the launch pad's handlers draw frames
// of their own (the panel change) and run other screens modally.
//
// Keys and pads: Enter (and pad A) on a panel presses its main button unless
// the panel wants the key itself; every other key goes to the open panel as
// a menu action, and what the panel leaves comes back to the launch pad
// (main menu spots, the way back). Window keys (F11, Alt+Enter, F12) are
// the caller's.
#pragma once

#include <SDL.h>

#include <functional>
#include <memory>

#include "launchpad/launchpad04.h"
#include "media/bitmap.h"
#include "widgets/hot_image_view.h"
#include "widgets/widget_view.h"

namespace quendrix {

class LaunchpadView {
 public:
  // `renderer` may be null: nothing is drawn, everything else runs.
  // `menuPicture` and `menuLit`: items 0 and 1 of "launchpad.dxg" (empty
  // pictures draw no menu picture).
  LaunchpadView(Tlaunchpad& launchpad, SDL_Renderer* renderer, Bitmap menuPicture, Bitmap menuLit);
  ~LaunchpadView();
  LaunchpadView(const LaunchpadView&) = delete;
  LaunchpadView& operator=(const LaunchpadView&) = delete;

  // One event, pointer positions in canvas pixels.
  void HandleEvent(const SDL_Event& event);
  // Once a frame: the repeat of a held pad direction.
  void Tick();
  // Milliseconds until Tick has work (MenuInput::kNoRepeat: none).
  uint32_t MillisecondsToNextTick() const { return widgets_.MillisecondsToNextTick(); }
  // Draws one frame of the launch pad into the renderer's current target.
  // `background` runs first, inside the ImGui frame.
  void Draw(const std::function<void()>& background);
  // Runs the handlers of the presses the last frame completed; true when
  // there was one (the picture is then to be drawn again).
  bool DeliverReleases() { return widgets_.DeliverReleases(); }
  // Frees the textures (before the renderer goes).
  void Release();

  // Whether the flat font was found.
  bool HasFlatFont() const { return widgets_.HasFlatFont(); }

 private:
  void DrawCopyright();
  void DrawPanelFrames();

  Tlaunchpad& lp_;
  SDL_Renderer* renderer_;
  widgets::WidgetView widgets_;
  std::unique_ptr<HotImageView> menuView_;
};

// The two menu pictures of "launchpad.dxg" in `dataDir`; empty pictures
// when the list cannot be read.
struct MenuPictures {
  Bitmap picture, lit;
};
MenuPictures LoadMenuPictures(const std::filesystem::path& dataDir);

}  // namespace quendrix
