// The ImGui view of the panels (controls.h): draws each visible panel as a
// borderless, fixed ImGui window at its place on the caller's canvas in the
// flat style (flat_style.h), and turns pointer use into the panel's calls,
// so the controls' events fire as a press completes. Keys and pads reach
// the panel as menu actions (menu_input.h).
//
// The view makes no window. The caller owns the SDL renderer, sets the
// render target (the canvas) and says how large the canvas is; it feeds SDL
// events with pointer positions already in canvas pixels, then calls Frame,
// which draws into the current target. With no renderer nothing is drawn
// but everything else runs, which is how tests click controls.
//
// Panels given to Frame must live until the next Frame (a press in
// progress points at its control); pictures keep their uploaded texture
// for the view's lifetime.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

#include "widgets/controls.h"
#include "widgets/menu_input.h"

struct ImGuiContext;
struct SDL_Renderer;
struct SDL_Texture;
union SDL_Event;

namespace quendrix::widgets {

class WidgetView {
 public:
  explicit WidgetView(SDL_Renderer* renderer, int32_t canvasWidth = 640,
                      int32_t canvasHeight = 480);
  ~WidgetView();
  WidgetView(const WidgetView&) = delete;
  WidgetView& operator=(const WidgetView&) = delete;

  void SetCanvasSize(int32_t width, int32_t height);

  // One SDL event (pointer positions in canvas pixels). Keys, the mouse's
  // back buttons and pad buttons become menu actions for `keyPanel`, the
  // panel that has the keyboard (may be null); what it does not use comes
  // back for the caller (kNone otherwise). While one of its edits is typed
  // in, text and caret keys go to that edit.
  MenuAction HandleEvent(const SDL_Event& event, Panel* keyPanel);
  // The repeat of a held pad direction, for `keyPanel`, when one is due;
  // an unused one comes back. Call once a frame.
  MenuAction Tick(Panel* keyPanel);
  // Milliseconds until Tick has a repeat to give (MenuInput::kNoRepeat
  // while no pad direction is held).
  uint32_t MillisecondsToNextTick() const;

  // Draws the visible panels, later ones over earlier ones, and fires the
  // events of what the pointer did since the last frame. `under`, when
  // given, runs inside the ImGui frame before any panel is laid out: what it
  // copies into the target with SDL lies under the panels, and what it adds
  // to ImGui's background draw list (the FLIC player's missing-file text)
  // is drawn under them too.
  void Frame(std::span<Panel* const> panels, const std::function<void()>& under = {});
  void Frame(std::initializer_list<Panel*> panels) {
    Frame(std::span<Panel* const>(panels.begin(), panels.size()));
  }

  // A press the pointer completes (mouse up, click, change) is delivered at
  // the end of Frame, once it has drawn. Deferred, it waits for
  // DeliverReleases instead, so that a handler which draws frames of its
  // own or runs another screen modally never runs inside a frame.
  void SetDeferredReleases(bool deferred) { deferReleases_ = deferred; }
  // True when a press was delivered.
  bool DeliverReleases();

  // Whether the flat font (DejaVu Sans) was found.
  bool HasFlatFont() const { return flatFont_; }

 private:
  struct PointerOwner {
    Panel* panel = nullptr;
    Control* control = nullptr;
    int32_t part = -1;
    float x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // canvas rectangle the press began in
  };
  struct Texture {
    SDL_Texture* texture = nullptr;
    uint32_t revision = 0;
  };

  void DrawPanel(Panel& panel);
  void DrawContainer(Panel& panel, const Container& container, float x, float y);
  void DrawControl(Panel& panel, Control& control, float x, float y);
  void DrawButton(Panel& panel, Button& button, float x, float y);
  void DrawCheck(Panel& panel, Control& control, float x, float y);
  void DrawDropDown(Panel& panel, DropDown& list, float x, float y);
  // The open list's popup under (or over) the box spanning [top, bottom).
  void DrawList(Panel& panel, DropDown& list, float x, float top, float bottom);
  void DrawEdit(Panel& panel, Edit& edit, float x, float y);
  void DrawTabBox(Panel& panel, TabBox& box, float x, float y);
  void DrawPicture(Picture& picture, float x, float y);
  void DrawLabel(Label& label, float x, float y);
  // An invisible hit area; a press that starts on it is the pointer's.
  bool Hit(Panel& panel, Control& control, int32_t part, float x0, float y0, float x1, float y1);
  bool Held(const Control& control, int32_t part) const;
  void FocusRing(const Panel& panel, const Control& control, float x0, float y0, float x1,
                 float y1);
  SDL_Texture* TextureOf(const Picture& picture);
  MenuAction Use(MenuAction action, Panel* keyPanel);

  SDL_Renderer* renderer_;
  ImGuiContext* context_;
  bool flatFont_ = false;
  int32_t canvasWidth_, canvasHeight_;
  MenuInput input_;

  // Pointer and keys as the events left them, for the next frame. A press
  // and release between two frames still shows as a press for one frame.
  float mouseX_ = -1e6f, mouseY_ = -1e6f;
  bool mouseDown_ = false, mousePressed_ = false;
  float wheel_ = 0;
  static constexpr int kKeys = 12;
  bool keyDown_[kKeys] = {}, keyPressed_[kKeys] = {};
  bool ctrl_ = false, shift_ = false;
  std::string pendingText_;
  bool swallowText_ = false;  // the next text event belongs to the key that began typing
  uint32_t lastTicks_ = 0;

  PointerOwner owner_;
  // A release waiting for delivery: the press it completes, and whether the
  // pointer came up inside the control.
  PointerOwner released_;
  bool releasedInside_ = false;
  bool deferReleases_ = false;
  const Panel* keyPanel_ = nullptr;  // the panel the keys went to last; only it shows its focus
  DropDown* viewList_ = nullptr;     // the list the ImGui popup is open for
  int32_t shownHighlight_ = -1;      // the highlight the popup last scrolled to
  Edit* focusAsked_ = nullptr;       // the edit asked to take ImGui's keyboard
  std::vector<char> editBuffer_;     // UTF-8 an edit is typed into; grows, never shrinks
  std::unordered_map<const Picture*, Texture> textures_;
};

}  // namespace quendrix::widgets
