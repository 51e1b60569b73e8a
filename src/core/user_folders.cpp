#include "core/user_folders.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace quendrix {

namespace {

bool Absolute(const char* path) {
  return path != nullptr && path[0] == '/';
}

}  // namespace

std::filesystem::path ChooseUserFolder(const char* xdgName, const char* xdg, const char* home,
                                       const char* passwdHome, const char* homeRelative,
                                       std::string& why) {
  if (Absolute(xdg)) return xdg;
  if (Absolute(home)) return std::filesystem::path(home) / homeRelative;
  if (Absolute(passwdHome)) return std::filesystem::path(passwdHome) / homeRelative;
  why = std::string("neither ") + xdgName + " nor HOME is an absolute path, and user " +
        std::to_string(::getuid()) +
        (passwdHome != nullptr ? " has no home folder" : " has no password entry");
  return {};
}

std::filesystem::path UserFolder(const char* xdgName, const char* homeRelative, std::string& why) {
  const char* xdg = std::getenv(xdgName);
  const char* home = std::getenv("HOME");
  // Asked only when needed: a lookup may go over the network.
  const passwd* entry = Absolute(xdg) || Absolute(home) ? nullptr : ::getpwuid(::getuid());
  return ChooseUserFolder(xdgName, xdg, home, entry != nullptr ? entry->pw_dir : nullptr,
                          homeRelative, why);
}

}  // namespace quendrix
