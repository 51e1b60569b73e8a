#include "preview.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <stdexcept>
#include <string_view>
#include <utility>
#include <vector>

#include "draw.h"
#include "flic_art.h"
#include "fonts.h"
#include "gui_art.h"
#include "launchpad_art.h"
#include "style.h"
#include "textures.h"

#include "game/ball_sprites.h"
#include "widgets/hot_image_menu.h"

namespace quendrix::assetgen {
namespace {

constexpr Rgb kSheetBack{40, 44, 52};
constexpr Rgb kLabel{230, 234, 240};

// A picture as a cairo surface; the key colour shows as a checker board
// when `key` is given.
cairo_surface_t* ToSurface(const Picture& p, const Rgb* key) {
  cairo_surface_t* s = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(1, p.Width()),
                                                  std::max(1, p.Height()));
  cairo_surface_flush(s);
  unsigned char* data = cairo_image_surface_get_data(s);
  int stride = cairo_image_surface_get_stride(s);
  for (int y = 0; y < p.Height(); ++y)
    for (int x = 0; x < p.Width(); ++x) {
      Rgb c = p.At(x, y);
      if (key && c == *key) c = ((x / 4 + y / 4) % 2) ? Rgb{96, 96, 104} : Rgb{70, 70, 78};
      *reinterpret_cast<uint32_t*>(data + y * stride + 4 * x) =
          (static_cast<uint32_t>(c.r) << 16) | (c.g << 8) | c.b;
    }
  cairo_surface_mark_dirty(s);
  return s;
}

void PaintPicture(cairo_t* cr, const Picture& p, double x, double y, double scale, const Rgb* key) {
  cairo_surface_t* s = ToSurface(p, key);
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, scale, scale);
  cairo_set_source_surface(cr, s, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_restore(cr);
  cairo_surface_destroy(s);
}

void Label(cairo_t* cr, const std::string& text, double x, double y, double size = 12,
           Rgb colour = kLabel) {
  TextStyle t;
  t.face = Face::kSans;
  t.size = size;
  t.colour = colour;
  DrawText(cr, text, x, y, t);
}

void SavePng(cairo_surface_t* s, const std::string& path) {
  if (cairo_surface_write_to_png(s, path.c_str()) != CAIRO_STATUS_SUCCESS)
    throw std::runtime_error("cannot write " + path);
}

double ScaleFor(int w, int h) {
  if (w <= 0 || h <= 0) return 1;
  double s = std::floor(std::min(1100.0 / w, 260.0 / h));
  return std::clamp(s, 1.0, 6.0);
}

void ImageListSheet(const ImageList& list, const std::string& path) {
  const int width = 1200;
  // Measure.
  double height = 50;
  for (const ImageItem& item : list.items) {
    double s = ScaleFor(item.picture.Width(), item.picture.Height());
    height += 30 + item.picture.Height() * s + 16;
  }
  cairo_surface_t* surf =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, static_cast<int>(height));
  cairo_t* cr = cairo_create(surf);
  SetColour(cr, kSheetBack);
  cairo_paint(cr);
  Label(cr, list.path + " — " + std::to_string(list.items.size()) + " items", 16, 30, 18);
  double y = 50;
  for (size_t i = 0; i < list.items.size(); ++i) {
    const ImageItem& item = list.items[i];
    double s = ScaleFor(item.picture.Width(), item.picture.Height());
    char line[256];
    std::snprintf(line, sizeof line,
                  "%zu  %s   %dx%d   pattern %dx%d   %d pattern(s)   %s   shown x%g", i,
                  item.name.c_str(), item.picture.Width(), item.picture.Height(),
                  item.EffectiveWidth(), item.EffectiveHeight(), item.PatternCount(),
                  item.transparent ? "colour key black" : "opaque", s);
    Label(cr, line, 16, y + 20);
    y += 30;
    PaintPicture(cr, item.picture, 16, y, s, item.transparent ? &item.transparentColor : nullptr);
    // Pattern grid and numbers.
    int pw = item.EffectiveWidth(), ph = item.EffectiveHeight();
    if (item.PatternCount() > 1) {
      cairo_set_line_width(cr, 1);
      SetColour(cr, Rgb{255, 80, 200}, 0.7);
      for (int k = 0; k < item.PatternCount(); ++k) {
        double px = 16 + (k % item.Columns()) * pw * s, py = y + (k / item.Columns()) * ph * s;
        cairo_rectangle(cr, px + 0.5, py + 0.5, pw * s - 1, ph * s - 1);
        cairo_stroke(cr);
        if (pw * s >= 24 && ph * s >= 24)
          Label(cr, std::to_string(k), px + 3, py + 11, 9, Rgb{255, 150, 230});
      }
    }
    y += item.picture.Height() * s + 16;
  }
  cairo_destroy(cr);
  SavePng(surf, path);
  cairo_surface_destroy(surf);
}

