#include "draw.h"

#include <cairo-ft.h>
#include <ft2build.h>
#include <mutex>
#include FT_FREETYPE_H

#include <algorithm>
#include <array>
#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

namespace quendrix::assetgen {
namespace {

constexpr const char* kFontDir = "/usr/share/fonts/truetype/dejavu/";

struct FontBook {
  FT_Library library = nullptr;
  std::array<FT_Face, 5> faces{};
  std::array<cairo_font_face_t*, 5> cairoFaces{};
};

FontBook& Book() {
  static FontBook book;
  return book;
}

const char* FaceFile(Face face) {
  switch (face) {
    case Face::kSans:
      return "DejaVuSans.ttf";
    case Face::kSansBold:
      return "DejaVuSans-Bold.ttf";
    case Face::kCondensedBold:
      return "DejaVuSansCondensed-Bold.ttf";
    case Face::kMonoBold:
      return "DejaVuSansMono-Bold.ttf";
    case Face::kSerifBold:
      return "DejaVuSerif-Bold.ttf";
  }
  return "DejaVuSans.ttf";
}

cairo_font_face_t* CairoFace(Face face) {
  // The clips are drawn on two threads; FreeType's library is loaded once.
  static std::mutex loading;
  std::lock_guard<std::mutex> lock(loading);
  FontBook& book = Book();
  size_t i = static_cast<size_t>(face);
  if (book.cairoFaces[i]) return book.cairoFaces[i];
  if (!book.library && FT_Init_FreeType(&book.library) != 0)
    throw std::runtime_error("cannot start FreeType");
  std::string path = std::string(kFontDir) + FaceFile(face);
  if (FT_New_Face(book.library, path.c_str(), 0, &book.faces[i]) != 0)
    throw std::runtime_error("cannot load font " + path + " (install fonts-dejavu-core)");
  book.cairoFaces[i] = cairo_ft_font_face_create_for_ft_face(book.faces[i], 0);
  return book.cairoFaces[i];
}

void ApplyFontOptions(cairo_t* cr) {
  // Fixed rendering options: the same bytes on every machine.
  cairo_font_options_t* options = cairo_font_options_create();
  cairo_font_options_set_antialias(options, CAIRO_ANTIALIAS_GRAY);
  cairo_font_options_set_hint_style(options, CAIRO_HINT_STYLE_SLIGHT);
  cairo_font_options_set_hint_metrics(options, CAIRO_HINT_METRICS_OFF);
  cairo_set_font_options(cr, options);
  cairo_font_options_destroy(options);
}

}  // namespace

void ShutdownFonts() {
  FontBook& book = Book();
  for (size_t i = 0; i < book.faces.size(); ++i) {
    if (book.cairoFaces[i]) cairo_font_face_destroy(book.cairoFaces[i]);
    book.cairoFaces[i] = nullptr;
  }
  // cairo keeps the faces in its caches until they are reset.
  cairo_debug_reset_static_data();
  for (auto& f : book.faces) {
    if (f) FT_Done_Face(f);
    f = nullptr;
  }
  if (book.library) FT_Done_FreeType(book.library);
  book.library = nullptr;
}

void SetColour(cairo_t* cr, Rgb c, double alpha) {
  cairo_set_source_rgba(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0, alpha);
}

Rgb Mix(Rgb a, Rgb b, double t) {
  auto m = [t](uint8_t x, uint8_t y) {
    return static_cast<uint8_t>(std::clamp(std::lround(x + (y - x) * t), 0L, 255L));
  };
  return {m(a.r, b.r), m(a.g, b.g), m(a.b, b.b)};
}

Rgb Shade(Rgb c, double f) {
  if (f <= 1.0) return Mix(kBlack, c, f);
  return Mix(c, Rgb{255, 255, 255}, std::min(1.0, f - 1.0));
}

void RoundedRect(cairo_t* cr, double x, double y, double w, double h, double r) {
  r = std::min({r, w / 2, h / 2});
  cairo_new_sub_path(cr);
  cairo_arc(cr, x + w - r, y + r, r, -M_PI / 2, 0);
  cairo_arc(cr, x + w - r, y + h - r, r, 0, M_PI / 2);
  cairo_arc(cr, x + r, y + h - r, r, M_PI / 2, M_PI);
  cairo_arc(cr, x + r, y + r, r, M_PI, 3 * M_PI / 2);
  cairo_close_path(cr);
}

void VerticalGradient(cairo_t* cr, double y0, double y1, Rgb top, Rgb bottom) {
  cairo_pattern_t* p = cairo_pattern_create_linear(0, y0, 0, y1);
  cairo_pattern_add_color_stop_rgb(p, 0, top.r / 255.0, top.g / 255.0, top.b / 255.0);
  cairo_pattern_add_color_stop_rgb(p, 1, bottom.r / 255.0, bottom.g / 255.0, bottom.b / 255.0);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void RadialGradient(cairo_t* cr, double cx, double cy, double r, Rgb inner, Rgb outer,
                    double innerAlpha, double outerAlpha) {
  cairo_pattern_t* p = cairo_pattern_create_radial(cx, cy, 0, cx, cy, r);
  cairo_pattern_add_color_stop_rgba(p, 0, inner.r / 255.0, inner.g / 255.0, inner.b / 255.0,
                                    innerAlpha);
  cairo_pattern_add_color_stop_rgba(p, 1, outer.r / 255.0, outer.g / 255.0, outer.b / 255.0,
                                    outerAlpha);
  cairo_set_source(cr, p);
  cairo_pattern_destroy(p);
}

void SelectFace(cairo_t* cr, Face face, double size) {
  cairo_set_font_face(cr, CairoFace(face));
  cairo_set_font_size(cr, size);
  ApplyFontOptions(cr);
}

double TextWidth(std::string_view utf8, Face face, double size) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(s);
  SelectFace(cr, face, size);
  std::string text(utf8);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  cairo_destroy(cr);
  cairo_surface_destroy(s);
  return e.x_advance;
}

void TextInk(std::string_view utf8, Face face, double size, double& x, double& y, double& w,
             double& h) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_A8, 1, 1);
  cairo_t* cr = cairo_create(s);
  SelectFace(cr, face, size);
  std::string text(utf8);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  x = e.x_bearing;
  y = e.y_bearing;
  w = e.width;
  h = e.height;
  cairo_destroy(cr);
  cairo_surface_destroy(s);
}

