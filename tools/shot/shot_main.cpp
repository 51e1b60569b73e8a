// quendrix-shot: plays frames of a hole headless (memory display, silent
// sound, a clock of --ms milliseconds a frame) and writes PNG screenshots of
// chosen frames, so a putt can be looked at without a display.
//
//   quendrix-shot HOLE [--data DIR] [--screen 640|800|1024] [--players N]
//       [--seed S] [--frames N] [--ms M]
//       [--place X:Y[@FRAME]]...               put the current ball there, at rest
//       [--shot DIRECTION:SPEED[@FRAME]]...   set the current ball rolling
//       [--pull DX:DY[@FRAME]]...              a pull putt dragged by (DX, DY)
//       [--push AIM:BACK:STEP[@FRAME]]...      a push putt
//       [--view X:Y[@FRAME]]...                hold the view with course
//                                              pixel (X, Y) at the top-left
//       [--cycle N]                            holeCycle when play starts
//       [--png FRAME:FILE]... [--every K --out DIR]
//
// Frames count from 0, the first frame of play after the title card. The
// data folder defaults to the folder of this program.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "core/program_folder.h"
#include "core/rounding.h"
#include "game/ball_motion.h"
#include "game/headless_play.h"
#include "media/media_error.h"
#include "platform/png.h"

