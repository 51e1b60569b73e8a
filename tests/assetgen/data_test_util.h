// Shared helpers of the data tests: paths into the build's data folder and
// the pattern cutting the game applies to an image item.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "media/list_file.h"

namespace quendrix::testing {

// Tests run in the build folder; the data lies in its bin folder.
inline std::string DataPath(const std::string& name) {
  return "bin/" + name;
}

inline int EffectiveW(const PictureItemData& item) {
  return item.patternWidth > 0 ? item.patternWidth : item.picture.Width();
}
inline int EffectiveH(const PictureItemData& item) {
  return item.patternHeight > 0 ? item.patternHeight : item.picture.Height();
}
inline int PatternCount(const PictureItemData& item) {
  int cols = (item.picture.Width() + item.skipWidth) / (EffectiveW(item) + item.skipWidth);
  int rows = (item.picture.Height() + item.skipHeight) / (EffectiveH(item) + item.skipHeight);
  return cols * rows;
}

// True when the pattern-sized cell `k` of a one-row strip holds only the key.
inline bool CellBlank(const Bitmap& strip, int k, int w, int h, TColor key) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (strip.Pixel(k * w + x, y) != key) return false;
  return true;
}

inline bool CellsEqual(const Bitmap& strip, int a, int b, int w, int h) {
  for (int y = 0; y < h; ++y)
    for (int x = 0; x < w; ++x)
      if (strip.Pixel(a * w + x, y) != strip.Pixel(b * w + x, y)) return false;
  return true;
}

}  // namespace quendrix::testing
