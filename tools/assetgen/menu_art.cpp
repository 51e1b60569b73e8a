#include "menu_art.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <string>

#include "draw.h"
#include "fonts.h"
#include "game/play_commands.h"
#include "style.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr Rgb kInk{18, 52, 40};
constexpr Rgb kGreen{40, 140, 70};
constexpr Rgb kDeep{14, 50, 30};
constexpr Rgb kWhite{255, 255, 255};

Picture Finish(const Canvas& c, Rgb matte) {
  FlattenOptions o;
  o.matte = matte;
  return Flatten(c, o);
}

void Plate(cairo_t* cr, double w, double h, Rgb top, Rgb bottom, Rgb edge, double r = 14) {
  RoundedRect(cr, 0.5, 0.5, w - 1, h - 1, r);
  SetColour(cr, edge);
  cairo_fill(cr);
  RoundedRect(cr, 3, 3, w - 6, h - 6, r - 2);
  VerticalGradient(cr, 0, h, top, bottom);
  cairo_fill(cr);
}

void Ball(cairo_t* cr, double cx, double cy, double r) {
  cairo_arc(cr, cx + r * 0.25, cy + r * 0.9, r * 0.9, 0, 2 * kPi);
  SetColour(cr, kBlack, 0.25);
  cairo_fill(cr);
  cairo_arc(cr, cx, cy, r, 0, 2 * kPi);
  RadialGradient(cr, cx - r * 0.35, cy - r * 0.4, r * 1.3, kWhite, Rgb{170, 180, 190});
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb{60, 70, 80});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  for (int i = 0; i < 7; ++i) {
    double a = i * 2 * kPi / 7 + 0.3;
    cairo_arc(cr, cx + r * 0.5 * std::cos(a), cy + r * 0.5 * std::sin(a), r * 0.09, 0, 2 * kPi);
    SetColour(cr, Rgb{150, 160, 170}, 0.6);
    cairo_fill(cr);
  }
}

void Flag(cairo_t* cr, double x, double y, double h, Rgb cloth) {
  cairo_save(cr);
  cairo_translate(cr, x, y);
  cairo_scale(cr, 1, 0.4);
  cairo_arc(cr, 0, 0, h * 0.18, 0, 2 * kPi);
  cairo_restore(cr);
  SetColour(cr, Rgb{10, 30, 16});
  cairo_fill(cr);
  cairo_set_line_width(cr, 2);
  SetColour(cr, Rgb{240, 240, 240});
  cairo_move_to(cr, x, y);
  cairo_line_to(cr, x, y - h);
  cairo_stroke(cr);
  cairo_move_to(cr, x + 1, y - h);
  cairo_curve_to(cr, x + h * 0.2, y - h * 0.95, x + h * 0.3, y - h * 0.85, x + h * 0.42,
                 y - h * 0.82);
  cairo_line_to(cr, x + 1, y - h * 0.62);
  cairo_close_path(cr);
  SetColour(cr, cloth);
  cairo_fill(cr);
}

TextStyle Body(double size, Rgb colour = kInk) {
  TextStyle t;
  t.face = Face::kSans;
  t.size = size;
  t.colour = colour;
  return t;
}

TextStyle Heading(double size, Rgb colour = kWhite) {
  TextStyle t;
  t.face = Face::kSansBold;
  t.size = size;
  t.colour = colour;
  t.shadow = 1.5;
  t.shadowColour = kDeep;
  t.shadowAlpha = 0.7;
  return t;
}