void BitmapSheet(const std::string& title, const std::vector<const BitmapFile*>& files,
                 const std::string& path) {
  const int width = 1200;
  double height = 50;
  for (const BitmapFile* f : files)
    height += 30 + f->picture.Height() * ScaleFor(f->picture.Width(), f->picture.Height()) + 12;
  cairo_surface_t* surf =
      cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, static_cast<int>(height));
  cairo_t* cr = cairo_create(surf);
  SetColour(cr, kSheetBack);
  cairo_paint(cr);
  Label(cr, title, 16, 30, 18);
  double y = 50;
  for (const BitmapFile* f : files) {
    double s = ScaleFor(f->picture.Width(), f->picture.Height());
    char line[256];
    std::snprintf(line, sizeof line, "%s   %dx%d   shown x%g", f->path.c_str(), f->picture.Width(),
                  f->picture.Height(), s);
    Label(cr, line, 16, y + 20);
    y += 30;
    PaintPicture(cr, f->picture, 16, y, s, &kBlack);
    y += f->picture.Height() * s + 12;
  }
  cairo_destroy(cr);
  SavePng(surf, path);
  cairo_surface_destroy(surf);
}

// Draws a picture colour-keyed (black skipped) onto a picture, like the game.
void Keyed(Picture& onto, const Picture& p, int x, int y) {
  for (int j = 0; j < p.Height(); ++j)
    for (int i = 0; i < p.Width(); ++i) {
      Rgb c = p.At(i, j);
      int tx = x + i, ty = y + j;
      if (!(c == kBlack) && tx >= 0 && ty >= 0 && tx < onto.Width() && ty < onto.Height())
        onto.Set(tx, ty, c);
    }
}

enum class Blend { kAdd, kSub, kAlpha };
void Blended(Picture& onto, const Picture& p, int x, int y, int alpha, Blend mode) {
  for (int j = 0; j < p.Height(); ++j)
    for (int i = 0; i < p.Width(); ++i) {
      Rgb c = p.At(i, j);
      int tx = x + i, ty = y + j;
      if (c == kBlack || tx < 0 || ty < 0 || tx >= onto.Width() || ty >= onto.Height()) continue;
      Rgb d = onto.At(tx, ty);
      auto ch = [&](int c1, int c2) {
        switch (mode) {
          case Blend::kAdd:
            return std::min(((c1 * alpha) >> 8) + c2, 255);
          case Blend::kSub:
            return std::max(c2 - ((c1 * alpha) >> 8), 0);
          default:
            return (c1 * alpha + c2 * (255 - alpha)) >> 8;
        }
      };
      onto.Set(tx, ty,
               Rgb{static_cast<uint8_t>(ch(c.r, d.r)), static_cast<uint8_t>(ch(c.g, d.g)),
                   static_cast<uint8_t>(ch(c.b, d.b))});
    }
}

// Text the way the game sets it: character k at x + k * advance.
void GameText(Picture& onto, const Picture& strip, int cellW, int cellH, int advance,
              std::string_view text, int x, int y, int (*cellOf)(unsigned char)) {
  for (size_t k = 1; k <= text.size(); ++k) {
    int cell = cellOf(static_cast<unsigned char>(text[k - 1]));
    if (cell < 0 || (cell + 1) * cellW > strip.Width()) continue;
    Keyed(onto, strip.Crop(cell * cellW, 0, cellW, cellH), x + static_cast<int>(k) * advance, y);
  }
}

const ImageItem* FindItem(const DataSet& data, const std::string& list, size_t index) {
  for (const ImageList& l : data.imageLists)
    if (l.path == list && index < l.items.size()) return &l.items[index];
  return nullptr;
}

