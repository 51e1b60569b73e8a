#include "hole_model.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <sstream>
#include <stdexcept>

#include "core/cp1251.h"
#include "game/course_areas.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace quendrix::assetgen {

namespace {

std::string ReadText(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) throw std::runtime_error("cannot read " + path);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

// Marks the pixels of every rail band; the gates a hole animation switches
// are left open, since the ball passes them half the time.
std::vector<uint8_t> RailMask(const HoleModel& m) {
  std::vector<uint8_t> rail(static_cast<size_t>(m.width) * m.height, 0);
  const std::vector<int> gates = SwitchedAreas(m.name);
  for (int i = 1; i <= kMaxAreas; ++i) {
    arearec a = m.areas[i];
    if (!IsWallKind(a.kind) || std::find(gates.begin(), gates.end(), i) != gates.end()) continue;
    a.enabled = true;
    int x0 = 0, y0 = 0, x1 = m.width - 1, y1 = m.height - 1;
    if (a.r > 0) {
      x0 = a.x1 - a.r;
      x1 = a.x1 + a.r;
      y0 = a.y1 - a.r;
      y1 = a.y1 + a.r;
    } else if (a.x3 == 0 && a.x4 == 0) {
      x0 = std::min(a.x1, a.x2) - 5;
      x1 = std::max(a.x1, a.x2) + 5;
      y0 = std::min(a.y1, a.y2) - 5;
      y1 = std::max(a.y1, a.y2) + 5;
    } else {
      x0 = std::min({a.x1, a.x2, a.x3, a.x4});
      x1 = std::max({a.x1, a.x2, a.x3, a.x4});
      y0 = std::min({a.y1, a.y2, a.y3, a.y4});
      y1 = std::max({a.y1, a.y2, a.y3, a.y4});
    }
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, m.width - 1);
    y1 = std::min(y1, m.height - 1);
    for (int y = y0; y <= y1; ++y)
      for (int x = x0; x <= x1; ++x)
        if (AreaContains(a, x, y)) rail[static_cast<size_t>(y) * m.width + x] = 1;
  }
  return rail;
}

void FloodFloor(HoleModel& m) {
  const std::vector<uint8_t> rail = RailMask(m);
  m.floor.assign(rail.size(), 0);
  std::vector<std::pair<int, int>> seeds{{m.teeX, m.teeY}};
  for (int i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = m.areas[i];
    if (a.kind == AreaKind::kCup) seeds.push_back({a.x1, a.y1});
    if (IsPipeKind(a.kind)) seeds.push_back({a.x2, a.y2});
    if (a.kind == AreaKind::kWater) seeds.push_back({a.p1, a.p2});
  }
  std::vector<std::pair<int, int>> stack;
  for (const auto& s : seeds) stack.push_back(s);
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    if (x < 0 || y < 0 || x >= m.width || y >= m.height) continue;
    const size_t o = static_cast<size_t>(y) * m.width + x;
    if (m.floor[o] || rail[o]) continue;
    m.floor[o] = 1;
    stack.push_back({x + 1, y});
    stack.push_back({x - 1, y});
    stack.push_back({x, y + 1});
    stack.push_back({x, y - 1});
  }
  // What neither the floor nor the open ground round the course reaches is
  // shut in by rails: hedges and bulkheads, drawn solid.
  std::vector<uint8_t> open(rail.size(), 0);
  for (int x = 0; x < m.width; ++x) {
    stack.push_back({x, 0});
    stack.push_back({x, m.height - 1});
  }
  for (int y = 0; y < m.height; ++y) {
    stack.push_back({0, y});
    stack.push_back({m.width - 1, y});
  }
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    if (x < 0 || y < 0 || x >= m.width || y >= m.height) continue;
    const size_t o = static_cast<size_t>(y) * m.width + x;
    if (open[o] || rail[o] || m.floor[o]) continue;
    open[o] = 1;
    stack.push_back({x + 1, y});
    stack.push_back({x - 1, y});
    stack.push_back({x, y + 1});
    stack.push_back({x, y - 1});
  }
  for (size_t o = 0; o < open.size(); ++o)
    if (!open[o] && !m.floor[o] && !rail[o]) m.floor[o] = 2;

  // Let the floor run under the inner half of each rail band, so that the
  // rail drawn on top sits on floor, not on the background.
  std::vector<uint8_t> grown = m.floor;
  for (int pass = 0; pass < 4; ++pass) {
    for (int y = 1; y + 1 < m.height; ++y) {
      for (int x = 1; x + 1 < m.width; ++x) {
        const size_t o = static_cast<size_t>(y) * m.width + x;
        if (grown[o] == 1 || !rail[o]) continue;
        if (m.floor[o - 1] == 1 || m.floor[o + 1] == 1 || m.floor[o - m.width] == 1 ||
            m.floor[o + m.width] == 1)
          grown[o] = 1;
      }
    }
    m.floor = grown;
  }
}

}  // namespace

std::vector<int> SwitchedAreas(const std::string& holeName) {
  if (holeName == "course2hole9") return {40, 41, 42};
  if (holeName == "course2hole5") return {53};
  return {};
}

int HoleModel::Number() const {
  const size_t at = name.find("hole");
  if (Training() || at == std::string::npos) return 0;
  return std::atoi(name.c_str() + at + 4);
}

std::vector<std::string> HoleNames(const Sources& sources) {
  namespace fs = std::filesystem;
  std::vector<std::string> names;
  const fs::path dir = fs::path(sources.assetsDir) / "holes";
  std::error_code error;
  for (const auto& entry : fs::directory_iterator(dir, error))
    if (entry.path().extension() == ".hole") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string HolePath(const Sources& sources, const std::string& name) {
  return sources.assetsDir + "/holes/" + name + ".hole";
}

HoleModel LoadHoleModel(const Sources& sources, const std::string& name) {
  const std::string path = HolePath(sources, name);
  const std::string text = ReadText(path);
  const IniFile ini = IniFile::Parse(text);
  HoleModel m;
  m.name = name;
  m.width = ini.ReadInteger("picture", "width", 0);
  m.height = ini.ReadInteger("picture", "height", 0);
  if (m.width < 64 || m.height < 64 || m.width > 4096 || m.height > 4096)
    throw std::runtime_error(path + ": [picture] width and height must be 64 ... 4096");
  m.theme =
      ini.ReadString("picture", "theme", "garden") == "space" ? Theme::kSpace : Theme::kGarden;
  m.title = Cp1251ToUtf8(ini.ReadString("picture", "title", ""));
  m.teeX = ini.ReadInteger("ball", "x", 320);
  m.teeY = ini.ReadInteger("ball", "y", 240);
  LaunchSettings settings;
  auto session = std::make_unique<GameSession>(settings);
  LoadHoleText(*session, text);
  m.par = session->holePar;
  for (int i = 1; i <= kMaxAreas; ++i) m.areas[i] = session->areas[i];
  FloodFloor(m);
  return m;
}

}  // namespace quendrix::assetgen
