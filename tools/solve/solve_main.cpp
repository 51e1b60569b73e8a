// quendrix-solve: searches putts with the game's physics until a ball played
// from the tee centre drops, and prints the shortest sequence found.
//
//   quendrix-solve HOLEFILE [--seed S] [--budget SHOTS] [--cycle C]
//
// Exit status 0 when the hole was solved, 1 when no sequence was found, 2 on
// bad arguments or an unreadable file.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

#include "solve/solver.h"

namespace {

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

int Usage() {
  std::fprintf(stderr, "usage: quendrix-solve HOLEFILE [--seed S] [--budget SHOTS] [--cycle C]\n");
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  std::string file;
  quendrix::SolveOptions options;
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
    } else if (!arg.empty() && arg[0] != '-' && file.empty()) {
      file = arg;
    } else {
      return Usage();
    }
  }
  if (file.empty()) return Usage();
  const quendrix::SolveResult result = quendrix::SolveHoleFile(file, options);
  if (!result.error.empty()) {
    std::fprintf(stderr, "quendrix-solve: %s\n", result.error.c_str());
    return 2;
  }
  const std::string name = std::filesystem::path(file).stem().string();
  if (!result.holed) {
    std::printf("%s: par %d, no sequence found (%lld putts simulated)\n", name.c_str(), result.par,
                static_cast<long long>(result.shotsSimulated));
    return 1;
  }
  std::printf("%s: par %d, holed in %d stroke%s (%lld putts simulated)\n", name.c_str(), result.par,
              result.strokes, result.strokes == 1 ? "" : "s",
              static_cast<long long>(result.shotsSimulated));
  int n = 0;
  for (const quendrix::SolveShot& shot : result.shots) {
    std::printf("  %d. from (%.1f, %.1f): ", ++n, shot.fromX, shot.fromY);
    if (shot.waitFrames > 0) std::printf("wait %d frames, ", shot.waitFrames);
    std::printf("direction %d, speed %.3f\n", shot.direction, shot.speed);
  }
  return 0;
}
