#include "clip_art.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <functional>
#include <map>
#include <memory>
#include <mutex>

#include "clip_encoder.h"
#include "clip_music.h"
#include "draw.h"
#include "hole_art.h"
#include "hole_model.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

double Clamp01(double v) {
  return std::clamp(v, 0.0, 1.0);
}
// 0 before `a`, 1 after `b`, straight between.
double Ramp(double t, double a, double b) {
  return Clamp01((t - a) / (b - a));
}
double Smooth(double u) {
  u = Clamp01(u);
  return u * u * (3 - 2 * u);
}
// Overshoots a little before settling, for things that land.
double EaseOutBack(double u) {
  u = Clamp01(u);
  const double c = 1.7;
  const double v = u - 1;
  return 1 + (c + 1) * v * v * v + c * v * v;
}

// A cairo surface that frees itself.
class Surface {
 public:
  explicit Surface(cairo_surface_t* s) : s_(s) {}
  ~Surface() { cairo_surface_destroy(s_); }
  Surface(const Surface&) = delete;
  Surface& operator=(const Surface&) = delete;
  cairo_surface_t* Get() const { return s_; }
  int Width() const { return cairo_image_surface_get_width(s_); }
  int Height() const { return cairo_image_surface_get_height(s_); }

 private:
  cairo_surface_t* s_;
};

cairo_surface_t* FromPicture(const Picture& p) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, p.Width(), p.Height());
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  const int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < p.Height(); ++y) {
    auto* row = reinterpret_cast<uint32_t*>(data + static_cast<size_t>(y) * stride);
    for (int x = 0; x < p.Width(); ++x) {
      const Rgb c = p.At(x, y);
      row[x] = (uint32_t{c.r} << 16) | (uint32_t{c.g} << 8) | c.b;
    }
  }
  cairo_surface_mark_dirty(s);
  return s;
}

// A soft, darkened copy of a picture the size of the clip: blurred at a
// quarter of the size and scaled up smoothly, which costs almost nothing.
cairo_surface_t* Backdrop(cairo_surface_t* picture, double darken) {
  const int pw = cairo_image_surface_get_width(picture);
  const int ph = cairo_image_surface_get_height(picture);
  constexpr int kStep = 4;
  Canvas small(kClipWidth / kStep, kClipHeight / kStep);
  cairo_t* cr = small.Cr();
  const double scale =
      std::max(static_cast<double>(small.Width()) / pw, static_cast<double>(small.Height()) / ph);
  cairo_save(cr);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, picture, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
  cairo_paint(cr);
  cairo_restore(cr);
  Blur(small, 3);
  cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_RGB24, kClipWidth, kClipHeight);
  cr = cairo_create(big);
  cairo_scale(cr, kStep, kStep);
  cairo_set_source_surface(cr, small.Surface(), 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_BILINEAR);
  cairo_pattern_set_extend(cairo_get_source(cr), CAIRO_EXTEND_PAD);
  cairo_paint(cr);
  cairo_identity_matrix(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, darken);
  cairo_paint(cr);
  cairo_destroy(cr);
  return big;
}

// Draws `draw` into a group painted with the given opacity.
void WithAlpha(cairo_t* cr, double alpha, const std::function<void()>& draw) {
  if (alpha <= 0) return;
  cairo_push_group(cr);
  draw();
  cairo_pop_group_to_source(cr);
  cairo_paint_with_alpha(cr, std::min(alpha, 1.0));
}

// A golf ball as the game shows it, 16 pixels across, with its shadow.
void Ball(cairo_t* cr, double x, double y, double scale = 1, double alpha = 1) {
  const double r = 7.5 * scale;
  cairo_save(cr);
  cairo_translate(cr, x + 2.5 * scale, y + 2.5 * scale);
  cairo_scale(cr, 1, 0.55);
  cairo_new_path(cr);
  cairo_arc(cr, 0, 0, r * 1.05, 0, 2 * kPi);
  cairo_restore(cr);
  cairo_set_source_rgba(cr, 0, 0, 0, 0.35 * alpha);
  cairo_fill(cr);
  cairo_pattern_t* g = cairo_pattern_create_radial(x - r * 0.35, y - r * 0.4, r * 0.1, x, y, r);
  cairo_pattern_add_color_stop_rgba(g, 0, 1, 1, 1, alpha);
  cairo_pattern_add_color_stop_rgba(g, 0.55, 0.93, 0.94, 0.96, alpha);
  cairo_pattern_add_color_stop_rgba(g, 1, 0.62, 0.65, 0.72, alpha);
  cairo_arc(cr, x, y, r, 0, 2 * kPi);
  cairo_set_source(cr, g);
  cairo_fill_preserve(cr);
  cairo_pattern_destroy(g);
  cairo_set_source_rgba(cr, 0.2, 0.22, 0.28, 0.5 * alpha);
  cairo_set_line_width(cr, 0.8);
  cairo_stroke(cr);
}

