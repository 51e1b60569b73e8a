#include "computer/putt_search.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cmath>

#include "computer/solver.h"
#include "core/angles.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/hole_animations.h"

namespace quendrix {

namespace {

// A putt still rolling after this many frames counts as lost.
constexpr int32_t kMaxPuttFrames = 2500;
// Patterns of the splash picture: a lost ball waits four frames each.
constexpr int32_t kSplashPatterns = 8;
// The cycle's moments a timed putt may be released in, in the order tried.
constexpr std::array<int32_t, 4> kReleaseCycles = {0, 128, 64, 192};
// Of the distance still to go: a putt covers about this much on average.
constexpr float kPixelsPerStroke = 350;
// A putt whose ball never rests (or rests off the course) is as bad as this.
constexpr float kHopeless = 1000;
// A ball rolling on the flat loses 0.005 a substep: it covers about 100 v^2
// pixels.
constexpr double kFlatRollPixels = 100;
// Refinement round a promising putt: these turns, and these speeds.
constexpr int32_t kRefineTurn = 2;
constexpr double kRefineFactors[] = {0.9, 0.95, 1.0, 1.05, 1.1};
// Downhill on the distance map is looked for this far from the ball.
constexpr double kDownhillLook = 48;
// Of a stroke: less than this gained is getting nowhere (a ball put back
// from water lies a little off where it was).
constexpr float kLittleProgress = 0.15f;
// The strengths of the wider look of a player whose first got nowhere.
constexpr double kWideSpeeds[] = {1.0, 2.0, 3.0, kMaxPuttSpeed};

const LaunchSettings kNoSettings;

bool AnyBallMoving(const GameSession& s) {
  for (int32_t p = 1; p <= std::clamp(s.playerCount, 1, kMaxPlayers); ++p)
    if (s.players[p].moving && s.players[p].inPlay) return true;
  return false;
}

// The obstacles as they stand when holeCycle is `cycle`: the step that
// brings the cycle there.
void SetCycle(GameSession& s, int32_t cycle) {
  s.holeCycle = cycle - 2 * s.substeps;
  CycleObstacles(s);
}

}  // namespace

PuttOutcome SimulatePutt(GameSession& sim, int32_t player, const Putt& putt, int32_t maxFrames) {
  PuttOutcome out;
  playerrec& b = sim.players[player];
  b.direction = putt.direction;
  b.speed = putt.speed;
  StartShot(sim, player, true);
  int32_t penalties = 0;
  CycleObstacles(sim);
  for (int32_t frame = 0; frame < maxFrames; ++frame) {
    MoveBalls(sim);
    out.closest =
        std::min<double>(out.closest, ViewDistance(Nearest(b.x), Nearest(b.y), sim.cupX, sim.cupY));
    const uint32_t droppedBack = SolverFrameExtras(sim, kSplashPatterns);
    if ((droppedBack & (1u << (player - 1))) != 0 && sim.settings->minus1) ++penalties;
    if (b.inCup) {
      out.holed = out.settled = true;
      break;
    }
    if (!AnyBallMoving(sim) && !b.lost && !b.inPipe) {
      out.settled = true;
      break;
    }
  }
  out.x = b.x;
  out.y = b.y;
  out.strokes = b.strokes + penalties;
  return out;
}

PuttSearch::PuttSearch() : snapshot_(kNoSettings), scratch_(kNoSettings) {
  candidates_.reserve(4096);
  order_.reserve(4096);
}

void PuttSearch::Start(const GameSession& session, const Strength& strength, const DistanceMap& map,
                       bool stuck) {
  snapshot_ = session;
  snapshot_.events = &silent_;
  strength_ = &strength;
  map_ = &map;
  player_ = std::clamp(session.currentPlayer, 1, kMaxPlayers);
  pull_ = session.players[player_].pullPutt;
  timed_ = HasCyclingObstacles(session.holeName);
  strokeLimit_ = session.settings->training ? 0 : session.settings->StrokeLimit();
  candidates_.clear();
  next_ = 0;
  best_ = PuttChoice{};
  haveBest_ = false;
  trial_ = {};
  polished_ = 0;
  polishedScore_ = kHopeless + 1;
  widened_ = false;
  stuck_ = stuck;
  // Where a putt that went nowhere would leave the player.
  PuttOutcome stay;
  stay.settled = true;
  stay.x = session.players[player_].x;
  stay.y = session.players[player_].y;
  stay.strokes = session.players[player_].strokes + 1;
  stayScore_ = Score(stay);
  played_ = 0;
  AddFan();
  fanSize_ = candidates_.size();
  stage_ = Stage::kFan;
}

void PuttSearch::Add(int32_t direction, double speed, int32_t phase) {
  Candidate c;
  c.direction = Mod256(direction);
  c.speed = std::clamp(speed, 0.05, kMaxPuttSpeed);
  c.phase = phase;
  candidates_.push_back(c);
}

void PuttSearch::AddFan() {
  const Strength& st = *strength_;
  const playerrec& b = snapshot_.players[player_];
  const int32_t bx = Nearest(b.x), by = Nearest(b.y);
  // Downhill on the map: the way the ball has to leave to get round.
  double wayX = 0, wayY = 0;
  map_->Downhill(b.x, b.y, kDownhillLook, wayX, wayY);
  const int32_t downhill = wayX == b.x && wayY == b.y
                               ? BinAngle(snapshot_.cupX - bx, snapshot_.cupY - by)
                               : BinAngle(wayX - b.x, wayY - b.y);
  const float way = map_->At(b.x, b.y);
  const double reach =
      std::sqrt(std::max(std::isfinite(way) ? double{way} : 400.0, 4.0) / kFlatRollPixels);
  const int32_t phases = timed_ ? std::clamp(st.cyclePhases, 1, 4) : 1;
  for (int32_t phase = 0; phase < phases; ++phase) {
    // Later moments get a coarser fan: the first finds most of what the hole offers.
    const int32_t step = std::max(1, phase == 0 ? st.directionStep : 2 * st.directionStep);
    std::bitset<256> taken;
    const auto direction = [&](int32_t d) {
      if (taken[static_cast<size_t>(Mod256(d))]) return;
      taken[static_cast<size_t>(Mod256(d))] = true;
      for (const double speed : st.speeds) Add(d, speed, phase);
      for (const double factor : st.reachFactors) Add(d, reach * factor, phase);
    };
    if (st.aroundWays <= 0) {
      // The whole turn, starting downhill and going both ways from it.
      const int32_t first = downhill - Mod256(downhill) % step;
      for (int32_t k = 0; k * step <= 128; ++k) {
        direction(first + k * step);
        direction(first - k * step);
      }
    } else {
      const int32_t straight = BinAngle(snapshot_.cupX - bx, snapshot_.cupY - by);
      for (int32_t k = 0; k * step <= st.aroundWays; ++k)
        for (const int32_t centre : {downhill, straight}) {
          direction(centre + k * step);
          direction(centre - k * step);
        }
    }
  }
}

void PuttSearch::AddRefinement() {
  const Strength& st = *strength_;
  if (st.refine <= 0 || fanSize_ == 0) return;
  order_.clear();
  for (size_t i = 0; i < fanSize_; ++i) order_.push_back(i);
  // The best by the strokes expected, then those that came nearest the cup:
  // a near miss is often one small turn from dropping.
  const size_t count = std::min(order_.size(), static_cast<size_t>(st.refine));
  std::partial_sort(order_.begin(), order_.begin() + static_cast<std::ptrdiff_t>(count),
                    order_.end(), [this](size_t a, size_t b) {
                      return candidates_[a].score < candidates_[b].score ||
                             (candidates_[a].score == candidates_[b].score && a < b);
                    });
  std::vector<size_t>::iterator nearest = order_.begin() + static_cast<std::ptrdiff_t>(count);
  const size_t near = std::min(static_cast<size_t>(order_.end() - nearest),
                               static_cast<size_t>((st.refine + 1) / 2));
  std::partial_sort(nearest, nearest + static_cast<std::ptrdiff_t>(near), order_.end(),
                    [this](size_t a, size_t b) {
                      return candidates_[a].closest < candidates_[b].closest ||
                             (candidates_[a].closest == candidates_[b].closest && a < b);
                    });
  for (size_t k = 0; k < count + near; ++k) AddAround(candidates_[order_[k]]);
}

void PuttSearch::AddAround(const Candidate& base) {
  for (int32_t turn = -kRefineTurn; turn <= kRefineTurn; ++turn)
    for (const double factor : kRefineFactors)
      if (turn != 0 || factor != 1.0) Add(base.direction + turn, base.speed * factor, base.phase);
}

PuttOutcome PuttSearch::Play(const Gesture& gesture, int32_t phase) {
  scratch_ = snapshot_;
  scratch_.events = &silent_;
  if (timed_) SetCycle(scratch_, kReleaseCycles[static_cast<size_t>(phase)]);
  ++played_;
  return SimulatePutt(scratch_, player_, gesture.putt, kMaxPuttFrames);
}

float PuttSearch::Score(const PuttOutcome& o) const {
  if (!o.settled) return kHopeless;
  float strokes = static_cast<float>(o.strokes);
  float still = 0;
  if (!o.holed) {
    still = map_->At(o.x, o.y);
    if (!std::isfinite(still)) return kHopeless;
    strokes += 1 + still / kPixelsPerStroke;
  }
  // A hole ends at the stroke limit whatever is left to go; the distance
  // still tells the places apart.
  if (strokeLimit_ > 0) strokes = std::min(strokes, static_cast<float>(strokeLimit_));
  return strokes + still * 1e-5f;
}

void PuttSearch::Consider(const Candidate& c, const Gesture& gesture, bool holes) {
  if (haveBest_ && c.score >= best_.score) return;
  haveBest_ = true;
  bestCandidate_ = c;
  best_.gesture = gesture;
  best_.timed = timed_;
  best_.cycle = kReleaseCycles[static_cast<size_t>(c.phase)];
  best_.score = c.score;
  best_.holes = holes;
}

void PuttSearch::Try(Candidate& c) {
  const Gesture gesture = PlanGesture(pull_, c.direction, c.speed);
  const PuttOutcome outcome = Play(gesture, c.phase);
  c.score = Score(outcome);
  c.closest = static_cast<float>(outcome.closest);
  const Strength& st = *strength_;
  if (outcome.holed && (st.jitterAlong != 0 || st.jitterAcross != 0)) {
    // A drop the hand's worst misses would lose is weighed once they are played.
    trial_ = {&c, gesture, 0, 0};
    return;
  }
  Consider(c, gesture, outcome.holed);
  if (outcome.holed) stage_ = Stage::kDone;
}

void PuttSearch::TryMiss() {
  const Strength& st = *strength_;
  const std::array<std::array<int32_t, 2>, kMisses> misses = {
      {{st.jitterAlong, 0}, {-st.jitterAlong, 0}, {0, st.jitterAcross}, {0, -st.jitterAcross}}};
  const auto& miss = misses[static_cast<size_t>(trial_.missesPlayed++)];
  if (Play(Jittered(trial_.gesture, miss[0], miss[1]), trial_.candidate->phase).holed)
    ++trial_.missesDropped;
  if (trial_.missesPlayed < kMisses) return;
  Candidate& c = *trial_.candidate;
  trial_.candidate = nullptr;
  // Each miss that would not drop costs about a quarter of a stroke.
  c.score += static_cast<float>(kMisses - trial_.missesDropped) / kMisses;
  Consider(c, trial_.gesture, true);
  if (trial_.missesDropped == kMisses) stage_ = Stage::kDone;
}

bool PuttSearch::AddMore() {
  if (stage_ == Stage::kFan) {
    stage_ = Stage::kRefine;
    AddRefinement();
    if (next_ < candidates_.size()) return true;
  }
  if (polished_ < strength_->polish && bestCandidate_.score < polishedScore_) {
    // Closer round the best while that keeps finding better.
    polishedScore_ = bestCandidate_.score;
    ++polished_;
    AddAround(bestCandidate_);
    return true;
  }
  if (!widened_ && strength_->widenStep > 0 &&
      (stuck_ || best_.score > stayScore_ - kLittleProgress)) {
    // Nothing gets much further: every way round once, as a person would.
    widened_ = true;
    for (int32_t d = 0; d < 256; d += strength_->widenStep)
      for (const double speed : kWideSpeeds) Add(d, speed, 0);
    return true;
  }
  return false;
}

bool PuttSearch::Step(int32_t putts) {
  const int64_t until = played_ + putts;
  while (stage_ != Stage::kDone && stage_ != Stage::kIdle && played_ < until) {
    if (trial_.candidate != nullptr) {
      TryMiss();
      continue;
    }
    if (next_ >= candidates_.size() && !AddMore()) {
      stage_ = Stage::kDone;
      break;
    }
    Try(candidates_[next_++]);
  }
  return stage_ == Stage::kDone;
}

}  // namespace quendrix