void FontSamples(const DataSet& data, const std::string& path) {
  const ImageItem* font = FindItem(data, "gui.dxg", 7);
  const ImageItem* digits = FindItem(data, "gui.dxg", 8);
  const ImageItem* banner = FindItem(data, "menu.dxg", 0);
  const ImageItem* menuFont = FindItem(data, "menu.dxg", 5);
  if (!font || !digits || !banner || !menuFont) return;
  static const char* kTexts[] = {"HAGMNTE BB0D DVR BLIX0DA",
                                 "CVNUK0M SLICTP0",
                                 "Y0BT0P C00SUEHNR",
                                 "N3MEHEHNE CTNVR JDAPA",
                                 "3BJK BK/BLIK (O3)",
                                 "Y0M0UL JDAPA (O1)",
                                 "QEHTP0BKA (H0ME)",
                                 "Y0KA3 PE3JVLTATA",
                                 "BLIX0D (ZCK)",
                                 "CTNVL - YJT JDAP",
                                 "D0Y0VHNTEVLHLIN JDAP",
                                 "VNMNT OPENM0B  30 O/C",
                                 "C4ET - P0BH0",
                                 "1. NBAH (12)",
                                 "\xC5\xD6\xC4 ?*.!+-=()<>/%$#&"};
  const int scale = 3;
  Picture sheet(1150, 1060, kSheetBack);
  int y = 10;
  for (const char* t : kTexts) {
    Picture line(190, 12, Rgb{20, 48, 100});
    GameText(line, font->picture, 6, 10, 6, t, -6 + 2, 1, FontMapCell);
    for (int j = 0; j < line.Height() * scale; ++j)
      for (int i = 0; i < line.Width() * scale && 10 + i < sheet.Width(); ++i)
        sheet.Set(10 + i, y + j, line.At(i / scale, j / scale));
    y += 12 * scale + 4;
  }
  // Digits and menu font at x2, banner at x1.
  Picture d(120, 16, Rgb{12, 30, 64});
  GameText(d, digits->picture, 8, 13, 9, "o12 -3 o0 9", -9 + 2, 1, DigitCell);
  for (int j = 0; j < d.Height() * 3; ++j)
    for (int i = 0; i < d.Width() * 3; ++i) sheet.Set(620 + i, 10 + j, d.At(i / 3, j / 3));
  Picture m(330, 40, Rgb{252, 250, 238});
  GameText(m, menuFont->picture, 8, 12, 8, "NBAH 1  3 4 5 12", -8 + 4, 4, FontMapCell);
  GameText(m, menuFont->picture, 8, 12, 8, "Y0SEDA- NBAH  C4ET - P0BH0", -8 + 4, 22, FontMapCell);
  for (int j = 0; j < m.Height() * 2; ++j)
    for (int i = 0; i < m.Width() * 2 && 480 + i < sheet.Width(); ++i)
      sheet.Set(480 + i, 80 + j, m.At(i / 2, j / 2));
  int by = 200;
  for (const char* t : {"HAGMNTE BB0D DVR BLIX0DA", "   VJHKA   ", "  + 2 JDAPA ", "UTPAOH0N JDAP",
                        "YPEBLIUEH VNMNT", "EUE  JDAP", "0PEV  PEUKA  F0V"}) {
    Picture line(640, 40, Rgb{60, 150, 70});
    Picture glyphs(640, 40, kBlack);
    GameText(glyphs, banner->picture, 23, 34, 23, t, 0, 3, BannerCell);
    Blended(line, glyphs, 0, 0, 191, Blend::kAdd);
    Blended(line, glyphs, 1, 1, 191, Blend::kAdd);
    sheet.Paste(line, 480, by);
    by += 44;
  }
  cairo_surface_t* s = ToSurface(sheet, nullptr);
  cairo_t* cr = cairo_create(s);
  Label(cr, "HUD font x3 (reads as):", 10, 1050, 12);
  int ly = 10;
  for (const char* t : kTexts) {
    Label(cr, ReadsAs(t), 600 - 10 - 0, ly + 26, 13, Rgb{255, 230, 150});
    ly += 40;
  }
  (void)ly;
  cairo_destroy(cr);
  SavePng(s, path);
  cairo_surface_destroy(s);
}