// A caption in the lower left corner, sliding in.
void Caption(cairo_t* cr, const std::string& text, const std::string& under, double t, double in,
             double out, bool top = false) {
  const double a = Smooth(Ramp(t, in, in + 0.6)) * (1 - Smooth(Ramp(t, out, out + 0.5)));
  if (a <= 0) return;
  const double slide = (1 - EaseOutBack(Ramp(t, in, in + 0.7))) * (top ? 60 : -60);
  // Lower left, or upper right where the lower left shows the ball.
  const double dx = top ? kClipWidth - 348 : 0, dy = top ? 28 - 376 : 0;
  WithAlpha(cr, a, [&] {
    cairo_translate(cr, dx, dy);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.45);
    RoundedRect(cr, 24 + slide, 376, 300, 76, 10);
    cairo_fill(cr);
    TextStyle big;
    big.face = Face::kSansBold;
    big.size = 32;
    big.colour = {255, 232, 150};
    big.shadow = 2;
    DrawText(cr, text, 42 + slide, 414, big);
    TextStyle small;
    small.face = Face::kSans;
    small.size = 16;
    small.colour = {226, 232, 240};
    DrawText(cr, under, 44 + slide, 439, small);
  });
}

void FadeToBlack(cairo_t* cr, double amount) {
  if (amount <= 0) return;
  cairo_set_source_rgba(cr, 0, 0, 0, std::min(amount, 1.0));
  cairo_paint(cr);
}

std::string PngBytes(cairo_surface_t* s) {
  std::string out;
  cairo_surface_write_to_png_stream(
      s,
      [](void* closure, const unsigned char* data, unsigned int length) {
        static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
        return CAIRO_STATUS_SUCCESS;
      },
      &out);
  return out;
}

// Draws every picture of a clip and encodes it with its sound.
ClipOutput Render(const std::string& name, double seconds, std::vector<int16_t> sound,
                  const std::vector<double>& previewTimes, int maxFrames,
                  const std::function<void(cairo_t*, double)>& frame) {
  const int total = static_cast<int>(std::lround(seconds * kClipFps));
  const int frames = maxFrames > 0 ? std::min(total, maxFrames) : total;
  const SoundLevels levels = MeasureLevels(sound);
  const bool withSound = !sound.empty();
  ClipEncoder encoder(kClipWidth, kClipHeight, kClipFps, withSound ? kSampleRate : 0);
  if (withSound) encoder.SetSound(std::move(sound));
  Canvas canvas(kClipWidth, kClipHeight);
  ClipOutput out;
  // A language's clip "en/intro.avi" previews as "en_intro_...".
  std::string stem = name.substr(0, name.find('.'));
  std::replace(stem.begin(), stem.end(), '/', '_');
  for (int i = 0; i < frames; ++i) {
    const double t = static_cast<double>(i) / kClipFps;
    cairo_t* cr = canvas.Cr();
    cairo_save(cr);
    cairo_set_operator(cr, CAIRO_OPERATOR_SOURCE);
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_new_path(cr);  // text leaves a current point behind
    cairo_save(cr);
    frame(cr, t);
    cairo_restore(cr);
    encoder.AddFrame(canvas);
    for (double p : previewTimes)
      if (i == static_cast<int>(std::lround(p * kClipFps))) {
        char file[64];
        std::snprintf(file, sizeof file, "%s_%05.2fs.png", stem.c_str(), p);
        out.previews.push_back({file, PngBytes(canvas.Surface())});
      }
  }
  out.clip = {name, encoder.Finish()};
  char note[256];
  std::snprintf(note, sizeof note,
                "%-12s %5.2f s  %3d pictures  %dx%d  %6.2f MB  sound %s peak %.1f dBFS, RMS %.1f "
                "dBFS, %d clipped",
                name.c_str(), frames / static_cast<double>(kClipFps), frames, kClipWidth,
                kClipHeight, out.clip.bytes.size() / 1048576.0, withSound ? "PCM 22050 Hz" : "none",
                levels.peakDb, levels.rmsDb, levels.clipped);
  out.note = note;
  return out;
}

// ---- Tarn Works ------------------------------------------------------------