double DrawText(cairo_t* cr, std::string_view utf8, double x, double y, const TextStyle& style,
                Align align) {
  std::string text(utf8);
  cairo_save(cr);
  SelectFace(cr, style.face, style.size);
  cairo_text_extents_t e;
  cairo_text_extents(cr, text.c_str(), &e);
  if (align == Align::kCentre) x -= e.x_advance / 2;
  if (align == Align::kRight) x -= e.x_advance;
  if (style.shadow > 0) {
    cairo_move_to(cr, x + style.shadow, y + style.shadow);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, style.shadowColour, style.shadowAlpha);
    if (style.outline > 0) {
      cairo_set_line_width(cr, style.outline);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_stroke_preserve(cr);
    }
    cairo_fill(cr);
  }
  if (style.outline > 0) {
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, text.c_str());
    SetColour(cr, style.outlineColour);
    cairo_set_line_width(cr, style.outline);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
    cairo_stroke(cr);
  }
  cairo_move_to(cr, x, y);
  SetColour(cr, style.colour);
  cairo_show_text(cr, text.c_str());
  cairo_restore(cr);
  return e.x_advance;
}

void Blur(Canvas& canvas, int radius, int passes) {
  if (radius <= 0) return;
  cairo_surface_t* s = canvas.Surface();
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  int w = canvas.Width(), h = canvas.Height();
  std::vector<int> line(static_cast<size_t>(std::max(w, h)) * 4);
  auto pass = [&](bool horizontal) {
    int n = horizontal ? w : h, m = horizontal ? h : w;
    for (int k = 0; k < m; ++k) {
      auto at = [&](int i) -> unsigned char* {
        return horizontal ? data + static_cast<size_t>(k) * stride + 4 * i
                          : data + static_cast<size_t>(i) * stride + 4 * k;
      };
      for (int i = 0; i < n; ++i)
        for (int c = 0; c < 4; ++c) line[4 * i + c] = at(i)[c];
      int span = 2 * radius + 1;
      for (int c = 0; c < 4; ++c) {
        int sum = 0;
        for (int i = -radius; i <= radius; ++i) sum += (i >= 0 && i < n) ? line[4 * i + c] : 0;
        for (int i = 0; i < n; ++i) {
          at(i)[c] = static_cast<unsigned char>((sum + span / 2) / span);
          int out = i - radius, in = i + radius + 1;
          if (out >= 0) sum -= line[4 * out + c];
          if (in < n) sum += line[4 * in + c];
        }
      }
    }
  };
  for (int p = 0; p < passes; ++p) {
    pass(true);
    pass(false);
  }
  cairo_surface_mark_dirty(s);
}

void PaintCanvas(cairo_t* cr, const Canvas& src, double x, double y, double alpha) {
  cairo_save(cr);
  cairo_set_source_surface(cr, src.Surface(), x, y);
  cairo_paint_with_alpha(cr, alpha);
  cairo_restore(cr);
}

}  // namespace quendrix::assetgen