void DrawBall(Picture& onto, const DataSet& data, int player, int sx, int sy, int roll) {
  const ImageItem* tex = FindItem(data, "gui.dxg", 10 + player);
  const ImageItem* shade = FindItem(data, "gui.dxg", 15);
  const ImageItem* shadow = FindItem(data, "gui.dxg", 17);
  if (!tex || !shade || !shadow) return;
  Blended(onto, shadow->picture, sx - 4, sy - 6, 128, Blend::kAlpha);
  static const int kDisc[16][2] = {{-1, -1}, {6, 9},  {4, 11}, {3, 12}, {2, 13}, {2, 13},
                                   {1, 14},  {1, 14}, {1, 14}, {1, 14}, {2, 13}, {2, 13},
                                   {3, 12},  {4, 11}, {6, 9},  {-1, -1}};
  for (int j = 0; j < 16; ++j)
    for (int i = 0; i < 16; ++i) {
      if (kDisc[j][0] < 0 || i < kDisc[j][0] || i > kDisc[j][1]) continue;
      int t = ((SphereMap()[static_cast<size_t>(16 * j + i)] - roll) % 256 + 256) % 256;
      onto.Set(sx - 8 + i, sy - 8 + j, tex->picture.At(t % 16, t / 16));
    }
  Blended(onto, shade->picture, sx - 8, sy - 8, 128, Blend::kAlpha);
}

// A mock play screen: course colours in bands, the panel with its texts at
// the game's coordinates, a ball with its name box, the aiming aids.
void HudMock(const DataSet& data, const SkinStyle& style, const Sources& src,
             const std::string& path, bool compact) {
  PixelFont pixels = LoadPixelFont(src.assetsDir + "/fonts/hud_5x7.txt");
  Picture font = HudFont(style, pixels);
  Picture panel = compact ? CompactPanel(style, font) : Panel(style, font);
  Picture sign = PushSign(style, font);
  Picture buttons = PressedButtons(style);
  Picture digits = Digits(style);
  Picture nameBox = NameBox(style);
  Picture pointer = Pointer(style);
  Picture gauge = Gauge(style);
  Picture target = Target(style);
  const ImageItem* putter = FindItem(data, "gui.dxg", 10);
  const ImageItem* putterShadow = FindItem(data, "gui.dxg", 9);
  Picture screen(640, 480);
  static const Rgb kCourse[6] = {{70, 160, 60}, {230, 210, 150}, {40, 110, 200},
                                 {30, 40, 50},  {250, 250, 250}, {150, 90, 50}};
  for (int y = 0; y < 480; ++y)
    for (int x = 0; x < 640; ++x) {
      Rgb c = kCourse[(x / 107) % 6];
      if ((x / 8 + y / 8) % 2) c = Shade(c, 0.93);
      screen.Set(x, y, Narrow565(c));
    }
  Keyed(screen, panel, 4, 4);
  auto text = [&](std::string_view t, int x, int y) {
    GameText(screen, font, kFontCellW, kFontCellH, kFontCellW, t, x, y, FontMapCell);
  };
  if (compact) {
    text("4", 221, 9);
    text("12", 201, 9);
    text("1. NBAH (12)", 80, 9);
  } else {
    Keyed(screen, sign, 193, 49);
    Keyed(screen, buttons.Crop(2 * kButtonSize, 0, kButtonSize, kButtonSize), 61, 76);
    text("Y0BT0P C00SUEHNR   ", 116, 31);
    text("4", 161, 48);
    text("12", 113, 48);
    auto dig = [&](std::string_view t, int x, int y) {
      GameText(screen, digits, kDigitCellW, kDigitCellH, kDigitCellW + 1, t, x, y, DigitCell);
    };
    dig("o0", 19, 27);
    dig("-2", 64, 27);
    dig("o12", 19, 48);
    dig("o3", 64, 48);
  }
  // Ball with its name box, and one mid-aim ball with putter, target, gauge.
  DrawBall(screen, data, 2, 300, 250, 0);
  Keyed(screen, nameBox, 300 - 52, 250 - 40);
  std::string label = "2. VJHA (14)";
  text(label, 300 - 3 * static_cast<int>(label.size()), 250 - 35);
  DrawBall(screen, data, 3, 420, 390, 5);
  DrawBall(screen, data, 4, 530, 300, 9);
  DrawBall(screen, data, 1, 150, 420, 3);
  int bx = 180, by = 300, dir = 200, p = 30;
  double c = std::cos(2 * 3.14159265358979 * dir / 256),
         s = std::sin(2 * 3.14159265358979 * dir / 256);
  int pattern = ((128 - dir) & 255) / 8;
  if (putter && putterShadow) {
    int px = static_cast<int>(std::lround(bx - c * p)) - 47,
        py = static_cast<int>(std::lround(by - s * p)) - 125;
    Blended(screen, putterShadow->Pattern(pattern), px, py, 255, Blend::kSub);
    Keyed(screen, putter->Pattern(pattern), px, py);
  }
  DrawBall(screen, data, 1, bx, by, 0);
  int tx = static_cast<int>(std::lround(bx + c * 75)),
      ty = static_cast<int>(std::lround(by + s * 75));
  Blended(screen, target.Crop(32 * 1, 0, 32, 26), tx - 16, ty - 13, 192, Blend::kAdd);
  Keyed(screen, gauge.Crop(96 * 4, 52 * 2, 96, 52), tx - 47, ty - 56);
  Keyed(screen, pointer, 560, 120);
  // Twice as large, as on a 1024 x 768 screen seen from further away.
  cairo_surface_t* surf = ToSurface(screen, nullptr);
  cairo_surface_t* big = cairo_image_surface_create(CAIRO_FORMAT_RGB24, 1280, 960);
  cairo_t* cr = cairo_create(big);
  cairo_scale(cr, 2, 2);
  cairo_set_source_surface(cr, surf, 0, 0);
  cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
  cairo_paint(cr);
  cairo_destroy(cr);
  SavePng(big, path);
  cairo_surface_destroy(big);
  cairo_surface_destroy(surf);
}