// The maker's emblem: a mountain lake in a ring, peaks mirrored in still
// water; `shimmer` moves the light on the water.
void Emblem(cairo_t* cr, double cx, double cy, double r, double shimmer) {
  cairo_save(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_clip(cr);
  // Sky.
  VerticalGradient(cr, cy - r, cy, {28, 44, 86}, {116, 150, 196});
  cairo_paint(cr);
  // Water.
  VerticalGradient(cr, cy + 4, cy + r, {52, 92, 140}, {12, 24, 50});
  cairo_rectangle(cr, cx - r, cy + 4, 2 * r, r);
  cairo_fill(cr);
  // Peaks, and their mirror in the water.
  auto peaks = [&](double dir, double alpha) {
    cairo_move_to(cr, cx - r, cy + 4);
    cairo_line_to(cr, cx - r * 0.55, cy + 4 - dir * r * 0.45);
    cairo_line_to(cr, cx - r * 0.32, cy + 4 - dir * r * 0.25);
    cairo_line_to(cr, cx + r * 0.05, cy + 4 - dir * r * 0.78);
    cairo_line_to(cr, cx + r * 0.5, cy + 4 - dir * r * 0.3);
    cairo_line_to(cr, cx + r * 0.7, cy + 4 - dir * r * 0.42);
    cairo_line_to(cr, cx + r, cy + 4);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0.2, 0.26, 0.36, alpha);
    cairo_fill(cr);
    // Snow on the high peak.
    cairo_move_to(cr, cx + r * 0.05, cy + 4 - dir * r * 0.78);
    cairo_line_to(cr, cx - r * 0.12, cy + 4 - dir * r * 0.52);
    cairo_line_to(cr, cx + r * 0.0, cy + 4 - dir * r * 0.57);
    cairo_line_to(cr, cx + r * 0.1, cy + 4 - dir * r * 0.5);
    cairo_line_to(cr, cx + r * 0.22, cy + 4 - dir * r * 0.6);
    cairo_close_path(cr);
    cairo_set_source_rgba(cr, 0.93, 0.96, 1, alpha);
    cairo_fill(cr);
  };
  peaks(1, 1);
  peaks(-0.6, 0.35);
  // Ripples of light.
  cairo_set_line_width(cr, 1.6);
  for (int i = 0; i < 5; ++i) {
    const double y = cy + 12 + i * r * 0.15;
    const double half = r * (0.5 - i * 0.07);
    const double x = cx + std::sin(shimmer * 2 * kPi + i * 1.3) * r * 0.12;
    cairo_move_to(cr, x - half, y);
    cairo_line_to(cr, x + half, y);
    cairo_set_source_rgba(cr, 0.75, 0.86, 1, 0.35 - i * 0.05);
    cairo_stroke(cr);
  }
  cairo_restore(cr);
  // The ring.
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  cairo_set_line_width(cr, 5);
  cairo_set_source_rgb(cr, 0.82, 0.86, 0.92);
  cairo_stroke(cr);
  cairo_arc(cr, cx, cy, r + 5, 0, 2 * kPi);
  cairo_set_line_width(cr, 1.2);
  cairo_set_source_rgba(cr, 0.82, 0.86, 0.92, 0.5);
  cairo_stroke(cr);
}

// Letters set one by one with extra space between them; returns the width.
double SpacedWidth(const char* text, Face face, double size, double spacing) {
  double w = 0;
  int n = 0;
  for (const char* p = text; *p; ++p, ++n) w += TextWidth(std::string_view(p, 1), face, size);
  return w + spacing * std::max(0, n - 1);
}

void SpacedPath(cairo_t* cr, const char* text, double x, double y, Face face, double size,
                double spacing) {
  SelectFace(cr, face, size);
  for (const char* p = text; *p; ++p) {
    const std::string letter(p, 1);
    cairo_move_to(cr, x, y);
    cairo_text_path(cr, letter.c_str());
    x += TextWidth(letter, face, size) + spacing;
  }
}

