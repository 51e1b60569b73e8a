// Game paths and file search. The game core names files the way it always
// has: cp1251 text with "\" between folders, relative to the program's
// folder. MapPath is the one place that turns such a name into a path of
// this system (UTF-8, "/", folder and file names matched without regard to
// case when the exact spelling does not exist).
#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>
#include <vector>

namespace quendrix {

// Folder of the running executable, UTF-8, ending in "/".
std::string ProgramDir();
// Folder the game's data is read from, UTF-8, ending in "/": DataDirFor the
// running executable's real folder.
std::string DataDir();
// The data folder of a program in `programDir`: that folder itself when the
// data lies beside the program (a build tree), else
// `programDir/../share/games/quendrix` when that folder exists (an installed
// game, wherever its prefix was moved), else `programDir` again, so that a
// missing file is reported where a build would have put it.
std::filesystem::path DataDirFor(const std::filesystem::path& programDir);
// $XDG_DATA_HOME/quendrix/ when XDG_DATA_HOME is an absolute path, else
// ~/.local/share/quendrix/ (home from $HOME, else the password entry); UTF-8,
// ending in "/". Empty when the user has no such folder; `why` then says why.
std::string DataHomeDir(std::string& why);
std::string DataHomeDir();

// A game path (cp1251, "\" or "/" separators, absolute or relative to the
// current folder) -> a path to open on this system.
std::string MapPath(std::string_view gamePath);
// True when the mapped path names an existing file or folder.
bool FileExists(std::string_view gamePath);

// File attributes as the game tests them.
enum FileAttribute : uint32_t {
  faReadOnly = 0x01,  // the owner may not write it
  faHidden = 0x02,    // name starts with "."
  faSysFile = 0x04,   // not a regular file or folder (device, socket, ...)
  faDirectory = 0x10,
  faArchive = 0x20,  // never set here
  faAnyFile = 0x3F,
};

struct FoundFile {
  std::string name;  // cp1251, without the folder
  uint32_t attributes = 0;
  uint64_t size = 0;
};

// Entries of the pattern's folder whose names match its last part ("*" any
// run, "?" one character, without regard to case; "*.*" matches every name,
// as does "*"), in byte order of their names, "." and ".." first when they
// match. Hidden, system and folder entries are only included when `include`
// has their attribute; plain files always are. A missing folder gives none.
std::vector<FoundFile> FindFiles(std::string_view gamePattern, uint32_t include);

// Wildcard match of one name, as FindFiles uses it.
bool MatchesPattern(std::string_view name, std::string_view pattern);

}  // namespace quendrix
