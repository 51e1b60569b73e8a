#include "computer/solver.h"

#include <algorithm>
#include <cmath>
#include <fstream>
#include <limits>
#include <map>
#include <memory>
#include <sstream>

#include "computer/distance_map.h"
#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_drop.h"
#include "game/ball_motion.h"
#include "game/course_areas.h"
#include "game/effects.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/hole_animations.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace quendrix {

namespace {

constexpr int32_t kPlayer = 1;
constexpr int32_t kSubsteps = 1;

// Putt speeds tried on the coarse pass, pixels per substep. Dense at the low
// end, where a ball near the cup needs a gentle touch.
constexpr double kCoarseSpeeds[] = {0.3, 0.5, 0.75, 1.0, 1.3,          1.6,
                                    2.0, 2.5, 3.0,  3.5, kMaxPuttSpeed};
constexpr int32_t kCoarseDirectionStep = 4;
// Waits tried on holes whose obstacles cycle: a quarter cycle apart (the
// counter climbs 2 a frame and a cycle is 256).
constexpr int32_t kCycleWaits[] = {0, 32, 64, 96};

// The clock of the splash slot, the only course effect a ball waits for:
// it is freed once its picture has played through.
void SplashClock(GameSession& s, int32_t splashPatterns) {
  courseEffect& e = s.courseEffects[kSplashSlot];
  if (e.x == 0 && e.y == 0) return;
  e.frame += s.substeps;
  if (e.frame >= 4 * splashPatterns || e.frame > 254) {
    if (!e.looping) {
      e.x = e.y = e.image = e.blend = e.pulse = 0;
      e.looping = false;
    }
    e.frame = 0;
  }
}

struct Outcome {
  bool holed = false;
  bool settled = false;
  double x = 0, y = 0;
  double closest = 1e9;  // nearest the ball came to the cup, ground pixels
};

// One ball's hole: the session after the hole has been loaded, the ball at
// the tee centre.
class Course {
 public:
  Course(std::string_view holeText, std::string_view holeName, const SolveOptions& options)
      : options_(options) {
    session_ = std::make_unique<GameSession>(settings_, &events_, options.seed);
    GameSession& s = *session_;
    s.playerCount = 1;
    s.substeps = kSubsteps;
    s.holeName = holeName;
    s.holeCycle = options.startCycle;
    LoadHoleText(s, holeText);
    ResetPlayersForHole(s);
    ClearCourseEffects(s);
    ResetParticles(s);
    const IniFile ini = IniFile::Parse(holeText);
    teeX_ = ini.ReadInteger("ball", "x", 320);
    teeY_ = ini.ReadInteger("ball", "y", 240);
    playerrec& b = s.players[kPlayer];
    b.x = b.prevX = b.safeX = teeX_;
    b.y = b.prevY = b.safeY = teeY_;
    b.inPlay = true;
    for (int32_t i = 1; i <= kMaxAreas; ++i) hasCup_ = hasCup_ || s.areas[i].kind == AreaKind::kCup;
    map_.BuildAll(s, teeX_, teeY_);
  }

  const GameSession& start() const { return *session_; }
  bool hasCup() const { return hasCup_; }
  const DistanceMap& map() const { return map_; }

  // Plays one shot on `s`, a copy of some resting state.
  Outcome Play(GameSession& s, const SolveShot& shot,
               std::vector<PathPoint>* path = nullptr) const {
    Outcome out;
    for (int32_t f = 0; f < shot.waitFrames; ++f) SolverFrameExtras(s, options_.splashPatterns);
    playerrec& b = s.players[kPlayer];
    b.direction = shot.direction;
    b.speed = shot.speed;
    StartShot(s, kPlayer, true);
    for (int32_t frame = 0; frame < options_.maxFramesPerShot; ++frame) {
      for (int32_t step = 0; step <= s.substeps; ++step) {
        if (!b.moving) break;
        BallSubstep(s, kPlayer);
        const double d = ViewDistance(Nearest(b.x), Nearest(b.y), s.cupX, s.cupY);
        out.closest = std::min(out.closest, d);
        if (b.inCup) {
          out.holed = out.settled = true;
          out.x = b.x;
          out.y = b.y;
          return out;
        }
      }
      SolverFrameExtras(s, options_.splashPatterns);
      if (path != nullptr) path->push_back({frame, b.x, b.y, b.z});
      if (!b.moving) {
        out.settled = map_.Inside(Nearest(b.x), Nearest(b.y));
        out.x = b.x;
        out.y = b.y;
        return out;
      }
    }
    return out;
  }

