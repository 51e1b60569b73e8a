#include "rules_support.h"

namespace quendrix::testing {

namespace {
constexpr int32_t kCellsPerItem = 120;
}

TColor CellColour(int32_t item, int32_t cell) {
  // Red and green carry the cell (5 + 6 bits survive RGB565), blue the item.
  const int32_t r = 1 + cell % 31;
  const int32_t g = 1 + cell / 31;
  const int32_t b = 1 + item;
  return static_cast<TColor>((r << 3) | ((g << 2) << 8) | ((b << 3) << 16));
}

CellId CellAt(const TDirectDrawSurface& screen, int32_t x, int32_t y) {
  if (x < 0 || y < 0 || x >= screen.Width() || y >= screen.Height()) return {};
  const uint32_t raw = screen.RawPixel(x, y);
  const int32_t r = static_cast<int32_t>(raw >> 11);
  const int32_t g = static_cast<int32_t>((raw >> 5) & 63);
  const int32_t b = static_cast<int32_t>(raw & 31);
  if (r == 0 || g == 0 || b == 0) return {};
  const int32_t cell = (r - 1) + 31 * (g - 1);
  if (cell >= kCellsPerItem) return {};
  return {b - 1, cell};
}

void AddMarkedItem(TDXImageList& list, int32_t index, int32_t w, int32_t h, int32_t cells) {
  while (list.Items.Count() <= index) list.Items.Add();
  TPictureCollectionItem& item = list.Items[index];
  item.patternWidth = w;
  item.patternHeight = h;
  Bitmap picture(w * cells, h);
  for (int32_t k = 0; k < cells; ++k)
    for (int32_t y = 0; y < h; ++y)
      for (int32_t x = 0; x < w; ++x) picture.SetPixel(k * w + x, y, CellColour(index, k));
  item.SetPicture(picture);
  item.BuildSurface();
}

int32_t Screen::Lit() const {
  int32_t lit = 0;
  for (const uint16_t p : surface.Pixels()) lit += p != 0;
  return lit;
}

}  // namespace quendrix::testing
