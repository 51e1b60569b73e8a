#include "textures.h"

#include <cmath>
#include <functional>

#include "core/random.h"
#include "draw.h"

namespace quendrix::assetgen {
namespace {

constexpr double kPi = 3.14159265358979323846;

using Texel = std::function<Rgb(int x, int y)>;

Picture Make(const Texel& f) {
  Picture p(16, 16);
  for (int y = 0; y < 16; ++y)
    for (int x = 0; x < 16; ++x) p.Set(x, y, Narrow565(f(x, y)));
  return p;
}

// Periodic helpers: every pattern repeats within 16 pixels.
double Wave(double v, double periods) {
  return 0.5 + 0.5 * std::cos(2 * kPi * v * periods / 16);
}

Rgb Dimpled(Rgb base, int x, int y) {
  // A faint dimple grid on an otherwise plain ball.
  bool dimple = (x % 4 == 1) && ((y + (x / 4) * 2) % 4 == 1);
  return dimple ? Shade(base, 0.86) : base;
}

}  // namespace

std::vector<BallTexture> BuiltInTextures() {
  return {
      {"pearl", Make([](int x, int y) {
         // White with a red equator band.
         Rgb white{246, 246, 240};
         if (y == 7 || y == 8) return Rgb{226, 40, 40};
         if (y == 6 || y == 9) return Rgb{250, 160, 150};
         return Dimpled(white, x, y);
       })},
      {"sun", Make([](int x, int y) {
         // Yellow with orange dots.
         Rgb base{255, 210, 40};
         int dx = (x + 2) % 8 - 4, dy = (y + 2 + (x / 8) * 4) % 8 - 4;
         if (dx * dx + dy * dy <= 3) return Rgb{240, 110, 20};
         return Dimpled(base, x, y);
       })},
      {"sky", Make([](int x, int y) {
         // Blue with white chevrons.
         Rgb base{50, 140, 245};
         int v = (y + std::abs(x % 8 - 4)) % 8;
         if (v == 0 || v == 1) return Rgb{240, 250, 255};
         return base;
       })},
      {"rose", Make([](int x, int y) {
         // Pink with diagonal white stripes.
         int v = (x + y) % 8;
         if (v < 2) return Rgb{255, 240, 248};
         return Mix(Rgb{245, 80, 150}, Rgb{200, 40, 110}, Wave(y, 1) * 0.5);
       })},
  };
}

std::vector<BallTexture> FolderTextures() {
  std::vector<BallTexture> out;
  out.push_back({"checker", Make([](int x, int y) {
                   return ((x / 4 + y / 4) % 2) ? Rgb{255, 140, 0} : Rgb{255, 240, 200};
                 })});
  out.push_back({"zebra", Make([](int x, int y) {
                   double v = std::sin(2 * kPi * (x + 3 * std::sin(2 * kPi * y / 16)) / 8);
                   return v > 0.2 ? Rgb{30, 30, 36} : Rgb{250, 250, 250};
                 })});
  out.push_back({"lime", Make([](int x, int y) {
                   Rgb a{150, 230, 40}, b{60, 170, 30};
                   return Mix(a, b, Wave(x + y, 2) * Wave(x - y + 16, 1));
                 })});
  out.push_back({"grape", Make([](int x, int y) {
                   double r = Wave(x, 1) * Wave(y, 1);
                   return Mix(Rgb{90, 30, 160}, Rgb{200, 140, 255}, r);
                 })});
  out.push_back({"rainbow", Make([](int, int y) {
                   static const Rgb kBands[8] = {{240, 50, 50},  {255, 140, 30}, {255, 230, 40},
                                                 {80, 210, 70},  {40, 170, 240}, {70, 90, 230},
                                                 {160, 70, 220}, {240, 80, 170}};
                   return kBands[(y / 2) % 8];
                 })});
  out.push_back({"ice", Make([](int x, int y) {
                   Pcg32 r(7, 3);
                   // Crackle lines from a fixed seed.
                   bool crack = false;
                   for (int i = 0; i < 5; ++i) {
                     int ax = r.RandomBelow(16), ay = r.RandomBelow(16), len = 3 + r.RandomBelow(4);
                     int dir = r.RandomBelow(2);
                     for (int t = 0; t < len; ++t) {
                       int cx = (ax + t) % 16, cy = (ay + (dir ? t : -t) + 16) % 16;
                       if (cx == x && cy == y) crack = true;
                     }
                   }
                   if (crack) return Rgb{255, 255, 255};
                   return Mix(Rgb{170, 230, 250}, Rgb{110, 190, 235}, Wave(x + 2 * y, 1));
                 })});
  out.push_back({"lava", Make([](int x, int y) {
                   double v = Wave(x, 1) * 0.5 + Wave(y + x / 2.0, 2) * 0.5;
                   return v > 0.62 ? Mix(Rgb{255, 210, 60}, Rgb{255, 120, 20}, (v - 0.62) / 0.38)
                                   : Mix(Rgb{90, 20, 20}, Rgb{200, 40, 20}, v / 0.62);
                 })});
  out.push_back({"earth", Make([](int x, int y) {
                   double land = Wave(x, 1) * Wave(y, 2) + 0.35 * Wave(x + y, 3);
                   if (land > 0.75) return Rgb{70, 170, 60};
                   if (land > 0.62) return Rgb{220, 200, 120};
                   return Rgb{40, 100, 210};
                 })});
  out.push_back({"candy", Make([](int x, int y) {
                   return ((x + 2 * y) % 8 < 4) ? Rgb{230, 30, 50} : Rgb{255, 250, 250};
                 })});
  out.push_back({"chrome", Make([](int, int y) {
                   double v = Wave(y, 1);
                   return Mix(Rgb{90, 100, 116}, Rgb{240, 244, 250}, v * v);
                 })});
  out.push_back({"football", Make([](int x, int y) {
                   int cx = x % 8, cy = (y + (x / 8) * 4) % 8;
                   int d = std::abs(cx - 4) + std::abs(cy - 4);
                   if (d <= 2) return Rgb{30, 30, 40};
                   if (d == 3) return Rgb{150, 150, 160};
                   return Rgb{250, 250, 250};
                 })});
  out.push_back({"mint", Make([](int x, int y) {
                   bool dot = ((x + 1) % 4 == 0) && ((y + 1 + (x / 4) * 2) % 4 == 0);
                   return dot ? Rgb{255, 255, 255} : Dimpled(Rgb{120, 230, 190}, x, y);
                 })});
  return out;
}

}  // namespace quendrix::assetgen