void Arrow(cairo_t* cr, double x0, double y0, double x1, double y1, Rgb colour, bool dashed) {
  double a = std::atan2(y1 - y0, x1 - x0);
  cairo_save(cr);
  SetColour(cr, colour);
  cairo_set_line_width(cr, 3);
  cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
  if (dashed) {
    double dash[2] = {7, 5};
    cairo_set_dash(cr, dash, 2, 0);
  }
  cairo_move_to(cr, x0, y0);
  cairo_line_to(cr, x1 - 8 * std::cos(a), y1 - 8 * std::sin(a));
  cairo_stroke(cr);
  cairo_set_dash(cr, nullptr, 0, 0);
  cairo_move_to(cr, x1, y1);
  cairo_line_to(cr, x1 - 13 * std::cos(a - 0.45), y1 - 13 * std::sin(a - 0.45));
  cairo_line_to(cr, x1 - 13 * std::cos(a + 0.45), y1 - 13 * std::sin(a + 0.45));
  cairo_close_path(cr);
  cairo_fill(cr);
  cairo_restore(cr);
}

void Mouse(cairo_t* cr, double x, double y, bool leftDown) {
  RoundedRect(cr, x, y, 30, 44, 14);
  SetColour(cr, Rgb{60, 70, 80});
  cairo_fill(cr);
  RoundedRect(cr, x + 2, y + 2, 26, 40, 12);
  VerticalGradient(cr, y, y + 44, kWhite, Rgb{200, 205, 215});
  cairo_fill(cr);
  if (leftDown) {
    cairo_move_to(cr, x + 15, y + 3);
    cairo_line_to(cr, x + 15, y + 18);
    cairo_line_to(cr, x + 3, y + 18);
    cairo_arc_negative(cr, x + 15, y + 15, 12, kPi, 1.5 * kPi);
    cairo_close_path(cr);
    SetColour(cr, Rgb{240, 120, 40});
    cairo_fill(cr);
  }
  SetColour(cr, Rgb{60, 70, 80});
  cairo_set_line_width(cr, 1.2);
  cairo_move_to(cr, x + 15, y + 2);
  cairo_line_to(cr, x + 15, y + 18);
  cairo_move_to(cr, x + 2, y + 18);
  cairo_line_to(cr, x + 28, y + 18);
  cairo_stroke(cr);
}

void Green(cairo_t* cr, double x, double y, double w, double h) {
  RoundedRect(cr, x, y, w, h, 20);
  VerticalGradient(cr, y, y + h, Rgb{120, 210, 100}, Rgb{60, 160, 70});
  cairo_fill(cr);
  cairo_set_line_width(cr, 1);
  for (int i = 1; i < 8; ++i) {
    cairo_move_to(cr, x + 10, y + h * i / 8.0);
    cairo_line_to(cr, x + w - 10, y + h * i / 8.0);
  }
  SetColour(cr, kWhite, 0.08);
  cairo_stroke(cr);
}

// A gamepad button's badge, its left edge at x and its middle at height y:
// the face buttons round in their usual colours, the rest small labelled
// caps, the d-pad a cross, the right stick a ring. Returns its width.
double PadBadge(cairo_t* cr, double x, double y, PadButton b) {
  const Rgb cap{70, 80, 92};
  auto round = [&](Rgb fill, const char* letter, Rgb ink) {
    cairo_arc(cr, x + 7, y, 7, 0, 2 * std::numbers::pi);
    SetColour(cr, fill);
    cairo_fill(cr);
    TextStyle t = Body(9.5, ink);
    t.face = Face::kSansBold;
    DrawText(cr, letter, x + 7, y + 3.5, t, Align::kCentre);
    return 14.0;
  };
  auto labelled = [&](const char* label) {
    const double w = TextWidth(label, Face::kSansBold, 8) + 8;
    RoundedRect(cr, x, y - 6, w, 12, 4);
    SetColour(cr, cap);
    cairo_fill(cr);
    TextStyle t = Body(8, kWhite);
    t.face = Face::kSansBold;
    DrawText(cr, label, x + w / 2, y + 3, t, Align::kCentre);
    return w;
  };
  switch (b) {
    case PadButton::kA:
      return round(Rgb{70, 170, 80}, "A", kWhite);
    case PadButton::kB:
      return round(Rgb{214, 70, 60}, "B", kWhite);
    case PadButton::kX:
      return round(Rgb{60, 120, 214}, "X", kWhite);
    case PadButton::kY:
      return round(Rgb{236, 186, 40}, "Y", Rgb{60, 50, 20});
    case PadButton::kBack:
      return labelled("Back");
    case PadButton::kStart:
      return labelled("Start");
    case PadButton::kLeftShoulder:
      return labelled("LB");
    case PadButton::kRightShoulder:
      return labelled("RB");
    case PadButton::kDpadUp:
    case PadButton::kDpadDown:
    case PadButton::kDpadLeft:
    case PadButton::kDpadRight:
      SetColour(cr, cap);
      RoundedRect(cr, x + 4.5, y - 7, 5, 14, 1.5);
      cairo_fill(cr);
      RoundedRect(cr, x, y - 2.5, 14, 5, 1.5);
      cairo_fill(cr);
      return 14;
    case PadButton::kRightStickUp:
    case PadButton::kRightStickDown:
    case PadButton::kRightStickLeft:
    case PadButton::kRightStickRight: {
      cairo_arc(cr, x + 7, y, 6, 0, 2 * std::numbers::pi);
      SetColour(cr, cap);
      cairo_set_line_width(cr, 2);
      cairo_stroke(cr);
      TextStyle t = Body(8, cap);
      t.face = Face::kSansBold;
      DrawText(cr, "R", x + 7, y + 3, t, Align::kCentre);
      return 14;
    }
    case PadButton::kNone:
      break;
  }
  return 0;
}

