// quendrix-solve: searches putts with the game's physics until a ball played
// from the tee centre drops, and prints the shortest sequence found.
//
//   quendrix-solve HOLEFILE [--seed S] [--budget SHOTS] [--cycle C]
//                  [--replay [WAIT:]DIRECTION:SPEED ... [--path]]
//
// With --replay the given shots are played from the tee centre instead of
// searched; --path also prints the ball's place every 10 frames.
// Exit status 0 when the hole was solved, 1 when no sequence was found, 2 on
// bad arguments or an unreadable file.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "computer/solver.h"

namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int Usage() {
  std::fprintf(stderr,
               "usage: quendrix-solve HOLEFILE [--seed S] [--budget SHOTS] [--cycle C] "
               "[--replay [WAIT:]DIRECTION:SPEED ... [--path]]\n");
  return 2;
}

// "[WAIT:]DIRECTION:SPEED"
bool ParseShot(std::string_view text, quendrix::SolveShot& shot) {
  std::vector<std::string_view> parts;
  size_t start = 0;
  for (size_t colon = text.find(':'); colon != std::string_view::npos;
       colon = text.find(':', start)) {
    parts.push_back(text.substr(start, colon - start));
    start = colon + 1;
  }
  parts.push_back(text.substr(start));
  if (parts.size() < 2 || parts.size() > 3) return false;
  if (parts.size() == 3 && (!ParseNumber(parts[0], shot.waitFrames) || shot.waitFrames < 0))
    return false;
  const size_t d = parts.size() - 2;
  return ParseNumber(parts[d], shot.direction) && ParseNumber(parts[d + 1], shot.speed) &&
         shot.speed >= 0 && shot.speed <= quendrix::kMaxPuttSpeed;
}

void PrintShots(const quendrix::SolveResult& result) {
  int n = 0;
  for (const quendrix::SolveShot& shot : result.shots) {
    std::printf("  %d. from (%.1f, %.1f): ", ++n, shot.fromX, shot.fromY);
    if (shot.waitFrames > 0) std::printf("wait %d frames, ", shot.waitFrames);
    std::printf("direction %d, speed %.3f\n", shot.direction, shot.speed);
  }
}

}  // namespace

int main(int argc, char** argv) {
  std::string file;
  quendrix::SolveOptions options;
  std::vector<quendrix::SolveShot> replay;
  bool replaying = false;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--seed" && hasValue) {
      if (!ParseNumber(std::string_view(argv[++i]), options.seed)) return Usage();
    } else if (arg == "--budget" && hasValue) {
      if (!ParseNumber(std::string_view(argv[++i]), options.shotBudget) || options.shotBudget < 1)
        return Usage();
    } else if (arg == "--cycle" && hasValue) {
      if (!ParseNumber(std::string_view(argv[++i]), options.startCycle) || options.startCycle < 0 ||
          options.startCycle > 255)
        return Usage();
    } else if (arg == "--replay") {
      replaying = true;
    } else if (arg == "--path") {
      options.recordPath = true;
    } else if (replaying && !arg.empty() && arg[0] != '-' && !file.empty()) {
      quendrix::SolveShot shot;
      if (!ParseShot(arg, shot)) return Usage();
      replay.push_back(shot);
    } else if (!arg.empty() && arg[0] != '-' && file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (file.empty() || (replaying && replay.empty())) return Usage();
  const std::string name = std::filesystem::path(file).stem().string();
  if (replaying) {
    std::ifstream in(file, std::ios::binary);
    if (!in) {
      std::fprintf(stderr, "quendrix-solve: cannot read %s\n", file.c_str());
      return 2;
    }
    std::ostringstream bytes;
    bytes << in.rdbuf();
    const quendrix::SolveResult result = quendrix::ReplayShots(bytes.str(), name, replay, options);
    PrintShots(result);
    for (const quendrix::PathPoint& p : result.path)
      if (p.frame % 10 == 0)
        std::printf("    frame %d: (%.1f, %.1f) z %.1f\n", p.frame, p.x, p.y, p.z);
    std::printf("%s: par %d, %s after %d stroke%s\n", name.c_str(), result.par,
                result.holed ? "holed" : "not holed", result.strokes,
                result.strokes == 1 ? "" : "s");
    return result.holed ? 0 : 1;
  }
  const quendrix::SolveResult result = quendrix::SolveHoleFile(file, options);
  if (!result.error.empty()) {
    std::fprintf(stderr, "quendrix-solve: %s\n", result.error.c_str());
    return 2;
  }
  if (!result.holed) {
    std::printf("%s: par %d, no sequence found (%lld putts simulated)\n", name.c_str(), result.par,
                static_cast<long long>(result.shotsSimulated));
    return 1;
  }
  std::printf("%s: par %d, holed in %d stroke%s (%lld putts simulated)\n", name.c_str(), result.par,
              result.strokes, result.strokes == 1 ? "" : "s",
              static_cast<long long>(result.shotsSimulated));
  PrintShots(result);
  return 0;
}