// The score card with four players' rows written where the game writes
// them (menu font, character k at x + 8k).
void ScoreCardMock(const DataSet& data, const std::string& path) {
  const ImageItem* card = FindItem(data, "menu.dxg", 4);
  const ImageItem* font = FindItem(data, "menu.dxg", 5);
  if (!card || !font) return;
  Picture screen(640, 480);
  int cx = (640 - card->picture.Width()) / 2, cy = (480 - card->picture.Height()) / 2;
  Keyed(screen, card->picture, cx, cy);
  auto text = [&](std::string_view t, int x, int y) {
    GameText(screen, font->picture, 8, 12, 8, t, x, y, FontMapCell);
  };
  static const char* kNames[4] = {"NBAH", "VJHA", "EVEHA AVEKCAHDP0BHA", "Y0VLIH"};
  static const int kScores[4][9] = {{2, 3, 4, 2, 5, 3, 2, 4, 3},
                                    {3, 2, 2, 6, 12, 3, 3, 2, 2},
                                    {1, 4, 3, 3, 2, 2, 4, 3, 5},
                                    {2, 2, 3, 3, 3, 0, 0, 0, 0}};
  for (int i = 1; i <= 4; ++i) {
    int y = cy + 139 + 36 * i, total = 0;
    text(std::string(kNames[i - 1]).substr(0, 14), cx + 28, y);
    for (int h = 1; h <= 9; ++h) {
      int v = kScores[i - 1][h - 1];
      total += v;
      if (v) text(std::to_string(v), cx + 128 + 39 * h, y);
    }
    text(std::to_string(total), total < 10 ? cx + 534 : cx + 526, y);
    text(std::to_string(i), cx + 572, y);
  }
  text(std::string("Y0SEDA-NBAH VJHA ").substr(0, 39), cx + 154, cy + 319);
  cairo_surface_t* s = ToSurface(screen, nullptr);
  SavePng(s, path);
  cairo_surface_destroy(s);
}