 private:
  SolveOptions options_;
  LaunchSettings settings_;
  SilentEvents events_;
  std::unique_ptr<GameSession> session_;
  DistanceMap map_;
  int32_t teeX_ = 0, teeY_ = 0;
  bool hasCup_ = false;
};

// A resting place reached with some shots.
struct Node {
  std::shared_ptr<const GameSession> session;
  std::vector<SolveShot> shots;
  float score = 0;
};

struct Candidate {
  SolveShot shot;
  Outcome outcome;
  std::shared_ptr<GameSession> after;
};

std::string StateKey(const GameSession& s) {
  const playerrec& b = s.players[kPlayer];
  std::string key = std::to_string(Nearest(b.x) / 12) + "," + std::to_string(Nearest(b.y) / 12);
  // Areas switched on or off by play make another course.
  key += ':';
  for (int32_t i = 1; i <= kMaxAreas; ++i)
    if (s.areas[i].kind != AreaKind::kNone) key += s.areas[i].enabled ? '1' : '0';
  return key;
}

class Search {
 public:
  Search(const Course& course, const SolveOptions& options, bool cycles)
      : course_(course), options_(options), cycles_(cycles) {}

  SolveResult Run() {
    SolveResult result;
    Node root;
    root.session = std::make_shared<GameSession>(course_.start());
    std::vector<Node> beam{root};
    for (int32_t depth = 1; depth <= options_.maxStrokes && !beam.empty(); ++depth) {
      std::map<std::string, Node> next;
      for (const Node& node : beam) {
        std::vector<Candidate> tried = Expand(node);
        for (Candidate& c : tried) {
          if (c.outcome.holed) {
            Node n = node;
            n.shots.push_back(c.shot);
            const int32_t strokes = c.after->players[kPlayer].strokes;
            if (!result.holed || strokes < result.strokes) {
              result.holed = true;
              result.strokes = strokes;
              result.shots = n.shots;
            }
            continue;
          }
          if (!c.outcome.settled) continue;
          Node n;
          n.score = course_.map().At(c.outcome.x, c.outcome.y);
          if (!std::isfinite(n.score)) continue;
          n.shots = node.shots;
          n.shots.push_back(c.shot);
          n.session = c.after;
          const std::string key = StateKey(*c.after);
          auto it = next.find(key);
          if (it == next.end() || n.score < it->second.score) next[key] = std::move(n);
        }
        // The first drop at this depth is as short as any (only a bonus star
        // could shave a stroke off another).
        if (shots_ >= options_.shotBudget || result.holed) break;
      }
      if (result.holed || shots_ >= options_.shotBudget) break;
      std::vector<Node> ranked;
      ranked.reserve(next.size());
      for (auto& [key, node] : next) ranked.push_back(std::move(node));
      std::sort(ranked.begin(), ranked.end(),
                [](const Node& a, const Node& b) { return a.score < b.score; });
      beam = Diverse(ranked);
    }
    result.shotsSimulated = shots_;
    return result;
  }

 private:
  // The best places, but not all of them in one corner: a place within 60 px
  // of one already kept waits until the first pass is done.
  std::vector<Node> Diverse(std::vector<Node>& ranked) const {
    std::vector<Node> kept;
    std::vector<bool> taken(ranked.size(), false);
    for (size_t i = 0; i < ranked.size() && kept.size() < size_t(options_.beamWidth); ++i) {
      const playerrec& b = ranked[i].session->players[kPlayer];
      bool near = false;
      for (const Node& k : kept) {
        const playerrec& o = k.session->players[kPlayer];
        near = near || std::hypot(b.x - o.x, b.y - o.y) < 60;
      }
      if (near) continue;
      taken[i] = true;
      kept.push_back(ranked[i]);
    }
    for (size_t i = 0; i < ranked.size() && kept.size() < size_t(options_.beamWidth); ++i)
      if (!taken[i]) kept.push_back(ranked[i]);
    return kept;
  }

  Candidate Try(const Node& node, int32_t wait, int32_t direction, double speed) {
    Candidate c;
    c.shot.waitFrames = wait;
    c.shot.direction = Mod256(direction);
    c.shot.speed = std::clamp(speed, 0.05, kMaxPuttSpeed);
    const playerrec& b = node.session->players[kPlayer];
    c.shot.fromX = b.x;
    c.shot.fromY = b.y;
    c.after = std::make_shared<GameSession>(*node.session);
    c.outcome = course_.Play(*c.after, c.shot);
    ++shots_;
    return c;
  }