namespace {

using namespace quendrix;

struct Gesture {
  enum Kind { kPlace, kShot, kPull, kPush, kView } kind;
  int32_t a = 0, b = 0, c = 0;  // direction, speed*1000 / dx, dy / aim, back, step
  double speed = 0;
  int32_t frame = 0;
};

[[noreturn]] void Usage(const char* why) {
  std::fprintf(stderr,
               "quendrix-shot: %s\n"
               "usage: quendrix-shot HOLE [--data DIR] [--screen 640|800|1024] [--players N]\n"
               "         [--seed S] [--frames N] [--ms M] [--place X:Y[@FRAME]]...\n"
               "         [--shot DIR:SPEED[@FRAME]]...\n"
               "         [--pull DX:DY[@FRAME]]... [--push AIM:BACK:STEP[@FRAME]]...\n"
               "         [--view X:Y[@FRAME]]... [--cycle N]\n"
               "         [--png FRAME:FILE]... [--every K --out DIR]\n",
               why);
  std::exit(2);
}

int32_t ToInt(const std::string& text, const char* what) {
  char* end = nullptr;
  const long v = std::strtol(text.c_str(), &end, 10);
  if (text.empty() || *end != '\0' || v < -1000000 || v > 1000000) Usage(what);
  return static_cast<int32_t>(v);
}

// "a:b[:c][@frame]" into numbers.
std::vector<std::string> Fields(std::string text, int32_t& frame) {
  frame = 0;
  if (const auto at = text.find('@'); at != std::string::npos) {
    frame = ToInt(text.substr(at + 1), "bad @FRAME");
    text.resize(at);
  }
  std::vector<std::string> out;
  size_t start = 0;
  for (size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
    out.push_back(text.substr(start, colon - start));
  out.push_back(text.substr(start));
  return out;
}

// Runs the scripted pointer and button events of the gestures that act at
// `frame`, before that frame runs.
class Script {
 public:
  Script(HeadlessPlay& play, std::vector<Gesture> gestures) : play_(play) {
    for (const Gesture& g : gestures) Add(g);
  }

  void Before(int32_t frame) {
    auto range = steps_.equal_range(frame);
    for (auto it = range.first; it != range.second; ++it) it->second();
  }

 private:
  int32_t CentreX() { return play_.main().SurfaceWidth() / 2; }
  int32_t CentreY() { return play_.main().SurfaceHeight() / 2; }
  void PointAtBall() {
    GameSession& s = play_.session();
    const playerrec& b = s.players[s.currentPlayer];
    play_.MoveTo(Nearest(b.x) - s.scrollX, Nearest(b.y) - s.scrollY);
  }

  void Add(const Gesture& g) {
    const int32_t f = g.frame;
    switch (g.kind) {
      case Gesture::kPlace:
        steps_.emplace(f, [this, g] {
          GameSession& s = play_.session();
          playerrec& b = s.players[s.currentPlayer];
          b.x = b.prevX = b.safeX = g.a;
          b.y = b.prevY = b.safeY = g.b;
          b.z = 0;
          s.recentre = true;
        });
        break;
      case Gesture::kShot:
        steps_.emplace(f, [this, g] {
          GameSession& s = play_.session();
          playerrec& b = s.players[s.currentPlayer];
          b.direction = g.a;
          b.speed = g.speed;
          StartShot(s, s.currentPlayer, true);
        });
        break;
      case Gesture::kPull:
        steps_.emplace(f, [this] {
          PointAtBall();
          play_.LeftDown();
        });
        // The drag, drawn out over ten frames.
        for (int32_t k = 1; k <= 10; ++k)
          steps_.emplace(f + k, [this, g, k] {
            play_.MoveTo(CentreX() + g.a * k / 10, CentreY() + g.b * k / 10);
          });
        steps_.emplace(f + 14, [this] { play_.LeftUp(); });
        break;
      case Gesture::kView:
        steps_.emplace(f, [this, g] {
          GameSession& s = play_.session();
          s.recentre = false;
          s.scrollVelX = s.scrollVelY = 0;
          s.scrollX = g.a;
          s.scrollY = g.b;
          // Away from the edges, where the pointer would scroll the view.
          play_.MoveTo(CentreX(), CentreY());
        });
        break;
      case Gesture::kPush:
        steps_.emplace(f, [this] {
          PointAtBall();
          play_.LeftClick();
        });
        steps_.emplace(f + 1, [this, g] { play_.MoveTo(CentreX() - g.a, CentreY()); });
        steps_.emplace(f + 8, [this] { play_.LeftClick(); });
        for (int32_t k = 1; k <= 6; ++k)
          steps_.emplace(f + 8 + k,
                         [this, g, k] { play_.MoveTo(CentreX(), CentreY() + g.b * k / 6); });
        steps_.emplace(f + 18, [this] { play_.LeftClick(); });
        steps_.emplace(f + 19, [this, g] { play_.MoveTo(CentreX(), CentreY() + g.b - g.c); });
        steps_.emplace(f + 20, [this, g] { play_.MoveTo(CentreX(), CentreY() - g.c); });
        break;
    }
  }

  HeadlessPlay& play_;
  std::multimap<int32_t, std::function<void()>> steps_;
};

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) Usage("no hole given");
  std::string hole;
  std::filesystem::path data = ExecutableFolder(argv[0]);
  std::filesystem::path outDir;
  int32_t screen = 640, players = 1, frames = 300, ms = 16, every = 0, cycle = -1;
  uint64_t seed = 1;
  std::vector<Gesture> gestures;
  std::map<int32_t, std::filesystem::path> pngs;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    auto value = [&]() -> std::string {
      if (i + 1 >= argc) Usage(("missing value after " + arg).c_str());
      return argv[++i];
    };
    if (arg == "--data") {
      data = value();
    } else if (arg == "--screen") {
      screen = ToInt(value(), "bad --screen");
    } else if (arg == "--players") {
      players = ToInt(value(), "bad --players");
    } else if (arg == "--seed") {
      seed = static_cast<uint64_t>(ToInt(value(), "bad --seed"));
    } else if (arg == "--frames") {
      frames = ToInt(value(), "bad --frames");
    } else if (arg == "--ms") {
      ms = ToInt(value(), "bad --ms");
    } else if (arg == "--cycle") {
      cycle = ToInt(value(), "bad --cycle");
      if (cycle < 0 || cycle > 255) Usage("--cycle must be 0 ... 255");
    } else if (arg == "--every") {
      every = ToInt(value(), "bad --every");
    } else if (arg == "--out") {
      outDir = value();
    } else if (arg == "--png") {
      const std::string v = value();
      const auto colon = v.find(':');
      if (colon == std::string::npos) Usage("--png wants FRAME:FILE");
      pngs[ToInt(v.substr(0, colon), "bad --png frame")] = v.substr(colon + 1);
    } else if (arg == "--view") {
      Gesture g{};
      const auto f = Fields(value(), g.frame);
      if (f.size() != 2) Usage("--view wants X:Y");
      g.kind = Gesture::kView;
      g.a = ToInt(f[0], "bad X");
      g.b = ToInt(f[1], "bad Y");
      gestures.push_back(g);
    } else if (arg == "--shot" || arg == "--pull" || arg == "--push" || arg == "--place") {
      Gesture g{};
      const auto f = Fields(value(), g.frame);
      if (arg == "--place") {
        if (f.size() != 2) Usage("--place wants X:Y");
        g.kind = Gesture::kPlace;
        g.a = ToInt(f[0], "bad X");
        g.b = ToInt(f[1], "bad Y");
      } else if (arg == "--shot") {
        if (f.size() != 2) Usage("--shot wants DIRECTION:SPEED");
        g.kind = Gesture::kShot;
        g.a = ToInt(f[0], "bad direction");
        g.speed = std::strtod(f[1].c_str(), nullptr);
      } else if (arg == "--pull") {
        if (f.size() != 2) Usage("--pull wants DX:DY");
        g.kind = Gesture::kPull;
        g.a = ToInt(f[0], "bad DX");
        g.b = ToInt(f[1], "bad DY");
      } else {
        if (f.size() != 3) Usage("--push wants AIM:BACK:STEP");
        g.kind = Gesture::kPush;
        g.a = ToInt(f[0], "bad AIM");
        g.b = ToInt(f[1], "bad BACK");
        g.c = ToInt(f[2], "bad STEP");
      }
      gestures.push_back(g);
    } else if (!arg.empty() && arg[0] == '-') {
      Usage(("unknown option " + arg).c_str());
    } else if (hole.empty()) {
      hole = arg;
    } else {
      Usage("more than one hole");
    }
  }
  if (hole.empty()) Usage("no hole given");
  if (players < 1 || players > 4) Usage("--players must be 1 ... 4");
  if (screen != 512 && screen != 640 && screen != 800 && screen != 1024)
    Usage("--screen must be 512, 640, 800 or 1024");
  if (every > 0 && outDir.empty()) Usage("--every needs --out");
  if (ms < 1) Usage("--ms must be at least 1");

  LaunchSettings settings;
  settings.screen640 = screen == 640;
  settings.screen512 = screen == 512;
  settings.screen800 = screen == 800;
  settings.screen1024 = screen == 1024;
  settings.players = players - 1;
  // The push gestures need push putting; pull otherwise.
  for (const Gesture& g : gestures)
    if (g.kind == Gesture::kPush) settings.pull = {false, false, false, false};

  HeadlessPlay play(settings, data, seed);
  try {
    play.Start();
    play.session().holeName = hole;
    play.main().HoleInit();
    play.Frame(static_cast<uint32_t>(ms));
    play.Key(vk::kSpace);  // past the title card
    if (cycle >= 0) play.session().holeCycle = cycle;
    Script script(play, gestures);
    if (!outDir.empty()) std::filesystem::create_directories(outDir);
    for (int32_t f = 0; f < frames && !play.main().Closed(); ++f) {
      script.Before(f);
      play.Frame(static_cast<uint32_t>(ms));
      std::filesystem::path file;
      if (auto it = pngs.find(f); it != pngs.end()) file = it->second;
      if (every > 0 && f % every == 0) {
        char name[32];
        std::snprintf(name, sizeof name, "frame%05d.png", f);
        file = outDir / name;
      }
      if (file.empty()) continue;
      if (!SavePng(play.BackSurface(), file.string())) {
        std::fprintf(stderr, "quendrix-shot: cannot write %s: %s\n", file.string().c_str(),
                     SDL_GetError());
        return 1;
      }
      std::printf("frame %d -> %s\n", f, file.string().c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "quendrix-shot: %s\n", e.what());
    return 1;
  }
  const GameSession& s = play.session();
  std::printf("{\"hole\":\"%s\",\"gameState\":%d,\"currentPlayer\":%d,\"players\":[", hole.c_str(),
              static_cast<int>(s.gameState), s.currentPlayer);
  for (int32_t p = 1; p <= s.playerCount; ++p)
    std::printf("%s{\"x\":%.3f,\"y\":%.3f,\"strokes\":%d,\"inCup\":%s}", p > 1 ? "," : "",
                s.players[p].x, s.players[p].y, s.players[p].strokes,
                s.players[p].inCup ? "true" : "false");
  std::printf("]}\n");
  return 0;
}