// Waveforms of every sound, one strip each, on a shared time scale (a
// strip is 6 seconds wide; longer sounds are squeezed to fit).
void SoundSheet(const std::vector<WaveList>& lists, const std::string& path) {
  int rows = 0;
  for (const WaveList& l : lists) rows += static_cast<int>(l.items.size()) + 1;
  const int width = 1200, rowH = 46, left = 230, span = width - left - 16;
  cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, rows * rowH + 20);
  cairo_t* cr = cairo_create(surf);
  SetColour(cr, kSheetBack);
  cairo_paint(cr);
  int row = 0;
  for (const WaveList& l : lists) {
    Label(cr, l.path, 16, row * rowH + 34, 16);
    ++row;
    for (size_t i = 0; i < l.items.size(); ++i, ++row) {
      const WaveItem& w = l.items[i];
      double y0 = row * rowH + 10, mid = y0 + rowH / 2.0 - 4;
      char line[128];
      std::snprintf(line, sizeof line, "%zu %s (%.2f s)", i, w.name.c_str(), w.wave.Seconds());
      Label(cr, line, 16, mid + 4, 12);
      double seconds = std::max(6.0, w.wave.Seconds());
      size_t n = w.wave.samples.size();
      SetColour(cr, w.looped ? Rgb{255, 200, 90} : Rgb{120, 210, 255});
      cairo_set_line_width(cr, 1);
      for (int x = 0; x < span; ++x) {
        size_t a = static_cast<size_t>(x * seconds / span * w.wave.sampleRate);
        size_t b = static_cast<size_t>((x + 1) * seconds / span * w.wave.sampleRate);
        if (a >= n) break;
        b = std::min(b, n);
        int lo = 0, hi = 0;
        for (size_t k = a; k < b; ++k) {
          lo = std::min<int>(lo, w.wave.samples[k]);
          hi = std::max<int>(hi, w.wave.samples[k]);
        }
        cairo_move_to(cr, left + x + 0.5, mid - hi / 32768.0 * 18);
        cairo_line_to(cr, left + x + 0.5, mid - lo / 32768.0 * 18 + 1);
      }
      cairo_stroke(cr);
    }
  }
  cairo_destroy(cr);
  SavePng(surf, path);
  cairo_surface_destroy(surf);
}

// A spot's shape in picture pixels, shifted by half a pixel so that a
// pixel is inside when its integer point hits.
void MenuSpotPath(cairo_t* cr, const MenuSpotShape& s) {
  cairo_new_path(cr);
  if (s.ellipse) {
    double l = s.points[0][0], t = s.points[0][1], r = s.points[1][0], b = s.points[1][1];
    cairo_save(cr);
    cairo_translate(cr, (l + r) / 2 + 0.5, (t + b) / 2 + 0.5);
    cairo_scale(cr, (r - l) / 2, (b - t) / 2);
    cairo_arc(cr, 0, 0, 1, 0, 2 * M_PI);
    cairo_restore(cr);
    return;
  }
  for (int i = 0; i < s.count; ++i)
    cairo_line_to(cr, s.points[static_cast<size_t>(i)][0] + 0.5,
                  s.points[static_cast<size_t>(i)][1] + 0.5);
  cairo_close_path(cr);
}

// The picture with the lit twin shown inside spot `spot` (-1: none).
Picture MenuWithSpotLit(const Picture& normal, const Picture& lit, int spot) {
  Picture out = normal;
  if (spot < 0) return out;
  Canvas mask(normal.Width(), normal.Height());
  cairo_set_antialias(mask.Cr(), CAIRO_ANTIALIAS_NONE);
  MenuSpotPath(mask.Cr(), kMenuSpots[static_cast<size_t>(spot)]);
  cairo_set_source_rgb(mask.Cr(), 1, 1, 1);
  cairo_fill(mask.Cr());
  for (int y = 0; y < out.Height(); ++y)
    for (int x = 0; x < out.Width(); ++x) {
      uint8_t a, r, g, b;
      mask.Pixel(x, y, a, r, g, b);
      if (a > 127) out.Set(x, y, lit.At(x, y));
    }
  return out;
}