void KeyTable(cairo_t* cr, double x, double y, const Words& tr) {
  const std::vector<HelpKeyLine> lines = HelpKeyLines();
  for (size_t i = 0; i < lines.size(); ++i) {
    double cx = x + static_cast<double>(i % 2) * 290, cy = y + static_cast<double>(i / 2) * 17;
    TextStyle k = Body(12.5, Rgb{20, 90, 50});
    k.face = Face::kSansBold;
    double px = cx + DrawText(cr, tr(std::string(lines[i].key).c_str()), cx, cy, k) + 6;
    for (PadButton pad : {lines[i].pad, lines[i].pad2})
      if (pad != PadButton::kNone) px += PadBadge(cr, px, cy - 4.5, pad) + 3;
    DrawText(cr, "— " + tr(std::string(lines[i].caption).c_str()), cx + 136, cy, Body(12.5));
  }
}

Picture HelpPicture(bool pull, const Words& tr) {
  const int w = 620, h = 450;
  Canvas c(w, h);
  cairo_t* cr = c.Cr();
  Plate(cr, w, h, Rgb{252, 250, 238}, Rgb{232, 240, 220}, kDeep, 18);
  // Header band.
  RoundedRect(cr, 3, 3, w - 6, 56, 16);
  VerticalGradient(cr, 0, 60, Rgb{70, 170, 90}, kGreen);
  cairo_fill(cr);
  DrawText(cr, pull ? tr("Удар оттяжкой — ПУЛ") : tr("Удар толчком — ПУШ"), 24, 40, Heading(26));
  Flag(cr, w - 46, 48, 38, Rgb{250, 80, 60});

  // Diagram: a green with the ball, the putter and what the mouse does.
  Green(cr, 24, 76, 330, 190);
  double bx = 200, by = 170;
  if (pull) {
    Arrow(cr, bx + 4, by + 2, bx + 120, by + 58, Rgb{40, 60, 160}, true);
    DrawText(cr, tr("тяните назад"), bx + 40, by + 84, Body(13, kWhite));
    Arrow(cr, bx - 14, by - 8, bx - 140, by - 64, Rgb{250, 240, 80}, false);
    DrawText(cr, tr("мяч летит сюда"), 40, by - 74, Body(13, kWhite));
  } else {
    Arrow(cr, bx + 60, by + 10, bx + 60, by + 70, Rgb{40, 60, 160}, true);
    Arrow(cr, bx + 80, by + 70, bx + 80, by + 10, Rgb{250, 120, 40}, false);
    DrawText(cr, tr("замах"), bx + 96, by + 60, Body(13, kWhite));
    DrawText(cr, tr("толчок"), bx + 96, by + 24, Body(13, kWhite));
    Arrow(cr, bx - 14, by - 8, bx - 140, by - 64, Rgb{250, 240, 80}, false);
    DrawText(cr, tr("мяч летит сюда"), 40, by - 74, Body(13, kWhite));
  }
  // The putter behind the ball, its blade square to the aim.
  {
    double ax = -140, ay = -64, n = std::hypot(ax, ay);
    ax /= n;
    ay /= n;
    double hx = bx - ax * (pull ? 34 : 22), hy = by - ay * (pull ? 34 : 22);
    cairo_save(cr);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    SetColour(cr, Rgb{30, 34, 44});
    cairo_set_line_width(cr, 4);
    cairo_move_to(cr, hx, hy);
    cairo_line_to(cr, hx + 14, hy - 58);
    cairo_stroke(cr);
    SetColour(cr, Rgb{200, 60, 50});
    cairo_set_line_width(cr, 5);
    cairo_move_to(cr, hx + 10, hy - 42);
    cairo_line_to(cr, hx + 14, hy - 58);
    cairo_stroke(cr);
    cairo_translate(cr, hx, hy);
    cairo_rotate(cr, std::atan2(ay, ax));
    RoundedRect(cr, -3.5, -11, 7, 22, 2);
    SetColour(cr, Rgb{30, 34, 44});
    cairo_fill(cr);
    RoundedRect(cr, -2, -9.5, 4, 19, 1.5);
    SetColour(cr, Rgb{190, 200, 215});
    cairo_fill(cr);
    cairo_restore(cr);
  }
  Ball(cr, bx, by, 9);
  Mouse(cr, 300, 90, true);

  // Steps.
  // One text a step; its lines as the translation breaks them.
  static const char* kPull[] = {TrNoop("1. Наведите указатель на мяч\n    и нажмите левую кнопку."),
                                TrNoop("2. Не отпуская кнопку, тяните\n    мышь назад, от цели.\n"
                                       "    Чем дальше, тем сильнее удар."),
                                TrNoop("3. Отпустите кнопку —\n    клюшка ударит по мячу.")};
  static const char* kPush[] = {
      TrNoop("1. Щёлкните рядом с мячом."),
      TrNoop("2. Ведите мышь влево-вправо —\n    клюшка поворачивается;\n"
             "    щёлкните, когда цель выбрана."),
      TrNoop("3. Тяните мышь на себя — замах,\n    щёлкните и резко толкните\n"
             "    мышь вперёд: скорость толчка\n    задаёт силу удара.")};
  double y = 92;
  for (const char* step :
       pull ? std::span<const char* const>(kPull) : std::span<const char* const>(kPush)) {
    const std::string text = tr(step);
    for (size_t at = 0; at <= text.size();) {
      const size_t end = std::min(text.find('\n', at), text.size());
      DrawText(cr, text.substr(at, end - at), 366, y, Body(13));
      y += pull ? 23 : 21;
      at = end + 1;
    }
  }
  // With a gamepad: the left stick is the mouse, A its left button.
  const double padX = 366 + PadBadge(cr, 366, 264, PadButton::kA) + 6;
  DrawText(cr, tr("и левый стик — как мышь"), padX, 268.5, Body(12.5));
  // Keys.
  RoundedRect(cr, 20, 284, w - 40, 150, 10);
  SetColour(cr, Rgb{255, 255, 255}, 0.8);
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb{150, 190, 150});
  cairo_set_line_width(cr, 1);
  cairo_stroke(cr);
  TextStyle keysHead = Heading(15, kGreen);
  keysHead.shadow = 0;
  DrawText(cr, tr("Клавиши и геймпад"), 34, 306, keysHead);
  KeyTable(cr, 40, 326, tr);
  return Finish(c, kDeep);
}

}  // namespace

