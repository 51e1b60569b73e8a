// Image lists: items that own a picture, cut it into patterns and draw those
// patterns onto a surface, colour-keyed or blended.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "media/list_file.h"
#include "media/surface.h"

namespace quendrix {

class TDXDraw;
class TDXImageList;

// How a picture is cut: columns = (picture width + SW) div (PW + SW), rows
// likewise; pattern k sits in column k mod columns, row k div columns.
struct PatternGrid {
  int32_t width = 0;  // effective pattern size
  int32_t height = 0;
  int32_t skipWidth = 0;
  int32_t skipHeight = 0;
  int32_t columns = 0;
  int32_t rows = 0;

  int32_t Count() const;
  TRect Rect(int32_t index) const;  // index must be 0 ... Count()-1
};
PatternGrid CutPatterns(const PictureItemData& item);

class TPictureCollectionItem : public PictureItemData {
 public:
  TPictureCollectionItem() = default;
  explicit TPictureCollectionItem(PictureItemData data) : PictureItemData(std::move(data)) {}

  // Effective pattern size: the property when above 0, else the picture's.
  int32_t PatternWidth() const { return patternWidth > 0 ? patternWidth : picture.Width(); }
  int32_t PatternHeight() const { return patternHeight > 0 ? patternHeight : picture.Height(); }
  // Patterns the picture was cut into when the surface was built; 0 before.
  int32_t PatternCount() const { return surface_ ? grid_.Count() : 0; }
  TRect PatternRect(int32_t index) const { return grid_.Rect(index); }

  // All four draw nothing without a surface, with an index outside
  // 0 ... PatternCount()-1, and (blends) with alpha <= 0.
  void DrawPattern(TDirectDrawSurface& dest, int32_t x, int32_t y, int32_t index) const;
  void DrawPatternAdd(TDirectDrawSurface& dest, const TRect& destRect, int32_t index,
                      int32_t alpha) const;
  void DrawPatternAlpha(TDirectDrawSurface& dest, const TRect& destRect, int32_t index,
                        int32_t alpha) const;
  void DrawPatternSub(TDirectDrawSurface& dest, const TRect& destRect, int32_t index,
                      int32_t alpha) const;

  // Copies the bitmap into the picture; the surface is not rebuilt.
  void SetPicture(const Bitmap& bitmap) { picture = bitmap; }
  Bitmap& Picture() { return picture; }
  const Bitmap& Picture() const { return picture; }

  bool HasSurface() const { return surface_ != nullptr; }
  const TDirectDrawSurface* Surface() const { return surface_.get(); }
  // Converts the picture into a native surface with the colour key
  // NativeColor(TransparentColor) and cuts the patterns.
  void BuildSurface();
  void ReleaseSurface() { surface_.reset(); }

 private:
  bool Source(int32_t index, TRect& rect) const;

  std::unique_ptr<TDirectDrawSurface> surface_;
  PatternGrid grid_;
};

class TPictureCollection {
 public:
  int32_t Count() const { return static_cast<int32_t>(items_.size()); }
  // Throws std::out_of_range for an index outside 0 ... Count()-1.
  TPictureCollectionItem& operator[](int32_t index);
  const TPictureCollectionItem& operator[](int32_t index) const;
  // nullptr for an index outside 0 ... Count()-1.
  const TPictureCollectionItem* Find(int32_t index) const {
    return index >= 0 && index < Count() ? items_[static_cast<size_t>(index)].get() : nullptr;
  }
  TPictureCollectionItem& Add();
  void Clear() { items_.clear(); }

 private:
  friend class TDXImageList;
  std::vector<std::unique_ptr<TPictureCollectionItem>> items_;
};

class TDXImageList {
 public:
  explicit TDXImageList(TDXDraw* dxDraw = nullptr);
  ~TDXImageList();
  TDXImageList(const TDXImageList&) = delete;
  TDXImageList& operator=(const TDXImageList&) = delete;

  void SetDXDraw(TDXDraw* dxDraw);
  TDXDraw* DXDraw() const { return dxDraw_; }

  TPictureCollection Items;

  // Replaces every item by the file's. The file is read first (a missing
  // file throws FileError and leaves the list alone); then the list is
  // cleared and filled; a format error keeps the items read before it and
  // propagates. With the drawing surface open the surfaces are built at once.
  void LoadListFile(const std::string& path);
  void LoadListData(std::span<const uint8_t> file);
  // Replaces the items named like an item of the file by the file's (a
  // language's pictures with words over the shared list); the others stay.
  // Errors as LoadListFile's, leaving the list alone.
  void OverlayListFile(const std::string& path);

  // Builds every item's surface; throws MediaError
  // "TPictureCollection cannot be initialized" while the drawing surface is closed.
  void Initialize();

  // Called by the drawing surface as it opens, restores and closes.
  void BuildSurfaces();
  void ReleaseSurfaces();
  void DetachDraw() { dxDraw_ = nullptr; }

 private:
  bool SurfaceOpen() const;

  TDXDraw* dxDraw_ = nullptr;
};

}  // namespace quendrix
