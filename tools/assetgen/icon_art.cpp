#include "icon_art.h"

#include <cairo-svg.h>
#include <cairo.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <cstring>
#include <map>
#include <stdexcept>
#include <utility>

#include "draw.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

cairo_status_t Append(void* closure, const unsigned char* data, unsigned int length) {
  static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
  return CAIRO_STATUS_SUCCESS;
}

// Geometry on a 16-unit grid, scaled by the icon size; below 32 pixels the
// edges are put on whole pixels so nothing smears.
class Grid {
 public:
  explicit Grid(int size) : u_(size / 16.0), small_(size < 32) {}
  double operator()(double v) const { return small_ ? std::round(v * u_) : v * u_; }
  double Len(double v) const { return v * u_; }
  // A line width of about `v` units, at least one pixel, whole below 32.
  double Line(double v) const {
    double w = std::max(1.0, v * u_);
    return small_ ? std::round(w) : w;
  }
  bool Small() const { return small_; }
  double Unit() const { return u_; }

 private:
  double u_;
  bool small_;
};

void Draw(cairo_t* cr, int size) {
  const Grid g(size);
  const double u = g.Unit();
  const bool big = size >= 48;

  // A few stars in the corner for the space course.
  if (size >= 32) {
    SetColour(cr, Rgb{255, 196, 40});
    for (const auto& s : {std::array<double, 3>{2.6, 3.2, 0.9}, {5.6, 1.6, 0.6}, {1.6, 7.2, 0.5}}) {
      double x = s[0] * u, y = s[1] * u, r = s[2] * u;
      cairo_move_to(cr, x - r * 1.6, y);
      cairo_line_to(cr, x, y - r * 0.35);
      cairo_line_to(cr, x + r * 1.6, y);
      cairo_line_to(cr, x, y + r * 0.35);
      cairo_close_path(cr);
      cairo_move_to(cr, x, y - r * 1.6);
      cairo_line_to(cr, x + r * 0.35, y);
      cairo_line_to(cr, x, y + r * 1.6);
      cairo_line_to(cr, x - r * 0.35, y);
      cairo_close_path(cr);
      cairo_fill(cr);
    }
  }

  // The green: a small round world, lit from the top left.
  const double cx = g.Small() ? size / 2.0 : 8.4 * u, cy = g.Small() ? g(9) : 9 * u;
  const double r = g.Small() ? size / 2.0 - std::max(1.0, std::round(u)) * 1.0 : 6.7 * u;
  cairo_arc(cr, cx, cy - (g.Small() ? 0.0 : 0), r, 0, 2 * kPi);
  RadialGradient(cr, cx - r * 0.45, cy - r * 0.5, r * 1.6, Rgb{170, 236, 110}, Rgb{28, 112, 52});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, g.Line(0.75));
  SetColour(cr, Rgb{14, 62, 34});
  cairo_save(cr);
  cairo_clip_preserve(cr);
  cairo_set_line_width(cr, 2 * g.Line(0.75));
  cairo_stroke(cr);
  cairo_restore(cr);
  cairo_new_path(cr);
  if (big) {
    // Mown stripes.
    cairo_save(cr);
    cairo_arc(cr, cx, cy, r - g.Line(0.75), 0, 2 * kPi);
    cairo_clip(cr);
    cairo_set_line_width(cr, 0.8 * u);
    for (int i = -4; i <= 4; ++i) {
      cairo_move_to(cr, cx + i * 1.7 * u - r, cy + r);
      cairo_line_to(cr, cx + i * 1.7 * u + r, cy - r);
    }
    SetColour(cr, Rgb{255, 255, 255}, 0.08);
    cairo_stroke(cr);
    cairo_restore(cr);
  }

  // The cup and its flag.
  const double poleW = g.Line(0.9);
  const double poleX = g(10.2);
  const double holeY = g(11.2);
  cairo_save(cr);
  cairo_translate(cr, poleX + poleW / 2, holeY);
  cairo_scale(cr, 1, 0.5);
  cairo_arc(cr, 0, 0, std::max(1.5, 1.9 * u), 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, Rgb{10, 40, 20});
  cairo_fill(cr);
  const double poleTop = g(0.8);
  cairo_rectangle(cr, poleX, poleTop, poleW, holeY - poleTop);
  SetColour(cr, Rgb{246, 246, 240});
  cairo_fill(cr);
  if (!g.Small()) {
    cairo_rectangle(cr, poleX + poleW * 0.6, poleTop, poleW * 0.4, holeY - poleTop);
    SetColour(cr, Rgb{150, 150, 160});
    cairo_fill(cr);
  }
  const double fx = poleX + poleW, fTop = poleTop, fBottom = g(5.2), fTip = g(15.6);
  cairo_move_to(cr, fx, fTop);
  if (g.Small()) {
    cairo_line_to(cr, fTip, (fTop + fBottom) / 2);
  } else {
    cairo_curve_to(cr, fx + (fTip - fx) * 0.4, fTop - 0.4 * u, fx + (fTip - fx) * 0.6,
                   fTop + 1.4 * u, fTip, (fTop + fBottom) / 2 - 0.2 * u);
    cairo_curve_to(cr, fx + (fTip - fx) * 0.6, fBottom - 0.6 * u, fx + (fTip - fx) * 0.4,
                   fBottom + 0.6 * u, fx, fBottom);
  }
  cairo_line_to(cr, fx, fBottom);
  cairo_close_path(cr);
  VerticalGradient(cr, fTop, fBottom, Rgb{255, 84, 64}, Rgb{204, 24, 40});
  cairo_fill_preserve(cr);
  if (!g.Small()) {
    cairo_set_line_width(cr, 0.35 * u);
    SetColour(cr, Rgb{120, 10, 24});
    cairo_stroke(cr);
  }
  cairo_new_path(cr);

  // The ball.
  const double bx = g.Small() ? g(5) + 0.5 : 5.3 * u, by = g.Small() ? g(11) + 0.5 : 11.4 * u;
  const double br = g.Small() ? std::max(2.5, std::round(2.9 * u) - 0.5) : 3.0 * u;
  cairo_arc(cr, bx + 0.5 * u, by + 0.7 * u, br, 0, 2 * kPi);
  SetColour(cr, Rgb{0, 30, 10}, 0.35);
  cairo_fill(cr);
  cairo_arc(cr, bx, by, br, 0, 2 * kPi);
  RadialGradient(cr, bx - br * 0.4, by - br * 0.45, br * 1.5, Rgb{255, 255, 255},
                 Rgb{170, 180, 198});
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, g.Small() ? 1.0 : 0.4 * u);
  SetColour(cr, Rgb{60, 66, 84});
  cairo_stroke(cr);
  if (big) {
    for (int i = 0; i < 7; ++i) {
      double a = i * 2 * kPi / 7 + 0.4;
      double d = i == 0 ? 0 : br * 0.52;
      double x = bx + d * std::cos(a) + (i == 0 ? br * 0.1 : 0), y = by + d * std::sin(a);
      cairo_arc(cr, x, y, br * 0.13, 0, 2 * kPi);
      SetColour(cr, Rgb{120, 130, 150}, 0.45);
      cairo_fill(cr);
    }
    cairo_save(cr);
    cairo_translate(cr, bx - br * 0.38, by - br * 0.45);
    cairo_scale(cr, br * 0.34, br * 0.2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * kPi);
    cairo_restore(cr);
    SetColour(cr, Rgb{255, 255, 255}, 0.9);
    cairo_fill(cr);
  }
}

