#include "hole_support.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "game/hole_file.h"

namespace quendrix::testing {

std::vector<std::string> AllHoleNames() {
  std::vector<std::string> names;
  std::error_code error;
  for (const auto& entry :
       std::filesystem::directory_iterator(QUENDRIX_SOURCE_DIR "/assets/holes", error))
    if (entry.path().extension() == ".hole") names.push_back(entry.path().stem().string());
  std::sort(names.begin(), names.end());
  return names;
}

std::string HoleFilePath(const std::string& name) {
  return std::string(QUENDRIX_SOURCE_DIR "/assets/holes/") + name + ".hole";
}

std::string ReadHoleText(const std::string& name) {
  std::ifstream in(HoleFilePath(name), std::ios::binary);
  std::ostringstream bytes;
  bytes << in.rdbuf();
  return bytes.str();
}

LoadedHole::LoadedHole(const std::string& name) {
  session = std::make_unique<GameSession>(settings);
  const std::string text = ReadHoleText(name);
  LoadHoleText(*session, text);
  const IniFile ini = IniFile::Parse(text);
  width = ini.ReadInteger("picture", "width", 0);
  height = ini.ReadInteger("picture", "height", 0);
  teeX = ini.ReadInteger("ball", "x", 320);
  teeY = ini.ReadInteger("ball", "y", 240);
}

}  // namespace quendrix::testing
