// A hot-spot picture: a picture centred in its control, with numbered spots
// (ellipses and polygons in picture coordinates) that the pointer and the
// keys select and choose. Plain state and logic; hot_image_view.h draws it.
//
// Hit rules, on the integer picture point the pointer maps to:
// - ellipse with bounding box (l, t)-(r, b): inside when
//   (x - cx)^2 / rx^2 + (y - cy)^2 / ry^2 <= 1, cx = (l + r) / 2,
//   rx = (r - l) / 2 (likewise cy, ry), computed exactly; points on the
//   curve are inside. A box of no width or no height holds nothing.
// - polygon: the even-odd rule with half-open edges. A point on a left or
//   top edge is inside, on a right or bottom edge outside (slanted edges:
//   inside when the interior lies towards +x), so the square
//   (0, 0), (10, 0), (10, 10), (0, 10) holds exactly x, y = 0 ... 9, and
//   polygons sharing an edge never both hold a point on it.
#pragma once

#include <cstdint>
#include <functional>
#include <vector>

namespace quendrix {

struct HotPoint {
  int32_t x = 0;
  int32_t y = 0;
  friend bool operator==(const HotPoint&, const HotPoint&) = default;
};

// Inclusive box: left <= x <= right, top <= y <= bottom; empty when
// left > right.
struct HotBox {
  int32_t left = 0;
  int32_t top = 0;
  int32_t right = -1;
  int32_t bottom = -1;
};

class HotSpot {
 public:
  // Coordinates are limited to -kLimit ... kLimit, far beyond any picture,
  // so the exact hit arithmetic cannot overflow; beyond that the factories
  // throw std::invalid_argument.
  static constexpr int32_t kLimit = 16383;

  static HotSpot Ellipse(HotPoint corner1, HotPoint corner2);  // any two opposite corners
  static HotSpot Polygon(std::vector<HotPoint> vertices);

  bool Contains(HotPoint p) const;
  // Every point Contains accepts lies in this box.
  HotBox Bounds() const { return bounds_; }
  bool IsEllipse() const { return ellipse_; }
  // Ellipse: the box's top-left and bottom-right corners; polygon: vertices.
  const std::vector<HotPoint>& Points() const { return points_; }

 private:
  HotSpot() = default;

  bool ellipse_ = false;
  std::vector<HotPoint> points_;
  HotBox bounds_;
};

// The launch pad's four menu spots (hot_image_menu.h) in index order.
std::vector<HotSpot> MenuHotSpots();

class HotImage {
 public:
  // A control of width x height pixels showing a picture of pictureWidth x
  // pictureHeight, centred: the picture's top-left sits at
  // ((width - pictureWidth) div 2, (height - pictureHeight) div 2), division
  // truncating toward zero, so a larger picture is cropped at its edges.
  HotImage(int32_t width, int32_t height, int32_t pictureWidth, int32_t pictureHeight,
           std::vector<HotSpot> spots);

  int32_t Width() const { return width_; }
  int32_t Height() const { return height_; }
  int32_t PictureWidth() const { return pictureWidth_; }
  int32_t PictureHeight() const { return pictureHeight_; }
  // Top-left of the picture in control pixels (negative when cropped).
  HotPoint PictureOffset() const;
  HotPoint ToPicture(HotPoint control) const;
  bool InControl(HotPoint control) const;

  int32_t SpotCount() const { return static_cast<int32_t>(spots_.size()); }
  const HotSpot& SpotShape(int32_t index) const { return spots_.at(static_cast<size_t>(index)); }
  // Lowest-indexed spot holding the picture point, or -1.
  int32_t SpotAt(HotPoint picture) const;

  // The current spot: under the pointer or chosen by the keys; -1 for none.
  int32_t Spot() const { return spot_; }

  // Pointer, in control pixels. A move keeps the current spot while the
  // point stays inside it, else takes SpotAt; outside the control there is
  // no spot. A move to the position of the previous move changes nothing,
  // so a view may report the pointer every frame without undoing the keys.
  void PointerMove(HotPoint control);
  void PointerLeave();
  // A press and a release of the main button, both inside the control,
  // make a click: the spot is updated at the release point, then OnClick
  // fires (also over no spot; the handler reads Spot()).
  void PointerDown(HotPoint control);
  void PointerUp(HotPoint control);

  // Keys: the next or previous spot in index order, wrapping; from no spot
  // Next takes spot 0 and Previous the last. Choose fires OnClick as a click
  // on the current spot would, and does nothing over no spot.
  void SelectNext();
  void SelectPrevious();
  void Choose();

  // Fired after every change of Spot(), also to -1.
  std::function<void()> OnSelectSpot;
  std::function<void()> OnClick;

 private:
  void Track(HotPoint control);
  void SetSpot(int32_t spot);

  int32_t width_;
  int32_t height_;
  int32_t pictureWidth_;
  int32_t pictureHeight_;
  std::vector<HotSpot> spots_;
  int32_t spot_ = -1;
  bool pointerKnown_ = false;
  HotPoint pointer_;
  bool pressed_ = false;
};

}  // namespace quendrix
