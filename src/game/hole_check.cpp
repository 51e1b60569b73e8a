#include "game/hole_check.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <memory>
#include <set>
#include <sstream>

#include "core/angles.h"
#include "core/cp1251.h"
#include "game/course_areas.h"
#include "game/game_state.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace quendrix {

namespace {

// The fastest shot a putt gives is 90 / 22 px per substep. A wall must be
// wider than one substep's travel plus a pixel of rounding on either side,
// or a ball can step over it.
constexpr double kTopShotSpeed = 90.0 / 22.0;
constexpr double kMinWallWidth = kTopShotSpeed + 2;

constexpr int kMaxChain = 40;

const char* const kAreaKeys[] = {"kind", "x1", "y1", "r",  "x2", "y2", "x3", "y3",     "x4",
                                 "y4",   "p1", "p2", "p3", "p4", "p5", "p6", "enabled"};

bool IsDecimal(std::string_view text) {
  while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) text.remove_prefix(1);
  while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) text.remove_suffix(1);
  if (text.empty() || text.size() > 9) return false;
  return std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

std::string ReadFile(const std::filesystem::path& path, bool& found) {
  std::error_code error;
  found = std::filesystem::is_regular_file(path, error);
  if (!found) return {};
  std::ifstream in(path, std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  std::string text = bytes.str();
  if (text.size() > kMaxHoleFileBytes) text.resize(kMaxHoleFileBytes);
  return text;
}

double LineDistance(double ax, double ay, double bx, double by, double px, double py) {
  const double len = std::hypot(bx - ax, by - ay);
  if (len == 0) return std::hypot(px - ax, py - ay);
  return std::fabs((bx - ax) * (py - ay) - (by - ay) * (px - ax)) / len;
}

// The next hole a hole's file names: the comment of its last cup.
std::string NextHoleOf(const GameSession& s) {
  std::string next;
  for (int32_t i = 1; i <= kMaxAreas; ++i)
    if (s.areas[i].kind == AreaKind::kCup) next = s.areas[i].comment;
  return next;
}

}  // namespace

double QuadWidth(const Quad& quad) {
  double x[4], y[4];
  for (int v = 0; v < 4; ++v) {
    x[v] = quad[static_cast<size_t>(v)].x;
    y[v] = quad[static_cast<size_t>(v)].y;
  }
  double width = INFINITY;
  for (int e = 0; e < 4; ++e) {
    const int f = (e + 1) % 4;
    if (x[e] == x[f] && y[e] == y[f]) continue;
    double across = 0;
    for (int v = 0; v < 4; ++v)
      across = std::max(across, LineDistance(x[e], y[e], x[f], y[f], x[v], y[v]));
    width = std::min(width, across);
  }
  return std::isinf(width) ? 0.0 : width;
}

namespace {

// The problems found, in the order they are found.
class Problems {
 public:
  explicit Problems(std::vector<std::string>& out) : out_(out) {}
  void Add(int32_t area, AreaKind kind, const std::string& what) {
    out_.push_back("area " + std::to_string(area) + " (kind " + std::to_string(ItemIndex(kind)) +
                   "): " + what);
  }
  void Add(const std::string& what) { out_.push_back(what); }