// cairo numbers SVG surfaces with a counter shared by every surface the
// process has made ("surface23"), and sizes the picture in points. Surface
// names are renumbered in order of appearance and the size given in pixels,
// so the file is the same bytes whatever was drawn before it.
std::string Normalise(std::string svg) {
  std::map<std::string, std::string> names;
  std::string out;
  size_t pos = 0;
  for (;;) {
    size_t at = svg.find("surface", pos);
    if (at == std::string::npos) break;
    size_t end = at + 7;
    while (end < svg.size() && std::isdigit(static_cast<unsigned char>(svg[end]))) ++end;
    out.append(svg, pos, at - pos);
    if (end == at + 7) {
      out += "surface";
    } else {
      auto [it, added] = names.try_emplace(svg.substr(at, end - at), "");
      if (added) it->second = "surface" + std::to_string(names.size());
      out += it->second;
    }
    pos = end;
  }
  out.append(svg, pos, std::string::npos);
  for (const char* attr : {"width=\"256pt\"", "height=\"256pt\""}) {
    size_t at = out.find(attr);
    if (at != std::string::npos) out.replace(at + std::strlen(attr) - 3, 2, "px");
  }
  return out;
}

}  // namespace

std::string IconPng(int size) {
  if (size < 8 || size > 1024) throw std::invalid_argument("icon size out of range");
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, size, size);
  cairo_t* cr = cairo_create(s);
  Draw(cr, size);
  cairo_destroy(cr);
  std::string bytes;
  cairo_status_t status = cairo_surface_write_to_png_stream(s, Append, &bytes);
  cairo_surface_destroy(s);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot encode the icon");
  return bytes;
}

std::string IconSvg() {
  std::string bytes;
  cairo_surface_t* s = cairo_svg_surface_create_for_stream(Append, &bytes, 256, 256);
  cairo_svg_surface_restrict_to_version(s, CAIRO_SVG_VERSION_1_1);
  cairo_t* cr = cairo_create(s);
  Draw(cr, 256);
  cairo_destroy(cr);
  cairo_surface_finish(s);
  cairo_status_t status = cairo_surface_status(s);
  cairo_surface_destroy(s);
  if (status != CAIRO_STATUS_SUCCESS) throw std::runtime_error("cannot write the icon");
  return Normalise(std::move(bytes));
}

}  // namespace quendrix::assetgen