void LogoFrame(cairo_t* cr, double t) {
  VerticalGradient(cr, 0, kClipHeight, {6, 8, 16}, {14, 20, 36});
  cairo_paint(cr);
  const double cx = kClipWidth / 2.0, cy = 196;
  const double grow = 0.88 + 0.12 * Smooth(Ramp(t, 0.1, 1.0));
  WithAlpha(cr, Smooth(Ramp(t, 0.1, 0.9)), [&] {
    // A faint glow behind the emblem.
    RadialGradient(cr, cx, cy, 170, {60, 90, 150}, {0, 0, 0}, 0.35, 0);
    cairo_paint(cr);
    Emblem(cr, cx, cy, 82 * grow, t * 0.4);
  });
  const char* name = "TARN WORKS";
  const double size = 40, spacing = 9;
  const double w = SpacedWidth(name, Face::kSansBold, size, spacing);
  const double x = cx - w / 2, y = 346;
  WithAlpha(cr, Smooth(Ramp(t, 0.6, 1.3)), [&] {
    SpacedPath(cr, name, x, y + 2, Face::kSansBold, size, spacing);
    cairo_set_source_rgba(cr, 0, 0, 0, 0.6);
    cairo_fill(cr);
    SpacedPath(cr, name, x, y, Face::kSansBold, size, spacing);
    VerticalGradient(cr, y - 30, y, {250, 252, 255}, {150, 168, 196});
    cairo_fill_preserve(cr);
    // A glint runs over the letters.
    const double g = Ramp(t, 1.2, 2.0);
    if (g > 0 && g < 1) {
      cairo_save(cr);
      cairo_clip(cr);
      const double gx = x - 80 + (w + 160) * g;
      cairo_pattern_t* p = cairo_pattern_create_linear(gx - 40, 0, gx + 40, 0);
      cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
      cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.85);
      cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
      cairo_set_source(cr, p);
      cairo_paint(cr);
      cairo_pattern_destroy(p);
      cairo_restore(cr);
    }
    cairo_new_path(cr);
    // A thin rule under the name.
    cairo_move_to(cr, cx - w * 0.3, y + 22);
    cairo_line_to(cr, cx + w * 0.3, y + 22);
    cairo_set_line_width(cr, 1.5);
    cairo_set_source_rgba(cr, 0.6, 0.7, 0.86, 0.7);
    cairo_stroke(cr);
  });
  FadeToBlack(cr, Smooth(Ramp(t, kLogoSeconds - 0.6, kLogoSeconds - 0.04)));
}

// ---- Title sequence ---------------------------------------------------------

// A hole and its course picture, drawn once per run: the title sequence and
// the credits show the same two holes.
struct DrawnHole {
  HoleModel hole;
  Picture picture;
};
const DrawnHole& Drawn(const Sources& src, const std::string& name) {
  static std::map<std::pair<std::string, std::string>, DrawnHole> drawn;
  // Clips are drawn two at a time; map entries stay where they are.
  static std::mutex lock;
  std::lock_guard<std::mutex> guard(lock);
  auto key = std::make_pair(src.assetsDir, name);
  auto it = drawn.find(key);
  if (it == drawn.end()) {
    DrawnHole d;
    d.hole = LoadHoleModel(src, name);
    d.picture = CoursePicture(d.hole);
    it = drawn.emplace(key, std::move(d)).first;
  }
  return it->second;
}

struct CourseShot {
  const HoleModel& hole;
  Surface picture;
  int cupX = 0, cupY = 0;
  CourseShot(const Sources& src, const std::string& name)
      : hole(Drawn(src, name).hole), picture(FromPicture(Drawn(src, name).picture)) {
    for (int i = 1; i <= kMaxAreas; ++i)
      if (hole.areas[i].kind == AreaKind::kCup) {
        cupX = hole.areas[i].x1;
        cupY = hole.areas[i].y1;
      }
  }
  // Paints the course with the point (x, y) as near the middle as its
  // edges allow; returns the top-left corner used.
  void Paint(cairo_t* cr, double x, double y, double& left, double& top) const {
    left = std::round(
        std::clamp(x - kClipWidth / 2.0, 0.0, static_cast<double>(picture.Width() - kClipWidth)));
    top = std::round(std::clamp(y - kClipHeight / 2.0, 0.0,
                                static_cast<double>(picture.Height() - kClipHeight)));
    cairo_set_source_surface(cr, picture.Get(), -left, -top);
    cairo_paint(cr);
  }
};

// Darkens the corners a little, like a lens.
void Vignette(cairo_t* cr) {
  cairo_pattern_t* p = cairo_pattern_create_radial(kClipWidth / 2.0, kClipHeight / 2.0, 200,
                                                   kClipWidth / 2.0, kClipHeight / 2.0, 430);
  cairo_pattern_add_color_stop_rgba(p, 0, 0, 0, 0, 0);
  cairo_pattern_add_color_stop_rgba(p, 1, 0, 0, 0, 0.45);
  cairo_set_source(cr, p);
  cairo_paint(cr);
  cairo_pattern_destroy(p);
}

struct IntroScenes {
  const Words& tr;
  CourseShot garden, space;
  Surface backdrop;
  IntroScenes(const Sources& src, const Words& words)
      : tr(words),
        garden(src, "course1hole1"),
        space(src, "course2hole3"),
        backdrop(Backdrop(garden.picture.Get(), 0.45)) {}

