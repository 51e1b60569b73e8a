// The user's own folders: settings under $XDG_CONFIG_HOME, replays and
// screenshots under $XDG_DATA_HOME, each by default a folder in the home
// folder. A program run with no home at all (a container started with an
// arbitrary user id) has none, and must say so rather than write elsewhere.
#pragma once

#include <filesystem>
#include <string>

namespace quendrix {

// The folder: `xdg` when it is an absolute path; else the home folder +
// `homeRelative`, the home folder being `home` when it is an absolute path,
// else `passwdHome` (the password entry's) when that is. Empty when there
// is none, and `why` then says so (UTF-8, naming `xdgName`). Null stands for
// unset.
std::filesystem::path ChooseUserFolder(const char* xdgName, const char* xdg, const char* home,
                                       const char* passwdHome, const char* homeRelative,
                                       std::string& why);

// ChooseUserFolder on the environment variable `xdgName`, $HOME and the
// running user's password entry.
std::filesystem::path UserFolder(const char* xdgName, const char* homeRelative, std::string& why);

}  // namespace quendrix
