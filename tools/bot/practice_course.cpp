#include "practice_course.h"

#include <cmath>
#include <fstream>
#include <vector>

#include "core/random.h"
#include "game/data_catalogue.h"
#include "media/bitmap.h"
#include "media/list_file.h"
#include "media/wave.h"

namespace quendrix {

namespace {

constexpr int32_t kW = 800, kH = 600;
constexpr int32_t kBorder = 24;  // walls run this far inside the picture's edge

struct Circle {
  AreaKind kind = AreaKind::kNone;
  int32_t x = 0, y = 0, r = 0;
};
struct Segment {
  AreaKind kind = AreaKind::kNone;
  int32_t x1 = 0, y1 = 0, x2 = 0, y2 = 0;
};

struct Hole {
  int32_t teeX = 0, teeY = 0, cupX = 0, cupY = 0, par = 3;
  std::vector<Circle> circles;    // sand, water, slopes
  std::vector<Segment> segments;  // walls along x (angle 0) and along y (angle 64)
  std::string next;
};

// Index 0 is the training hole, 1 ... 9 course 1, 10 ... 18 course 2.
bool HoleIndex(const std::string& name, int32_t& index) {
  if (name == "training1") {
    index = 0;
    return true;
  }
  for (int32_t c = 1; c <= 2; ++c)
    for (int32_t h = 1; h <= 9; ++h)
      if (name == "course" + std::to_string(c) + "hole" + std::to_string(h)) {
        index = (c - 1) * 9 + h;
        return true;
      }
  return false;
}

Hole MakeHole(int32_t index) {
  Pcg32 random(static_cast<uint64_t>(1000 + index), 3);
  Hole hole;
  hole.teeX = 110 + random.RandomBelow(80);
  hole.teeY = 150 + random.RandomBelow(300);
  hole.cupX = 560 + random.RandomBelow(160);
  hole.cupY = 120 + random.RandomBelow(360);
  const double distance = std::hypot(hole.cupX - hole.teeX, hole.cupY - hole.teeY);
  hole.par = distance < 450 ? 2 : distance < 560 ? 3 : 4;

  // Borders.
  hole.segments.push_back({AreaKind::kWall0, kBorder, kBorder, kW - kBorder, kBorder});
  hole.segments.push_back({AreaKind::kWall0, kBorder, kH - kBorder, kW - kBorder, kH - kBorder});
  hole.segments.push_back({AreaKind::kWall64, kBorder, kBorder, kBorder, kH - kBorder});
  hole.segments.push_back({AreaKind::kWall64, kW - kBorder, kBorder, kW - kBorder, kH - kBorder});

  const int32_t midX = (hole.teeX + hole.cupX) / 2, midY = (hole.teeY + hole.cupY) / 2;
  if (index % 3 == 1) hole.circles.push_back({AreaKind::kSand, midX, midY + 60, 70});
  if (index % 3 == 2) hole.circles.push_back({AreaKind::kWater, midX, midY - 90, 60});
  if (index % 4 == 3)
    hole.circles.push_back(
        {static_cast<AreaKind>(ItemIndex(AreaKind::kSlopeFirst) + random.RandomBelow(8)), midX - 60,
         midY, 90});
  if (index % 5 == 4) {
    // An inner wall across part of the way, with room to go round it.
    const int32_t top = random.RandomBelow(2) == 0 ? kBorder : kH / 2;
    hole.segments.push_back({AreaKind::kWall64, midX, top, midX, top + kH / 2 - kBorder});
    hole.par += 1;
  }
  if (index == 0) {
    hole.next = "training1";
  } else if (index % 9 != 0) {
    hole.next = (index <= 9 ? "course1hole" : "course2hole") + std::to_string(index % 9 + 1);
  }
  return hole;
}

std::string HoleText(const Hole& hole) {
  std::string t;
  t += "; practice hole, generated\n[ball]\nx=" + std::to_string(hole.teeX) +
       "\ny=" + std::to_string(hole.teeY) + "\n[course]\npar=" + std::to_string(hole.par) + "\n";
  int32_t n = 0;
  const auto area = [&](AreaKind kind) {
    t += "[area" + std::to_string(++n) + "]\nkind=" + std::to_string(ItemIndex(kind)) +
         "\nenabled=1\n";
  };
  area(AreaKind::kCup);
  t += "x1=" + std::to_string(hole.cupX) + "\ny1=" + std::to_string(hole.cupY) +
       "\nr=8\nx2=" + std::to_string(hole.cupX - 12) + "\ny2=" + std::to_string(hole.cupY - 6) +
       "\ncomment=" + hole.next + "\n";
  for (const Segment& s : hole.segments) {
    area(s.kind);
    t += "x1=" + std::to_string(s.x1) + "\ny1=" + std::to_string(s.y1) +
         "\nx2=" + std::to_string(s.x2) + "\ny2=" + std::to_string(s.y2) + "\n";
  }
  for (const Circle& c : hole.circles) {
    area(c.kind);
    t += "x1=" + std::to_string(c.x) + "\ny1=" + std::to_string(c.y) +
         "\nr=" + std::to_string(c.r) + "\n";
    if (c.kind == AreaKind::kWater)  // the ball comes back near the tee
      t += "p1=" + std::to_string(hole.teeX) + "\np2=" + std::to_string(hole.teeY) + "\n";
  }
  return t;
}

void FillEllipse(Bitmap& b, int32_t cx, int32_t cy, int32_t r, TColor colour) {
  // The ground is seen at a slant: a circle of radius r is r wide, r/2 high.
  for (int32_t y = cy - r / 2; y <= cy + r / 2; ++y)
    for (int32_t x = cx - r; x <= cx + r; ++x) {
      const double dx = x - cx, dy = 2.0 * (y - cy);
      if (dx * dx + dy * dy <= static_cast<double>(r) * r) b.SetPixel(x, y, colour);
    }
}

void FillRect(Bitmap& b, int32_t x0, int32_t y0, int32_t x1, int32_t y1, TColor colour) {
  for (int32_t y = y0; y <= y1; ++y)
    for (int32_t x = x0; x <= x1; ++x) b.SetPixel(x, y, colour);
}

PictureItemData Item(const std::string& name, Bitmap picture, int32_t pw = 0, int32_t ph = 0) {
  PictureItemData item;
  item.name = name;
  item.picture = std::move(picture);
  item.patternWidth = pw;
  item.patternHeight = ph;
  item.transparentColor = clBlack;
  return item;
}

std::vector<PictureItemData> HoleImages(const Hole& hole) {
  Bitmap course(kW, kH, MakeColor(28, 60, 30));
  for (int32_t y = kBorder; y < kH - kBorder; ++y)
    for (int32_t x = kBorder; x < kW - kBorder; ++x)
      course.SetPixel(x, y, ((x + y) / 40) % 2 ? MakeColor(72, 150, 64) : MakeColor(64, 138, 58));
  for (const Circle& c : hole.circles) {
    const TColor colour = c.kind == AreaKind::kSand    ? MakeColor(220, 200, 140)
                          : c.kind == AreaKind::kWater ? MakeColor(50, 110, 200)
                                                       : MakeColor(96, 170, 80);
    FillEllipse(course, c.x, c.y, c.r, colour);
  }
  for (const Segment& s : hole.segments)
    FillRect(course, std::min(s.x1, s.x2) - 4, std::min(s.y1, s.y2) - 4, std::max(s.x1, s.x2) + 4,
             std::max(s.y1, s.y2) + 4, MakeColor(150, 110, 70));
  FillEllipse(course, hole.cupX, hole.cupY, 9, MakeColor(16, 16, 16));
  FillEllipse(course, hole.teeX, hole.teeY, 14, MakeColor(110, 190, 100));

  std::vector<PictureItemData> items;
  PictureItemData picture = Item("course", course);
  picture.transparent = false;
  items.push_back(std::move(picture));
  items.push_back(Item("overlay", Bitmap(kW / 24 * 24, kH / 24 * 24, clBlack), 24, 24));
  items.push_back(Item("cupcover", Bitmap(24, 12, clBlack)));
  Bitmap sprite(32, 16, clBlack);
  FillEllipse(sprite, 8, 8, 6, MakeColor(230, 230, 255));
  FillEllipse(sprite, 24, 8, 4, MakeColor(230, 230, 255));
  for (int32_t i = 3; i <= 11; ++i)
    items.push_back(Item("sprite" + std::to_string(i), sprite, 16, 16));
  Bitmap title(320, 200, MakeColor(30, 70, 40));
  FillRect(title, 10, 10, 309, 189, MakeColor(60, 130, 70));
  items.push_back(Item("title", title));
  items.push_back(Item("dropmarker", Bitmap(68, 30, clBlack), 34, 30));
  for (int32_t i = 14; i <= 16; ++i)
    items.push_back(Item("flash" + std::to_string(i), sprite, 16, 16));
  return items;
}

std::vector<WaveItemData> HoleSounds() {
  std::vector<int16_t> quiet(2205, 0);
  std::vector<WaveItemData> items(2);
  items[0].name = "ambient";
  items[0].looped = true;
  items[0].wave = Wave::FromPcm16(22050, 1, quiet);
  items[1].name = "area";
  items[1].wave = Wave::FromPcm16(22050, 1, quiet);
  return items;
}

}  // namespace

std::string PracticeHoleText(const std::string& name) {
  int32_t index = 0;
  if (!HoleIndex(name, index)) return "";
  return HoleText(MakeHole(index));
}

void WritePracticeData(const std::filesystem::path& dir,
                       const std::filesystem::path& interfaceDir) {
  std::filesystem::create_directories(dir);
  for (const char* list : {"gui.dxg", "menu.dxg", "sound.dxw"})
    std::filesystem::copy_file(interfaceDir / list, dir / list,
                               std::filesystem::copy_options::overwrite_existing);
  for (int32_t index = 0; index <= 18; ++index) {
    const std::string name = index == 0   ? "training1"
                             : index <= 9 ? "course1hole" + std::to_string(index)
                                          : "course2hole" + std::to_string(index - 9);
    const Hole hole = MakeHole(index);
    std::ofstream(dir / (name + ".hole"), std::ios::binary) << HoleText(hole);
    WriteImageListFile((dir / (name + ".dxg")).string(), HoleImages(hole));
    WriteSoundListFile((dir / (name + ".dxw")).string(), HoleSounds());
  }
}

}  // namespace quendrix