 private:
  std::vector<std::string>& out_;
};

// Values the reader takes as their defaults because they are no numbers.
void CheckNumbers(const IniFile& ini, Problems& problems) {
  for (const char* key : {"x", "y"}) {
    const std::string* raw = ini.Find("ball", key);
    int32_t v = 0;
    if (raw != nullptr && !ParseHoleInteger(*raw, v))
      problems.Add(std::string("[ball] ") + key + " = \"" + *raw + "\" is not a number");
  }
  if (const std::string* raw = ini.Find("course", "par"); raw != nullptr) {
    int32_t v = 0;
    if (!ParseHoleInteger(*raw, v)) problems.Add("[course] par = \"" + *raw + "\" is not a number");
  }
}

void CheckAreaNumbers(const IniFile& ini, int32_t i, AreaKind kind, Problems& problems) {
  const std::string section = "area" + std::to_string(i);
  for (const char* key : kAreaKeys) {
    const std::string* raw = ini.Find(section, key);
    int32_t v = 0;
    if (raw != nullptr && !ParseHoleInteger(*raw, v))
      problems.Add(i, kind, std::string(key) + " = \"" + *raw + "\" is not a number: read as 0");
  }
}

// True when the corners of the quadrilateral turn one way only.
bool Convex(const Quad& q) {
  const auto at = [&q](int k) { return q[static_cast<size_t>(k % 4)]; };
  bool left = false, right = false;
  for (int k = 0; k < 4; ++k) {
    const double ex = double(at(k + 1).x) - at(k).x, ey = double(at(k + 1).y) - at(k).y;
    const double fx = double(at(k + 2).x) - at(k + 1).x;
    const double fy = double(at(k + 2).y) - at(k + 1).y;
    const double turn = ex * fy - ey * fx;
    left = left || turn > 0;
    right = right || turn < 0;
  }
  return !(left && right);
}

// The shape the ball test takes from r, x3 and x4, and walls thick enough
// to stop a fast ball.
void CheckShape(int32_t i, const arearec& a, Problems& problems) {
  const bool circle = a.r > 0;
  const bool segment = !circle && a.x3 == 0 && a.x4 == 0;
  const bool quad = !circle && a.x3 != 0 && a.x4 != 0;
  if (IsPipeKind(a.kind) && !circle) {
    problems.Add(i, a.kind, "a pipe takes its shape from r, which is not above 0");
  } else if (!circle && !segment && !quad) {
    problems.Add(i, a.kind, "no shape: with r < 1 both or neither of x3, x4 must be 0");
  } else if (segment && a.x1 == a.x2 && a.y1 == a.y2) {
    problems.Add(i, a.kind, "segment of zero length: only a dot of radius 4 acts");
  } else if (quad) {
    const double width = QuadWidth(AreaQuad(a));
    if (width == 0) {
      problems.Add(i, a.kind, "quadrilateral with all corners on one line");
    } else if (!Convex(AreaQuad(a))) {
      problems.Add(i, a.kind, "quadrilateral is not convex: the ball test needs a convex one");
    } else if (IsWallKind(a.kind) && width < kMinWallWidth) {
      std::ostringstream w;
      w.precision(3);
      w << "wall only " << width << " px thick: a ball at top putt speed can pass through it";
      problems.Add(i, a.kind, w.str());
    }
  }
  if (IsWallKind(a.kind) && circle && a.r < kMinWallWidth)
    problems.Add(i, a.kind,
                 "round wall of radius " + std::to_string(a.r) +
                     " is only that high on the ground: a fast ball can pass through it");
}

// The parameters a kind reads.
void CheckParameters(const GameSession& s, int32_t i, const arearec& a, Problems& problems) {
  switch (a.kind) {
    case AreaKind::kSwitch:
      if (!OneBased<arearec, kMaxAreas>::Contains(a.p1)) {
        problems.Add(i, a.kind, "p1 = " + std::to_string(a.p1) + " names no area 1 ... 99");
      } else if (s.areas[a.p1].kind == AreaKind::kNone) {
        problems.Add(i, a.kind, "p1 = " + std::to_string(a.p1) + " names an empty area");
      }
      break;
    case AreaKind::kNextHoleText:
      if (a.p1 < 0 || a.p1 > 4)
        problems.Add(i, a.kind, "p1 = " + std::to_string(a.p1) + " is outside 0 ... 4");
      break;
    case AreaKind::kRough:
      if (a.p1 != 0 && a.p2 != 0 && !IsDecimal(a.comment))
        problems.Add(i, a.kind, "comment \"" + Cp1251ToUtf8(a.comment) + "\" is no image number");
      break;
    default:
      break;
  }
}

// Where a pipe lets the ball out, and that it does not land in the exit
// again.
void CheckPipeExit(int32_t i, const arearec& a, const HoleCheckOptions& options,
                   Problems& problems) {
  if (!IsPipeKind(a.kind)) return;
  const bool bounded = options.pictureWidth > 0 && options.pictureHeight > 0;
  if (bounded &&
      (a.x2 < 0 || a.y2 < 0 || a.x2 >= options.pictureWidth || a.y2 >= options.pictureHeight))
    problems.Add(i, a.kind,
                 "pipe exit (" + std::to_string(a.x2) + ", " + std::to_string(a.y2) +
                     ") lies outside the course picture");
  if (a.x3 == a.x4 && a.y3 == a.y4)
    problems.Add(i, a.kind, "pipe exit arrow (x3, y3) -> (x4, y4) has no length");
  if (a.kind == AreaKind::kPipeEntrance) return;
  // Where the ball lands: (x2, y2), for a pipe exit with a flash anywhere
  // 4 ... 15 px off.
  bool inside = AreaContains(a, a.x2, a.y2) && a.kind == AreaKind::kPipeExit;
  if (a.kind == AreaKind::kPipeExitFx) {
    for (int32_t angle = 0; angle < 256 && !inside; ++angle) {
      for (int32_t d = 4; d <= 15 && !inside; ++d) {
        const double x = a.x2 + BinCos(angle) * d, y = a.y2 + BinSin(angle) * d * 0.5;
        inside = AreaContains(a, static_cast<int32_t>(std::lrint(x)),
                              static_cast<int32_t>(std::lrint(y)));
      }
    }
  }
  if (inside)
    problems.Add(i, a.kind,
                 "the ball lands inside this pipe exit and is thrown back at every substep");
}

// The holes that follow: next-hole texts naming files, and the chain of
// the cups' next holes (each followed once).
void CheckChain(const GameSession& s, std::string_view holeName,
                const std::filesystem::path& directory, const HoleCheckOptions& options,
                bool hasCup, HoleCheckResult& result, Problems& problems) {
  result.chain.emplace_back(holeName);
  std::set<std::string> seen{std::string(holeName)};
  std::string next = hasCup ? NextHoleOf(s) : std::string();
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = s.areas[i];
    if (a.kind != AreaKind::kNextHoleText || a.p1 != 0 || !options.followChain) continue;
    bool found = false;
    ReadFile(directory / (Cp1251ToUtf8(a.comment) + ".hole"), found);
    if (!found)
      problems.Add(
          i, a.kind,
          "next-hole text names \"" + Cp1251ToUtf8(a.comment) + "\", which has no hole file");
  }
  for (int step = 0; options.followChain && !next.empty() && step < kMaxChain; ++step) {
    if (!seen.insert(next).second) {
      result.chain.push_back(next + " (again)");
      break;
    }
    result.chain.push_back(next);
    bool found = false;
    const std::string nextText = ReadFile(directory / (Cp1251ToUtf8(next) + ".hole"), found);
    if (!found) {
      problems.Add("next hole \"" + Cp1251ToUtf8(next) + "\" has no hole file in " +
                   directory.string());
      break;
    }
    auto nextSession = std::make_unique<GameSession>(*s.settings);
    LoadHoleText(*nextSession, nextText);
    next = NextHoleOf(*nextSession);
  }
}

}  // namespace

HoleCheckResult CheckHole(std::string_view text, std::string_view holeName,
                          const std::filesystem::path& directory, const HoleCheckOptions& options) {
  HoleCheckResult result;
  Problems problems(result.problems);
  const IniFile ini = IniFile::Parse(text);
  LaunchSettings settings;
  auto session = std::make_unique<GameSession>(settings);
  GameSession& s = *session;
  LoadHoleText(s, text);

  CheckNumbers(ini, problems);
  bool hasCup = false;
  for (int32_t i = 1; i <= kMaxAreas; ++i) {
    const arearec& a = s.areas[i];
    CheckAreaNumbers(ini, i, a.kind, problems);
    if (a.kind == AreaKind::kNone) continue;
    if (!IsKnownKind(a.kind)) {
      problems.Add(i, a.kind, "no such kind: the area never acts");
      continue;
    }
    if (a.kind == AreaKind::kCup) hasCup = true;
    CheckShape(i, a, problems);
    CheckParameters(s, i, a, problems);
    CheckPipeExit(i, a, options, problems);
  }
  if (!hasCup) problems.Add("no cup (kind 5): the hole can never be finished");
  CheckChain(s, holeName, directory, options, hasCup, result, problems);
  return result;
}

}  // namespace quendrix
