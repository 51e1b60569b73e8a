// quendrix-trace: runs the ball physics headless on one hole file and prints
// one JSON object per physics step, so the motion can be checked against
// independent calculations.
//
//   quendrix-trace HOLEFILE [--players N] [--seed S] [--substeps 1|2|4]
//                  [--frames F] [--whencollide 0|1] [--plus1]
//                  --shot P:DIRECTION:SPEED[@FRAME] ...
//
// All N balls are in play from the start. A frame runs, for p = 1 ... N in
// order, substeps + 1 physics steps of ball p while it is moving. A ball is no
// longer traced after the step in which it drops into the cup, a pipe or
// water (its drop belongs to the per-frame drawing).
#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "core/cp1251.h"
#include "game/ball_motion.h"
#include "game/effects.h"
#include "game/game_events.h"
#include "game/game_state.h"
#include "game/hole_file.h"
#include "game/launch_settings.h"

namespace {

using namespace quendrix;

struct Shot {
  int32_t player = 1;
  int32_t direction = 0;
  double speed = 0;
  int64_t frame = 0;
};

struct Options {
  std::string holeFile;
  int32_t players = 1;
  uint64_t seed = 0;
  int32_t substeps = 1;
  int64_t frames = 1;
  int32_t whencollide = 0;
  bool plus1 = false;
  std::vector<Shot> shots;
};

// Collects the sounds of one physics step.
class RecordingEvents final : public GameEvents {
 public:
  void PlaySound(int32_t index) override { sounds.push_back(index); }
  void PlayBackgroundSound(int32_t index) override { bgSounds.push_back(index); }
  void TurnEnded() override {}
  std::vector<int32_t> sounds, bgSounds;
};

[[noreturn]] void Fail(const std::string& message) {
  std::fprintf(stderr, "quendrix-trace: %s\n", message.c_str());
  std::fprintf(stderr,
               "usage: quendrix-trace HOLEFILE [--players N] [--seed S] [--substeps 1|2|4] "
               "[--frames F] [--whencollide 0|1] [--plus1] --shot P:DIRECTION:SPEED[@FRAME] "
               "...\n");
  std::exit(2);
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  if (!text.empty() && text.front() == '+') text.remove_prefix(1);
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

Shot ParseShot(std::string_view text, int32_t players) {
  Shot shot;
  const size_t at = text.find('@');
  if (at != std::string_view::npos) {
    if (!ParseNumber(text.substr(at + 1), shot.frame) || shot.frame < 0)
      Fail("bad shot frame in '" + std::string(text) + "'");
    text = text.substr(0, at);
  }
  const size_t c1 = text.find(':');
  const size_t c2 = c1 == std::string_view::npos ? c1 : text.find(':', c1 + 1);
  if (c2 == std::string_view::npos) Fail("a shot is P:DIRECTION:SPEED[@FRAME]");
  if (!ParseNumber(text.substr(0, c1), shot.player) || shot.player < 1 || shot.player > players)
    Fail("shot player must be 1 ... --players");
  if (!ParseNumber(text.substr(c1 + 1, c2 - c1 - 1), shot.direction))
    Fail("bad shot direction in '" + std::string(text) + "'");
  if (!ParseNumber(text.substr(c2 + 1), shot.speed) || !std::isfinite(shot.speed) || shot.speed < 0)
    Fail("bad shot speed in '" + std::string(text) + "'");
  return shot;
}

Options ParseArguments(int argc, char** argv) {
  Options o;
  std::vector<std::string> shotTexts;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    std::string value;
    const bool isOption = arg.rfind("--", 0) == 0;
    const size_t eq = arg.find('=');
    if (isOption && eq != std::string::npos) {
      value = arg.substr(eq + 1);
      arg = arg.substr(0, eq);
    }
    const auto next = [&]() -> std::string {
      if (!value.empty()) return value;
      if (i + 1 >= argc) Fail(arg + " needs a value");
      return argv[++i];
    };
    if (!isOption) {
      if (!o.holeFile.empty()) Fail("only one hole file");
      o.holeFile = arg;
    } else if (arg == "--players") {
      if (!ParseNumber(next(), o.players) || o.players < 1 || o.players > 4)
        Fail("--players must be 1 ... 4");
    } else if (arg == "--seed") {
      if (!ParseNumber(next(), o.seed)) Fail("--seed must be a non-negative integer");
    } else if (arg == "--substeps") {
      if (!ParseNumber(next(), o.substeps) ||
          (o.substeps != 1 && o.substeps != 2 && o.substeps != 4))
        Fail("--substeps must be 1, 2 or 4");
    } else if (arg == "--frames") {
      if (!ParseNumber(next(), o.frames) || o.frames < 0) Fail("--frames must be >= 0");
    } else if (arg == "--whencollide") {
      if (!ParseNumber(next(), o.whencollide) || (o.whencollide != 0 && o.whencollide != 1))
        Fail("--whencollide must be 0 or 1");
    } else if (arg == "--plus1") {
      o.plus1 = true;
    } else if (arg == "--shot") {
      shotTexts.push_back(next());
    } else {
      Fail("unknown option " + arg);
    }
  }
  if (o.holeFile.empty()) Fail("no hole file");
  if (shotTexts.empty()) Fail("at least one --shot");
  for (const std::string& s : shotTexts) o.shots.push_back(ParseShot(s, o.players));
  return o;
}

class JsonLine {
 public:
  void Begin() { text_ = "{"; }
  void End() {
    text_ += "}\n";
    std::fwrite(text_.data(), 1, text_.size(), stdout);
  }
  void Key(std::string_view key) {
    if (text_.size() > 1 && text_.back() != '{' && text_.back() != '[') text_ += ',';
    text_ += '"';
    text_ += key;
    text_ += "\":";
  }
  void Int(std::string_view key, int64_t v) {
    Key(key);
    text_ += std::to_string(v);
  }
  void Bool(std::string_view key, bool v) {
    Key(key);
    text_ += v ? "true" : "false";
  }
  void Double(std::string_view key, double v) {
    Key(key);
    RawDouble(v);
  }
  void RawDouble(double v) {
    if (!std::isfinite(v)) {
      text_ += "null";
      return;
    }
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.17g", v);
    text_ += buffer;
  }
  // cp1251 text, written as UTF-8 with JSON escapes (the ticker texts carry
  // NUL characters).
  void String(std::string_view key, std::string_view cp1251) {
    Key(key);
    text_ += '"';
    for (unsigned char c : Cp1251ToUtf8(cp1251)) {
      if (c == '"' || c == '\\') {
        text_ += '\\';
        text_ += static_cast<char>(c);
      } else if (c < 0x20) {
        char buffer[8];
        std::snprintf(buffer, sizeof buffer, "\\u%04x", c);
        text_ += buffer;
      } else {
        text_ += static_cast<char>(c);
      }
    }
    text_ += '"';
  }
  void IntList(std::string_view key, const std::vector<int32_t>& values) {
    Key(key);
    text_ += '[';
    for (size_t i = 0; i < values.size(); ++i) {
      if (i > 0) text_ += ',';
      text_ += std::to_string(values[i]);
    }
    text_ += ']';
  }
  std::string& Raw() { return text_; }

