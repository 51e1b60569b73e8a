#include "media/image_list.h"

#include <algorithm>
#include <limits>
#include <stdexcept>

#include "media/byte_io.h"
#include "media/dx_draw.h"
#include "media/list_file.h"
#include "media/media_error.h"

namespace quendrix {

// ---- Patterns -------------------------------------------------------------

PatternGrid CutPatterns(const PictureItemData& item) {
  PatternGrid g;
  const int32_t w = item.picture.Width(), h = item.picture.Height();
  g.width = item.patternWidth > 0 ? item.patternWidth : w;
  g.height = item.patternHeight > 0 ? item.patternHeight : h;
  g.skipWidth = item.skipWidth;
  g.skipHeight = item.skipHeight;
  if (w <= 0 || h <= 0) return g;
  // Gaps so negative that a step is not positive cut nothing (no division by zero).
  const int64_t stepX = static_cast<int64_t>(g.width) + g.skipWidth;
  const int64_t stepY = static_cast<int64_t>(g.height) + g.skipHeight;
  if (stepX <= 0 || stepY <= 0) return g;
  const int64_t cols = (static_cast<int64_t>(w) + g.skipWidth) / stepX;
  const int64_t rows = (static_cast<int64_t>(h) + g.skipHeight) / stepY;
  g.columns = static_cast<int32_t>(std::clamp<int64_t>(cols, 0, w));
  g.rows = static_cast<int32_t>(std::clamp<int64_t>(rows, 0, h));
  return g;
}

int32_t PatternGrid::Count() const {
  const int64_t n = static_cast<int64_t>(columns) * rows;
  return static_cast<int32_t>(std::min<int64_t>(n, std::numeric_limits<int32_t>::max()));
}

TRect PatternGrid::Rect(int32_t index) const {
  if (columns <= 0) return {};
  const int64_t col = index % columns, row = index / columns;
  const int64_t x = col * (static_cast<int64_t>(width) + skipWidth);
  const int64_t y = row * (static_cast<int64_t>(height) + skipHeight);
  return Bounds(static_cast<int32_t>(x), static_cast<int32_t>(y), width, height);
}

// ---- Items ------------------------------------------------------------------

void TPictureCollectionItem::BuildSurface() {
  auto s = std::make_unique<TDirectDrawSurface>(picture.Width(), picture.Height());
  for (int32_t y = 0; y < s->Height(); ++y) {
    const TColor* src = picture.Row(y);
    uint16_t* dst = s->Row(y);
    for (int32_t x = 0; x < s->Width(); ++x) dst[x] = TDirectDrawSurface::ToRgb565(src[x]);
  }
  s->SetColorKey(static_cast<uint16_t>(s->NativeColor(transparentColor)));
  grid_ = CutPatterns(*this);
  surface_ = std::move(s);
}

bool TPictureCollectionItem::Source(int32_t index, TRect& rect) const {
  if (!surface_ || index < 0 || index >= grid_.Count()) return false;
  rect = grid_.Rect(index);
  return true;
}

void TPictureCollectionItem::DrawPattern(TDirectDrawSurface& dest, int32_t x, int32_t y,
                                         int32_t index) const {
  TRect src;
  if (Source(index, src)) dest.Draw(x, y, *surface_, src, transparent);
}

void TPictureCollectionItem::DrawPatternAdd(TDirectDrawSurface& dest, const TRect& destRect,
                                            int32_t index, int32_t alpha) const {
  TRect src;
  if (Source(index, src)) dest.DrawAdd(destRect, *surface_, src, transparent, alpha);
}

void TPictureCollectionItem::DrawPatternAlpha(TDirectDrawSurface& dest, const TRect& destRect,
                                              int32_t index, int32_t alpha) const {
  TRect src;
  if (Source(index, src)) dest.DrawAlpha(destRect, *surface_, src, transparent, alpha);
}

void TPictureCollectionItem::DrawPatternSub(TDirectDrawSurface& dest, const TRect& destRect,
                                            int32_t index, int32_t alpha) const {
  TRect src;
  if (Source(index, src)) dest.DrawSub(destRect, *surface_, src, transparent, alpha);
}

// ---- Collection -------------------------------------------------------------

TPictureCollectionItem& TPictureCollection::operator[](int32_t index) {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  return *items_[static_cast<size_t>(index)];
}

const TPictureCollectionItem& TPictureCollection::operator[](int32_t index) const {
  if (index < 0 || index >= Count()) throw std::out_of_range("List index out of bounds");
  return *items_[static_cast<size_t>(index)];
}

TPictureCollectionItem& TPictureCollection::Add() {
  items_.push_back(std::make_unique<TPictureCollectionItem>());
  return *items_.back();
}

// ---- List -------------------------------------------------------------------

TDXImageList::TDXImageList(TDXDraw* dxDraw) {
  SetDXDraw(dxDraw);
}

TDXImageList::~TDXImageList() {
  if (dxDraw_) dxDraw_->Detach(this);
}

void TDXImageList::SetDXDraw(TDXDraw* dxDraw) {
  if (dxDraw_) dxDraw_->Detach(this);
  dxDraw_ = dxDraw;
  if (dxDraw_) dxDraw_->Attach(this);
}

bool TDXImageList::SurfaceOpen() const {
  return dxDraw_ && dxDraw_->Initialized();
}

void TDXImageList::LoadListFile(const std::string& path) {
  const auto bytes = ReadFileBytes(path);
  LoadListData(bytes);
}

void TDXImageList::LoadListData(std::span<const uint8_t> file) {
  Items.Clear();
  std::vector<PictureItemData> read;
  auto take = [&] {
    for (auto& item : read)
      Items.items_.push_back(std::make_unique<TPictureCollectionItem>(std::move(item)));
    if (SurfaceOpen()) BuildSurfaces();
  };
  try {
    ReadImageList(file, read);
  } catch (const MediaError&) {
    take();
    throw;
  }
  take();
}

void TDXImageList::OverlayListFile(const std::string& path) {
  std::vector<PictureItemData> read;
  LoadImageListFile(path, read);
  for (PictureItemData& data : read) {
    for (auto& item : Items.items_) {
      if (item->name != data.name) continue;
      item = std::make_unique<TPictureCollectionItem>(std::move(data));
      if (SurfaceOpen()) item->BuildSurface();
      break;
    }
  }
}

void TDXImageList::Initialize() {
  if (!SurfaceOpen()) throw MediaError("TPictureCollection cannot be initialized");
  BuildSurfaces();
}

void TDXImageList::BuildSurfaces() {
  for (auto& item : Items.items_) item->BuildSurface();
}

void TDXImageList::ReleaseSurfaces() {
  for (auto& item : Items.items_) item->ReleaseSurface();
}

}  // namespace quendrix