// The launch pad's menu: at 1x as the panel shows it (the control's crop,
// nothing lit and each spot lit in turn), and the whole picture at 3x,
// plain, lit, and with the spot outlines and the visible area drawn over.
void LaunchPadSheets(const ImageList& list, const std::string& dir) {
  namespace fs = std::filesystem;
  const Picture& normal = list.items[ItemIndex(LaunchpadImage::kMenu)].picture;
  const Picture& lit = list.items[ItemIndex(LaunchpadImage::kMenuLit)].picture;
  const MenuView v = MenuVisibleArea();
  const int panelW = 378, panelH = 137, gap = 24;
  const int sheetW = 2 * panelW + 3 * gap, sheetH = 3 * (panelH + gap + 16) + gap;
  Picture sheet(sheetW, sheetH, kSheetBack);
  static const char* kStates[5] = {"nothing lit", "0 play lit", "1 training lit", "2 setup lit",
                                   "3 quit lit"};
  for (int k = 0; k < 5; ++k) {
    Picture panel(panelW, panelH, kMenuPanel);
    panel.Paste(MenuWithSpotLit(normal, lit, k - 1).Crop(v.x, v.y, v.w, v.h), kMenuControlLeft,
                kMenuControlTop);
    sheet.Paste(panel, gap + (k % 2) * (panelW + gap), gap + 16 + (k / 2) * (panelH + gap + 16));
  }
  cairo_surface_t* s = ToSurface(sheet, nullptr);
  cairo_t* cr = cairo_create(s);
  for (int k = 0; k < 5; ++k)
    Label(cr, kStates[k], gap + (k % 2) * (panelW + gap), gap + 10 + (k / 2) * (panelH + gap + 16));
  cairo_destroy(cr);
  SavePng(s, (fs::path(dir) / "launchpad_x1.png").string());
  cairo_surface_destroy(s);

  const double scale = 3;
  auto big = [&](const Picture& p, bool outlines, const std::string& name) {
    cairo_surface_t* surf =
        cairo_image_surface_create(CAIRO_FORMAT_RGB24, static_cast<int>(p.Width() * scale),
                                   static_cast<int>(p.Height() * scale));
    cairo_t* c = cairo_create(surf);
    PaintPicture(c, p, 0, 0, scale, nullptr);
    if (outlines) {
      cairo_scale(c, scale, scale);
      cairo_set_line_width(c, 1.0 / scale);
      for (size_t i = 0; i < kMenuSpots.size(); ++i) {
        MenuSpotPath(c, kMenuSpots[i]);
        cairo_set_source_rgb(c, 1, 0.2, 0.9);
        cairo_stroke(c);
      }
      double dash[2] = {3.0 / scale, 2.0 / scale};
      cairo_set_dash(c, dash, 2, 0);
      cairo_rectangle(c, v.x, v.y, v.w, v.h);
      cairo_set_source_rgb(c, 0.2, 1, 1);
      cairo_stroke(c);
    }
    cairo_destroy(c);
    SavePng(surf, (fs::path(dir) / name).string());
    cairo_surface_destroy(surf);
  };
  big(normal, false, "launchpad_x3.png");
  big(lit, false, "launchpad_x3_lit.png");
  big(normal, true, "launchpad_x3_spots.png");
}

cairo_status_t ReadBytes(void* closure, unsigned char* data, unsigned int length) {
  auto* rest = static_cast<std::string_view*>(closure);
  if (rest->size() < length) return CAIRO_STATUS_READ_ERROR;
  std::copy(rest->begin(), rest->begin() + length, data);
  rest->remove_prefix(length);
  return CAIRO_STATUS_SUCCESS;
}

// Every icon size at 1x on a light and a dark desktop, and the small ones
// at 4x beside them.
void IconSheet(const DataSet& data, const std::string& path) {
  std::vector<std::pair<int, cairo_surface_t*>> icons;
  for (const DataFile& f : data.files) {
    if (f.path.rfind("icons/", 0) != 0 || f.path.size() < 4 ||
        f.path.compare(f.path.size() - 4, 4, ".png") != 0)
      continue;
    std::string_view rest(f.bytes);
    cairo_surface_t* s = cairo_image_surface_create_from_png_stream(ReadBytes, &rest);
    icons.push_back({cairo_image_surface_get_width(s), s});
  }
  if (icons.empty()) return;
  const int width = 1600;
  cairo_surface_t* surf = cairo_image_surface_create(CAIRO_FORMAT_RGB24, width, 700);
  cairo_t* cr = cairo_create(surf);
  SetColour(cr, kSheetBack);
  cairo_paint(cr);
  cairo_rectangle(cr, 0, 0, width, 300);
  SetColour(cr, Rgb{236, 236, 232});
  cairo_fill(cr);
  double x = 16;
  for (auto& [size, s] : icons) {
    for (int row = 0; row < 2; ++row) {
      cairo_set_source_surface(cr, s, x, row == 0 ? 30 : 330);
      cairo_paint(cr);
    }
    Label(cr, std::to_string(size), x, 20, 11, Rgb{40, 40, 40});
    if (size <= 64) {
      cairo_save(cr);
      cairo_translate(cr, x, 420);
      cairo_scale(cr, 4, 4);
      cairo_set_source_surface(cr, s, 0, 0);
      cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
      cairo_paint(cr);
      cairo_restore(cr);
    }
    x += (size <= 64 ? 4 * size : size) + 16;
    cairo_surface_destroy(s);
  }
  cairo_destroy(cr);
  SavePng(surf, path);
  cairo_surface_destroy(surf);
}