  std::vector<Candidate> Expand(const Node& node) {
    std::vector<Candidate> tried;
    const int32_t waits = cycles_ ? static_cast<int32_t>(std::size(kCycleWaits)) : 1;
    for (int32_t w = 0; w < waits; ++w) {
      // Later phases of the cycle get a coarser fan: the first one has found
      // most of what the hole offers.
      const int32_t step = w == 0 ? kCoarseDirectionStep : 2 * kCoarseDirectionStep;
      for (int32_t d = 0; d < 256; d += step) {
        for (double speed : kCoarseSpeeds) {
          tried.push_back(Try(node, kCycleWaits[w], d, speed));
          if (tried.back().outcome.holed) return tried;
        }
      }
    }
    // Refine round the shots that came nearest the cup, and round those that
    // came to rest nearest it along the way round the walls.
    std::vector<size_t> order(tried.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    const auto refine = [&](size_t count) {
      const size_t n = std::min(count, order.size());
      std::vector<Candidate> more;
      for (size_t k = 0; k < n; ++k) {
        const SolveShot base = tried[order[k]].shot;
        for (int32_t dd = -3; dd <= 3; ++dd) {
          for (double factor : {0.85, 0.93, 1.0, 1.07, 1.15}) {
            if (dd == 0 && factor == 1.0) continue;
            more.push_back(Try(node, base.waitFrames, base.direction + dd, base.speed * factor));
            if (more.back().outcome.holed) break;
          }
        }
      }
      for (Candidate& c : more) tried.push_back(std::move(c));
    };
    std::sort(order.begin(), order.end(), [&](size_t a, size_t b) {
      return tried[a].outcome.closest < tried[b].outcome.closest;
    });
    refine(4);
    order.resize(tried.size());
    for (size_t i = 0; i < order.size(); ++i) order[i] = i;
    const auto restScore = [&](size_t i) {
      const Outcome& o = tried[i].outcome;
      return o.settled ? course_.map().At(o.x, o.y) : std::numeric_limits<float>::infinity();
    };
    std::sort(order.begin(), order.end(),
              [&](size_t a, size_t b) { return restScore(a) < restScore(b); });
    refine(2);
    return tried;
  }

  const Course& course_;
  SolveOptions options_;
  bool cycles_;
  int64_t shots_ = 0;
};

}  // namespace

uint32_t SolverFrameExtras(GameSession& session, int32_t splashPatterns) {
  SplashClock(session, splashPatterns);
  const uint32_t droppedBack = DropBalls(session);
  CycleObstacles(session);
  return droppedBack;
}

SolveResult SolveHoleText(std::string_view holeText, std::string_view holeName,
                          const SolveOptions& options) {
  const Course course(holeText, holeName, options);
  SolveResult result;
  result.par = course.start().holePar;
  if (!course.hasCup()) {
    result.error = "the hole has no cup";
    return result;
  }
  Search search(course, options, HasCyclingObstacles(holeName));
  SolveResult found = search.Run();
  found.par = result.par;
  return found;
}

SolveResult SolveHoleFile(const std::filesystem::path& holeFile, const SolveOptions& options) {
  std::ifstream in(holeFile, std::ios::binary);
  if (!in) {
    SolveResult result;
    result.error = "cannot read " + holeFile.string();
    return result;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return SolveHoleText(bytes.str(), holeFile.stem().string(), options);
}

SolveResult ReplayShots(std::string_view holeText, std::string_view holeName,
                        std::vector<SolveShot> shots, const SolveOptions& options) {
  const Course course(holeText, holeName, options);
  GameSession s = course.start();
  SolveResult result;
  result.par = s.holePar;
  for (SolveShot& shot : shots) {
    shot.fromX = s.players[kPlayer].x;
    shot.fromY = s.players[kPlayer].y;
    const Outcome out = course.Play(s, shot, options.recordPath ? &result.path : nullptr);
    ++result.shotsSimulated;
    result.shots.push_back(shot);
    if (out.holed) {
      result.holed = true;
      break;
    }
    if (!out.settled) break;
  }
  result.strokes = s.players[kPlayer].strokes;
  return result;
}

}  // namespace quendrix
