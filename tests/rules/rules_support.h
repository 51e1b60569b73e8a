// Shared pieces of the rules, HUD and command tests: image lists whose every
// cell is painted in a colour that names it, a screen to draw on, and a play
// host that records what the handlers ask of the play screen.
#pragma once

#include <cstdint>
#include <string>
#include <type_traits>
#include <vector>

#include "game/data_catalogue.h"
#include "game/play_host.h"
#include "media/image_list.h"
#include "media/surface.h"

namespace quendrix::testing {

// Colour of cell `cell` of item `item`: never black (the colour key), and
// different for every (item, cell) up to 31 items of 120 cells.
TColor CellColour(int32_t item, int32_t cell);
// The (item, cell) a screen pixel shows; {-1, -1} for black or anything else.
struct CellId {
  CellId() = default;
  constexpr CellId(int32_t itemIndex, int32_t cellIndex) : item(itemIndex), cell(cellIndex) {}
  template <typename Item>
  requires std::is_enum_v<Item>
  constexpr CellId(Item catalogueItem, int32_t cellIndex)
      : item(ItemIndex(catalogueItem)), cell(cellIndex) {}
  int32_t item = -1;
  int32_t cell = -1;
  bool operator==(const CellId&) const = default;
};
CellId CellAt(const TDirectDrawSurface& screen, int32_t x, int32_t y);

// Adds item `index` (items before it are filled with empty pictures) of
// `cells` cells of w x h side by side, each painted in its CellColour,
// surfaces built. `index` must be below 31.
void AddMarkedItem(TDXImageList& list, int32_t index, int32_t w, int32_t h, int32_t cells);
template <typename Item>
requires std::is_enum_v<Item>
void AddMarkedItem(TDXImageList& list, Item item, int32_t w, int32_t h, int32_t cells) {
  AddMarkedItem(list, ItemIndex(item), w, h, cells);
}

// A black RGB565 surface.
struct Screen {
  explicit Screen(int32_t w = 640, int32_t h = 480) : surface(w, h) { surface.FillRaw(0); }
  CellId At(int32_t x, int32_t y) const { return CellAt(surface, x, y); }
  // Pixels that are not black.
  int32_t Lit() const;
  TDirectDrawSurface surface;
};

// Records every request; the frame interval and surface size are plain
// values the test can set.
class RecordingHost final : public PlayHost {
 public:
  int32_t SurfaceWidth() const override { return width; }
  int32_t SurfaceHeight() const override { return height; }
  void SetCursorPos(int32_t x, int32_t y) override { cursorMoves.push_back({x, y}); }
  int32_t FrameInterval() const override { return interval; }
  void SetFrameInterval(int32_t ms) override { interval = ms; }
  void SetAmbientLoop(bool playing) override { ambient.push_back(playing); }
  void ShotLeftDown() override { ++leftDowns; }
  void ShotLeftUp() override { ++leftUps; }
  void ShotCancel() override { ++cancels; }
  void LeavePlayScreen() override { ++leaves; }

  int32_t width = 640, height = 480;
  int32_t interval = 0;
  std::vector<TPoint> cursorMoves;
  std::vector<bool> ambient;
  int leftDowns = 0, leftUps = 0, cancels = 0, leaves = 0;
};

}  // namespace quendrix::testing