void SoundListing(const WaveList& list, std::ostream& out) {
  out << list.path << " (" << list.items.size() << " items)\n";
  for (size_t i = 0; i < list.items.size(); ++i) {
    const WaveItem& w = list.items[i];
    double sum = 0;
    for (int16_t v : w.wave.samples) sum += static_cast<double>(v) * v;
    double rms = w.wave.samples.empty() ? 0 : std::sqrt(sum / w.wave.samples.size()) / 32768;
    char line[256];
    std::snprintf(line, sizeof line, "%3zu  %-14s %6.2f s  rms %6.1f dB  %s  max %d  %s\n", i,
                  w.name.c_str(), w.wave.Seconds(), rms > 0 ? 20 * std::log10(rms) : -99.0,
                  w.looped ? "looped" : "once  ", w.maxPlayingCount, w.use.c_str());
    out << line;
  }
  out << "\n";
}

}  // namespace

void WritePreviews(const DataSet& data, const Sources& sources, const std::string& dir) {
  namespace fs = std::filesystem;
  fs::create_directories(dir);
  for (const DataFile& f : data.previews) {
    std::ofstream out(fs::path(dir) / f.path, std::ios::binary | std::ios::trunc);
    out.write(f.bytes.data(), static_cast<std::streamsize>(f.bytes.size()));
    if (!out) throw std::runtime_error("cannot write " + (fs::path(dir) / f.path).string());
  }
  for (const ImageList& list : data.imageLists) {
    if (list.path == "launchpad.dxg" &&
        list.items.size() >= static_cast<size_t>(kLaunchpadImageCount))
      LaunchPadSheets(list, dir);
    // "en/gui.dxg" previews as "en_gui_dxg.png", beside "gui_dxg.png".
    std::string stem = (fs::path(list.path).parent_path() / fs::path(list.path).stem()).string();
    std::replace(stem.begin(), stem.end(), '/', '_');
    ImageListSheet(list, (fs::path(dir) / (stem + "_dxg.png")).string());
    // A hole's course picture at full size, as the player sees it.
    const size_t course = static_cast<size_t>(ItemIndex(HoleImage::kCourse));
    if (list.items.size() > course && list.items[course].name == "course") {
      cairo_surface_t* s = ToSurface(list.items[course].picture, nullptr);
      SavePng(s, (fs::path(dir) / (stem + "_course.png")).string());
      cairo_surface_destroy(s);
    }
  }
  WriteAnimationPreviews(data.animations, dir);
  std::map<std::string, std::vector<const BitmapFile*>> groups;
  for (const BitmapFile& f : data.bitmaps) {
    fs::path p(f.path);
    std::string group = p.parent_path().string();
    groups[group].push_back(&f);
  }
  for (auto& [group, files] : groups) {
    std::string name = group;
    std::replace(name.begin(), name.end(), '/', '_');
    BitmapSheet(group, files, (fs::path(dir) / (name + ".png")).string());
  }
  if (!data.waveLists.empty()) {
    std::ofstream out(fs::path(dir) / "sounds.txt");
    for (const WaveList& list : data.waveLists) SoundListing(list, out);
    SoundSheet(data.waveLists, (fs::path(dir) / "sounds.png").string());
  }
  IconSheet(data, (fs::path(dir) / "icons.png").string());
  if (FindItem(data, "gui.dxg", 7) && FindItem(data, "menu.dxg", 0)) {
    FontSamples(data, (fs::path(dir) / "fonts.png").string());
    ScoreCardMock(data, (fs::path(dir) / "scorecard.png").string());
  }
  if (FindItem(data, "gui.dxg", 17)) {
    for (const SkinStyle* s : {&BuiltInSkin(), &SunsetSkin(), &MeadowSkin()}) {
      std::string name = s->folder.empty() ? "builtin" : s->folder;
      HudMock(data, *s, sources, (fs::path(dir) / ("hud_" + name + ".png")).string(), false);
    }
    HudMock(data, BuiltInSkin(), sources, (fs::path(dir) / "hud_builtin_compact.png").string(),
            true);
  }
}

}  // namespace quendrix::assetgen