  // The garden: a putt from the tee up the lane and along to the cup.
  void Garden(cairo_t* cr, double t) const {
    const double tx = garden.hole.teeX, ty = garden.hole.teeY;
    const double kx = tx, ky = garden.cupY;  // the corner of the L
    const double first = std::abs(ty - ky), second = std::abs(garden.cupX - kx);
    const double u = Ramp(t, 0.6, 3.4);
    const double s = (first + second) * (1 - (1 - u) * (1 - u));  // a putt slows down
    double bx = tx, by = ty;
    if (s < first) {
      by = ty - s;
    } else {
      by = ky;
      bx = kx + (s - first);
    }
    // The camera follows a little behind the ball.
    const double lag = std::max(0.0, s - 60);
    double cx = tx, cy = ty - std::min(lag, first);
    if (lag > first) cx = kx + (lag - first);
    double left, top;
    garden.Paint(cr, cx, cy - 40, left, top);
    const double drop = Ramp(t, 3.4, 3.75);
    if (drop < 1) {
      const double x = bx + (garden.cupX - bx) * drop - left;
      const double y = by + (garden.cupY - by) * drop - top;
      Ball(cr, x, y, 1 - 0.6 * drop, 1 - drop * 0.7);
    }
    Vignette(cr);
    Caption(cr, tr("Земной Корт"), tr("девять лунок в саду"), t, 0.5, 3.7);
  }

  // Space: the camera glides from the cup to the ball waiting on the tee.
  void Space(cairo_t* cr, double t) const {
    const double u = Smooth(Ramp(t, 4.2, 6.8));
    const double cx = space.cupX + (space.hole.teeX - space.cupX) * u;
    const double cy = space.cupY + (space.hole.teeY - space.cupY) * u;
    double left, top;
    space.Paint(cr, cx + 120, cy, left, top);
    const double bx = space.hole.teeX - left, by = space.hole.teeY - top;
    // The ring round the ball whose turn it is.
    const double pulse = 0.5 + 0.5 * std::sin(t * 2 * kPi * 1.2);
    cairo_save(cr);
    cairo_translate(cr, bx, by + 3);
    cairo_scale(cr, 1, 0.5);
    cairo_new_path(cr);
    cairo_arc(cr, 0, 0, 14 + 3 * pulse, 0, 2 * kPi);
    cairo_restore(cr);
    cairo_set_line_width(cr, 2);
    cairo_set_source_rgba(cr, 0.4, 0.9, 1, 0.5 + 0.4 * pulse);
    cairo_stroke(cr);
    Ball(cr, bx, by);
    Vignette(cr);
    Caption(cr, tr("Космо Корт"), tr("девять лунок среди звёзд"), t, 4.5, 7.2, true);
  }

  void Title(cairo_t* cr, double t) const {
    // The backdrop drifts slowly.
    const double zoom = 1.0 + 0.05 * Ramp(t, 7.0, 10.0);
    cairo_save(cr);
    cairo_translate(cr, kClipWidth / 2.0, kClipHeight / 2.0);
    cairo_scale(cr, zoom, zoom);
    cairo_translate(cr, -kClipWidth / 2.0, -kClipHeight / 2.0);
    cairo_set_source_surface(cr, backdrop.Get(), 0, 0);
    cairo_paint(cr);
    cairo_restore(cr);
    RadialGradient(cr, 320, 200, 300, {40, 70, 40}, {0, 0, 0}, 0.5, 0);
    cairo_paint(cr);

    const char* title = "Quendrix";
    const double size = 96;
    const double land = EaseOutBack(Ramp(t, 7.35, 8.0));
    const double scale = 1.7 - 0.7 * land;
    const double w = TextWidth(title, Face::kSansBold, size);
    const double baseY = 222;
    WithAlpha(cr, Smooth(Ramp(t, 7.3, 7.7)), [&] {
      cairo_save(cr);
      cairo_translate(cr, kClipWidth / 2.0, baseY - 36);
      cairo_scale(cr, scale, scale);
      cairo_translate(cr, -w / 2, 36);
      SelectFace(cr, Face::kSansBold, size);
      // Shadow, outline, then a sunny fill.
      cairo_move_to(cr, 5, 6);
      cairo_text_path(cr, title);
      cairo_set_source_rgba(cr, 0, 0, 0, 0.55);
      cairo_fill(cr);
      cairo_move_to(cr, 0, 0);
      cairo_text_path(cr, title);
      cairo_set_line_width(cr, 8);
      cairo_set_line_join(cr, CAIRO_LINE_JOIN_ROUND);
      cairo_set_source_rgb(cr, 0.1, 0.22, 0.08);
      cairo_stroke_preserve(cr);
      VerticalGradient(cr, -78, 0, {255, 244, 170}, {236, 150, 40});
      cairo_fill_preserve(cr);
      // The shine passes once over the title as it lands.
      const double g = Ramp(t, 8.0, 8.9);
      if (g > 0 && g < 1) {
        cairo_save(cr);
        cairo_clip(cr);
        const double gx = -100 + (w + 200) * g;
        cairo_pattern_t* p = cairo_pattern_create_linear(gx - 50, -80, gx + 50, 0);
        cairo_pattern_add_color_stop_rgba(p, 0, 1, 1, 1, 0);
        cairo_pattern_add_color_stop_rgba(p, 0.5, 1, 1, 1, 0.8);
        cairo_pattern_add_color_stop_rgba(p, 1, 1, 1, 1, 0);
        cairo_set_source(cr, p);
        cairo_paint(cr);
        cairo_pattern_destroy(p);
        cairo_restore(cr);
      }
      cairo_new_path(cr);
      cairo_restore(cr);
    });
    // A ball rolls in under the title and stops by its end.
    const double roll = Ramp(t, 7.9, 8.9);
    if (roll > 0) {
      const double e = 1 - (1 - roll) * (1 - roll);
      const double endX = kClipWidth / 2.0 + w / 2 - 8;
      const double x = -20 + (endX + 20) * e;
      cairo_set_source_rgba(cr, 1, 1, 1, 0.25 * Ramp(t, 7.9, 8.2));
      cairo_rectangle(cr, 0, baseY + 34, std::max(0.0, x - 12), 2);
      cairo_fill(cr);
      Ball(cr, x, baseY + 26, 1.6);
    }
    WithAlpha(cr, Smooth(Ramp(t, 8.5, 9.1)), [&] {
      TextStyle sub;
      sub.face = Face::kSansBold;
      sub.size = 26;
      sub.colour = {236, 242, 250};
      sub.shadow = 2;
      DrawText(cr, tr("мини-гольф"), kClipWidth / 2.0, 318, sub, Align::kCentre);
      TextStyle courses;
      courses.face = Face::kSans;
      courses.size = 19;
      courses.colour = {255, 226, 140};
      courses.shadow = 2;
      DrawText(cr, tr("Земной Корт") + "  ·  " + tr("Космо Корт"), kClipWidth / 2.0, 352, courses,
               Align::kCentre);
    });
  }

