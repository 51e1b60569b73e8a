#include "platform/files.h"

#include <SDL.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cctype>
#include <cstdlib>
#include <filesystem>
#include <system_error>

#include "core/cp1251.h"
#include "core/program_folder.h"
#include "core/user_folders.h"

namespace quendrix {

namespace fs = std::filesystem;

namespace {

std::string WithSlash(std::string s) {
  if (s.empty() || s.back() != '/') s += '/';
  return s;
}

bool SameNameNoCase(std::string_view a, std::string_view b) {
  // Compared as cp1251 so Cyrillic letters fold too.
  const std::string ca = Utf8ToCp1251(a), cb = Utf8ToCp1251(b);
  if (ca.size() != cb.size()) return false;
  for (size_t i = 0; i < ca.size(); ++i)
    if (Cp1251Upper(ca[i]) != Cp1251Upper(cb[i])) return false;
  return true;
}

}  // namespace

std::string ProgramDir() {
  static const std::string dir = [] {
    std::error_code ec;
    if (fs::exists("/proc/self/exe", ec)) return WithSlash(ExecutableFolder().string());
    char* base = SDL_GetBasePath();
    std::string s = base ? base : "./";
    SDL_free(base);
    return WithSlash(s);
  }();
  return dir;
}

std::filesystem::path DataDirFor(const std::filesystem::path& programDir) {
  // Written by every data build, read by every screen of the game.
  constexpr const char* kDataMarker = "gui.dxg";
  // Where the install rules put the data, from the program's folder "games".
  constexpr const char* kInstalledData = "../share/games/quendrix";
  std::error_code ec;
  if (fs::exists(programDir / kDataMarker, ec)) return programDir;
  const fs::path installed = (programDir / kInstalledData).lexically_normal();
  if (fs::is_directory(installed, ec)) return installed;
  return programDir;
}

std::string DataDir() {
  static const std::string dir = WithSlash(DataDirFor(ProgramDir()).string());
  return dir;
}

std::string DataHomeDir(std::string& why) {
  // A relative XDG_DATA_HOME is invalid and ignored, as the replays' folder
  // ignores it, so screenshots and replays stay side by side.
  const std::filesystem::path base = UserFolder("XDG_DATA_HOME", ".local/share", why);
  return base.empty() ? std::string() : WithSlash((base / "quendrix").string());
}

std::string DataHomeDir() {
  std::string why;
  return DataHomeDir(why);
}

std::string MapPath(std::string_view gamePath) {
  std::string path = Cp1251ToUtf8(gamePath);
  std::replace(path.begin(), path.end(), '\\', '/');
  std::error_code ec;
  if (path.empty() || fs::exists(path, ec)) return path;
  // Walk the components, taking the entry whose name differs only in case
  // where the exact one is missing.
  fs::path result = path[0] == '/' ? fs::path("/") : fs::path();
  const fs::path given(path);
  for (const auto& part : given.relative_path()) {
    const fs::path exact = result / part;
    if (part == "." || part == ".." || fs::exists(exact, ec)) {
      result = exact;
      continue;
    }
    const fs::path dir = result.empty() ? fs::path(".") : result;
    fs::path found;
    for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
      if (SameNameNoCase(it->path().filename().string(), part.string())) {
        found = result / it->path().filename();
        break;
      }
    }
    result = found.empty() ? exact : found;
  }
  return result.string();
}

bool FileExists(std::string_view gamePath) {
  std::error_code ec;
  return fs::exists(MapPath(gamePath), ec);
}

bool MatchesPattern(std::string_view name, std::string_view pattern) {
  if (pattern == "*.*" || pattern == "*") return true;
  // Iterative wildcard match with one backtrack point.
  size_t n = 0, p = 0, star = std::string_view::npos, mark = 0;
  while (n < name.size()) {
    if (p < pattern.size() &&
        (pattern[p] == '?' || Cp1251Upper(pattern[p]) == Cp1251Upper(name[n]))) {
      ++n;
      ++p;
    } else if (p < pattern.size() && pattern[p] == '*') {
      star = p++;
      mark = n;
    } else if (star != std::string_view::npos) {
      p = star + 1;
      n = ++mark;
    } else {
      return false;
    }
  }
  while (p < pattern.size() && pattern[p] == '*') ++p;
  return p == pattern.size();
}

std::vector<FoundFile> FindFiles(std::string_view gamePattern, uint32_t include) {
  std::string pattern(gamePattern);
  std::replace(pattern.begin(), pattern.end(), '\\', '/');
  const size_t slash = pattern.rfind('/');
  const std::string folder = slash == std::string::npos ? "." : pattern.substr(0, slash + 1);
  const std::string mask = slash == std::string::npos ? pattern : pattern.substr(slash + 1);

  std::vector<FoundFile> out;
  const std::string dir = MapPath(folder);
  std::error_code ec;
  if (!fs::is_directory(dir, ec)) return out;

  auto admit = [&](FoundFile f) {
    const uint32_t special = f.attributes & (faHidden | faSysFile | faDirectory);
    if ((special & ~include) == 0 && MatchesPattern(f.name, mask)) out.push_back(std::move(f));
  };
  const bool notRoot = fs::weakly_canonical(dir, ec) != fs::path("/");
  if (notRoot) {
    admit({".", faDirectory, 0});
    admit({"..", faDirectory, 0});
  }
  std::vector<FoundFile> entries;
  for (fs::directory_iterator it(dir, ec), end; !ec && it != end; it.increment(ec)) {
    const std::string utf8 = it->path().filename().string();
    FoundFile f;
    f.name = Utf8ToCp1251(utf8);
    struct stat st {};
    if (::stat(it->path().c_str(), &st) != 0) continue;
    if (S_ISDIR(st.st_mode)) {
      f.attributes |= faDirectory;
    } else if (S_ISREG(st.st_mode)) {
      f.size = static_cast<uint64_t>(st.st_size);
    } else {
      f.attributes |= faSysFile;
    }
    if (utf8[0] == '.') f.attributes |= faHidden;
    if (!(st.st_mode & S_IWUSR)) f.attributes |= faReadOnly;
    entries.push_back(std::move(f));
  }
  std::sort(entries.begin(), entries.end(),
            [](const FoundFile& a, const FoundFile& b) { return a.name < b.name; });
  for (auto& e : entries) admit(std::move(e));
  return out;
}

}  // namespace quendrix