 private:
  std::string text_;
};

void WriteBall(JsonLine& j, const playerrec& b) {
  j.Double("x", b.x);
  j.Double("y", b.y);
  j.Double("z", b.z);
  j.Double("prevX", b.prevX);
  j.Double("prevY", b.prevY);
  j.Double("safeX", b.safeX);
  j.Double("safeY", b.safeY);
  j.Int("direction", b.direction);
  j.Double("speed", b.speed);
  j.Double("fallSpeed", b.fallSpeed);
  j.Double("rollU", b.rollU);
  j.Double("rollV", b.rollV);
  j.Int("spriteAngle", b.spriteAngle);
  j.Int("lastArea", b.lastArea);
  j.Bool("airborne", b.airborne);
  j.Bool("inCup", b.inCup);
  j.Bool("inPipe", b.inPipe);
  j.Bool("lost", b.lost);
  j.Int("sinkCounter", b.sinkCounter);
  j.Bool("onSand", b.onSand);
  j.Int("pushDirection", b.pushDirection);
  j.Int("lastPushDirection", b.lastPushDirection);
  j.Double("pushSpeed", b.pushSpeed);
  j.Int("rampCode", b.rampCode);
  j.Int("lastRampCode", b.lastRampCode);
  j.Bool("moving", b.moving);
  j.Int("rideArea", b.rideArea);
  j.Bool("pullPutt", b.pullPutt);
  j.Bool("easyTarget", b.easyTarget);
  j.Int("strokes", b.strokes);
  j.Int("totalStrokes", b.totalStrokes);
  j.Int("toPar", b.toPar);
  j.Int("highlight", b.highlight);
  j.Bool("wallHit", b.wallHit);
  j.Bool("inPlay", b.inPlay);
  j.Bool("touching", b.touching);
  j.Int("stillFrames", b.stillFrames);
  j.Int("holesWon", b.holesWon);
  std::vector<int32_t> scores(b.holeScores.begin(), b.holeScores.end());
  j.IntList("holeScores", scores);
}

// The session values the physics writes.
void WriteSession(JsonLine& j, const GameSession& s) {
  j.String("nextHoleName", s.nextHoleName);
  j.Int("respawnX", s.respawnX);
  j.Int("respawnY", s.respawnY);
  j.Bool("bonusStrokeUsed", s.bonusStrokeUsed);
  j.Bool("bonusStrokeTaken", s.bonusStrokeTaken);
  j.String("tickerText", s.tickerText);
  j.Int("tickerPos", s.tickerPos);
  j.String("bannerText", s.bannerText);
  j.Int("bannerFade", s.bannerFade);
  j.Bool("recentre", s.recentre);
  j.Bool("ballsMoving", s.ballsMoving);
  j.Int("effectSlot", s.effectSlot);
}

int Run(const Options& o) {
  LaunchSettings settings;
  settings.whencollide = o.whencollide;
  settings.plus1 = o.plus1;
  settings.players = o.players - 1;
  RecordingEvents events;
  auto session = std::make_unique<GameSession>(settings, &events, o.seed);
  GameSession& s = *session;
  s.playerCount = o.players;
  s.substeps = o.substeps;
  s.soundOn = true;

  const std::filesystem::path path(o.holeFile);
  const bool loaded = LoadHoleFile(s, path.parent_path(), path.filename().string());
  ResetPlayersForHole(s);
  ClearCourseEffects(s);
  ResetParticles(s);
  for (int32_t p = 1; p <= o.players; ++p) {
    s.players[p].inPlay = true;
    s.players[p].pullPutt = settings.pull[static_cast<size_t>(p - 1)];
  }

  JsonLine j;
  j.Begin();
  j.Bool("loaded", loaded);
  j.Key("players");
  j.Raw() += '[';
  for (int32_t p = 1; p <= o.players; ++p) {
    if (p > 1) j.Raw() += ',';
    j.Raw() += "{\"player\":" + std::to_string(p) + ",\"x\":";
    j.RawDouble(s.players[p].x);
    j.Raw() += ",\"y\":";
    j.RawDouble(s.players[p].y);
    j.Raw() += '}';
  }
  j.Raw() += ']';
  j.End();

  std::vector<bool> traced(static_cast<size_t>(o.players) + 1, true);
  std::vector<bool> enabledBefore(kMaxAreas + 1);
  for (int64_t frame = 0; frame < o.frames; ++frame) {
    for (const Shot& shot : o.shots) {
      if (shot.frame != frame) continue;
      playerrec& b = s.players[shot.player];
      b.direction = shot.direction;
      b.speed = shot.speed;
      StartShot(s, shot.player, true);
    }
    for (int32_t p = 1; p <= o.players; ++p) {
      for (int32_t step = 0; step <= s.substeps; ++step) {
        playerrec& b = s.players[p];
        if (!b.moving || !traced[static_cast<size_t>(p)]) continue;
        for (int32_t a = 1; a <= kMaxAreas; ++a)
          enabledBefore[static_cast<size_t>(a)] = s.areas[a].enabled;
        events.sounds.clear();
        events.bgSounds.clear();
        BallSubstep(s, p);
        if (b.inCup || b.inPipe || b.lost) traced[static_cast<size_t>(p)] = false;

        j.Begin();
        j.Int("frame", frame);
        j.Int("step", step);
        j.Int("player", p);
        WriteBall(j, b);
        WriteSession(j, s);
        j.IntList("sounds", events.sounds);
        j.IntList("bgSounds", events.bgSounds);
        j.Key("enabledChanges");
        j.Raw() += '[';
        bool first = true;
        for (int32_t a = 1; a <= kMaxAreas; ++a) {
          if (s.areas[a].enabled == enabledBefore[static_cast<size_t>(a)]) continue;
          if (!first) j.Raw() += ',';
          first = false;
          j.Raw() += "{\"area\":" + std::to_string(a) +
                     ",\"enabled\":" + (s.areas[a].enabled ? "true" : "false") + "}";
        }
        j.Raw() += ']';
        j.End();
      }
    }
  }
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  return Run(ParseArguments(argc, argv));
}