  void Frame(cairo_t* cr, double t) const {
    if (t < 4.4) Garden(cr, t);
    if (t >= 3.9 && t < 7.5) WithAlpha(cr, Smooth(Ramp(t, 3.9, 4.4)), [&] { Space(cr, t); });
    if (t >= 7.0) WithAlpha(cr, Smooth(Ramp(t, 7.0, 7.5)), [&] { Title(cr, t); });
    FadeToBlack(cr, 1 - Smooth(Ramp(t, 0, 0.4)));
    FadeToBlack(cr, Smooth(Ramp(t, kIntroSeconds - 0.6, kIntroSeconds - 0.04)));
  }
};

// ---- Credits -----------------------------------------------------------------

struct CreditLine {
  enum Kind { kTitle, kHeading, kName, kText, kLicence, kCourses, kGap } kind;
  const char* text = "";
};

// What the game is made of. Licences as each package states them.
const std::vector<CreditLine>& Credits() {
  static const std::vector<CreditLine> lines = {
      {CreditLine::kTitle, "Quendrix"},
      {CreditLine::kText, TrNoop("мини-гольф для одного – четырёх игроков")},
      {CreditLine::kGap},
      {CreditLine::kHeading, TrNoop("Поля")},
      {CreditLine::kCourses},
      {CreditLine::kGap},
      {CreditLine::kHeading, TrNoop("Сделано на свободных программах")},
      {CreditLine::kName, "SDL2"},
      {CreditLine::kText, TrNoop("окно, клавиши, мышь и звук")},
      {CreditLine::kLicence, TrNoop("лицензия zlib")},
      {CreditLine::kName, "SDL2_mixer"},
      {CreditLine::kText, TrNoop("звуки и музыка")},
      {CreditLine::kLicence, TrNoop("лицензия zlib")},
      {CreditLine::kName, "SDL2_image"},
      {CreditLine::kText, TrNoop("снимки экрана в PNG")},
      {CreditLine::kLicence, TrNoop("лицензия zlib")},
      {CreditLine::kName, "FFmpeg"},
      {CreditLine::kText, TrNoop("эти ролики: запись и показ")},
      {CreditLine::kLicence, TrNoop("GNU LGPL 2.1 или новее")},
      {CreditLine::kLicence, TrNoop("(сборка Debian — GNU GPL 2 или новее)")},
      {CreditLine::kName, "Dear ImGui"},
      {CreditLine::kText, TrNoop("кнопки и панели меню")},
      {CreditLine::kLicence, TrNoop("лицензия MIT")},
      {CreditLine::kName, "cairo"},
      {CreditLine::kText, TrNoop("рисунки полей, мячей и шрифтов")},
      {CreditLine::kLicence, "GNU LGPL 2.1 / MPL 1.1"},
      {CreditLine::kName, "FreeType"},
      {CreditLine::kText, TrNoop("буквы меню на экране")},
      {CreditLine::kLicence, TrNoop("лицензия FreeType (FTL)")},
      {CreditLine::kGap},
      {CreditLine::kHeading, TrNoop("Шрифты")},
      {CreditLine::kName, "DejaVu"},
      {CreditLine::kText, TrNoop("надписи меню и рисунков")},
      {CreditLine::kLicence, TrNoop("лицензия Bitstream Vera")},
      {CreditLine::kLicence, TrNoop("изменения DejaVu — общественное достояние")},
  };
  return lines;
}

