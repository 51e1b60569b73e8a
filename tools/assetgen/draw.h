// Drawing helpers shared by every recipe: colours, paths, gradients, text in
// the DejaVu faces (loaded from their files, so the result does not depend on
// the font configuration of the machine) and a blur for soft shadows.
#pragma once

#include <cairo.h>

#include <string>
#include <string_view>

#include "image.h"

namespace quendrix::assetgen {

enum class Face { kSans, kSansBold, kCondensedBold, kMonoBold, kSerifBold };

// Loads the faces on first use; Shutdown releases them (and cairo's caches,
// so leak checkers stay quiet).
void ShutdownFonts();

void SetColour(cairo_t* cr, Rgb c, double alpha = 1.0);
Rgb Mix(Rgb a, Rgb b, double t);  // t = 0 gives a, 1 gives b
Rgb Shade(Rgb c, double f);       // f < 1 darker, > 1 lighter

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r);
// Vertical gradient from `top` at y0 to `bottom` at y1 as the source.
void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom);
// Radial gradient as the source: `inner` at (cx, cy) to `outer` at radius r.
void RadialGradient(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer,
                    double innerAlpha = 1.0, double outerAlpha = 1.0);

enum class Align { kLeft, kCentre, kRight };

struct TextStyle {
  Face face = Face::kSansBold;
  double size = 12;  // pixels, em size
  Rgb colour{255, 255, 255};
  double outline = 0;  // stroke width drawn under the fill; 0 = none
  Rgb outlineColour = kBlack;
  double shadow = 0;  // offset of a dark copy drawn first; 0 = none
  Rgb shadowColour = kBlack;
  double shadowAlpha = 0.6;
};

// Draws UTF-8 text with its baseline at y; x is the left edge, centre or
// right edge by `align`. Returns the advance width.
double DrawText(cairo_t* cr, std::string_view utf8, double x, double y, const TextStyle& style,
                Align align = Align::kLeft);
double TextWidth(std::string_view utf8, Face face, double size);
// Ink box of the text (x bearing, y bearing, width, height) at the origin.
void TextInk(std::string_view utf8, Face face, double size, double& x, double& y, double& w,
             double& h);
void SelectFace(cairo_t* cr, Face face, double size);

// Box blur of a whole canvas (all four channels), `radius` pixels, `passes`
// times (three passes approach a Gaussian).
void Blur(Canvas& canvas, int radius, int passes = 3);

// Paints `src` onto `cr` at (x, y) with the given opacity.
void PaintCanvas(cairo_t* cr, const Canvas& src, double x, double y, double alpha = 1.0);

}  // namespace quendrix::assetgen