std::vector<HelpKeyLine> HelpKeyLines() {
  std::vector<HelpKeyLine> lines;
  for (const PlayCommand& c : kPlayCommands) {
    if (c.helpKey.empty() || (!lines.empty() && lines.back().key == c.helpKey)) continue;
    lines.push_back({c.helpKey, c.helpCaption, c.pad, c.pad2});
  }
  return lines;
}

Picture BannerFont(const Words& tr) {
  const std::string codes = BannerCodes(tr.language());
  const int n = static_cast<int>(codes.size());
  OutlineLook look;
  look.language = tr.language();
  look.text.face = Face::kSansBold;
  look.text.size = 27;
  look.text.colour = Rgb{255, 246, 200};
  look.baseline = 27;
  look.premultiplied = true;  // drawn with an additive blend
  // The glow: a blurred, warmer copy under the letters.
  Picture sharp = OutlineFontStrip(codes, kBannerCellW, kBannerCellH, look);
  OutlineLook glowLook = look;
  glowLook.text.colour = Rgb{255, 150, 40};
  glowLook.text.outline = 4;
  glowLook.text.outlineColour = Rgb{255, 120, 30};
  Picture glowStrip = OutlineFontStrip(codes, kBannerCellW, kBannerCellH, glowLook);
  Picture out(sharp.Width(), sharp.Height());
  // Blur each cell on its own, so no glow spills into a neighbour's cell.
  for (int k = 0; k < n; ++k) {
    Canvas glow(kBannerCellW, kBannerCellH);
    cairo_surface_t* surface = glow.Surface();
    cairo_surface_flush(surface);
    unsigned char* data = cairo_image_surface_get_data(surface);
    int stride = cairo_image_surface_get_stride(surface);
    for (int y = 0; y < kBannerCellH; ++y)
      for (int x = 0; x < kBannerCellW; ++x) {
        Rgb p = glowStrip.At(k * kBannerCellW + x, y);
        uint32_t v = (0xFFu << 24) | (p.r << 16) | (p.g << 8) | p.b;
        *reinterpret_cast<uint32_t*>(data + y * stride + 4 * x) = v;
      }
    cairo_surface_mark_dirty(surface);
    Blur(glow, 2, 2);
    for (int y = 0; y < kBannerCellH; ++y)
      for (int x = 0; x < kBannerCellW; ++x) {
        uint8_t a, r, g, b;
        glow.Pixel(x, y, a, r, g, b);
        Rgb sp = sharp.At(k * kBannerCellW + x, y);
        auto add = [](int p, int q) { return static_cast<uint8_t>(std::min(255, p + q * 6 / 10)); };
        out.Set(k * kBannerCellW + x, y, Narrow565(Rgb{add(sp.r, r), add(sp.g, g), add(sp.b, b)}));
      }
  }
  return out;
}