double LineHeight(CreditLine::Kind k) {
  switch (k) {
    case CreditLine::kTitle:
      return 96;
    case CreditLine::kHeading:
      return 52;
    case CreditLine::kName:
      return 44;
    case CreditLine::kText:
      return 26;
    case CreditLine::kLicence:
      return 30;
    case CreditLine::kCourses:
      return 210;
    case CreditLine::kGap:
      return 40;
  }
  return 0;
}

struct CreditsScenes {
  const Words& tr;
  CourseShot garden, space;
  Surface backdrop;
  std::unique_ptr<Canvas> roll;
  double thanksY = 0;  // baseline of the closing line on the roll

  CreditsScenes(const Sources& src, const Words& words)
      : tr(words),
        garden(src, "course1hole1"),
        space(src, "course2hole3"),
        backdrop(Backdrop(space.picture.Get(), 0.62)) {
    double h = kClipHeight;  // the roll starts below the screen
    for (const CreditLine& l : Credits()) h += LineHeight(l.kind);
    // Everything above has left the screen when the closing line stops.
    h += 300;
    thanksY = h;
    h += 40 + kClipHeight / 2.0;
    roll = std::make_unique<Canvas>(kClipWidth, static_cast<int>(h));
    DrawRoll();
  }

  void Thumbnail(cairo_t* cr, const CourseShot& c, double x, double y, const std::string& name,
                 const std::string& under) const {
    const double w = 240, hgt = 150;
    cairo_save(cr);
    RoundedRect(cr, x, y, w, hgt, 10);
    cairo_clip(cr);
    const double s = std::max(w / c.picture.Width(), hgt / c.picture.Height()) * 1.2;
    cairo_translate(cr, x + w / 2, y + hgt / 2);
    cairo_scale(cr, s, s);
    cairo_translate(cr, -c.picture.Width() / 2.0, -c.picture.Height() / 2.0);
    cairo_set_source_surface(cr, c.picture.Get(), 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_GOOD);
    cairo_paint(cr);
    cairo_restore(cr);
    RoundedRect(cr, x, y, w, hgt, 10);
    cairo_set_line_width(cr, 3);
    cairo_set_source_rgba(cr, 1, 0.9, 0.6, 0.9);
    cairo_stroke(cr);
    TextStyle n;
    n.face = Face::kSansBold;
    n.size = 24;
    n.colour = {255, 255, 255};
    n.shadow = 2;
    DrawText(cr, name, x + w / 2, y + hgt + 30, n, Align::kCentre);
    TextStyle u;
    u.face = Face::kSans;
    u.size = 15;
    u.colour = {190, 206, 226};
    DrawText(cr, under, x + w / 2, y + hgt + 50, u, Align::kCentre);
  }

  void DrawRoll() {
    cairo_t* cr = roll->Cr();
    const double cx = kClipWidth / 2.0;
    double y = kClipHeight;
    for (const CreditLine& l : Credits()) {
      const double h = LineHeight(l.kind);
      TextStyle s;
      s.shadow = 2;
      s.shadowAlpha = 0.7;
      switch (l.kind) {
        case CreditLine::kTitle: {
          s.face = Face::kSansBold;
          s.size = 72;
          s.colour = {255, 214, 110};
          s.outline = 6;
          s.outlineColour = {20, 44, 16};
          DrawText(cr, tr(l.text), cx, y + 72, s, Align::kCentre);
          break;
        }
        case CreditLine::kHeading:
          s.face = Face::kSansBold;
          s.size = 24;
          s.colour = {255, 206, 90};
          DrawText(cr, tr(l.text), cx, y + 34, s, Align::kCentre);
          cairo_rectangle(cr, cx - 90, y + 44, 180, 2);
          cairo_set_source_rgba(cr, 1, 0.8, 0.35, 0.6);
          cairo_fill(cr);
          break;
        case CreditLine::kName:
          s.face = Face::kSansBold;
          s.size = 30;
          s.colour = {255, 255, 255};
          DrawText(cr, tr(l.text), cx, y + 36, s, Align::kCentre);
          break;
        case CreditLine::kText:
          s.face = Face::kSans;
          s.size = 18;
          s.colour = {206, 218, 234};
          DrawText(cr, tr(l.text), cx, y + 19, s, Align::kCentre);
          break;
        case CreditLine::kLicence:
          s.face = Face::kSans;
          s.size = 17;
          s.colour = {150, 226, 150};
          DrawText(cr, tr(l.text), cx, y + 19, s, Align::kCentre);
          break;
        case CreditLine::kCourses:
          Thumbnail(cr, garden, 60, y + 6, tr("Земной Корт"), tr("девять лунок в саду"));
          Thumbnail(cr, space, 340, y + 6, tr("Космо Корт"), tr("девять лунок среди звёзд"));
          break;
        case CreditLine::kGap:
          break;
      }
      y += h;
    }
    TextStyle s;
    s.face = Face::kSansBold;
    s.size = 40;
    s.colour = {255, 232, 150};
    s.shadow = 3;
    DrawText(cr, tr("Спасибо за игру!"), cx, thanksY, s, Align::kCentre);
    cairo_surface_flush(roll->Surface());
  }

