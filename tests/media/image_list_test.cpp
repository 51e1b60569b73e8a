#include <gtest/gtest.h>

#include "media/dx_draw.h"
#include "media/image_list.h"
#include "media/list_file.h"
#include "media/media_error.h"

namespace quendrix {
namespace {

PictureItemData Item(int w, int h, int pw, int ph, int sw = 0, int sh = 0) {
  PictureItemData d;
  d.picture = Bitmap(w, h, clWhite);
  d.patternWidth = pw;
  d.patternHeight = ph;
  d.skipWidth = sw;
  d.skipHeight = sh;
  return d;
}

TEST(PatternCutting, CountsColumnsAndRowsWithGaps) {
  EXPECT_EQ(CutPatterns(Item(96, 32, 0, 0)).Count(), 1);  // whole picture
  const PatternGrid four = CutPatterns(Item(96, 16, 24, 16));
  EXPECT_EQ(four.columns, 4);
  EXPECT_EQ(four.Count(), 4);
  EXPECT_EQ(four.Rect(3), Bounds(72, 0, 24, 16));
  // 3 columns of 10 with gaps of 2 fit in 34 (10+2+10+2+10); rows likewise.
  const PatternGrid gaps = CutPatterns(Item(34, 23, 10, 10, 2, 3));
  EXPECT_EQ(gaps.columns, 3);
  EXPECT_EQ(gaps.rows, 2);
  EXPECT_EQ(gaps.Rect(4), Bounds(12, 13, 10, 10));                // column 1, row 1
  EXPECT_EQ(CutPatterns(Item(33, 10, 10, 10, 2, 0)).columns, 2);  // one pixel short of a third
  // A pattern wider than the picture, an empty picture, gaps that cancel the
  // step: no patterns, and no division by zero.
  EXPECT_EQ(CutPatterns(Item(50, 10, 100, 10)).Count(), 0);
  EXPECT_EQ(CutPatterns(Item(0, 0, 10, 10)).Count(), 0);
  EXPECT_EQ(CutPatterns(Item(40, 10, 10, 10, -10, 0)).Count(), 0);
  EXPECT_EQ(CutPatterns(Item(40, 10, 10, 10, -15, 0)).Count(), 0);
  // Negative property values mean "the picture's size".
  EXPECT_EQ(CutPatterns(Item(40, 10, -3, -3)).Count(), 1);
}

// A 4 x 2 picture: two 2 x 2 patterns; pattern 0 has a fuchsia (key) corner.
PictureItemData TwoPatterns() {
  PictureItemData d = Item(4, 2, 2, 2);
  d.transparentColor = clFuchsia;
  d.picture.SetPixel(0, 0, clFuchsia);
  d.picture.SetPixel(1, 0, clRed);
  d.picture.SetPixel(2, 0, clBlue);
  return d;
}

struct Screen {
  MemoryDisplay display;
  TDXDraw draw{&display};
  TDXImageList list{&draw};
  Screen() {
    draw.SetOptions(doFullScreen | doSystemMemory);
    draw.Display.SetBitCount(16);
    draw.Display.SetWidth(8);
    draw.Display.SetHeight(6);
  }
};

TEST(ImageList, SurfacesAreBuiltWhenTheDrawingSurfaceOpens) {
  Screen s;
  s.list.Items.Add() = TPictureCollectionItem(TwoPatterns());
  auto& item = s.list.Items[0];
  EXPECT_FALSE(item.HasSurface());
  EXPECT_EQ(item.PatternCount(), 0);
  item.DrawPattern(s.draw.Surface(), 0, 0, 0);  // no surface yet: nothing, no crash
  EXPECT_THROW(s.list.Initialize(), MediaError);
  s.draw.Initialize();
  ASSERT_TRUE(item.HasSurface());
  EXPECT_EQ(item.PatternCount(), 2);
  EXPECT_EQ(item.Surface()->ColorKey(), 0xF81Fu);
  s.draw.Finalize();
  EXPECT_FALSE(item.HasSurface());
}

TEST(ImageList, DrawPatternHonoursIndexAndColourKey) {
  Screen s;
  s.list.Items.Add() = TPictureCollectionItem(TwoPatterns());
  s.draw.Initialize();
  auto& back = s.draw.Surface();
  auto& item = s.list.Items[0];
  back.FillRaw(0x1111);
  item.DrawPattern(back, 1, 1, 0);
  EXPECT_EQ(back.RawPixel(1, 1), 0x1111u);  // key pixel skipped
  EXPECT_EQ(back.RawPixel(2, 1), 0xF800u);
  EXPECT_EQ(back.RawPixel(1, 2), 0xFFFFu);
  item.DrawPattern(back, 5, 0, 1);
  EXPECT_EQ(back.RawPixel(5, 0), 0x001Fu);
  back.FillRaw(0x1111);
  item.DrawPattern(back, 0, 0, -1);
  item.DrawPattern(back, 0, 0, 2);  // == PatternCount
  item.DrawPatternAdd(back, {0, 0, 2, 2}, 5, 255);
  item.DrawPatternAlpha(back, {0, 0, 2, 2}, 0, 0);
  for (uint16_t p : back.Pixels()) ASSERT_EQ(p, 0x1111);
  item.transparent = false;
  item.DrawPattern(back, 0, 0, 0);
  EXPECT_EQ(back.RawPixel(0, 0), 0xF81Fu);            // key colour drawn as a colour
  item.DrawPatternAlpha(back, {4, 2, 8, 6}, 0, 255);  // scaled 2x, no key
  EXPECT_EQ(back.RawPixel(5, 3), 0xF81Fu);
  EXPECT_EQ(back.RawPixel(6, 3), 0xF800u);
}

TEST(ImageList, PictureChangesDoNotRebuildTheSurface) {
  Screen s;
  s.list.Items.Add() = TPictureCollectionItem(TwoPatterns());
  s.draw.Initialize();
  auto& item = s.list.Items[0];
  item.SetPicture(Bitmap(16, 16, clGreen));
  EXPECT_EQ(item.PatternWidth(), 2);  // property set: stays
  EXPECT_EQ(item.PatternCount(), 2);  // still cut from the old surface
  item.Picture().SetPixel(3, 3, s.draw.Surface().NativeColor(clWhite));
  EXPECT_EQ(item.Picture().Pixel(3, 3), 0xFFFFu);  // raw values survive in the picture
  item.patternWidth = 0;
  EXPECT_EQ(item.PatternWidth(), 16);
}

TEST(ImageList, LoadListFileBuildsAtOnceWhenOpenAndKeepsItemsBeforeAnError) {
  Screen s;
  s.draw.Initialize();
  std::vector<PictureItemData> items = {TwoPatterns(), Item(3, 3, 0, 0)};
  auto bytes = EncodeImageList(items);
  s.list.LoadListData(bytes);
  ASSERT_EQ(s.list.Items.Count(), 2);
  EXPECT_TRUE(s.list.Items[1].HasSurface());
  EXPECT_EQ(s.list.Items[0].PatternCount(), 2);
  EXPECT_THROW(s.list.Items[2], std::out_of_range);
  bytes.resize(bytes.size() - 40);  // cut inside the second item
  EXPECT_THROW(s.list.LoadListData(bytes), MediaError);
  ASSERT_GE(s.list.Items.Count(), 1);
  EXPECT_EQ(s.list.Items[0].picture, items[0].picture);
  EXPECT_TRUE(s.list.Items[0].HasSurface());
  EXPECT_THROW(s.list.LoadListFile("/nonexistent/gui.dxg"), FileError);
}

TEST(ImageList, LostDisplayIsRestoredAndListsRebuilt) {
  Screen s;
  s.list.Items.Add() = TPictureCollectionItem(TwoPatterns());
  s.draw.Initialize();
  s.list.Items[0].ReleaseSurface();
  s.display.lost = true;
  s.display.restorable = false;
  EXPECT_FALSE(s.draw.IsReady());
  s.display.restorable = true;
  EXPECT_TRUE(s.draw.IsReady());
  EXPECT_TRUE(s.list.Items[0].HasSurface());
}

}  // namespace
}  // namespace quendrix
