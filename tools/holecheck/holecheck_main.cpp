// quendrix-holecheck: reads a hole file and reports, one line each, what a
// hole designer must fix. Exit status 1 when something is wrong, 2 on bad
// arguments, 0 when the hole is fine.
//
//   quendrix-holecheck HOLEFILE [--size WIDTHxHEIGHT] [--no-chain]
//
// Without --size the size of the course picture comes from the file's own
// [picture] section (width, height), which the asset generator draws by.
#include <charconv>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "game/hole_check.h"
#include "game/hole_file.h"

int main(int argc, char** argv) {
  std::string file;
  quendrix::HoleCheckOptions options;
  for (int i = 1; i < argc; ++i) {
    const std::string arg = argv[i];
    if (arg == "--no-chain") {
      options.followChain = false;
    } else if (arg == "--size" && i + 1 < argc) {
      const std::string size = argv[++i];
      const size_t x = size.find('x');
      const char* end = size.data() + size.size();
      if (x == std::string::npos ||
          std::from_chars(size.data(), size.data() + x, options.pictureWidth).ec != std::errc() ||
          std::from_chars(size.data() + x + 1, end, options.pictureHeight).ec != std::errc()) {
        std::fprintf(stderr, "quendrix-holecheck: --size takes WIDTHxHEIGHT\n");
        return 2;
      }
    } else if (!arg.empty() && arg[0] != '-' && file.empty()) {
      file = arg;
    } else {
      std::fprintf(stderr,
                   "usage: quendrix-holecheck HOLEFILE [--size WIDTHxHEIGHT] [--no-chain]\n");
      return 2;
    }
  }
  if (file.empty()) {
    std::fprintf(stderr, "usage: quendrix-holecheck HOLEFILE [--size WIDTHxHEIGHT] [--no-chain]\n");
    return 2;
  }
  const std::filesystem::path path(file);
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::fprintf(stderr, "quendrix-holecheck: cannot read %s\n", file.c_str());
    return 2;
  }
  std::ostringstream bytes;
  bytes << in.rdbuf();
  if (options.pictureWidth == 0 && options.pictureHeight == 0) {
    const quendrix::IniFile ini = quendrix::IniFile::Parse(bytes.str());
    options.pictureWidth = ini.ReadInteger("picture", "width", 0);
    options.pictureHeight = ini.ReadInteger("picture", "height", 0);
  }
  const quendrix::HoleCheckResult result =
      quendrix::CheckHole(bytes.str(), path.stem().string(), path.parent_path(), options);
  for (const std::string& line : result.problems)
    std::printf("%s: %s\n", file.c_str(), line.c_str());
  std::string chain;
  for (const std::string& hole : result.chain) chain += (chain.empty() ? "" : " -> ") + hole;
  std::printf("%s: next holes: %s\n", file.c_str(), chain.c_str());
  std::printf("%s: %zu problem(s)\n", file.c_str(), result.problems.size());
  return result.problems.empty() ? 0 : 1;
}