  void Frame(cairo_t* cr, double t) const {
    cairo_set_source_surface(cr, backdrop.Get(), 0, 0);
    cairo_paint(cr);
    Vignette(cr);
    // The roll moves a whole number of pixels each picture and stops with
    // the closing line in the middle of the screen.
    const double stopAt = thanksY - kClipHeight / 2.0 - 10;
    const double travelEnd = kCreditsSeconds - 5.0;
    const double speed = stopAt / (travelEnd - 1.0);
    const double offset = std::round(std::min(stopAt, std::max(0.0, t - 1.0) * speed));
    cairo_save(cr);
    cairo_rectangle(cr, 0, 0, kClipWidth, kClipHeight);
    cairo_clip(cr);
    cairo_set_source_surface(cr, roll->Surface(), 0, -offset);
    // Lines fade in at the bottom edge and out at the top.
    cairo_pattern_t* mask = cairo_pattern_create_linear(0, 0, 0, kClipHeight);
    cairo_pattern_add_color_stop_rgba(mask, 0, 0, 0, 0, 0);
    cairo_pattern_add_color_stop_rgba(mask, 0.14, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(mask, 0.86, 0, 0, 0, 1);
    cairo_pattern_add_color_stop_rgba(mask, 1, 0, 0, 0, 0);
    cairo_mask(cr, mask);
    cairo_pattern_destroy(mask);
    cairo_restore(cr);
    // A ball bounces in beside the closing line and comes to rest.
    if (t > travelEnd) {
      const double u = Ramp(t, travelEnd + 0.2, travelEnd + 1.2);
      const double x =
          kClipWidth / 2.0 + TextWidth(tr("Спасибо за игру!"), Face::kSansBold, 40) / 2 + 22;
      const double ground = thanksY - offset - 8;
      const double bounce = std::abs(std::cos(u * kPi * 1.5)) * (1 - u) * 90;
      WithAlpha(cr, Ramp(t, travelEnd, travelEnd + 0.3),
                [&] { Ball(cr, x, ground - bounce, 1.4); });
    }
    FadeToBlack(cr, 1 - Smooth(Ramp(t, 0, 0.8)));
    FadeToBlack(cr, Smooth(Ramp(t, kCreditsSeconds - 1.6, kCreditsSeconds - 0.04)));
  }
};

}  // namespace

ClipOutput LogoClip(const Sources&, int maxFrames) {
  return Render("tarn.avi", kLogoSeconds, LogoChime(kLogoSeconds), {0.6, 1.6, 2.3}, maxFrames,
                LogoFrame);
}

ClipOutput IntroClip(const Sources& sources, int maxFrames) {
  return IntroClipIn(Words(), sources, maxFrames);
}

ClipOutput IntroClipIn(const Words& tr, const Sources& sources, int maxFrames) {
  const IntroScenes scenes(sources, tr);
  return Render(tr.Folder() + "intro.avi", kIntroSeconds, IntroTune(kIntroSeconds),
                {1.5, 3.2, 5.6, 7.8, 9.0}, maxFrames,
                [&](cairo_t* cr, double t) { scenes.Frame(cr, t); });
}

ClipOutput CreditsClip(const Sources& sources, int maxFrames) {
  return CreditsClipIn(Words(), sources, maxFrames);
}

ClipOutput CreditsClipIn(const Words& tr, const Sources& sources, int maxFrames) {
  const CreditsScenes scenes(sources, tr);
  return Render(tr.Folder() + "credits.avi", kCreditsSeconds, CreditsTune(kCreditsSeconds),
                {2.0, 6.0, 10.0, 14.0, 18.0, 23.0}, maxFrames,
                [&](cairo_t* cr, double t) { scenes.Frame(cr, t); });
}

}  // namespace quendrix::assetgen
