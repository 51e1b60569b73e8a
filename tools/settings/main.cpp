#include <iostream>
#include <string>
#include <vector>

#include "launchpad/registry_file.h"
#include "launchpad/skin_list.h"
#include "settings_tool.h"

int main(int argc, char** argv) {
  const std::vector<std::string> args(argv + 1, argv + argc);
  std::filesystem::path file;
  try {
    file = quendrix::DefaultSettingsPath();
  } catch (const quendrix::SettingsFileError& e) {
    std::cerr << "quendrix-settings: " << e.what() << "\n";
    return 1;
  }
  // The tool is built beside the game, so the game's skins are beside it too.
  return quendrix::RunSettingsTool(args, file, quendrix::ExecutableDir(), std::cin, std::cout,
                                   std::cerr);
}