Picture LoadingPicture(const Words& tr) {
  const int w = 300, h = 110;
  Canvas c(w, h);
  cairo_t* cr = c.Cr();
  Plate(cr, w, h, Rgb{70, 170, 90}, Rgb{30, 110, 60}, kDeep, 16);
  Green(cr, 14, 14, 82, 82);
  Flag(cr, 66, 74, 52, Rgb{250, 80, 60});
  Ball(cr, 40, 74, 7);
  DrawText(cr, tr("Загрузка…"), 112, 52, Heading(26));
  DrawText(cr, tr("лунка готовится"), 114, 78, Body(14, Rgb{220, 245, 220}));
  return Finish(c, kDeep);
}

Picture PullHelp(const Words& tr) {
  return HelpPicture(true, tr);
}
Picture PushHelp(const Words& tr) {
  return HelpPicture(false, tr);
}

Picture ScoreCard(const Words& tr) {
  Canvas c(kCardW, kCardH);
  cairo_t* cr = c.Cr();
  Plate(cr, kCardW, kCardH, Rgb{250, 248, 236}, Rgb{240, 238, 222}, kDeep, 18);
  RoundedRect(cr, 3, 3, kCardW - 6, 84, 16);
  VerticalGradient(cr, 0, 88, Rgb{70, 170, 90}, kGreen);
  cairo_fill(cr);
  DrawText(cr, tr("Таблица результатов"), 26, 50, Heading(30));
  DrawText(cr, tr("QUENDRIX · мини-гольф"), 28, 74, Body(13, Rgb{220, 245, 220}));
  Flag(cr, kCardW - 50, 76, 56, Rgb{250, 80, 60});
  Ball(cr, kCardW - 84, 70, 8);

  // Column heads.
  const double headY = 154;
  TextStyle head = Body(14, kGreen);
  head.face = Face::kSansBold;
  DrawText(cr, tr("Игрок"), kCardNameX + 8, headY, head);
  for (int hole = 1; hole <= 9; ++hole) {
    double cx = kCardHoleX + kCardHoleStep * hole + 8 + 4;
    DrawText(cr, std::to_string(hole), cx, headY, head, Align::kCentre);
  }
  TextStyle small = head;
  small.face = Face::kCondensedBold;
  small.size = 10;
  // Each head centred between its column's lines, clear of both.
  const double lastHoleLine = kCardHoleX + kCardHoleStep * 9 + 31.5;
  const double wonLine = kCardWonX - 10.5, rightEdge = kCardW - 14;
  DrawText(cr, tr("Удары"), (lastHoleLine + wonLine) / 2, headY, small, Align::kCentre);
  DrawText(cr, tr("Лунки"), (wonLine + rightEdge) / 2, headY, small, Align::kCentre);
  // Player rows.
  for (int i = 1; i <= 4; ++i) {
    double top = kCardRowY + kCardRowStep * i - 7;
    cairo_rectangle(cr, 14, top, kCardW - 28, 26);
    SetColour(cr, i % 2 ? kCardRowA : kCardRowB);
    cairo_fill(cr);
    TextStyle num = Body(11, Rgb{120, 150, 130});
    DrawText(cr, std::to_string(i), 20, top + 18, num, Align::kCentre);
  }
  // Grid.
  cairo_set_line_width(cr, 1);
  SetColour(cr, Rgb{170, 200, 170});
  double gridTop = headY - 18, gridBottom = kCardRowY + kCardRowStep * 4 + 19;
  for (int k = 0; k <= 9; ++k) {
    double x = kCardHoleX + kCardHoleStep * k + 31.5;
    cairo_move_to(cr, x, gridTop);
    cairo_line_to(cr, x, gridBottom);
  }
  cairo_move_to(cr, kCardWonX - 10.5, gridTop);
  cairo_line_to(cr, kCardWonX - 10.5, gridBottom);
  cairo_move_to(cr, 14, headY + 6.5);
  cairo_line_to(cr, kCardW - 14, headY + 6.5);
  cairo_stroke(cr);
  // Summary band.
  RoundedRect(cr, kCardSummaryX - 6, kCardSummaryY - 7, 340, 26, 8);
  SetColour(cr, kCardRowB);
  cairo_fill_preserve(cr);
  SetColour(cr, Rgb{150, 190, 150});
  cairo_stroke(cr);
  DrawText(cr, tr("Итог:"), kCardSummaryX - 14, kCardSummaryY + 10, head, Align::kRight);
  DrawText(cr, tr("Любая клавиша — продолжить"), kCardW / 2.0, kCardH - 9,
           Body(12, Rgb{110, 130, 115}), Align::kCentre);
  return Finish(c, kDeep);
}

Picture MenuFont(const Words& tr) {
  OutlineLook look;
  look.language = tr.language();
  look.text.face = Face::kSansBold;
  look.text.size = 10.5;
  look.text.colour = kInk;
  look.baseline = 9.5;
  look.matte = kCardRowA;
  return OutlineFontStrip(FontMapCells(tr.language()), kMenuFontW, kMenuFontH, look);
}

}  // namespace quendrix::assetgen
