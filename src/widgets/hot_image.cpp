#include "widgets/hot_image.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

#include "widgets/hot_image_menu.h"

namespace quendrix {
namespace {

void CheckRange(HotPoint p) {
  if (p.x < -HotSpot::kLimit || p.x > HotSpot::kLimit || p.y < -HotSpot::kLimit ||
      p.y > HotSpot::kLimit)
    throw std::invalid_argument("hot spot point out of range");
}

bool InBox(const HotBox& b, HotPoint p) {
  return p.x >= b.left && p.x <= b.right && p.y >= b.top && p.y <= b.bottom;
}

}  // namespace

HotSpot HotSpot::Ellipse(HotPoint corner1, HotPoint corner2) {
  CheckRange(corner1);
  CheckRange(corner2);
  HotSpot s;
  s.ellipse_ = true;
  s.bounds_ = {std::min(corner1.x, corner2.x), std::min(corner1.y, corner2.y),
               std::max(corner1.x, corner2.x), std::max(corner1.y, corner2.y)};
  s.points_ = {{s.bounds_.left, s.bounds_.top}, {s.bounds_.right, s.bounds_.bottom}};
  return s;
}

HotSpot HotSpot::Polygon(std::vector<HotPoint> vertices) {
  HotSpot s;
  if (!vertices.empty()) {
    s.bounds_ = {vertices[0].x, vertices[0].y, vertices[0].x, vertices[0].y};
    for (const HotPoint& v : vertices) {
      CheckRange(v);
      s.bounds_.left = std::min(s.bounds_.left, v.x);
      s.bounds_.top = std::min(s.bounds_.top, v.y);
      s.bounds_.right = std::max(s.bounds_.right, v.x);
      s.bounds_.bottom = std::max(s.bounds_.bottom, v.y);
    }
  }
  s.points_ = std::move(vertices);
  return s;
}

bool HotSpot::Contains(HotPoint p) const {
  // Outside the box nothing is inside; inside it every difference below is
  // at most 2 * kLimit, so the products fit in 64 bits.
  if (!InBox(bounds_, p)) return false;
  if (ellipse_) {
    const int64_t w = bounds_.right - bounds_.left, h = bounds_.bottom - bounds_.top;
    if (w == 0 || h == 0) return false;
    // Doubled distances from the centre: 2x - (l + r) against the width.
    const int64_t dx = 2 * int64_t{p.x} - bounds_.left - bounds_.right;
    const int64_t dy = 2 * int64_t{p.y} - bounds_.top - bounds_.bottom;
    return dx * dx * h * h + dy * dy * w * w <= w * w * h * h;
  }
  bool inside = false;
  const size_t n = points_.size();
  for (size_t i = 0, j = n - 1; i < n; j = i++) {
    const HotPoint a = points_[i], b = points_[j];
    // Half-open in y: an edge counts for rows a.y <= y < b.y (or the other
    // way round), so a vertex is met once.
    if ((a.y > p.y) == (b.y > p.y)) continue;
    // Crossing to the right of p: p.x < a.x + (b.x - a.x)(p.y - a.y)/(b.y - a.y).
    const int64_t dyEdge = int64_t{b.y} - a.y;
    const int64_t lhs = (int64_t{p.x} - a.x) * dyEdge;
    const int64_t rhs = (int64_t{b.x} - a.x) * (int64_t{p.y} - a.y);
    if (dyEdge > 0 ? lhs < rhs : lhs > rhs) inside = !inside;
  }
  return inside;
}

std::vector<HotSpot> MenuHotSpots() {
  std::vector<HotSpot> spots;
  for (const MenuSpotShape& shape : kMenuSpots) {
    std::vector<HotPoint> points;
    for (int32_t i = 0; i < shape.count; ++i)
      points.push_back(
          {shape.points[static_cast<size_t>(i)][0], shape.points[static_cast<size_t>(i)][1]});
    spots.push_back(shape.ellipse ? HotSpot::Ellipse(points[0], points[1])
                                  : HotSpot::Polygon(std::move(points)));
  }
  return spots;
}

HotImage::HotImage(int32_t width, int32_t height, int32_t pictureWidth, int32_t pictureHeight,
                   std::vector<HotSpot> spots)
    : width_(std::max(width, 0)),
      height_(std::max(height, 0)),
      pictureWidth_(std::max(pictureWidth, 0)),
      pictureHeight_(std::max(pictureHeight, 0)),
      spots_(std::move(spots)) {}

HotPoint HotImage::PictureOffset() const {
  // C++ division truncates toward zero: (367 - 421) / 2 = -27 and
  // (122 - 165) / 2 = -21, not -22.
  return {(width_ - pictureWidth_) / 2, (height_ - pictureHeight_) / 2};
}

HotPoint HotImage::ToPicture(HotPoint control) const {
  const HotPoint o = PictureOffset();
  return {control.x - o.x, control.y - o.y};
}

bool HotImage::InControl(HotPoint control) const {
  return control.x >= 0 && control.y >= 0 && control.x < width_ && control.y < height_;
}

int32_t HotImage::SpotAt(HotPoint picture) const {
  for (size_t i = 0; i < spots_.size(); ++i)
    if (spots_[i].Contains(picture)) return static_cast<int32_t>(i);
  return -1;
}

void HotImage::SetSpot(int32_t spot) {
  if (spot == spot_) return;
  spot_ = spot;
  if (OnSelectSpot) OnSelectSpot();
}

void HotImage::Track(HotPoint control) {
  pointerKnown_ = true;
  pointer_ = control;
  if (!InControl(control)) {
    SetSpot(-1);
    return;
  }
  const HotPoint p = ToPicture(control);
  if (spot_ >= 0 && spots_[static_cast<size_t>(spot_)].Contains(p)) return;
  SetSpot(SpotAt(p));
}

void HotImage::PointerMove(HotPoint control) {
  if (pointerKnown_ && control == pointer_) return;
  Track(control);
}

void HotImage::PointerLeave() {
  pointerKnown_ = false;
  pressed_ = false;
  SetSpot(-1);
}

void HotImage::PointerDown(HotPoint control) {
  Track(control);
  pressed_ = InControl(control);
}

void HotImage::PointerUp(HotPoint control) {
  Track(control);
  const bool click = pressed_ && InControl(control);
  pressed_ = false;
  if (click && OnClick) OnClick();
}

void HotImage::SelectNext() {
  const int32_t n = SpotCount();
  if (n == 0) return;
  SetSpot(spot_ < 0 ? 0 : (spot_ + 1) % n);
}

void HotImage::SelectPrevious() {
  const int32_t n = SpotCount();
  if (n == 0) return;
  SetSpot(spot_ < 0 ? n - 1 : (spot_ + n - 1) % n);
}

void HotImage::Choose() {
  if (spot_ >= 0 && OnClick) OnClick();
}

}  // namespace quendrix
